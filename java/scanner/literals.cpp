// The literal, comment and line-end states of the Java scanner (shared with
// the configuration checker's scanner).
//
// Each function is a group of automaton states written as one loop. Where a
// state "records a backup" it sets BackupIndex to the last character of the
// longest token seen so far; when a later state fails, the token is accepted
// up to that character and the characters read beyond it are read again by
// the next scan. This yields the same tokens as a chain of one routine per
// state, without one call per character.
#include "java/scanner/literals.h"

#include "java/scanner/charclass.h"

namespace {

inline bool IsDecimal(unsigned c) { return HasClass(c, DecimalDigit); }
inline bool IsOctal(unsigned c) { return HasClass(c, OctalDigit); }
inline bool IsHex(unsigned c) { return HasClass(c, HexDigit); }

// Reads a run of digits after the one at BufferIndex and records the last
// digit as the backup; returns the character after the run.
template <class Digit>
unsigned ReadDigitRun(Digit digit) {
  unsigned c = ReadWhile(digit);
  BackupIndex = BufferIndex - 1;
  return c;
}

// After the digits of a floating literal's exponent: an optional suffix, else
// the literal ends before the character just read.
void EndFloating(unsigned c, const NumberTokenCodes& codes) {
  if (c == 'd' || c == 'D') {
    AcceptLiteral(codes.Double);
  } else if (c == 'f' || c == 'F') {
    AcceptLiteral(codes.Float);
  } else {
    AcceptLiteralAtBackup(codes.Double);
  }
}

// After "e" or "E": an optional sign and at least one digit. Without a digit
// the literal recorded as backup (`pending`) ends before the "e".
void ScanExponent(TokenCode pending, const NumberTokenCodes& codes) {
  unsigned c = NextChar();
  if (c == '+' || c == '-') c = NextChar();
  if (!IsDecimal(c)) {
    AcceptLiteralAtBackup(pending);
    return;
  }
  EndFloating(ReadDigitRun(IsDecimal), codes);
}

// After "." that follows digits, or after ".5"'s digit: the fraction digits
// (the text so far is already a floating literal), then an exponent or a
// suffix.
void ScanFraction(const NumberTokenCodes& codes) {
  unsigned c = ReadDigitRun(IsDecimal);
  if (c == 'e' || c == 'E') {
    ScanExponent(codes.Double, codes);
  } else {
    EndFloating(c, codes);
  }
}

// After "0x" or "0X": at least one hexadecimal digit, then an optional "l".
// The letters "d", "e" and "f" are digits here, never suffixes.
void ScanHex(const NumberTokenCodes& codes) {
  unsigned c = NextChar();
  if (!IsHex(c)) {
    AcceptLiteralAtBackup(codes.Integer);
    return;
  }
  c = ReadDigitRun(IsHex);
  if (c == 'l' || c == 'L') {
    AcceptLiteral(codes.Integer);
  } else {
    AcceptLiteralAtBackup(codes.Integer);
  }
}

// After a leading "0", octal digits and then an "8" or "9": such a literal can
// only become floating. No backup is recorded, so without a ".", an exponent
// or a suffix the integer before the "8" or "9" is accepted.
void ScanZeroDecimal(const NumberTokenCodes& codes) {
  unsigned c = ReadWhile(IsDecimal);
  if (c == '.') {
    ScanFraction(codes);
  } else if (c == 'e' || c == 'E') {
    ScanExponent(codes.Integer, codes);
  } else if (c == 'd' || c == 'D') {
    AcceptLiteral(codes.Double);
  } else if (c == 'f' || c == 'F') {
    AcceptLiteral(codes.Float);
  } else {
    AcceptLiteralAtBackup(codes.Integer);
  }
}

// Exactly four hexadecimal digits, the first one already read into `c`.
bool ReadFourHexDigits(unsigned c) {
  if (!IsHex(c)) return false;
  for (int i = 0; i < 3; ++i) {
    if (!IsHex(NextChar())) return false;
  }
  return true;
}

// After a backslash inside a character or string literal, the escapes both
// share: "b", "t", "n", "f", "r", the quotes, the backslash and "\u" escapes.
bool IsSimpleEscape(unsigned c) {
  switch (c) {
    case 'b': case 't': case 'n': case 'f': case 'r':
    case '"': case '\'': case '\\':
      return true;
    default:
      return false;
  }
}

}  // namespace

