// Generated LR automata: the record types that the grammar generator (tools/lrgen)
// emits for every grammar of the tool set (Java, the configuration language and the
// launcher's settings), and that a recursive-ascent engine runs.
//
// The generator writes one `LrAutomaton` constant per grammar (for Java:
// `JavaAutomaton`, declared in java/parser/automaton.h). Everything in it is
// constant data; nothing is computed at run time.
//
// How an engine runs a state S (one routine per state, the parser's stack being the
// chain of active calls):
//
//  1. Entry. If S.FixedToken is set, the state's only action is the shift of one
//     token (S.Tokens holds exactly that entry): the routine begins with ExpectToken
//     for that token instead of a synchronisation, then performs the entry's action
//     as a shift. Otherwise it synchronises on (inherited set | own set), where the
//     own set is Sets[S.OwnSet]; `endoffile` is never part of an own set.
//  2. Dispatch on the current token through the entries Tokens[S.FirstToken ..
//     S.FirstToken + S.TokenCount) (sorted by token code). A token without an entry
//     takes S.Default. The entry's action is one of:
//       - LrShift: record and consume the token, then ExpectToken each of the
//         RunLength fixed tokens RunTokens[Run ..] (flag 1 for the identifier token,
//         else 0; set: inherited | Sets[TransitionSet] | {that token}), call state
//         Target with (inherited | Sets[TransitionSet]), then PopCount -= RunLength.
//       - LrShiftReduce: record and consume the token, ExpectToken the run as
//         above, then set the reduction registers (Lhs, Production, empty sublist,
//         PopCount := the stored PopCount) and go on with step 3.
//       - LrReduce: set the registers with the stored PopCount (right-hand-side
//         length minus one) and return at once.
//       - LrEmptyReduce: set the registers of the empty production with PopCount 0
//         and go on with the goto loop of this routine.
//  3. If PopCount > 0: PopCount -= 1 and return. Otherwise the goto loop: record
//     the pending production when Production >= 0, save the sublist, dispatch on
//     ReduceLhs through Gotos[S.FirstGoto .. S.FirstGoto + S.GotoCount) (sorted by
//     nonterminal number):
//       - LrGotoCall: ExpectToken the run, call Target with (inherited |
//         Sets[TransitionSet]), PopCount -= RunLength;
//       - LrGotoReduce: ExpectToken the run, then the registers of the inline
//         reduction (Lhs, Production, empty sublist, stored PopCount);
//       - LrAccept: ReduceLhs := the goal, Production -1, AcceptFlag := 1,
//         PopCount := 0 (only in the start state; its loop ends on AcceptFlag);
//     then splice the saved sublist in front; loop while PopCount = 0. After the
//     loop PopCount -= 1 and return.
//  4. The default action S.Default is an LrReduce (a complete kernel item), an
//     LrEmptyReduce (the continuation symbol has a direct empty production), or
//     LrError. An LrError default prints Messages[S.Message] (a symbol name and
//     "expected ", ready to print), sets SyntaxErrorFlag unless in recovery, and
//     repairs by the action at Actions[S.Repair] without recording the token or
//     consuming it: the token action of a missing token, or the goto action of a
//     missing nonterminal (as if it had been reduced).
//
// Stored PopCount values are those of the protocol: LrReduce stores the right-hand
// side length minus one; LrShiftReduce and LrGotoReduce store the number of
// right-hand-side symbols in front of the symbol that the state advances (those
// reductions leave through the routine's common exit, which subtracts one more).
//
// The re-entry table lists, for the tokens that open a construct of their own, what
// the skipping loop of error recovery runs after dropping that token: the fixed run
// to expect, then either a call of Target (PopCount -= RunLength afterwards) or, when
// Target is -1, the registers of the reduction Lhs/Production with PopCount 0.
#ifndef SUPPORT_AUTOMATON_H
#define SUPPORT_AUTOMATON_H

