// The generated settings automaton agrees with the settings scanner: the same
// token codes and names, one-word token sets, and error branches that name
// the expected construct.
#include <gtest/gtest.h>

#include <string>

#include "launcher/settings_automaton.h"
#include "launcher/settings_scanner.h"
#include "launcher/settings_tree.h"

namespace {

TEST(SettingsAutomatonTest, TokensAndSetsMatchTheScanner) {
  InitIniTokenNames();
  ASSERT_EQ(SettingsAutomaton.TokenCount, IniTokenCount);
  for (int32_t c = 0; c < IniTokenCount; ++c)
    EXPECT_STREQ(SettingsAutomaton.TokenNames[c], IniTokenNames[c]);
  EXPECT_EQ(SettingsAutomaton.SetWords, 1);
  EXPECT_STREQ(SettingsAutomaton.NonterminalNames[0], "Inifile");
}

TEST(SettingsAutomatonTest, ErrorBranchesNameTheExpectedValue) {
  int errors = 0;
  for (int32_t s = 0; s < SettingsAutomaton.StateCount; ++s) {
    const LrState& state = SettingsAutomaton.States[s];
    if (state.Message < 0) continue;
    ++errors;
    EXPECT_STREQ(SettingsAutomaton.Messages[state.Message], "Value expected ");
  }
  // After "key =" only a value can follow; everywhere else a default
  // reduction applies (an empty settings text is a whole Inifile).
  EXPECT_EQ(errors, 1);
}

// The production numbers that the tree's replay tells apart are those of
// the generated automaton.
TEST(SettingsAutomatonTest, ReplayProductionNumbersMatchTheGrammar) {
  struct Row {
    int32_t production;
    const char* lhs;
    int32_t length;
  } rows[] = {
      {IniValueInteger, "Value", 1},          {IniValueString, "Value", 1},
      {IniRecordsPresent, "_OPT_MOREIniRecord", 1}, {IniRecordsEmpty, "_OPT_MOREIniRecord", 0},
      {IniRecordsLast, "_MOREIniRecord", 1},  {IniRecordsMore, "_MOREIniRecord", 2},
  };
  for (const Row& r : rows) {
    const LrProduction& p = SettingsAutomaton.Productions[r.production];
    EXPECT_STREQ(SettingsAutomaton.NonterminalNames[p.Lhs], r.lhs) << r.production;
    EXPECT_EQ(p.Length, r.length) << r.production;
    EXPECT_EQ(p.Recorded, 1) << r.production;
  }
  // Inifile and IniRecord have one production each and leave no record.
  EXPECT_EQ(SettingsAutomaton.Productions[0].Recorded, 0);
  EXPECT_EQ(SettingsAutomaton.Productions[1].Recorded, 0);
}

}  // namespace
