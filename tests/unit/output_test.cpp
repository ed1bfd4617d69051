// OutputFile: the open, append and resume rules of the output stack, the
// points at which bytes reach the file, and each fatal message.
//
// The tests run in a directory of their own, with standard output sent to a
// file there. Every scenario opens a file first and closes everything it
// opened, so that nothing is open between tests.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/layout.h"
#include "support/output.h"
#include "support/startup.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

long FileSize(const char* path) {
  struct stat status;
  return stat(path, &status) == 0 ? static_cast<long>(status.st_size) : -1;
}

class OutputTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    char pattern[] = "/tmp/output_test.XXXXXX";
    directory_ = mkdtemp(pattern);
    ASSERT_EQ(chdir(directory_.c_str()), 0);
    StdoutStream = std::fopen("stdout.txt", "w");
    InitLayout();
  }
  static void TearDownTestSuite() {
    ASSERT_EQ(chdir("/"), 0);
    fs::remove_all(directory_);
  }
  static std::string directory_;
};

std::string OutputTest::directory_;

// One step of a scenario: open (a name; null is the standard error
// stream), close, or write a string.
struct Step {
  enum { Open, Close, Write } action;
  const char* text;
};

Step Open(const char* name) { return {Step::Open, name}; }
Step Close() { return {Step::Close, nullptr}; }
Step Write(const char* text) { return {Step::Write, text}; }

void RunSteps(const std::vector<Step>& steps) {
  for (const Step& step : steps) {
    switch (step.action) {
      case Step::Open: OpenOutput(step.text); break;
      case Step::Close: CloseOutput(); break;
      case Step::Write: WriteString(step.text); break;
    }
  }
}

TEST_F(OutputTest, StackOpensAppendsAndResumes) {
  struct Case {
    const char* name;
    std::map<std::string, std::string> before;
    std::vector<Step> steps;
    std::map<std::string, std::string> after;
    const char* stdoutText;
  };
  const Case cases[] = {
      {"a file, standard output, then the file again appends",
       {},
       {Open("f"), Write("1"), Open(""), Write("S"), Close(), Open("f"), Write("2"), Close(), Close()},
       {{"f", "12"}},
       "S"},
      {"re-opening the current file appends",
       {},
       {Open("f"), Write("1"), Open("f"), Write("2"), Close(), Close()},
       {{"f", "12"}},
       ""},
      {"another spelling of a suspended file truncates it",
       {},
       {Open("a"), Write("1"), Open("./a"), Write("2"), Close(), Close()},
       {{"a", "2"}},
       ""},
      {"a new name truncates an existing file",
       {{"f", "old text"}},
       {Open("f"), Write("new"), Close()},
       {{"f", "new"}},
       ""},
      {"a resumed file is appended to",
       {},
       {Open("f"), Write("1"), Open("g"), Write("g"), Close(), Write("2"), Close()},
       {{"f", "12"}, {"g", "g"}},
       ""},
      {"a name deeper in the stack appends; each resumes in turn",
       {},
       {Open("f"), Write("1"), Open("g"), Write("g"), Open("f"), Write("2"), Close(), Write("h"), Close(),
        Write("3"), Close()},
       {{"f", "123"}, {"g", "gh"}},
       ""},
      {"a closed file is no longer on the stack and is truncated",
       {},
       {Open("f"), Write("1"), Close(), Open("f"), Write("2"), Close()},
       {{"f", "2"}},
       ""},
      {"an output with nothing written is created empty",
       {{"f", "old text"}},
       {Open("f"), Close()},
       {{"f", ""}},
       ""},
      {"standard output is flushed at its close and the file resumes",
       {},
       {Open("f"), Open(""), Write("out"), Open(""), Write("put"), Close(), Close(), Write("1"), Close()},
       {{"f", "1"}},
       "output"},
  };
  for (const Case& c : cases) {
    for (const auto& [name, text] : c.before) std::ofstream(name) << text;
    long stdoutBefore = FileSize("stdout.txt");
    RunSteps(c.steps);
    for (const auto& [name, text] : c.after) {
      EXPECT_EQ(ReadFile(name), text) << c.name << ": " << name;
      fs::remove(name);
    }
    EXPECT_EQ(ReadFile("stdout.txt").substr(static_cast<size_t>(stdoutBefore)), c.stdoutText) << c.name;
  }
}

