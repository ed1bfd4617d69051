// Every production that the builder can meet, each in a unit of its own: the
// test derives, for each production, the smallest unit whose derivation
// applies it (the shortest way from SourceFile to its nonterminal, every
// other nonterminal in its smallest form), replays it, forces the whole tree
// and every name occurrence, and checks the production's node is there.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "java/tree/builder.h"
#include "java/tree/nodes.h"
#include "java/tree/scopes.h"
#include "java/tree/treeprint.h"
#include "tree_trace.h"

using namespace treetrace;

namespace {

struct Grammar {
  std::vector<int32_t> smallest;  // per nonterminal: the production of its shortest text
  std::vector<int64_t> cost;      // tokens of that text
};

bool IsNonterminal(int32_t symbol) { return symbol >= JavaTokenCount; }

Grammar SmallestForms() {
  Grammar g;
  g.smallest.assign(NonterminalCount(), -1);
  g.cost.assign(NonterminalCount(), INT64_MAX);
  for (bool changed = true; changed;) {
    changed = false;
    for (int32_t p = 0; p < ProductionCount(); ++p) {
      int64_t c = 0;
      for (int32_t i = 0; i < ProductionLength(p) && c != INT64_MAX; ++i) {
        int32_t s = ProductionSymbol(p, i);
        c = IsNonterminal(s) ? (g.cost[s - JavaTokenCount] == INT64_MAX ? INT64_MAX : c + g.cost[s - JavaTokenCount])
                             : c + 1;
      }
      int32_t n = ProductionLhs(p);
      if (c < g.cost[n]) {
        g.cost[n] = c;
        g.smallest[n] = p;
        changed = true;
      }
    }
  }
  return g;
}

void Smallest(const Grammar& g, int32_t n, D& out) {
  int32_t p = g.smallest[n];
  out << p;
  for (int32_t i = 0; i < ProductionLength(p); ++i) {
    int32_t s = ProductionSymbol(p, i);
    if (IsNonterminal(s)) Smallest(g, s - JavaTokenCount, out);
  }
}

// The derivation of a unit that applies production target once.
D UnitApplying(const Grammar& g, int32_t target) {
  // toward[n]: the production and position by which n gets nearest to the target's nonterminal.
  int32_t goal = ProductionLhs(target);
  std::vector<int32_t> distance(NonterminalCount(), INT32_MAX), via(NonterminalCount(), -1), at(NonterminalCount(), -1);
  distance[goal] = 0;
  for (bool changed = true; changed;) {
    changed = false;
    for (int32_t p = 0; p < ProductionCount(); ++p) {
      for (int32_t i = 0; i < ProductionLength(p); ++i) {
        int32_t s = ProductionSymbol(p, i);
        if (!IsNonterminal(s) || distance[s - JavaTokenCount] == INT32_MAX) continue;
        int32_t n = ProductionLhs(p);
        if (distance[s - JavaTokenCount] + 1 < distance[n]) {
          distance[n] = distance[s - JavaTokenCount] + 1;
          via[n] = p;
          at[n] = i;
          changed = true;
        }
      }
    }
  }
  D out;
  int32_t n = NonterminalNumber("SourceFile");
  EXPECT_NE(distance[n], INT32_MAX) << target;
  // Pre-order: the way down is expanded first; the symbols left of it are
  // expanded before it and those right of it after its whole subtree, so the
  // tails are kept and emitted innermost first.
  std::vector<std::pair<int32_t, int32_t>> tails;  // (production, first position after the way down)
  while (n != goal) {
    int32_t p = via[n];
    out << p;
    for (int32_t i = 0; i < at[n]; ++i) {
      if (IsNonterminal(ProductionSymbol(p, i))) Smallest(g, ProductionSymbol(p, i) - JavaTokenCount, out);
    }
    tails.push_back({p, at[n] + 1});
    n = ProductionSymbol(p, at[n]) - JavaTokenCount;
  }
  out << target;
  for (int32_t i = 0; i < ProductionLength(target); ++i) {
    if (IsNonterminal(ProductionSymbol(target, i))) Smallest(g, ProductionSymbol(target, i) - JavaTokenCount, out);
  }
  for (auto it = tails.rbegin(); it != tails.rend(); ++it) {
    for (int32_t i = it->second; i < ProductionLength(it->first); ++i) {
      if (IsNonterminal(ProductionSymbol(it->first, i))) Smallest(g, ProductionSymbol(it->first, i) - JavaTokenCount, out);
    }
  }
  return out;
}

TEST(TreeProductions, EveryBuiltProductionBuildsAndResolves) {
  InitRuntimeOnce();
  Grammar g = SmallestForms();
  const std::vector<std::string> unbuilt = {"Goal", "PackageOrTypeDeclaration", "GeneralDeclarator", "LabelDefinition"};
  int32_t built = 0;
  for (int32_t p = 0; p < ProductionCount(); ++p) {
    std::string lhs = NonterminalName(ProductionLhs(p));
    bool skip = false;
    for (const std::string& name : unbuilt) skip = skip || lhs == name;
    if (skip) continue;
    Values values;
    values.fill = true;
    TreeRoot* root = Build(UnitApplying(g, p), values);
    ASSERT_NE(root, nullptr) << "production " << p;
    auto* file = reinterpret_cast<SyntaxNode*>(ForceLazyCell(root->tree));
    SetCurrentUnit(file);
    std::string tree = SyntaxTreeText(file);
    NameResolutionText(file);
    ForceLazyCell(&root->env);
    for (int32_t code = 0; code < LeafCodeEnd; ++code) {
      if (ProductionOfNode(code) != p) continue;
      std::string name = IsLeafCode(code) ? LeafInfoOf(code).name : NodeKindTable[code].name;
      EXPECT_NE(tree.find(name + " @"), std::string::npos) << "production " << p << " builds no " << name;
    }
    ++built;
  }
  EXPECT_EQ(built, 505 - 8);
}

}  // namespace
