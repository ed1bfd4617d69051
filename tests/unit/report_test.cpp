// Error reporter: each message format byte for byte, the counters and the
// success flag, token errors, fatal errors and internal errors.
#include "support/report.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include "support/input.h"
#include "support/services.h"
#include "support/startup.h"

#include "temp_file.h"

namespace {

std::deque<std::string> KeptTexts;

// Reads a one-input stream to its end, recording lines at line feeds, so
// that positions in it convert to lines and columns.
void ReadText(const char* name, const std::string& text) {
  InitRuntime();
  ClearInputs();
  KeptTexts.push_back(text);
  AddInputText(KeptTexts.back().data(), static_cast<int32_t>(text.size()),
               name != nullptr ? IdentifierOf(name) : nullptr);
  StartInputs();
  BufferIndex = -1;
  TokenStart = -1;
  for (;;) {
    BufferIndex += 1;
    PositionCounter += 1;
    if (AtEndMarker(BufferIndex)) break;
    if (ScanBuffer[BufferIndex] == '\n') NewLine();
  }
}

// Points the standard error handle at a temporary file. What a message
// wrote is read back through the file descriptor, without flushing, so only
// what the reporter flushed itself is seen.
class Report : public testing::Test {
 protected:
  void SetUp() override {
    InitRuntime();
    saved_ = StderrStream;
    file_ = tmpfile();
    StderrStream = file_;
    SuccessFlag = 1;  // each case starts as a run without errors
  }
  void TearDown() override {
    StderrStream = saved_;
    fclose(file_);
  }
  std::string Written() {
    std::string text;
    char chunk[4096];
    for (off_t at = 0;;) {
      ssize_t n = pread(fileno(file_), chunk, sizeof chunk, at);
      if (n <= 0) return text;
      text.append(chunk, static_cast<size_t>(n));
      at += n;
    }
  }

