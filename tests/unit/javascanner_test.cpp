// Library-level checks of the Java scanner: the token-name table, every
// fixed text against its code, the registers the parser reads, the token
// values, and the end of the input, which the token-stream golden cases
// cannot reach (there the input always ends with the newline of "EndOfFile").
#include <pthread.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "java/scanner/literals.h"
#include "java/scanner/scanner.h"
#include "java/scanner/sourcelevel.h"
#include "java/scanner/tokens.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/scanbuf.h"
#include "support/startup.h"

namespace {

struct Token {
  TokenCode code;
  SourcePosition position;
  int32_t length;
  const void* value;
};

class JavaScannerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitRuntime();
    InitJavaScanner();
  }
  void SetUp() override { SetSourceLevel(""); }
  void TearDown() override { SetScanAutomaton(ScanStart); }

  // Makes `text` the whole input (no "EndOfFile" behind it).
  void Start(const std::string& text) {
    texts_.push_back(text);
    ClearInputs();
    AddInputText(texts_.back().data(), static_cast<int32_t>(texts_.back().size()),
                 IdentifierOf("test.java"));
    StartInputs();
    ResetScanner();
  }

  Token Next() {
    NextToken();
    return Token{CurrentToken, PositionCounter - TokenLength + 1, TokenLength,
                 TokenAttribute.Reference};
  }

  // The codes of all tokens up to and including endoffile.
  std::vector<TokenCode> Codes(const std::string& text) {
    Start(text);
    std::vector<TokenCode> codes;
    do {
      codes.push_back(Next().code);
    } while (codes.back() != endoffile && codes.size() < 1000);
    return codes;
  }

  std::vector<std::string> texts_;
};

TEST_F(JavaScannerTest, NameTableHoldsTheNamesInCodeOrder) {
  EXPECT_STREQ(TokenNameTable[0], "nonsense");
  EXPECT_STREQ(TokenNameTable[1], "endoffile");
  EXPECT_STREQ(TokenNameTable[47], "hashhashhashsym");
  EXPECT_STREQ(TokenNameTable[66], "backslashsym");
  EXPECT_STREQ(TokenNameTable[105], "Identifiersym");
  // The longest name fills its slot exactly.
  EXPECT_STREQ(TokenNameTable[44], "greaterthangreaterthangreaterthanequalssym");
  EXPECT_EQ(std::strlen(TokenNameTable[44]) + 1, sizeof(TokenNameTable[44]));

  char before[JavaTokenCount][TokenNameSlotSize];
  std::memcpy(before, TokenNameTable, sizeof before);
  InitTokenNames();
  EXPECT_EQ(std::memcmp(before, TokenNameTable, sizeof before), 0);
}

TEST_F(JavaScannerTest, PrintTokenSetNamesEachSetBit) {
  testing::internal::CaptureStdout();
  // Codes 0, 1, 44 (word 1, bit 12), 66 (word 2, bit 2) and 105 (word 3, bit 9).
  PrintTokenSet(0x3u, 1u << 12, 1u << 2, 1u << 9);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "nonsense endoffile greaterthangreaterthangreaterthanequalssym backslashsym "
            "Identifiersym \n");
}

// Every token with a fixed text scans to its own code, both before a blank
// and directly before the end of the input.
TEST_F(JavaScannerTest, EveryFixedTextScansToItsCode) {
  SetSourceLevel("1.4");
  for (TokenCode code = 2; code <= 98; ++code) {
    std::string text(TokenFixedText(code));
    ASSERT_FALSE(text.empty()) << code;
    for (const std::string& input : {text + " ", text}) {
      Start(input);
      Token t = Next();
      EXPECT_EQ(t.code, code) << input;
      EXPECT_EQ(t.position, 1) << input;
      EXPECT_EQ(t.length, static_cast<int32_t>(text.size())) << input;
      EXPECT_EQ(t.value, nullptr) << input;
      EXPECT_EQ(Next().code, endoffile) << input;
    }
  }
}

// A scan that fails after reading the end of the input leaves the end for
// the next scan, which yields endoffile again and again at the last
// character; nothing behind the end marker is read.
TEST_F(JavaScannerTest, FailedScanAtTheEndLeavesEndOfFile) {
  for (const std::string input : {"'", "'a", "'\\", "'\\u00", "\"abc", "\"a\\", "#", "##"}) {
    Start(input);
    Token t = Next();
    EXPECT_EQ(t.code, nonsense) << input;
    EXPECT_EQ(DeletionMarker, -1) << input;
    EXPECT_EQ(t.position, 1) << input;
    EXPECT_EQ(t.length, static_cast<int32_t>(input.size())) << input;
    for (int i = 0; i < 3; ++i) {
      Token end = Next();
      EXPECT_EQ(end.code, endoffile) << input;
      EXPECT_EQ(end.position, static_cast<int32_t>(input.size())) << input;
      EXPECT_LE(BufferIndex, BufferEnd) << input;
    }
  }
}

