// The per-file front-end run, the unit passes and the work-list loop.
//
// The units of the work list run in the unit region (support/heap.h): what a
// unit's parse, tree and passes allocate is given back when the next unit
// starts, so the memory of a run is bounded by its largest unit plus what the
// run keeps (identifiers, paths, the work list and the result lists, memo
// slots), which the modules that make it take from the permanent heap.
#include "caldrex/unitrun.h"

#include "caldrex/options.h"
#include "caldrex/qualnames.h"
#include "caldrex/resolve.h"
#include "caldrex/searchpath.h"
#include "java/frontend.h"
#include "java/parser/parser.h"
#include "java/tree/builder.h"
#include "java/tree/defsets.h"
#include "java/tree/scopes.h"
#include "java/tree/types.h"
#include "support/heap.h"
#include "support/input.h"
#include "support/replay.h"
#include "support/report.h"
#include "support/startup.h"
#include "support/trace.h"

namespace {

int32_t UnitRunInitFlag = 0;

// Set once the standard names have been marked in the memo slots.
int32_t StandardNamesMarked = 0;

// The tree root of the unit being run, built only after a clean parse.
TreeRoot* UnitRoot = nullptr;

// The unit's tree, built during the replay (BuildRoot computes the trees as
// it goes): forcing the root's tree cell yields it; no environment and no
// lookup is computed.
Word ForceUnitTree(LazyCell* cell) {
  return StoreLazyValue<Word>(cell, ForceLazyCell(static_cast<TreeRoot*>(cell->context)->tree));
}

// The unit's passes; the cell is forced once per unit and keeps no value.
Word RunUnitPasses(LazyCell* cell) {
  (void)cell;
  ContinueAfterUnit(CheckUnit(reinterpret_cast<SyntaxNode*>(ForceLazyCell(UnitTreeCell))));
  return 0;
}

}  // namespace

TreeRoot* BuildUnitRoot() {
  UnitRoot = BuildRoot(TreesDuringReplay);
  UnitTreeCell->context = UnitRoot;
  UnitTreeCell->function = ForceUnitTree;
  UnitPassCell->context = UnitRoot;
  UnitPassCell->function = RunUnitPasses;
  return UnitRoot;
}

SyntaxNode* CheckUnit(SyntaxNode* unit) {
  SetCurrentUnit(unit);
  return unit;
}

TreeRoot* RunRoot(TreeRoot* root) {
  ForceLazyCell(UnitPassCell);
  return root;
}

void InitUnitRun() {
  if (!EnterModuleInit(UnitRunInitFlag)) return;
  JavaParserModuleInit();
  TreeBuilderModuleInit();
  SetTreeReplay(TreeReplay{NextReduction, ReplaySkipToken, ReplayWordToken, ReplayTokenWord, &PositionCounter});
  InitResultLists();
  QualifiedNamesModuleInit();
  StandardNamesMarked = 0;
}

bool RunSucceeded() {
  bool succeeded = SyntaxErrorFlag == 0 && EvaluateConditions() != 0 && SuccessFlag > 0;
  CloseInput();
  return succeeded;
}

void ContinueAfterUnit(SyntaxNode* unit) {
  CollectQualifiedNames(unit);
  if (StandardNamesMarked == 0) {
    MarkStandardNames();
    StandardNamesMarked = 1;
  }
  ResolveUnitNames();
}

int32_t RunSourceFile() {
  InitAndParse();
  if (SyntaxErrorFlag == 0) BuildUnitRoot();
  if (!RunSucceeded()) return 0;
  RunRoot(UnitRoot);
  return 1;
}

namespace {

// The previous unit is done: nothing reads its records any more (the result
// lists hold identifiers only), so its region is given back, and with it the
// caches keyed by the addresses of its lists and nodes and the owner links of
// the run's shared type nodes.
void EndUnit() {
  UnitRoot = nullptr;
  if (EndUnitRegion()) {
    ForgetListFacts();
    ForgetTypeOwners();
    ForgetInheritedMembers();
  }
}

}  // namespace

int32_t ParseNextFile() {
  Identifier* path = TakeNextWorkFile();
  if (path == nullptr) WriteResultLists();
  EndUnit();
  StartUnitFile(path);
  return RunSourceFile();
}

void RunAllFiles() {
  EnterUnitRegion();
  if (RunSourceFile() == 0) return;
  while (ParseNextFile() != 0) {
  }
}
