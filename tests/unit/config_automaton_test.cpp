// Checks the generated configuration automaton against the configuration
// parser's state tables: the grammar's numbers, each of the 66 states' name,
// own set, error message and repair or default action, the actions of its
// tokens and gotos, and the re-entry table of error recovery.
#include <cctype>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/automaton.h"
#include "zebcheck/config_automaton.h"

namespace {

const LrAutomaton& A = ConfigAutomaton;

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// An action as the tables write it: the fixed tokens shifted inline ("expect
// X; "), then "state NN", "accept", "reduce pN" (a recorded production) or
// "reduce NN" (the single production of nonterminal N).
std::string Summary(const LrAction& act) {
  std::string out;
  for (int i = 0; i < act.RunLength; ++i) out += std::string("expect ") + A.TokenNames[A.RunTokens[act.Run + i]] + "; ";
  switch (act.Kind) {
    case LrShift:
    case LrGotoCall:
      return out + "state " + TwoDigits(act.Target);
    case LrAccept:
      return out + "accept";
    case LrShiftReduce:
    case LrGotoReduce:
    case LrReduce:
    case LrEmptyReduce:
      return out + "reduce " + (act.Production >= 0 ? "p" + std::to_string(act.Production) : "N" + std::to_string(act.Lhs));
    default:
      return out + "error";
  }
}

std::set<std::string> SetNames(int set) {
  std::set<std::string> out;
  for (int c = 0; c < A.TokenCount; ++c)
    if ((A.Sets[set * A.SetWords + c / 32] >> (c % 32)) & 1u) out.insert(A.TokenNames[c]);
  return out;
}

std::set<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::set<std::string> out;
  for (std::string w; in >> w;) out.insert(w);
  return out;
}

// The own sets of the tables, by their names there.
std::map<std::string, std::string> OwnSetNames() {
  std::map<std::string, std::string> n;
  n["FIRST"] =
      "falsesym truesym minussym tildasym exclaimsym openparsym plussym IntegerLiteralsym "
      "FloatingPointLiteralsym CharacterLiteralsym StringLiteralsym Identifiersym";
  n["5"] = "verticalbarverticalbarsym closebrksym commasym closeparsym closechainsym questionmarksym colonsym";
  n["6"] = n["5"] + " ampersandampersandsym";
  n["7"] = n["6"] + " verticalbarsym";
  n["8"] = n["7"] + " hatsym";
  n["9"] = n["8"] + " ampersandsym";
  n["10"] = n["9"] + " equalsequalssym exclaimequalssym";
  n["11"] = n["10"] + " lessthansym greaterthansym lessthanequalssym greaterthanequalssym";
  n["12"] = n["11"] + " lessthanlessthansym greaterthangreaterthansym greaterthangreaterthangreaterthansym";
  n["13"] = n["12"] + " plussym minussym";
  n["14"] = n["13"] + " starsym slashsym percentsym";
  n["17"] = n["14"] + " openbrksym dotsym";
  n["18"] = n["17"] + " openparsym";
  return n;
}

struct StateRow {
  int state;
  const char* hint;     // name after "ConfigStateNN"
  const char* own;      // token names, or the name of a set above
  const char* message;  // the error message, or "" for a state without one
  const char* action;   // the repair of the error branch, or the default action
};

