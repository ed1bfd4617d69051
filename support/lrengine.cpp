// The recursive-ascent engine: token-set synchronisation, skipping with
// re-entry, inline token shifts, and the state routine that runs one state of a
// generated automaton under the recursive-ascent protocol. One engine serves
// every grammar; nothing in it depends on a grammar's tokens or states.
//
// The generated tables keep each state's actions as short sorted lists; on
// first use the engine spreads them into dense tables (state x token, state x
// nonterminal) so that a dispatch is one load, and turns every token set, of
// whatever width, into a four-word TokenSet.
//
// The common path does only what the parse needs. A token set is read only
// when something goes wrong (synchronisation, a missing token, a repair), so
// unions are formed only for the calls that hand one on and for missing
// tokens; a state's own set is the sign of its token actions; a successor
// that would reduce at once is not entered; an inline reduction without fixed
// tokens leaves the reduction sublist alone. Messages and traces are those of
// the plain protocol (tools/corpus/mutate-compare compares two builds).
//
// An abandoned parse (the depth guard) unwinds without a check on the common
// path: the depth bound drops below 0, so every routine entered afterwards returns
// at once, with PopCount so large that its callers return in turn instead of
// taking a goto. Only the recovery paths (synchronisation, skipping, a missing
// fixed token) test the flag, so that nothing more is skipped, re-entered or
// reported on the way out.
#include "support/lrengine.h"

#include <pthread.h>
#if __has_include(<sys/resource.h>)
#include <sys/resource.h>
#endif

#include <cstring>
#include <vector>

#include "support/limits.h"
#include "support/replay.h"
#include "support/report.h"
#include "support/startup.h"
#include "support/trace.h"

int32_t LrDepth = 0;

