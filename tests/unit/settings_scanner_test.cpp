// Tests of the launcher's settings scanner: token codes, values, lengths,
// line counting and the nonsense token, over texts fed through the input list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/settings_scanner.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/scanbuf.h"
#include "support/startup.h"

namespace {

struct Token {
  TokenCode code;
  std::string text;   // the token's characters
  std::string value;  // the name or literal text it carries, else ""
  LineNumber line;

  bool operator==(const Token& o) const {
    return code == o.code && text == o.text && value == o.value && line == o.line;
  }
};

std::ostream& operator<<(std::ostream& out, const Token& t) {
  return out << IniTokenNames[t.code] << " |" << t.text << "| |" << t.value << "| line " << t.line;
}

char programName[] = "client";
char* programArgs[] = {programName, nullptr};

class SettingsScannerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitCommandLine(1, programArgs);
    InitRuntime();
    InitIniTokenNames();
  }

  // Scans the text up to and including the first endoffile.
  std::vector<Token> Scan(const std::string& text) {
    stored = text;
    ClearInputs();
    AddInputText(stored.data(), static_cast<int32_t>(stored.size()), IdentifierOf("test"));
    StartInputs();
    SetScanAutomaton(ScanIniToken);
    ResetScanner();
    std::vector<Token> tokens;
    for (int guard = 0; guard < 100; ++guard) {
      NextToken();
      Token t;
      t.code = CurrentToken;
      t.text.assign(reinterpret_cast<const char*>(&ScanBuffer[TokenStart + 1]),
                    static_cast<size_t>(CurrentToken == Ini_endoffile ? 0 : TokenLength));
      if (CurrentToken == Ini_Keysym)
        t.value = static_cast<const Identifier*>(TokenAttribute.Reference)->text;
      else if (CurrentToken == Ini_IntLitsym || CurrentToken == Ini_StringLitsym)
        t.value = static_cast<const char*>(TokenAttribute.Reference);
      t.line = PositionToLine(PositionCounter - TokenLength + 1).line;
      tokens.push_back(t);
      if (CurrentToken == Ini_endoffile) break;
    }
    return tokens;
  }

  std::string stored;
};

TEST_F(SettingsScannerTest, TokenNamesFollowTheTokenList) {
  const char* names[] = {"nonsense", "endoffile", "equalssym", "Keysym", "IntLitsym", "StringLitsym"};
  for (int32_t c = 0; c < IniTokenCount; ++c) EXPECT_STREQ(IniTokenNames[c], names[c]);
}

TEST_F(SettingsScannerTest, KeysValuesAndComments) {
  std::vector<Token> want = {
      {Ini_Keysym, "_key9", "_key9", 1},        {Ini_equalssym, "=", "", 1},
      {Ini_IntLitsym, "007", "007", 1},         {Ini_Keysym, "b", "b", 2},
      {Ini_equalssym, "=", "", 2},              {Ini_StringLitsym, "\"a\"\"b\"", "\"a\"\"b\"", 2},
      {Ini_Keysym, "c", "c", 3},                {Ini_endoffile, "", "", 3},
  };
  EXPECT_EQ(Scan("_key9=007 ; comment = 1\n\tb = \"a\"\"b\"\nc"), want);
}

TEST_F(SettingsScannerTest, LongestQuotedTextWins) {
  std::vector<Token> want = {
      {Ini_StringLitsym, "\"a\" x \"b\"", "\"a\" x \"b\"", 1},
      {Ini_IntLitsym, "1", "1", 2},
      {Ini_endoffile, "", "", 2},
  };
  EXPECT_EQ(Scan("\"a\" x \"b\"\n1"), want);
}

TEST_F(SettingsScannerTest, LineEnds) {
  // CR LF is one line end, a lone CR counts no line, a comment may end in either.
  std::vector<Token> want = {
      {Ini_Keysym, "a", "a", 1}, {Ini_Keysym, "b", "b", 2}, {Ini_Keysym, "c", "c", 2},
      {Ini_Keysym, "d", "d", 3}, {Ini_Keysym, "e", "e", 3}, {Ini_endoffile, "", "", 3},
  };
  EXPECT_EQ(Scan("a\r\nb\rc;x\r\nd;y\re"), want);
}

TEST_F(SettingsScannerTest, NonsenseCoversWhatTheFailedScanRead) {
  // An open text covers its line end; an open comment stops before the end.
  std::vector<Token> want = {
      {Ini_Keysym, "a", "a", 1},   {Ini_nonsense, "@", "", 1}, {Ini_Keysym, "b", "b", 1},
      {Ini_nonsense, "\"x\n", "", 1}, {Ini_Keysym, "y", "y", 2},  {Ini_nonsense, "; open", "", 2},
      {Ini_endoffile, "", "", 2},  {Ini_endoffile, "", "", 2},
  };
  std::vector<Token> got = Scan("a@b\"x\ny; open");
  // The end of the input is found again by every later scan.
  NextToken();
  got.push_back({CurrentToken, "", "", got.back().line});
  EXPECT_EQ(got, want);
}

TEST_F(SettingsScannerTest, TheLaunchersOwnTextIsOneLayoutToken) {
  // The end of the input stands at the last character read, the line end.
  std::vector<Token> want = {{Ini_endoffile, "", "", 1}};
  EXPECT_EQ(Scan("\n"), want);
}

}  // namespace
