// The configuration tree's pieces below the program level: readings of
// literal texts (wrap-around of long integers, signs of folded results),
// floating texts of any magnitude, definition-set unions and lookup, owner
// links, and the evaluator's guards against trapping arithmetic and cycles.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "zebcheck/configeval.h"
#include "zebcheck/configresolve.h"
#include "zebcheck/configtree.h"

namespace {

class ConfigTreeTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { InitConfigEval(); }
};

LazyCell* Evaluated(const void* value) { return NewEvaluatedCell<Word>(reinterpret_cast<Word>(value)); }

ConfigExprNode* Integer(const char* text) { return MakeConfigLiteral(ConfigIntegerLiteral, 1, text); }

ConfigDefinition* Definition(const char* name) {
  return MakeConfigDefinition(IdentifierOf(name), Evaluated(nullptr));
}

std::string Names(ConfigDefinitionSet* set) {
  std::string names;
  for (ConsList rest = set->definitions; rest != nullptr; rest = rest->tail) {
    names += ConsHead<ConfigDefinition>(rest)->name->text;
  }
  return names;
}

TEST_F(ConfigTreeTest, IntegerTextsReadAsDecimalWithWrapAround) {
  struct Row {
    const char* text;
    int32_t value;
  } rows[] = {
      {"42", 42},
      {"017", 17},                       // decimal digits, not octal
      {"0x1F", 0},                       // the digits before the x
      {"12L", 12},                       // a suffix ends the number
      {"-5", -5},                        // folded results carry a sign
      {"2147483647", 2147483647},
      {"2147483648", INT32_MIN},         // beyond 32 bits: modulo 2^32
      {"-2147483648", INT32_MIN},
      {"4294967297", 1},
      {"18446744073709551621", 5},
      {"x", 0},
  };
  for (const Row& row : rows) EXPECT_EQ(ReadConfigInteger(row.text), row.value) << row.text;
}

TEST_F(ConfigTreeTest, FloatingTextsReadTheLeadingNumber) {
  struct Row {
    const char* text;
    double value;
  } rows[] = {{"2.5f", 2.5}, {"1e", 1.0}, {".5", 0.5}, {"1.5E-3d", 0.0015}, {"09.5", 9.5}, {"1.", 1.0},
              {"-2.500000", -2.5}};
  for (const Row& row : rows) EXPECT_DOUBLE_EQ(ReadConfigDouble(row.text), row.value) << row.text;
  EXPECT_TRUE(std::isinf(ReadConfigDouble("-inf")));
}

TEST_F(ConfigTreeTest, FloatingResultsHaveSixDigitsAtAnyMagnitude) {
  EXPECT_STREQ(MakeConfigDouble(7.5)->literal.text, "7.500000");
  EXPECT_STREQ(MakeConfigDouble(-2.5)->literal.text, "-2.500000");
  for (double value : {1e300, -DBL_MAX, DBL_MAX}) {
    const char* text = MakeConfigDouble(value)->literal.text;
    char expected[400];
    std::snprintf(expected, sizeof expected, "%.6f", value);
    EXPECT_STREQ(text, expected);
    EXPECT_GT(std::strlen(text), 300u);
  }
  EXPECT_EQ(MakeConfigDouble(7.5)->position, 0);
  EXPECT_STREQ(MakeConfigInteger(INT32_MIN)->literal.text, "-2147483648");
}

TEST_F(ConfigTreeTest, UnionKeepsNewEntriesOfTheFirstSetAndSharesTheSecond) {
  ConfigDefinitionSet* empty = EmptyConfigDefinitionSet();
  ConfigDefinition* a = Definition("a");
  ConfigDefinition* b = Definition("b");
  ConfigDefinition* c = Definition("c");
  ConfigDefinitionSet* sa = SingletonConfigDefinitionSet(a);
  ConfigDefinitionSet* sbc = UniteConfigDefinitionSets(SingletonConfigDefinitionSet(b),
                                                       SingletonConfigDefinitionSet(c));
  EXPECT_EQ(UniteConfigDefinitionSets(empty, sa), sa);
  EXPECT_EQ(UniteConfigDefinitionSets(sa, empty), sa);
  EXPECT_EQ(UniteConfigDefinitionSets(sa, sa), sa);
  ConfigDefinitionSet* abc = UniteConfigDefinitionSets(sa, sbc);
  EXPECT_EQ(Names(abc), "abc");
  EXPECT_EQ(abc->definitions->tail, sbc->definitions);  // shared, not copied
  // An entry of the first set that the second holds is left out.
  ConfigDefinitionSet* cab = UniteConfigDefinitionSets(UniteConfigDefinitionSets(SingletonConfigDefinitionSet(c), sa),
                                                       abc);
  EXPECT_EQ(Names(cab), "abc");
  // The disjoint form gives the same sets without searching.
  EXPECT_EQ(Names(UniteDisjointConfigDefinitionSets(sa, sbc)), "abc");
  EXPECT_EQ(UniteDisjointConfigDefinitionSets(empty, sa), sa);
  EXPECT_EQ(UniteDisjointConfigDefinitionSets(sa, empty), sa);
}

TEST_F(ConfigTreeTest, LookupFindsEveryDefinitionOfTheNameInOrder) {
  auto* first = MakeAttributeDefinitionNode(1, nullptr, MakeNestedValue(2, nullptr), EmptyConfigDefinitionSet());
  auto* second = MakeAttributeDefinitionNode(3, nullptr, MakeNestedValue(4, nullptr), EmptyConfigDefinitionSet());
  ConfigDefinitionSet* set = UniteConfigDefinitionSets(
      SingletonConfigDefinitionSet(MakeConfigDefinition(IdentifierOf("x"), Evaluated(first))),
      UniteConfigDefinitionSets(SingletonConfigDefinitionSet(Definition("y")),
                                SingletonConfigDefinitionSet(MakeConfigDefinition(IdentifierOf("x"),
                                                                                  Evaluated(second)))));
  ConsList matches = LookupConfigName(IdentifierOf("x"), set);
  ASSERT_NE(matches, nullptr);
  EXPECT_EQ(matches->head, first);
  ASSERT_NE(matches->tail, nullptr);
  EXPECT_EQ(matches->tail->head, second);
  EXPECT_EQ(matches->tail->tail, nullptr);
  EXPECT_EQ(LookupConfigName(IdentifierOf("z"), set), nullptr);
  EXPECT_EQ(NestedDefinitionsOf(nullptr), EmptyConfigDefinitionSet());
}

// Lookups walk the sets a union shares and index a set once it is looked up
// again; the result is always the plain walk of the set's list.
TEST_F(ConfigTreeTest, RepeatedLookupsGiveThePlainWalk) {
  const char* names[] = {"p", "q", "r", "p", "s", "q", "p"};
  ConfigDefinitionSet* top = EmptyConfigDefinitionSet();
  for (int i = 6; i >= 0; --i) {
    auto* node = MakeAttributeDefinitionNode(i, nullptr, MakeNestedValue(i, nullptr), EmptyConfigDefinitionSet());
    ConfigDefinition* definition = MakeConfigDefinition(IdentifierOf(names[i]), Evaluated(node));
    top = UniteDisjointConfigDefinitionSets(SingletonConfigDefinitionSet(definition), top);
  }
  auto* inner = MakeAttributeDefinitionNode(9, nullptr, MakeNestedValue(9, nullptr), EmptyConfigDefinitionSet());
  ConfigDefinitionSet* scope = UniteConfigDefinitionSets(
      SingletonConfigDefinitionSet(MakeConfigDefinition(IdentifierOf("p"), Evaluated(inner))), top);
  auto positions = [](ConsList matches) {
    std::string text;
    for (; matches != nullptr; matches = matches->tail) {
      text += std::to_string(ConsHead<AttributeDefinitionNode>(matches)->position);
    }
    return text;
  };
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(positions(LookupConfigName(IdentifierOf("p"), scope)), "9036") << round;
    EXPECT_EQ(positions(LookupConfigName(IdentifierOf("q"), scope)), "15") << round;
    EXPECT_EQ(positions(LookupConfigName(IdentifierOf("p"), top)), "036") << round;
    EXPECT_EQ(positions(LookupConfigName(IdentifierOf("s"), top)), "4") << round;
    EXPECT_EQ(LookupConfigName(IdentifierOf("t"), scope), nullptr);
  }
}

// Scopes nested 60 deep, each defining p, q or r, or nothing, looked up in
// an order that indexes some of them and walks others, and again after
// lookups from the inside have made and shared the outer lists: every
// result is the plain walk of the scope's list, and the members of a list
// of matches are the nested definitions of its first match first.
TEST_F(ConfigTreeTest, SharedLookupsInNestedScopesGiveThePlainWalk) {
  const char* names[] = {"p", "q", "r", "p", "s"};
  std::vector<ConfigDefinitionSet*> scopes;
  ConfigDefinitionSet* scope = EmptyConfigDefinitionSet();
  for (int depth = 0; depth < 60; ++depth) {
    if (depth % 7 != 6) {
      // Each definition holds one member named after its depth's parity.
      auto* member = MakeAttributeDefinitionNode(1000 + depth, nullptr, MakeNestedValue(0, nullptr),
                                                 EmptyConfigDefinitionSet());
      ConfigDefinitionSet* nested = SingletonConfigDefinitionSet(
          MakeConfigDefinition(IdentifierOf(depth % 2 == 0 ? "even" : "odd"), Evaluated(member)));
      auto* node = MakeAttributeDefinitionNode(depth, nullptr, MakeNestedValue(0, nullptr), nested);
      ConfigDefinition* definition = MakeConfigDefinition(IdentifierOf(names[depth % 5]), Evaluated(node));
      scope = UniteDisjointConfigDefinitionSets(SingletonConfigDefinitionSet(definition), scope);
    } else {
      scope = UniteDisjointConfigDefinitionSets(EmptyConfigDefinitionSet(), scope);
    }
    scopes.push_back(scope);
  }
  auto plain = [](const char* name, ConfigDefinitionSet* set) {
    std::string text;
    for (ConsList rest = set->definitions; rest != nullptr; rest = rest->tail) {
      auto* definition = ConsHead<ConfigDefinition>(rest);
      if (definition->name != IdentifierOf(name)) continue;
      text += std::to_string(reinterpret_cast<AttributeDefinitionNode*>(ForceLazyCell(definition->node))->position) + " ";
    }
    return text;
  };
  auto positions = [](ConsList matches) {
    std::string text;
    for (; matches != nullptr; matches = matches->tail) {
      text += std::to_string(ConsHead<AttributeDefinitionNode>(matches)->position) + " ";
    }
    return text;
  };
  const char* looked[] = {"p", "q", "r", "s", "t"};
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 60; ++i) {
      int depth = round == 1 ? 59 - i : (i * 37) % 60;
      for (const char* name : looked) {
        ConsList matches = LookupConfigName(IdentifierOf(name), scopes[depth]);
        ASSERT_EQ(positions(matches), plain(name, scopes[depth])) << name << " at " << depth << ", round " << round;
        // The members: the even or odd member of each match, in match order.
        std::string members;
        for (ConsList rest = matches; rest != nullptr; rest = rest->tail) {
          int at = ConsHead<AttributeDefinitionNode>(rest)->position;
          if (at % 2 == 0) members += std::to_string(1000 + at) + " ";
        }
        EXPECT_EQ(positions(LookupConfigName(IdentifierOf("even"), MemberScopeOf(matches))), members)
            << name << " at " << depth;
      }
    }
  }
}

TEST_F(ConfigTreeTest, OwnerLinksKeepTheFirstOwner) {
  ConfigExprNode* one = Integer("1");
  ConfigExprNode* truth = MakeConfigBooleanLiteral(ConfigTrueLiteral, 5);
  ConfigExprNode* sum = MakeConfigBinary(ConfigAdd, 1, one, truth);
  EXPECT_EQ(one->owner.node, sum);
  EXPECT_EQ(one->owner.code, 21);
  EXPECT_EQ(truth->owner.node, sum);  // a boolean literal has no self but gets an owner
  AttributeValueNode* wrapper = MakeBracedValue(1, sum);
  EXPECT_EQ(sum->owner.node, wrapper);
  EXPECT_EQ(wrapper->self.code, 38);
  MakeConfigUnary(ConfigUnaryMinus, 1, one);  // a second owner does not replace the first
  EXPECT_EQ(one->owner.node, sum);
  EXPECT_EQ(MakeConfigBoolean(1), SharedTrue());
  EXPECT_EQ(MakeConfigBoolean(0), SharedFalse());
  EXPECT_EQ(SharedTrue()->owner.node, nullptr);
  EXPECT_TRUE(IsConfigTrue(Integer("0")));
  EXPECT_FALSE(IsConfigTrue(SharedFalse()));
}

TEST_F(ConfigTreeTest, NodeKindCodes) {
  const int32_t codes[][2] = {{0, 5}, {1, 6}, {2, 7}, {3, 9}, {7, 13}, {8, 39}, {9, 40}, {12, 41}, {13, 42},
                              {14, 14}, {37, 37}};
  for (const auto& row : codes) EXPECT_EQ(ConfigExprNodeCode(row[0]), row[1]) << row[0];
  EXPECT_EQ(AttributeValueNodeCode(0), 1);
  EXPECT_EQ(AttributeValueNodeCode(3), 38);
}

TEST_F(ConfigTreeTest, TrappingIntegerOperationsAreNotFolded) {
  struct Row {
    int32_t kind;
    const char* left;
    const char* right;
    const char* folded;  // null: the node itself comes back
  } rows[] = {
      {ConfigDivide, "1", "0", nullptr},
      {ConfigRemainder, "1", "0", nullptr},
      {ConfigDivide, "-2147483648", "-1", nullptr},
      {ConfigRemainder, "-2147483648", "-1", "0"},
      {ConfigMultiply, "-2147483648", "-1", "-2147483648"},
      {ConfigAdd, "2147483647", "1", "-2147483648"},
      {ConfigSubtract, "-2147483648", "1", "2147483647"},
      {ConfigRemainder, "-7", "2", "-1"},
  };
  for (const Row& row : rows) {
    ConfigExprNode* e = MakeConfigBinary(row.kind, 1, Integer(row.left), Integer(row.right));
    ConfigExprNode* r = EvaluateExpression(e);
    if (row.folded == nullptr) {
      EXPECT_EQ(r, e) << row.left << " " << row.kind << " " << row.right;
    } else {
      ASSERT_EQ(r->kind, ConfigIntegerLiteral);
      EXPECT_STREQ(r->literal.text, row.folded);
    }
  }
  EXPECT_EQ(ConfigOperatorOf(ConfigShiftLeft), nullptr);
  EXPECT_NE(ConfigOperatorOf(ConfigOr), nullptr);
}

// \a{{b + 1}} \b{{a}}: following names ends at the definition met twice.
TEST_F(ConfigTreeTest, DefinitionsReferringToThemselvesEnd) {
  LazyCell* aMatches = Evaluated(nullptr);
  LazyCell* bMatches = Evaluated(nullptr);
  ConfigExprNode* useB = MakeConfigSimpleName(1, MakeAppliedOccurrence(bMatches, IdentifierOf("b")));
  ConfigExprNode* sum = MakeConfigBinary(ConfigAdd, 1, useB, Integer("1"));
  auto* a = MakeAttributeDefinitionNode(1, nullptr, MakeBracedValue(1, sum), EmptyConfigDefinitionSet());
  ConfigExprNode* useA = MakeConfigSimpleName(2, MakeAppliedOccurrence(aMatches, IdentifierOf("a")));
  auto* b = MakeAttributeDefinitionNode(2, nullptr, MakeBracedValue(2, useA), EmptyConfigDefinitionSet());
  aMatches->value = reinterpret_cast<Word>(Cons(a, nullptr));
  bMatches->value = reinterpret_cast<Word>(Cons(b, nullptr));
  EXPECT_EQ(EvaluateExpression(sum), sum);
  EXPECT_EQ(EvaluateExpression(useA), sum);
  EXPECT_EQ(EvaluateExpression(useB), sum);
}

}  // namespace