TEST_F(JavaScannerTest, EndOfInputAfterCommentsAndWords) {
  // A line comment at the very end ends at the end byte.
  EXPECT_EQ(Codes("a // c"), (std::vector<TokenCode>{Identifiersym, endoffile}));
  // An unclosed block comment: "/" and "*" are tokens, its text is rescanned.
  EXPECT_EQ(Codes("x/* open"),
            (std::vector<TokenCode>{Identifiersym, slashsym, starsym, Identifiersym, endoffile}));
  // A keyword directly followed by the end.
  EXPECT_EQ(Codes("while"), (std::vector<TokenCode>{USERwhilesym, endoffile}));
  // A failed \u escape after a name at the end.
  EXPECT_EQ(Codes("ab\\u00"),
            (std::vector<TokenCode>{Identifiersym, backslashsym, Identifiersym, endoffile}));
}

TEST_F(JavaScannerTest, EmptyInputIsEndOfFileAtPositionZero) {
  Start("");
  for (int i = 0; i < 3; ++i) {
    Token t = Next();
    EXPECT_EQ(t.code, endoffile);
    EXPECT_EQ(t.position, 0);
    EXPECT_EQ(t.length, 1);
  }
}

// Below level 1.4 "assert" is a name carrying the Identifier of "assert";
// from 1.4 on it is the keyword with value 0.
TEST_F(JavaScannerTest, AssertValueFollowsTheSourceLevel) {
  struct Case {
    const char* level;
    TokenCode code;
  };
  for (Case c : {Case{"", Identifiersym}, Case{"1.3", Identifiersym}, Case{"1.4", assertsym},
                 Case{"1.5", assertsym}}) {
    SetSourceLevel(c.level);
    Start("assert;");
    Token t = Next();
    EXPECT_EQ(t.code, c.code) << c.level;
    EXPECT_EQ(t.length, 6) << c.level;
    EXPECT_EQ(DeletionMarker, 0) << c.level;
    const void* expected = c.code == Identifiersym ? IdentifierOf("assert") : nullptr;
    EXPECT_EQ(t.value, expected) << c.level;
    EXPECT_EQ(Next().code, semicolonsym) << c.level;
  }
}

TEST_F(JavaScannerTest, EqualNamesGiveTheSameIdentifier) {
  Start("foo bar foo f\\u006fo");
  Token a = Next(), b = Next(), c = Next(), d = Next();
  EXPECT_EQ(a.value, c.value);
  EXPECT_NE(a.value, b.value);
  EXPECT_NE(a.value, d.value);  // escapes are not decoded
  EXPECT_EQ(a.value, IdentifierOf("foo"));
}

TEST_F(JavaScannerTest, LiteralValuesAreTextCopies) {
  std::string withNul("\"a\0b\" null 1.5f ", 16);
  Start(withNul);
  Token s = Next();
  EXPECT_EQ(s.code, StringLiteralsym);
  EXPECT_EQ(s.length, 5);
  // The copy holds every byte, the NUL included, up to the closing quote.
  EXPECT_EQ(TokenTextBytes(s.code, static_cast<const char*>(s.value)), std::string("\"a\0b\"", 5));
  Token n = Next();
  EXPECT_EQ(n.code, NullLiteralsym);
  EXPECT_STREQ(static_cast<const char*>(n.value), "null");
  Token f = Next();
  EXPECT_EQ(f.code, FloatLiteralsym);
  EXPECT_STREQ(static_cast<const char*>(f.value), "1.5f");
  EXPECT_NE(f.value, static_cast<const void*>(&ScanBuffer[TokenStart + 1]));
}

// A Ctrl-Z (byte 26) is layout as the last byte of the input, and a character
// that no state accepts anywhere else.
TEST_F(JavaScannerTest, CtrlZIsLayoutOnlyAtTheEnd) {
  struct Case {
    std::string text;
    std::vector<TokenCode> codes;
  };
  const std::vector<Case> cases = {
      {"\x1a", {endoffile}},
      {"a\n\x1a", {Identifiersym, endoffile}},
      {"a\x1a", {Identifiersym, endoffile}},
      {"\x1a" "a", {nonsense, Identifiersym, endoffile}},
      {"a \x1a b", {Identifiersym, nonsense, Identifiersym, endoffile}},
      {"\x1a\x1a", {nonsense, endoffile}},
  };
  for (const Case& c : cases) EXPECT_EQ(Codes(c.text), c.codes) << c.text.size() << " bytes";
}

