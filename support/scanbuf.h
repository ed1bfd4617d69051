// The scanner frame shared by every grammar's scanner automaton.
//
// The registers below are the only channel between a scanner automaton, this
// frame and the parser: the automaton leaves each token in CurrentToken,
// TokenAttribute, TokenLength and PositionCounter, and the parser reads them
// and calls NextToken for the next one. The token's text is the TokenLength
// bytes of ScanBuffer from index TokenStart + 1; its source position is
// PositionCounter - TokenLength + 1.
//
// An automaton is one start routine that reads characters with NextChar (or
// the run readers below) and accepts through the accept protocol:
//   form 1, at the end:     AcceptToken / AcceptLayout with the token's last
//                           character just read;
//   form 2, with backup:    the automaton records BackupIndex := BufferIndex
//                           while the text so far is a token, reads on, and if
//                           nothing longer is accepted calls
//                           AcceptTokenAtBackup / AcceptLayoutAtBackup, which
//                           move BufferIndex and PositionCounter back;
//   layout:                 blanks, line ends and comments set LayoutToken and
//                           leave CurrentToken as it was.
// A scan in which nothing accepts becomes the nonsense token (code 0).
#pragma once

#include <cstddef>
#include <cstdint>

#include "support/input.h"

// A token code of one grammar (an index into that grammar's name table).
using TokenCode = int32_t;

// The value of a token: the scanner writes a reference (a literal's text copy
// or a name's Identifier); the other members are the other 8-byte readings of
// the same value that a parse trace may carry.
union TokenValue {
  const void* Reference;
  int64_t Integer;
  double Real;
  unsigned char Character;
};

// Length of the current token in characters.
extern int32_t TokenLength;
// 1 once some state has accepted during the current scan.
extern int32_t ScanAccepted;
// 1 when the accepted token is layout (blanks, a line end, a comment).
extern int32_t LayoutToken;
// The code of the current token.
extern TokenCode CurrentToken;
// 0 for a normal token; -1 for a nonsense token not yet reported.
extern int32_t DeletionMarker;
// The current token's value (see TokenValue).
extern TokenValue TokenAttribute;

// The start routine of a grammar's automaton, called once per token.
using ScanAutomaton = void (*)();

// Makes `start` the automaton that NextToken runs.
void SetScanAutomaton(ScanAutomaton start);

// Starts a parse with an empty token in front of the buffer.
void ResetScanner();

// Leaves the next token that is not layout in the registers. A scan in which
// no state accepts yields the nonsense token (code 0, DeletionMarker -1)
// covering every character it read; a line feed among them counts its line,
// and the end of the input is never part of it, so the next scan still finds
// the end.
void NextToken();

// The last index of ScanBuffer: reading beyond it refills the buffer.
inline constexpr int32_t ScanBufferLastIndex = ScanBufferSize - 1;

// Returns the next character (0 to 255) and advances BufferIndex and
// PositionCounter; refills the buffer behind the current token first when it
// is used up.
inline unsigned NextChar() {
  if (BufferIndex == ScanBufferLastIndex) RefillBuffer();
  ++PositionCounter;
  return ScanBuffer[++BufferIndex];
}

// True when the character at BufferIndex is the end of the input (and not a
// data byte of the same value).
inline bool AtEndOfInput() {
  return ScanBuffer[BufferIndex] == 0xFF && AtEndMarker(BufferIndex);
}

// Reads characters while `keep` holds for them and returns the first one for
// which it does not, with BufferIndex on it. The run is read with a local
// index, so a long run costs neither calls nor register stores per character.
template <class Keep>
inline unsigned ReadWhile(Keep keep) {
  int32_t index = BufferIndex;
  for (;;) {
    if (index == ScanBufferLastIndex) {
      PositionCounter += index - BufferIndex;
      BufferIndex = index;
      RefillBuffer();
      index = BufferIndex;
    }
    unsigned c = ScanBuffer[++index];
    if (!keep(c)) {
      PositionCounter += index - BufferIndex;
      BufferIndex = index;
      return c;
    }
  }
}

// Moves BufferIndex and PositionCounter back by one character, so that the
// last character read is read again by the next scan.
inline void UnreadChar() {
  --BufferIndex;
  --PositionCounter;
}

// Moves BufferIndex and PositionCounter back to BackupIndex.
inline void BackUp() {
  PositionCounter -= BufferIndex - BackupIndex;
  BufferIndex = BackupIndex;
}

// Accept form 1: the token ends with the character just read; value 0.
inline void AcceptToken(TokenCode code) {
  TokenLength = BufferIndex - TokenStart;
  ScanAccepted = 1;
  CurrentToken = code;
  DeletionMarker = 0;
  TokenAttribute.Integer = 0;
}

// Accept form 2: the token ends at BackupIndex; value 0.
inline void AcceptTokenAtBackup(TokenCode code) {
  BackUp();
  AcceptToken(code);
}

// Layout accept, form 1.
inline void AcceptLayout() {
  TokenLength = BufferIndex - TokenStart;
  ScanAccepted = 1;
  LayoutToken = 1;
}

// Layout accept, form 2.
inline void AcceptLayoutAtBackup() {
  BackUp();
  AcceptLayout();
}

// The token's text as a new heap text: all TokenLength bytes, NUL bytes
// inside the text included, followed by a NUL; used as the value of
// literals. Readers that need every byte of a literal holding a NUL find its
// end from the literal's own syntax (its closing quote): QuotedTextLength.
const char* CopyTokenText();

// The bytes of a copied character or string literal text, quotes included:
// from its opening quote to the first quote that no backslash escapes (an
// escape is a backslash and the one byte after it). The text may hold NUL
// bytes of its own.
size_t QuotedTextLength(const char* text);

// Accept form 1 for a literal: the value is a copy of the token's text.
inline void AcceptLiteral(TokenCode code) {
  AcceptToken(code);
  TokenAttribute.Reference = CopyTokenText();
}

// Accept form 2 for a literal.
inline void AcceptLiteralAtBackup(TokenCode code) {
  BackUp();
  AcceptLiteral(code);
}

// Accept form 2 for a name: the value is the Identifier of the token's text.
void AcceptNameAtBackup(TokenCode code);