// clang-format off
const std::vector<StateRow> StateRows = {
  {0, "ZEBRootConfiguration", "backslashsym", "ZEB_RootConfiguration expected ", "accept"},
  {1, "", "backslashsym closechainsym", "", "reduce p109"},
  {2, "ZEBAttributeValue", "falsesym truesym backslashsym openchainsym closechainsym IntegerLiteralsym "
      "FloatingPointLiteralsym CharacterLiteralsym StringLiteralsym Identifiersym",
      "ZEB_AttributeValue expected ", "expect closechainsym; reduce N3"},
  {3, "ZEBExpression", "FIRST", "ZEB_Expression expected ", "expect closechainsym; reduce p5"},
  {4, "", "dotsym closechainsym", "", "reduce N7"},
  {5, "", "5", "", "reduce p90"},
  {6, "", "6", "", "reduce p87"},
  {7, "", "7", "", "reduce p84"},
  {8, "", "8", "", "reduce p81"},
  {9, "", "9", "", "reduce p78"},
  {10, "", "10", "", "reduce p75"},
  {11, "", "11", "", "reduce p70"},
  {12, "", "12", "", "reduce p61"},
  {13, "", "13", "", "reduce p54"},
  {14, "", "14", "", "reduce p49"},
  {15, "ZEBUnaryExpression", "FIRST", "ZEB_UnaryExpression expected ", "reduce N23"},
  {16, "ZEBUnaryExpression", "FIRST", "ZEB_UnaryExpression expected ", "reduce N24"},
  {17, "", "17", "", "reduce p31"},
  {18, "", "18", "", "reduce p32"},
  {19, "ZEBUnaryExpression", "FIRST", "ZEB_UnaryExpression expected ", "reduce N25"},
  {20, "ZEBUnaryExpression", "FIRST", "ZEB_UnaryExpression expected ", "reduce N26"},
  {21, "ZEBExpression", "FIRST", "ZEB_Expression expected ", "expect closeparsym; reduce N12"},
  {22, "ZEBExpression", "FIRST", "ZEB_Expression expected ", "expect colonsym; state 63"},
  {23, "ZEBConditionalAndExpression", "FIRST", "ZEB_ConditionalAndExpression expected ", "state 45"},
  {24, "ZEBInclusiveOrExpression", "FIRST", "ZEB_InclusiveOrExpression expected ", "state 46"},
  {25, "ZEBExclusiveOrExpression", "FIRST", "ZEB_ExclusiveOrExpression expected ", "state 47"},
  {26, "ZEBAndExpression", "FIRST", "ZEB_AndExpression expected ", "state 48"},
  {27, "ZEBEqualityExpression", "FIRST", "ZEB_EqualityExpression expected ", "state 49"},
  {28, "ZEBRelationalExpression", "FIRST", "ZEB_RelationalExpression expected ", "state 50"},
  {29, "ZEBRelationalExpression", "FIRST", "ZEB_RelationalExpression expected ", "state 51"},
  {30, "ZEBShiftExpression", "FIRST", "ZEB_ShiftExpression expected ", "state 52"},
  {31, "ZEBShiftExpression", "FIRST", "ZEB_ShiftExpression expected ", "state 53"},
  {32, "ZEBShiftExpression", "FIRST", "ZEB_ShiftExpression expected ", "state 54"},
  {33, "ZEBShiftExpression", "FIRST", "ZEB_ShiftExpression expected ", "state 55"},
  {34, "ZEBAdditiveExpression", "FIRST", "ZEB_AdditiveExpression expected ", "state 56"},
  {35, "ZEBAdditiveExpression", "FIRST", "ZEB_AdditiveExpression expected ", "state 57"},
  {36, "ZEBAdditiveExpression", "FIRST", "ZEB_AdditiveExpression expected ", "state 58"},
  {37, "ZEBMultiplicativeExpression", "FIRST", "ZEB_MultiplicativeExpression expected ", "state 59"},
  {38, "ZEBMultiplicativeExpression", "FIRST", "ZEB_MultiplicativeExpression expected ", "state 60"},
  {39, "ZEBUnaryExpression", "FIRST", "ZEB_UnaryExpression expected ", "reduce N28"},
  {40, "ZEBUnaryExpression", "FIRST", "ZEB_UnaryExpression expected ", "reduce N29"},
  {41, "ZEBUnaryExpression", "FIRST", "ZEB_UnaryExpression expected ", "reduce N30"},
  {42, "ZEBExpression", "FIRST", "ZEB_Expression expected ", "expect closebrksym; reduce N20"},
  {43, "", "FIRST closeparsym", "", "reduce p112"},
  {44, "ZEBExpression", "FIRST", "ZEB_Expression expected ", "expect closebrksym; reduce N19"},
  {45, "", "6", "", "reduce N55"},
  {46, "", "7", "", "reduce N53"},
  {47, "", "8", "", "reduce N51"},
  {48, "", "9", "", "reduce N49"},
  {49, "", "10", "", "reduce N47"},
  {50, "", "11", "", "reduce N44"},
  {51, "", "11", "", "reduce N45"},
  {52, "", "12", "", "reduce N39"},
  {53, "", "12", "", "reduce N40"},
  {54, "", "12", "", "reduce N41"},
  {55, "", "12", "", "reduce N42"},
  {56, "", "13", "", "reduce N35"},
  {57, "", "13", "", "reduce N36"},
  {58, "", "13", "", "reduce N37"},
  {59, "", "14", "", "reduce N32"},
  {60, "", "14", "", "reduce N33"},
  {61, "", "18", "", "reduce N14"},
  {62, "", "commasym closeparsym", "", "reduce p107"},
  {63, "ZEBConditionalExpression", "FIRST", "ZEB_ConditionalExpression expected ", "reduce N57"},
  {64, "", "FIRST closeparsym", "", "reduce p112"},
  {65, "MoreZEBExpression", "FIRST", "_MOREZEB_ExpressionINSERTcomma expected ", "reduce p108"},
};

