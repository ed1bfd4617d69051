// The Java parser's start: the per-input parse step that runs the scanner and
// the generated Java automaton (java/parser/automaton.h) through the
// recursive-ascent engine (support/lrengine.h), leaving the parse trace for the
// tree builder.
#pragma once

// Once-only init: the engine, the scanner and the automaton's tables.
void JavaParserModuleInit();

// A hook called just before ParseStart; it does nothing.
void BeforeParse();

// Parses one compilation unit from the current input: resets the trace, reads
// the first token, runs the start state with {endoffile}, records the token at
// which the parse stopped and rewinds the trace for replay.
void ParseStart();

// The per-input parse step, in its fixed order: token names and scanner reset;
// the unit's global cells and the condition list; BeforeParse; ParseStart; the
// synchronisation on {endoffile}, which reports text left after the unit once
// and skips it; then PositionCounter := the position of the first token record.
void InitAndParse();
