// Unit tests of caldrex's library parts that the golden cases reach only
// through their effects: path splitting, archive names, source paths of
// dotted names, the memo of lookups, name components, name lists, and the
// fatal end of a work-list file that has gone.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "caldrex/driver.h"
#include "caldrex/namelist.h"
#include "caldrex/options.h"
#include "caldrex/resolve.h"
#include "caldrex/searchpath.h"
#include "caldrex/unitrun.h"
#include "support/identifiers.h"
#include "support/startup.h"

namespace {

std::vector<std::string> Texts(ConsList list) {
  std::vector<std::string> texts;
  for (; list != nullptr; list = list->tail) texts.emplace_back(ConsHead<const char>(list));
  return texts;
}

class CaldrexTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    static bool started = false;
    if (started) return;
    started = true;
    InitRuntime();
    InitAllModules();
  }
};

TEST_F(CaldrexTest, SplitAtSeparatorGivesPiecesLastFirst) {
  struct Case {
    const char* text;
    std::vector<std::string> pieces;
  };
  const Case cases[] = {
      {"a:b:c", {"c", "b", "a"}},
      {"a::b", {"b", "", "a"}},
      {"src:", {"", "src"}},
      {":src", {"src", ""}},
      {"", {""}},
      {"one", {"one"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Texts(SplitAtSeparator(c.text, ":")), c.pieces) << c.text;
}

TEST_F(CaldrexTest, SearchPathOfOrdersOptionsAndDropsArchives) {
  struct Case {
    const char* sourcePath;
    const char* classPath;
    std::vector<std::string> directories;
  };
  const Case cases[] = {
      {"", "", {"."}},
      {"x:y", "z", {"y", "x", "z"}},
      {"", "lib/a.jar:src:LIB/B.ZIP", {"src"}},
      {"a::b", "", {"b", ".", "a"}},
      {"src:", "", {".", "src"}},
      {"a.jar", "", {}},
      {".jar:x.Jar", "c", {".jar", "c"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Texts(SearchPathOf(c.sourcePath, c.classPath)), c.directories) << c.sourcePath << " " << c.classPath;
  }
}

TEST_F(CaldrexTest, ArchiveNamesEndInZipOrJarAndAreLongerThanTheSuffix) {
  EXPECT_TRUE(IsArchiveName("a.jar"));
  EXPECT_TRUE(IsArchiveName("LIB/B.ZIP"));
  EXPECT_TRUE(IsArchiveName("x.JaR"));
  EXPECT_FALSE(IsArchiveName(".jar"));
  EXPECT_FALSE(IsArchiveName("jar"));
  EXPECT_FALSE(IsArchiveName("a.jar/"));
  EXPECT_FALSE(IsArchiveName("a.tar"));
}

TEST_F(CaldrexTest, DottedNamesBecomeSourcePaths) {
  EXPECT_STREQ(DottedNameToSourcePath(IdentifierOf("a.b.C")), "a/b/C.java");
  EXPECT_STREQ(DottedNameToSourcePath(IdentifierOf("C")), "C.java");
}

TEST_F(CaldrexTest, NameComponents) {
  EXPECT_EQ(FirstNameComponent(IdentifierOf("a.b.C")), IdentifierOf("a"));
  EXPECT_EQ(LastNameComponent(IdentifierOf("a.b.C")), IdentifierOf("C"));
  EXPECT_EQ(FirstNameComponent(IdentifierOf("C")), IdentifierOf("C"));
  EXPECT_EQ(LastNameComponent(IdentifierOf("C")), IdentifierOf("C"));
  EXPECT_EQ(FindLastChar("a.b.c", '.'), 3);
  EXPECT_EQ(FindLastChar("abc", '.'), -1);
}

// A lookup is made once: a file created after a failed lookup, or removed
// after a successful one, does not change the answer. Prefixes answer for
// longer names and replace them in FindFilePrefixVar.
TEST_F(CaldrexTest, LookupsAreMemoisedAndPrefixesAnswer) {
  char pattern[] = "/tmp/caldrexXXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  std::string dir = pattern;
  SetSearchPath(dir.c_str(), "");

  // The folder exists from the start: a folder found absent is not asked
  // about again during the run, so the files below it would not be found.
  ASSERT_EQ(mkdir((dir + "/memo").c_str(), 0700), 0);
  Identifier* late = IdentifierOf("memo.Late");
  EXPECT_EQ(SourceFileOf(late), EmptyIdentifier);
  std::string latePath = dir + "/memo/Late.java";
  std::fclose(std::fopen(latePath.c_str(), "w"));
  EXPECT_EQ(SourceFileOf(late), EmptyIdentifier);

  std::string outerPath = dir + "/memo/Outer.java";
  std::fclose(std::fopen(outerPath.c_str(), "w"));
  Identifier* name = IdentifierOf("memo.Outer.Inner.field");
  Identifier* answer = FindFilePrefixVar(&name);
  EXPECT_EQ(answer, IdentifierOf(outerPath.c_str()));
  EXPECT_EQ(name, IdentifierOf("memo.Outer"));
  std::remove(outerPath.c_str());
  EXPECT_EQ(FindFilePrefix(IdentifierOf("memo.Outer")), IdentifierOf(outerPath.c_str()));

  // A directory named like a source file is no hit.
  ASSERT_EQ(mkdir((dir + "/Dir.java").c_str(), 0700), 0);
  EXPECT_EQ(FindFilePrefix(IdentifierOf("Dir")), EmptyIdentifier);

  std::remove(latePath.c_str());
  rmdir((dir + "/Dir.java").c_str());
  rmdir((dir + "/memo").c_str());
  rmdir(dir.c_str());
  SetSearchPath("", "");
}

TEST_F(CaldrexTest, NameListsAppendOnlyAbsentEntries) {
  NameList list;
  int a = 0, b = 0, c = 0;
  EXPECT_TRUE(AppendName(list, &a));
  EXPECT_TRUE(AppendName(list, &b));
  EXPECT_FALSE(AppendName(list, &a));
  PrependName(list, &c);
  PrependName(list, &b);
  std::vector<void*> order;
  for (ConsList l = list.head; l != nullptr; l = l->tail) order.push_back(l->head);
  EXPECT_EQ(order, (std::vector<void*>{&c, &a, &b}));
  EXPECT_EQ(list.count, 3);
  NameList minus;
  AppendName(minus, &a);
  std::vector<void*> rest;
  for (ConsList l = ListDifference(list.head, minus); l != nullptr; l = l->tail) rest.push_back(l->head);
  EXPECT_EQ(rest, (std::vector<void*>{&c, &b}));
  ConsList extra = Cons(&b, Cons(&minus, nullptr));
  UnionNames(list, extra);
  EXPECT_EQ(list.count, 4);
  EXPECT_EQ(list.last->head, &minus);
}

// A work-list file that can no longer be opened when its turn comes is the
// fatal "Cannot open file " with its path, status 1.
TEST_F(CaldrexTest, VanishedWorkListFileIsFatal) {
  AppendName(Worklist, IdentifierOf("./gone/Vanished.java"));
  EXPECT_EXIT(ParseNextFile(), testing::ExitedWithCode(1), "Cannot open file \\./gone/Vanished\\.java");
}

// ProcessCommandLine reads the options and queues the inputs; a command line
// without an input file or with an unknown option ends the run with status 1
// and no message. Each case runs in a child process, so that the inputs it
// queues stay out of the other tests.
TEST_F(CaldrexTest, ProcessCommandLine) {
  static char program[] = "caldrex", source[] = "-source", level[] = "1.4", file[] = "/dev/null",
              unknown[] = "-nosuch", sp[] = "-sp", dir[] = "src", std[] = "-std";
  struct Case {
    std::vector<char*> args;
    int status;  // 0: read, then the -source and -sp values checked
  };
  const Case cases[] = {
      {{program, source, level, sp, dir, std, file, file}, 0},
      {{program, sp, dir, file, std, file, source, level}, 0},
      {{program, source, level}, 1},
      {{program, unknown, file}, 1},
  };
  for (const Case& c : cases) {
    std::vector<char*> argv = c.args;
    argv.push_back(nullptr);
    EXPECT_EXIT(
        {
          InitCommandLine(static_cast<int32_t>(c.args.size()), argv.data());
          ProcessCommandLine();
          bool read = std::string(OptionValue(SourceLevelOption)) == "1.4" &&
                      std::string(OptionValue(SourcePathOption)) == "src";
          std::exit(read ? 0 : 2);
        },
        testing::ExitedWithCode(c.status), "^$")
        << c.args.size() << " arguments";
  }
}

}  // namespace
