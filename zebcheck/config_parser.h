// The configuration parser: the engine that runs the generated automaton of
// config.grammar (zebcheck/config_automaton.h) by recursive ascent, with its
// token-set synchronisation, skipping and inline token shifts.
//
// The parser builds no tree. It records the parse trace (support/trace.h): one
// TokenRecord per shifted token and one ReductionRecord per production of a
// nonterminal with two or more productions, in leftmost-derivation order, for
// the tree builder to replay. Syntax errors are reported at once on the
// standard error stream, repaired, and the parse goes on to the end of the
// input.
#pragma once

#include <cstdint>

#include "zebcheck/config_tokens.h"

// The fatal message of an input nested deeper than the parser's stack allows.
inline constexpr char ConfigNestingTooDeepText[] = "input nested too deeply for the parser";

// Once-only set-up: the scanner, the token names and the syntax-error
// printers' name function.
void InitConfigParser();

// The parse entry: resets the trace, reads the first token, runs the start
// state with {endoffile}, records the token on which it stopped and rewinds
// the trace's cursors.
void ParseConfigStart();

// The whole parse of the configuration stream: token names, scanner reset,
// condition list, ParseConfigStart, then the tokens left after the accepted
// configuration are reported as "unexpected symbol" and skipped; finally the
// position counter stands on the first recorded token, ready for the replay.
void InitAndParseConfig();

// 1 when CurrentToken is in the set, else 0.
int32_t InConfigTokenSet(ConfigTokenSet set);

// When CurrentToken is not in the set: reports it once ("unexpected symbol",
// or the illegal-symbol message of a nonsense token), sets SyntaxErrorFlag and
// skips up to a token in the set, with RecoveryMode set meanwhile.
void SyncToConfigTokenSet(ConfigTokenSet set);

// The skipping loop of SyncToConfigTokenSet: drops tokens up to one in the set;
// a dropped token that opens a construct of its own has that construct parsed
// (and discarded) by the state that follows it.
void SkipToConfigTokenSet(ConfigTokenSet set);

// Shifts a fixed token, inserting it when it is missing: synchronises on the
// set first when the token is not current, records the current token in either
// case, then consumes it or reports "<name> expected" with the token found;
// essential (1 for Identifiersym) makes a missing token a syntax error.
void ExpectConfigToken(TokenCode token, ConfigTokenSet set, int32_t essential);