// Layout never reaches the parser; after each token TokenStart + 1 is the
// index of its first character and PositionCounter the position of its last.
TEST_F(JavaScannerTest, RegistersDescribeTheSignificantToken) {
  Start("  /* c */\n\t// x\r\n  iff+=1");
  Token t = Next();
  EXPECT_EQ(t.code, Identifiersym);
  EXPECT_EQ(TokenStart + 1, 19);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&ScanBuffer[TokenStart + 1]), 3), "iff");
  EXPECT_EQ(PositionCounter, 22);
  EXPECT_EQ(t.position, 20);
  EXPECT_EQ(PositionToLine(t.position).line, 3);
  t = Next();
  EXPECT_EQ(t.code, plusequalssym);
  EXPECT_EQ(t.position, 23);
}

// A nonsense token leaves the value as it was, and a line feed inside it
// still ends its line.
TEST_F(JavaScannerTest, NonsenseKeepsValueAndCountsItsLineFeed) {
  Start("x '\n y");
  Token x = Next();
  Token bad = Next();
  EXPECT_EQ(bad.code, nonsense);
  EXPECT_EQ(bad.length, 2);
  EXPECT_EQ(bad.value, x.value);
  Token y = Next();
  SourceLine where = PositionToLine(y.position);
  EXPECT_EQ(where.line, 2);
  EXPECT_EQ(where.column, 2);
}

// Another grammar's automaton over the shared literal, comment and line-end
// states, with codes of its own (as the configuration checker's scanner
// uses them: one code for both floating forms).
enum OtherCode : TokenCode { OtherEnd = 1, OtherSlash = 20, OtherInteger = 36, OtherFloating = 37,
                             OtherCharacter = 38, OtherString = 39 };

void OtherStart() {
  unsigned c = NextChar();
  if (c >= '0' && c <= '9') return ScanNumber(c, {OtherInteger, OtherFloating, OtherFloating});
  switch (c) {
    case '\'':
      if (ScanCharLiteralRest()) AcceptLiteral(OtherCharacter);
      return;
    case '"':
      if (ScanStringLiteralRest()) AcceptLiteral(OtherString);
      return;
    case ' ':
      return ScanBlanks();
    case '\n':
      return AcceptLineFeed();
    case '\r':
      return ScanCarriageReturn();
    case '/':
      BackupIndex = BufferIndex;
      if (NextChar() == '*' && ScanBlockCommentRest()) return AcceptLayout();
      return AcceptTokenAtBackup(OtherSlash);
    case 0xFF:
      if (AtEndOfInput()) {
        AcceptToken(OtherEnd);
        UnreadChar();
      }
      return;
  }
}

TEST_F(JavaScannerTest, SharedStatesServeAnotherGrammar) {
  SetScanAutomaton(OtherStart);
  Start("1 2.5 3f 0x1FL 'a' \"s\" /* c\n */ 09\r\n/");
  struct Expected {
    TokenCode code;
    const char* text;
  };
  for (Expected e : {Expected{OtherInteger, "1"}, Expected{OtherFloating, "2.5"},
                     Expected{OtherFloating, "3f"}, Expected{OtherInteger, "0x1FL"},
                     Expected{OtherCharacter, "'a'"}, Expected{OtherString, "\"s\""},
                     Expected{OtherInteger, "0"}, Expected{OtherInteger, "9"}}) {
    Token t = Next();
    EXPECT_EQ(t.code, e.code) << e.text;
    EXPECT_STREQ(static_cast<const char*>(t.value), e.text);
  }
  Token slash = Next();
  EXPECT_EQ(slash.code, OtherSlash);
  EXPECT_EQ(PositionToLine(slash.position).line, 3);
  EXPECT_EQ(Next().code, OtherEnd);
}

// Long comments, strings and names are read in loops: scanning them on a
// thread with a small stack works.
void* ScanLongTokens(void* result) {
  std::string text = "/*" + std::string(120000, '*') + " */ \"" + std::string(120000, 's') +
                     "\" " + std::string(120000, 'n') + " ";
  ClearInputs();
  AddInputText(text.data(), static_cast<int32_t>(text.size()), IdentifierOf("long.java"));
  StartInputs();
  ResetScanner();
  std::vector<TokenCode>& codes = *static_cast<std::vector<TokenCode>*>(result);
  do {
    NextToken();
    codes.push_back(CurrentToken);
  } while (CurrentToken != endoffile && codes.size() < 10);
  return nullptr;
}

TEST_F(JavaScannerTest, LongTokensNeedNoStack) {
  std::vector<TokenCode> codes;
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, 256 * 1024);
  pthread_t thread;
  ASSERT_EQ(pthread_create(&thread, &attributes, ScanLongTokens, &codes), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
  EXPECT_EQ(codes, (std::vector<TokenCode>{StringLiteralsym, Identifiersym, endoffile}));
}

}  // namespace
