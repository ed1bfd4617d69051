// FileNames: parsing paths into shared FilePath and Directory objects, the
// directory rules of "", "." and "..", drive prefixes, and the path texts.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "output_capture.h"
#include "support/filepath.h"
#include "support/output.h"
#include "support/startup.h"

namespace {

class FilePathTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitRuntime();
    InitFileNames();
  }
};

std::string Text(Identifier* identifier) { return identifier->text; }

TEST_F(FilePathTest, ParsesPathsIntoBaseExtensionDirectoryAndText) {
  struct Case {
    const char* path;
    const char* base;
    const char* extension;
    const char* directory;  // DirectoryText of the directory
    const char* text;       // FilePathText
  };
  const Case cases[] = {
      {"x.java", "x", ".java", ".", "x.java"},
      {"/a/b/C.java", "C", ".java", "/a/b", "/a/b/C.java"},
      {"a/../b.c", "b", ".c", ".", "b.c"},
      {"../x", "x", "", "..", "../x"},
      {".", "", "", ".", ""},
      {"..", "", "", "..", "../"},
      {"C:x.java", "x", ".java", "C:.", "C:x.java"},
      {"C:/w/x.y", "x", ".y", "C:/w", "C:/w/x.y"},
      {".profile", "", ".profile", ".", ".profile"},
      {"a.b/c", "c", "", "a.b", "a.b/c"},
      {"a/", "", "", "a", "a/"},
      {"/../x", "x", "", "/", "/x"},
      {"a/../x", "x", "", ".", "x"},
      {"../../x", "x", "", "../..", "../../x"},
      {"a/..", ".", ".", "a", "a/.."},
      {"//a//b/./c.d.e", "c.d", ".e", "/a/b", "/a/b/c.d.e"},
      {"/opt/p/bin/client", "client", "", "/opt/p/bin", "/opt/p/bin/client"},
      {"client.exe", "client", ".exe", ".", "client.exe"},
      // A ':' after a '/' belongs to its component, not to a drive prefix.
      {"a/b:c", "b:c", "", "a", "a/b:c"},
      {"lib/x:y/Z.java", "Z", ".java", "lib/x:y", "lib/x:y/Z.java"},
  };
  for (const Case& c : cases) {
    FilePath* path = ParsePath(c.path);
    EXPECT_EQ(Text(path->base), c.base) << c.path;
    EXPECT_EQ(Text(path->extension), c.extension) << c.path;
    EXPECT_EQ(Text(DirectoryText(path->directory)), c.directory) << c.path;
    EXPECT_EQ(Text(FilePathText(path)), c.text) << c.path;
  }
}

TEST_F(FilePathTest, DirectoryChainsEndAtTheirStart) {
  Directory* relative = ParsePath("x")->directory;
  EXPECT_EQ(relative->kind, RelativeStartDirectory);
  EXPECT_EQ(Text(relative->anchor.drive), "");
  EXPECT_EQ(Text(DirectoryPrefixText(relative)), "");

  Directory* drive = ParsePath("C:x.java")->directory;
  EXPECT_EQ(drive->kind, RelativeStartDirectory);
  EXPECT_EQ(Text(drive->anchor.drive), "C:");
  EXPECT_EQ(Text(DirectoryPrefixText(drive)), "C:");

  Directory* root = ParsePath("/x")->directory;
  EXPECT_EQ(root->kind, DriveRootDirectory);
  EXPECT_EQ(Text(DirectoryText(root)), "/");
  EXPECT_EQ(Text(DirectoryPrefixText(root)), "/");

  Directory* b = ParsePath("/a/b/c")->directory;
  EXPECT_EQ(b->kind, NamedSubdirectory);
  EXPECT_EQ(Text(b->name), "b");
  EXPECT_EQ(Text(DirectoryPrefixText(b)), "/a/b/");
  EXPECT_EQ(b->anchor.parent->anchor.parent, root);

  Directory* up = ParsePath("../../x")->directory;
  EXPECT_EQ(up->kind, UpLevelDirectory);
  EXPECT_EQ(up->anchor.parent->kind, UpLevelDirectory);
  EXPECT_EQ(up->anchor.parent->anchor.parent, relative);
  EXPECT_EQ(Text(DirectoryPrefixText(up)), "../../");
}

