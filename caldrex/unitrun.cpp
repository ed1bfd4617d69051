// The per-file front-end run, the unit passes and the work-list loop.
#include "caldrex/unitrun.h"

#include <cstdio>

#include "caldrex/options.h"
#include "caldrex/qualnames.h"
#include "caldrex/resolve.h"
#include "caldrex/searchpath.h"
#include "java/parser/parser.h"
#include "support/input.h"
#include "support/report.h"
#include "support/startup.h"
#include "support/trace.h"

namespace {

int32_t UnitRunInitFlag = 0;

// Set once the standard names have been marked in the memo slots.
int32_t StandardNamesMarked = 0;

}  // namespace

void InitUnitRun() {
  if (!EnterModuleInit(UnitRunInitFlag)) return;
  JavaParserModuleInit();
  InitResultLists();
  QualifiedNamesModuleInit();
  StandardNamesMarked = 0;
}

bool RunSucceeded() {
  bool succeeded = SyntaxErrorFlag == 0 && EvaluateConditions() != 0 && SuccessFlag > 0;
  CloseInput();
  return succeeded;
}

void ContinueAfterUnit() {
  ResetUnitNameLists();
  if (StandardNamesMarked == 0) {
    MarkStandardNames();
    StandardNamesMarked = 1;
  }
  ResolveUnitNames();
}

int32_t RunSourceFile() {
  InitAndParse();
  if (!RunSucceeded()) return 0;
  ContinueAfterUnit();
  return 1;
}

int32_t ParseNextFile() {
  Identifier* path = TakeNextWorkFile();
  if (path == nullptr) WriteResultLists();
  InputFile = std::fopen(path->text, "r");
  if (InputFile == nullptr) CannotOpenFile(path->text);
  OpenInput(path);
  return RunSourceFile();
}

void RunAllFiles() {
  if (RunSourceFile() == 0) return;
  while (ParseNextFile() != 0) {
  }
}