// Token and goto actions of the tables: state, symbol (a token name or a
// nonterminal number), action.
struct ActionRow {
  int state;
  std::string symbol;
  const char* action;
};

const std::vector<ActionRow> ActionRows = {
  {0, "endoffile", "reduce p106"},
  {0, "backslashsym", "expect Identifiersym; expect openchainsym; state 02"},
  {0, "3", "state 01"}, {0, "67", "reduce p105"}, {0, "65", "reduce N2"}, {0, "2", "reduce N1"}, {0, "1", "accept"},
  {1, "backslashsym", "expect Identifiersym; expect openchainsym; state 02"},
  {1, "3", "state 01"}, {1, "67", "reduce p110"},
  {2, "falsesym", "reduce p102"}, {2, "truesym", "reduce p101"}, {2, "IntegerLiteralsym", "reduce N60"},
  {2, "FloatingPointLiteralsym", "reduce N61"}, {2, "CharacterLiteralsym", "reduce N63"},
  {2, "StringLiteralsym", "reduce N64"}, {2, "Identifiersym", "reduce N9"},
  {2, "backslashsym", "expect Identifiersym; expect openchainsym; state 02"},
  {2, "openchainsym", "state 03"}, {2, "closechainsym", "reduce p106"},
  {2, "2", "reduce p6"}, {2, "3", "state 01"}, {2, "4", "expect closechainsym; reduce N3"}, {2, "5", "reduce p4"},
  {2, "6", "reduce p7"}, {2, "7", "reduce p8"}, {2, "8", "state 04"}, {2, "9", "reduce p11"}, {2, "10", "reduce p12"},
  {2, "59", "reduce N6"}, {2, "60", "reduce p94"}, {2, "61", "reduce p95"}, {2, "62", "reduce p96"},
  {2, "63", "reduce p97"}, {2, "64", "reduce p98"}, {2, "65", "reduce N2"}, {2, "67", "reduce p105"},
  {3, "minussym", "state 16"}, {3, "tildasym", "state 19"}, {3, "exclaimsym", "state 20"}, {3, "plussym", "state 15"},
  {3, "openparsym", "state 21"}, {3, "falsesym", "reduce p102"}, {3, "Identifiersym", "reduce N9"},
  {3, "8", "state 18"}, {3, "11", "state 17"}, {3, "54", "state 05"}, {3, "52", "state 06"}, {3, "50", "state 07"},
  {3, "48", "state 08"}, {3, "46", "state 09"}, {3, "43", "state 10"}, {3, "38", "state 11"}, {3, "34", "state 12"},
  {3, "31", "state 13"}, {3, "27", "state 14"}, {3, "58", "expect closechainsym; reduce p5"},
  {4, "dotsym", "expect Identifiersym; reduce N10"},
  {5, "verticalbarverticalbarsym", "state 23"}, {5, "questionmarksym", "state 22"},
  {6, "ampersandampersandsym", "state 24"}, {7, "verticalbarsym", "state 25"}, {8, "hatsym", "state 26"},
  {9, "ampersandsym", "state 27"}, {10, "equalsequalssym", "state 28"}, {10, "exclaimequalssym", "state 29"},
  {11, "lessthansym", "state 30"}, {11, "greaterthansym", "state 31"}, {11, "lessthanequalssym", "state 32"},
  {11, "greaterthanequalssym", "state 33"}, {12, "lessthanlessthansym", "state 34"},
  {12, "greaterthangreaterthansym", "state 35"}, {12, "greaterthangreaterthangreaterthansym", "state 36"},
  {13, "plussym", "state 37"}, {13, "minussym", "state 38"}, {14, "starsym", "state 39"},
  {14, "slashsym", "state 40"}, {14, "percentsym", "state 41"},
  {15, "22", "reduce N23"}, {16, "22", "reduce N24"}, {19, "22", "reduce N25"}, {20, "22", "reduce N26"},
  {17, "openbrksym", "state 42"}, {17, "dotsym", "expect Identifiersym; state 61"},
  {18, "openbrksym", "state 44"}, {18, "openparsym", "state 43"}, {18, "dotsym", "expect Identifiersym; reduce N10"},
  {21, "58", "expect closeparsym; reduce N12"}, {22, "58", "expect colonsym; state 63"},
  {23, "52", "state 45"}, {24, "50", "state 46"}, {25, "48", "state 47"}, {26, "46", "state 48"},
  {27, "43", "state 49"}, {28, "38", "state 50"}, {29, "38", "state 51"}, {30, "34", "state 52"},
  {31, "34", "state 53"}, {32, "34", "state 54"}, {33, "34", "state 55"}, {34, "31", "state 56"},
  {35, "31", "state 57"}, {36, "31", "state 58"}, {37, "27", "state 59"}, {38, "27", "state 60"},
  {39, "22", "reduce N28"}, {40, "22", "reduce N29"}, {41, "22", "reduce N30"},
  {42, "58", "expect closebrksym; reduce N20"}, {44, "58", "expect closebrksym; reduce N19"},
  {43, "closeparsym", "reduce p112"}, {43, "58", "state 62"}, {43, "66", "reduce N13"}, {43, "13", "reduce p111"},
  {43, "68", "expect closeparsym; reduce N16"},
  {64, "closeparsym", "reduce p112"}, {64, "58", "state 62"}, {64, "68", "expect closeparsym; reduce N17"},
  {45, "ampersandampersandsym", "state 24"}, {46, "verticalbarsym", "state 25"}, {47, "hatsym", "state 26"},
  {48, "ampersandsym", "state 27"}, {49, "equalsequalssym", "state 28"}, {49, "exclaimequalssym", "state 29"},
  {50, "lessthansym", "state 30"}, {51, "greaterthanequalssym", "state 33"},
  {52, "lessthanlessthansym", "state 34"}, {55, "greaterthangreaterthangreaterthansym", "state 36"},
  {56, "plussym", "state 37"}, {58, "minussym", "state 38"}, {59, "starsym", "state 39"},
  {60, "percentsym", "state 41"},
  {61, "openparsym", "state 64"}, {62, "commasym", "state 65"},
  {63, "56", "reduce N57"}, {65, "58", "state 62"}, {65, "66", "reduce p108"},
};
// clang-format on

