// Fuzz target: file names and paths.
//
// The input is a list of path strings separated by NUL bytes. Each string is
// parsed as a file path and as a directory, and the texts of both are made.
// Checked for every string: parsing is deterministic (the same text gives
// the identical objects); the text of a parsed path without a drive
// separator is a fixed point (parsing it again gives the same path); the text of a path is its directory's
// prefix text followed by base and extension; and the parent chain of every
// directory reaches a directory that is its own parent or an up-level within
// as many steps as the path has bytes, plus one per up-level it adds.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "support/filepath.h"
#include "support/heap.h"
#include "tests/fuzz/fuzzcheck.h"

namespace {

constexpr size_t MaxData = 4096;

// A heap copy, because the module keeps no reference to the string but the
// fuzzer's buffer goes away after the call.
const char* Copy(const char* text, size_t length) {
  char* copy = static_cast<char*>(Allocate(length + 1));
  std::memcpy(copy, text, length);
  copy[length] = '\0';
  return copy;
}

void CheckPath(const char* path) {
  FilePath* parsed = ParsePath(path);
  FUZZ_CHECK(parsed != nullptr, "a path parses");
  FUZZ_CHECK(ParsePath(path) == parsed, "the same text gives the identical path");
  Identifier* text = FilePathText(parsed);
  FUZZ_CHECK(text != nullptr && text->text != nullptr, "a path has a text");
  // A ':' after a '/' is an ordinary character of a component, but at the
  // start of a text it ends a drive prefix, so only texts without one are
  // sure to read back as the same path ("./a:/b" has the text "a:/b"). And
  // the file ".." in the relative start ("./..") has the text "..", which
  // reads back as the directory "..".
  std::string_view written = text->text;
  if (std::strchr(path, DriveSeparatorChar) == nullptr && written != "." && written != "..") {
    FUZZ_CHECK(ParsePath(text->text) == parsed, "a path's text parses to the same path");
  }

  std::string expected = DirectoryPrefixText(parsed->directory)->text;
  expected += parsed->base->text;
  expected += parsed->extension->text;
  FUZZ_CHECK(expected == text->text, "a path's text is prefix, base and extension");
  FUZZ_CHECK(parsed->extension->length == 0 || parsed->extension->text[0] == '.',
             "an extension begins with a dot");

  int32_t length = static_cast<int32_t>(std::strlen(path));
  if (length > 0) {
    Directory* directory = ParseDirectory(path, length - 1);
    FUZZ_CHECK(ParseDirectory(path, length - 1) == directory,
               "the same text gives the identical directory");
    FUZZ_CHECK(DirectoryText(directory) != nullptr, "a directory has a text");
    FUZZ_CHECK(DirectoryPrefixText(directory) != nullptr, "a directory has a prefix text");
    Directory* step = directory;
    for (int32_t i = 0; i <= length + 1; ++i) {
      if (step->kind == DriveRootDirectory || step->kind == UpLevelDirectory ||
          step->kind == RelativeStartDirectory) {
        break;
      }
      FUZZ_CHECK(i < length + 1, "a subdirectory chain ends within the path's length");
      step = ParentDirectory(step);
    }
    DirectoryText(ParentDirectory(directory));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > MaxData) return 0;
  FuzzRuntime();
  InitFileNames();
  const char* bytes = reinterpret_cast<const char*>(data);
  size_t start = 0;
  for (size_t i = 0; i <= size; ++i) {
    if (i == size || bytes[i] == '\0') {
      CheckPath(Copy(bytes + start, i - start));
      start = i + 1;
    }
  }
  return 0;
}