namespace {

// What a state routine reads at its entry, in one record per state.
struct StateEntry {
  const int16_t* tokenRow;  // token -> action index, its complement (~index) outside the own set (all of a fixed-token state)
  const int16_t* gotoRow;   // nonterminal -> action index
  const TokenSet* own;      // the own set
  int32_t nesting;          // 1 when the activation counts as nesting, 0 for a list tail
  int16_t fixedAction;      // the one action of a fixed-token state, else -1
  int16_t fixedToken;       // its token
  int16_t repair;           // the action of the state's error branch
};

// The lookup tables of one automaton. Action indices are 16 bits wide in the
// generated entries, and so they are here, which halves the dense tables.
// The actions are renumbered so that the plain reductions (LrReduce) come
// last, from firstReduce on: whether a state reduces at once on a token is
// then one comparison of the index in its row.
struct LrTables {
  const LrAutomaton* automaton = nullptr;
  std::vector<LrAction> actions;     // the automaton's actions and NoGoto, the plain reductions last
  int32_t firstReduce = 0;           // the index of the first plain reduction
  std::vector<int16_t> tokenAction;  // [state * TokenCount + token] -> action index, ~index outside the own set
  std::vector<int16_t> gotoAction;   // [state * NonterminalCount + nt] -> action index, NoGoto none
  std::vector<TokenSet> sets;        // [i + 1] is Sets[i] as a TokenSet; [0] is empty (index -1)
  std::vector<int16_t> reentry;      // [token] -> index in Reentries, -1 none
  std::vector<StateEntry> entries;   // [state]
  TokenCode identifier = -1;         // the token shifted with flag 1
};

// The automaton being run, flattened so that every table is one load away.
struct RunningAutomaton {
  const LrState* states;
  const LrAction* actions;
  const TokenSet* sets;  // indexed by set number + 1
  const int16_t* reentry;
  const StateEntry* entries;
  const int16_t* runTokens;
  const LrReentry* reentries;
  const char* const* tokenNames;
  const char* const* messages;
  TokenCode identifier;
  int32_t firstReduce;
};

// Automata prepared so far (one per grammar of a program).
constexpr int MaxAutomata = 4;
LrTables Prepared[MaxAutomata];
int PreparedCount = 0;

RunningAutomaton R{};

// The selected grammar's depth limit, and the bound that the state routines
// test: the limit, or 0 once the parse has been abandoned.
int32_t DepthLimit = ParserDepthLimit;
int32_t DepthBound = ParserDepthLimit;

// Active state routines, list tails included; with LrDepth it tells, when the
// stack runs out, whether nesting or a long flat list took it.
int32_t ActiveStates = 0;

// Set when the parse was abandoned; the position counter at that moment, where
// the fatal message points, and the message: NestingTooDeepText, or
// TooLongForStackText when the stack ran out with more list tails than
// nesting routines active.
bool Abandoned = false;
SourcePosition AbandonPosition = 0;
const char* AbandonText = NestingTooDeepText;

// PopCount while an abandoned parse unwinds: more than any chain of active
// routines can count down, so that no goto loop is taken on the way out.
constexpr int32_t UnwindPopCount = 1 << 30;

int32_t EngineInitFlag = 0;

// A list nonterminal: one of its productions ends with the nonterminal itself
// (X -> Item, X -> Item [separator] X), so that a list of n elements is n nested
// productions.
bool IsListNonterminal(const LrAutomaton& a, int32_t lhs) {
  for (int32_t p = 0; p < a.ProductionCount; ++p) {
    const LrProduction& prod = a.Productions[p];
    if (prod.Lhs == lhs && prod.Length > 0 && a.RhsSymbols[prod.FirstSymbol + prod.Length - 1] == lhs + a.TokenCount)
      return true;
  }
  return false;
}

// A list tail: a state whose every kernel item lies inside a production of a
// list nonterminal, after its first element. Its activation stays on the
// stack while the rest of the list is parsed, one per element, so a long flat
// list holds many of them without any nesting in the input.
bool IsListTail(const LrAutomaton& a, const LrState& st) {
  if (st.KernelCount == 0) return false;
  for (int32_t k = 0; k < st.KernelCount; ++k) {
    const LrItem& item = a.Kernels[st.FirstKernel + k];
    if (item.Dot < 1 || !IsListNonterminal(a, a.Productions[item.Production].Lhs)) return false;
  }
  return true;
}

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
  if (actionCount >= INT16_MAX) InternalError(__FILE__, __LINE__);
  // A goto that the tables lack leads to an action of no goto kind, which
  // ends in the internal error of the goto dispatch.
  LrAction noGoto{};
  noGoto.Kind = LrError;
  // renumbered[i]: the index of the automaton's action i in t.actions.
  std::vector<int16_t> renumbered(static_cast<size_t>(actionCount));
  t.actions.clear();
  for (int32_t i = 0; i < actionCount; ++i) {
    if (a.Actions[i].Kind == LrReduce) continue;
    renumbered[i] = static_cast<int16_t>(t.actions.size());
    t.actions.push_back(a.Actions[i]);
  }
  const auto noGotoIndex = static_cast<int16_t>(t.actions.size());
  t.actions.push_back(noGoto);
  t.firstReduce = static_cast<int32_t>(t.actions.size());
  for (int32_t i = 0; i < actionCount; ++i) {
    if (a.Actions[i].Kind != LrReduce) continue;
    renumbered[i] = static_cast<int16_t>(t.actions.size());
    t.actions.push_back(a.Actions[i]);
  }
  t.sets.assign(static_cast<size_t>(setCount) + 1, TokenSet{{0, 0, 0, 0}});
  for (int32_t i = 0; i < setCount; ++i)
    for (int32_t w = 0; w < a.SetWords; ++w) t.sets[i + 1].word[w] = a.Sets[i * a.SetWords + w];