const LrAction* ActionOf(int s, const std::string& symbol) {
  const LrState& st = A.States[s];
  bool goto_ = std::isdigit(static_cast<unsigned char>(symbol[0])) != 0;
  int first = goto_ ? st.FirstGoto : st.FirstToken;
  int count = goto_ ? st.GotoCount : st.TokenCount;
  const LrEntry* entries = goto_ ? A.Gotos : A.Tokens;
  for (int i = 0; i < count; ++i) {
    const LrEntry& e = entries[first + i];
    if (goto_ ? e.Symbol == std::stoi(symbol) : symbol == A.TokenNames[e.Symbol]) return &A.Actions[e.Action];
  }
  return nullptr;
}

TEST(ConfigAutomaton, GrammarNumbers) {
  EXPECT_EQ(A.StateCount, 66);
  EXPECT_EQ(A.ProductionCount, 113);
  EXPECT_EQ(A.NonterminalCount, 69);
  EXPECT_EQ(A.TokenCount, 41);
  EXPECT_EQ(A.SetWords, 2);
  EXPECT_STREQ(A.NonterminalNames[0], "ZEB_RootConfiguration");
  EXPECT_STREQ(A.NonterminalNames[58], "ZEB_Expression");
  EXPECT_STREQ(A.NonterminalNames[68], "_OPTZEB_ArgumentList");
  // The 25 nonterminals with two or more productions, whose reductions are
  // recorded.
  const std::set<int> recorded = {4, 5, 8, 11, 15, 18, 21, 22, 27, 31, 34, 38, 43,
                                  46, 48, 50, 52, 54, 56, 59, 62, 65, 66, 67, 68};
  for (int p = 0; p < A.ProductionCount; ++p)
    EXPECT_EQ(A.Productions[p].Recorded != 0, recorded.count(A.Productions[p].Lhs) == 1) << p;
  EXPECT_EQ(A.Productions[106].Length, 0);
  EXPECT_EQ(A.Productions[112].Length, 0);
  EXPECT_EQ(A.Productions[92].Length, 5);
}

