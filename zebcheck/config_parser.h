// The configuration parser: the generated automaton of config.grammar
// (zebcheck/config_automaton.h) run by the shared recursive-ascent engine
// (support/lrengine.h), which also gives its token sets (two words used of a
// TokenSet), synchronisation, skipping, inline token shifts and depth guard.
//
// The parser builds no tree. It records the parse trace (support/trace.h): one
// TokenRecord per shifted token and one ReductionRecord per production of a
// nonterminal with two or more productions, in leftmost-derivation order, for
// the tree builder to replay. Syntax errors are reported at once on the
// standard error stream, repaired, and the parse goes on to the end of the
// input. Input nested deeper than ConfigParseDepthLimit ends the run with the
// engine's one fatal message, NestingTooDeepText.
#pragma once

// Once-only set-up: the scanner, the engine, the token names and the
// syntax-error printers' name function.
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