TEST_F(FilePathTest, ChildAndParentFollowTheDirectoryRules) {
  Directory* relative = ParsePath("x")->directory;
  Directory* root = ParsePath("/x")->directory;
  Directory* a = ParsePath("a/x")->directory;
  EXPECT_EQ(ChildDirectory(IdentifierOf(""), a), a);
  EXPECT_EQ(ChildDirectory(IdentifierOf("."), a), a);
  EXPECT_EQ(ChildDirectory(IdentifierOf(".."), a), relative);
  EXPECT_EQ(ChildDirectory(IdentifierOf("a"), relative), a);
  EXPECT_EQ(ParentDirectory(root), root);
  EXPECT_EQ(ParentDirectory(a), relative);
  Directory* up = ParentDirectory(relative);
  EXPECT_EQ(up->kind, UpLevelDirectory);
  EXPECT_EQ(up, ParsePath("../x")->directory);
  Directory* upUp = ParentDirectory(up);
  EXPECT_EQ(upUp->kind, UpLevelDirectory);
  EXPECT_EQ(upUp->anchor.parent, up);
}

TEST_F(FilePathTest, EqualPathsGiveTheIdenticalObjects) {
  EXPECT_EQ(ParsePath("/a/b/C.java"), ParsePath("/a/b/C.java"));
  EXPECT_EQ(ParsePath("a/../x"), ParsePath("x"));
  EXPECT_EQ(ParsePath("./a//b/x"), ParsePath("a/b/x"));
  EXPECT_EQ(ParseDirectory("a/b/", 3), ParsePath("a/b/x")->directory);
  EXPECT_EQ(MakeFilePath(IdentifierOf("x"), IdentifierOf(".y"), ParsePath("q")->directory), ParsePath("x.y"));
  EXPECT_NE(ParsePath("a/x"), ParsePath("b/x"));
  EXPECT_NE(ParsePath("x.java"), ParsePath("C:x.java"));
  // The text is made once and kept.
  FilePath* path = ParsePath("k/l.m");
  EXPECT_EQ(FilePathText(path), FilePathText(path));
  EXPECT_EQ(FilePathText(path), IdentifierOf("k/l.m"));
}

// Deep chains are walked in a loop; their texts come out whole.
TEST_F(FilePathTest, DeepPathsKeepTheirText) {
  std::string deep;
  for (int i = 0; i < 200000; ++i) deep += "d/";
  deep += "f.txt";
  EXPECT_EQ(Text(FilePathText(ParsePath(deep.c_str()))), deep);
}

TEST_F(FilePathTest, NamesAreKeptUnlessThePlatformIsDos) {
  EXPECT_EQ(PlatformKind(), 0);
  EXPECT_EQ(SeparatorText(), IdentifierOf("/"));
  Identifier* name = IdentifierOf("Mixed.Case name!");
  EXPECT_EQ(ToDosName(name), name);
}

// The DOS forms, with the platform kind set to 2 for the case and back.
TEST_F(FilePathTest, DosNamesKeepEightAndThreeCharactersOfTheSet) {
  const struct {
    const char* name;
    const char* dos;
  } cases[] = {
      {"readme.txt", "README.TXT"},
      {"averylongname.javadoc", "AVERYLON.JAV"},
      {"c:\\dir\\sub\\file.c", "C:\\DIR\\SUB\\FILE.C"},
      {"..\\x", "..\\X"},
      {".profile", ".PRO"},
      {"a_b-c~1.[x]", "A_B-C~1.[X]"},
      {"!#$%()^`", "!#$%()^`"},
      {"", ""},
  };
  SetPlatformKind(2);
  for (const auto& c : cases) EXPECT_EQ(Text(ToDosName(IdentifierOf(c.name))), c.dos) << c.name;
  SetPlatformKind(0);
  EXPECT_EQ(std::strlen(DosNameChars), 26u + 10u + 13u);
  EXPECT_EQ(std::strchr(DosNameChars, '\''), nullptr);
}

TEST_F(FilePathTest, ACharacterOutsideTheSetIsABadDosFilename) {
  const char* bad[] = {"it's", "a b", "x.y.z", "a=b", "a/b", "tab\tname"};
  for (const char* name : bad) {
    EXPECT_EXIT(
        {
          SetPlatformKind(2);
          ToDosName(IdentifierOf(name));
        },
        testing::ExitedWithCode(1), "^Bad DOS Filename: " + std::string(name) + "\n$")
        << name;
  }
}