TEST(ConfigAutomaton, StatesOwnSetsMessagesAndRepairs) {
  std::map<std::string, std::string> sets = OwnSetNames();
  ASSERT_EQ(StateRows.size(), size_t{66});
  for (const StateRow& row : StateRows) {
    const LrState& st = A.States[row.state];
    SCOPED_TRACE("state " + std::to_string(row.state));
    EXPECT_EQ(std::string(st.Name), "ConfigState" + TwoDigits(row.state) + row.hint);
    std::string own = row.own;
    std::set<std::string> expected;
    for (const std::string& w : Words(own)) {
      std::set<std::string> part = Words(sets.count(w) ? sets[w] : w);
      expected.insert(part.begin(), part.end());
    }
    EXPECT_EQ(SetNames(st.OwnSet), expected);
    if (row.message[0] != '\0') {
      ASSERT_GE(st.Message, 0);
      EXPECT_STREQ(A.Messages[st.Message], row.message);
      EXPECT_EQ(A.Actions[st.Default].Kind, LrError);
      EXPECT_EQ(Summary(A.Actions[st.Repair]), row.action);
    } else {
      EXPECT_EQ(st.Message, -1);
      EXPECT_EQ(Summary(A.Actions[st.Default]), row.action);
    }
    EXPECT_EQ(st.FixedToken, 0);
  }
}

TEST(ConfigAutomaton, TokenAndGotoActions) {
  for (const ActionRow& row : ActionRows) {
    const LrAction* act = ActionOf(row.state, row.symbol);
    ASSERT_NE(act, nullptr) << "state " << row.state << " " << row.symbol;
    EXPECT_EQ(Summary(*act), row.action) << "state " << row.state << " " << row.symbol;
  }
}

// An operand state shifts exactly the tokens that begin an expression; the
// operator states of each level shift exactly that level's operators.
TEST(ConfigAutomaton, OperandStatesShiftTheExpressionStarts) {
  std::set<std::string> first = Words(OwnSetNames()["FIRST"]);
  for (int s : {3, 15, 16, 19, 20, 21, 22, 23, 30, 38, 39, 41, 42, 44, 63, 65}) {
    std::set<std::string> shifted;
    const LrState& st = A.States[s];
    for (int i = 0; i < st.TokenCount; ++i) shifted.insert(A.TokenNames[A.Tokens[st.FirstToken + i].Symbol]);
    EXPECT_EQ(shifted, first) << s;
  }
}

