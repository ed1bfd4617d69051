// The configuration scanner: every token code, the literal forms, the longest
// match with backup, layout and line counting, token values, and the end of
// the input, including a byte 255 inside the data and failed scans that reach
// the end.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/identifiers.h"
#include "support/input.h"
#include "support/report.h"
#include "support/scanbuf.h"
#include "support/startup.h"
#include "zebcheck/config_scanner.h"
#include "zebcheck/config_tokens.h"

namespace {

class ConfigScannerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitRuntime();
    InitConfigScanner();
  }

  // Makes `text` the whole input.
  void Start(const std::string& text) {
    text_ = text;
    ClearInputs();
    AddInputText(text_.data(), static_cast<int32_t>(text_.size()), IdentifierOf("test.cfg"));
    StartInputs();
    ResetScanner();
  }

  // The current token as the tables below write it: its name, and for the
  // nonsense token, literals and names a blank and the token's text.
  static std::string Describe() {
    std::string out = ConfigTokenNames[CurrentToken];
    if (CurrentToken == Config_nonsense || CurrentToken >= Config_IntegerLiteralsym) {
      out += ' ';
      out.append(reinterpret_cast<const char*>(&ScanBuffer[TokenStart + 1]), static_cast<size_t>(TokenLength));
    }
    return out;
  }

  // All tokens of `text` before endoffile.
  std::vector<std::string> Tokens(const std::string& text) {
    Start(text);
    std::vector<std::string> out;
    for (int i = 0; i < 1000; ++i) {
      NextToken();
      if (CurrentToken == Config_endoffile) break;
      out.push_back(Describe());
    }
    return out;
  }

  // "line column" of the current token.
  static std::string Where() {
    SourceLine where = PositionToLine(PositionCounter - TokenLength + 1);
    return std::to_string(where.line) + " " + std::to_string(where.column);
  }

  std::string text_;
};

using Strings = std::vector<std::string>;

TEST_F(ConfigScannerTest, NameTableHoldsTheNamesInCodeOrder) {
  const char* expected[ConfigTokenCount] = {
      "nonsense", "endoffile", "falsesym", "truesym", "greaterthangreaterthangreaterthansym",
      "lessthanequalssym", "greaterthanequalssym", "equalsequalssym", "greaterthangreaterthansym",
      "exclaimequalssym", "lessthanlessthansym", "ampersandampersandsym", "backslashsym",
      "verticalbarverticalbarsym", "minussym", "openbrksym", "tildasym", "closebrksym", "exclaimsym",
      "commasym", "slashsym", "openparsym", "percentsym", "closeparsym", "lessthansym", "dotsym",
      "greaterthansym", "openchainsym", "ampersandsym", "closechainsym", "hatsym", "questionmarksym",
      "plussym", "colonsym", "verticalbarsym", "starsym", "IntegerLiteralsym", "FloatingPointLiteralsym",
      "CharacterLiteralsym", "StringLiteralsym", "Identifiersym"};
  for (int code = 0; code < ConfigTokenCount; ++code) EXPECT_STREQ(ConfigTokenNames[code], expected[code]) << code;
  EXPECT_EQ(std::strlen(ConfigTokenNames[Config_greaterthangreaterthangreaterthansym]) + 1,
            size_t{ConfigTokenNameSlotSize});
}

TEST_F(ConfigScannerTest, PrintConfigTokenSetNamesEachSetBit) {
  FILE* saved = StdoutStream;
  FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  StdoutStream = out;
  PrintConfigTokenSet((1u << Config_endoffile) | (1u << Config_backslashsym),
                      (1u << (Config_Identifiersym - 32)) | (1u << 20));
  PrintConfigTokenSet(0, 0);
  StdoutStream = saved;
  std::rewind(out);
  char buffer[256] = {};
  size_t n = std::fread(buffer, 1, sizeof buffer - 1, out);
  std::fclose(out);
  EXPECT_EQ(std::string(buffer, n), "endoffile backslashsym Identifiersym \n\n");
}

