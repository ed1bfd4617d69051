// The settings front end over texts other than the launcher's own: the
// generated parser with the settings scanner, its syntax-error messages and
// flags, and the tree replayed from its trace.
#include <gtest/gtest.h>

#include <string>

#include "launcher/settings.h"
#include "launcher/settings_tree.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/report.h"
#include "support/startup.h"

namespace {

char programName[] = "client";
char* programArgs[] = {programName, nullptr};

struct Outcome {
  std::string messages;  // standard error of the parse
  int32_t syntaxError;
  int32_t success;
  int32_t runSucceeded;  // IniRunSucceeded after the parse
  std::string entries;  // key=value of the tree's entries, when it was built
};

class SettingsParserTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitCommandLine(1, programArgs);
    InitRuntime();
    InitSettingsLanguage();
  }

  Outcome Parse(const std::string& text) {
    stored = text;
    ClearInputs();
    AddInputText(stored.data(), static_cast<int32_t>(stored.size()), IdentifierOf("settings"));
    StartInputs();
    SuccessFlag = 1;
    SyntaxErrorFlag = 0;
    Outcome o;
    testing::internal::CaptureStderr();
    InitAndParseIni();
    o.messages = testing::internal::GetCapturedStderr();
    o.syntaxError = SyntaxErrorFlag;
    o.success = SuccessFlag;
    o.runSucceeded = IniRunSucceeded();
    if (SyntaxErrorFlag == 0) {
      BuildIniRootFromTrace();
      auto* root = reinterpret_cast<IniRoot*>(ForceLazyCell(IniTreeCell));
      for (auto r = reinterpret_cast<ConsList>(ForceLazyCell(root->records)); r != nullptr; r = r->tail) {
        auto* record = static_cast<IniRecord*>(r->head);
        o.entries += std::string(record->key->text) + "=" + record->value + " ";
      }
    }
    CloseInput();
    return o;
  }

  std::string stored;
};

TEST_F(SettingsParserTest, TheLaunchersTextIsAnEmptySettingsFile) {
  Outcome o = Parse("\n");
  EXPECT_EQ(o.messages, "");
  EXPECT_EQ(o.syntaxError, 0);
  EXPECT_EQ(o.success, 1);
  EXPECT_EQ(o.runSucceeded, 1);
  EXPECT_EQ(o.entries, "");
}

TEST_F(SettingsParserTest, EntriesInOrder) {
  Outcome o = Parse("; settings\nname = \"a b\"\n  size=42 ; the size\r\nname = 7");
  EXPECT_EQ(o.messages, "");
  EXPECT_EQ(o.syntaxError, 0);
  EXPECT_EQ(o.entries, "name=\"a b\" size=42 name=7 ");
}

TEST_F(SettingsParserTest, MissingValueIsASyntaxError) {
  Outcome o = Parse("a = 1\nb =\nc = 2\n");
  EXPECT_EQ(o.messages, "\"settings\", line 3  1  Value expected \n");
  EXPECT_EQ(o.syntaxError, 1);
  EXPECT_EQ(o.success, 0);
  EXPECT_EQ(o.runSucceeded, 0);
}

TEST_F(SettingsParserTest, TextThatNoEntryCanStartIsReportedOnceAndSkipped) {
  struct Row {
    const char* text;
    const char* messages;
  } rows[] = {
      {"= 1\nb = 2\n", "\"settings\", line 1  1  unexpected symbol, equalssym encountered\n"},
      {"a = 1 = 2\n", "\"settings\", line 1  7  unexpected symbol, equalssym encountered\n"},
      {"@ a = 1\n", "\"settings\", line 1  1   illegal symbol deleted \n"},
  };
  for (const Row& r : rows) {
    Outcome o = Parse(r.text);
    EXPECT_EQ(o.messages, r.messages) << r.text;
    EXPECT_EQ(o.syntaxError, 1) << r.text;
    EXPECT_EQ(o.success, 0) << r.text;
    EXPECT_EQ(o.runSucceeded, 0) << r.text;
  }
}

}  // namespace