 private:
  FILE* saved_ = nullptr;
  FILE* file_ = nullptr;
};

TEST_F(Report, PositionedMessageFormats) {
  struct Case {
    const char* title;
    const char* name;
    std::string text;
    SourcePosition position;
    int32_t warning;
    const char* expected;
  };
  const Case cases[] = {
      {"error in a named input", "Foo.java", std::string(11, '\n') + "    x;", 16, 0,
       "\"Foo.java\", line 12  5  unexpected symbol\n"},
      {"error in an input without a name", nullptr, "\n\n      x", 9, 0, "line 3  7  unexpected symbol\n"},
      {"warning", "A", "ab\n", 2, 1, "\"A\", line 1  2  Warning: unexpected symbol\n"},
      {"position 0", "A", "ab\n", 0, 0, "\"A\", line 0  0  unexpected symbol\n"},
      {"a line end has the column after the line's last character", "A", "ab\ncd", 3, 0,
       "\"A\", line 1  3  unexpected symbol\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    ReadText(c.name, c.text);
    off_t start = static_cast<off_t>(Written().size());
    BeginMessage(c.position, c.warning);
    PrintString("unexpected symbol");
    EndMessage();
    EXPECT_EQ(Written().substr(static_cast<size_t>(start)), c.expected);
  }
}

TEST_F(Report, ErrorsClearTheSuccessFlagAndWarningsDoNot) {
  ReadText("A", "abc\n");
  int32_t errors = ErrorCount;
  int32_t warnings = WarningCount;
  BeginMessage(1, 1);
  EndMessage();
  EXPECT_EQ(WarningCount, warnings + 1);
  EXPECT_EQ(ErrorCount, errors);
  EXPECT_EQ(SuccessFlag, 1);
  BeginMessage(1, 0);
  EndMessage();
  BeginMessage(2, 0);
  EndMessage();
  EXPECT_EQ(ErrorCount, errors + 2);
  EXPECT_EQ(WarningCount, warnings + 1);
  EXPECT_EQ(SuccessFlag, 0);
}

// A value written through the reporter's reference is the scanner's current
// token value.
TEST_F(Report, TokenAttributeRefReachesTheScannersTokenValue) {
  ASSERT_EQ(TokenAttributeRef, &TokenAttribute);
  TokenAttributeRef->Integer = 77;
  EXPECT_EQ(TokenAttribute.Integer, 77);
  TokenAttribute.Integer = 0;
}

TEST_F(Report, TokenErrorNamesTheTokenUpToItsFirstBlank) {
  ReadText("A", "abc\n");
  int32_t errors = ErrorCount;
  ReportTokenError(2, "illegal", "two words");
  ReportTokenError(3, " illegal symbol deleted ", "");
  ReportTokenError(1, "bad", "word");
  EXPECT_EQ(Written(),
            "\"A\", line 1  2  illegal (two encountered)\n"
            "\"A\", line 1  3   illegal symbol deleted \n"
            "\"A\", line 1  1  bad (word encountered)\n");
  EXPECT_EQ(ErrorCount, errors + 3);
  EXPECT_EQ(SuccessFlag, 0);
}

// Lines and columns past 2^31 and 2^32 print in full. The line table is
// given line ends far out, as reading that much input would give it.
TEST_F(Report, PositionsBeyondThirtyTwoBitsPrintInFull) {
  ReadText("Big", "a\n");
  PositionCounter = 3000000000;
  NewLine();
  off_t start = static_cast<off_t>(Written().size());
  BeginMessage(2999999999, 0);
  EndMessage();
  BeginMessage(3000000007, 1);
  EndMessage();
  EXPECT_EQ(Written().substr(static_cast<size_t>(start)),
            "\"Big\", line 2  2999999997  \n"
            "\"Big\", line 3  7  Warning: \n");
}

// Shows, at exit, whether the input stream was closed.
void ReportWhetherInputClosed() { fputs(InputFile == nullptr ? "closed\n" : "open\n", stderr); }

// On the process's own standard error stream a message line leaves whole, at
// its end: none of its pieces is written before the newline, and all of it is
// written by the time the message ends, without any flush by the caller.
TEST(ReportLines, AMessageLineIsWrittenWholeAtItsEnd) {
  ReadText("A.java", "ab\ncde\n");
  ASSERT_EQ(StderrStream, stderr);
  std::string path = WriteTempFile("report_test_lines.txt", "");
  std::fflush(stderr);
  int kept = dup(2);
  int file = open(path.c_str(), O_RDWR | O_TRUNC);
  ASSERT_GE(file, 0);
  dup2(file, 2);
  auto written = [file] {
    std::string text;
    char chunk[256];
    for (off_t at = 0;;) {
      ssize_t n = pread(file, chunk, sizeof chunk, at);
      if (n <= 0) return text;
      text.append(chunk, static_cast<size_t>(n));
      at += n;
    }
  };
  std::vector<std::string> seen;
  BeginMessage(5, 1);
  PrintString("first");
  seen.push_back(written());
  EndMessage();
  seen.push_back(written());
  ReportTokenError(3, "second", "x y");
  seen.push_back(written());
  std::fflush(stderr);
  dup2(kept, 2);
  close(kept);
  close(file);
  EXPECT_EQ(seen[0], "");
  EXPECT_EQ(seen[1], "\"A.java\", line 2  2  Warning: first\n");
  EXPECT_EQ(seen[2], seen[1] + "\"A.java\", line 1  3  second (x encountered)\n");
}

TEST(ReportFatal, NamedInputHeaderThenPositionedLine) {
  std::string path = WriteTempFile("report_test_fatal.txt", "ab\ncde\n");
  EXPECT_EXIT(
      {
        InitRuntime();
        ClearInputs();
        AddInputFile(IdentifierOf(path.c_str()));
        StartInputs();
        atexit(ReportWhetherInputClosed);
        PositionCounter = 3;
        NewLine();
        PositionCounter = 5;  // "d", line 2, column 2
        FatalError("token too long");
      },
      testing::ExitedWithCode(1),
      testing::Eq(path + ":\n2  2  ?? fatalerror : token too long\nclosed\n"));
}

TEST(ReportFatal, InputWithoutNameGivesAnEmptyHeaderLine) {
  EXPECT_EXIT(
      {
        ReadText(nullptr, "\n\nabc");
        PositionCounter = 4;
        FatalError("boom");
      },
      testing::ExitedWithCode(1), testing::Eq("\n3  2  ?? fatalerror : boom\n"));
}

TEST(ReportFatal, PositionBeyondThirtyTwoBits) {
  EXPECT_EXIT(
      {
        ReadText("Big", "a\n");
        PositionCounter = 5000000000;
        FatalError("boom");
      },
      testing::ExitedWithCode(1), testing::Eq("Big:\n2  4999999998  ?? fatalerror : boom\n"));
}

TEST(ReportFatal, InternalErrorNamesModuleAndLine) {
  EXPECT_EXIT(
      {
        InitRuntime();
        InternalError("layout.cpp", 42);
      },
      testing::ExitedWithCode(1), testing::Eq("Internal error: \"layout.cpp\", line 42   Type error occurred\n"));
}

TEST(ReportFatal, CannotOpenFileHasNoPosition) {
  EXPECT_EXIT(
      {
        InitRuntime();
        CannotOpenFile("out/list.txt");
      },
      testing::ExitedWithCode(1), testing::Eq("Cannot open file out/list.txt\n"));
}

}  // namespace
