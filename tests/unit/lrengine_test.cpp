// The engine's depth guard, run on the configuration automaton with a small
// depth limit: a parse that needs exactly the limit runs; one that needs more
// is abandoned and unwound, and ends with the one fatal message at the
// position where the limit was reached and nothing more on standard error,
// whether the limit is reached in the parse, in a skip inside it, or in the
// skip after it.
#include <gtest/gtest.h>

#include <string>

#include "support/identifiers.h"
#include "support/input.h"
#include "support/lrengine.h"
#include "support/replay.h"
#include "support/report.h"
#include "support/scanbuf.h"
#include "support/startup.h"
#include "support/trace.h"
#include "zebcheck/config_automaton.h"
#include "zebcheck/config_parser.h"
#include "zebcheck/config_tokens.h"

namespace {

constexpr int32_t Limit = 50;

// Parses `text` as a configuration, with the engine's depth limit at Limit,
// and skips what follows the configuration, as InitAndParseConfig does.
void ParseWithSmallLimit(const std::string& text) {
  static std::string kept;
  kept = text;
  InitRuntime();
  InitConfigParser();
  InitConfigTokenNames();
  ClearInputs();
  AddInputText(kept.data(), static_cast<int32_t>(kept.size()), IdentifierOf("p.cfg"));
  StartInputs();
  SyntaxErrorFlag = 0;
  ResetScanner();
  InitConditionList();
  SelectLrAutomaton(ConfigAutomaton, Limit);
  LrParseStart(Config_endoffile);
  SyncToTokenSet(TokenSetOf(Config_endoffile));
}

// \a{{ then `open` parentheses, then 1 and `close` parentheses and }}.
std::string Parenthesized(int open, int close) {
  return "\\a{{" + std::string(static_cast<size_t>(open), '(') + "1" + std::string(static_cast<size_t>(close), ')') +
         "}}";
}

std::string FatalAtColumn(int column) {
  return "p.cfg:\n1  " + std::to_string(column) + "  ?? fatalerror : input nested too deeply for the parser\n";
}

TEST(LrEngineDepth, ParseWithinTheLimitRuns) {
  // States 0, 2 and 3, one state per parenthesis, and the state after the
  // innermost operand: Limit - 4 parentheses need exactly Limit routines.
  InitRuntime();
  int32_t errors = ErrorCount;
  ParseWithSmallLimit(Parenthesized(Limit - 4, Limit - 4));
  EXPECT_EQ(ErrorCount, errors);
  EXPECT_EQ(SyntaxErrorFlag, 0);
  EXPECT_EQ(AcceptFlag, 1);
  EXPECT_EQ(LrDepth, 0);
  EXPECT_EQ(CurrentToken, Config_endoffile);
}

TEST(LrEngineDepth, FlatListsDoNotCountAsNesting) {
  // Lists ten times as long as the limit: definitions, arguments, and
  // definitions nested inside a definition, each list one level deep.
  std::string definitions, arguments = "\\f{{g(1", nested = "\\a{";
  for (int i = 0; i < 10 * Limit; ++i) {
    definitions += "\\d{1}";
    arguments += ",1";
    nested += "\\b{{(1)}}";
  }
  arguments += ")}}";
  nested += "}";
  for (const std::string& text : {definitions, arguments, nested, definitions + arguments + nested}) {
    InitRuntime();
    int32_t errors = ErrorCount;
    ParseWithSmallLimit(text);
    EXPECT_EQ(ErrorCount, errors) << text.substr(0, 40);
    EXPECT_EQ(SyntaxErrorFlag, 0);
    EXPECT_EQ(AcceptFlag, 1);
    EXPECT_EQ(LrDepth, 0);
    EXPECT_EQ(CurrentToken, Config_endoffile);
  }
}

TEST(LrEngineDepth, DeeperParseEndsWithTheFatalMessageAlone) {
  struct Case {
    const char* what;
    std::string text;
    std::string stderrText;
  };
  const Case cases[] = {
      // One parenthesis more: the state after the operand 1 would be routine
      // Limit + 1; the token read then is the first closing parenthesis.
      {"one level too deep", Parenthesized(Limit - 3, Limit - 3), FatalAtColumn(4 + (Limit - 3) + 2)},
      // Unclosed parentheses far beyond the limit: routine Limit + 1 is the
      // state after parenthesis Limit - 2, entered with the next one read.
      {"far too deep", Parenthesized(2 * Limit, 0), FatalAtColumn(4 + (Limit - 2) + 1)},
      // Tildes after a definition: the state after the definition, a list
      // tail that does not count, reports the first and skips it, re-entering
      // the prefix state for it with the second read (routine 2); each further
      // tilde nests another, so routine Limit + 1 is entered with tilde
      // Limit + 1 read (column 7 + Limit).
      {"in a skip inside the parse", "\\a{1} " + std::string(2 * Limit, '~'),
       "\"p.cfg\", line 1  7  unexpected symbol, tildasym encountered\n" + FatalAtColumn(7 + Limit)},
      // A stray closing brace ends the configuration: the skip after the
      // accepted parse (at depth 0) reports it and drops it, then re-enters
      // the prefix state for the first tilde with the second read (routine 1),
      // so routine Limit + 1 is entered with tilde Limit + 2 read.
      {"in the skip after the configuration", "\\a{1}}" + std::string(2 * Limit, '~'),
       "\"p.cfg\", line 1  6  unexpected symbol, closechainsym encountered\n" + FatalAtColumn(6 + Limit + 2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EXIT(ParseWithSmallLimit(c.text), testing::ExitedWithCode(1), testing::Eq(c.stderrText));
  }
}

}  // namespace
