// The generated settings automaton agrees with the settings scanner: the same
// token codes and names, one-word token sets, and error branches that name
// the expected construct.
#include <gtest/gtest.h>

#include <string>

#include "launcher/settings_automaton.h"
#include "launcher/settings_scanner.h"

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

}  // namespace
