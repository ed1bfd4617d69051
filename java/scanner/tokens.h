// The Java token codes and their names for messages.
//
// The 106 tokens of the Java grammar come from one list, tokens.def: it
// builds the code enumeration here, the name table filled by InitTokenNames,
// the fixed texts that the keyword recognition and the tests use, and the
// grammar generator's terminal table. The codes are part of the parser's
// tables and of the parse trace, so they never change.
#pragma once

#include <cstdint>
#include <string_view>

#include "support/scanbuf.h"

// The token codes, named as the grammar names its terminals.
enum JavaTokenCode : TokenCode {
#define JAVA_TOKEN(code, name, text) name = code,
#include "java/scanner/tokens.def"
#undef JAVA_TOKEN
};

// Number of Java token codes (0 to 105).
inline constexpr int JavaTokenCount = 106;
// Bytes of one name slot: the longest name has 42 characters, plus its NUL.
inline constexpr int TokenNameSlotSize = 43;

// The name of every token code, one NUL-terminated name per slot, in code
// order; written only by InitTokenNames.
extern char TokenNameTable[JavaTokenCount][TokenNameSlotSize];

// Writes the 106 names into TokenNameTable; harmless to repeat.
void InitTokenNames();

// Debugging aid: writes the name of every code in the token set given as its
// four 32-bit words (code c is bit c mod 32 of word c div 32), each followed by
// one blank, then a newline, on standard output.
void PrintTokenSet(uint32_t word0, uint32_t word1, uint32_t word2, uint32_t word3);

// The fixed text of a token ("" for nonsense, endoffile, the literal classes
// and Identifiersym).
std::string_view TokenFixedText(TokenCode code);

// Whether a token of the code carries its text in TokenAttribute: a name (its
// Identifier) or a literal (its text).
inline bool IsTextToken(int32_t code) {
  return code == Identifiersym || (code >= IntegerLiteralsym && code <= NullLiteralsym);
}

// The text of the current token when it is a name or a literal; null for
// every other token.
const char* CurrentTokenText();

// All bytes of a token's text (a name's or a literal's, as CurrentTokenText
// gives it). A character or string literal may hold NUL bytes of its own, so
// its text is measured by its syntax: from the opening quote to the first
// quote that no backslash escapes (a backslash escapes the one byte after
// it); such a text is whole, as the scanner copies it. Every other text (and
// one that does not begin with a quote) ends at its NUL.
std::string_view TokenTextBytes(TokenCode code, const char* text);
