// The configuration tree's pieces below the program level: readings of
// literal texts (wrap-around of long integers, signs of folded results),
// floating texts of any magnitude, definition-set unions and lookup, owner
// links, and the evaluator's guards against trapping arithmetic and cycles.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
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
ConfigExprNode* Real(const char* text) { return MakeConfigLiteral(ConfigFloatingLiteral, 1, text); }

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

// The same bits as strtod, also where a faster reading would differ: signs
// and blanks, hexadecimal, inf and nan, out of range (infinity or zero),
// subnormal values, halfway cases and long digit runs.
TEST_F(ConfigTreeTest, FloatingTextsReadAsStrtodReadsThem) {
  const char* texts[] = {
      "0", "0.0", "1.5", "2.5f", "1d", "1D", "3F", "1.", ".5", "1.e5", "1e", "1e+", "1e-", "1.5e+3", "1.5E-3d",
      "0.1", "0.3", "123456.789012", "7.500000", "-2.500000", "-0.000000", "+1.5", " 1.5", "\t2",
      "0x1p3", "0X1.8P1", "0x10", "inf", "-inf", "infinity", "nan", "-nan", ".", "", "x", "e5",
      "1e400", "-1e400", "1e-400", "2e-308", "4.9e-324", "2.4703282292062327e-324", "2.4703282292062328e-324",
      "1.7976931348623157e308", "1.7976931348623158e308", "1.7976931348623159e308",
      "9007199254740993", "9007199254740993.0000000000000000001", "0.000000000000000000000000000000001",
      "123456789012345678901234567890123456789012345678901234567890e-40",
      "2.2250738585072011e-308", "2.2250738585072014e-308", "1e23", "8.589973e9", "0.0078125"};
  for (const char* text : texts) {
    double expected = std::strtod(text, nullptr);
    double value = ReadConfigDouble(text);
    if (std::isnan(expected)) {
      EXPECT_TRUE(std::isnan(value)) << text;
      EXPECT_EQ(std::signbit(value), std::signbit(expected)) << text;
    } else {
      EXPECT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << text << ": " << value << " " << expected;
    }
    // A node reads its text once and keeps the number.
    ConfigExprNode* node = MakeConfigLiteral(ConfigFloatingLiteral, 1, text);
    double kept = ConfigDoubleValue(node);
    EXPECT_TRUE(std::memcmp(&kept, &value, sizeof kept) == 0 || (std::isnan(kept) && std::isnan(value))) << text;
    EXPECT_EQ(ConfigLiteralText(node), text);
  }
}

// Literals of every usual form (digits, a point, an exponent, a suffix;
// from few to many digits, exponents around the range of exact powers of
// ten) read to the same bits as strtod gives.
TEST_F(ConfigTreeTest, DecimalLiteralsReadAsStrtodReadsThem) {
  std::mt19937_64 random(11);
  const char* suffixes[] = {"", "", "f", "D"};
  for (int i = 0; i < 50000; ++i) {
    std::string text;
    int whole = static_cast<int>(random() % 10);
    int fraction = static_cast<int>(random() % 12);
    for (int k = 0; k < whole; ++k) text += static_cast<char>('0' + random() % 10);
    if (fraction > 0 || whole == 0) text += '.';
    for (int k = 0; k < fraction || (whole == 0 && k == 0); ++k) text += static_cast<char>('0' + random() % 10);
    if (random() % 3 == 0) {
      text += random() % 2 != 0 ? 'e' : 'E';
      int exponent = static_cast<int>(random() % 61) - 30;
      if (exponent >= 0 && random() % 2 != 0) text += '+';
      text += std::to_string(exponent);
    }
    text += suffixes[random() % 4];
    double expected = std::strtod(text.c_str(), nullptr);
    double value = ReadConfigDouble(text.c_str());
    EXPECT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << text;
  }
}

std::string PrintfFixed(double value) {
  char text[400];
  std::snprintf(text, sizeof text, "%.6f", value);
  return text;
}

// What a folded floating result must be: its text is "%.6f" of the value,
// and it stands for what strtod reads from that text.
void ExpectFoldedReal(double value) {
  std::string expectedText = PrintfFixed(value);
  double expected = std::strtod(expectedText.c_str(), nullptr);
  double kept = ConfigFixedValue(value);
  if (std::isnan(expected)) {
    EXPECT_TRUE(std::isnan(kept)) << expectedText;
    EXPECT_EQ(std::signbit(kept), std::signbit(expected)) << expectedText;
  } else {
    EXPECT_EQ(std::memcmp(&kept, &expected, sizeof kept), 0) << std::hexfloat << value << " " << expectedText;
  }
  ConfigExprNode* node = MakeConfigDouble(value);
  EXPECT_EQ(ConfigLiteralText(node), expectedText) << std::hexfloat << value;
  EXPECT_EQ(node->literal.length, static_cast<int32_t>(expectedText.size()));
  double read = ConfigDoubleValue(node);
  EXPECT_TRUE(std::memcmp(&read, &kept, sizeof read) == 0 || (std::isnan(read) && std::isnan(kept)));
}