TEST_F(FilePathTest, JoinedDirectoriesClimbTheFirstByTheLevelsOfTheSecond) {
  const struct {
    const char* first;   // a directory text
    const char* second;  // a path whose directory is joined onto it
    const char* joined;  // the joined path's text
  } cases[] = {
      {"/a/b", "c/x.j", "/a/b/c/x.j"},
      {"/a/b", "../x.j", "/a/x.j"},
      {"/a/b", "../../../x.j", "/x.j"},
      {"a", "../../x.j", "../x.j"},
      {"a/b", "./x.j", "a/b/x.j"},
      {"a/b", "/r/x.j", "/r/x.j"},
      {".", "../x.j", "../x.j"},
  };
  for (const auto& c : cases) {
    Directory* first = ParseDirectory(c.first, static_cast<int32_t>(std::strlen(c.first)) - 1);
    FilePath* joined = JoinFilePath(first, ParsePath(c.second));
    EXPECT_EQ(Text(FilePathText(joined)), c.joined) << c.first << " + " << c.second;
    EXPECT_EQ(joined, ParsePath(c.joined)) << c.first << " + " << c.second;
    EXPECT_EQ(JoinDirectories(first, ParsePath(c.second)->directory), joined->directory);
  }
}

TEST_F(FilePathTest, ComparisonsFollowTheTexts) {
  const struct {
    const char* a;
    const char* b;
    int32_t paths;        // CompareStrings of the paths: 0 equal, 2 before, 3 after
    int32_t directories;  // and of their directories
  } cases[] = {
      {"a/b/x", "a/b/x", 0, 0}, {"a/b/x", "a/c/x", 2, 2}, {"b/x", "a/b/x", 3, 3},
      {"a/x", "a/b/x", 3, 2},   {"/x", "x", 2, 3},        {"a/x", "a/y", 2, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CompareFilePaths(ParsePath(c.a), ParsePath(c.b)), c.paths) << c.a << " " << c.b;
    EXPECT_EQ(CompareDirectories(ParsePath(c.a)->directory, ParsePath(c.b)->directory), c.directories)
        << c.a << " " << c.b;
  }
}

TEST_F(FilePathTest, ForcedTextsAreTheCachedOnes) {
  Directory* directory = ParsePath("forced/dir/x")->directory;
  EXPECT_EQ(directory->text, nullptr);
  EXPECT_EQ(directory->prefixText, nullptr);
  ForceDirectoryTexts(directory);
  EXPECT_EQ(directory->text, IdentifierOf("forced/dir"));
  EXPECT_EQ(directory->prefixText, IdentifierOf("forced/dir/"));
  FilePath* path = ParsePath("forced/y.z");
  EXPECT_EQ(path->text, nullptr);
  ForceFilePathText(path);
  EXPECT_EQ(path->text, IdentifierOf("forced/y.z"));
}

TEST_F(FilePathTest, TextsPrintToEachStream) {
  FilePath* path = ParsePath("/p/q/r.s");
  EXPECT_EQ(OutputOf(testing::TempDir() + "filepath_print.txt",
                     [path] {
                       PrintDirectory(path->directory);
                       WriteString(" ");
                       PrintFilePath(path);
                     }),
            "/p/q /p/q/r.s");
  testing::internal::CaptureStdout();
  PrintDirectoryStdout(path->directory);
  PrintFilePathStdout(path);
  std::fflush(stdout);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "/p/q/p/q/r.s");
  testing::internal::CaptureStderr();
  PrintDirectoryStderr(path->directory);
  PrintFilePathStderr(path);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "/p/q/p/q/r.s");
}

TEST_F(FilePathTest, SlashConversionsWorkInPlace) {
  char text[] = "a/b\\c/d";
  SlashesToBackslashes(text);
  EXPECT_STREQ(text, "a\\b\\c\\d");
  BackslashesToSlashes(text);
  EXPECT_STREQ(text, "a/b/c/d");
  char empty[] = "";
  SlashesToBackslashes(empty);
  EXPECT_STREQ(empty, "");
}

}  // namespace
