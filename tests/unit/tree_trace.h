// Hand-built parse traces for the tree tests.
//
// A test writes the leftmost derivation of a small unit as the list of ALL
// its productions in pre-order (recorded or not; Chain fills in runs of unit
// productions), and the values of its identifier and literal tokens in
// order. Derive then walks the derivation over the grammar, checks that each
// production rewrites the leftmost nonterminal, keeps the recorded
// productions, and makes one token record per terminal (position 10, 20, 30
// ...), ending with the endoffile record. Replay serves the builder from it.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "java/scanner/tokens.h"
#include "java/tree/builder.h"
#include "support/heap.h"
#include "support/identifiers.h"
#include "support/startup.h"

namespace treetrace {

struct Token {
  int32_t code;
  SourcePosition position;
  Word value;
};

// The replay state the builder reads through the TreeReplay hooks.
inline std::vector<int32_t> Reductions;
inline size_t ReductionCursor = 0;
inline std::vector<Token> Tokens;
inline size_t TokenCursor = 0;
inline SourcePosition Position = 0;

inline int32_t NextReductionHook() {
  if (ReductionCursor >= Reductions.size()) {
    ADD_FAILURE() << "the builder read more productions than were recorded";
    return Reductions.empty() ? 0 : Reductions.back();
  }
  return Reductions[ReductionCursor++];
}

inline void Advance() {
  if (TokenCursor + 1 < Tokens.size()) {
    ++TokenCursor;
  } else {
    ADD_FAILURE() << "the builder replayed past the last token record";
  }
  Position = Tokens[TokenCursor].position;
}

inline void SkipTokenHook() { Advance(); }

inline Word TokenWordHook() {
  Word value = Tokens[TokenCursor].value;
  Advance();
  return value;
}

inline void WordTokenHook(LazyCell** out) {
  *out = NewEvaluatedCell<Word>(Tokens[TokenCursor].value);
  Advance();
}

inline void InitRuntimeOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  InitRuntime();
  TreeBuilderModuleInit();
}

// The shortest run of unit productions (one nonterminal, no token) that
// derives `to` from `from`, in pre-order.
inline std::vector<int32_t> Chain(const char* from, const char* to) {
  InitRuntimeOnce();
  int32_t start = NonterminalNumber(from), goal = NonterminalNumber(to);
  EXPECT_GE(start, 0) << from;
  EXPECT_GE(goal, 0) << to;
  std::vector<int32_t> via(NonterminalCount(), -1);  // production reaching each nonterminal
  std::deque<int32_t> queue{start};
  std::vector<bool> seen(NonterminalCount(), false);
  seen[start] = true;
  while (!queue.empty()) {
    int32_t n = queue.front();
    queue.pop_front();
    if (n == goal) break;
    for (int32_t p = 0; p < ProductionCount(); ++p) {
      if (ProductionLhs(p) != n || ProductionLength(p) != 1) continue;
      int32_t symbol = ProductionSymbol(p, 0);
      if (symbol < JavaTokenCount) continue;
      int32_t m = symbol - JavaTokenCount;
      if (seen[m]) continue;
      seen[m] = true;
      via[m] = p;
      queue.push_back(m);
    }
  }
  std::vector<int32_t> chain;
  EXPECT_TRUE(seen[goal]) << "no chain from " << from << " to " << to;
  for (int32_t n = goal; n != start && via[n] >= 0; n = ProductionLhs(via[n])) chain.insert(chain.begin(), via[n]);
  return chain;
}

// A derivation under construction: D() << 13 << 414 << Chain(...) ...
struct D {
  std::vector<int32_t> productions;
  D& operator<<(int32_t p) {
    productions.push_back(p);
    return *this;
  }
  D& operator<<(const std::vector<int32_t>& ps) {
    productions.insert(productions.end(), ps.begin(), ps.end());
    return *this;
  }
  D& operator<<(const D& other) { return *this << other.productions; }
};

// Token values in order: identifiers by name, literals by their text (the
// scanner records a reference to a copy of a literal's text).
struct Values {
  std::vector<std::string> names;
  std::vector<std::string> literals;
  bool fill = false;  // when set, every identifier is "x" and every literal "1"
};