// Each fixed text alone gives its code; "=" alone is no token.
TEST_F(ConfigScannerTest, EveryFixedTextScansToItsCode) {
  for (TokenCode code = Config_falsesym; code <= Config_starsym; ++code) {
    std::string text(ConfigTokenFixedText(code));
    ASSERT_FALSE(text.empty()) << code;
    EXPECT_EQ(Tokens(text), Strings{ConfigTokenNames[code]}) << text;
  }
  for (TokenCode code = Config_IntegerLiteralsym; code <= Config_Identifiersym; ++code)
    EXPECT_TRUE(ConfigTokenFixedText(code).empty());
}

struct ScanCase {
  const char* name;
  std::string input;
  Strings tokens;
};

// The token streams of the scanner's rules, longest match and backup first.
TEST_F(ConfigScannerTest, TokenStreams) {
  const std::vector<ScanCase> cases = {
      {"double equals", "a==b", {"Identifiersym a", "equalsequalssym", "Identifiersym b"}},
      {"lone equals takes the next character", "a=b", {"Identifiersym a", "nonsense =b"}},
      {"no shift-assign", ">>>= 1", {"greaterthangreaterthangreaterthansym", "nonsense = ", "IntegerLiteralsym 1"}},
      {"four greater-than signs", ">>>>", {"greaterthangreaterthangreaterthansym", "greaterthansym"}},
      {"shift then lone equals", "<<=x", {"lessthanlessthansym", "nonsense =x"}},
      {"two-character operators", "!=!&&&|||<=<<<>=>>>",
       {"exclaimequalssym", "exclaimsym", "ampersandampersandsym", "ampersandsym", "verticalbarverticalbarsym",
        "verticalbarsym", "lessthanequalssym", "lessthanlessthansym", "lessthansym", "greaterthanequalssym",
        "greaterthangreaterthangreaterthansym"}},
      {"one-character operators are final", "--++**",
       {"minussym", "minussym", "plussym", "plussym", "starsym", "starsym"}},
      {"keywords", "false true", {"falsesym", "truesym"}},
      {"words near the keywords", "False falsely tru t$ fals trueX",
       {"Identifiersym False", "Identifiersym falsely", "Identifiersym tru", "Identifiersym t$",
        "Identifiersym fals", "Identifiersym trueX"}},
      {"an escape makes a keyword a name", "fals\\u0065 false\\u0041",
       {"Identifiersym fals\\u0065", "Identifiersym false\\u0041"}},
      {"keyword before an incomplete escape", "false\\x", {"falsesym", "backslashsym", "Identifiersym x"}},
      {"name characters", "$x _y Z9 a$_0", {"Identifiersym $x", "Identifiersym _y", "Identifiersym Z9",
                                             "Identifiersym a$_0"}},
      {"escape starts a name", "\\u0041bc \\uuu004a", {"Identifiersym \\u0041bc", "Identifiersym \\uuu004a"}},
      {"backslash before a name", "\\abc", {"backslashsym", "Identifiersym abc"}},
      {"escape before a brace", "\\uface{", {"Identifiersym \\uface", "openchainsym"}},
      {"incomplete escape", "\\ufac{", {"backslashsym", "Identifiersym ufac", "openchainsym"}},
      {"escape inside a name", "a\\u0062c a\\u00", {"Identifiersym a\\u0062c", "Identifiersym a",
                                                    "backslashsym", "Identifiersym u00"}},
      {"bytes above 127 are no name characters", "ab\xe9x", {"Identifiersym ab", "nonsense \xe9",
                                                             "Identifiersym x"}},
      {"hexadecimal", "0x1FL 0XaBcDeF 0x", {"IntegerLiteralsym 0x1FL", "IntegerLiteralsym 0XaBcDeF",
                                            "IntegerLiteralsym 0", "Identifiersym x"}},
      {"decimal and octal", "0 017 123 7l 0L", {"IntegerLiteralsym 0", "IntegerLiteralsym 017",
                                                "IntegerLiteralsym 123", "IntegerLiteralsym 7l",
                                                "IntegerLiteralsym 0L"}},
      {"eight or nine after a leading zero", "09 0129", {"IntegerLiteralsym 0", "IntegerLiteralsym 9",
                                                         "IntegerLiteralsym 012", "IntegerLiteralsym 9"}},
      {"floating after a leading zero", "09.5 08e1 09f 09D", {"FloatingPointLiteralsym 09.5",
                                                              "FloatingPointLiteralsym 08e1",
                                                              "FloatingPointLiteralsym 09f",
                                                              "FloatingPointLiteralsym 09D"}},
      {"floating forms", "1f 1D 1. .5 1e10 1.5E-3d 2e+7F 3.25",
       {"FloatingPointLiteralsym 1f", "FloatingPointLiteralsym 1D", "FloatingPointLiteralsym 1.",
        "FloatingPointLiteralsym .5", "FloatingPointLiteralsym 1e10", "FloatingPointLiteralsym 1.5E-3d",
        "FloatingPointLiteralsym 2e+7F", "FloatingPointLiteralsym 3.25"}},
      {"incomplete exponents", "1e 1.5e+ ", {"IntegerLiteralsym 1", "Identifiersym e",
                                             "FloatingPointLiteralsym 1.5", "Identifiersym e", "plussym"}},
      {"dot", ". a.b", {"dotsym", "Identifiersym a", "dotsym", "Identifiersym b"}},
      {"character literals", "'x' '\\u0041' '\\377' '\\n' '\\'' '\\\\' '\"'",
       {"CharacterLiteralsym 'x'", "CharacterLiteralsym '\\u0041'", "CharacterLiteralsym '\\377'",
        "CharacterLiteralsym '\\n'", "CharacterLiteralsym '\\''", "CharacterLiteralsym '\\\\'",
        "CharacterLiteralsym '\"'"}},
      {"octal escape too large", "'\\400' z", {"nonsense '\\400", "nonsense ' z"}},
      {"empty character literal", "'' z", {"nonsense ''", "Identifiersym z"}},
      {"string literals", "\"a\\\"b\" \"\" \"\\u0041\\101\\1234\"",
       {"StringLiteralsym \"a\\\"b\"", "StringLiteralsym \"\"", "StringLiteralsym \"\\u0041\\101\\1234\""}},
      {"string with a bad escape", "\"a\\qb\" z", {"nonsense \"a\\q", "Identifiersym b",
                                                   "nonsense \" z"}},
      {"literal meeting a line end", "'a\n\"b\nc", {"nonsense 'a\n", "nonsense \"b\n", "Identifiersym c"}},
      {"comments are layout", "a // c\nb /* x\n */ c /**/ d /***/ e",
       {"Identifiersym a", "Identifiersym b", "Identifiersym c", "Identifiersym d", "Identifiersym e"}},
      {"unclosed block comment", "a /* x", {"Identifiersym a", "slashsym", "starsym", "Identifiersym x"}},
      {"line comment without line end", "a // x", {"Identifiersym a", "slashsym", "slashsym", "Identifiersym x"}},
      {"slash", "a/b", {"Identifiersym a", "slashsym", "Identifiersym b"}},
      {"characters that begin no token", "#;@`\x01\x7f", {"nonsense #", "nonsense ;", "nonsense @", "nonsense `",
                                                          "nonsense \x01", "nonsense \x7f"}},
      {"a byte 255 inside the input", "a\xff" "b", {"Identifiersym a", "nonsense \xff", "Identifiersym b"}},
      {"a byte 255 inside literals and comments", "\"\xff\" /*\xff*/ //\xff\nz",
       {"StringLiteralsym \"\xff\"", "Identifiersym z"}},
      {"failed scans at the end of the input", "x=", {"Identifiersym x", "nonsense ="}},
      {"unterminated character literal at the end", "'a", {"nonsense 'a"}},
      {"unterminated string literal at the end", "\"ab", {"nonsense \"ab"}},
      {"incomplete escape at the end", "\\u12", {"backslashsym", "Identifiersym u12"}},
  };
  for (const ScanCase& c : cases) EXPECT_EQ(Tokens(c.input), c.tokens) << c.name;
}

