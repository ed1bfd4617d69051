// The scanner of the configuration language.
//
// ScanConfigToken is the start state that the scanner frame's NextToken runs
// once per token (support/scanbuf.h). It reads the bytes of all configuration
// inputs as one stream and accepts one token by the longest match: blank runs
// and comments as layout; the operators; the keywords false and true, names and
// the four literal classes, whose value is the name's Identifier or a copy of
// the literal's text; and the end of the input, which it accepts without
// consuming, so that every later scan yields endoffile again. The number,
// character, string, escape and block-comment states are the Java scanner's
// (java/scanner/literals.h); everything else is this scanner's own.
//
// Blank runs and comments may be longer than the scanner buffer: the parser
// never sees them, so their text is dropped as the buffer fills. Every other
// token must fit in the buffer ("token too long").
#pragma once

// Once-only set-up: fills the token names and makes ScanConfigToken the
// automaton of NextToken.
void InitConfigScanner();

// The start state of the configuration automaton.
void ScanConfigToken();
