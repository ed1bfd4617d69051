// The settings front end's driver: queues the fixed settings text, parses
// it, builds its tree and evaluates the tree's root, which starts Java.
//
// Order of a run (RunLauncher):
//   1. InitAndParseIni: token names, scanner reset, fresh global cells and
//      condition list, the parse from the start state with {endoffile}, then
//      the skip to the end of the input.
//   2. Without a syntax error, the tree is built from the parse.
//   3. The run goes on only while no syntax error and no error message was
//      reported; the input is closed.
//   4. Forcing the pass cell checks the tree's keys and launches Java.
#include "launcher/settings.h"

#include "launcher/settings_automaton.h"
#include "launcher/settings_scanner.h"
#include "launcher/settings_tree.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/limits.h"
#include "support/lrengine.h"
#include "support/report.h"
#include "support/scanbuf.h"
#include "support/replay.h"
#include "support/startup.h"
#include "support/trace.h"

namespace {

int32_t settingsReady = 0;

// The one settings text the launcher reads, and its input name.
const char SettingsText[] = "\n";
const char SettingsInputName[] = "newline";

// The name of a settings token in syntax-error messages.
const char* IniTokenName(TokenCode code) { return IniTokenNames[code]; }

}  // namespace

void InitAndParseIni() {
  InitIniTokenNames();
  SetTokenNames(IniTokenName);
  SetScanAutomaton(ScanIniToken);
  ResetScanner();
  InitIniGlobalCells();
  InitConditionList();
  SelectLrAutomaton(SettingsAutomaton, ParserDepthLimit);
  LrParseStart(Ini_endoffile);
  SyncToTokenSet(TokenSetOf(Ini_endoffile));
  PositionCounter = Trace.TokenHead->position;
}

void InitSettingsLanguage() {
  if (!EnterModuleInit(settingsReady)) return;
  SourceInputModuleInit();
  LrEngineModuleInit();
  InitSettingsTree();
}

void QueueSettingsText() {
  AddInputText(SettingsText, sizeof SettingsText - 1, IdentifierOf(SettingsInputName));
  StartInputs();
}

int32_t IniRunSucceeded() { return SyntaxErrorFlag == 0 && EvaluateConditions() != 0 && SuccessFlag != 0 ? 1 : 0; }

void RunLauncher() {
  InitAndParseIni();
  if (SyntaxErrorFlag == 0) BuildIniRootFromTrace();
  int32_t succeeded = IniRunSucceeded();
  CloseInput();
  if (succeeded) ForceLazyCell(IniPassCell);
}