// After the end of the input, even after a failed scan that read the end,
// every further scan delivers endoffile again, at the same position.
TEST_F(ConfigScannerTest, EndOfFileRepeats) {
  for (const char* text : {"", "a", "x=", "'a", "\"ab", "a /* x", "\n"}) {
    Tokens(text);
    ASSERT_EQ(CurrentToken, Config_endoffile) << text;
    SourcePosition position = PositionCounter - TokenLength + 1;
    for (int i = 0; i < 3; ++i) {
      NextToken();
      EXPECT_EQ(CurrentToken, Config_endoffile) << text;
      EXPECT_EQ(PositionCounter - TokenLength + 1, position) << text;
    }
  }
}

// Line feeds count lines in blank runs, comments, and nonsense tokens; a
// carriage return alone counts none.
TEST_F(ConfigScannerTest, LinesAndColumns) {
  struct Case {
    const char* input;
    Strings where;  // "line column" of each token before endoffile
  };
  const std::vector<Case> cases = {
      {"a\r\n\r\n  b", {"1 1", "3 3"}},
      {"a\rb\r\rc", {"1 1", "1 3", "1 6"}},
      {"a // x\rb // y\r\nc // z\nd", {"1 1", "1 8", "2 1", "3 1"}},
      {"a /* x\n\ny */ b", {"1 1", "3 6"}},
      {"a=\nb", {"1 1", "1 2", "2 1"}},
      {"\t\f x", {"1 4"}},
  };
  for (const Case& c : cases) {
    Start(c.input);
    Strings where;
    for (NextToken(); CurrentToken != Config_endoffile; NextToken()) where.push_back(Where());
    EXPECT_EQ(where, c.where) << c.input;
  }
}