  t.tokenAction.assign(static_cast<size_t>(a.StateCount) * a.TokenCount, -1);
  t.gotoAction.assign(static_cast<size_t>(a.StateCount) * a.NonterminalCount, noGotoIndex);
  for (int32_t s = 0; s < a.StateCount; ++s) {
    const LrState& st = a.States[s];
    int16_t* row = &t.tokenAction[static_cast<size_t>(s) * a.TokenCount];
    if (st.Default < 0) InternalError(__FILE__, __LINE__);
    for (int32_t c = 0; c < a.TokenCount; ++c) row[c] = renumbered[st.Default];
    for (int32_t i = 0; i < st.TokenCount; ++i)
      row[a.Tokens[st.FirstToken + i].Symbol] = renumbered[a.Tokens[st.FirstToken + i].Action];
    // The state's entry reads its own set from the sign of the action. A
    // fixed-token state dispatches on no row; all of its row is negative, so
    // that it is never taken for a state that reduces at once.
    const TokenSet& own = t.sets[st.OwnSet + 1];
    for (int32_t c = 0; c < a.TokenCount; ++c)
      if (st.FixedToken || ((own.word[c >> 5] >> (c & 31)) & 1) == 0) row[c] = static_cast<int16_t>(~row[c]);
    int16_t* gotoRow = &t.gotoAction[static_cast<size_t>(s) * a.NonterminalCount];
    for (int32_t i = 0; i < st.GotoCount; ++i)
      gotoRow[a.Gotos[st.FirstGoto + i].Symbol] = renumbered[a.Gotos[st.FirstGoto + i].Action];
  }
  t.entries.resize(static_cast<size_t>(a.StateCount));
  for (int32_t s = 0; s < a.StateCount; ++s) {
    const LrState& st = a.States[s];
    StateEntry& e = t.entries[s];
    e.tokenRow = &t.tokenAction[static_cast<size_t>(s) * a.TokenCount];
    e.gotoRow = &t.gotoAction[static_cast<size_t>(s) * a.NonterminalCount];
    e.own = &t.sets[st.OwnSet + 1];
    e.nesting = IsListTail(a, st) ? 0 : 1;
    e.fixedAction = st.FixedToken ? renumbered[a.Tokens[st.FirstToken].Action] : -1;
    e.repair = st.Repair >= 0 ? renumbered[st.Repair] : -1;
    e.fixedToken = st.FixedToken ? a.Tokens[st.FirstToken].Symbol : -1;
  }
  t.reentry.assign(static_cast<size_t>(a.TokenCount), -1);
  for (int32_t i = 0; i < a.ReentryCount; ++i) t.reentry[a.Reentries[i].Token] = static_cast<int16_t>(i);
  for (int32_t c = 0; c < a.TokenCount; ++c)
    if (std::strcmp(a.TokenNames[c], "Identifiersym") == 0) t.identifier = c;
}

// The state routine and the recovery steps stay out of line: inlined into
// the state routine, they would enlarge the frame of every active state.
// Inside the engine the sets go by reference to the caller's copy, which is
// stored once at full width; a set passed by value arrives in two registers
// and is stored in halves that the vector code then reloads whole, a stall at
// every state's entry.
void RunState(int32_t state, const TokenSet& inherited);
[[gnu::noinline]] void Sync(const TokenSet& s);
[[gnu::noinline]] void Expect(TokenCode t, const TokenSet& around, const TokenSet& more, int32_t flag);

// The transition set of an action (empty when it has none).
inline const TokenSet& TransitionSetOf(const LrAction& act) {
  return R.sets[act.TransitionSet + 1];
}

inline int32_t FlagOf(TokenCode t) { return t == R.identifier ? 1 : 0; }

// ExpectToken for each fixed token of a run, with `around` (united with the
// token).
inline void ExpectRun(int32_t run, int32_t length, const TokenSet& around) {
  for (int32_t i = 0; i < length; ++i) {
    TokenCode u = R.runTokens[run + i];
    Expect(u, around, R.sets[0], FlagOf(u));
  }
}

inline void SetReduction(const LrAction& act) {
  ReduceLhs = act.Lhs;
  ReduceProduction = act.Production;
  SublistHead = nullptr;
  SublistLast = nullptr;
  PopCount = act.PopCount;
}

// A successor state that reduces at once on the current token (one of its own
// set, so it would not synchronise) is not entered: its reduction is set here,
// as its routine would set it and return, and the result is true. The depth
// limit still counts it, so that a parse is abandoned where it would have been.
inline bool ReducedAtOnce(int32_t target) {
  const StateEntry& e = R.entries[target];
  int32_t index = e.tokenRow[CurrentToken];
  if (index < R.firstReduce || LrDepth + e.nesting > DepthBound) return false;
  SetReduction(R.actions[index]);
  return true;
}

// The call of an action's target state after its fixed run, with the
// inherited set united with the action's transition set; the union is formed
// only when the run or the state reads it.
inline void CallTarget(const LrAction& act, const TokenSet& inherited) {
  if (act.RunLength == 0) {
    if (ReducedAtOnce(act.Target)) return;
    TokenSet around = inherited | TransitionSetOf(act);
    RunState(act.Target, around);
    return;
  }
  TokenSet around = inherited | TransitionSetOf(act);
  ExpectRun(act.Run, act.RunLength, around);
  if (!ReducedAtOnce(act.Target)) RunState(act.Target, around);
  PopCount -= act.RunLength;
}

