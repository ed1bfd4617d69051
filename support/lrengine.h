// The recursive-ascent engine that runs a generated LR automaton (support/
// automaton.h), with the token sets and the error recovery of every parser of
// the tool set.
//
// Each state runs as one activation of RunLrState: a shift calls the successor
// state, a reduction returns through as many activations as the production has
// symbols (PopCount), and the state then on top performs the goto in a loop of
// its own. The parse trace (support/trace.h) is recorded on the way, so the
// parser's stack is the chain of active calls and nothing else; deep input is
// handled by the large program stack, and a depth guard turns input nested
// beyond ParserDepthLimit into one fatal message instead of a stack overflow.
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

// Makes the automaton the one that the routines below run; its lookup tables
// are built on first use. The automaton must have at most 128 tokens.
void SelectLrAutomaton(const LrAutomaton& automaton);

// Returns with the current token in s, having reported and skipped what was not.
void SyncToTokenSet(TokenSet s);

// Shifts token t, inserting it when it is missing. s is the caller's set for the
// token after t, united with {t}; flag is 1 for the identifier token (a missing
// identifier then sets SyntaxErrorFlag), else 0.
void ExpectToken(TokenCode t, TokenSet s, int32_t flag);

// Runs the routine of state `state` with the inherited set.
void RunLrState(int32_t state, TokenSet inherited);

// The fatal message of input nested beyond ParserDepthLimit.
inline constexpr char NestingTooDeepText[] = "input nested too deeply for the parser";

// Active state routines at the moment (0 outside a parse).
extern int32_t LrDepth;

// Once-only init of the engine module.
void LrEngineModuleInit();
