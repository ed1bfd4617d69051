// Node kinds and records: the kind table's invariants, constructors, owner
// links of shared children, and the trees built for the constructs whose
// shapes are easy to get wrong (array declarators and types, empty array
// initializers, bracket counts, final flags, optional parts, operator
// precedence, array creation, leaves, casts).
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "java/tree/builder.h"
#include "java/tree/nodes.h"
#include "java/tree/treeprint.h"
#include "tree_trace.h"

using namespace treetrace;

namespace {

TEST(NodeKinds, TableShape) {
  InitRuntimeOnce();
  EXPECT_EQ(NodeKindCount, 182);
  EXPECT_EQ(LeafVariantCount, 37);
  EXPECT_EQ(NodeFamilyCount, 25);  // 24 families and the stand-alone kinds
  int32_t tagged = 0, untagged = 0;
  for (int32_t k = 0; k < NodeKindCount; ++k) {
    if (k == ReservedNodeKind) continue;
    (NodeKindTable[k].family == Untagged ? untagged : tagged)++;
  }
  EXPECT_EQ(tagged, 149);
  EXPECT_EQ(untagged, 32);
}

TEST(NodeKinds, CodesRiseWithTheirProductions) {
  InitRuntimeOnce();
  int32_t last = -1;
  for (int32_t k = 0; k < NodeKindCount; ++k) {
    if (k == ReservedNodeKind) continue;
    EXPECT_GT(NodeKindTable[k].production, last) << NodeKindTable[k].name;
    last = NodeKindTable[k].production;
    // The kind is named for the symbol its production defines.
    std::string symbol = NonterminalName(ProductionLhs(NodeKindTable[k].production));
    EXPECT_EQ(std::string(NodeKindTable[k].name), symbol + "Node");
  }
}

TEST(NodeKinds, EachFamilyTagNamesOneVariant) {
  InitRuntimeOnce();
  std::set<std::pair<int32_t, int32_t>> seen;
  for (int32_t k = 0; k < NodeKindCount; ++k) {
    if (NodeKindTable[k].family == Untagged) continue;
    EXPECT_TRUE(seen.insert({NodeKindTable[k].family, NodeKindTable[k].tag}).second) << NodeKindTable[k].name;
    EXPECT_EQ(KindOfVariant(NodeKindTable[k].family, NodeKindTable[k].tag), k);
  }
  for (int32_t l = 0; l < LeafVariantCount; ++l) {
    EXPECT_TRUE(seen.insert({LeafTable[l].family, LeafTable[l].tag}).second) << LeafTable[l].name;
    EXPECT_EQ(KindOfVariant(LeafTable[l].family, LeafTable[l].tag), -1);
  }
  // The tags of each family run from 0 without a gap.
  for (int32_t f = 1; f < NodeFamilyCount; ++f) {
    int32_t n = 0;
    while (seen.count({f, n}) != 0) ++n;
    for (auto [family, tag] : seen) {
      if (family == f) {
        EXPECT_LT(tag, n) << NodeFamilyNames[f];
      }
    }
  }
}

TEST(NodeKinds, ConstructorsMakeTheAnyNodeAndTheFirstOwnerWins) {
  InitRuntimeOnce();
  SyntaxNode* shared = NewIntTypeNode(0);
  EXPECT_EQ(NodeAnyNode(shared), nullptr);  // a leaf has none
  SyntaxNode* first = NewPrimitiveArrayTypeNode(0, shared, 1);
  SyntaxNode* second = NewPrimitiveArrayTypeNode(0, shared, 2);
  EXPECT_EQ(shared->owner, NodeAnyNode(first));
  EXPECT_NE(NodeAnyNode(second), NodeAnyNode(first));
  EXPECT_EQ(NodeAnyNode(first)->kind, PrimitiveArrayTypeNodeKind);
  EXPECT_EQ(NodeAnyNode(first)->node, first);
  EXPECT_EQ(first->tag, 9);
  // Reference words are as wide as pointers: a heap address above 4 GiB
  // survives a node field unchanged.
  static_assert(sizeof(Word) == sizeof(void*));
  Identifier* name = IdentifierOf("wide");
  SyntaxNode* simple = NewSimpleNameNode(0, NewAppliedOccurrence(nullptr, name));
  EXPECT_EQ(OccurrenceName(reinterpret_cast<void*>(NodeField(simple, 0))), name);
  if (reinterpret_cast<uintptr_t>(simple) > 0xffffffffu) {
    EXPECT_EQ(NodeAnyNode(simple)->node, simple);
  }
  EXPECT_EQ(NodeField(second, 1), 2u);
  // A class declaration adopts its modifiers, optional parts and body, and
  // nothing else.
  SyntaxNode* modifier = NewPublicModifierNode(0);
  SyntaxNode* body = NewClassBodyNode(0, nullptr);
  SyntaxNode* super = NewSuperNode(0, NewClassTypeNode(0, NewSimpleNameNode(0, NewAppliedOccurrence(nullptr, nullptr))));
  SyntaxNode* cls = NewClassDeclarationNode(0, Cons(modifier, nullptr), NewDefiningOccurrence(nullptr, nullptr), super,
                                            nullptr, body, EmptyDefinitionSet);
  for (SyntaxNode* child : {modifier, body, super}) EXPECT_EQ(child->owner, NodeAnyNode(cls));
  EXPECT_EQ(cls->owner, nullptr);
}

// ---- Trees of single class members: class A { <member> } ----

D ClassWith(const D& member) {
  return UnitOpen() << 420 << 417 << 455 << 79 << 81 << 94 << 422 << 472 << 470 << 97 << 425 << 459 << member;
}
D IntType() { return D() << 30 << 32 << 34 << 38; }
// int v = <expression>;
D FieldWithInitializer(const D& expression) {
  return D() << 98 << 104 << 106 << 422 << IntType() << 427 << 107 << 108 << 111 << 112 << 473 << 113 << expression;
}

struct Case {
  const char* name;
  D member;
  std::vector<std::string> names;  // after "A"
  std::vector<std::string> literals;
  bool initializerOnly;  // dump the first declarator's initializer, else the member
  const char* expected;
};

SyntaxNode* MemberOf(TreeRoot* root) {
  SyntaxNode* file = RootNode(root);
  auto* cls = static_cast<SyntaxNode*>(NodeList(NodeChild(file, 1), 1)->head);
  return static_cast<SyntaxNode*>(NodeList(NodeChild(cls, 4), 0)->head);
}

TEST(NodeKinds, MemberTrees) {
  const std::vector<Case> cases = {
      {"int[] a[];",
       D() << 98 << 104 << 106 << 422 << 31 << 44 << 50 << 52 << 32 << 34 << 38 << 415 << 427 << 107 << 109 << 110
           << 108 << 111 << 112 << 474,
       {"a"}, {}, false,
       "FieldDeclarationNode @40\n"
       "  _OPT_MOREModifier: [0]\n"
       "  Type: PrimitiveArrayTypeNode @40\n"
       "    PrimitiveType: IntTypeNode @40\n"
       "    _MOREopenbrksymclosebrksym: 1\n"
       "  _MOREVariableDeclaratorINSERTcomma: [1]\n"
       "    VariableDeclaratorNode @70\n"
       "      VariableDeclaratorId: ArrayDeclaratorIdNode @70\n"
       "        VariableDeclaratorId: SimpleDeclaratorIdNode @70\n"
       "          DeclaratorIdentifier: DeclaratorIdentifierNode @70\n"
       "            Identifiersym: defining a\n"
       "      _OPTequalssymVariableInitializer: null\n"},
      {"int b = {}, c = {,};",
       D() << 98 << 104 << 106 << 422 << IntType() << 428 << 107 << 108 << 111 << 112 << 473 << 114 << 152 << 154
           << 484 << 427 << 107 << 108 << 111 << 112 << 473 << 114 << 152 << 154 << 483,
       {"b", "c"}, {}, false,
       "FieldDeclarationNode @40\n"
       "  _OPT_MOREModifier: [0]\n"
       "  Type: IntTypeNode @40\n"
       "  _MOREVariableDeclaratorINSERTcomma: [2]\n"
       "    VariableDeclaratorNode @50\n"
       "      VariableDeclaratorId: SimpleDeclaratorIdNode @50\n"
       "        DeclaratorIdentifier: DeclaratorIdentifierNode @50\n"
       "          Identifiersym: defining b\n"
       "      _OPTequalssymVariableInitializer: EmptyArrayInitializerNode @70\n"
       "        _OPTcommasym: 0\n"
       "    VariableDeclaratorNode @100\n"
       "      VariableDeclaratorId: SimpleDeclaratorIdNode @100\n"
       "        DeclaratorIdentifier: DeclaratorIdentifierNode @100\n"
       "          Identifiersym: defining c\n"
       "      _OPTequalssymVariableInitializer: EmptyArrayInitializerNode @120\n"
       "        _OPTcommasym: 1\n"},
      {"int m()[];",
       D() << 98 << 105 << 115 << 118 << 120 << 422 << IntType() << 122 << 116 << 117 << 432 << 429 << 415 << 476
           << 126 << 128,
       {"m"}, {}, false,
       "MethodDeclarationNode @40\n"
       "  MethodHeader: TypedMethodHeaderNode @40\n"
       "    _OPT_MOREModifier: [0]\n"
       "    Type: IntTypeNode @40\n"
       "    MethodDeclarator: MethodDeclaratorNode @50\n"
       "      Identifiersym: defining m\n"
       "  MethodRest: MethodRestNode @60\n"
       "    MethodParameterPart: MethodParameterPartNode @60\n"
       "      _OPT_MOREFormalParameterINSERTcomma: [0]\n"
       "      _OPT_MOREopenbrksymclosebrksym: 1\n"
       "      _OPTThrows: null\n"
       "    MethodBody: EmptyMethodBodyNode @100\n"},
      {"void n(final int p, int q) { break; }",
       D() << 98 << 105 << 115 << 119 << 121 << 422 << 122 << 116 << 117 << 431 << 462 << 123 << 477 << IntType()
           << 108 << 111 << 112 << 461 << 123 << 478 << IntType() << 108 << 111 << 112 << 430 << 476 << 125 << 127
           << 158 << 159 << 435 << 463 << 162 << 169 << 188 << 229 << 498,
       {"n", "p", "q"}, {}, false,
       "MethodDeclarationNode @40\n"
       "  MethodHeader: VoidMethodHeaderNode @40\n"
       "    _OPT_MOREModifier: [0]\n"
       "    MethodDeclarator: MethodDeclaratorNode @50\n"
       "      Identifiersym: defining n\n"
       "  MethodRest: MethodRestNode @60\n"
       "    MethodParameterPart: MethodParameterPartNode @60\n"
       "      _OPT_MOREFormalParameterINSERTcomma: [2]\n"
       "        FormalParameterNode @70\n"
       "          _OPTfinalsym: 1\n"
       "          Type: IntTypeNode @80\n"
       "          VariableDeclaratorId: SimpleDeclaratorIdNode @90\n"
       "            DeclaratorIdentifier: DeclaratorIdentifierNode @90\n"
       "              Identifiersym: defining p\n"
       "        FormalParameterNode @110\n"
       "          _OPTfinalsym: 0\n"
       "          Type: IntTypeNode @110\n"
       "          VariableDeclaratorId: SimpleDeclaratorIdNode @120\n"
       "            DeclaratorIdentifier: DeclaratorIdentifierNode @120\n"
       "              Identifiersym: defining q\n"
       "      _OPT_MOREopenbrksymclosebrksym: 0\n"
       "      _OPTThrows: null\n"
       "    MethodBody: BlockMethodBodyNode @140\n"
       "      Block: BlockNode @140\n"
       "        BlockStatements: BlockStatementsNode @150\n"
       "          _OPT_MOREBlockStatement: [1]\n"
       "            BreakStatementNode @150\n"
       "              _OPTLabelIdentifier: null\n"},
      {"int v = a + b * c;",
       FieldWithInitializer(D() << Chain("Expression", "AdditiveExpression") << 345 << 347 << 344
                                << Chain("MultiplicativeExpression", "ExpressionName") << 309 << 54 << 56 << 338 << 341
                                << Chain("MultiplicativeExpression", "ExpressionName") << 309 << 54 << 56
                                << Chain("UnaryExpression", "ExpressionName") << 309 << 54 << 56),
       {"v", "a", "b", "c"}, {}, true,
       "ExpressionNode @70\n"
       "  AssignmentExpression: AddExpressionNode @70\n"
       "    AdditiveExpression: ExpressionNameNode @70\n"
       "      Name: SimpleNameNode @70\n"
       "        Identifiersym: applied a\n"
       "    MultiplicativeExpression: MultiplyExpressionNode @90\n"
       "      MultiplicativeExpression: ExpressionNameNode @90\n"
       "        Name: SimpleNameNode @90\n"
       "          Identifiersym: applied b\n"
       "      UnaryExpression: ExpressionNameNode @110\n"
       "        Name: SimpleNameNode @110\n"
       "          Identifiersym: applied c\n"},
      {"int v = new int[3][];",
       FieldWithInitializer(D() << Chain("Expression", "Primary") << 243 << 275 << 277 << 32 << 34 << 38 << 448 << 279
                                << 493 << IntegerExpression() << 447 << 279 << 494 << 504),
       {"v"}, {"3"}, true,
       "ExpressionNode @70\n"
       "  AssignmentExpression: PrimitiveArrayCreationNode @70\n"
       "    PrimitiveType: IntTypeNode @80\n"
       "    _MOREDimExpr: [2]\n"
       "      DimExprNode @90\n"
       "        _OPTExpression: ExpressionNode @100\n"
       "          AssignmentExpression: IntegerLiteralNode @100\n"
       "            IntegerLiteralsym: 3\n"
       "      DimExprNode @120\n"
       "        _OPTExpression: null\n"
       "    _OPTArrayInitializer: null\n"},
      {"int v = this;", FieldWithInitializer(D() << Chain("Expression", "PostfixExpression") << 305), {"v"}, {}, true,
       "ExpressionNode @70\n"
       "  AssignmentExpression: ThisNode @70\n"},
      {"int v = void.class;", FieldWithInitializer(D() << Chain("Expression", "PrimaryNoNewArray") << 255), {"v"}, {},
       true,
       "ExpressionNode @70\n"
       "  AssignmentExpression: VoidClassLiteralNode @70\n"},
      {"int v = (int) x;",
       FieldWithInitializer(D() << Chain("Expression", "CastExpression") << 331 << 334 << 32 << 34 << 38 << 430
                                << Chain("UnaryExpression", "ExpressionName") << 309 << 54 << 56),
       {"v", "x"}, {}, true,
       "ExpressionNode @70\n"
       "  AssignmentExpression: PrimitiveCastExpressionNode @70\n"
       "    PrimitiveType: IntTypeNode @80\n"
       "    _OPT_MOREopenbrksymclosebrksym: 0\n"
       "    UnaryExpression: ExpressionNameNode @100\n"
       "      Name: SimpleNameNode @100\n"
       "        Identifiersym: applied x\n"},
      {"int v = (S[][]) x;",
       FieldWithInitializer(D() << Chain("Expression", "CastExpression") << 333 << 336 << 54 << 56 << 416 << 415
                                << Chain("UnaryExpressionNotPlusMinus", "ExpressionName") << 309 << 54 << 56),
       {"v", "S", "x"}, {}, true,
       "ExpressionNode @70\n"
       "  AssignmentExpression: ArrayCastExpressionNode @70\n"
       "    Name: SimpleNameNode @80\n"
       "      Identifiersym: applied S\n"
       "    _MOREopenbrksymclosebrksym: 2\n"
       "    UnaryExpressionNotPlusMinus: ExpressionNameNode @140\n"
       "      Name: SimpleNameNode @140\n"
       "        Identifiersym: applied x\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> names{"A"};
    names.insert(names.end(), c.names.begin(), c.names.end());
    TreeRoot* root = Build(ClassWith(c.member), Values{names, c.literals});
    ASSERT_NE(root, nullptr) << c.name;
    SyntaxNode* member = MemberOf(root);
    if (c.initializerOnly) member = NodeChild(static_cast<SyntaxNode*>(NodeList(member, 2)->head), 1);
    EXPECT_EQ(SyntaxTreeText(member), c.expected) << c.name;
  }
}

// class A { void m() { f(new A() { int z; }); z = 1; } }: the anonymous
// body's members flow up through the argument list, the invocation and the
// statement into the block's scope.
TEST(NodeKinds, AnonymousBodyDefinitionsFlowUpThroughArguments) {
  D anonymous = D() << Chain("Expression", "Primary") << 242 << 246 << 257 << 266 << 270 << 46 << 54 << 56 << 480
                    << 501 << 97 << 425 << 459 << 98 << 104 << 106 << 422 << IntType() << 427 << 107 << 108 << 111
                    << 112 << 474;
  D call = D() << 162 << 169 << 185 << 201 << 207 << 288 << 293 << 54 << 56 << 479 << 274 << 445 << anonymous;
  D use = D() << 162 << 169 << 185 << 201 << 202 << 393 << 394 << 54 << 56 << 397
              << Chain("AssignmentExpression", "Literal") << 14 << 20;
  D member = D() << 98 << 105 << 115 << 119 << 121 << 422 << 122 << 116 << 117 << 432 << 430 << 476 << 125 << 127
                 << 158 << 159 << 435 << 464 << call << 463 << use;
  TreeRoot* root = Build(ClassWith(member), Values{{"A", "m", "f", "A", "z", "z"}, {"1"}});
  ASSERT_NE(root, nullptr);
  std::string names = NameResolutionText(RootNode(root));
  EXPECT_NE(names.find("SimpleNameNode applied z -> DeclaratorIdentifierNode @"), std::string::npos) << names;
  EXPECT_NE(names.find("SimpleNameNode applied f -> none"), std::string::npos) << names;
}

}  // namespace
