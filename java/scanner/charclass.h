// Character classes of the Java scanner, as one table of bit flags indexed by
// the byte, so that every run of the automaton (names, digits, blanks, comment
// and string bodies) tests one table entry per character.
//
// The byte 255 is no name character but stops every run: it is the end of
// the input when it stands at the end of the data, and the state that meets
// it decides which it is. A 255 inside the data counts as one of the bytes
// 128 to 254.
#pragma once

#include <array>
#include <cstdint>

enum CharClassBit : uint8_t {
  NameChar = 1,      // letters, digits, "_", "$", bytes 128 to 254
  DecimalDigit = 2,  // "0" to "9"
  OctalDigit = 4,    // "0" to "7"
  HexDigit = 8,      // "0" to "9", "A" to "F", "a" to "f"
  BlankChar = 16,    // tab, form feed, space
  // Bytes that end a run of block-comment text: "*", line feed, 255.
  BlockCommentStop = 32,
  // Bytes that end a run of line-comment text: line feed, carriage return, 255.
  LineCommentStop = 64,
  // Bytes that end a run of string text: double quote, backslash, line feed,
  // carriage return, 255.
  StringStop = 128,
};

inline constexpr std::array<uint8_t, 256> CharClassTable = [] {
  std::array<uint8_t, 256> t{};
  for (int c = 'a'; c <= 'z'; ++c) t[c] |= NameChar;
  for (int c = 'A'; c <= 'Z'; ++c) t[c] |= NameChar;
  for (int c = '0'; c <= '9'; ++c) t[c] |= NameChar | DecimalDigit | HexDigit;
  for (int c = '0'; c <= '7'; ++c) t[c] |= OctalDigit;
  for (int c = 'a'; c <= 'f'; ++c) t[c] |= HexDigit;
  for (int c = 'A'; c <= 'F'; ++c) t[c] |= HexDigit;
  t['_'] |= NameChar;
  t['$'] |= NameChar;
  for (int c = 128; c <= 254; ++c) t[c] |= NameChar;
  t['\t'] |= BlankChar;
  t['\f'] |= BlankChar;
  t[' '] |= BlankChar;
  t['*'] |= BlockCommentStop;
  t['\n'] |= BlockCommentStop | LineCommentStop | StringStop;
  t['\r'] |= LineCommentStop | StringStop;
  t[255] |= BlockCommentStop | LineCommentStop | StringStop;
  t['"'] |= StringStop;
  t['\\'] |= StringStop;
  return t;
}();

inline bool HasClass(unsigned c, uint8_t bits) { return (CharClassTable[c] & bits) != 0; }