TEST_F(OutputTest, BytesReachTheFileAtTheFlushingPoints) {
  static std::string full(32768, 'x');
  OpenOutput("f");
  WriteString("abc");
  EXPECT_EQ(FileSize("f"), 0) << "a string stays in the buffer";
  WriteChar('\n');
  EXPECT_EQ(FileSize("f"), 4) << "a newline character writes the buffer out";
  WriteString(full.c_str());
  EXPECT_EQ(FileSize("f"), 4) << "exactly a full buffer is not written yet";
  WriteString("y");
  EXPECT_EQ(FileSize("f"), 4 + 32768) << "the next byte writes the full buffer first";
  PrintLayout(LayoutAbove(LayoutText("p"), LayoutText("q")));
  EXPECT_EQ(FileSize("f"), 4 + 32768) << "Layout's line breaks do not flush";
  WriteChar('z');
  EXPECT_EQ(FileSize("f"), 4 + 32768) << "other characters do not flush";
  OpenOutput("g");
  EXPECT_EQ(FileSize("f"), 4 + 32768 + 5) << "suspending writes the buffer out";
  WriteString("g");
  CloseOutput();
  EXPECT_EQ(ReadFile("g"), "g");
  CloseOutput();
  EXPECT_EQ(ReadFile("f"), "abc\n" + full + "yp\nqz");
}

void FillBeyondTheBuffer() {
  static std::string text(40000, 'x');
  WriteString(text.c_str());
}

TEST_F(OutputTest, FailuresEndTheRunWithTheirMessage) {
  ASSERT_EQ(mkdir("gone", 0777), 0);
  struct Case {
    const char* name;
    std::function<void()> run;
    const char* message;
  };
  const Case cases[] = {
      {"string while nothing is open", [] { WriteString("x"); }, "^Output file is not open\n$"},
      {"character while nothing is open", [] { WriteChar('x'); }, "^Output file is not open\n$"},
      {"flush while nothing is open", [] { FlushOutput(); }, "^Output file is not open\n$"},
      {"write after the bottom file is closed",
       [] {
         OpenOutput("f");
         CloseOutput();
         WriteString("x");
       },
       "^Output file is not open\n$"},
      {"file that cannot be created", [] { OpenOutput("missing/x.txt"); }, "^Cannot open file missing/x.txt\n$"},
      {"suspended file that cannot be re-opened",
       [] {
         OpenOutput("gone/f");
         OpenOutput("g");
         std::remove("gone/f");
         std::remove("gone");
         CloseOutput();
       },
       "^Cannot re-open file gone/f\n$"},
      {"failing flush at close",
       [] {
         OpenOutput("/dev/full");
         WriteString("x");
         CloseOutput();
       },
       "^Cannot write to file\n$"},
      {"failing flush at a newline",
       [] {
         OpenOutput("/dev/full");
         WriteChar('\n');
         std::fputs("not reached\n", stderr);
       },
       "^Cannot write to file\n$"},
      {"failing close at a suspension",
       [] {
         OpenOutput("/dev/full");
         WriteString("x");
         OpenOutput(nullptr);
       },
       "^Cannot write to file\n$"},
      {"short write of a full buffer",
       [] {
         OpenOutput("/dev/full");
         FillBeyondTheBuffer();
         std::fputs("not reached\n", stderr);
       },
       "^Cannot write to file\n$"},
      {"failing flush of the pending bytes at exit",
       [] {
         OpenOutput("/dev/full");
         WriteString("x");
         ExitProgram(0);
       },
       "^Cannot write to file\n$"},
  };
  for (const Case& c : cases) {
    EXPECT_EXIT(c.run(), testing::ExitedWithCode(1), c.message) << c.name;
  }
}

}  // namespace