void ScanNumber(unsigned first, const NumberTokenCodes& codes) {
  unsigned c;
  if (first == '0') {
    BackupIndex = BufferIndex;
    c = NextChar();
    if (c == 'x' || c == 'X') {
      ScanHex(codes);
      return;
    }
    if (IsOctal(c)) c = ReadDigitRun(IsOctal);
    if (c == '8' || c == '9') {
      ScanZeroDecimal(codes);
      return;
    }
  } else {
    c = ReadDigitRun(IsDecimal);
  }
  // After the digits of an integer literal (decimal, a lone zero or octal).
  switch (c) {
    case 'l': case 'L':
      AcceptLiteral(codes.Integer);
      break;
    case '.':
      ScanFraction(codes);
      break;
    case 'e': case 'E':
      ScanExponent(codes.Integer, codes);
      break;
    case 'd': case 'D':
      AcceptLiteral(codes.Double);
      break;
    case 'f': case 'F':
      AcceptLiteral(codes.Float);
      break;
    default:
      AcceptLiteralAtBackup(codes.Integer);
      break;
  }
}

void ScanFractionAfterDot(const NumberTokenCodes& codes) { ScanFraction(codes); }

bool ScanUnicodeEscapeRest() {
  unsigned c = NextChar();
  while (c == 'u') c = NextChar();
  return ReadFourHexDigits(c);
}

bool ScanCharLiteralRest() {
  unsigned c = NextChar();
  if (c == '\\') {
    c = NextChar();
    if (c >= '0' && c <= '7') {
      // An octal escape: at most three digits when it begins with 0 to 3,
      // at most two otherwise.
      int more = c <= '3' ? 2 : 1;
      c = NextChar();
      while (more > 0 && IsOctal(c)) {
        --more;
        c = NextChar();
      }
      return c == '\'';
    }
    if (c == 'u') {
      if (!ScanUnicodeEscapeRest()) return false;
    } else if (!IsSimpleEscape(c)) {
      return false;
    }
  } else if (c == '\'' || c == '\n' || c == '\r' || (c == 0xFF && AtEndOfInput())) {
    return false;
  }
  return NextChar() == '\'';
}

bool ScanStringLiteralRest() {
  for (;;) {
    unsigned c = ReadWhile([](unsigned b) { return !HasClass(b, StringStop); });
    switch (c) {
      case '"':
        return true;
      case '\n':
      case '\r':
        return false;
      case 0xFF:
        if (AtEndOfInput()) return false;
        break;
      case '\\':
        c = NextChar();
        if (c == 'u') {
          if (!ScanUnicodeEscapeRest()) return false;
        } else if (!IsSimpleEscape(c) && !IsOctal(c)) {
          // Octal escapes need no check of their own: further octal digits
          // are ordinary characters of the body.
          return false;
        }
        break;
    }
  }
}

bool ScanBlockCommentRest() {
  for (;;) {
    unsigned c = ReadWhile([](unsigned b) { return !HasClass(b, BlockCommentStop); });
    while (c == '*') {
      c = NextChar();
      if (c == '/') return true;
    }
    if (c == '\n') {
      NewLine();
    } else if (c == 0xFF && AtEndOfInput()) {
      return false;
    }
  }
}

void ScanLineCommentText() {
  for (;;) {
    unsigned c = ReadWhile([](unsigned b) { return !HasClass(b, LineCommentStop); });
    if (c != 0xFF || AtEndOfInput()) break;
  }
  UnreadChar();
}

void AcceptLineFeed() {
  NewLine();
  AcceptLayout();
}

void ScanCarriageReturn() {
  BackupIndex = BufferIndex;
  if (NextChar() == '\n') {
    AcceptLineFeed();
  } else {
    AcceptLayoutAtBackup();
  }
}

void ScanBlanks() {
  ReadWhile([](unsigned b) { return HasClass(b, BlankChar); });
  UnreadChar();
  AcceptLayout();
}
