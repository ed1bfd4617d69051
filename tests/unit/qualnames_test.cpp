// The use marks of the qualified-name pass on name nodes of real units, the
// type-node test of the simple-name rule, and the unit steps of a caldrex run:
// CheckUnit makes a unit current, RunRoot runs its passes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "caldrex/driver.h"
#include "caldrex/qualnames.h"
#include "caldrex/unitrun.h"
#include "java_unit.h"
#include "support/trace.h"

using namespace javaunit;

namespace {

// The outermost QualifiedNameNode of a unit whose only dotted name is a.b.c,
// with its qualifier a.b and the leftmost simple name a.
struct Chain {
  SyntaxNode* outer;
  SyntaxNode* middle;
  SyntaxNode* leftmost;
};

Chain ChainOf(SyntaxNode* unit) {
  Chain chain{FindCode(unit, QualifiedNameNodeKind), nullptr, nullptr};
  chain.middle = NodeChild(chain.outer, 0);
  chain.leftmost = NodeChild(chain.middle, 0);
  return chain;
}

std::vector<UseMark> Marks(const Chain& chain) {
  return {GetUseMark(chain.outer), GetUseMark(chain.middle), GetUseMark(chain.leftmost)};
}

TEST(UseMarks, SetMarkNameUseAndQualifierChain) {
  SyntaxNode* unit = BuildUnit("class A { void m() { a.b.c = 1; } }\n");
  ASSERT_NE(unit, nullptr);
  Chain chain = ChainOf(unit);
  ASSERT_EQ(chain.middle->code, QualifiedNameNodeKind);
  ASSERT_EQ(chain.leftmost->code, SimpleNameNodeKind);
  EXPECT_EQ(GetUseMark(chain.outer), UnmarkedUse);

  struct Step {
    const char* what;
    void (*apply)(const Chain&);
    std::vector<UseMark> marks;  // outer, middle, leftmost afterwards
  };
  const Step steps[] = {
      {"every node set to 2 through its data word",
       [](const Chain& c) {
         for (SyntaxNode* n : {c.outer, c.middle, c.leftmost}) SetUseMark(&n->data, ExpressionNameUse);
       },
       {ExpressionNameUse, ExpressionNameUse, ExpressionNameUse}},
      {"a method mark leaves the qualifiers alone",
       [](const Chain& c) { MarkNameUse(c.outer, MethodNameUse); },
       {MethodNameUse, ExpressionNameUse, ExpressionNameUse}},
      {"a type mark makes the qualifier chain 4",
       [](const Chain& c) { MarkNameUse(c.outer, TypeNameUse); },
       {TypeNameUse, TypeQualifierUse, TypeQualifierUse}},
      {"a later mark overwrites an earlier one",
       [](const Chain& c) { MarkNameUse(c.outer, ExpressionNameUse); },
       {ExpressionNameUse, TypeQualifierUse, TypeQualifierUse}},
      {"the chain from the middle leaves the outer node",
       [](const Chain& c) { MarkQualifierChain(c.middle, MethodNameUse); },
       {ExpressionNameUse, MethodNameUse, MethodNameUse}},
      {"the chain of a simple name is the name alone",
       [](const Chain& c) { MarkQualifierChain(c.leftmost, TypeNameUse); },
       {ExpressionNameUse, MethodNameUse, TypeNameUse}},
      {"the chain from the top marks all three",
       [](const Chain& c) { MarkQualifierChain(c.outer, TypeQualifierUse); },
       {TypeQualifierUse, TypeQualifierUse, TypeQualifierUse}},
  };
  for (const Step& step : steps) {
    step.apply(chain);
    EXPECT_EQ(Marks(chain), step.marks) << step.what;
  }
  EXPECT_EQ(FirstTypeMarkedPrefix(chain.outer), chain.outer);
}

// Exactly the class or interface types and the two array types are type
// nodes; every other node of a unit is not, nor is a missing node.
TEST(UseMarks, IsTypeNodeKind) {
  SyntaxNode* unit = BuildUnit(
      "class A { p.Q f; int[] g; p.Q[] h; Object o = (Object) f;\n"
      "  void m(int x) { x = a.b + x; } }\n");
  ASSERT_NE(unit, nullptr);
  EXPECT_FALSE(IsTypeNodeKind(nullptr));
  std::vector<int32_t> seen;
  for (SyntaxNode* node : AllNodes(unit)) {
    AnyNode* any = NodeAnyNode(node);
    if (any == nullptr) continue;
    bool isType = node->code == ClassOrInterfaceTypeNodeKind || node->code == PrimitiveArrayTypeNodeKind ||
                  node->code == NameArrayTypeNodeKind;
    EXPECT_EQ(IsTypeNodeKind(any), isType) << NodeKindTable[node->code].name;
    if (isType) seen.push_back(node->code);
  }
  for (int32_t kind : {ClassOrInterfaceTypeNodeKind, PrimitiveArrayTypeNodeKind, NameArrayTypeNodeKind}) {
    EXPECT_NE(std::find(seen.begin(), seen.end(), kind), seen.end()) << NodeKindTable[kind].name;
  }
}

bool HasQualified(const std::string& text) {
  for (ConsList l = Qualifieds.head; l != nullptr; l = l->tail) {
    if (Text(ConsHead<Identifier>(l)) == text) return true;
  }
  return false;
}

TEST(UnitSteps, CheckUnitMakesTheUnitCurrent) {
  SyntaxNode* first = BuildUnit("class A { }\n");
  SyntaxNode* second = BuildUnit("class B { }\n");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(CheckUnit(first), first);
  EXPECT_EQ(CurrentUnit, first);
  EXPECT_EQ(CheckUnit(second), second);
  EXPECT_EQ(CurrentUnit, second);
}

// BuildUnitRoot hangs the unit's root on the pass cell; RunRoot runs the
// passes: the unit becomes current and its dotted type names are collected.
TEST(UnitSteps, RunRootRunsTheUnitPasses) {
  InitOnce();
  InitAllModules();
  static std::string text = "class A { p.Q f; void m() { r.S.t(); } }\n";
  StartUnitText(text.data(), static_cast<int32_t>(text.size()), IdentifierOf("A.java"));
  InitAndParse();
  ASSERT_EQ(SyntaxErrorFlag, 0);
  TreeRoot* root = BuildUnitRoot();
  ResetUnitNameLists();
  SetCurrentUnit(nullptr);
  EXPECT_EQ(RunRoot(root), root);
  ASSERT_NE(CurrentUnit, nullptr);
  EXPECT_NE(FindCode(CurrentUnit, ClassDeclarationNodeKind), nullptr);
  EXPECT_TRUE(HasQualified("p.Q"));
  EXPECT_TRUE(HasQualified("r.S"));
}

}  // namespace
