// Input list and line table: the stream of several inputs, the buffer's end
// marker and refills, and the conversion of positions to input, line and
// column (the worked examples of inputs with and without a final line end,
// empty inputs, growth of both tables).
#include "support/input.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include "support/limits.h"
#include "support/report.h"
#include "support/startup.h"

#include "temp_file.h"

namespace {

struct TextInput {
  const char* name;  // null: an input without a name
  std::string text;
};

// Texts handed to the input list must outlive the reading.
std::deque<std::string> KeptTexts;

// Makes the list of memory inputs current and starts reading it.
void StartTexts(const std::vector<TextInput>& inputs) {
  InitRuntime();
  ClearInputs();
  for (const TextInput& input : inputs) {
    KeptTexts.push_back(input.text);
    const std::string& kept = KeptTexts.back();
    AddInputText(kept.data(), static_cast<int32_t>(kept.size()),
                 input.name != nullptr ? IdentifierOf(input.name) : nullptr);
  }
  StartInputs();
  BufferIndex = -1;
  TokenStart = -1;
  BackupIndex = -1;
}

// The scanner's reader: refill at the buffer's last index, then one byte.
unsigned char ReadChar() {
  if (BufferIndex == ScanBufferSize - 1) RefillBuffer();
  BufferIndex += 1;
  PositionCounter += 1;
  return ScanBuffer[BufferIndex];
}

// Reads the rest of the stream, every character a token of its own, and
// records a line at every line feed. Returns the data characters.
std::string ReadToEnd() {
  std::string data;
  for (;;) {
    TokenStart = BufferIndex;
    unsigned char c = ReadChar();
    if (c == EndMarkerByte && AtEndMarker(BufferIndex)) return data;
    data.push_back(static_cast<char>(c));
    if (c == '\n') NewLine();
  }
}

std::string NameOf(const SourceLine& where) { return where.name != nullptr ? where.name->text : "<none>"; }

struct Expected {
  SourcePosition position;
  const char* name;
  int32_t line;
  int32_t column;
};

void ExpectLines(const std::vector<TextInput>& inputs, const std::vector<Expected>& expected) {
  StartTexts(inputs);
  ReadToEnd();
  for (const Expected& e : expected) {
    SourceLine where = PositionToLine(e.position);
    EXPECT_EQ(NameOf(where), e.name) << "position " << e.position;
    EXPECT_EQ(where.line, e.line) << "position " << e.position;
    EXPECT_EQ(where.column, e.column) << "position " << e.position;
  }
}

TEST(InputLines, WorkedExamples) {
  struct Case {
    const char* title;
    std::vector<TextInput> inputs;
    std::vector<Expected> expected;
  };
  const Case cases[] = {
      {"second input after a line end starts at its line 1",
       {{"A", "ab\n"}, {"B", "cd\nef"}},
       {{1, "A", 1, 1}, {3, "A", 1, 3}, {4, "B", 1, 1}, {5, "B", 1, 2}, {7, "B", 2, 1}}},
      {"a line spanning the boundary belongs to the first input",
       {{"A", "a\nab"}, {"B", "cd\nef\n"}},
       {{3, "A", 2, 1}, {5, "A", 2, 3}, {7, "A", 2, 5}, {8, "B", 1, 1}, {9, "B", 1, 2}}},
      {"end of input after a final line end",
       {{"A", "x\n"}, {"EndOfFile", "\n"}},
       {{4, "EndOfFile", 2, 1}}},
      {"end of input without a final line end",
       {{"A", "x"}, {"EndOfFile", "\n"}},
       {{3, "EndOfFile", 1, 1}}},
      {"position 0 is line 0, column 0 of the first input",
       {{"A", "a\n"}, {"B", "b\n"}},
       {{0, "A", 0, 0}}},
      {"an empty first input takes the second input's first line",
       {{"A", ""}, {"B", "a\nb\nc"}},
       {{1, "A", 1, 1}, {3, "B", 1, 1}, {5, "B", 2, 1}}},
      {"an empty middle input names no position",
       {{"A", "a\n"}, {"M", ""}, {"B", "b\n"}},
       {{2, "A", 1, 2}, {3, "B", 1, 1}, {4, "B", 1, 2}}},
      {"an input without a name",
       {{nullptr, "a\nbc\nd"}},
       {{4, "<none>", 2, 2}, {6, "<none>", 3, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    ExpectLines(c.inputs, c.expected);
  }
}

TEST(InputLines, TablesGrowWithoutChangingResults) {
  std::string many;
  for (int i = 0; i < 5000; ++i) many += "xy\n";
  std::vector<TextInput> inputs{{"Many", many}};
  std::vector<std::string> names;
  for (int i = 0; i < 3000; ++i) names.push_back("In" + std::to_string(i));
  for (const std::string& name : names) inputs.push_back({name.c_str(), "q\n"});
  // Line k of Many has its characters at 3k-2 .. 3k; In<i> starts after them.
  SourcePosition manyEnd = 3 * 5000;
  ExpectLines(inputs, {{1, "Many", 1, 1},
                       {3 * 2100 - 1, "Many", 2100, 2},
                       {manyEnd, "Many", 5000, 3},
                       {manyEnd + 1, "In0", 1, 1},
                       {manyEnd + 2 * 2999 + 2, "In2999", 1, 2}});
  EXPECT_GT(LineTableCapacity, LineTableStartCapacity);
  EXPECT_GT(InputStartCapacity, InputStartStartCapacity);
}

TEST(InputLines, LineEndReadTwiceIsRecordedOnce) {
  StartTexts({{"A", "a\nb\nc"}});
  ReadChar();
  ReadChar();
  NewLine();
  int32_t lines = LastLine;
  // The scanner backs up over the line end and reads it again.
  BufferIndex -= 1;
  PositionCounter -= 1;
  ReadChar();
  NewLine();
  EXPECT_EQ(LastLine, lines);
  SourceLine where = PositionToLine(3);
  EXPECT_EQ(where.line, 2);
  EXPECT_EQ(where.column, 1);
}

TEST(InputStream, InputsFollowEachOtherWithoutSeparator) {
  StartTexts({{"A", "one\n"}, {"B", ""}, {"C", "two"}, {"D", "\n3"}});
  EXPECT_EQ(ReadToEnd(), "one\ntwo\n3");
}

TEST(InputStream, DataByteFFIsNotTheEnd) {
  StartTexts({{"A", "a\xff" "b"}, {"B", "\xff"}, {"C", "c"}});
  EXPECT_EQ(ReadToEnd(), "a\xff" "b\xff" "c");
  EXPECT_EQ(PositionCounter, 6);
}

TEST(InputStream, InputFillingTheBufferExactly) {
  std::string full(ScanBufferSize, 'a');
  StartTexts({{"A", full}});
  EXPECT_EQ(BufferEnd, ScanBufferSize) << "no room for the marker yet";
  EXPECT_EQ(ReadToEnd(), full);
  EXPECT_EQ(BufferEnd, 0) << "the refill writes the marker behind the kept characters";

  StartTexts({{"A", full}, {"B", "bc"}});
  EXPECT_EQ(ReadToEnd(), full + "bc");
}

TEST(InputStream, LongMemoryTextIsCopiedInPieces) {
  std::string text;
  for (int i = 0; text.size() < 3 * static_cast<size_t>(ScanBufferSize) + 17; ++i) {
    text += std::to_string(i) + (i % 7 == 0 ? "\n" : " ");
  }
  StartTexts({{"A", text}, {"B", "tail"}});
  EXPECT_EQ(ReadToEnd(), text + "tail");
}

TEST(InputStream, TokenAcrossARefillStaysContiguous) {
  std::string text;
  for (int i = 0; i < ScanBufferSize + 500; ++i) text.push_back(static_cast<char>('a' + i % 26));
  StartTexts({{"A", text}});
  while (BufferIndex < ScanBufferSize - 40) {
    TokenStart = BufferIndex;
    ReadChar();
  }
  TokenStart = BufferIndex;
  int32_t tokenFirst = TokenStart + 1;
  SourcePosition positionBefore = PositionCounter;
  for (int i = 0; i < 100; ++i) {
    if (i == 60) BackupIndex = BufferIndex;
    ReadChar();
  }
  EXPECT_EQ(TokenStart, -1);
  EXPECT_EQ(BufferIndex, 99);
  EXPECT_EQ(BackupIndex, 59);
  EXPECT_EQ(PositionCounter, positionBefore + 100);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(ScanBuffer), 100), text.substr(tokenFirst, 100));
}

// The positions at which one input ends and another follows, found while
// reading: the last character of each input that is not the last, empty
// inputs included, and only those.
TEST(InputStream, BoundariesBetweenInputs) {
  std::string big(ScanBufferSize - 2, 'x');
  struct Case {
    const char* title;
    std::vector<TextInput> inputs;
    std::vector<SourcePosition> boundaries;
  };
  const std::vector<Case> cases = {
      {"one input", {{"A", "abc"}}, {}},
      {"two inputs", {{"A", "ab"}, {"B", "cd"}}, {2}},
      {"an empty input between", {{"A", "ab"}, {"B", ""}, {"C", "c"}}, {2}},
      {"an empty first input", {{"A", ""}, {"B", "ab"}, {"C", "c"}}, {2}},
      {"the second input past a refill", {{"A", big + "ab"}, {"B", "cd"}}, {ScanBufferSize}},
  };
  for (const Case& c : cases) {
    StartTexts(c.inputs);
    std::vector<SourcePosition> found;
    for (;;) {
      TokenStart = BufferIndex;
      unsigned char ch = ReadChar();
      if (ch == EndMarkerByte && AtEndMarker(BufferIndex)) break;
      // The scanner asks about a character after reading the one behind it.
      if (PositionCounter > 1 && InputBoundaryAt(PositionCounter - 1)) found.push_back(PositionCounter - 1);
    }
    EXPECT_EQ(found, c.boundaries) << c.title;
  }
}

TEST(InputStream, EmptyListReadsNothing) {
  InitRuntime();
  ClearInputs();
  StartInputs();
  BufferIndex = -1;
  TokenStart = -1;
  EXPECT_EQ(ReadToEnd(), "");
}

TEST(InputFiles, FilesAndTextsAreOneStream) {
  std::string a = WriteTempFile("input_test_a.txt", "class A\n");
  std::string b = WriteTempFile("input_test_b.txt", "x");
  InitRuntime();
  ClearInputs();
  AddInputFile(IdentifierOf(a.c_str()));
  AddInputText("\n", 1, IdentifierOf("EndOfFile"));
  AddInputFile(IdentifierOf(b.c_str()));
  StartInputs();
  BufferIndex = -1;
  EXPECT_EQ(ReadToEnd(), "class A\n\nx");
  SourceLine where = PositionToLine(10);
  EXPECT_EQ(NameOf(where), b);
  CloseInput();
  EXPECT_EQ(InputFile, nullptr);
}

TEST(InputFiles, FileFillingTheBufferExactlyThenAnotherFile) {
  std::string full(ScanBufferSize, 'f');
  full[100] = '\xff';
  std::string a = WriteTempFile("input_test_full.txt", full);
  std::string b = WriteTempFile("input_test_after.txt", "\xff!");
  InitRuntime();
  ClearInputs();
  AddInputFile(IdentifierOf(a.c_str()));
  AddInputFile(IdentifierOf(b.c_str()));
  StartInputs();
  BufferIndex = -1;
  EXPECT_EQ(BufferEnd, ScanBufferSize);
  EXPECT_EQ(ReadToEnd(), full + "\xff!");
  EXPECT_EQ(BufferEnd, 2);
  SourceLine where = PositionToLine(ScanBufferSize + 2);
  EXPECT_EQ(NameOf(where), a) << "no line end yet: the line belongs to the first file";
  EXPECT_EQ(where.column, ScanBufferSize + 2);
  CloseInput();
}

TEST(InputFiles, OpenInputRestartsEverything) {
  std::string text;
  for (int i = 0; i < 40000; ++i) text += "line" + std::to_string(i) + "\n";
  std::string path = WriteTempFile("input_test_open.txt", text);
  StartTexts({{"Before", "a\nb\nc\n"}});
  ReadToEnd();
  InputFile = fopen(path.c_str(), "r");
  ASSERT_NE(InputFile, nullptr);
  OpenInput(IdentifierOf(path.c_str()));
  EXPECT_EQ(PositionCounter, 0);
  EXPECT_EQ(ReadToEnd(), text);
  SourceLine where = PositionToLine(7);  // "line1" begins at 7
  EXPECT_EQ(NameOf(where), path);
  EXPECT_EQ(where.line, 2);
  EXPECT_EQ(where.column, 1);
  CloseInput();
}

TEST(InputFiles, MissingSecondFileIsFatal) {
  std::string a = WriteTempFile("input_test_first.txt", "abc\n");
  EXPECT_EXIT(
      {
        InitRuntime();
        ClearInputs();
        AddInputFile(IdentifierOf(a.c_str()));
        AddInputFile(IdentifierOf("no/such/file.java"));
        StartInputs();
      },
      testing::ExitedWithCode(1), testing::Eq("Cannot open file no/such/file.java\n"));
}

TEST(InputFiles, DirectoryIsFatal) {
  std::string dir = testing::TempDir();
  EXPECT_EXIT(
      {
        InitRuntime();
        ClearInputs();
        AddInputFile(IdentifierOf(dir.c_str()));
        StartInputs();
      },
      testing::ExitedWithCode(1), testing::Eq("Cannot open file " + dir + "\n"));
}

TEST(InputFiles, TokenTooLongIsFatal) {
  EXPECT_EXIT(
      {
        StartTexts({{"A", std::string(ScanBufferSize + 10, 'a')}});
        TokenStart = -1;
        for (;;) ReadChar();
      },
      testing::ExitedWithCode(1), testing::Eq("A:\n1  131072  ?? fatalerror : token too long\n"));
}

TEST(InputLookups, SafeBeforeAnyInput) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // In a fresh process: first before any start-up, then after start-up
  // with no input started.
  EXPECT_EXIT(
      {
        SourceLine none = PositionToLine(5);
        SourceLine zero = PositionToLine(0);
        bool before = none.line == 1 && none.column == 5 && none.name == nullptr && zero.line == 0 &&
                      zero.column == 0 && zero.name == nullptr;
        InitRuntime();
        SourceLine after = PositionToLine(7);
        bool started = after.line == 1 && after.column == 7 && after.name == nullptr;
        exit(before && started ? 0 : 2);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace
