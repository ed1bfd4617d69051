// The settings front end's driver: queues the fixed settings text, parses
// it, builds its tree and evaluates the tree's root, which starts Java.
//
// Order of a run (RunLauncher):
//   1. InitAndParseIni: token names, scanner reset, fresh global cells, the
//      parse from the start state.
//   2. Without a syntax error, the tree is built from the parse.
//   3. The run goes on only while no syntax error and no error message was
//      reported; the input is closed.
//   4. Forcing the pass cell checks the tree's keys and launches Java.
#include "launcher/settings.h"

#include "launcher/settings_scanner.h"
#include "launcher/settings_tree.h"
#include "support/identifiers.h"
#include "support/input.h"
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

// The entries of the parsed settings text. The settings parser is generated
// from settings.grammar; until the generator's engine is linked here, the
// text is only read up to its end, which for the launcher's own text (one
// line end) is the whole of it: an empty settings file with no entries.
ConsList ParseIniText() {
  NextToken();
  return nullptr;
}

ConsList parsedRecords = nullptr;

// The name of a settings token in syntax-error messages.
const char* IniTokenName(TokenCode code) { return IniTokenNames[code]; }

void InitAndParseIni() {
  InitIniTokenNames();
  SetTokenNames(IniTokenName);
  SetScanAutomaton(ScanIniToken);
  ResetScanner();
  InitIniGlobalCells();
  InitConditionList();
  parsedRecords = ParseIniText();
}

}  // namespace

void InitSettingsLanguage() {
  if (!EnterModuleInit(settingsReady)) return;
  SourceInputModuleInit();
  InitSettingsTree();
}

void QueueSettingsText() {
  AddInputText(SettingsText, sizeof SettingsText - 1, IdentifierOf(SettingsInputName));
  StartInputs();
}

void RunLauncher() {
  InitAndParseIni();
  if (SyntaxErrorFlag == 0) BuildIniRoot(parsedRecords);
  int32_t iniRunSucceeded = SyntaxErrorFlag == 0 && EvaluateConditions() != 0 && SuccessFlag != 0;
  CloseInput();
  if (iniRunSucceeded) ForceLazyCell(IniPassCell);
}
