// Tests of the settings tree: the root's lazy attributes (entries in order,
// the environment of their definitions) and the key checks of the root pass.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/settings_scanner.h"
#include "launcher/settings_tree.h"
#include "support/heap.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/report.h"
#include "support/scanbuf.h"
#include "support/startup.h"
#include "support/trace.h"

namespace {

char programName[] = "client";
char* programArgs[] = {programName, nullptr};

class SettingsTreeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitCommandLine(1, programArgs);
    InitRuntime();
    InitSettingsTree();
    InitIniTokenNames();
  }

  // Reads a text of well-formed key = value lines and builds its tree; the
  // entries are taken straight from the tokens.
  IniRoot* Build(const std::string& text) {
    stored = text;
    ClearInputs();
    AddInputText(stored.data(), static_cast<int32_t>(stored.size()), IdentifierOf("settings"));
    StartInputs();
    SetScanAutomaton(ScanIniToken);
    ResetScanner();
    ConsList records = nullptr;
    for (NextToken(); CurrentToken == Ini_Keysym; NextToken()) {
      SourcePosition at = PositionCounter - TokenLength + 1;
      auto* key = static_cast<Identifier*>(const_cast<void*>(TokenAttribute.Reference));
      NextToken();
      EXPECT_EQ(CurrentToken, Ini_equalssym);
      NextToken();
      ConsAppendIfAbsent(records, NewIniRecord(at, key, static_cast<const char*>(TokenAttribute.Reference)));
    }
    EXPECT_EQ(CurrentToken, Ini_endoffile);
    InitIniGlobalCells();
    BuildIniRoot(records);
    return reinterpret_cast<IniRoot*>(ForceLazyCell(IniTreeCell));
  }

  static std::string Keys(ConsList list) {
    std::string keys;
    for (; list != nullptr; list = list->tail) {
      auto* r = static_cast<IniRecord*>(list->head);
      keys += std::string(r->key->text) + "=" + r->value + " ";
    }
    return keys;
  }

  std::string stored;
};

TEST_F(SettingsTreeTest, EmptyTextHasNoEntriesAndEmptyEnvironment) {
  IniRoot* root = Build("\n");
  EXPECT_EQ(ForceLazyCell(root->records), 0u);
  EXPECT_EQ(ForceLazyCell(root->environment), 0u);
}

TEST_F(SettingsTreeTest, EntriesAndDefinitionsKeepInputOrder) {
  IniRoot* root = Build("b = 2\na = \"x\"\nb = 3\n");
  auto records = reinterpret_cast<ConsList>(ForceLazyCell(root->records));
  auto environment = reinterpret_cast<ConsList>(ForceLazyCell(root->environment));
  EXPECT_EQ(Keys(records), "b=2 a=\"x\" b=3 ");
  EXPECT_EQ(Keys(environment), "b=2 a=\"x\" b=3 ");
  EXPECT_EQ(Keys(IniDefinitionsOf(environment, IdentifierOf("b"))), "b=2 b=3 ");
  EXPECT_EQ(IniDefinitionsOf(environment, IdentifierOf("c")), nullptr);
  // Each attribute is computed once: forcing again gives the same list.
  EXPECT_EQ(reinterpret_cast<ConsList>(ForceLazyCell(root->environment)), environment);
}

TEST_F(SettingsTreeTest, KeyDefinedTwiceIsAWarningAtEachDefinition) {
  IniRoot* root = Build("a = 1\nb = 2\n  a = \"x\"\n");
  auto records = reinterpret_cast<ConsList>(ForceLazyCell(root->records));
  auto environment = reinterpret_cast<ConsList>(ForceLazyCell(root->environment));
  int32_t warnings = WarningCount;
  testing::internal::CaptureStderr();
  ResolveIniRecords(records, environment);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err,
            "\"settings\", line 1  1  Warning: more than one definition for a\n"
            "\"settings\", line 3  3  Warning: more than one definition for a\n");
  EXPECT_EQ(WarningCount, warnings + 2);
  EXPECT_EQ(SuccessFlag, 1);
}