// The transition sets that shape recovery, where the tables fix them: in the
// braced value (state 3) the context C is FIRST, every binary operator,
// questionmarksym, colonsym and closechainsym.
TEST(ConfigAutomaton, TransitionSets) {
  auto setOf = [](int s, const std::string& symbol) { return SetNames(ActionOf(s, symbol)->TransitionSet); };
  auto join = [](std::set<std::string> a, const std::string& more) {
    std::set<std::string> b = Words(more);
    a.insert(b.begin(), b.end());
    return a;
  };
  const std::set<std::string> first = Words(OwnSetNames()["FIRST"]);
  const std::string binary =
      "verticalbarverticalbarsym ampersandampersandsym verticalbarsym hatsym ampersandsym equalsequalssym "
      "exclaimequalssym lessthansym greaterthansym lessthanequalssym greaterthanequalssym lessthanlessthansym "
      "greaterthangreaterthansym greaterthangreaterthangreaterthansym plussym minussym starsym slashsym percentsym";
  const std::set<std::string> context = join(first, binary + " questionmarksym colonsym closechainsym");
  EXPECT_EQ(setOf(0, "backslashsym"), Words("backslashsym"));
  EXPECT_EQ(setOf(2, "openchainsym"), Words("backslashsym closechainsym"));
  EXPECT_EQ(setOf(2, "backslashsym"), Words("backslashsym"));
  EXPECT_EQ(setOf(2, "8"), Words("backslashsym closechainsym"));
  EXPECT_EQ(setOf(2, "3"), Words("closechainsym"));
  EXPECT_EQ(setOf(3, "54"), Words("closechainsym"));
  EXPECT_EQ(setOf(3, "openparsym"), join(context, "openbrksym closebrksym closeparsym dotsym"));
  EXPECT_EQ(setOf(3, "minussym"), context);
  // The goto successors on ZEB_Primary and ZEB_Name get C too; the prefix
  // operators pass nothing extra to them.
  EXPECT_EQ(setOf(3, "11"), context);
  EXPECT_EQ(setOf(3, "8"), context);
  EXPECT_EQ(setOf(16, "8"), std::set<std::string>());
  EXPECT_EQ(setOf(37, "8"), join(first, "starsym slashsym percentsym"));
  // Inside parentheses and argument lists one set for every call.
  const std::set<std::string> enclosed =
      join(first, binary + " questionmarksym colonsym openbrksym closebrksym closeparsym dotsym");
  for (const char* symbol : {"minussym", "8", "11", "27", "54", "58"}) EXPECT_EQ(setOf(21, symbol), enclosed) << symbol;
  for (const char* symbol : {"plussym", "8", "52", "68"}) EXPECT_EQ(setOf(43, symbol), join(enclosed, "commasym")) << symbol;
  EXPECT_EQ(setOf(43, "58"), enclosed);
  for (int s : {5, 14, 17, 18, 45, 60, 61, 62})
    for (int i = 0; i < A.States[s].TokenCount; ++i) {
      const LrAction& act = A.Actions[A.Tokens[A.States[s].FirstToken + i].Action];
      if (act.TransitionSet >= 0) {
        EXPECT_TRUE(SetNames(act.TransitionSet).empty()) << s;
      }
    }
  // The goto successor of a level gets C without that level's operators and
  // the tighter ones (plussym and minussym stay, being in FIRST).
  EXPECT_EQ(setOf(3, "52"), join(first, "verticalbarverticalbarsym questionmarksym colonsym closechainsym"));
  EXPECT_EQ(setOf(3, "27"),
            join(first, "verticalbarverticalbarsym ampersandampersandsym verticalbarsym hatsym ampersandsym "
                        "equalsequalssym exclaimequalssym lessthansym greaterthansym lessthanequalssym "
                        "greaterthanequalssym lessthanlessthansym greaterthangreaterthansym "
                        "greaterthangreaterthangreaterthansym questionmarksym colonsym closechainsym"));
}

TEST(ConfigAutomaton, ReentryTable) {
  const std::map<std::string, std::string> expected = {
      {"greaterthangreaterthangreaterthansym", "state 36"}, {"lessthanequalssym", "state 32"},
      {"greaterthanequalssym", "state 33"}, {"equalsequalssym", "state 28"},
      {"greaterthangreaterthansym", "state 35"}, {"exclaimequalssym", "state 29"},
      {"lessthanlessthansym", "state 34"}, {"ampersandampersandsym", "state 24"},
      {"backslashsym", "expect Identifiersym; expect openchainsym; state 02"},
      {"verticalbarverticalbarsym", "state 23"}, {"tildasym", "state 19"}, {"exclaimsym", "state 20"},
      {"commasym", "state 65"}, {"slashsym", "state 40"}, {"percentsym", "state 41"}, {"lessthansym", "state 30"},
      {"greaterthansym", "state 31"}, {"ampersandsym", "state 27"}, {"hatsym", "state 26"},
      {"questionmarksym", "state 22"}, {"colonsym", "state 63"}, {"verticalbarsym", "state 25"},
      {"starsym", "state 39"}};
  std::map<std::string, std::string> actual;
  for (int i = 0; i < A.ReentryCount; ++i) {
    const LrReentry& r = A.Reentries[i];
    std::string text;
    for (int k = 0; k < r.RunLength; ++k) text += std::string("expect ") + A.TokenNames[A.RunTokens[r.Run + k]] + "; ";
    text += r.Target >= 0 ? "state " + TwoDigits(r.Target) : "reduce";
    actual[A.TokenNames[r.Token]] = text;
  }
  EXPECT_EQ(actual, expected);
}

}  // namespace
