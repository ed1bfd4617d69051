// The configuration parser as the tree builder sees it: the trace replays in
// pre-order with the token values in right-hand-side order; the registers and
// flags after clean and faulty parses; the set test.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config_text.h"
#include "support/automaton.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/lazy.h"
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

constexpr TokenSet End = {{1u << Config_endoffile, 0, 0, 0}};

class ConfigParserTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitRuntime();
    InitConfigParser();
  }

  // Parses `text` as the whole configuration; the error messages go to a
  // scratch stream.
  void Parse(const std::string& text) {
    text_ = text;
    ParseConfigText(text_);
  }

  static std::vector<int32_t> Reductions() {
    std::vector<int32_t> out;
    ForEachRecordedProduction(Trace.ReductionCursor, [&out](ProductionNumber p) { out.push_back(p); });
    return out;
  }

  std::string text_;
};

// The builder's replay of \a{x.y} \b{{f(1)}}: it reads each production with
// NextReduction and, in right-hand-side order, passes over punctuation and
// takes names and literals as value cells; the position counter always holds
// the position of the next token.
TEST_F(ConfigParserTest, TraceReplaysInBuilderOrder) {
  Parse("\\a{x.y} \\b{{f(1)}}");
  EXPECT_EQ(SyntaxErrorFlag, 0);
  EXPECT_EQ(PositionCounter, 1);
  const std::vector<int32_t> expected = {105, 110, 4, 8, 12, 11, 109, 5, 90, 87, 84, 81, 78, 75, 70, 61,
                                         54,  49,  42, 35, 31, 18, 23, 11, 111, 107, 90, 87, 84, 81, 78, 75,
                                         70,  61,  54, 49, 42, 35, 31, 15, 94};
  std::vector<int32_t> replayed;
  for (size_t i = 0; i < expected.size(); ++i) replayed.push_back(NextReduction());
  EXPECT_EQ(replayed, expected);
  EXPECT_EQ(Trace.ReductionCursor, nullptr);

  LazyCell* a = nullptr;
  LazyCell* x = nullptr;
  LazyCell* y = nullptr;
  ReplaySkipToken();  // backslash
  ReplayWordToken(&a);
  ReplaySkipToken();  // {
  ReplayWordToken(&x);
  ReplaySkipToken();  // .
  ReplayWordToken(&y);
  EXPECT_EQ(PositionCounter, 7);  // the closing brace
  ReplaySkipToken();
  EXPECT_EQ(reinterpret_cast<Identifier*>(ForceLazyCell(a)), IdentifierOf("a"));
  EXPECT_EQ(reinterpret_cast<Identifier*>(ForceLazyCell(x)), IdentifierOf("x"));
  EXPECT_EQ(reinterpret_cast<Identifier*>(ForceLazyCell(y)), IdentifierOf("y"));
  EXPECT_EQ(PositionCounter, 9);  // \b
  for (int i = 0; i < 5; ++i) ReplaySkipToken();  // \ b { { f
  ReplaySkipToken();                              // (
  LazyCell* one = nullptr;
  ReplayWordToken(&one);
  EXPECT_STREQ(reinterpret_cast<const char*>(ForceLazyCell(one)), "1");
  for (int i = 0; i < 3; ++i) ReplaySkipToken();  // ) } }
  EXPECT_EQ(Trace.TokenCursor->next, nullptr);   // the endoffile record is last
}

TEST_F(ConfigParserTest, RegistersAfterAParse) {
  struct Case {
    const char* input;
    int32_t syntaxError;
    size_t tokenRecords;
  };
  const std::vector<Case> cases = {
      {"", 0, 1},
      {"\\a{1}", 0, 6},
      {"\\a{1", 0, 6},       // the missing brace is inserted: its record stands in
      {"\\a{-1}", 1, 6},     // the skipped minus sign leaves no record
      {"\\a{1}} \\b{2}", 1, 6},  // everything after the stray brace is skipped
      {"\\ \\a{1}}", 1, 10},
  };
  for (const Case& c : cases) {
    Parse(c.input);
    EXPECT_EQ(SyntaxErrorFlag, c.syntaxError) << c.input;
    EXPECT_EQ(RecoveryMode, 0) << c.input;
    // The start state returns with PopCount -1; a construct parsed while the
    // tokens after the configuration are skipped leaves its own registers.
    if (c.syntaxError == 0) {
      EXPECT_EQ(PopCount, -1) << c.input;
    }
    EXPECT_EQ(AcceptFlag, 1) << c.input;
    EXPECT_EQ(CurrentToken, Config_endoffile) << c.input;
    size_t records = 0;
    for (TokenRecord* t = Trace.TokenHead; t != nullptr; t = t->next) ++records;
    EXPECT_EQ(records, c.tokenRecords) << c.input;
  }
  Parse("");
  EXPECT_EQ(Reductions(), std::vector<int32_t>{106});
}

