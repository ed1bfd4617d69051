// The Java scanner automaton.
//
// ScanStart is the start state that the scanner frame's NextToken runs once
// per token (support/scanbuf.h). It reads Java source bytes and accepts one
// token: blanks, line ends and comments as layout; operators, separators, the
// header token "###" and the lone backslash; reserved words, names and
// literals (java/scanner/literals.h, java/scanner/keywords.h); and the end of
// the input, which it accepts without consuming, so that every later scan
// yields endoffile again.
#pragma once

// Once-only set-up: fills the token names and makes ScanStart the automaton
// of NextToken.
void InitJavaScanner();

// The start state of the Java automaton.
void ScanStart();
