// Unit tests of the launcher's path and name handling: jar names, path-list
// trimming, the home cut, command-name comparison and the settings list.
#include <gtest/gtest.h>

#include <string>

#include "launcher/discovery.h"
#include "launcher/launcher.h"
#include "support/identifiers.h"
#include "support/startup.h"

namespace {

char programName[] = "/opt/p/bin/client";
char* programArgs[] = {programName, nullptr};

class LauncherTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitCommandLine(1, programArgs);
    InitRuntime();
    InitLauncherState();
  }
};

TEST_F(LauncherTest, JarNamesEndInDotJarInAnyCase) {
  struct Row {
    const char* name;
    int jar;
  } rows[] = {
      {"A.jar", 1}, {"b.JAR", 1}, {"c.Jar", 1},  {".jar", 1},   {"lib.jAr", 1},
      {"c.Jar.bak", 0}, {"notes", 0}, {"jar", 0}, {"ar", 0},    {"", 0},
      {"x.jarx", 0},    {"x_jar", 0}, {"x.ja", 0},
  };
  for (const Row& r : rows) EXPECT_EQ(IsJarName(r.name), r.jar) << r.name;
}

TEST_F(LauncherTest, TrimPathSeparatorsRemovesBothEndsOnly) {
  EXPECT_EQ(TrimPathSeparators("::/a:b::"), "/a:b");
  EXPECT_EQ(TrimPathSeparators("/usr/bin"), "/usr/bin");
  EXPECT_EQ(TrimPathSeparators(":::"), "");
  EXPECT_EQ(TrimPathSeparators(""), "");
}

TEST_F(LauncherTest, HomeCutKeepsTextBeforeLastSeparator) {
  EXPECT_EQ(CutBeforeLastSeparator(CutBeforeLastSeparator("/opt/p/bin/client")), "/opt/p");
  EXPECT_EQ(CutBeforeLastSeparator("/client"), "");
  // No separator at all (a drive path such as C:x): nothing before it.
  EXPECT_EQ(CutBeforeLastSeparator("C:x"), "");
  EXPECT_EQ(CutBeforeLastSeparator(""), "");
  EXPECT_EQ(LastIndexOfChar("a/b/c", '/'), 3);
  EXPECT_EQ(LastIndexOfChar("abc", '/'), -1);
}

TEST_F(LauncherTest, FullCommandPathOfAbsoluteRelativeAndDrivePaths) {
  EXPECT_EQ(FullCommandPath("/opt/p/bin/client"), "/opt/p/bin/client");
  EXPECT_EQ(FullCommandPath("C:client"), "C:client");
  EXPECT_EQ(FullCommandPath("./bin/client"), WorkingDirectory() + "/bin/client");
  EXPECT_EQ(FullCommandPath("bin/client"), WorkingDirectory() + "/bin/client");
  EXPECT_EQ(FullCommandPath(""), "");
  EXPECT_EQ(FullCommandPath(nullptr), "");
}

TEST_F(LauncherTest, CommandNamesCompareExactlyOrLowerCasingTheFirst) {
  EXPECT_EQ(CommandNameEquals("client", "client", 1), 1);
  EXPECT_EQ(CommandNameEquals("Client", "client", 1), 0);
  EXPECT_EQ(CommandNameEquals("client", "clients", 1), 0);
  EXPECT_EQ(CommandNameEquals("CLIENT", "client", 0), 1);
  EXPECT_EQ(CommandNameEquals("client", "CLIENT", 0), 0);
  EXPECT_STREQ(MainClassForCommand(), "com.orvanti.velmora.java.cli.CLI");
}

TEST_F(LauncherTest, SettingsReplaceButNeverInsert) {
  EXPECT_EQ(TheLauncher.commandName, "client");
  const Identifier* home = IdentifierOf("HOME");
  EXPECT_EQ(GetSetting(home), "");
  SetSetting(home, "/h");
  EXPECT_EQ(GetSetting(home), "/h");
  EXPECT_EQ(LauncherHome(), "/h");
  SetSetting(home, "");
  EXPECT_EQ(LauncherHome(), "..");
  const Identifier* other = IdentifierOf("OTHER");
  SetSetting(other, "x");
  EXPECT_EQ(GetSetting(other), "");
  EXPECT_EQ(TheLauncher.settings.size(), 2u);
}

}  // namespace
