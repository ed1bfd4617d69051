// The configuration scanner automaton: the start dispatch, blank runs, line
// comments, names with the keywords false and true, and the operators. The
// literal and block-comment states come from java/scanner/literals.cpp.
//
// States that a longer token may continue record a backup (BackupIndex) and
// accept the shorter token when the longer one does not come; the characters
// read beyond it are read again by the next scan. A state that accepts nothing
// leaves the failed scan to NextToken, which makes it the nonsense token.
#include "zebcheck/config_scanner.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "java/scanner/literals.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/report.h"
#include "support/scanbuf.h"
#include "support/startup.h"
#include "zebcheck/config_tokens.h"

namespace {

int32_t ConfigScannerInitFlag = 0;

// The spellings of the two keywords, taken from the token table once: every
// name is compared with them.
std::string_view FalseSpelling;
std::string_view TrueSpelling;

constexpr NumberTokenCodes ConfigNumberCodes = {Config_IntegerLiteralsym, Config_FloatingPointLiteralsym,
                                                Config_FloatingPointLiteralsym};

// What the start state does with the first byte of a token.
enum StartAction : uint8_t {
  StartNothing,  // no token begins with it: nonsense
  StartFinal,    // a one-character token that nothing continues
  StartBlank,
  StartName,
  StartDigit,
  StartCharLiteral,
  StartStringLiteral,
  StartBackslash,
  StartSlash,
  StartDot,
  StartOperator,  // an operator that a longer one may continue, and "="
  StartEndByte,
};

constexpr bool IsNameStart(unsigned c) {
  return c == '$' || c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Name characters: "$", digits, letters, "_"; bytes 128 to 255 are none.
constexpr bool IsNameChar(unsigned c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }

constexpr bool IsBlank(unsigned c) { return c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' '; }

// IsNameChar as a table: names are most of the text, read a byte at a time.
constexpr std::array<bool, 256> NameCharTable = [] {
  std::array<bool, 256> t{};
  for (unsigned c = 0; c < 256; ++c) t[c] = IsNameChar(c);
  return t;
}();

constexpr std::array<StartAction, 256> StartTable = [] {
  std::array<StartAction, 256> t{};
  for (unsigned c = 0; c < 256; ++c) {
    if (IsNameStart(c)) t[c] = StartName;
    if (IsBlank(c)) t[c] = StartBlank;
  }
  for (int c = '0'; c <= '9'; ++c) t[c] = StartDigit;
  for (unsigned char c : std::string_view("%()*+,-:?[]^{}~")) t[c] = StartFinal;
  for (unsigned char c : std::string_view("!&|<>=")) t[c] = StartOperator;
  t['\''] = StartCharLiteral;
  t['"'] = StartStringLiteral;
  t['\\'] = StartBackslash;
  t['/'] = StartSlash;
  t['.'] = StartDot;
  t[255] = StartEndByte;
  return t;
}();

// The token of a one-character text (0 for none).
constexpr std::array<TokenCode, 256> SingleCharToken = [] {
  std::array<TokenCode, 256> t{};
#define CONFIG_TOKEN(code, name, text)                               \
  if (std::string_view(text).size() == 1) {                          \
    t[static_cast<unsigned char>(std::string_view(text)[0])] = code; \
  }
#include "zebcheck/config_tokens.def"
#undef CONFIG_TOKEN
  return t;
}();

// Ends a layout state: the flags that let its text outgrow the buffer.
void EndLayout() {
  LayoutMayOutgrow = 0;
  LayoutTextDropped = 0;
}

// A comment that turned out to be none must be scanned again from its "/";
// when its start has already been dropped from the buffer that cannot be
// done, and the attempt was a token longer than the buffer.
void AcceptSlashAfterFailedComment() {
  if (LayoutTextDropped != 0) {
    EndLayout();
    FatalError(TokenTooLongText);
  }
  EndLayout();
  AcceptTokenAtBackup(Config_slashsym);
}

// A run of blanks, tabs, form feeds, carriage returns and line feeds, the
// first one at BufferIndex; every line feed counts a line. One layout token.
void ScanBlankRun(unsigned c) {
  LayoutMayOutgrow = 1;
  for (;;) {
    if (c == '\n') NewLine();
    c = ReadWhile([](unsigned b) { return b == ' ' || b == '\t' || b == '\f' || b == '\r'; });
    if (c != '\n') break;
  }
  UnreadChar();
  AcceptLayout();
  EndLayout();
}

// After "//": the comment text and the line end that ends it (a line feed, a
// carriage return and a line feed, or a carriage return alone). Without a line
// end before the end of the input it is no comment: "/" alone is the token.
void ScanLineComment() {
  LayoutMayOutgrow = 1;
  unsigned c;
  for (;;) {
    c = ReadWhile([](unsigned b) { return b != '\n' && b != '\r' && b != 0xFF; });
    if (c != 0xFF || AtEndOfInput()) break;  // a data byte 255 is comment text
  }
  if (c == '\n') {
    NewLine();
    AcceptLayout();
  } else if (c == '\r') {
    BackupIndex = BufferIndex;
    if (NextChar() == '\n') {
      NewLine();
      AcceptLayout();
    } else {
      AcceptLayoutAtBackup();
    }
  } else {
    return AcceptSlashAfterFailedComment();
  }
  EndLayout();
}

// After "/": a line comment, a block comment, or the division operator.
void ScanSlash() {
  BackupIndex = BufferIndex;
  unsigned c = NextChar();
  if (c == '/') return ScanLineComment();
  if (c == '*') {
    LayoutMayOutgrow = 1;
    if (ScanBlockCommentRest()) {
      AcceptLayout();
      EndLayout();
      return;
    }
    return AcceptSlashAfterFailedComment();
  }
  AcceptTokenAtBackup(Config_slashsym);
}

// A name: name characters and complete "\u" escapes, from BufferIndex on (or,
// when `escaped`, having begun with an escape). The words false and true are
// keywords only when written without an escape; a longer word is a name.
void ScanName(bool escaped) {
  for (;;) {
    unsigned c = ReadWhile([](unsigned b) { return NameCharTable[b]; });
    BackupIndex = BufferIndex - 1;
    if (c != '\\' || NextChar() != 'u' || !ScanUnicodeEscapeRest()) break;
    escaped = true;
  }
  BackUp();
  if (!escaped) {
    std::string_view text(reinterpret_cast<const char*>(&ScanBuffer[TokenStart + 1]),
                          static_cast<size_t>(BufferIndex - TokenStart));
    if (text == FalseSpelling) return AcceptToken(Config_falsesym);
    if (text == TrueSpelling) return AcceptToken(Config_truesym);
  }
  AcceptToken(Config_Identifiersym);
  TokenAttribute.Reference = MakeIdentifier(ScanBuffer, TokenStart + 1, BufferIndex);
}

// The operators that a longer one may continue, and "=", which is a token
// only as "==".
void ScanOperator(unsigned first) {
  BackupIndex = BufferIndex;
  unsigned c = NextChar();
  switch (first) {
    case '!':
      if (c == '=') return AcceptToken(Config_exclaimequalssym);
      return AcceptTokenAtBackup(Config_exclaimsym);
    case '&':
      if (c == '&') return AcceptToken(Config_ampersandampersandsym);
      return AcceptTokenAtBackup(Config_ampersandsym);
    case '|':
      if (c == '|') return AcceptToken(Config_verticalbarverticalbarsym);
      return AcceptTokenAtBackup(Config_verticalbarsym);
    case '<':
      if (c == '=') return AcceptToken(Config_lessthanequalssym);
      if (c == '<') return AcceptToken(Config_lessthanlessthansym);
      return AcceptTokenAtBackup(Config_lessthansym);
    case '>':
      if (c == '=') return AcceptToken(Config_greaterthanequalssym);
      if (c == '>') {
        BackupIndex = BufferIndex;
        if (NextChar() == '>') return AcceptToken(Config_greaterthangreaterthangreaterthansym);
        return AcceptTokenAtBackup(Config_greaterthangreaterthansym);
      }
      return AcceptTokenAtBackup(Config_greaterthansym);
    case '=':
      // A lone "=" is no token: the failed scan covers it and the character
      // read after it.
      if (c == '=') return AcceptToken(Config_equalsequalssym);
      return;
  }
}

}  // namespace

void InitConfigScanner() {
  if (!EnterModuleInit(ConfigScannerInitFlag)) return;
  SourceInputModuleInit();
  InitConfigTokenNames();
  FalseSpelling = ConfigTokenFixedText(Config_falsesym);
  TrueSpelling = ConfigTokenFixedText(Config_truesym);
  SetScanAutomaton(ScanConfigToken);
}

void ScanConfigToken() {
  unsigned c = NextChar();
  // A blank run is a layout token, after which NextToken would start the
  // next scan at once: that scan is begun here, with the registers set as
  // NextToken sets them, which spares a round through it per blank run.
  while (StartTable[c] == StartBlank) {
    ScanBlankRun(c);
    TokenStart = BufferIndex;
    ScanAccepted = 0;
    LayoutToken = 0;
    c = NextChar();
  }
  switch (StartTable[c]) {
    case StartNothing:
      return;
    case StartFinal:
      return AcceptToken(SingleCharToken[c]);
    case StartBlank:  // not reached: blank runs are scanned above
      return ScanBlankRun(c);
    case StartName:
      return ScanName(false);
    case StartDigit:
      return ScanNumber(c, ConfigNumberCodes);
    case StartCharLiteral:
      if (ScanCharLiteralRest()) AcceptLiteral(Config_CharacterLiteralsym);
      return;
    case StartStringLiteral:
      if (ScanStringLiteralRest()) AcceptLiteral(Config_StringLiteralsym);
      return;
    case StartBackslash:
      // A "\u" escape begins a name; any other backslash is a token itself.
      BackupIndex = BufferIndex;
      if (NextChar() == 'u' && ScanUnicodeEscapeRest()) return ScanName(true);
      return AcceptTokenAtBackup(Config_backslashsym);
    case StartSlash:
      return ScanSlash();
    case StartDot:
      BackupIndex = BufferIndex;
      if (unsigned d = NextChar(); d >= '0' && d <= '9') return ScanFractionAfterDot(ConfigNumberCodes);
      return AcceptTokenAtBackup(Config_dotsym);
    case StartOperator:
      return ScanOperator(c);
    case StartEndByte:
      // A byte 255 inside the data is no token; only the end marker ends the
      // input.
      if (!AtEndOfInput()) return;
      AcceptToken(Config_endoffile);
      UnreadChar();  // read it again at every later scan
      return;
  }
}