// Random sentences of the grammar, written out as text, parse without a
// message, and their trace is exactly the derivation that made them: the
// recorded productions in pre-order and one token record per terminal.
class RandomDerivation {
 public:
  explicit RandomDerivation(uint32_t seed) : random_(seed) {
    const LrAutomaton& a = ConfigAutomaton;
    productionsOf_.resize(static_cast<size_t>(a.NonterminalCount));
    for (int p = 0; p < a.ProductionCount; ++p) productionsOf_[static_cast<size_t>(a.Productions[p].Lhs)].push_back(p);
    // The height of the shortest derivation of each nonterminal and
    // production, so that deep sentences can be closed off.
    height_.assign(productionsOf_.size(), 1 << 20);
    productionHeight_.assign(static_cast<size_t>(a.ProductionCount), 1 << 20);
    for (bool changed = true; changed;) {
      changed = false;
      for (int p = 0; p < a.ProductionCount; ++p) {
        int h = 1;
        for (int i = 0; i < a.Productions[p].Length; ++i) {
          int symbol = a.RhsSymbols[a.Productions[p].FirstSymbol + i];
          if (symbol >= a.TokenCount) h = std::max(h, 1 + height_[static_cast<size_t>(symbol - a.TokenCount)]);
        }
        productionHeight_[static_cast<size_t>(p)] = h;
        int& lhs = height_[static_cast<size_t>(a.Productions[p].Lhs)];
        if (h < lhs) {
          lhs = h;
          changed = true;
        }
      }
    }
  }

  // A sentence of nonterminal 0: its text, recorded productions and terminals.
  void Make(std::string& text, std::vector<int32_t>& recorded, size_t& terminals) {
    text.clear();
    recorded.clear();
    terminals = 0;
    Expand(0, 0, text, recorded, terminals);
  }

 private:
  void Expand(int nonterminal, int depth, std::string& text, std::vector<int32_t>& recorded, size_t& terminals) {
    const LrAutomaton& a = ConfigAutomaton;
    const std::vector<int>& choices = productionsOf_[static_cast<size_t>(nonterminal)];
    int p = choices[random_() % choices.size()];
    if (depth > 20) {
      p = *std::min_element(choices.begin(), choices.end(), [this](int x, int y) {
        return productionHeight_[static_cast<size_t>(x)] < productionHeight_[static_cast<size_t>(y)];
      });
    }
    if (a.Productions[p].Recorded != 0) recorded.push_back(p);
    for (int i = 0; i < a.Productions[p].Length; ++i) {
      int symbol = a.RhsSymbols[a.Productions[p].FirstSymbol + i];
      if (symbol >= a.TokenCount) {
        Expand(symbol - a.TokenCount, depth + 1, text, recorded, terminals);
        continue;
      }
      static const char* const classTexts[] = {"12", "1.5e3", "'c'", "\"s\"", "name"};
      std::string_view fixed = ConfigTokenFixedText(symbol);
      text += fixed.empty() ? classTexts[symbol - Config_IntegerLiteralsym] : std::string(fixed);
      text += ' ';
      ++terminals;
    }
  }

  std::mt19937 random_;
  std::vector<std::vector<int>> productionsOf_;
  std::vector<int> height_;
  std::vector<int> productionHeight_;
};

