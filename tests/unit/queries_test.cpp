// Tree queries and declaration texts over units built by the real front end:
// package texts, the variable a name denotes, class-name identity, bracket
// counts, the declarations a name resolves to, canonical declarations of
// repeated classes, and the enclosing class, method and variable
// declarations.
#include <gtest/gtest.h>

#include <string>

#include "java_unit.h"

using namespace javaunit;

namespace {

TEST(DeclarationTexts, PackageTextOf) {
  SyntaxNode* packaged = BuildUnit("package a.b.c;\nclass C { class Inner { } }\ninterface I { }\n");
  ASSERT_NE(packaged, nullptr);
  EXPECT_EQ(Text(PackageTextOf(ClassNamed(packaged, "C"))), "a.b.c");
  EXPECT_EQ(Text(PackageTextOf(ClassNamed(packaged, "Inner"))), "a.b.c");
  EXPECT_EQ(Text(PackageTextOf(ClassNamed(packaged, "I"))), "a.b.c");
  // The text is one interned identifier.
  EXPECT_EQ(PackageTextOf(ClassNamed(packaged, "C")), IdentifierOf("a.b.c"));
  SyntaxNode* top = FindCode(packaged, PackageDeclarationNodeKind);
  EXPECT_EQ(Text(PackageTextOf(top)), "a.b.c");
  EXPECT_EQ(Text(PackageTextOf(FindCode(packaged, PackageDeclarationNodeKind, 1))), "b.c");

  SyntaxNode* unpackaged = BuildUnit("class D { int x; }\n");
  ASSERT_NE(unpackaged, nullptr);
  EXPECT_EQ(PackageTextOf(ClassNamed(unpackaged, "D")), EmptyName);
  EXPECT_EQ(PackageTextOf(nullptr), EmptyName);
  EXPECT_EQ(PackageTextOf(Find(unpackaged, DeclaratorIdentifierNodeKind, "x")), EmptyName);
}

TEST(DeclarationTexts, VariableOfName) {
  SyntaxNode* unit = BuildUnit(
      "class A {\n"
      "  int x; A a; int[] arr;\n"
      "  void f() { }\n"
      "  A mk() { return a; }\n"
      "  void m() { x = 1; f(); a.x = 2; this.x = 3; mk().x = 4; arr[0] = 1; }\n"
      "}\n");
  ASSERT_NE(unit, nullptr);
  SyntaxNode* x = Find(unit, DeclaratorIdentifierNodeKind, "x");
  EXPECT_EQ(VariableOfName(Find(unit, SimpleNameNodeKind, "x")), x);
  EXPECT_EQ(VariableOfName(Find(unit, QualifiedNameNodeKind, "x")), x);
  EXPECT_EQ(VariableOfName(Find(unit, ThisFieldAccessNodeKind, "x")), x);
  EXPECT_EQ(VariableOfName(Find(unit, PrimaryFieldAccessNodeKind, "x")), x);
  // A name of a method or of a class only: no variable.
  EXPECT_EQ(VariableOfName(Find(unit, SimpleNameNodeKind, "f")), nullptr);
  EXPECT_EQ(VariableOfName(Find(unit, SimpleNameNodeKind, "A")), nullptr);
  EXPECT_EQ(VariableOfName(FindCode(unit, NameArrayAccessNodeKind)), nullptr);
}

TEST(DeclarationTexts, SameClassName) {
  SyntaxNode* unit = BuildUnit(
      "class A { }\n"
      "class A { }\n"
      "class B { A p; A q; B r; int v; void m() { v = 1; } }\n");
  ASSERT_NE(unit, nullptr);
  SyntaxNode* p = Find(unit, SimpleNameNodeKind, "A", 0);
  SyntaxNode* q = Find(unit, SimpleNameNodeKind, "A", 1);
  SyntaxNode* r = Find(unit, SimpleNameNodeKind, "B");
  SyntaxNode* v = Find(unit, SimpleNameNodeKind, "v");
  EXPECT_TRUE(SameClassName(p, q));
  EXPECT_TRUE(SameClassName(p, p));
  EXPECT_FALSE(SameClassName(p, r));
  // A name that denotes no class: false, also against itself.
  EXPECT_FALSE(SameClassName(v, v));
  EXPECT_FALSE(SameClassName(v, p));
}

TEST(DeclarationTexts, DeclaratorDimensionsAndOutermostIds) {
  SyntaxNode* unit = BuildUnit(
      "class A {\n"
      "  int[] f[], g;\n"
      "  void m(int p[][]) { int local[][][] = null; }\n"
      "}\n");
  ASSERT_NE(unit, nullptr);
  struct Row {
    const char* name;
    int32_t dimensions;
    int32_t outermostKind;
    int32_t ownerKind;  // the declarator or parameter that holds the outermost id
  } rows[] = {
      {"f", 1, ArrayDeclaratorIdNodeKind, VariableDeclaratorNodeKind},
      {"g", 0, SimpleDeclaratorIdNodeKind, VariableDeclaratorNodeKind},
      {"p", 2, ArrayDeclaratorIdNodeKind, FormalParameterNodeKind},
      {"local", 3, ArrayDeclaratorIdNodeKind, VariableDeclaratorNodeKind},
  };
  for (const Row& row : rows) {
    SyntaxNode* id = OutermostDeclaratorId(Find(unit, DeclaratorIdentifierNodeKind, row.name));
    ASSERT_NE(id, nullptr) << row.name;
    EXPECT_EQ(id->code, row.outermostKind) << row.name;
    EXPECT_EQ(DeclaratorDimensions(id), row.dimensions) << row.name;
    EXPECT_EQ(id->owner->kind, row.ownerKind) << row.name;
  }
  EXPECT_EQ(OutermostDeclaratorId(ClassNamed(unit, "A")), nullptr);
  EXPECT_EQ(OutermostDeclaratorId(nullptr), nullptr);
}

TEST(TreeQueries, DefinitionsOfNameByVariant) {
  SyntaxNode* unit = BuildUnit(
      "class A {\n"
      "  int x; A a; int[] arr;\n"
      "  A mk() { return a; }\n"
      "  void m() { a.x = 1; mk().x = 2; this.x = 3; arr[0] = 4; }\n"
      "}\n");
  ASSERT_NE(unit, nullptr);
  SyntaxNode* x = Find(unit, DeclaratorIdentifierNodeKind, "x");
  // The last identifier of a qualified name and of a field access on an
  // expression; the only one of this.x.
  for (int32_t kind : {QualifiedNameNodeKind, PrimaryFieldAccessNodeKind, ThisFieldAccessNodeKind}) {
    SyntaxNode* name = Find(unit, kind, "x");
    ASSERT_NE(name, nullptr);
    ConsList found = DefinitionsOfName(name);
    ASSERT_NE(found, nullptr) << NodeKindTable[kind].name;
    EXPECT_EQ(found->head, x) << NodeKindTable[kind].name;
  }
  // An array access names nothing itself.
  EXPECT_EQ(DefinitionsOfName(FindCode(unit, NameArrayAccessNodeKind)), nullptr);
  EXPECT_EQ(DefinitionsOfName(nullptr), nullptr);
}

TEST(TreeQueries, CanonicalDeclarationChoosesTheFirstOfTwoClasses) {
  SyntaxNode* unit = BuildUnit(
      "package p;\n"
      "class A { int first; }\n"
      "class B { A use; }\n"
      "class A { int second; }\n"
      "interface I { }\n"
      "interface I { }\n"
      "class C { I i; }\n");
  ASSERT_NE(unit, nullptr);
  SyntaxNode* first = ClassNamed(unit, "A", 0);
  SyntaxNode* second = ClassNamed(unit, "A", 1);
  EXPECT_EQ(CanonicalDeclaration(first), first);
  EXPECT_EQ(CanonicalDeclaration(second), first);
  EXPECT_EQ(CanonicalDeclaration(ClassNamed(unit, "I", 1)), ClassNamed(unit, "I", 0));
  // Every use resolves to the first.
  SyntaxNode* use = Find(unit, SimpleNameNodeKind, "A");
  EXPECT_EQ(DeclarationOfTypeName(use), first);
  SyntaxNode* useType = NodeChild(EnclosingVariableDeclaration(Find(unit, DeclaratorIdentifierNodeKind, "use"))->node, 1);
  EXPECT_EQ(DeclarationOfType(useType), first);
  EXPECT_EQ(DeclarationOfTypeName(Find(unit, SimpleNameNodeKind, "I")), ClassNamed(unit, "I", 0));
  // Only classes and interfaces have one.
  EXPECT_EQ(CanonicalDeclaration(Find(unit, DeclaratorIdentifierNodeKind, "first")), nullptr);
  EXPECT_EQ(CanonicalDeclaration(FindCode(unit, PackageDeclarationNodeKind)), nullptr);
  EXPECT_EQ(CanonicalDeclaration(nullptr), nullptr);
}

TEST(TreeQueries, DeclarationOfTypeNameAndType) {
  SyntaxNode* unit = BuildUnit(
      "class A { int v; int[] w; A[] x; void m() { v = 1; } }\n");
  ASSERT_NE(unit, nullptr);
  // A name that resolves only to a variable denotes no type declaration.
  EXPECT_EQ(DeclarationOfTypeName(Find(unit, SimpleNameNodeKind, "v")), nullptr);
  EXPECT_EQ(DeclarationOfTypeName(nullptr), nullptr);
  auto typeOf = [&](const char* name) {
    return NodeChild(EnclosingVariableDeclaration(Find(unit, DeclaratorIdentifierNodeKind, name))->node, 1);
  };
  EXPECT_EQ(DeclarationOfType(typeOf("v")), nullptr);  // int
  EXPECT_EQ(DeclarationOfType(typeOf("w")), nullptr);  // int[]
  EXPECT_EQ(DeclarationOfType(typeOf("x")), nullptr);  // A[]: only class types
  EXPECT_EQ(DeclarationOfType(nullptr), nullptr);
}

TEST(TreeQueries, EnclosingDeclarations) {
  SyntaxNode* unit = BuildUnit(
      "class Outer {\n"
      "  int field = 1;\n"
      "  class Inner { void m(int p) { int local = p; } }\n"
      "  void n() { try { } catch (Outer e) { } }\n"
      "}\n"
      "interface I { void abs(int q); }\n");
  ASSERT_NE(unit, nullptr);
  SyntaxNode* outer = ClassNamed(unit, "Outer");
  SyntaxNode* inner = ClassNamed(unit, "Inner");
  SyntaxNode* local = Find(unit, DeclaratorIdentifierNodeKind, "local");
  SyntaxNode* use = Find(unit, SimpleNameNodeKind, "p");
  // Classes: the search begins at the owner.
  EXPECT_EQ(EnclosingClassDeclaration(outer), nullptr);
  EXPECT_EQ(EnclosingClassDeclaration(inner), outer);
  EXPECT_EQ(EnclosingClassDeclaration(use), inner);
  EXPECT_EQ(EnclosingClassDeclaration(nullptr), nullptr);
  EXPECT_EQ(OuterClassOfName(Find(unit, SimpleNameNodeKind, "Outer")), nullptr);
  // Methods: the method around a body; none in an abstract method's header.
  SyntaxNode* m = Find(unit, MethodDeclaratorNodeKind, "m");
  EXPECT_EQ(EnclosingMethodDeclaration(use), m->owner->node->owner->node);
  EXPECT_EQ(EnclosingMethodDeclaration(use)->code, MethodDeclarationNodeKind);
  EXPECT_EQ(EnclosingMethodDeclaration(Find(unit, DeclaratorIdentifierNodeKind, "q")), nullptr);
  EXPECT_EQ(EnclosingMethodDeclaration(Find(unit, DeclaratorIdentifierNodeKind, "field")), nullptr);
  // Variables: field, parameter (also a catch parameter) and local.
  struct Row {
    const char* name;
    int32_t kind;
  } rows[] = {
      {"field", FieldDeclarationNodeKind},
      {"p", FormalParameterNodeKind},
      {"e", FormalParameterNodeKind},
      {"local", LocalVariableDeclarationNodeKind},
      {"q", FormalParameterNodeKind},
  };
  for (const Row& row : rows) {
    AnyNode* found = EnclosingVariableDeclaration(Find(unit, DeclaratorIdentifierNodeKind, row.name));
    ASSERT_NE(found, nullptr) << row.name;
    EXPECT_EQ(found->kind, row.kind) << row.name;
  }
  // The initializer of local lies inside its declaration too.
  EXPECT_EQ(EnclosingVariableDeclaration(use), EnclosingVariableDeclaration(local));
  EXPECT_EQ(EnclosingVariableDeclaration(outer), nullptr);
}

TEST(TreeQueries, OuterClassOfName) {
  SyntaxNode* unit = BuildUnit(
      "class Outer {\n"
      "  class Inner { }\n"
      "  Inner i;\n"
      "  int v;\n"
      "  void m() { v = 1; }\n"
      "}\n");
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(OuterClassOfName(Find(unit, SimpleNameNodeKind, "Inner")), ClassNamed(unit, "Outer"));
  EXPECT_EQ(OuterClassOfName(Find(unit, SimpleNameNodeKind, "v")), nullptr);
}

TEST(TreeQueriesInternalError, DeclaratorDimensionsOfAnotherNode) {
  InitOnce();
  SyntaxNode* notAnId = NewIntTypeNode(0);
  EXPECT_EXIT(DeclaratorDimensions(notAnId), ::testing::ExitedWithCode(1),
              "^Internal error: \"DeclarationTexts\", line [0-9]+   Type error occurred\n$");
}

}  // namespace
