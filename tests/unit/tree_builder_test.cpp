// The tree builder over hand-built traces: node kinds and fields, positions,
// laziness, owner links, the trace checks and deep input.
#include <gtest/gtest.h>

#include <string>

#include "java/tree/builder.h"
#include "java/tree/defsets.h"
#include "java/tree/nodes.h"
#include "java/tree/treeprint.h"
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
Values SmallClassValues() { return Values{{"A", "x", "m", "x"}, {1}}; }

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

}  // namespace