TEST_F(ConfigParserTest, RandomSentencesTraceTheirDerivation) {
  RandomDerivation sentences(20261210);
  std::string text;
  std::vector<int32_t> recorded;
  size_t terminals = 0;
  for (int n = 0; n < 500; ++n) {
    sentences.Make(text, recorded, terminals);
    int32_t errors = ErrorCount;
    Parse(text);
    ASSERT_EQ(ErrorCount, errors) << text;
    ASSERT_EQ(SyntaxErrorFlag, 0) << text;
    ASSERT_EQ(Reductions(), recorded) << text;
    size_t records = 0;
    for (TokenRecord* t = Trace.TokenHead; t != nullptr; t = t->next) ++records;
    ASSERT_EQ(records, terminals + 1) << text;  // and the endoffile record
  }
}

TEST_F(ConfigParserTest, SetMembership) {
  Parse("");
  TokenSet set = TokenSetOf(Config_endoffile) | TokenSetOf(Config_Identifiersym);
  EXPECT_EQ(set.word[0], 2u);
  EXPECT_EQ(set.word[1], 1u << (Config_Identifiersym - 32));
  EXPECT_EQ(InTokenSet(set), 1);
  EXPECT_EQ(InTokenSet(TokenSetOf(Config_starsym)), 0);
}

// The set test, synchronisation, skipping and token shift under their
// configuration names, each on a fresh token stream: the token they leave
// current, the syntax-error flag, and what they print on standard error.
TEST_F(ConfigParserTest, ConfigTokenSetOperations) {
  // Every set that the parser passes holds endoffile, which ends a skip.
  struct Case {
    const char* text;
    void (*run)();
    TokenCode current;   // afterwards
    int32_t syntaxError;
    const char* message;  // "" when nothing is printed, else a piece of it
  };
  const Case cases[] = {
      {"x", [] { EXPECT_EQ(InConfigTokenSet(TokenSetOf(Config_Identifiersym) | End), 1); }, Config_Identifiersym, 0, ""},
      {"x", [] { EXPECT_EQ(InConfigTokenSet(TokenSetOf(Config_starsym) | TokenSetOf(Config_endoffile)), 0); },
       Config_Identifiersym, 0, ""},
      {"x *", [] { SyncToConfigTokenSet(TokenSetOf(Config_Identifiersym) | End); }, Config_Identifiersym, 0, ""},
      {"( ] x", [] { SyncToConfigTokenSet(TokenSetOf(Config_Identifiersym) | End); }, Config_Identifiersym, 1,
       "unexpected symbol"},
      {"( ] x", [] { SkipToConfigTokenSet(TokenSetOf(Config_Identifiersym) | End); }, Config_Identifiersym, 0, ""},
      {"( ] . x", [] { SkipToConfigTokenSet(End); }, Config_endoffile, 0, ""},
      {"{ x", [] { ExpectConfigToken(Config_openchainsym, TokenSetOf(Config_Identifiersym) | End, 0); },
       Config_Identifiersym, 0, ""},
      {"x", [] { ExpectConfigToken(Config_openchainsym, TokenSetOf(Config_Identifiersym) | End, 0); },
       Config_Identifiersym, 0, "expected"},
      {"}", [] { ExpectConfigToken(Config_Identifiersym, TokenSetOf(Config_closechainsym) | End, 1); },
       Config_closechainsym, 1, "expected"},
  };
  for (const Case& c : cases) {
    text_ = c.text;
    ClearInputs();
    AddInputText(text_.data(), static_cast<int32_t>(text_.size()), IdentifierOf("p.cfg"));
    StartInputs();
    SyntaxErrorFlag = 0;
    RecoveryMode = 0;
    ResetScanner();
    InitConditionList();
    SelectLrAutomaton(ConfigAutomaton, 1000);
    ResetParseTrace();
    NextToken();
    FILE* saved = StderrStream;
    StderrStream = std::tmpfile();
    c.run();
    std::fflush(StderrStream);
    std::rewind(StderrStream);
    std::string printed;
    for (int ch; (ch = std::fgetc(StderrStream)) != EOF;) printed += static_cast<char>(ch);
    std::fclose(StderrStream);
    StderrStream = saved;
    EXPECT_EQ(CurrentToken, c.current) << c.text;
    EXPECT_EQ(SyntaxErrorFlag, c.syntaxError) << c.text;
    if (*c.message == '\0') {
      EXPECT_EQ(printed, "") << c.text;
    } else {
      EXPECT_NE(printed.find(c.message), std::string::npos) << c.text << ": " << printed;
    }
  }
}

}  // namespace
