// The configuration parser's engine: one activation of RunConfigState per
// active LR state, run from the generated tables by the protocol described in
// support/automaton.h.
//
// How a state runs (RunConfigState):
//  1. Synchronise on the inherited set united with the state's own set (a state
//     whose only action is one fixed token expects that token instead).
//  2. Act on the current token: shift (record, consume, expect the fixed run,
//     call the successor with the inherited set united with the transition
//     set), shift and reduce inline, reduce (set the registers and return at
//     once), reduce the empty production, or report the state's message and
//     repair as if the expected symbol had been there, consuming nothing.
//  3. While PopCount is 0, the goto loop: record the pending production, save
//     the reduction sublist, take the goto on ReduceLhs, splice the saved
//     sublist in front. The start state also stops once it has accepted.
//  4. Every return lowers PopCount by one.
// The parse stack is the chain of activations; its depth is bounded, so that
// hostile nesting ends with one fatal message instead of a stack overflow. The
// parse that reaches the bound is abandoned: every activation returns at once
// (ParseAborted), and the fatal message is given from the parse entry, at the
// position where the bound was reached, with the stack unwound.
#include "zebcheck/config_parser.h"

#include "support/automaton.h"
#include "support/limits.h"
#include "support/replay.h"
#include "support/report.h"
#include "support/scanbuf.h"
#include "support/startup.h"
#include "support/trace.h"
#include "zebcheck/config_automaton.h"
#include "zebcheck/config_scanner.h"

