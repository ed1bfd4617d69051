// The Java scanner automaton: the start state and the operator, separator,
// header, backslash and word states. The literal, comment and line-end states
// are in literals.cpp, the reserved-word table in keywords.cpp.
//
// The states follow the accept protocol of the scanner frame: operators that
// a longer operator may continue record a backup and accept the shorter one
// when the longer one does not come. The automaton is a loop: no state calls
// itself per character.
#include "java/scanner/scanner.h"

#include <array>
#include <cstdint>

#include "java/scanner/charclass.h"
#include "java/scanner/keywords.h"
#include "java/scanner/literals.h"
#include "java/scanner/sourcelevel.h"
#include "java/scanner/tokens.h"
#include "support/scanbuf.h"

namespace {

bool ScannerReady = false;

constexpr NumberTokenCodes JavaNumberCodes = {IntegerLiteralsym, DoubleLiteralsym,
                                              FloatLiteralsym};

inline bool IsNameChar(unsigned c) { return HasClass(c, NameChar); }

// What the start state does with the first character of a token.
enum StartAction : uint8_t {
  StartNothing,      // no token begins with it: nonsense
  StartFinal,        // a one-character token that nothing continues
  StartOperator,     // an operator that a longer one may continue
  StartBlank,
  StartLineFeed,
  StartCarriageReturn,
  StartWord,
  StartDigit,
  StartDot,
  StartCharLiteral,
  StartStringLiteral,
  StartHash,
  StartBackslash,
  StartEndByte,
  StartCtrlZ,
};

constexpr std::array<StartAction, 256> StartTable = [] {
  std::array<StartAction, 256> t{};
  for (int c = 0; c < 256; ++c) {
    if (CharClassTable[c] & NameChar) t[c] = StartWord;
  }
  for (int c = '0'; c <= '9'; ++c) t[c] = StartDigit;
  for (unsigned char c : std::string_view("()[]{};,:?~")) t[c] = StartFinal;
  for (unsigned char c : std::string_view("!=%^*&|+-<>/")) t[c] = StartOperator;
  t['\t'] = StartBlank;
  t['\f'] = StartBlank;
  t[' '] = StartBlank;
  t['\n'] = StartLineFeed;
  t['\r'] = StartCarriageReturn;
  t['.'] = StartDot;
  t['\''] = StartCharLiteral;
  t['"'] = StartStringLiteral;
  t['#'] = StartHash;
  t['\\'] = StartBackslash;
  t[255] = StartEndByte;
  t[0x1A] = StartCtrlZ;
  return t;
}();

// The token of a one-character text ("" for none).
constexpr std::array<TokenCode, 256> SingleCharToken = [] {
  std::array<TokenCode, 256> t{};
#define JAVA_TOKEN(code, name, text)                                 \
  if (std::string_view(text).size() == 1) {                          \
    t[static_cast<unsigned char>(std::string_view(text)[0])] = code; \
  }
#include "java/scanner/tokens.def"
#undef JAVA_TOKEN
  return t;
}();

// The operator begun by `first` (already read), with the longest match over
// the two-, three- and four-character operators that continue it.
void ScanOperator(unsigned first) {
  TokenCode single = SingleCharToken[first];
  BackupIndex = BufferIndex;
  unsigned c = NextChar();
  switch (first) {
    case '!':
      if (c == '=') return AcceptToken(exclaimequalssym);
      break;
    case '=':
      if (c == '=') return AcceptToken(equalsequalssym);
      break;
    case '%':
      if (c == '=') return AcceptToken(percentequalssym);
      break;
    case '^':
      if (c == '=') return AcceptToken(hatequalssym);
      break;
    case '*':
      if (c == '=') return AcceptToken(starequalssym);
      break;
    case '&':
      if (c == '&') return AcceptToken(ampersandampersandsym);
      if (c == '=') return AcceptToken(ampersandequalssym);
      break;
    case '|':
      if (c == '|') return AcceptToken(verticalbarverticalbarsym);
      if (c == '=') return AcceptToken(verticalbarequalssym);
      break;
    case '+':
      if (c == '+') return AcceptToken(plusplussym);
      if (c == '=') return AcceptToken(plusequalssym);
      break;
    case '-':
      if (c == '-') return AcceptToken(minusminussym);
      if (c == '=') return AcceptToken(minusequalssym);
      break;
    case '<':
      if (c == '=') return AcceptToken(lessthanequalssym);
      if (c == '<') {
        BackupIndex = BufferIndex;
        if (NextChar() == '=') return AcceptToken(lessthanlessthanequalssym);
        return AcceptTokenAtBackup(lessthanlessthansym);
      }
      break;
    case '>':
      if (c == '=') return AcceptToken(greaterthanequalssym);
      if (c == '>') {
        BackupIndex = BufferIndex;
        c = NextChar();
        if (c == '=') return AcceptToken(greaterthangreaterthanequalssym);
        if (c == '>') {
          BackupIndex = BufferIndex;
          if (NextChar() == '=') return AcceptToken(greaterthangreaterthangreaterthanequalssym);
          return AcceptTokenAtBackup(greaterthangreaterthangreaterthansym);
        }
        return AcceptTokenAtBackup(greaterthangreaterthansym);
      }
      break;
    case '/':
      if (c == '=') return AcceptToken(slashequalssym);
      if (c == '/') {
        ScanLineCommentText();
        return AcceptLayout();
      }
      // An unclosed block comment is no comment: the "/" alone is the token
      // and the text after it is scanned again.
      if (c == '*' && ScanBlockCommentRest()) return AcceptLayout();
      break;
  }
  AcceptTokenAtBackup(single);
}

// A word: a run of name characters and complete "\u" escapes, starting at
// BufferIndex (or, when `escaped`, having begun with an escape). It is a
// reserved word only when it holds no escape.
void ScanWord(bool escaped) {
  for (;;) {
    unsigned c = ReadWhile(IsNameChar);
    if (c == 0xFF && !AtEndOfInput()) continue;  // a data byte 255 is a name byte
    BackupIndex = BufferIndex - 1;
    if (c != '\\' || NextChar() != 'u' || !ScanUnicodeEscapeRest()) break;
    escaped = true;
  }
  TokenCode code = escaped ? Identifiersym
                           : KeywordCode(&ScanBuffer[TokenStart + 1], BackupIndex - TokenStart);
  if (code == Identifiersym) return AcceptNameAtBackup(Identifiersym);
  BackUp();
  switch (code) {
    case NullLiteralsym:
      AcceptLiteral(NullLiteralsym);
      break;
    case assertsym:
      TokenLength = BufferIndex - TokenStart;
      ScanAccepted = 1;
      SetAssertToken();
      break;
    default:
      AcceptToken(code);
      break;
  }
}

}  // namespace

