// The scanner frame: the registers, the reset before a parse and the
// next-token loop that runs a grammar's automaton until it accepts a token
// that is not layout, turning a failed scan into the nonsense token.
#include "support/scanbuf.h"

#include <cstring>

#include "support/heap.h"
#include "support/identifiers.h"

int32_t TokenLength = 0;
int32_t ScanAccepted = 0;
int32_t LayoutToken = 0;
TokenCode CurrentToken = 0;
int32_t DeletionMarker = 0;
TokenValue TokenAttribute = {};

namespace {

// Code of the token that no state accepts.
constexpr TokenCode NonsenseToken = 0;

ScanAutomaton Automaton = nullptr;

}  // namespace

void SetScanAutomaton(ScanAutomaton start) { Automaton = start; }

void ResetScanner() {
  TokenLength = 0;
  BufferIndex = -1;
  TokenStart = -1;
}

void NextToken() {
  do {
    TokenStart = BufferIndex;
    ScanAccepted = 0;
    LayoutToken = 0;
    Automaton();
    if (!ScanAccepted) {
      // Every character the failed scan read belongs to the nonsense token,
      // except the end of the input, which stays for the next scan. A line
      // feed in it still ends its line.
      if (AtEndOfInput() && BufferIndex - 1 > TokenStart) {
        UnreadChar();
      } else if (ScanBuffer[BufferIndex] == '\n') {
        NewLine();
      }
      TokenLength = BufferIndex - TokenStart;
      ScanAccepted = 1;
      CurrentToken = NonsenseToken;
      DeletionMarker = -1;
    }
  } while (LayoutToken);
}

const char* CopyTokenText() {
  char* copy = static_cast<char*>(Allocate(static_cast<size_t>(TokenLength) + 1));
  const unsigned char* text = &ScanBuffer[TokenStart + 1];
  std::memcpy(copy, text, static_cast<size_t>(TokenLength));
  copy[TokenLength] = 0;
  return copy;
}

size_t QuotedTextLength(const char* text) {
  const char quote = text[0];
  size_t n = 1;
  while (text[n] != quote) n += text[n] == '\\' ? 2 : 1;
  return n + 1;
}

void AcceptNameAtBackup(TokenCode code) {
  BackUp();
  AcceptToken(code);
  TokenAttribute.Reference = MakeIdentifier(ScanBuffer, TokenStart + 1, BufferIndex);
}