inline Word LiteralText(const std::string& text) {
  auto* copy = static_cast<char*>(Allocate(text.size() + 1));
  std::memcpy(copy, text.c_str(), text.size() + 1);
  return reinterpret_cast<Word>(copy);
}

// Prepares the replay of a derivation of `start`; false when it is not a
// leftmost derivation.
inline bool Derive(const D& derivation, const Values& values, const char* start = "SourceFile") {
  InitRuntimeOnce();
  Reductions.clear();
  Tokens.clear();
  ReductionCursor = TokenCursor = 0;
  std::vector<int32_t> stack{NonterminalNumber(start) + JavaTokenCount};
  size_t nameIndex = 0, literalIndex = 0;
  auto emitTokens = [&]() {
    while (!stack.empty() && stack.back() < JavaTokenCount) {
      int32_t code = stack.back();
      stack.pop_back();
      Word value = 0;
      if (code == Identifiersym && values.fill) {
        value = reinterpret_cast<Word>(IdentifierOf("x"));
      } else if (code >= IntegerLiteralsym && code <= NullLiteralsym && values.fill) {
        value = LiteralText("1");
      } else if (code == Identifiersym) {
        if (nameIndex >= values.names.size()) {
          ADD_FAILURE() << "too few identifier names";
          return;
        }
        value = reinterpret_cast<Word>(IdentifierOf(values.names[nameIndex++].c_str()));
      } else if (code >= IntegerLiteralsym && code <= NullLiteralsym) {
        if (literalIndex >= values.literals.size()) {
          ADD_FAILURE() << "too few literal texts";
          return;
        }
        value = LiteralText(values.literals[literalIndex++]);
      }
      Tokens.push_back(Token{code, static_cast<SourcePosition>(10 * (Tokens.size() + 1)), value});
    }
  };
  for (int32_t p : derivation.productions) {
    emitTokens();
    if (stack.empty() || stack.back() != ProductionLhs(p) + JavaTokenCount) {
      ADD_FAILURE() << "production " << p << " does not rewrite the leftmost nonterminal ("
                    << (stack.empty() ? std::string("none") : std::string(NonterminalName(stack.back() - JavaTokenCount)))
                    << ")";
      return false;
    }
    stack.pop_back();
    for (int32_t i = ProductionLength(p) - 1; i >= 0; --i) stack.push_back(ProductionSymbol(p, i));
    if (ProductionRecorded(p)) Reductions.push_back(p);
  }
  emitTokens();
  if (!stack.empty()) {
    ADD_FAILURE() << "the derivation leaves " << NonterminalName(stack.back() - JavaTokenCount) << " underived";
    return false;
  }
  EXPECT_EQ(nameIndex, values.names.size()) << "unused identifier names";
  EXPECT_EQ(literalIndex, values.literals.size()) << "unused literal texts";
  Tokens.push_back(Token{endoffile, static_cast<SourcePosition>(10 * (Tokens.size() + 1)), 0});
  Position = Tokens[0].position;
  SetTreeReplay(TreeReplay{NextReductionHook, SkipTokenHook, WordTokenHook, TokenWordHook, &Position});
  return true;
}

// Replays the derivation into a root; checks that replay consumed every
// production and every token but the last.
inline TreeRoot* Build(const D& derivation, const Values& values, TreeTiming timing = TreesOnDemand) {
  if (!Derive(derivation, values)) return nullptr;
  TreeRoot* root = BuildRoot(timing);
  EXPECT_EQ(ReductionCursor, Reductions.size()) << "recorded productions left over";
  EXPECT_EQ(TokenCursor + 1, Tokens.size()) << "token records left over";
  return root;
}

inline SyntaxNode* RootNode(TreeRoot* root) { return reinterpret_cast<SyntaxNode*>(ForceLazyCell(root->tree)); }

// ---- Derivation pieces used by several tests ----

// A source file without header sections or package: imports and types.
inline D UnitOpen() { return D() << 13 << 414 << 62 << 69; }

// One expression down to an expression name: `Expression` => x.
inline D NameExpression() { return D() << Chain("Expression", "ExpressionName") << 309 << 54 << 56; }

// One expression down to an integer literal.
inline D IntegerExpression() { return D() << Chain("Expression", "Literal") << 14 << 20; }

}  // namespace treetrace
