// Start-up and exit: the command line, the environment, the flush order of
// ExitProgram, the once-only module inits, and the program entry's status
// rule and large stack.
#include "support/startup.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/limits.h"
#include "support/report.h"
#include "support/services.h"

namespace {

char ProgramName[] = "prog";
char FirstArgument[] = "-v";
char* ArgumentsOfTwo[] = {ProgramName, FirstArgument, nullptr};
char* ArgumentsOfOne[] = {ProgramName, nullptr};

TEST(CommandLine, ArgumentsByIndex) {
  InitCommandLine(2, ArgumentsOfTwo);
  EXPECT_EQ(ArgCount(), 2);
  EXPECT_STREQ(Arg(0), "prog");
  EXPECT_STREQ(Arg(1), "-v");
  EXPECT_EQ(Arg(2), nullptr);
  EXPECT_EQ(Arg(-1), nullptr);
  InitCommandLine(1, ArgumentsOfOne);
  EXPECT_EQ(ArgCount(), 1);
  EXPECT_EQ(Arg(1), nullptr);
}

TEST(CommandLine, UnsetVariableIsOneSharedEmptyString) {
  unsetenv("SUPPORT_TEST_UNSET");
  const char* first = GetEnv("SUPPORT_TEST_UNSET");
  const char* second = GetEnv("SUPPORT_TEST_UNSET_TOO");
  ASSERT_NE(first, nullptr);
  EXPECT_STREQ(first, "");
  EXPECT_EQ(first, second);
  setenv("SUPPORT_TEST_SET", "/opt/x", 1);
  EXPECT_STREQ(GetEnv("SUPPORT_TEST_SET"), "/opt/x");
}

TEST(Exit, StandardOutputIsFlushedFirst) {
  // Both handles append to one file; the file shows the order of the flushes.
  std::string path = testing::TempDir() + "startup_test_flush.txt";
  fclose(fopen(path.c_str(), "w"));
  EXPECT_EXIT(
      {
        StdoutStream = fopen(path.c_str(), "a");
        StderrStream = fopen(path.c_str(), "a");
        setvbuf(StderrStream, nullptr, _IOFBF, 1024);
        fputs("out", StdoutStream);
        fputs("err", StderrStream);
        ExitProgram(3);
      },
      testing::ExitedWithCode(3), "");
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "outerr");
}

// Two modules whose inits reach each other.
int32_t FirstInitFlag = 0;
int32_t SecondInitFlag = 0;
int FirstInitRuns = 0;
int SecondInitRuns = 0;
void SecondModuleInit();
void FirstModuleInit() {
  if (!EnterModuleInit(FirstInitFlag)) return;
  SecondModuleInit();
  FirstInitRuns += 1;
}
void SecondModuleInit() {
  if (!EnterModuleInit(SecondInitFlag)) return;
  FirstModuleInit();
  SecondInitRuns += 1;
}

TEST(ModuleInit, RunsOnceAlsoWhenInitsReachEachOther) {
  FirstModuleInit();
  FirstModuleInit();
  SecondModuleInit();
  EXPECT_EQ(FirstInitRuns, 1);
  EXPECT_EQ(SecondInitRuns, 1);
}

void ReportWarning() {
  BeginMessage(0, 1);
  PrintString("only a warning");
  EndMessage();
}

void ReportError() {
  BeginMessage(0, 0);
  PrintString("an error");
  EndMessage();
}

void WriteResult() { fputs("done\n", StdoutStream); }

// Recursion far deeper than a default thread stack allows: about 100 MiB.
__attribute__((noinline)) int Deep(int n) {
  volatile char pad[1024];
  pad[n % 1024] = static_cast<char>(n);
  int below = n > 0 ? Deep(n - 1) : 0;
  return below + pad[n % 1024];
}

void RecurseDeeply() {
  if (Deep(100000) == 12345) fputs("unlikely\n", StdoutStream);
}

TEST(ProgramEntry, WarningsAloneExitWithZero) {
  EXPECT_EXIT(RunProgram(1, ArgumentsOfOne, nullptr, ReportWarning, WriteResult), testing::ExitedWithCode(0),
              testing::Eq("line 0  0  Warning: only a warning\n"));
}

TEST(ProgramEntry, AnErrorExitsWithOne) {
  EXPECT_EXIT(RunProgram(1, ArgumentsOfOne, ReportWarning, ReportError, nullptr), testing::ExitedWithCode(1),
              testing::Eq("line 0  0  Warning: only a warning\nline 0  0  an error\n"));
}

// The program thread's stack under a memory limit: the full stack without a
// limit and under a large one, an eighth of a smaller one; the stack and what
// the heap keeps both grow with the limit, so that a larger limit never fails
// where a smaller one succeeds.
TEST(ProgramEntry, StackGrowsWithTheMemoryLimitAndLeavesTheHeapTheRest) {
  EXPECT_EQ(ProgramStackBytesFor(0), ProgramStackBytes);
  EXPECT_EQ(ProgramStackBytesFor(uint64_t{64} << 40), ProgramStackBytes);
  size_t previousStack = 0;
  uint64_t previousRest = 0;
  for (uint64_t limit = uint64_t{16} << 20; limit <= uint64_t{32} << 30; limit += uint64_t{7} << 20) {
    size_t stack = ProgramStackBytesFor(limit);
    ASSERT_LE(stack, limit / ProgramStackShare) << limit;
    ASSERT_GE(stack, previousStack) << limit;
    ASSERT_GE(limit - stack, previousRest) << limit;
    if (limit >= ProgramStackShare * ProgramStackBytes) {
      ASSERT_EQ(stack, ProgramStackBytes) << limit;
    }
    previousStack = stack;
    previousRest = limit - stack;
  }
}

// The lower of the address-space and data limits in force is the one read.
TEST(ProgramEntry, MemoryLimitIsTheLowerOfTheAddressSpaceAndDataLimits) {
  auto limitTo = [](int resource, uint64_t bytes) {
    struct rlimit limit;
    if (getrlimit(resource, &limit) != 0) _exit(3);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    if (setrlimit(resource, &limit) != 0) _exit(3);
  };
  auto check = [&](uint64_t addressSpace, uint64_t data, uint64_t expected) {
    limitTo(RLIMIT_AS, addressSpace);
    limitTo(RLIMIT_DATA, data);
    _exit(MemoryLimitBytes() == expected ? 0 : 1);
  };
  constexpr uint64_t Small = uint64_t{3} << 30, Large = uint64_t{5} << 30;
  // The soft limits are raised up to the hard ones, which must allow that.
  for (int resource : {RLIMIT_AS, RLIMIT_DATA}) {
    struct rlimit limit;
    if (getrlimit(resource, &limit) != 0 || limit.rlim_max != RLIM_INFINITY) {
      GTEST_SKIP() << "a hard address-space or data limit is set";
    }
  }
  EXPECT_EXIT(check(Small, Large, Small), testing::ExitedWithCode(0), "");
  EXPECT_EXIT(check(Large, Small, Small), testing::ExitedWithCode(0), "");
  EXPECT_EXIT(check(RLIM_INFINITY, Large, Large), testing::ExitedWithCode(0), "");
}

TEST(ProgramEntry, DeepRecursionDoesNotOverflow) {
  EXPECT_EXIT(RunProgram(1, ArgumentsOfOne, nullptr, RecurseDeeply, nullptr), testing::ExitedWithCode(0), "");
}

}  // namespace
