// The tree builder over hand-built traces: node kinds and fields, positions,
// laziness, owner links, the trace checks and deep input.
#include <gtest/gtest.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "java/tree/builder.h"
#include "java/tree/defsets.h"
#include "java/tree/nodes.h"
#include "java/tree/treeprint.h"
#include "java_unit.h"
#include "tree_trace.h"

using namespace treetrace;

namespace {

// class A { int x; void m() { x = 1; } }
D SmallClass() {
  return UnitOpen() << 420 << 417 << 455 << 79 << 81 << 94 << 422 << 472 << 470 << 97 << 425 << 460
                    // int x;
                    << 98 << 104 << 106 << 422 << 30 << 32 << 34 << 38 << 427 << 107 << 108 << 111 << 112 << 474
                    // void m() { x = 1; }
                    << 459 << 98 << 105 << 115 << 119 << 121 << 422 << 122 << 116 << 117 << 432 << 430 << 476
                    << 125 << 127 << 158 << 159 << 435 << 463 << 162 << 169 << 185 << 201 << 202 << 393 << 394
                    << 54 << 56 << 397 << Chain("AssignmentExpression", "Literal") << 14 << 20;
}
Values SmallClassValues() { return Values{{"A", "x", "m", "x"}, {"1"}}; }

TEST(TreeBuilder, EmptyUnitBuildsEmptyListsAndEmptyRootEnvironment) {
  TreeRoot* root = Build(UnitOpen() << 420 << 418, Values{});
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(SyntaxTreeText(RootNode(root)),
            "SourceFileNode @10\n"
            "  _OPT_MOREZEB_Section: [0]\n"
            "  CompilationUnit: UnpackagedUnitNode @10\n"
            "    _OPT_MOREImportDeclaration: [0]\n"
            "    _OPT_MORETypeDeclaration: [0]\n");
  EXPECT_EQ(reinterpret_cast<DefinitionSet*>(ForceLazyCell(&root->env)), EmptyDefinitionSet);
}

TEST(TreeBuilder, SmallClassDump) {
  TreeRoot* root = Build(SmallClass(), SmallClassValues());
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(SyntaxTreeText(RootNode(root)),
            "SourceFileNode @10\n"
            "  _OPT_MOREZEB_Section: [0]\n"
            "  CompilationUnit: UnpackagedUnitNode @10\n"
            "    _OPT_MOREImportDeclaration: [0]\n"
            "    _OPT_MORETypeDeclaration: [1]\n"
            "      ClassDeclarationNode @10\n"
            "        _OPT_MOREModifier: [0]\n"
            "        Identifiersym: defining A\n"
            "        _OPTSuper: null\n"
            "        _OPTInterfaces: null\n"
            "        ClassBody: ClassBodyNode @30\n"
            "          _OPT_MOREClassBodyDeclaration: [2]\n"
            "            FieldDeclarationNode @40\n"
            "              _OPT_MOREModifier: [0]\n"
            "              Type: IntTypeNode @40\n"
            "              _MOREVariableDeclaratorINSERTcomma: [1]\n"
            "                VariableDeclaratorNode @50\n"
            "                  VariableDeclaratorId: SimpleDeclaratorIdNode @50\n"
            "                    DeclaratorIdentifier: DeclaratorIdentifierNode @50\n"
            "                      Identifiersym: defining x\n"
            "                  _OPTequalssymVariableInitializer: null\n"
            "            MethodDeclarationNode @70\n"
            "              MethodHeader: VoidMethodHeaderNode @70\n"
            "                _OPT_MOREModifier: [0]\n"
            "                MethodDeclarator: MethodDeclaratorNode @80\n"
            "                  Identifiersym: defining m\n"
            "              MethodRest: MethodRestNode @90\n"
            "                MethodParameterPart: MethodParameterPartNode @90\n"
            "                  _OPT_MOREFormalParameterINSERTcomma: [0]\n"
            "                  _OPT_MOREopenbrksymclosebrksym: 0\n"
            "                  _OPTThrows: null\n"
            "                MethodBody: BlockMethodBodyNode @110\n"
            "                  Block: BlockNode @110\n"
            "                    BlockStatements: BlockStatementsNode @120\n"
            "                      _OPT_MOREBlockStatement: [1]\n"
            "                        ExpressionStatementNode @120\n"
            "                          StatementExpression: AssignmentNode @120\n"
            "                            LeftHandSide: SimpleNameNode @120\n"
            "                              Identifiersym: applied x\n"
            "                            AssignmentOperator: AssignOperatorNode @130\n"
            "                            AssignmentExpression: IntegerLiteralNode @140\n"
            "                              IntegerLiteralsym: 1\n"
            "        inner definitions: {variable x, method m}\n");
}

TEST(TreeBuilder, NamesOfSmallClassResolve) {
  TreeRoot* root = Build(SmallClass(), SmallClassValues());
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(NameResolutionText(RootNode(root)),
            "@10 ClassDeclarationNode defining A -> ClassDeclarationNode @10\n"
            "@50 DeclaratorIdentifierNode defining x -> DeclaratorIdentifierNode @50\n"
            "@80 MethodDeclaratorNode defining m -> MethodDeclaratorNode @80\n"
            "@120 SimpleNameNode applied x -> DeclaratorIdentifierNode @50\n");
}

// Replay computes nothing; forcing the root's tree builds every node but no
// environment and no lookup; each cell is evaluated once.
TEST(TreeBuilder, CellsAreEvaluatedOnDemandAndOnce) {
  TreeBuilderCounters before = BuilderCounters;
  TreeRoot* root = Build(SmallClass(), SmallClassValues());
  ASSERT_NE(root, nullptr);
  EXPECT_GT(BuilderCounters.instances, before.instances);
  EXPECT_EQ(BuilderCounters.treeEvaluations, before.treeEvaluations);
  EXPECT_EQ(BuilderCounters.defsEvaluations, before.defsEvaluations);
  EXPECT_EQ(BuilderCounters.envEvaluations, before.envEvaluations);
  EXPECT_EQ(BuilderCounters.lookupEvaluations, before.lookupEvaluations);

  SyntaxNode* first = RootNode(root);
  TreeBuilderCounters afterTree = BuilderCounters;
  EXPECT_GT(afterTree.treeEvaluations, before.treeEvaluations);
  EXPECT_EQ(afterTree.envEvaluations, before.envEvaluations);
  EXPECT_EQ(afterTree.lookupEvaluations, before.lookupEvaluations);
  EXPECT_EQ(RootNode(root), first);
  EXPECT_EQ(BuilderCounters.treeEvaluations, afterTree.treeEvaluations);

  std::string names = NameResolutionText(first);
  TreeBuilderCounters afterNames = BuilderCounters;
  EXPECT_EQ(afterNames.lookupEvaluations - afterTree.lookupEvaluations, 4);
  EXPECT_GT(afterNames.envEvaluations, afterTree.envEvaluations);
  EXPECT_EQ(NameResolutionText(first), names);
  EXPECT_EQ(BuilderCounters.lookupEvaluations, afterNames.lookupEvaluations);
  EXPECT_EQ(BuilderCounters.envEvaluations, afterNames.envEvaluations);
  EXPECT_EQ(BuilderCounters.reentries, before.reentries);
}

// A lookup forced before the tree builds its own instance's node on demand;
// the tree forced afterwards is that same node.
TEST(TreeBuilder, LookupBeforeTreeBuildsTheNodeOnce) {
  // class A {} class B extends A {}: the lookup of B's superclass name A.
  D unit = UnitOpen() << 420 << 417 << 456 << 79 << 81 << 94 << 422 << 472 << 470 << 97 << 426 << 455 << 79 << 81
                      << 94 << 422 << 471 << 95 << 46 << 54 << 56 << 470 << 97 << 426;
  TreeRoot* root = Build(unit, Values{{"A", "B", "A"}, {}});
  ASSERT_NE(root, nullptr);
  SyntaxNode* file = RootNode(root);
  auto* classB = static_cast<SyntaxNode*>(NodeList(NodeChild(file, 1), 1)->tail->head);
  SyntaxNode* superName = NodeChild(NodeChild(NodeChild(classB, 2), 0), 0);
  ASSERT_EQ(superName->code, SimpleNameNodeKind);
  ConsList found = OccurrenceDefinitions(reinterpret_cast<void*>(NodeField(superName, 0)));
  ASSERT_NE(found, nullptr);
  auto* classA = static_cast<SyntaxNode*>(NodeList(NodeChild(file, 1), 1)->head);
  EXPECT_EQ(found->head, classA);
  EXPECT_EQ(found->tail, nullptr);
}

TEST(TreeBuilder, OwnerLinksAndAncestorSearch) {
  TreeRoot* root = Build(SmallClass(), SmallClassValues());
  ASSERT_NE(root, nullptr);
  SyntaxNode* file = RootNode(root);
  EXPECT_EQ(file->owner, nullptr);
  auto* classA = static_cast<SyntaxNode*>(NodeList(NodeChild(file, 1), 1)->head);
  SyntaxNode* body = NodeChild(classA, 4);
  EXPECT_EQ(body->owner, NodeAnyNode(classA));
  auto* method = static_cast<SyntaxNode*>(NodeList(body, 0)->tail->head);
  EXPECT_EQ(method->owner, NodeAnyNode(body));
  EXPECT_EQ(NodeAnyNode(classA)->kind, ClassDeclarationNodeKind);
  EXPECT_EQ(NodeAnyNode(classA)->node, classA);
  // The name x in the method body climbs through tagged and untagged nodes.
  SyntaxNode* block = NodeChild(NodeChild(NodeChild(method, 1), 1), 0);
  auto* statement = static_cast<SyntaxNode*>(NodeList(NodeChild(block, 0), 0)->head);
  SyntaxNode* name = NodeChild(NodeChild(statement, 0), 0);
  ASSERT_EQ(name->code, SimpleNameNodeKind);
  static std::vector<int32_t> visited;
  visited.clear();
  auto isClass = [](AnyNode* any) -> int32_t {
    visited.push_back(any == nullptr ? -1 : any->kind);
    return any != nullptr && any->kind == ClassDeclarationNodeKind;
  };
  EXPECT_EQ(FindAncestor(NodeAnyNode(name), MakeClosure<int32_t, AnyNode*>(+isClass)), NodeAnyNode(classA));
  EXPECT_EQ(visited, (std::vector<int32_t>{SimpleNameNodeKind, AssignmentNodeKind, ExpressionStatementNodeKind,
                                           BlockStatementsNodeKind, BlockNodeKind, BlockMethodBodyNodeKind,
                                           MethodRestNodeKind, MethodDeclarationNodeKind, ClassBodyNodeKind,
                                           ClassDeclarationNodeKind}));
  // Past the root the predicate sees null once; a start it accepts is returned.
  visited.clear();
  auto never = [](AnyNode* any) -> int32_t {
    visited.push_back(any == nullptr ? -1 : any->kind);
    return 0;
  };
  EXPECT_EQ(FindAncestor(NodeAnyNode(file), MakeClosure<int32_t, AnyNode*>(+never)), nullptr);
  EXPECT_EQ(visited, (std::vector<int32_t>{SourceFileNodeKind, -1}));
  auto always = [](AnyNode*) -> int32_t { return 1; };
  EXPECT_EQ(FindAncestor(NodeAnyNode(classA), MakeClosure<int32_t, AnyNode*>(+always)), NodeAnyNode(classA));
  // The leaf int of the field is adopted too, by the field declaration.
  auto* field = static_cast<SyntaxNode*>(NodeList(body, 0)->head);
  EXPECT_EQ(NodeChild(field, 1)->owner, NodeAnyNode(field));
}

// The tree keeps positions in 32 bits. The small class's token records are
// moved far out, as if more than 2 GiB of input came before them: up to
// 2^31 - 1 the nodes keep their positions; a construct that begins beyond
// ends the run with a fatal error instead of a wrong position.
TreeRoot* BuildSmallClassShifted(SourcePosition shift) {
  if (!Derive(SmallClass(), SmallClassValues())) return nullptr;
  for (Token& token : Tokens) token.position += shift;
  Position = Tokens[0].position;
  return BuildRoot();
}

TEST(TreeBuilder, PositionsUpToTwoGiBAreKept) {
  ASSERT_TRUE(Derive(SmallClass(), SmallClassValues()));
  const SourcePosition shift = INT32_MAX - Tokens.back().position;
  TreeRoot* root = BuildSmallClassShifted(shift);
  ASSERT_NE(root, nullptr);
  std::string text = SyntaxTreeText(RootNode(root));
  EXPECT_NE(text.find("ClassDeclarationNode @" + std::to_string(10 + shift) + "\n"), std::string::npos) << text;
  EXPECT_NE(text.find("FieldDeclarationNode @" + std::to_string(40 + shift) + "\n"), std::string::npos) << text;
}

TEST(TreeBuilderDeathTest, ConstructBeyondTwoGiBIsFatal) {
  // The class begins at 2^31 - 25, its field at 2^31 + 5.
  EXPECT_EXIT(SyntaxTreeText(RootNode(BuildSmallClassShifted(SourcePosition{INT32_MAX} - 34))),
              testing::ExitedWithCode(1), "\\?\\? fatalerror : input too long for the syntax tree\n$");
}

// A production that does not belong to the nonterminal being built, or a
// number outside the grammar, stops the run with an internal error.
TEST(TreeBuilderDeathTest, TraceThatDisagreesWithTheGrammarIsAnInternalError) {
  for (int32_t wrong : {100, 600, -3}) {
    ASSERT_TRUE(Derive(UnitOpen() << 420 << 418, Values{}));
    Reductions[1] = wrong;  // in place of 62 (CompilationUnit -> UnpackagedUnit)
    EXPECT_EXIT(BuildRoot(), testing::ExitedWithCode(1), "Internal error: \"TreeBuilder\", line [0-9]+   Type error occurred")
        << wrong;
  }
}

// ---- Deep input ----

// x = "s" + "s" + ... (terms terms) inside m() of class A { String x; ... }.
D ConcatenationClass(int32_t terms) {
  D term = D() << Chain("MultiplicativeExpression", "Literal") << 18 << 28;
  D unit = UnitOpen() << 420 << 417 << 455 << 79 << 81 << 94 << 422 << 472 << 470 << 97 << 425 << 459 << 98 << 105
                      << 115 << 119 << 121 << 422 << 122 << 116 << 117 << 432 << 430 << 476 << 125 << 127 << 158
                      << 159 << 435 << 463 << 162 << 169 << 185 << 201 << 202 << 393 << 394 << 54 << 56 << 397
                      << Chain("AssignmentExpression", "AdditiveExpression");
  for (int32_t i = 1; i < terms; ++i) unit << 345 << 347;
  unit << 344 << term;
  for (int32_t i = 1; i < terms; ++i) unit << term;
  return unit;
}

TEST(TreeBuilderDeep, LongStringConcatenation) {
  for (int32_t terms : {3, 50000}) {
    TreeRoot* root = Build(ConcatenationClass(terms), Values{{"A", "m", "x"}, std::vector<std::string>(terms, "\"s\"")});
    ASSERT_NE(root, nullptr);
    SyntaxNode* file = RootNode(root);
    // Down to the assignment, then along the left operands.
    auto* classA = static_cast<SyntaxNode*>(NodeList(NodeChild(file, 1), 1)->head);
    auto* method = static_cast<SyntaxNode*>(NodeList(NodeChild(classA, 4), 0)->head);
    SyntaxNode* block = NodeChild(NodeChild(NodeChild(method, 1), 1), 0);
    auto* statement = static_cast<SyntaxNode*>(NodeList(NodeChild(block, 0), 0)->head);
    SyntaxNode* value = NodeChild(NodeChild(statement, 0), 2);
    int32_t additions = 0;
    SourcePosition expected = 10 * 13;  // the last term's string token
    for (SyntaxNode* e = value; e->code == AddExpressionNodeKind; e = NodeChild(e, 0)) {
      ++additions;
      SyntaxNode* right = NodeChild(e, 1);
      ASSERT_EQ(right->code, StringLiteralNodeKind);
      EXPECT_EQ(right->position, expected + 20 * (terms - 1 - additions));
      if (additions == terms - 1) {
        EXPECT_EQ(NodeChild(e, 0)->code, StringLiteralNodeKind);
      }
    }
    EXPECT_EQ(additions, terms - 1);
    EXPECT_EQ(value->owner->node->code, AssignmentNodeKind);
    std::string names = NameResolutionText(file);
    EXPECT_NE(names.find("SimpleNameNode applied x -> none"), std::string::npos);
  }
}

// int[] a = {1, 1, ..., 1}; as the one field of class A.
D ArrayInitializerClass(int32_t elements) {
  D element = D() << 113 << IntegerExpression();
  D unit = UnitOpen() << 420 << 417 << 455 << 79 << 81 << 94 << 422 << 472 << 470 << 97 << 425 << 459 << 98 << 104
                      << 106 << 422 << 31 << 44 << 50 << 52 << 32 << 34 << 38 << 415 << 427 << 107 << 108 << 111
                      << 112 << 473 << 114 << 153 << 155;
  for (int32_t i = 0; i < elements; ++i) {
    unit << 156 << element;
    unit << (i + 1 < elements ? 485 : 486);
    if (i + 1 < elements) unit << 157 << 487;
  }
  return unit;
}

TEST(TreeBuilderDeep, LongArrayInitializer) {
  const int32_t elements = 100000;
  TreeRoot* root = Build(ArrayInitializerClass(elements), Values{{"A", "a"}, std::vector<std::string>(elements, "1")});
  ASSERT_NE(root, nullptr);
  SyntaxNode* file = RootNode(root);
  auto* classA = static_cast<SyntaxNode*>(NodeList(NodeChild(file, 1), 1)->head);
  EXPECT_EQ(DefinitionSetText(MembersOfDeclaration(classA)), "{variable a}");
  auto* field = static_cast<SyntaxNode*>(NodeList(NodeChild(classA, 4), 0)->head);
  auto* declarator = static_cast<SyntaxNode*>(NodeList(field, 2)->head);
  SyntaxNode* initializer = NodeChild(declarator, 1);
  ASSERT_EQ(initializer->code, NonEmptyArrayInitializerNodeKind);
  int32_t count = 0;
  for (SyntaxNode* list = NodeChild(initializer, 0); list != nullptr;) {
    ++count;
    EXPECT_EQ(NodeChild(list, 0)->code, ExpressionNodeKind);
    SyntaxNode* tail = NodeChild(list, 1);
    list = tail == nullptr ? nullptr : NodeChild(tail, 0);
  }
  EXPECT_EQ(count, elements);
}

// The trace of class A { int x; void m() { N1 = 1; N2 = 1; ... } } with the
// given number of assignment statements; the names come from the test's values.
D AssignmentBlockUnit(int32_t statements) {
  D statement = D() << 162 << 169 << 185 << 201 << 202 << 393 << 394 << 54 << 56 << 397
                    << Chain("AssignmentExpression", "Literal") << 14 << 20;
  D unit = UnitOpen() << 420 << 417 << 455 << 79 << 81 << 94 << 422 << 472 << 470 << 97 << 425 << 460 << 98 << 104
                      << 106 << 422 << 30 << 32 << 34 << 38 << 427 << 107 << 108 << 111 << 112 << 474 << 459 << 98
                      << 105 << 115 << 119 << 121 << 422 << 122 << 116 << 117 << 432 << 430 << 476 << 125 << 127
                      << 158 << 159 << 435;
  for (int32_t i = 0; i < statements; ++i) unit << (i + 1 < statements ? 464 : 463) << statement;
  return unit;
}

// void m() { x = 1; x = 1; ... } in class A { int x; ... }: every x is found.
TEST(TreeBuilderDeep, ManyStatementsInOneBlock) {
  const int32_t statements = 20000;
  D unit = AssignmentBlockUnit(statements);
  std::vector<std::string> names{"A", "x", "m"};
  names.insert(names.end(), statements, "x");
  TreeRoot* root = Build(unit, Values{names, std::vector<std::string>(statements, "1")});
  ASSERT_NE(root, nullptr);
  std::string text = NameResolutionText(RootNode(root));
  size_t resolved = 0;
  for (size_t at = text.find("applied x -> DeclaratorIdentifierNode @50\n"); at != std::string::npos;
       at = text.find("applied x -> DeclaratorIdentifierNode @50\n", at + 1)) {
    ++resolved;
  }
  EXPECT_EQ(resolved, static_cast<size_t>(statements));
}

// void m() { x = 1; n0 = 1; x = 1; n1 = 1; ... }: thousands of distinct names,
// each occurring once, between occurrences of one repeated name. Identifier
// value cells are shared by name, from a table that grows as names come, so
// every occurrence must still carry its own name and resolve as before.
TEST(TreeBuilderDeep, ManyDistinctNamesKeepTheirOwnNames) {
  const int32_t distinct = 3000;
  const int32_t statements = 2 * distinct;
  D unit = AssignmentBlockUnit(statements);
  std::vector<std::string> names{"A", "x", "m"};
  for (int32_t i = 0; i < distinct; ++i) {
    names.push_back("x");
    std::string name = "n";
    names.push_back(name += std::to_string(i));
  }
  TreeRoot* root = Build(unit, Values{names, std::vector<std::string>(statements, "1")});
  ASSERT_NE(root, nullptr);
  std::string text = NameResolutionText(RootNode(root));
  size_t at = 0;
  for (int32_t i = 0; i < distinct; ++i) {
    at = text.find("applied x -> DeclaratorIdentifierNode @50\n", at);
    ASSERT_NE(at, std::string::npos) << "occurrence " << i << " of x";
    std::string own = "applied n";
    own += std::to_string(i);
    own += " -> none\n";
    at = text.find(own, at);
    ASSERT_NE(at, std::string::npos) << own;
  }
  EXPECT_EQ(text.find("applied x -> DeclaratorIdentifierNode @50\n", at), std::string::npos);
}

// class A { int x; int v = ((...(x)...)); void m() { {{...{ x = 1; }...}} } }
// with 10,000 parentheses and 10,000 nested blocks: the names inside still
// resolve, through 10,000 environments.
TEST(TreeBuilderDeep, DeepParenthesesAndBlocks) {
  const int32_t depth = 10000;
  D field = D() << 98 << 104 << 106 << 422 << 30 << 32 << 34 << 38 << 427 << 107 << 108 << 111 << 112 << 474;
  D parenthesis = D() << Chain("Expression", "PrimaryNoNewArray") << 245 << 256;
  D initialized = D() << 98 << 104 << 106 << 422 << 30 << 32 << 34 << 38 << 427 << 107 << 108 << 111 << 112 << 473
                      << 113;
  for (int32_t i = 0; i < depth; ++i) initialized << parenthesis;
  initialized << NameExpression();
  D method = D() << 98 << 105 << 115 << 119 << 121 << 422 << 122 << 116 << 117 << 432 << 430 << 476 << 125 << 127
                 << 158 << 159 << 435 << 463;
  for (int32_t i = 0; i < depth; ++i) method << 162 << 169 << 183 << 158 << 159 << 435 << 463;
  method << 162 << 169 << 185 << 201 << 202 << 393 << 394 << 54 << 56 << 397
         << Chain("AssignmentExpression", "Literal") << 14 << 20;
  D unit = UnitOpen() << 420 << 417 << 455 << 79 << 81 << 94 << 422 << 472 << 470 << 97 << 425 << 460 << field
                      << 460 << initialized << 459 << method;
  TreeRoot* root = Build(unit, Values{{"A", "x", "v", "x", "m", "x"}, {"1"}});
  ASSERT_NE(root, nullptr);
  SyntaxNode* file = RootNode(root);
  std::string names = NameResolutionText(file);
  size_t found = 0;
  for (size_t at = names.find("applied x -> DeclaratorIdentifierNode @50\n"); at != std::string::npos;
       at = names.find("applied x -> DeclaratorIdentifierNode @50\n", at + 1)) {
    ++found;
  }
  EXPECT_EQ(found, 2u) << names;
  auto* classA = static_cast<SyntaxNode*>(NodeList(NodeChild(file, 1), 1)->head);
  auto* second = static_cast<SyntaxNode*>(NodeList(NodeChild(classA, 4), 0)->tail->head);
  SyntaxNode* e = NodeChild(static_cast<SyntaxNode*>(NodeList(second, 2)->head), 1);  // the ExpressionNode
  int32_t parentheses = 0;
  for (e = NodeChild(e, 0); e->code == ParenthesizedExpressionNodeKind; e = NodeChild(NodeChild(e, 0), 0)) ++parentheses;
  EXPECT_EQ(parentheses, depth);
  EXPECT_EQ(e->code, ExpressionNameNodeKind);
}

// Every node in walk order as kind, position and the walk index of its
// owner (-1 for none), then the names as they resolve.
std::string NodesOwnersAndNames(SyntaxNode* file) {
  std::vector<SyntaxNode*> nodes = javaunit::AllNodes(file);
  std::unordered_map<const AnyNode*, size_t> index;
  for (size_t i = 0; i < nodes.size(); ++i) {
    if (!IsLeafCode(nodes[i]->code)) index[NodeAnyNode(nodes[i])] = i;
  }
  std::string text;
  for (SyntaxNode* node : nodes) {
    auto owner = index.find(node->owner);
    text += std::to_string(node->code) + " @" + std::to_string(node->position) + " in " +
            (owner == index.end() ? std::string("-1") : std::to_string(owner->second)) + "\n";
  }
  return text + NameResolutionText(file);
}

// Trees computed during replay are the trees built on demand: the same nodes,
// positions, owners and names, also for deep input. Replay then runs every
// tree equation once and no environment or lookup; forcing the root's tree
// runs none.
TEST(TreeBuilder, TreesComputedDuringReplayAreTheTreesBuiltOnDemand) {
  struct Case {
    const char* what;
    D unit;
    Values values;
  };
  const int32_t terms = 50000;
  const int32_t elements = 100000;
  const Case cases[] = {
      {"small class", SmallClass(), SmallClassValues()},
      {"long concatenation", ConcatenationClass(terms),
       Values{{"A", "m", "x"}, std::vector<std::string>(terms, "\"s\"")}},
      {"long array initializer", ArrayInitializerClass(elements),
       Values{{"A", "a"}, std::vector<std::string>(elements, "1")}},
  };
  for (const Case& c : cases) {
    TreeRoot* lazy = Build(c.unit, c.values);
    ASSERT_NE(lazy, nullptr) << c.what;
    std::string expected = NodesOwnersAndNames(RootNode(lazy));

    TreeBuilderCounters before = BuilderCounters;
    TreeRoot* eager = Build(c.unit, c.values, TreesDuringReplay);
    ASSERT_NE(eager, nullptr) << c.what;
    TreeBuilderCounters afterReplay = BuilderCounters;
    EXPECT_GT(afterReplay.treeEvaluations, before.treeEvaluations) << c.what;
    EXPECT_EQ(afterReplay.envEvaluations, before.envEvaluations) << c.what;
    EXPECT_EQ(afterReplay.lookupEvaluations, before.lookupEvaluations) << c.what;
    SyntaxNode* file = RootNode(eager);
    EXPECT_EQ(BuilderCounters.treeEvaluations, afterReplay.treeEvaluations) << c.what;
    EXPECT_EQ(NodesOwnersAndNames(file), expected) << c.what;
    EXPECT_EQ(BuilderCounters.reentries, before.reentries) << c.what;
  }
  EXPECT_EQ(SyntaxTreeText(RootNode(Build(SmallClass(), SmallClassValues(), TreesDuringReplay))),
            SyntaxTreeText(RootNode(Build(SmallClass(), SmallClassValues()))));
}

}  // namespace
