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
#include "support/scanbuf.h"
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
      // The next input's start becomes known only at the refill after the
      // line end in front of it, the buffer's last byte, was read.
      {"a line end as the buffer's last byte, then the next input",
       {{"A", std::string(ScanBufferSize - 1, 'a') + "\n"}, {"B", "b\nc"}},
       {{ScanBufferSize, "A", 1, ScanBufferSize}, {ScanBufferSize + 1, "B", 1, 1},
        {ScanBufferSize + 3, "B", 2, 1}}},
      {"a line end as the buffer's last byte in an input between two",
       {{"A", std::string(ScanBufferSize - 2, 'a') + "\n"}, {"E", "\n"}, {"B", "b\nc"}},
       {{ScanBufferSize, "E", 1, 1}, {ScanBufferSize + 1, "B", 1, 1}, {ScanBufferSize + 3, "B", 2, 1}}},
      {"empty inputs behind a line end at the buffer's last byte",
       {{"A", std::string(ScanBufferSize - 1, 'a') + "\n"}, {"M", ""}, {"B", "b\n"}},
       {{ScanBufferSize + 1, "B", 1, 1}, {ScanBufferSize + 2, "B", 1, 2}}},
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
  LineNumber lines = LastLine;
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

// Positions past 2^31 and 2^32, without reading that much: right after the
// list starts, the position counter jumps as if that many characters had
// been read already. The text is then read with the scanner's own readers
// (NextChar, ReadWhile), across several refills and into the next input, and
// every position converts to its input, line and column.
TEST(InputLines, PositionsBeyondThirtyTwoBits) {
  constexpr int32_t LineWidth = 100;  // 99 characters and a line feed
  constexpr int32_t Lines = 3 * ScanBufferSize / LineWidth;
  std::string a;
  for (int32_t k = 0; k < Lines; ++k) a += std::string(LineWidth - 1, static_cast<char>('a' + k % 26)) + "\n";
  const SourcePosition twoGiB = SourcePosition{1} << 31;
  const SourcePosition jumps[] = {twoGiB - LineWidth * 1500 - 50, twoGiB - 1, (SourcePosition{1} << 32) - 777,
                                  SourcePosition{1} << 40};
  for (SourcePosition jump : jumps) {
    SCOPED_TRACE("positions from " + std::to_string(jump));
    StartTexts({{"A", a}, {"B", "b\nlast\n"}});
    PositionCounter = jump;
    std::string data;
    for (;;) {
      unsigned c = NextChar();
      if (c == EndMarkerByte && AtEndOfInput()) break;
      if (c == '\n') {
        NewLine();
        TokenStart = BufferIndex;
        data.push_back('\n');
        continue;
      }
      // The rest of a run of equal letters in one read, as the scanner reads
      // blanks; the run (from TokenStart + 1 on) ends before the character
      // that stopped it, which is read again.
      ReadWhile([c](unsigned next) { return next == c; });
      data.append(static_cast<size_t>(BufferIndex - TokenStart - 1), static_cast<char>(c));
      UnreadChar();
      TokenStart = BufferIndex;
    }
    ASSERT_EQ(data, a + "b\nlast\n");
    EXPECT_EQ(PositionCounter, jump + static_cast<SourcePosition>(data.size()) + 1);
    // Line k (from 2 on) of A holds the positions jump + 100 (k - 1) + 1 ..
    // jump + 100 k; the first line also counts the characters jumped over.
    for (SourcePosition p : {twoGiB - 1, twoGiB, twoGiB + 1, (SourcePosition{1} << 32) + 3, jump + 2 * LineWidth,
                             jump + static_cast<SourcePosition>(a.size())}) {
      if (p <= jump + LineWidth || p > jump + static_cast<SourcePosition>(a.size())) continue;
      SourceLine where = PositionToLine(p);
      EXPECT_EQ(NameOf(where), "A") << "position " << p;
      EXPECT_EQ(where.line, (p - jump - 1) / LineWidth + 1) << "position " << p;
      EXPECT_EQ(where.column, (p - jump - 1) % LineWidth + 1) << "position " << p;
    }
    SourcePosition bStart = jump + static_cast<SourcePosition>(a.size());
    SourceLine first = PositionToLine(bStart + 1);
    SourceLine second = PositionToLine(bStart + 6);
    EXPECT_EQ(NameOf(first), "B");
    EXPECT_EQ(first.line, 1);
    EXPECT_EQ(first.column, 1);
    EXPECT_EQ(NameOf(second), "B");
    EXPECT_EQ(second.line, 2);
    EXPECT_EQ(second.column, 4);
  }
}

