// The settings scanner: longest match with backup, one routine per state.
//
// Tokens: '=' (equalssym), names of letters, digits and '_' that start with a
// letter or '_' (Keysym, value the interned Identifier), digit runs
// (IntLitsym, value a copy of the digits), and double-quoted texts on one
// line (StringLitsym, value a copy with the quotes; the longest such text
// wins, so doubled quotes inside are part of it). Blank, tab, line feed,
// vertical tab and form feed are each one layout token, CR and CR LF one;
// ';' starts a comment that runs up to and including the line end. The end of
// the input is endoffile and is never consumed, so it is found again and again.
#include "launcher/settings_scanner.h"

#include <cstring>

char IniTokenNames[IniTokenCount][IniTokenNameSlot];

namespace {

constexpr const char* TokenNameList[] = {
#define INI_TOKEN(code, name, text) #name,
#include "launcher/settings_tokens.def"
#undef INI_TOKEN
};
static_assert(sizeof(TokenNameList) / sizeof(TokenNameList[0]) == IniTokenCount,
              "one name per settings token");

constexpr unsigned LineFeed = '\n';
constexpr unsigned CarriageReturn = '\r';

bool IsLetter(unsigned c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(unsigned c) { return c >= '0' && c <= '9'; }
bool IsNameChar(unsigned c) { return IsLetter(c) || IsDigit(c); }

// The end of a line or of the input: a text or comment cannot go on past it.
bool IsLineStop(unsigned c) { return c == LineFeed || c == CarriageReturn || c == 0xFF; }

// After a CR (layout or the end of a comment): a following LF belongs to the
// same token and ends the line; otherwise the token ends with the CR, which
// counts no line.
void ScanAfterCarriageReturn() {
  BackupIndex = BufferIndex;
  if (NextChar() == LineFeed) {
    NewLine();
    AcceptLayout();
  } else {
    AcceptLayoutAtBackup();
  }
}

// ';' read: the comment body, then its line end.
void ScanComment() {
  unsigned c = ReadWhile([](unsigned x) { return !IsLineStop(x); });
  if (c == LineFeed) {
    NewLine();
    AcceptLayout();
  } else if (c == CarriageReturn) {
    ScanAfterCarriageReturn();
  }
  // The end of the input before a line end: no token.
}

// The opening quote read: the longest run up to a line end that ends with a
// quote is the string.
void ScanString() {
  bool closed = false;
  for (;;) {
    unsigned c = NextChar();
    if (IsLineStop(c)) break;
    if (c == '"') {
      BackupIndex = BufferIndex;
      closed = true;
    }
  }
  if (closed) AcceptLiteralAtBackup(Ini_StringLitsym);
}

// First letter read: the rest of the name.
void ScanKey() {
  ReadWhile(IsNameChar);
  BackupIndex = BufferIndex - 1;
  AcceptNameAtBackup(Ini_Keysym);
}

// First digit read: the rest of the digits.
void ScanInteger() {
  ReadWhile(IsDigit);
  BackupIndex = BufferIndex - 1;
  AcceptLiteralAtBackup(Ini_IntLitsym);
}

}  // namespace

void InitIniTokenNames() {
  for (int32_t code = 0; code < IniTokenCount; ++code) {
    std::strncpy(IniTokenNames[code], TokenNameList[code], IniTokenNameSlot - 1);
    IniTokenNames[code][IniTokenNameSlot - 1] = '\0';
  }
}

void ScanIniToken() {
  unsigned c = NextChar();
  switch (c) {
    case ' ':
    case '\t':
    case '\v':
    case '\f':
      AcceptLayout();
      return;
    case LineFeed:
      NewLine();
      AcceptLayout();
      return;
    case CarriageReturn:
      ScanAfterCarriageReturn();
      return;
    case ';':
      ScanComment();
      return;
    case '=':
      AcceptToken(Ini_equalssym);
      return;
    case '"':
      ScanString();
      return;
    default:
      break;
  }
  if (IsLetter(c)) {
    ScanKey();
  } else if (IsDigit(c)) {
    ScanInteger();
  } else if (c == 0xFF && AtEndOfInput()) {
    AcceptToken(Ini_endoffile);
    UnreadChar();
  }
  // Any other byte: no token.
}