// Names carry their interned Identifier; literals a copy of their text as
// written; every other token the value 0.
TEST_F(ConfigScannerTest, TokenValues) {
  Start("abc 12L 'x' \"s\\n\" 1.5f abc \\u0061 { true");
  NextToken();
  const void* abc = TokenAttribute.Reference;
  EXPECT_EQ(abc, IdentifierOf("abc"));
  for (const char* text : {"12L", "'x'", "\"s\\n\"", "1.5f"}) {
    NextToken();
    EXPECT_STREQ(static_cast<const char*>(TokenAttribute.Reference), text);
  }
  NextToken();
  EXPECT_EQ(TokenAttribute.Reference, abc);
  NextToken();
  EXPECT_EQ(TokenAttribute.Reference, IdentifierOf("\\u0061"));
  for (int i = 0; i < 3; ++i) {
    NextToken();
    EXPECT_EQ(TokenAttribute.Integer, 0) << ConfigTokenNames[CurrentToken];
  }
  EXPECT_EQ(CurrentToken, Config_endoffile);
}

// Blank runs and comments longer than the buffer are layout like any other;
// the tokens around them keep their positions.
TEST_F(ConfigScannerTest, LayoutMayOutgrowTheBuffer) {
  const std::string big(3 * ScanBufferSize / 2, ' ');
  const std::string lines(ScanBufferSize + 10, '\n');
  const std::string text(2 * ScanBufferSize, 'c');
  for (const std::string& layout : {big, lines, "/*" + text + "*/", "//" + text + "\n", "/*" + lines + "*/"}) {
    Start("a" + layout + "b");
    NextToken();
    EXPECT_EQ(Describe(), "Identifiersym a");
    NextToken();
    EXPECT_EQ(Describe(), "Identifiersym b");
    EXPECT_EQ(PositionCounter, static_cast<SourcePosition>(layout.size() + 2));
    NextToken();
    EXPECT_EQ(CurrentToken, Config_endoffile);
  }
  Start("a" + lines + "b");
  NextToken();
  NextToken();
  EXPECT_EQ(Where(), std::to_string(lines.size() + 1) + " 1");
}

}  // namespace
