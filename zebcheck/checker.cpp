// The zebcheck driver.
//
// Start-up and run, in this order: the support library's start-up (through
// RunProgram), InitChecker with every module initialiser and the command
// line, then RunChecker: parse, build, check and print. Messages go to the
// standard error stream as they arise; the canonical output is written in
// one piece after all checks.
#include "zebcheck/checker.h"

#include <cstdio>
#include <cstring>

#include "support/identifiers.h"
#include "support/input.h"
#include "support/lazy.h"
#include "support/layout.h"
#include "support/output.h"
#include "support/report.h"
#include "support/services.h"
#include "support/startup.h"
#include "support/trace.h"
#include "zebcheck/checktexts.h"
#include "zebcheck/config_parser.h"
#include "zebcheck/configbuild.h"
#include "zebcheck/configeval.h"
#include "zebcheck/configprint.h"
#include "zebcheck/configresolve.h"
#include "zebcheck/configtree.h"

namespace {

int32_t CheckerInitFlag = 0;

// The command line's word 0, as the banner and the usage message print it.
const char* ProgramName = "";

[[noreturn]] void PrintVersionBanner() {
  PrintOutString(ProgramName);
  PrintOutString("\n");
  PrintOutString(VersionPrefixText);
  PrintOutString(VersionText);
  PrintOutString(VersionSeparatorText);
  PrintOutString(BuildDateText);
  PrintOutString("\n");
  ExitProgram(0);
}

[[noreturn]] void PrintUsage() {
  PrintString(UsagePrefixText);
  PrintString(ProgramName);
  PrintString(UsageSuffixText);
  PrintString("\n");
  ExitProgram(1);
}

// True only when no syntax error was reported, the deferred conditions hold
// and no error cleared the success flag; closes the input in every case.
bool ConfigRunSucceeded() {
  bool succeeded = SyntaxErrorFlag == 0 && EvaluateConditions() != 0 && SuccessFlag != 0;
  CloseInput();
  return succeeded;
}

}  // namespace

void InitChecker() {
  if (!EnterModuleInit(CheckerInitFlag)) return;
  CommandLineModuleInit();
  ExitModuleInit();
  InitRuntime();
  InitCheckerModules();
  ParseCheckerArgs();
}

void InitCheckerModules() {
  InitOutput();
  InitLayout();
  InitConfigParser();
  InitConfigTree();
  InitConfigResolve();
  InitConfigEval();
  InitConfigPrint();
  InitConfigBuild();
}

void ParseCheckerArgs() {
  const char* name = Arg(0);
  ProgramName = name != nullptr ? name : "";
  int32_t inputs = 0;
  for (int32_t i = 1; i < ArgCount(); ++i) {
    const char* arg = Arg(i);
    if (std::strcmp(arg, VersionOptionText) == 0) PrintVersionBanner();
    if (arg[0] == '-') {
      PrintString(UnknownOptionText);
      PrintString(arg);
      PrintString("\n");
      continue;
    }
    AddInputFile(IdentifierOf(arg));
    inputs += 1;
  }
  if (inputs == 0) PrintUsage();
  StartInputs();
}

void RunChecker() {
  InitAndParseConfig();
  LazyCell* runCell = SyntaxErrorFlag == 0 ? BuildConfigRoot() : nullptr;
  // The tree holds everything it needs from the trace: the trace's memory
  // goes back before the checks and the printing take theirs.
  if (runCell != nullptr) ReleaseParseTrace();
  if (ConfigRunSucceeded() && runCell != nullptr) ForceLazyCell(runCell);
}