TEST_F(SettingsTreeTest, KeyLookUpsTakeTheFirstDefinitionAndReportTheOthers) {
  IniRoot* root = Build("a = 1\nb = 2\n  a = \"x\"\n");
  auto environment = reinterpret_cast<ConsList>(ForceLazyCell(root->environment));
  struct Case {
    const char* key;
    const char* value;   // of the definition taken; null: none
    const char* stderrText;
    int32_t errors;      // errors the look-up adds
    int32_t warnings;    // warnings the look-up adds
  };
  const Case cases[] = {
      {"b", "2", "", 0, 0},
      {"a", "1", "\"settings\", line 1  1  Warning: Resolve chose this definition of Record 'a'\n", 0, 1},
      {"c", nullptr, "\"settings\", line 2  5  no definition for c\n", 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    int32_t errors = ErrorCount;
    int32_t warnings = WarningCount;
    testing::internal::CaptureStderr();
    // The use stands at line 2, column 5 of the text.
    IniRecord* taken = ResolveIniKey(environment, IdentifierOf(c.key), 11);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.stderrText);
    if (c.value == nullptr) {
      EXPECT_EQ(taken, nullptr);
    } else {
      ASSERT_NE(taken, nullptr);
      EXPECT_STREQ(taken->value, c.value);
    }
    EXPECT_EQ(ErrorCount, errors + c.errors);
    EXPECT_EQ(WarningCount, warnings + c.warnings);
  }
  // The missing key was an error: the run fails.
  EXPECT_EQ(SuccessFlag, 0);
}

// A token record of a hand-made parse trace.
TokenRecord* Token(SourcePosition position, const void* value) {
  auto* record = static_cast<TokenRecord*>(Allocate(sizeof(TokenRecord)));
  record->next = nullptr;
  record->position = position;
  record->value.Reference = value;
  return record;
}

// Makes the trace that a parse records: the tokens in input order, the
// productions in leftmost-derivation order; then rewinds it as a parse does.
void SetTrace(std::vector<TokenRecord*> tokens, std::vector<int32_t> productions) {
  for (size_t i = 0; i + 1 < tokens.size(); ++i) tokens[i]->next = tokens[i + 1];
  int16_t* head = nullptr;
  for (size_t i = productions.size(); i-- > 0;) {
    auto* record = static_cast<ReductionRecord*>(Allocate(sizeof(ReductionRecord)));
    record->stop = -1;
    record->production[ReductionSlots - 1] = static_cast<int16_t>(productions[i]);
    record->next = head;
    head = &record->production[ReductionSlots - 1];
  }
  Trace.TokenHead = tokens.front();
  SublistHead = head;
  RewindParseTrace();
  PositionCounter = Trace.TokenCursor->position;
}

TEST_F(SettingsTreeTest, ReplayOfTheTraceOfAnEmptyText) {
  SetTrace({Token(1, nullptr)}, {IniRecordsEmpty});
  InitIniGlobalCells();
  BuildIniRootFromTrace();
  auto* root = reinterpret_cast<IniRoot*>(ForceLazyCell(IniTreeCell));
  EXPECT_EQ(ForceLazyCell(root->records), 0u);
}

TEST_F(SettingsTreeTest, ReplayOfTheTraceOfTwoLines) {
  // a = 1
  // b = "x"
  SetTrace({Token(1, IdentifierOf("a")), Token(3, nullptr), Token(5, "1"), Token(7, IdentifierOf("b")),
            Token(9, nullptr), Token(11, "\"x\""), Token(15, nullptr)},
           {IniRecordsPresent, IniRecordsMore, IniValueInteger, IniRecordsLast, IniValueString});
  InitIniGlobalCells();
  BuildIniRootFromTrace();
  auto* root = reinterpret_cast<IniRoot*>(ForceLazyCell(IniTreeCell));
  auto records = reinterpret_cast<ConsList>(ForceLazyCell(root->records));
  EXPECT_EQ(Keys(records), "a=1 b=\"x\" ");
  ASSERT_NE(records, nullptr);
  ASSERT_NE(records->tail, nullptr);
  EXPECT_EQ(static_cast<IniRecord*>(records->head)->position, 1);
  EXPECT_EQ(static_cast<IniRecord*>(records->tail->head)->position, 7);
  EXPECT_EQ(Trace.TokenCursor->position, 15);
}

}  // namespace