#include <cstdint>
#include <cstdio>

enum LrActionKind : uint8_t {
  LrShift,
  LrShiftReduce,
  LrReduce,
  LrEmptyReduce,
  LrGotoCall,
  LrGotoReduce,
  LrAccept,
  LrError
};

// One action of a state. Fields that an action kind does not use hold -1 (0 for
// RunLength).
struct LrAction {
  uint8_t Kind;
  uint8_t RunLength;      // fixed tokens shifted inline with ExpectToken
  int16_t Target;         // state called
  int16_t Lhs;            // nonterminal reduced
  int16_t Production;     // production number reduced, -1 when it leaves no record
  int16_t PopCount;       // value stored in PopCount by a reduction
  int16_t TransitionSet;  // index of the transition set in Sets
  int32_t Run;            // index of the first run token in RunTokens
  int32_t Rule;           // grammar production reduced (its number even when unrecorded)
};

// A token or nonterminal of a state's dispatch and the index of its action.
struct LrEntry {
  int16_t Symbol;
  int16_t Action;
};

// A kernel item: production and dot position.
struct LrItem {
  int16_t Production;
  int16_t Dot;
};

struct LrState {
  const char* Name;        // routine name, e.g. "JavaState016Star"
  int32_t OwnSet;          // index in Sets
  uint8_t FixedToken;      // 1: the only action is the shift of one token
  int32_t FirstToken, TokenCount;
  int32_t FirstGoto, GotoCount;
  int32_t FirstKernel, KernelCount;
  int32_t Default;         // index in Actions
  int32_t Message;         // index in Messages for an LrError default, else -1
  int32_t Repair;          // index in Actions for an LrError default, else -1
};

struct LrProduction {
  int16_t Lhs;
  int16_t Length;
  int16_t FirstSymbol;     // index in RhsSymbols: token codes, or nonterminals + TokenCount
  uint8_t Recorded;        // the left-hand side has two or more productions
};

struct LrReentry {
  int16_t Token;
  int16_t RunLength;
  int32_t Run;             // index in RunTokens
  int16_t Target;          // state called, or -1 for a reduction
  int16_t Lhs;
  int16_t Production;      // -1 when unrecorded
};

struct LrAutomaton {
  const char* GrammarName;
  int32_t TokenCount;      // token codes 0 .. TokenCount - 1
  int32_t NonterminalCount;
  int32_t SetWords;        // 32-bit words per token set
  int32_t StateCount;
  int32_t ProductionCount;
  int32_t ReentryCount;
  const char* const* TokenNames;
  const char* const* NonterminalNames;
  const LrState* States;
  const LrAction* Actions;
  const LrEntry* Tokens;
  const LrEntry* Gotos;
  const LrItem* Kernels;
  const uint32_t* Sets;    // SetWords words per set; code c is bit c % 32 of word c / 32
  const int16_t* RunTokens;
  const char* const* Messages;
  const LrProduction* Productions;
  const int16_t* RhsSymbols;
  const LrReentry* Reentries;
};

// The name of a grammar symbol as RhsSymbols holds it: a token code, or a
// nonterminal + TokenCount.
inline const char* LrSymbolName(const LrAutomaton& a, int32_t symbol) {
  return symbol < a.TokenCount ? a.TokenNames[symbol] : a.NonterminalNames[symbol - a.TokenCount];
}

// Writes the production's text, "Lhs :" and " symbol" for each symbol of its
// right side, without a line end (the parse tools print it beside its number).
inline void WriteLrProduction(std::FILE* out, const LrAutomaton& a, int32_t production) {
  const LrProduction& p = a.Productions[production];
  std::fprintf(out, "%s :", a.NonterminalNames[p.Lhs]);
  for (int32_t i = 0; i < p.Length; ++i) std::fprintf(out, " %s", LrSymbolName(a, a.RhsSymbols[p.FirstSymbol + i]));
}

#endif