namespace {

int32_t ConfigParserInitFlag = 0;

const LrAutomaton& Automaton = ConfigAutomaton;

// Active state activations.
int32_t ParseDepth = 0;

// Set when the depth bound was reached; the position of the last character
// read then.
bool ParseAborted = false;
SourcePosition AbortPosition = 0;

inline ConfigTokenSet SetAt(int32_t index) {
  if (index < 0) return ConfigTokenSet{{0, 0}};
  return ConfigTokenSet{{Automaton.Sets[2 * index], Automaton.Sets[2 * index + 1]}};
}

// Dense dispatch tables, filled once from the automaton's sorted entry lists:
// the action index of every state for every token (its default where it has
// no entry) and for every nonterminal (-1 where it has no goto).
constexpr int32_t StateCount = 66;
constexpr int32_t NonterminalCount = 69;
int16_t TokenActionIndex[StateCount][ConfigTokenCount];
int16_t GotoActionIndex[StateCount][NonterminalCount];

void FillDispatchTables() {
  if (Automaton.StateCount != StateCount || Automaton.TokenCount != ConfigTokenCount ||
      Automaton.NonterminalCount != NonterminalCount) {
    InternalError(__FILE__, __LINE__);
  }
  for (int32_t s = 0; s < StateCount; ++s) {
    const LrState& state = Automaton.States[s];
    for (int32_t t = 0; t < ConfigTokenCount; ++t) TokenActionIndex[s][t] = static_cast<int16_t>(state.Default);
    for (int32_t i = 0; i < state.TokenCount; ++i) {
      const LrEntry& entry = Automaton.Tokens[state.FirstToken + i];
      TokenActionIndex[s][entry.Symbol] = entry.Action;
    }
    for (int32_t n = 0; n < NonterminalCount; ++n) GotoActionIndex[s][n] = -1;
    for (int32_t i = 0; i < state.GotoCount; ++i) {
      const LrEntry& entry = Automaton.Gotos[state.FirstGoto + i];
      GotoActionIndex[s][entry.Symbol] = entry.Action;
    }
  }
}

// The action of a state for a token, or its default.
inline const LrAction& TokenAction(int32_t state, TokenCode token) {
  return Automaton.Actions[TokenActionIndex[state][token]];
}

// The goto action of a state for a nonterminal; every reduction that reaches
// a goto loop has one there.
const LrAction& GotoAction(int32_t state, int32_t nonterminal) {
  int16_t index = GotoActionIndex[state][nonterminal];
  if (index < 0) InternalError(__FILE__, __LINE__);
  return Automaton.Actions[index];
}

// The fixed tokens that follow a shift or goto, each shifted inline.
void ExpectRun(const LrAction& action, ConfigTokenSet set) {
  for (int32_t i = 0; i < action.RunLength && !ParseAborted; ++i) {
    TokenCode token = Automaton.RunTokens[action.Run + i];
    ExpectConfigToken(token, set | ConfigTokenSetOf(token), token == Config_Identifiersym ? 1 : 0);
  }
}

// The registers of a reduction, with a new empty sublist.
void SetReduction(int32_t lhs, int32_t production, int32_t popCount) {
  ReduceLhs = lhs;
  ReduceProduction = production;
  SublistHead = nullptr;
  SublistLast = nullptr;
  PopCount = popCount;
}

void RunConfigState(int32_t number, ConfigTokenSet inherited);

// Performs a shift, shift-reduce, goto or accept action. `consume` is false
// for a token that an error repair assumes: it is then neither recorded nor
// read past.
void Perform(const LrAction& action, ConfigTokenSet inherited, bool consume) {
  ConfigTokenSet passed = inherited | SetAt(action.TransitionSet);
  switch (action.Kind) {
    case LrShift:
    case LrShiftReduce:
      if (consume) {
        RecordToken();
        NextToken();
      }
      ExpectRun(action, passed);
      if (action.Kind == LrShift) {
        RunConfigState(action.Target, passed);
        PopCount -= action.RunLength;
      } else {
        SetReduction(action.Lhs, action.Production, action.PopCount);
      }
      return;
    case LrGotoCall:
      ExpectRun(action, passed);
      RunConfigState(action.Target, passed);
      PopCount -= action.RunLength;
      return;
    case LrGotoReduce:
      ExpectRun(action, passed);
      SetReduction(action.Lhs, action.Production, action.PopCount);
      return;
    case LrAccept:
      SetReduction(Automaton.Productions[0].Lhs, -1, 0);
      AcceptFlag = 1;
      return;
    case LrReduce:
    case LrEmptyReduce:
      SetReduction(action.Lhs, action.Production, action.PopCount);
      return;
    default:
      InternalError(__FILE__, __LINE__);
  }
}

// The error branch of a state: its message ("<symbol> expected ") at the
// current token; a syntax error unless the parser is recovering.
void ReportStateError(const LrState& state) {
  BeginMessage(PositionCounter - TokenLength + 1, 0);
  PrintSymbolName(Automaton.Messages[state.Message]);
  EndMessage();
  if (RecoveryMode == 0) SyntaxErrorFlag = 1;
}

void GotoLoop(int32_t state, ConfigTokenSet inherited, bool start) {
  while (PopCount == 0 && !(start && AcceptFlag != 0)) {
    if (ReduceProduction >= 0) RecordReduction();
    ReductionRecord* savedHead = SublistHead;
    ReductionRecord* savedLast = SublistLast;
    Perform(GotoAction(state, ReduceLhs), inherited, false);
    if (ParseAborted) return;
    if (savedHead != nullptr) {
      savedLast->next = SublistHead;
      SublistHead = savedHead;
      if (SublistLast == nullptr) SublistLast = savedLast;
    }
  }
}

void RunConfigState(int32_t number, ConfigTokenSet inherited) {
  if (ParseAborted) return;
  if (ParseDepth == ConfigParseDepthLimit) {
    ParseAborted = true;
    AbortPosition = PositionCounter;
    return;
  }
  ++ParseDepth;
  const LrState& state = Automaton.States[number];
  if (state.FixedToken != 0) {
    const LrEntry& entry = Automaton.Tokens[state.FirstToken];
    const LrAction& action = Automaton.Actions[entry.Action];
    ConfigTokenSet set = inherited | SetAt(action.TransitionSet) | ConfigTokenSetOf(entry.Symbol);
    ExpectConfigToken(entry.Symbol, set, entry.Symbol == Config_Identifiersym ? 1 : 0);
    Perform(action, inherited, false);
  } else {
    SyncToConfigTokenSet(inherited | SetAt(state.OwnSet));
    const LrAction& action = TokenAction(number, CurrentToken);
    if (action.Kind == LrReduce) {
      SetReduction(action.Lhs, action.Production, action.PopCount);
      --ParseDepth;
      return;
    }
    if (action.Kind == LrError) {
      ReportStateError(state);
      Perform(Automaton.Actions[state.Repair], inherited, false);
    } else {
      Perform(action, inherited, true);
    }
  }
  if (!ParseAborted && PopCount == 0) GotoLoop(number, inherited, number == 0);
  --PopCount;
  --ParseDepth;
}

// The re-entry of a token that the skipping loop drops, or null.
const LrReentry* ReentryOf(TokenCode token) {
  for (int32_t i = 0; i < Automaton.ReentryCount; ++i) {
    if (Automaton.Reentries[i].Token == token) return &Automaton.Reentries[i];
  }
  return nullptr;
}

}  // namespace

