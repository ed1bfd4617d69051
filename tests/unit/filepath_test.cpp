// FileNames: parsing paths into shared FilePath and Directory objects, the
// directory rules of "", "." and "..", drive prefixes, and the path texts.
#include <gtest/gtest.h>

#include <string>

#include "support/filepath.h"

namespace {

class FilePathTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { InitFileNames(); }
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

}  // namespace
