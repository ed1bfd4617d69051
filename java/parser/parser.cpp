// The Java parser's start and its per-input parse step.
#include "java/parser/parser.h"

#include "java/parser/automaton.h"
#include "java/scanner/scanner.h"
#include "java/scanner/tokens.h"
#include "support/lrengine.h"
#include "support/replay.h"
#include "support/report.h"
#include "support/startup.h"
#include "support/trace.h"

namespace {

int32_t JavaParserInitFlag = 0;

const char* JavaTokenName(TokenCode code) { return TokenNameTable[code]; }

}  // namespace

void JavaParserModuleInit() {
  if (!EnterModuleInit(JavaParserInitFlag)) return;
  LrEngineModuleInit();
  InitJavaScanner();
  SelectLrAutomaton(JavaAutomaton);
}

void BeforeParse() {}

void ParseStart() {
  SelectLrAutomaton(JavaAutomaton);
  ResetParseTrace();
  NextToken();
  RunLrState(0, TokenSetOf(endoffile));
  RecordToken();
  RewindParseTrace();
}

void InitAndParse() {
  JavaParserModuleInit();
  InitTokenNames();
  SetTokenNames(JavaTokenName);
  ResetScanner();
  InitGlobalCells();
  InitConditionList();
  BeforeParse();
  ParseStart();
  SyncToTokenSet(TokenSetOf(endoffile));
  PositionCounter = Trace.TokenHead->position;
}
