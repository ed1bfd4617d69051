// Fuzz target: the Java scanner's next-token loop over arbitrary bytes.
//
// The first byte of an input chooses how the rest is read:
//   bit 0     "assert" is a keyword (source level "1.4") or a name ("");
//   bits 1-2  the rest is split into 1 to 4 memory inputs of near-equal size,
//             each under a name of its own, as several source files are;
//   bit 3     an "EndOfFile" input holding one newline follows, as every
//             caldrex input is followed;
//   bits 4-7  when not 0, a layout prefix of blanks and line feeds comes
//             first, so long that the data reaches the end of the 131072-byte
//             buffer and is scanned across a refill (the prefix is shorter by
//             256 bytes for each step of these bits).
// Tokens are read until endoffile, as javatokens reads them: each token's
// position is converted to input, line and column, its text is taken, and a
// nonsense token is reported as an illegal symbol. The inputs stay far below
// the buffer's size, so no token can be too long for it.
//
// Checked for every input: the loop ends with endoffile after at most one
// token per byte; every token lies inside the buffer; positions never fall
// and never pass the last byte; and line numbers are at least 1 once a
// character has been read.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "java/scanner/scanner.h"
#include "java/scanner/sourcelevel.h"
#include "java/scanner/tokens.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/report.h"
#include "support/scanbuf.h"
#include "tests/fuzz/fuzzcheck.h"

namespace {

constexpr size_t MaxData = 65536;
constexpr size_t PrefixStep = 256;

// Blanks with a line feed every 80 bytes: a layout run longer than the data
// that may follow it within one buffer.
const char* LayoutPrefix() {
  static char* prefix = nullptr;
  if (prefix == nullptr) {
    prefix = new char[ScanBufferSize];
    for (int32_t i = 0; i < ScanBufferSize; ++i) prefix[i] = (i % 80 == 79) ? '\n' : ' ';
  }
  return prefix;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > MaxData) return 0;
  FuzzRuntime();
  InitJavaScanner();
  unsigned options = data[0];
  const char* text = reinterpret_cast<const char*>(data + 1);
  int32_t length = static_cast<int32_t>(size - 1);

  SetSourceLevel((options & 1) != 0 ? "1.4" : "");
  ClearInputs();
  int32_t total = length;
  if ((options >> 4) != 0) {
    int32_t prefix = ScanBufferSize - static_cast<int32_t>((options >> 4) * PrefixStep);
    AddInputText(LayoutPrefix(), prefix, IdentifierOf("Prefix.java"));
    total += prefix;
  }
  int32_t pieces = static_cast<int32_t>((options >> 1) & 3) + 1;
  static const char* const names[] = {"A.java", "B.java", "C.java", "D.java"};
  int32_t start = 0;
  for (int32_t i = 0; i < pieces; ++i) {
    int32_t end = static_cast<int32_t>(static_cast<int64_t>(length) * (i + 1) / pieces);
    AddInputText(text + start, end - start, IdentifierOf(names[i]));
    start = end;
  }
  if ((options & 8) != 0) {
    AddInputText("\n", 1, IdentifierOf("EndOfFile"));
    total += 1;
  }
  StartInputs();
  ResetScanner();

  int32_t tokens = 0;
  SourcePosition last = 0;
  do {
    NextToken();
    ++tokens;
    FUZZ_CHECK(tokens <= total + 1, "at most one token per byte before endoffile");
    FUZZ_CHECK(TokenLength >= 1 || (CurrentToken == endoffile && total == 0),
               "every token but the end of an empty input has characters");
    FUZZ_CHECK(TokenStart >= -1 && TokenStart + TokenLength < ScanBufferSize,
               "the token lies inside the buffer");
    FUZZ_CHECK(PositionCounter <= total, "no position beyond the last byte");
    SourcePosition position = PositionCounter - TokenLength + 1;
    if (CurrentToken != endoffile) {
      FUZZ_CHECK(position > last, "tokens follow each other");
      last = position;
    }
    if (CurrentToken == nonsense && DeletionMarker == -1) {
      ReportTokenError(position, " illegal symbol deleted ", "");
      DeletionMarker = 0;
    }
    SourceLine where = PositionToLine(position);
    FUZZ_CHECK(position <= 0 || where.line >= 1, "a read character lies on a line");
    FUZZ_CHECK(position <= 0 || where.column >= 1, "a read character has a column");
    if (const char* tokenText = CurrentTokenText()) {
      FUZZ_CHECK(std::strlen(tokenText) <= static_cast<size_t>(TokenLength),
                 "a token's text is no longer than the token");
    }
  } while (CurrentToken != endoffile);
  // Scans after the end keep returning endoffile.
  NextToken();
  FUZZ_CHECK(CurrentToken == endoffile, "endoffile repeats");
  CloseInput();
  return 0;
}