TEST_F(ConfigTreeTest, FloatingResultsHaveSixDigitsAtAnyMagnitude) {
  EXPECT_STREQ(ConfigLiteralText(MakeConfigDouble(7.5)), "7.500000");
  EXPECT_STREQ(ConfigLiteralText(MakeConfigDouble(-2.5)), "-2.500000");
  for (double value : {1e300, -DBL_MAX, DBL_MAX}) {
    const char* text = ConfigLiteralText(MakeConfigDouble(value));
    EXPECT_EQ(text, PrintfFixed(value));
    EXPECT_GT(std::strlen(text), 300u);
  }
  EXPECT_EQ(MakeConfigDouble(7.5)->position, 0);
  EXPECT_STREQ(ConfigLiteralText(MakeConfigInteger(INT32_MIN)), "-2147483648");
}

// The six-digit text of any value is that of "%.6f": values that are a
// number of millionths (written from that number) and values that are not
// (left to the library), around the bound of the quick way too.
TEST_F(ConfigTreeTest, FixedTextIsThatOfPrintf) {
  std::vector<double> values = {0.0, -0.0, 1e-6, -1e-6, 0.1, 2.675, 1073741823.999999, 1073741824.0,
                                -1073741823.5, 1073741824.000001, 3.0 / 7, 1e-7, 0.5e-6, 123456.7890125};
  std::mt19937_64 random(7);
  for (int i = 0; i < 20000; ++i) {
    auto millionths = static_cast<int64_t>(random() % 2000000000000000) - 1000000000000000;
    values.push_back(static_cast<double>(millionths) / 1e6);
    values.push_back(std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 80)));
  }
  for (double base : {1073741824.0, 0.5e-6, 999999.9999995}) {
    double below = base;
    double above = base;
    for (int i = 0; i < 4; ++i) {
      below = std::nextafter(below, 0.0);
      above = std::nextafter(above, HUGE_VAL);
      for (double value : {below, above, -below, -above}) values.push_back(value);
    }
  }
  for (double value : values) {
    char text[ConfigFixedTextLimit + 1];
    *WriteConfigFixed(text, value) = '\0';
    EXPECT_EQ(text, PrintfFixed(value)) << std::hexfloat << value;
  }
}

// Values where rounding to six digits is delicate: exact halves (k / 128
// has its seventh digit 5 and nothing after), the neighbours of halves and
// of the bounds of the quick way, zeros and tiny values of both signs,
// huge values, infinities and nans.
TEST_F(ConfigTreeTest, FoldedRealsStandForTheirSixDigitText) {
  volatile double zero = 0.0;
  double nan = zero / zero;
  std::vector<double> values = {0.0, -0.0, 0.5e-6, -0.5e-6, 1.5e-6, 2.5e-6, 4e-7, -4e-7, 1e-7, -1e-7,
                                5e-324, -5e-324, DBL_MIN, 0.1, 0.7, 1.0 / 3, 2.0 / 3, 12.5, 1234567.8912345,
                                4294967296.0, 4294967295.9999995, 4294967296.0000005, 9007199254740993.0,
                                1e15 + 0.5, 1e16, 1e22, 1e23, 1e300, DBL_MAX, -DBL_MAX, HUGE_VAL, -HUGE_VAL, nan,
                                -nan, std::nan("")};
  for (int k = -1000; k <= 1000; ++k) {
    values.push_back(k / 128.0);
    values.push_back(k / 1024.0 + 1e6);
    values.push_back((2 * k + 1) * 0.5e-6);
  }
  for (double base : {0.5e-6, 1.5e-6, 4e-7, 0.0078125, 2.5, 4294967296.0, 1e6 + 0.0000005}) {
    double below = base;
    double above = base;
    for (int i = 0; i < 4; ++i) {
      below = std::nextafter(below, 0.0);
      above = std::nextafter(above, HUGE_VAL);
      values.push_back(below);
      values.push_back(above);
      values.push_back(-above);
    }
  }
  std::mt19937_64 random(2024);
  for (int i = 0; i < 100000; ++i) {
    uint64_t bits = random();
    double any = 0;
    std::memcpy(&any, &bits, sizeof any);
    values.push_back(any);
    double scaled = std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 90));
    values.push_back(random() % 2 != 0 ? scaled : -scaled);
  }
  for (double value : values) ExpectFoldedReal(value);
}

