// Static types over units built by the real front end: the type of each
// expression form, promotion and convertibility (one table each), Type(t, d),
// type identity, subclassing across units and through a cycle, method
// resolution, array types and "length", casts whose type is written as a
// name, and the internal error of a node outside its family.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "java_unit.h"

using namespace javaunit;

namespace {

// The standard classes of the units below: the unit that is current when
// they are first needed declares them, in package java.lang.
const std::string Lang =
    "package java.lang;\n"
    "class Object { int hashCode() { return 0; } }\n"
    "class String { int length() { return 0; } }\n"
    "class Class { }\n"
    "interface Cloneable { }\n";

// Classes for the class-type rows: B extends A, C implements I, D extends C,
// E unrelated.
const std::string Classes =
    "class A { int y; }\n"
    "class B extends A { int z; }\n"
    "interface I { }\n"
    "class C implements I { }\n"
    "class D extends C { }\n"
    "class E { }\n";

class Types : public ::testing::Test {
 protected:
  void SetUp() override { ForgetStandardClasses(); }
};

TEST_F(Types, EveryExpressionForm) {
  struct Row {
    const char* expression;
    const char* type;
  } rows[] = {
      {"'a' + 1", "int"},
      {"i + l", "long"},
      {"1 + 1.5f", "float"},
      {"\"s\" + 1", "String"},
      {"1 + \"s\"", "String"},
      {"1 < 2", "boolean"},
      {"5L", "int"},  // no long literal type
      {"bo ? 1 : 'a'", "int"},
      {"-ch", "int"},
      {"+d", "double"},
      {"~by", "int"},
      {"l << 2", "long"},
      {"i >> l", "int"},
      {"i & l", "long"},
      {"by * ch", "int"},
      {"d % f", "double"},
      {"1.0", "double"},
      {"'c'", "char"},
      {"null", "Object"},
      {"true", "boolean"},
      {"!bo", "boolean"},
      {"o instanceof B", "boolean"},
      {"i == l", "boolean"},
      {"bo && bo", "boolean"},
      {"(l)", "long"},
      {"new B()", "B"},
      {"this", "T"},
      {"this.i", "int"},
      {"b.y", "int"},
      {"arr[0]", "int[]"},
      {"arr[0][1]", "int"},
      {"arr.length", "int"},
      {"mk()", "B"},
      {"mk().z", "int"},
      {"arr2()", "int[]"},
      {"arr2()[0]", "int"},
      {"q(1)", "int"},
      {"q(1L)", "int"},  // the L literal is an int: q(int) is chosen
      {"q(l)", "String"},
      {"new int[3][]", "int[][]"},
      {"new B[2]", "B[]"},
      {"(int[]) o", "int[]"},
      {"(B[]) o", "B[]"},
      {"(long) i", "long"},
      {"(B) o", "B"},
      {"T.class", "Class"},
      {"int.class", "Class"},
      {"void.class", "Class"},
      {"int[].class", "Class"},
      {"T[][].class", "Class"},
      {"i++", "int"},
      {"i--", "int"},
      {"++ch", "char"},
      {"--l", "long"},
      {"super.hashCode()", "int"},
      {"i = 2", "int"},
      {"p = b", "A"},
  };
  std::string body;
  for (size_t k = 0; k < std::size(rows); ++k) {
    body.append("    Object e").append(std::to_string(k)).append(" = ").append(rows[k].expression).append(";\n");
  }
  SyntaxNode* unit = BuildUnit(Lang + Classes +
                               "class T {\n"
                               "  byte by; short sh; char ch; int i; long l; float f; double d; boolean bo;\n"
                               "  int[][] arr; Object o; B b; A p;\n"
                               "  B mk() { return b; }\n"
                               "  int arr2()[] { return null; }\n"
                               "  int q(int x) { return x; }\n"
                               "  String q(long x) { return null; }\n"
                               "  void m() {\n" +
                               body +
                               "  }\n}\n"
                               "class U extends T {\n"
                               "  void n() { Object s0 = super.l; Object s1 = U.super.ch; Object s2 = super.arr; }\n"
                               "}\n");
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(InitializerType(unit, "s0"), "long");
  EXPECT_EQ(InitializerType(unit, "s1"), "char");
  EXPECT_EQ(InitializerType(unit, "s2"), "int[][]");
  for (size_t k = 0; k < std::size(rows); ++k) {
    std::string name = std::string("e").append(std::to_string(k));
    EXPECT_EQ(InitializerType(unit, name), rows[k].type) << rows[k].expression;
  }
}

TEST_F(Types, PromotionTable) {
  SyntaxNode* unit = BuildUnit(Lang + Classes);
  ASSERT_NE(unit, nullptr);
  TypeValue byteType = NewByteTypeNode(0), shortType = NewShortTypeNode(0);
  TypeValue string = StandardType(StringClassType);
  TypeValue a = ClassTypeOfDeclaration(ClassNamed(unit, "A"));
  TypeValue b = ClassTypeOfDeclaration(ClassNamed(unit, "B"));
  TypeValue e = ClassTypeOfDeclaration(ClassNamed(unit, "E"));
  TypeValue ints = Type(IntType, 1), longs = Type(LongType, 1);
  struct Row {
    TypeValue t, u;
    const char* result;
  } rows[] = {
      {byteType, CharType, "char"},  // rank order, not value ranges
      {CharType, shortType, "short"},
      {shortType, byteType, "short"},
      {IntType, LongType, "long"},
      {LongType, IntType, "long"},
      {IntType, FloatType, "float"},
      {DoubleType, FloatType, "double"},
      {CharType, IntType, "int"},
      {IntType, IntType, "int"},
      {IntType, BooleanType, "boolean"},
      {BooleanType, IntType, "boolean"},
      {BooleanType, BooleanType, "boolean"},
      {string, IntType, "String"},
      {IntType, string, "String"},
      {string, string, "String"},
      {a, b, "A"},
      {b, a, "A"},
      {a, e, "int"},  // unrelated classes
      {string, BooleanType, "unknown"},
      {string, ints, "unknown"},
      {ints, IntType, "int[]"},
      {ints, ints, "int[]"},
      {ints, longs, "unknown"},
      {BooleanType, string, "unknown"},
      {UnknownType, UnknownType, "int"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(TypeText(PromoteTypes(row.t, row.u)), row.result) << TypeText(row.t) << " ^ " << TypeText(row.u);
  }
}

TEST_F(Types, ConvertibilityTable) {
  SyntaxNode* unit = BuildUnit(Lang + Classes);
  ASSERT_NE(unit, nullptr);
  TypeValue byteType = NewByteTypeNode(0), shortType = NewShortTypeNode(0);
  TypeValue object = StandardType(ObjectClassType), string = StandardType(StringClassType);
  TypeValue cloneable = StandardType(CloneableClassType);
  auto classType = [&](const char* name) { return ClassTypeOfDeclaration(ClassNamed(unit, name)); };
  TypeValue a = classType("A"), b = classType("B"), c = classType("C"), d = classType("D"), e = classType("E");
  TypeValue i = classType("I");
  struct Row {
    TypeValue argument, parameter;
    bool convertible;
  } rows[] = {
      {IntType, IntType, true},
      {IntType, LongType, true},
      {LongType, IntType, false},
      {byteType, CharType, true},  // by rank
      {CharType, shortType, true},
      {IntType, DoubleType, true},
      {DoubleType, FloatType, false},
      {IntType, BooleanType, false},
      {BooleanType, IntType, false},
      {BooleanType, BooleanType, true},
      {IntType, a, false},
      {Type(IntType, 1), object, true},
      {Type(IntType, 1), cloneable, true},
      {Type(IntType, 1), string, false},
      {Type(IntType, 1), Type(IntType, 1), true},
      {Type(IntType, 1), Type(LongType, 1), false},
      {Type(b, 1), Type(a, 1), true},  // element classes convert
      {Type(a, 1), Type(b, 1), false},
      {Type(b, 2), Type(a, 1), false},
      {Type(b, 1), object, true},
      {b, a, true},
      {a, b, false},
      {a, a, true},
      {b, object, true},  // through the implicit superclass
      {string, object, true},
      {c, i, true},   // its own implements clause
      {d, i, false},  // an inherited implements clause does not count
      {d, c, true},
      {e, a, false},
      {object, b, true},  // the type of null
      {object, Type(IntType, 1), true},
      {a, Type(IntType, 1), false},
      {a, IntType, false},
      {UnknownType, UnknownType, false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(IsConvertible(row.argument, row.parameter), row.convertible)
        << TypeText(row.argument) << " -> " << TypeText(row.parameter);
  }
}

TEST_F(Types, AddingAndRemovingDimensions) {
  SyntaxNode* unit = BuildUnit(Lang + Classes);
  ASSERT_NE(unit, nullptr);
  TypeValue b = ClassTypeOfDeclaration(ClassNamed(unit, "B"));
  struct Row {
    TypeValue type;
    int32_t dimensions;
    const char* result;
  } rows[] = {
      {Type(IntType, 2), -1, "int[]"}, {Type(IntType, 1), -1, "int"}, {IntType, -1, "unknown"},
      {IntType, 2, "int[][]"},         {Type(IntType, 1), 2, "int[][][]"}, {Type(IntType, 1), -2, "unknown"},
      {b, 1, "B[]"},                   {Type(b, 2), -2, "B"},           {b, -1, "unknown"},
      {BooleanType, 1, "boolean[]"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(TypeText(Type(row.type, row.dimensions)), row.result) << TypeText(row.type) << " " << row.dimensions;
  }
  EXPECT_EQ(Type(b, 0), b);
}

TEST_F(Types, SameTypeByCanonicalDeclaration) {
  SyntaxNode* unit = BuildUnit(Lang + "class A { }\nclass A { }\nclass B { }\n");
  ASSERT_NE(unit, nullptr);
  TypeValue first = ClassTypeOfDeclaration(ClassNamed(unit, "A", 0));
  TypeValue second = ClassTypeOfDeclaration(ClassNamed(unit, "A", 1));
  EXPECT_TRUE(SameType(first, second));
  EXPECT_TRUE(SameType(Type(first, 2), Type(second, 2)));
  EXPECT_FALSE(SameType(Type(first, 2), Type(second, 1)));
  EXPECT_FALSE(SameType(first, ClassTypeOfDeclaration(ClassNamed(unit, "B"))));
  EXPECT_TRUE(SameType(IntType, NewIntTypeNode(0)));
  EXPECT_FALSE(SameType(IntType, LongType));
  EXPECT_FALSE(SameType(Type(IntType, 1), Type(LongType, 1)));
  // The unknown type is the same type as nothing, not even itself.
  EXPECT_FALSE(SameType(UnknownType, UnknownType));
  EXPECT_FALSE(SameType(UnknownType, first));
}

TEST_F(Types, SubclassesAcrossUnitsAndThroughACycle) {
  SyntaxNode* lang = BuildUnit(Lang + "class Base { }\n");
  ASSERT_NE(lang, nullptr);
  SyntaxNode* object = ClassNamed(lang, "Object");
  ASSERT_EQ(reinterpret_cast<SyntaxNode*>(ForceLazyCell(&JavaLangObject)), object);
  SyntaxNode* unit = BuildUnit(
      "class P extends Q { }\n"
      "class Q extends P { }\n"
      "class R { }\n"
      "class S extends R { }\n"
      "class Base { }\n"
      "interface J { }\n");
  ASSERT_NE(unit, nullptr);
  SyntaxNode* p = ClassNamed(unit, "P");
  SyntaxNode* q = ClassNamed(unit, "Q");
  SyntaxNode* r = ClassNamed(unit, "R");
  SyntaxNode* s = ClassNamed(unit, "S");
  // Classes without extends reach the Object of the unit that declared it.
  EXPECT_TRUE(IsSubclassOf(r, object));
  EXPECT_TRUE(IsSubclassOf(s, object));
  EXPECT_TRUE(IsSubclassOf(s, r));
  EXPECT_FALSE(IsSubclassOf(r, s));
  EXPECT_TRUE(IsSubclassOf(r, r));
  // A class of the same name in another unit is another class.
  EXPECT_FALSE(IsSubclassOf(ClassNamed(unit, "Base"), ClassNamed(lang, "Base")));
  EXPECT_FALSE(IsSubclassOf(object, r));
  // The cycle P -> Q -> P ends the walk.
  EXPECT_TRUE(IsSubclassOf(p, q));
  EXPECT_TRUE(IsSubclassOf(q, p));
  EXPECT_FALSE(IsSubclassOf(p, r));
  EXPECT_FALSE(IsSubclassOf(p, object));
  // Only class declarations take part.
  EXPECT_FALSE(IsSubclassOf(ClassNamed(unit, "J"), object));
  EXPECT_FALSE(IsSubclassOf(r, ClassNamed(unit, "J")));
  EXPECT_FALSE(IsSubclassOf(nullptr, r));
}

TEST_F(Types, StandardClassesOfAnotherUnitAreUnknown) {
  // The first unit to need them does not declare them: unknown for the run.
  SyntaxNode* unit = BuildUnit("class A { Object v = \"s\"; Object w = null; }\n");
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(InitializerType(unit, "v"), "unknown");
  EXPECT_EQ(InitializerType(unit, "w"), "unknown");
  EXPECT_EQ(StandardType(ObjectClassType), UnknownType);
  SyntaxNode* lang = BuildUnit(Lang);
  ASSERT_NE(lang, nullptr);
  EXPECT_EQ(StandardType(StringClassType), UnknownType);
  EXPECT_EQ(ForceLazyCell(&JavaLangObject), Word{0});
}

TEST_F(Types, StandardTypesOfTheCurrentUnit) {
  // Each cell looks in the unit current at its first forcing: a java.util
  // unit declares Hashtable, and a class named Cloneable is no interface.
  SyntaxNode* unit = BuildUnit("package java.util;\nclass Hashtable { }\n");
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(DeclarationOfType(StandardType(HashtableClassType)), ClassNamed(unit, "Hashtable"));
  EXPECT_EQ(StandardType(IntegerClassType), UnknownType);
  ForgetStandardClasses();
  unit = BuildUnit(
      "package java.lang;\n"
      "class Boolean { } class Byte { } class Character { } class Double { } class Error { }\n"
      "class Exception { } class Float { } class Integer { } class Long { } class RuntimeException { }\n"
      "class Short { } class Throwable { } class Class { } class Object { } class String { }\n"
      "class StringBuffer { } class Cloneable { } interface Hashtable { }\n");
  ASSERT_NE(unit, nullptr);
  struct Row {
    LazyCell* cell;
    const char* name;  // null: not found
  } rows[] = {
      {&BooleanClassType, "Boolean"},   {&ByteClassType, "Byte"},
      {&CharacterClassType, "Character"}, {&DoubleClassType, "Double"},
      {&ErrorClassType, "Error"},       {&ExceptionClassType, "Exception"},
      {&FloatClassType, "Float"},       {&IntegerClassType, "Integer"},
      {&LongClassType, "Long"},         {&RuntimeExceptionClassType, "RuntimeException"},
      {&ShortClassType, "Short"},       {&ThrowableClassType, "Throwable"},
      {&ClassClassType, "Class"},       {&ObjectClassType, "Object"},
      {&StringClassType, "String"},     {&StringBufferClassType, "StringBuffer"},
      {&CloneableClassType, nullptr},   {&HashtableClassType, nullptr},
  };
  for (const Row& row : rows) {
    TypeValue type = StandardType(*row.cell);
    if (row.name == nullptr) {
      EXPECT_EQ(type, UnknownType);
      continue;
    }
    EXPECT_EQ(DeclarationOfType(type), ClassNamed(unit, row.name)) << row.name;
    EXPECT_EQ(StandardType(*row.cell), type) << "computed once: " << row.name;
  }
}

// The MethodDeclaratorNode that the index-th invocation of the block resolves
// to, as "name@line-position" text for the table below.
std::string Resolved(SyntaxNode* unit, int32_t code, int index) {
  SyntaxNode* invocation = FindCode(unit, code, index);
  if (invocation == nullptr) return "(none)";
  SyntaxNode* method = ResolveMethodInvocation(invocation);
  if (method == nullptr) return "null";
  SyntaxNode* owner = EnclosingClassDeclaration(method);
  return Text(DeclaredName(owner)) + "." + Text(DeclaredName(method)) + "(" +
         [&] {
           std::string params;
           AnyNode* m = FindAncestor(method->owner, MakeClosure(+[](AnyNode* any) -> int32_t {
                                       return any != nullptr && any->kind == MethodDeclarationNodeKind;
                                     }));
           for (ConsList rest = NodeList(NodeChild(NodeChild(m->node, 1), 0), 0); rest != nullptr; rest = rest->tail) {
             if (!params.empty()) params += ",";
             params += TypeText(TypeOfVariable(NodeChild(static_cast<SyntaxNode*>(rest->head), 2)));
           }
           return params;
         }() +
         ")";
}

TEST_F(Types, MethodResolution) {
  SyntaxNode* unit = BuildUnit(Lang + Classes +
                               "class M {\n"
                               "  void f(long x) { }\n"
                               "  void f(int x) { }\n"
                               "  void g(long x) { }\n"
                               "  void h(A a) { }\n"
                               "  void k(B b) { }\n"
                               "  void n(int[] a) { }\n"
                               "  void n(Object o) { }\n"
                               "  void m() {\n"
                               "    f(1);\n"          // 0: identical before convertible
                               "    g(1);\n"          // 1: int converts to long
                               "    f(1, 2);\n"       // 2: no arity matches
                               "    h(new B());\n"    // 3: B converts to A
                               "    k(new A());\n"    // 4: A does not convert to B
                               "    k(null);\n"       // 5: null converts to every class
                               "    n(new int[1]);\n" // 6
                               "    n(\"s\");\n"      // 7: String converts to Object
                               "    g(true);\n"       // 8
                               "    undeclared(1);\n" // 9
                               "  }\n"
                               "}\n"
                               "class Base { int inh(int a) { return a; } }\n"
                               "class Derived extends Base {\n"
                               "  void inh(long a) { }\n"
                               "  void t() { inh(1); inh(1.5); }\n"  // 10, 11
                               "}\n");
  ASSERT_NE(unit, nullptr);
  const char* expected[] = {
      "M.f(int)", "M.g(long)", "null",        "M.h(A)", "null", "M.k(B)",
      "M.n(int[])", "M.n(Object)", "null", "null", "Base.inh(int)", "null",
  };
  for (int k = 0; k < static_cast<int>(std::size(expected)); ++k) {
    EXPECT_EQ(Resolved(unit, NameMethodInvocationNodeKind, k), expected[k]) << "invocation " << k;
  }
}

TEST_F(Types, QualifiedInvocationsAndInheritedMethods) {
  SyntaxNode* unit = BuildUnit(Lang + Classes +
                               "class Base { int inh(long a) { return 1; } }\n"
                               "class M extends Base {\n"
                               "  String f(int x) { return null; }\n"
                               "  M self() { return this; }\n"
                               "  void m() {\n"
                               "    this.inh(1);\n"
                               "    super.inh(2);\n"
                               "    self().f(3);\n"
                               "    Object v = self().f(1).length();\n"
                               "    Object w = this.inh(1);\n"
                               "  }\n"
                               "}\n");
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(Resolved(unit, ThisMethodInvocationNodeKind, 0), "Base.inh(long)");
  EXPECT_EQ(Resolved(unit, SuperMethodInvocationNodeKind, 0), "Base.inh(long)");
  EXPECT_EQ(Resolved(unit, PrimaryMethodInvocationNodeKind, 0), "M.f(int)");
  // The result of f is a String, whose length() is found through its type.
  EXPECT_EQ(Resolved(unit, PrimaryMethodInvocationNodeKind, 1), "String.length()");
  EXPECT_EQ(InitializerType(unit, "v"), "int");
  EXPECT_EQ(InitializerType(unit, "w"), "int");
}

TEST_F(Types, ArrayTypesAndLength) {
  SyntaxNode* unit = BuildUnit(Lang + Classes +
                               "class T {\n"
                               "  int[] a[];\n"
                               "  B[] bs;\n"
                               "  Object o;\n"
                               "  void m(int p[]) {\n"
                               "    int local[][] = null;\n"
                               "    Object v0 = a.length;\n"
                               "    Object v1 = a[0].length;\n"
                               "    Object v2 = bs[0].z;\n"
                               "    Object v3 = ((int[]) o).length;\n"
                               "    Object v4 = new int[3].length;\n"
                               "    Object v5 = p.length;\n"
                               "    Object v6 = local[1];\n"
                               "    Object v7 = a;\n"
                               "    Object v8 = a.hashCode();\n"
                               "  }\n"
                               "}\n");
  ASSERT_NE(unit, nullptr);
  // Brackets after the name add to the written type's.
  EXPECT_EQ(InitializerType(unit, "v7"), "int[][]");
  EXPECT_EQ(InitializerType(unit, "v6"), "int[]");
  EXPECT_EQ(InitializerType(unit, "v2"), "int");
  for (const char* name : {"v0", "v1", "v3", "v4", "v5"}) {
    EXPECT_EQ(InitializerType(unit, name), "int") << name;
    // a.length and p.length are qualified names, the others field accesses.
    SyntaxNode* access = NodeChild(NodeChild(InitializerOf(unit, name), 0), 0);
    ASSERT_TRUE(access->code == PrimaryFieldAccessNodeKind || access->code == QualifiedNameNodeKind) << name;
    EXPECT_EQ(FirstElement(DefinitionsOfName(access)), ArrayLengthDeclarator) << name;
  }
  // The members of an array type include those of Object.
  EXPECT_EQ(InitializerType(unit, "v8"), "int");
}

TEST_F(Types, CastToANamedTypeTakesTheParenthesisedType) {
  SyntaxNode* unit = BuildUnit(Lang +
                               "class A { int y; }\n"
                               "class B { long y; int only; }\n"
                               "class T {\n"
                               "  A p;\n"
                               "  void m() {\n"
                               "    Object v = (B) p;\n"
                               "    Object w = ((B) p).y;\n"
                               "    Object x = ((B) p).only;\n"
                               "    Object z = ((A) p).only;\n"
                               "  }\n"
                               "}\n");
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(InitializerType(unit, "v"), "B");
  EXPECT_EQ(InitializerType(unit, "w"), "long");
  EXPECT_EQ(InitializerType(unit, "x"), "int");
  SyntaxNode* b = ClassNamed(unit, "B");
  SyntaxNode* y = Find(unit, PrimaryFieldAccessNodeKind, "y");
  ASSERT_NE(y, nullptr);
  EXPECT_EQ(EnclosingClassDeclaration(VariableOfName(y)), b);
  // Through (A) the member of B is not found.
  EXPECT_EQ(DefinitionsOfName(Find(unit, PrimaryFieldAccessNodeKind, "only", 1)), nullptr);
}

TEST_F(Types, NodeKindsOfDeclarations) {
  SyntaxNode* unit = BuildUnit(Lang + Classes +
                               "class T {\n"
                               "  int[] f[], g;\n"
                               "  B mk()[] { return null; }\n"
                               "  void v() { }\n"
                               "  void m(long p) { int loc; }\n"
                               "}\n"
                               "interface K { int abs(); }\n");
  ASSERT_NE(unit, nullptr);
  auto declared = [&](const char* name) {
    return TypeText(TypeOfDeclaration(Find(unit, DeclaratorIdentifierNodeKind, name)));
  };
  EXPECT_EQ(declared("f"), "int[][]");
  EXPECT_EQ(declared("g"), "int[]");
  EXPECT_EQ(declared("p"), "long");
  EXPECT_EQ(declared("loc"), "int");
  auto result = [&](const char* name) {
    return TypeText(TypeOfDeclaration(Find(unit, MethodDeclaratorNodeKind, name)));
  };
  EXPECT_EQ(result("mk"), "B[]");
  EXPECT_EQ(result("v"), "unknown");
  EXPECT_EQ(result("abs"), "unknown");  // abstract methods have no result type here
  EXPECT_EQ(TypeText(TypeOfDeclaration(ClassNamed(unit, "B"))), "B");
  EXPECT_EQ(TypeText(TypeOfDeclaration(nullptr)), "unknown");
  // By AnyNode: a field declaration gives its written type unchanged.
  AnyNode* field = EnclosingVariableDeclaration(Find(unit, DeclaratorIdentifierNodeKind, "f"));
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(TypeText(Type(field)), "int[]");
  EXPECT_EQ(TypeText(TypeOfNode(nullptr)), "unknown");
}

TEST(TypesInternalError, NodeOutsideItsFamily) {
  InitOnce();
  SyntaxNode* notAnExpression = NewIntTypeNode(0);
  EXPECT_EXIT(TypeOfExpression(notAnExpression), ::testing::ExitedWithCode(1),
              "^Internal error: \"Types\", line [0-9]+   Type error occurred\n$");
  EXPECT_EXIT(PromoteTypes(IntType, nullptr), ::testing::ExitedWithCode(1),
              "^Internal error: \"Types\", line [0-9]+   Type error occurred\n$");
}

}  // namespace