void InitConfigParser() {
  if (!EnterModuleInit(ConfigParserInitFlag)) return;
  InitConfigScanner();
  SetTokenNames(ConfigTokenName);
  FillDispatchTables();
}

int32_t InConfigTokenSet(ConfigTokenSet set) { return ConfigSetHas(set, CurrentToken) ? 1 : 0; }

void SyncToConfigTokenSet(ConfigTokenSet set) {
  if (ParseAborted || InConfigTokenSet(set) != 0) return;
  int32_t keptRecoveryMode = RecoveryMode;
  RecoveryMode = 1;
  SyntaxErrorFlag = 1;
  ReportUnexpected();
  SkipToConfigTokenSet(set);
  RecoveryMode = keptRecoveryMode;
}

void SkipToConfigTokenSet(ConfigTokenSet set) {
  while (!ParseAborted && InConfigTokenSet(set) == 0) {
    TokenCode skipped = CurrentToken;
    NextToken();
    const LrReentry* reentry = ReentryOf(skipped);
    if (reentry == nullptr) continue;
    for (int32_t i = 0; i < reentry->RunLength && !ParseAborted; ++i) {
      TokenCode token = Automaton.RunTokens[reentry->Run + i];
      ExpectConfigToken(token, set | ConfigTokenSetOf(token), token == Config_Identifiersym ? 1 : 0);
    }
    if (reentry->Target >= 0) {
      RunConfigState(reentry->Target, set);
      PopCount -= reentry->RunLength;
    } else {
      SetReduction(reentry->Lhs, reentry->Production, 0);
    }
  }
}

void ExpectConfigToken(TokenCode token, ConfigTokenSet set, int32_t essential) {
  if (ParseAborted) return;
  if (CurrentToken != token) SyncToConfigTokenSet(set);
  RecordToken();
  if (CurrentToken != token) {
    ReportExpected(ConfigTokenNames[token], essential);
  } else {
    NextToken();
  }
}

void ParseConfigStart() {
  ResetParseTrace();
  ParseDepth = 0;
  ParseAborted = false;
  NextToken();
  RunConfigState(0, ConfigTokenSetOf(Config_endoffile));
  if (ParseAborted) {
    PositionCounter = AbortPosition;
    FatalError(ConfigNestingTooDeepText);
  }
  RecordToken();
  RewindParseTrace();
}

void InitAndParseConfig() {
  InitConfigParser();
  InitConfigTokenNames();
  ResetScanner();
  InitConditionList();
  ParseConfigStart();
  SyncToConfigTokenSet(ConfigTokenSetOf(Config_endoffile));
  if (Trace.TokenCursor != nullptr) PositionCounter = Trace.TokenCursor->position;
}