TEST_F(ConfigTreeTest, FoldedIntegersPrintAsDecimal) {
  for (int32_t value : {0, 1, -1, 9, 10, -10, 123456789, INT32_MAX, INT32_MIN, INT32_MIN + 1}) {
    ConfigExprNode* node = MakeConfigInteger(value);
    EXPECT_EQ(ConfigIntegerValue(node), value);
    EXPECT_EQ(ConfigLiteralText(node), std::to_string(value));
    EXPECT_EQ(node->literal.length, static_cast<int32_t>(std::to_string(value).size()));
  }
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
  ASSERT_NE(one->owner, nullptr);
  EXPECT_EQ(one->owner, &sum->self);  // the owner's own ConfigAnyNode
  EXPECT_EQ(one->owner->node, sum);
  EXPECT_EQ(one->owner->code, 21);
  ASSERT_NE(truth->owner, nullptr);
  EXPECT_EQ(truth->owner->node, sum);  // a boolean literal has no self but gets an owner
  AttributeValueNode* wrapper = MakeBracedValue(1, sum);
  EXPECT_EQ(sum->owner, &wrapper->self);
  EXPECT_EQ(wrapper->self.code, 38);
  MakeConfigUnary(ConfigUnaryMinus, 1, one);  // a second owner does not replace the first
  EXPECT_EQ(one->owner->node, sum);
  EXPECT_EQ(MakeConfigBoolean(1), SharedTrue());
  EXPECT_EQ(MakeConfigBoolean(0), SharedFalse());
  EXPECT_EQ(SharedTrue()->owner, nullptr);
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
      EXPECT_STREQ(ConfigLiteralText(r), row.folded);
    }
  }
  EXPECT_EQ(ConfigOperatorOf(ConfigShiftLeft), nullptr);
  EXPECT_NE(ConfigOperatorOf(ConfigOr), nullptr);
}

// Each fold of a floating value stands for its six-digit text, as if the
// text were printed and read back before the next operator: 1.0 / 3 is
// 0.333333, so times 3 it is 0.999999, not 1. A tiny negative value is -0.
TEST_F(ConfigTreeTest, EachFloatingFoldRoundsToItsText) {
  auto binary = [](int32_t kind, ConfigExprNode* left, ConfigExprNode* right) {
    return MakeConfigBinary(kind, 1, left, right);
  };
  auto minus = [](ConfigExprNode* operand) { return MakeConfigUnary(ConfigUnaryMinus, 1, operand); };
  struct Row {
    ConfigExprNode* expression;
    const char* folded;
  } rows[] = {
      {binary(ConfigMultiply, binary(ConfigDivide, Real("1.0"), Integer("3")), Integer("3")), "0.999999"},
      {binary(ConfigMultiply, minus(Real("4e-7")), Integer("2")), "-0.000000"},
      // 0.0078125 is a half in the seventh digit: "%.6f" rounds it to even.
      {binary(ConfigMultiply, binary(ConfigMultiply, Real("0.0078125"), Integer("1")), Integer("1000000")),
       "7812.000000"},
      {binary(ConfigAdd, Integer("2147483647"), Real("1.0")), "2147483648.000000"},
      {binary(ConfigMultiply, Integer("65536"), Integer("65536")), "0"},
      {minus(binary(ConfigSubtract, Integer("-2147483647"), Integer("1"))), "-2147483648"},
      {binary(ConfigDivide, Real("1e308"), Real("1e-10")), "inf"},
      {minus(binary(ConfigMultiply, Real("1e200"), Real("1e200"))), "-inf"},
      {binary(ConfigMultiply, binary(ConfigDivide, Integer("1"), Real("3")), Real("1e300")), nullptr},
  };
  for (const Row& row : rows) {
    ConfigExprNode* r = EvaluateExpression(row.expression);
    ASSERT_TRUE(r->kind == ConfigIntegerLiteral || r->kind == ConfigFloatingLiteral);
    if (row.folded != nullptr) {
      EXPECT_STREQ(ConfigLiteralText(r), row.folded);
    } else {
      // 0.333333 times 1e300, in "%.6f": hundreds of digits.
      EXPECT_EQ(ConfigLiteralText(r), PrintfFixed(0.333333 * 1e300));
    }
  }
  // A comparison sees the rounded values too.
  ConfigExprNode* third = binary(ConfigDivide, Real("1.0"), Integer("3"));
  EXPECT_EQ(EvaluateExpression(binary(ConfigEqual, third, Real("0.333333"))), SharedTrue());
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
