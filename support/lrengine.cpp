// The recursive-ascent engine: token-set synchronisation, skipping with
// re-entry, inline token shifts, and the state routine that runs one state of a
// generated automaton under the recursive-ascent protocol.
//
// The generated tables keep each state's actions as short sorted lists; on
// first use the engine spreads them into dense tables (state x token, state x
// nonterminal) so that a dispatch is one load, and turns every token set into a
// four-word TokenSet.
#include "support/lrengine.h"

#include <pthread.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "support/limits.h"
#include "support/replay.h"
#include "support/report.h"
#include "support/startup.h"
#include "support/trace.h"

int32_t LrDepth = 0;

namespace {

// The lookup tables of one automaton.
struct LrTables {
  const LrAutomaton* automaton = nullptr;
  std::vector<int32_t> tokenAction;  // [state * TokenCount + token] -> action index
  std::vector<int32_t> gotoAction;   // [state * NonterminalCount + nt] -> action index, -1 none
  std::vector<TokenSet> sets;        // Sets as TokenSets; the last one is empty (index -1)
  std::vector<int32_t> reentry;      // [token] -> index in Reentries, -1 none
  TokenCode identifier = -1;         // the token shifted with flag 1
};

// Automata prepared so far (one per grammar of a program).
constexpr int MaxAutomata = 4;
LrTables Prepared[MaxAutomata];
int PreparedCount = 0;

// The automaton being run and its tables.
const LrAutomaton* A = nullptr;
LrTables* Tables = nullptr;

int32_t EngineInitFlag = 0;

void Prepare(LrTables& t, const LrAutomaton& a) {
  if (a.TokenCount > 128 || a.SetWords > 4) InternalError(__FILE__, __LINE__);
  t.automaton = &a;
  int32_t setCount = 0;
  for (int32_t s = 0; s < a.StateCount; ++s) {
    const LrState& st = a.States[s];
    if (st.OwnSet + 1 > setCount) setCount = st.OwnSet + 1;
  }
  int32_t actionCount = 0;
  for (int32_t s = 0; s < a.StateCount; ++s) {
    const LrState& st = a.States[s];
    for (int32_t i = 0; i < st.TokenCount; ++i)
      if (a.Tokens[st.FirstToken + i].Action + 1 > actionCount) actionCount = a.Tokens[st.FirstToken + i].Action + 1;
    for (int32_t i = 0; i < st.GotoCount; ++i)
      if (a.Gotos[st.FirstGoto + i].Action + 1 > actionCount) actionCount = a.Gotos[st.FirstGoto + i].Action + 1;
    if (st.Default + 1 > actionCount) actionCount = st.Default + 1;
    if (st.Repair + 1 > actionCount) actionCount = st.Repair + 1;
  }
  for (int32_t i = 0; i < actionCount; ++i)
    if (a.Actions[i].TransitionSet + 1 > setCount) setCount = a.Actions[i].TransitionSet + 1;
  t.sets.assign(static_cast<size_t>(setCount) + 1, TokenSet{{0, 0, 0, 0}});
  for (int32_t i = 0; i < setCount; ++i)
    for (int32_t w = 0; w < a.SetWords; ++w) t.sets[i].word[w] = a.Sets[i * a.SetWords + w];

  t.tokenAction.assign(static_cast<size_t>(a.StateCount) * a.TokenCount, -1);
  t.gotoAction.assign(static_cast<size_t>(a.StateCount) * a.NonterminalCount, -1);
  for (int32_t s = 0; s < a.StateCount; ++s) {
    const LrState& st = a.States[s];
    int32_t* row = &t.tokenAction[static_cast<size_t>(s) * a.TokenCount];
    for (int32_t c = 0; c < a.TokenCount; ++c) row[c] = st.Default;
    for (int32_t i = 0; i < st.TokenCount; ++i) row[a.Tokens[st.FirstToken + i].Symbol] = a.Tokens[st.FirstToken + i].Action;
    int32_t* gotoRow = &t.gotoAction[static_cast<size_t>(s) * a.NonterminalCount];
    for (int32_t i = 0; i < st.GotoCount; ++i) gotoRow[a.Gotos[st.FirstGoto + i].Symbol] = a.Gotos[st.FirstGoto + i].Action;
  }
  t.reentry.assign(static_cast<size_t>(a.TokenCount), -1);
  for (int32_t i = 0; i < a.ReentryCount; ++i) t.reentry[a.Reentries[i].Token] = i;
  for (int32_t c = 0; c < a.TokenCount; ++c)
    if (std::strcmp(a.TokenNames[c], "Identifiersym") == 0) t.identifier = c;
}

// The transition set of an action (empty when it has none).
inline const TokenSet& TransitionSetOf(const LrAction& act) {
  return act.TransitionSet >= 0 ? Tables->sets[act.TransitionSet] : Tables->sets.back();
}

inline int32_t FlagOf(TokenCode t) { return t == Tables->identifier ? 1 : 0; }

// ExpectToken for each fixed token of a run, with `around` united with the token.
inline void ExpectRun(int32_t run, int32_t length, TokenSet around) {
  for (int32_t i = 0; i < length; ++i) {
    TokenCode u = A->RunTokens[run + i];
    ExpectToken(u, around | TokenSetOf(u), FlagOf(u));
  }
}

inline void SetReduction(const LrAction& act) {
  ReduceLhs = act.Lhs;
  ReduceProduction = act.Production;
  SublistHead = nullptr;
  SublistLast = nullptr;
  PopCount = act.PopCount;
}

// The shift of a token whose record and consumption are done (or, in a repair,
// assumed): the fixed run, then the successor or the completed reduction.
inline void AfterShift(const LrAction& act, TokenSet inherited) {
  TokenSet around = inherited | TransitionSetOf(act);
  ExpectRun(act.Run, act.RunLength, around);
  if (act.Kind == LrShift) {
    RunLrState(act.Target, around);
    PopCount -= act.RunLength;
  } else {
    SetReduction(act);
  }
}

// The goto of a state on a nonterminal: a call of the goto state, an inline
// reduction, or the accept.
inline void PerformGoto(const LrAction& act, TokenSet inherited) {
  switch (act.Kind) {
    case LrGotoCall: {
      TokenSet around = inherited | TransitionSetOf(act);
      ExpectRun(act.Run, act.RunLength, around);
      RunLrState(act.Target, around);
      PopCount -= act.RunLength;
      break;
    }
    case LrGotoReduce:
      ExpectRun(act.Run, act.RunLength, inherited | TransitionSetOf(act));
      SetReduction(act);
      break;
    case LrAccept:
      ReduceLhs = act.Lhs >= 0 ? act.Lhs : 0;
      ReduceProduction = -1;
      SublistHead = nullptr;
      SublistLast = nullptr;
      AcceptFlag = 1;
      PopCount = 0;
      break;
    default:
      InternalError(__FILE__, __LINE__);
  }
}

// The skipping loop of SyncToTokenSet (see the re-entry rule in lrengine.h).
void SkipToTokenSet(TokenSet s) {
  while (!InTokenSet(s)) {
    TokenCode t = CurrentToken;
    NextToken();
    int32_t r = Tables->reentry[t];
    if (r < 0) continue;
    const LrReentry& entry = A->Reentries[r];
    ExpectRun(entry.Run, entry.RunLength, s);
    if (entry.Target >= 0) {
      RunLrState(entry.Target, s);
      PopCount -= entry.RunLength;
    } else {
      ReduceLhs = entry.Lhs;
      ReduceProduction = entry.Production;
      SublistHead = nullptr;
      SublistLast = nullptr;
      PopCount = 0;
    }
  }
}

// The lowest frame address that a state routine may have: the bottom of the
// running thread's stack plus the reserve; null where it cannot be known, and
// then only the count of activations guards the depth.
uintptr_t StackFloor = 0;
bool StackFloorKnown = false;

void FindStackFloor() {
  StackFloorKnown = true;
#ifdef __GLIBC__
  pthread_attr_t attributes;
  if (pthread_getattr_np(pthread_self(), &attributes) != 0) return;
  void* bottom = nullptr;
  size_t size = 0;
  if (pthread_attr_getstack(&attributes, &bottom, &size) == 0 && size > 2 * ParserStackReserve)
    StackFloor = reinterpret_cast<uintptr_t>(bottom) + ParserStackReserve;
  pthread_attr_destroy(&attributes);
#endif
}

[[noreturn]] void NestingTooDeep() { FatalError(NestingTooDeepText); }

// The depth guard: input nested beyond ParserDepthLimit, or beyond what the
// stack holds, ends the run with one fatal message.
inline void EnterState() {
  if (++LrDepth > ParserDepthLimit) NestingTooDeep();
  if (reinterpret_cast<uintptr_t>(__builtin_frame_address(0)) < StackFloor) NestingTooDeep();
}

}  // namespace

