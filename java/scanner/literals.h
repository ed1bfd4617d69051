// The literal, comment and line-end states of the Java scanner.
//
// These states are shared with the configuration checker's scanner, which
// delivers its own token codes: the number states take the codes to accept
// as a parameter, and the character, string, escape and comment states only
// read and report whether their construct is complete, leaving the accept to
// the caller. Every state reads through the scanner frame (support/scanbuf.h)
// and loops over runs of characters instead of calling itself, so a long
// comment or string costs no stack.
//
// None of them reads past the end of the input: each stops on the end byte.
#pragma once

#include "support/scanbuf.h"

// The codes a grammar gives its numeric literals.
struct NumberTokenCodes {
  TokenCode Integer;
  TokenCode Double;
  TokenCode Float;
};

// Entered with BufferIndex on the first digit of a token: accepts the longest
// integer or floating literal that starts there, with a copy of its text as
// value. Never fails: a malformed tail is left for the next scan.
void ScanNumber(unsigned first, const NumberTokenCodes& codes);

// Entered with BufferIndex on the digit after a "." that begins a token:
// accepts the floating literal.
void ScanFractionAfterDot(const NumberTokenCodes& codes);

// After the opening "'": true when a well-formed character literal was read
// up to its closing quote (BufferIndex on it); false on the character that
// made it malformed.
bool ScanCharLiteralRest();

// After the opening double quote: true when the string literal was read up
// to its closing quote; false on the character that made it malformed (a line
// end, the end of the input, a bad escape).
bool ScanStringLiteralRest();

// After a backslash and a "u": further "u"s and exactly four hexadecimal
// digits. True when complete (BufferIndex on the fourth digit); false on the
// first character that does not fit.
bool ScanUnicodeEscapeRest();

// After "/*": reads the comment up to and including the first "*/" and
// returns true; counts every line feed it reads. Returns false at the end of
// the input (comments do not nest, and an unclosed one is no comment).
bool ScanBlockCommentRest();

// After "//": reads the comment text up to a line end or the end of the input
// and leaves BufferIndex on the comment's last character; the line end is
// scanned as a token of its own.
void ScanLineCommentText();

// After a line feed: counts the line and accepts it as layout.
void AcceptLineFeed();

// After a carriage return: a following line feed joins it (one line end,
// counted once); otherwise the carriage return alone is layout and counts no
// line.
void ScanCarriageReturn();

// After a blank: accepts the run of blanks as layout.
void ScanBlanks();