// The shift of a token whose record and consumption are done (or, in a repair,
// assumed): the successor, or the fixed run and the completed reduction.
inline void AfterShift(const LrAction& act, const TokenSet& inherited) {
  if (act.Kind == LrShift) {
    CallTarget(act, inherited);
    return;
  }
  if (act.RunLength != 0) ExpectRun(act.Run, act.RunLength, inherited | TransitionSetOf(act));
  SetReduction(act);
}

// The goto of a state on a nonterminal: a call of the goto state, an inline
// reduction, or the accept (true).
inline bool PerformGoto(const LrAction& act, const TokenSet& inherited) {
  switch (act.Kind) {
    case LrGotoCall:
      CallTarget(act, inherited);
      break;
    case LrGotoReduce:
      if (act.RunLength != 0) ExpectRun(act.Run, act.RunLength, inherited | TransitionSetOf(act));
      SetReduction(act);
      break;
    case LrAccept:
      ReduceLhs = act.Lhs >= 0 ? act.Lhs : 0;
      ReduceProduction = -1;
      SublistHead = nullptr;
      SublistLast = nullptr;
      AcceptFlag = 1;
      PopCount = 0;
      return true;
    default:
      InternalError(__FILE__, __LINE__);
  }
  return false;
}

// The skipping loop of SyncToTokenSet (see the re-entry rule in lrengine.h).
// An abandoned parse stops it at once.
void Skip(const TokenSet& s) {
  while (!InTokenSet(s)) {
    TokenCode t = CurrentToken;
    NextToken();
    int32_t r = R.reentry[t];
    if (r < 0) continue;
    const LrReentry& entry = R.reentries[r];
    ExpectRun(entry.Run, entry.RunLength, s);
    if (Abandoned) return;
    if (entry.Target >= 0) {
      RunState(entry.Target, s);
      if (Abandoned) return;
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
// running thread's stack plus a reserve, a quarter of the stack and at most
// ParserStackReserve, for the calls that a state makes between two depth
// checks (scanner, messages, trace records). Found for the thread that parses
// (the program's large thread, or the process's own stack, however small,
// when that thread could not be made) and found again when another thread
// parses.
uintptr_t StackFloor = 0;
bool StackFloorKnown = false;
pthread_t StackFloorThread;

void FindStackFloor() {
  StackFloorKnown = true;
  StackFloorThread = pthread_self();
  StackFloor = 0;
  uintptr_t bottom = 0;
  size_t size = 0;
#ifdef __GLIBC__
  pthread_attr_t attributes;
  if (pthread_getattr_np(pthread_self(), &attributes) == 0) {
    void* low = nullptr;
    if (pthread_attr_getstack(&attributes, &low, &size) != 0) size = 0;
    bottom = reinterpret_cast<uintptr_t>(low);
    pthread_attr_destroy(&attributes);
  }
#endif
#ifdef RLIMIT_STACK
  if (size == 0) {
    // Without the thread's own figures: the process's stack limit, counted
    // down from this frame; what the callers above it use comes out of the
    // reserve.
    struct rlimit limit;
    uintptr_t here = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
    if (getrlimit(RLIMIT_STACK, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < here) {
      size = static_cast<size_t>(limit.rlim_cur);
      bottom = here - size;
    }
  }
#endif
  if (size == 0) return;
  size_t reserve = size / 4 < ParserStackReserve ? size / 4 : ParserStackReserve;
  StackFloor = bottom + reserve;
}

// The floor for the running thread.
void KnowStackFloor() {
  if (!StackFloorKnown || !pthread_equal(StackFloorThread, pthread_self())) FindStackFloor();
}

// Abandons the parse: keeps the position of the first time, and makes every
// active routine return at once.
void Abandon() {
  if (!Abandoned) {
    Abandoned = true;
    AbandonPosition = PositionCounter;
    bool longList = LrDepth <= DepthBound && ActiveStates - LrDepth > LrDepth;
    AbandonText = longList ? TooLongForStackText : NestingTooDeepText;
    DepthBound = -1;
  }
  PopCount = UnwindPopCount;
}

// The depth guard at the entry of a state routine, which counts `nesting` (1,
// or 0 for a list tail) into LrDepth and the routine into ActiveStates: false
// (the parse being abandoned) for input nested beyond the depth limit or
// beyond what the stack holds, and for every routine entered once the parse
// is abandoned. LeaveState undoes the counts.
inline void LeaveState(int32_t nesting) {
  LrDepth -= nesting;
  --ActiveStates;
}

inline bool EnterState(int32_t nesting) {
  LrDepth += nesting;
  ++ActiveStates;
  if (LrDepth > DepthBound || reinterpret_cast<uintptr_t>(__builtin_frame_address(0)) < StackFloor) {
    Abandon();
    LeaveState(nesting);
    return false;
  }
  return true;
}

// Called by the routines that are entered from outside the engine: once an
// abandoned parse has unwound, its one fatal message, at the position where
// the limit was reached. The stack is short again by then, so the exit runs
// on a shallow stack.
inline void FinishAbandoned() {
  if (Abandoned && LrDepth == 0) {
    PositionCounter = AbandonPosition;
    FatalError(AbandonText);
  }
}

void Sync(const TokenSet& s) {
  if (InTokenSet(s) || Abandoned) return;
  int32_t kept = RecoveryMode;
  RecoveryMode = 1;
  SyntaxErrorFlag = 1;
  ReportUnexpected();
  Skip(s);
  RecoveryMode = kept;
}

// The synchronisation set of a missing token (around, more and the token) is
// formed only when it is read.
void Expect(TokenCode t, const TokenSet& around, const TokenSet& more, int32_t flag) {
  if (CurrentToken != t) {
    Sync(around | more | TokenSetOf(t));
    if (Abandoned) return;
  }
  RecordToken();
  if (CurrentToken == t) {
    NextToken();
  } else {
    ReportExpected(R.tokenNames[t], flag);
  }
}

// The error branch of a state: its one message, then the repair, which goes
// on as though the expected symbol had been read; nothing is recorded for it
// and no token is consumed. True when the repair is the start state's accept.
[[gnu::noinline]] bool ReportAndRepair(int32_t state, const TokenSet& inherited) {
  const LrState& st = R.states[state];
  BeginMessage(PositionCounter - TokenLength + 1, 0);
  PrintSymbolName(R.messages[st.Message]);
  EndMessage();
  if (RecoveryMode == 0) SyntaxErrorFlag = 1;
  const LrAction& repair = R.actions[R.entries[state].repair];
  if (repair.Kind == LrShift || repair.Kind == LrShiftReduce) {
    AfterShift(repair, inherited);
    return false;
  }
  return PerformGoto(repair, inherited);
}

// One state routine. The steps follow the protocol of support/automaton.h:
// entry (synchronisation or the fixed token), dispatch on the current token,
// then the common exit: return while PopCount > 0, else the goto loop.
void RunState(int32_t state, const TokenSet& inherited) {
  const StateEntry& st = R.entries[state];
  const int32_t nesting = st.nesting;
  if (!EnterState(nesting)) return;
  if (st.fixedAction >= 0) {
    const LrAction& act = R.actions[st.fixedAction];
    TokenCode t = st.fixedToken;
    Expect(t, inherited, TransitionSetOf(act), FlagOf(t));
    AfterShift(act, inherited);
  } else {
    // A token outside the own set has its action's complement in the row.
    // The synchronisation set is the union of the own and the inherited set;
    // it is built only when the current token is in neither.
    int32_t index = st.tokenRow[CurrentToken];
    if (index < 0) {
      if (!InTokenSet(inherited)) {
        Sync(inherited | *st.own);
        if (Abandoned) {
          LeaveState(nesting);
          return;
        }
      }
      index = st.tokenRow[CurrentToken];
      if (index < 0) index = ~index;
    }
    const LrAction& act = R.actions[index];
    switch (act.Kind) {
      case LrShift:
      case LrShiftReduce:
        RecordToken();
        NextToken();
        AfterShift(act, inherited);
        break;
      case LrReduce:
        SetReduction(act);
        LeaveState(nesting);
        return;
      case LrEmptyReduce:
        SetReduction(act);
        break;
      case LrError:
        if (ReportAndRepair(state, inherited)) goto accepted;
        break;
      default:
        InternalError(__FILE__, __LINE__);
    }
  }

  // The goto loop; the start state also stops once it has accepted. The
  // registers of the pending reduction are kept in locals while the loop
  // stays in this activation (the inline reductions), and stored before
  // anything else may read or set them.
  {
    const int16_t* gotoRow = st.gotoRow;
    const LrAction* actions = R.actions;
    const StateEntry* entries = R.entries;
    int32_t lhs = ReduceLhs;
    int32_t production = ReduceProduction;
    int32_t pops = PopCount;
    // The free slots of the record that the loop pushed last, while the
    // reductions follow each other with nothing else recorded.
    int32_t chainSlots = 0;
    while (pops == 0) {
      if (production >= 0) RecordChainStep(production, chainSlots);
      const LrAction& act = actions[gotoRow[lhs]];
      if (act.Kind == LrGotoReduce && act.RunLength == 0) {
        // An inline reduction without fixed tokens would empty the sublist
        // and have the splice restore it: the sublist stays as it is.
        lhs = act.Lhs;
        production = act.Production;
        pops = act.PopCount;
        continue;
      }
      if (act.Kind == LrGotoCall && act.RunLength == 0) {
        // A goto state that reduces at once is not entered (ReducedAtOnce),
        // and since nothing is recorded meanwhile, emptying the sublist and
        // splicing it back would leave it as it is: it stays, as above.
        const StateEntry& e = entries[act.Target];
        int32_t index = e.tokenRow[CurrentToken];
        if (index >= R.firstReduce && LrDepth + e.nesting <= DepthBound) {
          const LrAction& reduction = actions[index];
          lhs = reduction.Lhs;
          production = reduction.Production;
          pops = reduction.PopCount;
          continue;
        }
      }
      ReduceLhs = lhs;
      ReduceProduction = production;
      PopCount = pops;
      int16_t* savedHead = SublistHead;
      ReductionRecord* savedLast = SublistLast;
      chainSlots = 0;
      bool accept = PerformGoto(act, inherited);
      if (savedHead != nullptr) {
        savedLast->next = SublistHead;
        SublistHead = savedHead;
        if (SublistLast == nullptr) SublistLast = savedLast;
      }
      lhs = ReduceLhs;
      production = ReduceProduction;
      pops = PopCount;
      if (accept) break;
    }
    ReduceLhs = lhs;
    ReduceProduction = production;
    PopCount = pops;
  }
accepted:
  --PopCount;
  LeaveState(nesting);
}

}  // namespace

void LrEngineModuleInit() {
  if (!EnterModuleInit(EngineInitFlag)) return;
  LrDepth = 0;
}

void SelectLrAutomaton(const LrAutomaton& automaton, int32_t depthLimit) {
  KnowStackFloor();
  DepthLimit = depthLimit;
  DepthBound = depthLimit;
  Abandoned = false;
  int i = 0;
  while (i < PreparedCount && Prepared[i].automaton != &automaton) ++i;
  if (i == PreparedCount) {
    if (PreparedCount == MaxAutomata) InternalError(__FILE__, __LINE__);
    Prepare(Prepared[PreparedCount++], automaton);
  }
  const LrTables& t = Prepared[i];
  R = RunningAutomaton{.states = automaton.States,
                       .actions = t.actions.data(),
                       .sets = t.sets.data(),
                       .reentry = t.reentry.data(),
                       .entries = t.entries.data(),
                       .runTokens = automaton.RunTokens,
                       .reentries = automaton.Reentries,
                       .tokenNames = automaton.TokenNames,
                       .messages = automaton.Messages,
                       .identifier = t.identifier,
                       .firstReduce = t.firstReduce};
}

void LrParseStart(TokenCode endOfFile) {
  KnowStackFloor();
  ResetParseTrace();
  LrDepth = 0;
  ActiveStates = 0;
  DepthBound = DepthLimit;
  Abandoned = false;
  NextToken();
  RunLrState(0, TokenSetOf(endOfFile));
  RecordToken();
  RewindParseTrace();
}

void SyncToTokenSet(TokenSet s) {
  Sync(s);
  FinishAbandoned();
}

void SkipToTokenSet(TokenSet s) {
  Skip(s);
  FinishAbandoned();
}

void ExpectToken(TokenCode t, TokenSet s, int32_t flag) {
  Expect(t, s, R.sets[0], flag);
  FinishAbandoned();
}

void GuardReplayStack() {
  KnowStackFloor();
  if (reinterpret_cast<uintptr_t>(__builtin_frame_address(0)) < StackFloor) FatalError(NestingTooDeepText);
}

void RunLrState(int32_t state, TokenSet inherited) {
  RunState(state, inherited);
  FinishAbandoned();
}
