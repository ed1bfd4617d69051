// The Java parse step on in-memory sources: what the golden cases cannot see
// through javaparse's output. The flags that decide whether a tree is built
// (SyntaxErrorFlag for a missing identifier but not for a missing semicolon),
// the registers after an accepted parse, recovery mode restored after
// skipping, the trace's last token record, and the token-set helpers.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "java/frontend.h"
#include "java/parser/parser.h"
#include "java/scanner/tokens.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/lrengine.h"
#include "support/report.h"
#include "support/startup.h"
#include "support/trace.h"

namespace {

struct ParseResult {
  std::string messages;
  int32_t syntaxError;
};

// Parses the text as caldrex parses a command-line input (followed by the
// EndOfFile input) and returns the messages and SyntaxErrorFlag.
ParseResult Parse(const std::string& text) {
  InitRuntime();
  JavaParserModuleInit();
  static std::string kept;
  kept = text;
  FILE* capture = std::tmpfile();
  FILE* saved = StderrStream;
  StderrStream = capture;
  StartUnitText(kept.data(), static_cast<int32_t>(kept.size()), IdentifierOf("t.java"));
  InitAndParse();
  StderrStream = saved;
  std::string out;
  std::rewind(capture);
  for (int c; (c = std::fgetc(capture)) != EOF;) out += static_cast<char>(c);
  std::fclose(capture);
  return {out, SyntaxErrorFlag};
}

TEST(JavaParse, FlagsOfInsertedTokens) {
  struct Row {
    const char* source;
    const char* messages;
    int32_t syntaxError;
  } rows[] = {
      {"class A { }", "", 0},
      // A missing semicolon is inserted: the run fails, the tree is still built.
      {"class A { void f() { x = 1 } }",
       "\"t.java\", line 1  28  semicolonsym expected, closechainsym encountered\n", 0},
      // A missing identifier sets the flag: no tree.
      {"class A extends { }", "\"t.java\", line 1  17  Identifiersym expected, openchainsym encountered\n", 1},
      // A state's own error always sets it.
      {"import a.;", "\"t.java\", line 1  10  Star expected \n", 1},
      // So does a skipped token.
      {"class A { } }", "\"t.java\", line 1  13  unexpected symbol, closechainsym encountered\n", 1},
  };
  for (const Row& row : rows) {
    ParseResult r = Parse(row.source);
    EXPECT_EQ(r.messages, row.messages) << row.source;
    EXPECT_EQ(r.syntaxError, row.syntaxError) << row.source;
    EXPECT_EQ(RecoveryMode, 0) << row.source;
  }
}

TEST(JavaParse, AcceptedParseLeavesRegistersAndTrace) {
  ParseResult r = Parse("class A { int x = 1; }");
  EXPECT_EQ(r.messages, "");
  EXPECT_EQ(AcceptFlag, 1);
  EXPECT_EQ(PopCount, -1);
  EXPECT_EQ(LrDepth, 0);
  // The last token record is the token at which the parse stopped: endoffile.
  ASSERT_NE(Trace.TokenHead, nullptr);
  EXPECT_EQ(PositionCounter, Trace.TokenHead->position);
  EXPECT_EQ(Trace.TokenCursor, Trace.TokenHead);
  EXPECT_EQ(Trace.ReductionCursor, SublistHead);
  int tokens = 0;
  for (TokenRecord* t = Trace.TokenHead; t != nullptr; t = t->next) ++tokens;
  EXPECT_EQ(tokens, 10);  // class A { int x = 1 ; } endoffile
}

TEST(JavaParse, NothingRecordedWhileSkipping) {
  // The stray operator and the operand parsed after it leave no records: the
  // trace equals that of the same unit without them.
  Parse("class A { void f() { x = 1; } }");
  int clean = 0;
  ForEachRecordedProduction(SublistHead, [&clean](ProductionNumber) { ++clean; });
  Parse("class A { void f() { x = 1; / (a + b * c); } }");
  int recovered = 0;
  ForEachRecordedProduction(SublistHead, [&recovered](ProductionNumber) { ++recovered; });
  // One more statement: the empty statement after the skipped operand.
  EXPECT_GT(recovered, clean);
  EXPECT_LT(recovered, clean + 6);
}

// Units parsed one after the other in one process, as caldrex parses its work
// list: a unit after one with a syntax error starts with clear flags, its
// positions restart at its own first character, and it is named by its path.
TEST(JavaParse, EachUnitStartsClearAfterAFailedOne) {
  InitRuntime();
  JavaParserModuleInit();
  struct Unit {
    const char* text;
    int32_t syntaxError;
    SourcePosition firstToken;
  } units[] = {
      {"class A { int ; }", 1, 1},
      {"  class B { }", 0, 3},
      {"import a.;", 1, 1},
      {"\nclass C { int x; }", 0, 2},
  };
  FILE* saved = StderrStream;
  StderrStream = std::tmpfile();
  for (const Unit& unit : units) {
    std::string path = testing::TempDir() + "frontend_unit.java";
    FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs(unit.text, file);
    std::fclose(file);
    StartUnitFile(IdentifierOf(path.c_str()));
    EXPECT_EQ(SyntaxErrorFlag, 0) << unit.text;
    EXPECT_EQ(RecoveryMode, 0) << unit.text;
    InitAndParse();
    EXPECT_EQ(SyntaxErrorFlag, unit.syntaxError) << unit.text;
    EXPECT_EQ(PositionCounter, unit.firstToken) << unit.text;
    EXPECT_EQ(PositionToLine(PositionCounter).name, IdentifierOf(path.c_str())) << unit.text;
    CloseInput();
  }
  std::fclose(StderrStream);
  StderrStream = saved;
}

TEST(TokenSets, MembershipAndUnion) {
  TokenSet s = TokenSetOf(endoffile) | TokenSetOf(Identifiersym) | TokenSetOf(semicolonsym);
  CurrentToken = Identifiersym;
  EXPECT_EQ(InTokenSet(s), 1);
  CurrentToken = semicolonsym;
  EXPECT_EQ(InTokenSet(s), 1);
  CurrentToken = endoffile;
  EXPECT_EQ(InTokenSet(s), 1);
  CurrentToken = commasym;
  EXPECT_EQ(InTokenSet(s), 0);
  EXPECT_EQ(s.word[3], uint32_t{1} << (Identifiersym - 96));
}

}  // namespace