void InitJavaScanner() {
  if (ScannerReady) return;
  ScannerReady = true;
  InitTokenNames();
  SetScanAutomaton(ScanStart);
}

void ScanStart() {
  unsigned c = NextChar();
  // Blanks and line feeds in front of a token are layout. Skipping them here
  // gives the same token as accepting each run as a layout token and
  // scanning again, without a pass through the next-token loop per run. As
  // there, each run starts a token of its own: TokenStart moves behind every
  // line feed, so that no buffer refill keeps more than the current run.
  if (HasClass(c, BlankChar) || c == '\n') {
    for (;;) {
      if (HasClass(c, BlankChar)) {
        c = ReadWhile([](unsigned b) { return HasClass(b, BlankChar); });
      } else if (c == '\n') {
        NewLine();
        TokenStart = BufferIndex;
        c = NextChar();
      } else {
        break;
      }
      TokenStart = BufferIndex - 1;
    }
  }
  switch (StartTable[c]) {
    case StartNothing:
      return;
    case StartFinal:
      return AcceptToken(SingleCharToken[c]);
    case StartOperator:
      return ScanOperator(c);
    case StartBlank:
      return ScanBlanks();
    case StartLineFeed:
      return AcceptLineFeed();
    case StartCarriageReturn:
      return ScanCarriageReturn();
    case StartWord:
      return ScanWord(false);
    case StartDigit:
      return ScanNumber(c, JavaNumberCodes);
    case StartDot:
      BackupIndex = BufferIndex;
      if (HasClass(NextChar(), DecimalDigit)) return ScanFractionAfterDot(JavaNumberCodes);
      return AcceptTokenAtBackup(dotsym);
    case StartCharLiteral:
      if (ScanCharLiteralRest()) AcceptLiteral(CharacterLiteralsym);
      return;
    case StartStringLiteral:
      if (ScanStringLiteralRest()) AcceptLiteral(StringLiteralsym);
      return;
    case StartHash:
      // Only three hash signs make a token; one or two are deleted together
      // with the character after them.
      if (NextChar() == '#' && NextChar() == '#') AcceptToken(hashhashhashsym);
      return;
    case StartBackslash:
      // A "\u" escape begins a name; any other backslash is a token itself.
      BackupIndex = BufferIndex;
      if (NextChar() == 'u' && ScanUnicodeEscapeRest()) return ScanWord(true);
      return AcceptTokenAtBackup(backslashsym);
    case StartCtrlZ: {
      // Ctrl-Z, the end-of-file mark of old DOS text files, is layout when it
      // is the last byte of an input; anywhere else no state accepts it. The
      // character behind it is read first, so that the buffer holds it (and
      // the start of the input it may belong to) before the test.
      SourcePosition at = PositionCounter;
      NextChar();
      bool last = AtEndOfInput() || InputBoundaryAt(at);
      UnreadChar();
      if (last) AcceptLayout();
      return;
    }
    case StartEndByte:
      if (!AtEndOfInput()) return ScanWord(false);  // a data byte 255 begins a name
      AcceptToken(endoffile);
      UnreadChar();  // read it again at every later scan
      return;
  }
}
