// The configuration parser's driver: selects the configuration automaton in
// the shared engine, with the configuration's depth limit, and runs the parse
// from the start state and the skip over what follows the configuration.
#include "zebcheck/config_parser.h"

#include "support/limits.h"
#include "support/lrengine.h"
#include "support/replay.h"
#include "support/report.h"
#include "support/scanbuf.h"
#include "support/startup.h"
#include "support/trace.h"
#include "zebcheck/config_automaton.h"
#include "zebcheck/config_scanner.h"
#include "zebcheck/config_tokens.h"

namespace {

int32_t ConfigParserInitFlag = 0;

}  // namespace

void InitConfigParser() {
  if (!EnterModuleInit(ConfigParserInitFlag)) return;
  InitConfigScanner();
  LrEngineModuleInit();
  SetTokenNames(ConfigTokenName);
  SelectLrAutomaton(ConfigAutomaton, ConfigParseDepthLimit);
}

void ParseConfigStart() {
  SelectLrAutomaton(ConfigAutomaton, ConfigParseDepthLimit);
  LrParseStart(Config_endoffile);
}

void InitAndParseConfig() {
  InitConfigParser();
  InitConfigTokenNames();
  ResetScanner();
  InitConditionList();
  ParseConfigStart();
  SyncToConfigTokenSet(TokenSetOf(Config_endoffile));
  if (Trace.TokenCursor != nullptr) PositionCounter = Trace.TokenCursor->position;
}

void SyncToConfigTokenSet(ConfigTokenSet s) { SyncToTokenSet(s); }

void SkipToConfigTokenSet(ConfigTokenSet s) { SkipToTokenSet(s); }

void ExpectConfigToken(TokenCode t, ConfigTokenSet s, int32_t essential) { ExpectToken(t, s, essential); }