void LrEngineModuleInit() {
  if (!EnterModuleInit(EngineInitFlag)) return;
  LrDepth = 0;
}

void SelectLrAutomaton(const LrAutomaton& automaton) {
  if (!StackFloorKnown) FindStackFloor();
  for (int i = 0; i < PreparedCount; ++i) {
    if (Prepared[i].automaton == &automaton) {
      A = &automaton;
      Tables = &Prepared[i];
      return;
    }
  }
  if (PreparedCount == MaxAutomata) InternalError(__FILE__, __LINE__);
  Prepare(Prepared[PreparedCount], automaton);
  A = &automaton;
  Tables = &Prepared[PreparedCount++];
}

void SyncToTokenSet(TokenSet s) {
  if (InTokenSet(s)) return;
  int32_t kept = RecoveryMode;
  RecoveryMode = 1;
  SyntaxErrorFlag = 1;
  ReportUnexpected();
  SkipToTokenSet(s);
  RecoveryMode = kept;
}

void ExpectToken(TokenCode t, TokenSet s, int32_t flag) {
  if (CurrentToken != t) SyncToTokenSet(s);
  RecordToken();
  if (CurrentToken == t) {
    NextToken();
  } else {
    ReportExpected(A->TokenNames[t], flag);
  }
}

// One state routine. The steps follow the protocol of support/automaton.h:
// entry (synchronisation or the fixed token), dispatch on the current token,
// then the common exit: return while PopCount > 0, else the goto loop.
void RunLrState(int32_t state, TokenSet inherited) {
  EnterState();
  const LrState& st = A->States[state];
  if (st.FixedToken) {
    const LrEntry& entry = A->Tokens[st.FirstToken];
    const LrAction& act = A->Actions[entry.Action];
    TokenCode t = entry.Symbol;
    ExpectToken(t, inherited | TransitionSetOf(act) | TokenSetOf(t), FlagOf(t));
    AfterShift(act, inherited);
  } else {
    TokenSet sync = inherited | Tables->sets[st.OwnSet];
    if (!InTokenSet(sync)) SyncToTokenSet(sync);
    int32_t index = Tables->tokenAction[static_cast<size_t>(state) * A->TokenCount + CurrentToken];
    const LrAction& act = A->Actions[index];
    switch (act.Kind) {
      case LrShift:
      case LrShiftReduce:
        RecordToken();
        NextToken();
        AfterShift(act, inherited);
        break;
      case LrReduce:
        SetReduction(act);
        --LrDepth;
        return;
      case LrEmptyReduce:
        SetReduction(act);
        break;
      case LrError: {
        BeginMessage(PositionCounter - TokenLength + 1, 0);
        PrintSymbolName(A->Messages[st.Message]);
        EndMessage();
        if (RecoveryMode == 0) SyntaxErrorFlag = 1;
        // Repair: go on as though the expected symbol had been read; nothing is
        // recorded for it and no token is consumed.
        const LrAction& repair = A->Actions[st.Repair];
        if (repair.Kind == LrShift || repair.Kind == LrShiftReduce) AfterShift(repair, inherited);
        else PerformGoto(repair, inherited);
        break;
      }
      default:
        InternalError(__FILE__, __LINE__);
    }
  }

  // The goto loop; the start state also stops once it has accepted.
  const int32_t* gotoRow = &Tables->gotoAction[static_cast<size_t>(state) * A->NonterminalCount];
  while (PopCount == 0 && !(state == 0 && AcceptFlag != 0)) {
    if (ReduceProduction >= 0) RecordReduction();
    ReductionRecord* savedHead = SublistHead;
    ReductionRecord* savedLast = SublistLast;
    int32_t index = gotoRow[ReduceLhs];
    if (index < 0) InternalError(__FILE__, __LINE__);
    PerformGoto(A->Actions[index], inherited);
    if (savedHead != nullptr) {
      savedLast->next = SublistHead;
      SublistHead = savedHead;
      if (SublistLast == nullptr) SublistLast = savedLast;
    }
  }
  --PopCount;
  --LrDepth;
}
