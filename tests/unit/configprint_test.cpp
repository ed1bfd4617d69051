// The canonical printer's layouts of a definition, a value and an
// expression: they print what zebcheck prints for the same text, so a caller
// composing them gets the canonical lines.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "config_text.h"
#include "output_capture.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/lazy.h"
#include "support/layout.h"
#include "support/report.h"
#include "support/startup.h"
#include "support/trace.h"
#include "zebcheck/checker.h"
#include "zebcheck/config_parser.h"
#include "zebcheck/configbuild.h"
#include "zebcheck/configprint.h"

namespace {

class ConfigPrintTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitRuntime();
    InitCheckerModules();
  }

  // The tree of `text`, or null when it does not parse.
  ConfigRootNode* Tree(const std::string& text) {
    text_ = text;
    ParseConfigText(text_);
    if (SyntaxErrorFlag != 0) return nullptr;
    LazyCell* run = BuildConfigRoot();
    return reinterpret_cast<ConfigRootNode*>(ForceLazyCell(static_cast<LazyCell*>(run->context)));
  }

  static std::string Printed(const LayoutNode* document) {
    return OutputOf("configprint_test", [document] { PrintLayout(document); });
  }

  static AttributeDefinitionNode* Definition(ConfigRootNode* root, int index) {
    ConsList rest = root->value->definitions;
    for (int i = 0; i < index; ++i) rest = rest->tail;
    return ConsHead<AttributeDefinitionNode>(rest);
  }

  std::string text_;
};

TEST_F(ConfigPrintTest, DefinitionLayoutsPrintTheCanonicalLines) {
  struct Case {
    const char* text;
    int definition;
    const char* printed;
  };
  const Case cases[] = {
      {"\\a{1}\\b{\\c{{a + 1}}}", 0, "\\a{ 1 }"},
      {"\\a{1}\\b{\\c{{a + 1}}}", 1, "\\b{\n  \\c{ 2 }\n}"},
      {"\\a{}", 0, "\\a{\n  \n}"},
      // A braced name folds through its definition: x's value is the name y.
      {"\\x{y}\\z{{x}}", 1, "\\z{ y }"},
      {"\\v{{f(1, 2)}}", 0, "\\v{ { f ( 1,\n          2 ) } }"},
      // A condition that does not fold keeps both branches unfolded.
      {"\\x{'s'}\\q{{x ? 1 + 1 : 2}}", 1, "\\q{ { x ? 1 + 1 : 2 } }"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ConfigRootNode* root = Tree(c.text);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Printed(UnparseDefinition(Definition(root, c.definition))), c.printed);
  }
}

TEST_F(ConfigPrintTest, ValueAndExpressionLayouts) {
  ConfigRootNode* root = Tree("\\a{{1 + 2}}\\b{{x << 1}}\\c{\\d{5}\\e{'t'}}");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(Printed(UnparseAttributeValue(Definition(root, 0)->value)), "3");
  EXPECT_EQ(Printed(UnparseAttributeValue(Definition(root, 1)->value)), "{ x << 1 }");
  EXPECT_EQ(Printed(UnparseExpression(Definition(root, 1)->value->expression)), "x << 1");
  EXPECT_EQ(Printed(UnparseAttributeValue(Definition(root, 2)->value)), "\\d{ 5 }\n\\e{ 't' }");
}

// What a definition on a cycle folds to depends on the path its fold takes,
// but each definition, printed on its own, folds from outside the same way
// whatever was folded before it: the definitions print the same lines in
// any order (the lines zebcheck printed before folds kept what cycles
// make of them).
TEST_F(ConfigPrintTest, CycleFoldsDoNotDependOnTheOrderOfPrinting) {
  const char* text =
      "\\c{{d + 1}} \\d{{e * 2}} \\e{{c}} \\a{{b}} \\b{{a}}"
      " \\t{{u}} \\u{{v}} \\v{{w}} \\w{{u}} \\p{{q}} \\q{{(r) + 1}} \\r{{+ q}}"
      " \\x{x2} \\x2{x3} \\x3{{x}} \\x4{{x2}} \\f{{true ? f2 : 0}} \\f2{{f3 ? 1 : f}} \\f3{{f}}"
      " \\g{ \\i{{h.j}} \\k{{i}} } \\h{ \\j{{g.k}} } \\l{{g.k}}";
  const char* printed[] = {
      "\\c{ { d + 1 } }",   "\\d{ { e * 2 } }",       "\\e{ { d + 1 } }",       "\\a{ b }",
      "\\b{ a }",           "\\t{ u }",               "\\u{ v }",               "\\v{ w }",
      "\\w{ u }",           "\\p{ { ( r ) + 1 } }",   "\\q{ { ( r ) + 1 } }",   "\\r{ { ( r ) + 1 } }",
      "\\x{ x2 }",          "\\x2{ x3 }",             "\\x3{ x }",              "\\x4{ x2 }",
      "\\f{ { f3 ? 1 : f } }", "\\f2{ { f3 ? 1 : f } }", "\\f3{ { f3 ? 1 : f } }",
      "\\g{\n  \\i{ h.j }\n  \\k{ i }\n}", "\\h{\n  \\j{ g.k }\n}", "\\l{ g.k }",
  };
  const int count = static_cast<int>(sizeof printed / sizeof printed[0]);
  // Forward, backward and a few shuffles, each on a tree of its own.
  uint32_t seed = 1;
  for (int round = 0; round < 6; ++round) {
    std::vector<int> order(count);
    for (int i = 0; i < count; ++i) order[i] = round == 1 ? count - 1 - i : i;
    if (round >= 2) {
      for (int i = count - 1; i > 0; --i) {
        seed = seed * 1103515245u + 12345u;
        std::swap(order[i], order[(seed >> 16) % static_cast<uint32_t>(i + 1)]);
      }
    }
    ConfigRootNode* root = Tree(text);
    ASSERT_NE(root, nullptr);
    for (int i : order) {
      EXPECT_EQ(Printed(UnparseDefinition(Definition(root, i))), printed[i]) << "round " << round;
    }
  }
}

}  // namespace
