// The recursive-ascent engine that runs a generated LR automaton (support/
// automaton.h), with the token sets and the error recovery of every parser of
// the tool set: the Java parser, the configuration parser and the launcher's
// settings parser all run their automata here, whatever the width of their
// token sets (the automaton's SetWords, one to four words).
//
// Each state runs as one activation of the state routine: a shift calls the
// successor state, a reduction returns through as many activations as the
// production has symbols (PopCount), and the state then on top performs the
// goto in a loop of its own. The parse trace (support/trace.h) is recorded on
// the way, so the parser's stack is the chain of active calls and nothing
// else; deep input is handled by the large program stack.
//
// Depth guard: input nested beyond the grammar's depth limit, or beyond what
// the stack holds, abandons the parse. The limit counts nesting: the
// activations that a long flat list leaves on the stack (one or two per
// element, in the states after an element of a right-recursive list) do not
// count, so such a list is bounded only by the stack itself. The stack's floor
// is taken from the stack that the parsing thread really has, however small.
// Every active routine then returns at once, and the one fatal message, at the
// position where the limit was reached, is given only when the stack is
// unwound, by whichever of LrParseStart, SyncToTokenSet, ExpectToken or
// RunLrState was called from outside the engine; the exit then runs on a short
// stack. The message is NestingTooDeepText, or TooLongForStackText when the
// stack ran out with more list tails than nesting routines active.
//
// Error recovery:
//   1. Every state synchronises first on its inherited set united with its own
//      set (SyncToTokenSet): a token outside it is reported once as
//      "unexpected symbol" and tokens are skipped until one is in the set.
//   2. While skipping, a token that opens a construct of its own (the
//      automaton's re-entry table) is not simply dropped: the construct after
//      it is parsed, unrecorded, by the state that follows that token, so a
//      stray operator does not leave its operand to be reported again.
//   3. Fixed tokens shifted inline go through ExpectToken, which inserts a
//      missing token with "<name> expected, <found> encountered".
//   4. A state with no action for the current token prints its one "<symbol>
//      expected " line and repairs as if the symbol had been read, without
//      consuming anything; only synchronisation consumes tokens, so the parse
//      always moves towards the end of the input, which every set holds.
#pragma once

#include <cstdint>

#include "support/automaton.h"
#include "support/scanbuf.h"

// A set of token codes: code c is bit c % 32 of word c / 32. Passed by value.
// Always four words; a grammar with fewer tokens leaves the upper words 0.
struct TokenSet {
  uint32_t word[4];
};

inline TokenSet operator|(TokenSet a, TokenSet b) {
  return TokenSet{{a.word[0] | b.word[0], a.word[1] | b.word[1], a.word[2] | b.word[2],
                   a.word[3] | b.word[3]}};
}

// The set holding the one code.
inline TokenSet TokenSetOf(TokenCode code) {
  TokenSet s{{0, 0, 0, 0}};
  s.word[code >> 5] = uint32_t{1} << (code & 31);
  return s;
}

// 1 when CurrentToken is in s, else 0.
inline int32_t InTokenSet(TokenSet s) {
  return static_cast<int32_t>((s.word[CurrentToken >> 5] >> (CurrentToken & 31)) & 1);
}

// Makes the automaton the one that the routines below run, with its depth
// limit (active state routines at most, list tails not counted); its lookup tables are built on first
// use. The automaton must have at most 128 tokens.
void SelectLrAutomaton(const LrAutomaton& automaton, int32_t depthLimit);

// The parse of one input with the selected automaton: resets the trace, reads
// the first token, runs the start state with {endOfFile}, records the token on
// which it stopped and rewinds the trace's cursors. The tokens after the
// accepted input are left to the caller (SyncToTokenSet with {endOfFile}).
void LrParseStart(TokenCode endOfFile);

// Returns with the current token in s, having reported and skipped what was not.
void SyncToTokenSet(TokenSet s);

// The skipping loop of SyncToTokenSet, without its report: consumes tokens
// (unrecorded) until the current token is in s; a skipped token that opens a
// construct has that construct parsed, with s, before the test is made again.
void SkipToTokenSet(TokenSet s);

// Shifts token t, inserting it when it is missing. s is the caller's set for the
// token after t, united with {t}; flag is 1 for the identifier token (a missing
// identifier then sets SyntaxErrorFlag), else 0.
void ExpectToken(TokenCode t, TokenSet s, int32_t flag);

// Runs the routine of state `state` with the inherited set.
void RunLrState(int32_t state, TokenSet inherited);

// The fatal message of input nested beyond the depth limit, or beyond what
// the stack holds.
inline constexpr char NestingTooDeepText[] = "input nested too deeply for the parser";

// The fatal message of input whose flat lists leave more routines active
// than the stack holds, with little nesting: too long, not too deep.
inline constexpr char TooLongForStackText[] = "input too long for the parser's stack";

// For the builders that replay an accepted parse by recursion, one call per
// level: ends the run with NestingTooDeepText when the running thread's stack
// is down to the parser's reserve, so that input that the parser accepted on a
// small stack cannot overflow it in a builder with larger frames.
void GuardReplayStack();

// Active state routines at the moment that count as nesting, list tails left
// out (0 outside a parse).
extern int32_t LrDepth;

// Once-only init of the engine module.
void LrEngineModuleInit();
