// The configuration parser: the generated automaton of config.grammar
// (zebcheck/config_automaton.h) run by the shared recursive-ascent engine
// (support/lrengine.h), which also gives its token sets (two words used of a
// TokenSet), synchronisation, skipping, inline token shifts and depth guard.
//
// The parser builds no tree. It records the parse trace (support/trace.h): one
// TokenRecord per shifted token and one recorded production (a slot of a
// ReductionRecord) per production of a nonterminal with two or more
// productions, in leftmost-derivation order, for the tree builder to replay.
// Syntax errors are reported at once on the standard error stream, repaired,
// and the parse goes on to the end of the input. Input nested deeper than
// ConfigParseDepthLimit ends the run with the engine's one fatal message,
// NestingTooDeepText.
#pragma once

#include <cstdint>

#include "support/lrengine.h"
#include "support/scanbuf.h"

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

// The parser's token sets: the 41 token codes of the configuration language
// take the two low words of the engine's TokenSet; the upper words stay 0.
using ConfigTokenSet = TokenSet;

// 1 when CurrentToken is in s, else 0.
inline int32_t InConfigTokenSet(ConfigTokenSet s) { return InTokenSet(s); }

// The engine's synchronisation, skipping and token shift on the configuration
// automaton (which InitConfigParser selects): reports the current token when
// it is not in s and skips to s; skips to s without a report; shifts token t,
// reporting it as missing when it is not there (essential 1, for the
// identifier, also sets SyntaxErrorFlag).
void SyncToConfigTokenSet(ConfigTokenSet s);
void SkipToConfigTokenSet(ConfigTokenSet s);
void ExpectConfigToken(TokenCode t, ConfigTokenSet s, int32_t essential);
