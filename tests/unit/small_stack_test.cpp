// Deep input on a small stack, as when the programs' large thread cannot be
// made and the work runs on a process stack of a megabyte or less: the depth
// guard takes its floor from the stack the parsing thread really has, so input
// nested too deeply for it ends with the one depth message and status 1, in
// the parser or in the recursive replay of the configuration tree, and never
// with a signal; a flat list too long for it ends with the length message.
// Input that fits runs through as on any stack.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "java/parser/parser.h"
#include "small_stack.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/lrengine.h"
#include "support/report.h"
#include "support/startup.h"
#include "zebcheck/checker.h"

namespace {

constexpr size_t SmallStack = size_t{512} << 10;

std::string Source;

std::string Repeat(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

void UseSource(const char* name) {
  ClearInputs();
  AddInputText(Source.data(), static_cast<int32_t>(Source.size()), IdentifierOf(name));
  StartInputs();
  SuccessFlag = 1;
  SyntaxErrorFlag = 0;
  RecoveryMode = 0;
}

// The Java front end's parse, as caldrex parses an input.
void ParseJava() {
  InitRuntime();
  UseSource("t.java");
  InitAndParse();
}

// zebcheck's run: parse, tree, checks and print (to standard output).
void CheckConfiguration() {
  InitRuntime();
  InitCheckerModules();
  UseSource("t.cfg");
  RunChecker();
}

// Runs work on the small stack and ends the process with the run's status.
void ParseJavaOnSmallStack() {
  RunOnStack(SmallStack, ParseJava);
  ExitProgram(SuccessFlag != 0 ? 0 : 1);
}

void CheckConfigurationOnSmallStack() {
  RunOnStack(SmallStack, CheckConfiguration);
  ExitProgram(SuccessFlag != 0 ? 0 : 1);
}

// Standard error ends with the depth message (POSIX extended expression).
const std::string EndsWithDepthMessage = std::string("fatalerror : ") + NestingTooDeepText + "\n$";

TEST(SmallStack, DeepNestingEndsWithTheDepthMessage) {
  struct Case {
    const char* what;
    std::string text;
    void (*run)();
  };
  const Case cases[] = {
      // Far below the parser's own limit, far beyond what 512 KiB hold.
      {"Java parentheses", "class A { int x = " + Repeat("(", 25000) + "1" + Repeat(")", 25000) + "; }",
       ParseJavaOnSmallStack},
      {"Java blocks", "class A { void f() " + Repeat("{", 25000) + Repeat("}", 25000) + " }", ParseJavaOnSmallStack},
      {"configuration parentheses", "\\a{{" + Repeat("(", 25000) + "1" + Repeat(")", 25000) + "}}",
       CheckConfigurationOnSmallStack},
      {"nested definitions", Repeat("\\a{", 25000) + Repeat("}", 25000), CheckConfigurationOnSmallStack},
      // No nesting for the parser, which reduces a qualified name as it
      // grows, but one level per dot for the configuration tree's replay.
      {"long qualified name", "\\a{{" + Repeat("x.", 25000) + "y}}", CheckConfigurationOnSmallStack},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Source = c.text;
    EXPECT_EXIT(c.run(), testing::ExitedWithCode(1), EndsWithDepthMessage);
  }
}

// A long flat list is not nesting: each element leaves a list-tail routine
// active, and when those fill the stack the message says that the input is
// too long, not too deeply nested.
TEST(SmallStack, LongFlatListEndsWithTheLengthMessage) {
  const std::string EndsWithLengthMessage = std::string("fatalerror : ") + TooLongForStackText + "\n$";
  Source = "class A { " + Repeat("int f; ", 100000) + "}";
  EXPECT_EXIT(ParseJavaOnSmallStack(), testing::ExitedWithCode(1), EndsWithLengthMessage);
  Source = Repeat("\\a{1}\n", 100000);
  EXPECT_EXIT(CheckConfigurationOnSmallStack(), testing::ExitedWithCode(1), EndsWithLengthMessage);
}

TEST(SmallStack, NestingThatFitsRunsThrough) {
  Source = "class A { int x = " + Repeat("(", 300) + "1" + Repeat(")", 300) + "; }";
  EXPECT_EXIT(ParseJavaOnSmallStack(), testing::ExitedWithCode(0), "^$");
  Source = Repeat("\\a{", 50) + Repeat("}", 50);
  EXPECT_EXIT(CheckConfigurationOnSmallStack(), testing::ExitedWithCode(0), "^$");
}

}  // namespace