// Reads the stream as a scanner that knows line directives would: at the
// end of a line that begins with "#line", after NewLine, the rest of the
// line goes to ReadLineDirective. Returns what each directive returned.
std::vector<bool> ReadWithDirectives() {
  std::vector<bool> results;
  std::string line;
  for (;;) {
    TokenStart = BufferIndex;
    unsigned char c = ReadChar();
    if (c == EndMarkerByte && AtEndMarker(BufferIndex)) return results;
    if (c != '\n') {
      line.push_back(static_cast<char>(c));
      continue;
    }
    NewLine();
    if (line.rfind("#line", 0) == 0) results.push_back(ReadLineDirective(std::string_view(line).substr(5)));
    line.clear();
  }
}

TEST(InputLines, LineDirectives) {
  struct Case {
    const char* title;
    std::vector<TextInput> inputs;
    std::vector<bool> results;
    std::vector<Expected> expected;
  };
  const Case cases[] = {
      {"a named directive renames and renumbers the lines after it",
       {{"A", "a\n#line 10 \"X.java\"\nb\nc\n"}, {"B", "d\n"}},
       {true},
       {{1, "A", 1, 1}, {3, "A", 2, 1}, {21, "X.java", 10, 1}, {23, "X.java", 11, 1}, {25, "B", 1, 1}}},
      {"without a name the lines keep the directive line's name",
       {{"A", "a\n#line 40\nb\n"}},
       {true},
       {{12, "A", 40, 1}, {13, "A", 40, 2}}},
      {"blanks, tabs and text after the name",
       {{"A", "#line \t 7\t\"Y\" 1 3\nb\n"}},
       {true},
       {{19, "Y", 7, 1}}},
      {"a second directive takes over; its own line is under the first",
       {{"A", "#line 5 \"X\"\na\n#line 1\nb\n"}},
       {true, true},
       {{13, "X", 5, 1}, {15, "X", 6, 1}, {23, "X", 1, 1}}},
      {"a directive that ends its input leaves the next input alone",
       {{"A", "a\n#line 7 \"X\"\n"}, {"B", "b\nc\n"}},
       {true},
       {{15, "B", 1, 1}, {17, "B", 2, 1}}},
      {"a directive in the next input's first line applies to it",
       {{"A", "a\n"}, {"B", "#line 3\nb\n"}},
       {true},
       {{3, "B", 1, 1}, {11, "B", 3, 1}}},
      {"no number, or a name without its closing quote, records nothing",
       {{"A", "#line x 4\na\n#line 9 \"open\nb\n#line\nc\n"}},
       {false, false, false},
       {{11, "A", 2, 1}, {27, "A", 4, 1}, {35, "A", 6, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    StartTexts(c.inputs);
    EXPECT_EQ(ReadWithDirectives(), c.results);
    for (const Expected& e : c.expected) {
      SourceLine where = PositionToLine(e.position);
      EXPECT_EQ(NameOf(where), e.name) << "position " << e.position;
      EXPECT_EQ(where.line, e.line) << "position " << e.position;
      EXPECT_EQ(where.column, e.column) << "position " << e.position;
    }
  }
}

// The name part alone, and the three results in a heap record, agree with
// PositionToLine everywhere, position 0 included.
TEST(InputLines, NameAndCoordinateAgreeWithPositionToLine) {
  StartTexts({{"A", "ab\n"}, {nullptr, "c\nd"}, {"B", "\ne"}});
  ReadToEnd();
  for (SourcePosition p = 0; p <= 9; ++p) {
    SourceLine where = PositionToLine(p);
    EXPECT_EQ(InputNameAt(p), where.name) << "position " << p;
    SourceCoordinate* coordinate = PositionToCoordinate(p);
    EXPECT_EQ(coordinate->line, where.line) << "position " << p;
    EXPECT_EQ(coordinate->column, where.column) << "position " << p;
    EXPECT_EQ(coordinate->name, where.name) << "position " << p;
  }
  EXPECT_EQ(InputNameAt(5), nullptr);
  EXPECT_EQ(NameOf(PositionToLine(9)), "B");
  SourceCoordinate* made = NewSourceCoordinate(12, 5, IdentifierOf("N"));
  EXPECT_NE(made, PositionToCoordinate(1)) << "each call makes a record of its own";
  EXPECT_EQ(made->line, 12);
  EXPECT_EQ(made->column, 5);
  EXPECT_EQ(made->name, IdentifierOf("N"));
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

// The file opened for writing is created, or emptied when it exists; a
// path in no directory gives null.
TEST(InputFiles, OpenForWritingTruncates) {
  std::string path = WriteTempFile("input_test_written.txt", "old text that must go");
  FILE* file = OpenForWriting(path.c_str());
  ASSERT_NE(file, nullptr);
  fputs("new", file);
  fclose(file);
  FILE* check = fopen(path.c_str(), "r");
  ASSERT_NE(check, nullptr);
  char read[64] = {};
  size_t n = fread(read, 1, sizeof read - 1, check);
  fclose(check);
  EXPECT_EQ(std::string(read, n), "new");
  EXPECT_EQ(OpenForWriting("no/such/directory/out.txt"), nullptr);
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
