// The tree of real source text: the Java front end parses it (on a large
// stack, as every program runs), and the tree is then built, forced and its
// names resolved on a small stack of 256 KiB, which only succeeds when replay
// and forcing do not recurse per list element or operand.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "java/frontend.h"
#include "java/parser/parser.h"
#include "java/tree/builder.h"
#include "java/tree/nodes.h"
#include "java/tree/scopes.h"
#include "java/tree/treeprint.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/limits.h"
#include "support/report.h"
#include "support/startup.h"
#include "support/trace.h"

#include "small_stack.h"

namespace {

std::string Source;
int32_t ParseFailed = 0;
SyntaxNode* Unit = nullptr;
std::string Names;

// Everything of the parser runs on the large stack: its depth guard measures
// the stack of the thread that first selects the automaton.
void ParseSource() {
  InitRuntime();
  JavaParserModuleInit();
  TreeBuilderModuleInit();
  StartUnitText(Source.data(), static_cast<int32_t>(Source.size()), IdentifierOf("t.java"));
  InitAndParse();
  ParseFailed = SyntaxErrorFlag;
}

void BuildAndResolve() {
  UseParseTraceReplay();
  TreeRoot* root = BuildRoot();
  Unit = reinterpret_cast<SyntaxNode*>(ForceLazyCell(root->tree));
  SetCurrentUnit(Unit);
  Names = NameResolutionText(Unit);
}

// The first member of the first class, and its first declarator's initializer.
SyntaxNode* FirstInitializer() {
  auto* cls = static_cast<SyntaxNode*>(NodeList(NodeChild(Unit, 1), 1)->head);
  auto* field = static_cast<SyntaxNode*>(NodeList(NodeChild(cls, 4), 0)->head);
  return NodeChild(static_cast<SyntaxNode*>(NodeList(field, 2)->head), 1);
}

void CheckConcatenation() {
  SyntaxNode* e = NodeChild(FirstInitializer(), 0);
  int additions = 0;
  for (; e->code == AddExpressionNodeKind; e = NodeChild(e, 0)) {
    ++additions;
    ASSERT_EQ(NodeChild(e, 1)->code, StringLiteralNodeKind);
  }
  EXPECT_EQ(additions, 49999);
  EXPECT_EQ(e->code, StringLiteralNodeKind);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(NodeField(e, 0))), "\"a\"");
}

void CheckArrayInitializer() {
  SyntaxNode* initializer = FirstInitializer();
  ASSERT_EQ(initializer->code, NonEmptyArrayInitializerNodeKind);
  int elements = 0;
  for (SyntaxNode* list = NodeChild(initializer, 0); list != nullptr;) {
    ++elements;
    SyntaxNode* tail = NodeChild(list, 1);
    list = tail == nullptr ? nullptr : NodeChild(tail, 0);
  }
  EXPECT_EQ(elements, 100000);
}

void CheckStatements() {
  size_t resolved = 0;
  for (size_t at = Names.find("applied x -> DeclaratorIdentifierNode @15\n"); at != std::string::npos;
       at = Names.find("applied x -> DeclaratorIdentifierNode @15\n", at + 1)) {
    ++resolved;
  }
  EXPECT_EQ(resolved, 40000u);
}

struct DeepCase {
  const char* name;
  std::string text;
  void (*check)();
};

std::vector<DeepCase> Cases() {
  std::string concatenation = "class A { String s = \"a\"";
  for (int i = 1; i < 50000; ++i) concatenation += " + \"a\"";
  concatenation += "; }";
  std::string array = "class A { int[] a = { 1";
  for (int i = 1; i < 100000; ++i) array += ", 1";
  array += " }; }";
  std::string block = "class A { int x; void m() {";
  for (int i = 0; i < 20000; ++i) block += " x = x + 1;";
  block += " } }";
  return {{"50,000-term string concatenation", concatenation, CheckConcatenation},
          {"100,000-element array initializer", array, CheckArrayInitializer},
          {"20,000 statements in one block", block, CheckStatements}};
}

// One thread with the program's large stack parses every case in turn; each
// tree is built, forced and resolved on a thread of its own with 256 KiB.
void ParseAndBuildEveryCase() {
  for (const DeepCase& c : Cases()) {
    Source = c.text;
    Unit = nullptr;
    ParseSource();
    EXPECT_EQ(ParseFailed, 0) << c.name;
    if (ParseFailed != 0) continue;
    RunOnStack(size_t{256} << 10, BuildAndResolve);
    ASSERT_NE(Unit, nullptr) << c.name;
    c.check();
  }
}

TEST(TreeFrontEnd, DeepInputBuildsOnASmallStack) { RunOnStack(ProgramStackBytes, ParseAndBuildEveryCase); }

// Each parse reuses the parse trace's memory, which is sound only because the
// builder replays a unit's whole trace, and copies out every value its cells
// keep, before the next parse starts. So a tree built from one parse but
// forced only after another parse has overwritten the records is the tree
// that its own unit gives, names and literal values included.
const char* const EarlyUnit =
    "package p; import java.util.Vector;\n"
    "class A extends Vector { String s = \"lit\" + 'c' + 1.5; int n = 42;\n"
    "  int f(int k) { A a = this; return a.n + k; } }\n";
const char* const LaterUnit =
    "class B { long[] v = { 7L, 8L, 9L }; Object o = new Object();\n"
    "  void g() { for (int i = 0; i < 10; i++) { v[0] += i; } } }\n";
std::string EarlyTreeLate;
std::string EarlyTreeAlone;
bool WholeTraceReplayed = false;

void ParseEarlyThenLater() {
  Source = EarlyUnit;
  ParseSource();
  ASSERT_EQ(ParseFailed, 0);
  UseParseTraceReplay();
  TreeRoot* early = BuildRoot();
  // All productions read; the token cursor stands on the last record (the
  // token that stopped the parse), which replay never reads.
  WholeTraceReplayed = Trace.ReductionCursor == nullptr && Trace.TokenCursor == Trace.TokenTail;
  Source = LaterUnit;
  ParseSource();
  ASSERT_EQ(ParseFailed, 0);
  auto* unit = reinterpret_cast<SyntaxNode*>(ForceLazyCell(early->tree));
  SetCurrentUnit(unit);
  EarlyTreeLate = SyntaxTreeText(unit) + NameResolutionText(unit);
  Source = EarlyUnit;
  ParseSource();
  ASSERT_EQ(ParseFailed, 0);
  TreeRoot* alone = BuildRoot();
  unit = reinterpret_cast<SyntaxNode*>(ForceLazyCell(alone->tree));
  SetCurrentUnit(unit);
  EarlyTreeAlone = SyntaxTreeText(unit) + NameResolutionText(unit);
}

TEST(TreeFrontEnd, ATreeForcedAfterTheNextParseIsThatOfItsOwnUnit) {
  RunOnStack(ProgramStackBytes, ParseEarlyThenLater);
  EXPECT_TRUE(WholeTraceReplayed);
  EXPECT_NE(EarlyTreeAlone.find("\"lit\""), std::string::npos) << EarlyTreeAlone;
  EXPECT_EQ(EarlyTreeLate, EarlyTreeAlone);
}

}  // namespace
