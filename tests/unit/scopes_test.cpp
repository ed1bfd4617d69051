// Scopes and environments over hand-built units: which declarations each
// name occurrence resolves to (blocks, for, catch, labels, class bodies with
// inherited and interface members, this, anonymous class bodies, imports,
// header sections), shadowing order, and the inheritance cycle guard.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "java/tree/builder.h"
#include "java/tree/scopes.h"
#include "java/tree/treeprint.h"
#include "tree_trace.h"

using namespace treetrace;

namespace {

// ---- Derivation pieces (BlockStatement, ClassBodyDeclaration, ... level) ----

D IntType() { return D() << 30 << 32 << 34 << 38; }
D SimpleName() { return D() << 54 << 56; }
D NamedType() { return D() << 31 << 43 << 45 << SimpleName(); }  // Type => Name

// A list of a _MORE nonterminal: single and recursive production numbers.
D List(int32_t single, int32_t more, const std::vector<D>& items) {
  D out;
  for (size_t i = 0; i < items.size(); ++i) out << (i + 1 == items.size() ? single : more) << items[i];
  return out;
}

D Block(const std::vector<D>& statements) {
  D out = D() << 158 << 159;
  if (statements.empty()) return out << 436;
  return out << 435 << List(463, 464, statements);
}

// int v;  or  T v;  as a block statement (tokens: type, v, ;).
D LocalVar(const D& type) { return D() << 160 << 165 << 167 << type << 427 << 107 << 108 << 111 << 112 << 474; }
// x = 1;  as a statement (tokens: x = 1 ;).
D AssignStatement() {
  return D() << 169 << 185 << 201 << 202 << 393 << 394 << SimpleName() << 397
             << Chain("AssignmentExpression", "Literal") << 14 << 20;
}
D Assign() { return D() << 162 << AssignStatement(); }
// this.x = 1;
D ThisAssign() {
  return D() << 162 << 169 << 185 << 201 << 202 << 393 << 395 << 281 << 285 << 397
             << Chain("AssignmentExpression", "Literal") << 14 << 20;
}
D NestedBlock(const std::vector<D>& statements) { return D() << 162 << 169 << 183 << Block(statements); }
// for (int i; i; i = 1) x = 1;
D For() {
  return D() << 162 << 174 << 220 << 221 << 495 << 225 << 167 << IntType() << 427 << 107 << 108 << 111
             << 112 << 474 << 493 << NameExpression() << 491 << 227 << 228 << 441 << 202 << 393 << 394
             << SimpleName() << 397 << Chain("AssignmentExpression", "Literal") << 14 << 20 << AssignStatement();
}
// try { ... } catch (T e) { ... }
D TryCatch(const std::vector<D>& tried, const std::vector<D>& handler) {
  return D() << 162 << 169 << 193 << 235 << 237 << Block(tried) << 239 << 443 << 240 << 123 << 478 << NamedType()
             << 108 << 111 << 112 << Block(handler);
}
// L: { ... }  and  break L;
D Labeled(const std::vector<D>& statements) {
  return D() << 162 << 170 << 180 << 199 << 169 << 183 << Block(statements);
}
D Break() { return D() << 162 << 169 << 188 << 229 << 497 << 230; }
// new A() { members };
D Anonymous(const std::vector<D>& members) {
  D out = D() << 162 << 169 << 185 << 201 << 208 << 266 << 270 << 46 << SimpleName() << 480 << 501 << 97;
  if (members.empty()) return out << 426;
  return out << 425 << List(459, 460, members);
}

// Class body members: T v;  and  void m() { ... }
D Field(const D& type) { return D() << 98 << 104 << 106 << 422 << type << 427 << 107 << 108 << 111 << 112 << 474; }
D Method(const std::vector<D>& statements) {
  return D() << 98 << 105 << 115 << 119 << 121 << 422 << 122 << 116 << 117 << 432 << 430 << 476 << 125 << 127
             << Block(statements);
}
D MemberClass(const D& classDeclaration) { return D() << 102 << 103 << 79 << classDeclaration; }

// class N [extends S] [implements I] { members }  (ClassOrInterfaceDeclaration level)
D Class(const std::optional<D>& super, const std::optional<D>& interfaces, const std::vector<D>& members) {
  D out = D() << 81 << 94 << 422;
  if (super) {
    out << 471 << 95 << 46 << *super;
  } else {
    out << 472;
  }
  if (interfaces) {
    out << 469 << 96 << 423 << 49 << 45 << *interfaces;
  } else {
    out << 470;
  }
  out << 97;
  if (members.empty()) return out << 426;
  return out << 425 << List(459, 460, members);
}
// interface N { T v; ... }
D Interface(const std::vector<D>& constants) {
  D out = D() << 82 << 143 << 422 << 482 << 145;
  if (constants.empty()) return out << 438;
  std::vector<D> items;
  for (const D& c : constants) items.push_back(D() << 146 << 149 << 106 << 422 << c << 427 << 107 << 108 << 111 << 112 << 474);
  return out << 437 << List(465, 466, items);
}

D Unit(const std::vector<D>& types) {
  D out = UnitOpen() << 420;
  if (types.empty()) return out << 418;
  std::vector<D> items;
  for (const D& t : types) items.push_back(D() << 79 << t);
  return out << 417 << List(455, 456, items);
}

// ---- Reading NameResolutionText ----

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// "<Kind> @<pos>" of the k-th defining occurrence of name made by kind.
std::string Def(const std::string& text, const std::string& kind, const std::string& name, int k = 0) {
  for (const std::string& line : Lines(text)) {
    if (line.find(" " + kind + " defining " + name + " ->") == std::string::npos) continue;
    if (k-- == 0) return kind + " " + line.substr(0, line.find(' '));
  }
  return "(no defining " + name + ")";
}

// What the k-th applied occurrence of name resolves to.
std::string Use(const std::string& text, const std::string& name, int k = 0) {
  for (const std::string& line : Lines(text)) {
    size_t at = line.find(" applied " + name + " -> ");
    if (at == std::string::npos) continue;
    if (k-- == 0) return line.substr(at + name.size() + 13);
  }
  return "(no use of " + name + ")";
}

std::string Names(const D& unit, const std::vector<std::string>& names, std::vector<std::string> literals = {}) {
  TreeRoot* root = Build(unit, Values{names, literals});
  if (root == nullptr) return "";
  SyntaxNode* file = RootNode(root);
  SetCurrentUnit(file);
  return NameResolutionText(file);
}

// ---- Tests ----

// class A { int x; void m() { x = 1; int x; { int y; } y = 1; } }
TEST(Scopes, BlockScopeCoversTheWholeBlockAndNotNestedBlocks) {
  std::string t = Names(Unit({Class({}, {}, {Field(IntType()), Method({Assign(), LocalVar(IntType()),
                                                                       NestedBlock({LocalVar(IntType())}), Assign()})})}),
                        {"A", "x", "m", "x", "x", "y", "y"}, {"1", "1"});
  // The use before the local declaration finds the local first, then the field.
  EXPECT_EQ(Use(t, "x"), Def(t, "DeclaratorIdentifierNode", "x", 1) + ", " + Def(t, "DeclaratorIdentifierNode", "x", 0));
  EXPECT_EQ(Use(t, "y"), "none");
}

// class A { void m() { for (int i; i; i = 1) x = 1; i = 1; } int x; }
TEST(Scopes, ForInitializerIsVisibleInsideTheForOnly) {
  std::string t = Names(Unit({Class({}, {}, {Method({For(), Assign()}), Field(IntType())})}),
                        {"A", "m", "i", "i", "i", "x", "i", "x"}, {"1", "1", "1"});
  std::string i = Def(t, "DeclaratorIdentifierNode", "i");
  EXPECT_EQ(Use(t, "i", 0), i);  // condition
  EXPECT_EQ(Use(t, "i", 1), i);  // update
  EXPECT_EQ(Use(t, "x", 0), Def(t, "DeclaratorIdentifierNode", "x"));
  EXPECT_EQ(Use(t, "i", 2), "none");  // after the for statement
}

// class A { void m() { e = 1; try { e = 1; } catch (A e) { e = 1; } } }
TEST(Scopes, CatchParameterBelongsToTheEnclosingBlock) {
  std::string t = Names(Unit({Class({}, {}, {Method({Assign(), TryCatch({Assign()}, {Assign()})})})}),
                        {"A", "m", "e", "e", "A", "e", "e"}, {"1", "1", "1"});
  std::string e = Def(t, "DeclaratorIdentifierNode", "e");
  for (int k = 0; k < 3; ++k) EXPECT_EQ(Use(t, "e", k), e) << k;
  EXPECT_EQ(Use(t, "A"), Def(t, "ClassDeclarationNode", "A"));
}

// class A { void m() { L: { break L; } break L; } }
TEST(Scopes, LabelsAreVisibleInTheEnclosingBlock) {
  std::string t = Names(Unit({Class({}, {}, {Method({Labeled({Break()}), Break()})})}), {"A", "m", "L", "L", "L"});
  std::string label = Def(t, "LabeledStatementNode", "L");
  EXPECT_EQ(Use(t, "L", 0), label);
  EXPECT_EQ(Use(t, "L", 1), label);
}

// class B { int f; int g; }  class A extends B { int g; void m() { f = 1; g = 1; } }
TEST(Scopes, ClassBodySeesOwnMembersBeforeInheritedOnes) {
  std::string t = Names(Unit({Class({}, {}, {Field(IntType()), Field(IntType())}),
                              Class(SimpleName(), {}, {Field(IntType()), Method({Assign(), Assign()})})}),
                        {"B", "f", "g", "A", "B", "g", "m", "f", "g"}, {"1", "1"});
  EXPECT_EQ(Use(t, "B"), Def(t, "ClassDeclarationNode", "B"));
  EXPECT_EQ(Use(t, "f"), Def(t, "DeclaratorIdentifierNode", "f"));
  EXPECT_EQ(Use(t, "g"), Def(t, "DeclaratorIdentifierNode", "g", 1) + ", " + Def(t, "DeclaratorIdentifierNode", "g", 0));
}

// interface I { int k; }  class A implements I { void m() { k = 1; } }
TEST(Scopes, ImplementedInterfaceMembersAreVisible) {
  std::string t = Names(Unit({Interface({IntType()}), Class({}, SimpleName(), {Method({Assign()})})}),
                        {"I", "k", "A", "I", "m", "k"}, {"1"});
  EXPECT_EQ(Use(t, "I"), Def(t, "InterfaceDeclarationNode", "I"));
  EXPECT_EQ(Use(t, "k"), Def(t, "DeclaratorIdentifierNode", "k"));
}

// class A { int x; void m() { int x; this.x = 1; } }
TEST(Scopes, ThisFieldAccessSearchesTheEnclosingClassOnly) {
  std::string t = Names(Unit({Class({}, {}, {Field(IntType()), Method({LocalVar(IntType()), ThisAssign()})})}),
                        {"A", "x", "m", "x", "x"}, {"1"});
  EXPECT_EQ(Use(t, "x"), Def(t, "DeclaratorIdentifierNode", "x", 0));
}

// class A { int x; int z; }
// class C { int y; int z; void m() { new A() { int y; void f() { x = 1; y = 1; z = 1; } }; } }
TEST(Scopes, AnonymousClassBodySeesItsOwnThenTheTypesThenOuterNames) {
  D body = Method({Assign(), Assign(), Assign()});
  std::string t = Names(Unit({Class({}, {}, {Field(IntType()), Field(IntType())}),
                              Class({}, {}, {Field(IntType()), Field(IntType()),
                                             Method({Anonymous({Field(IntType()), body})})})}),
                        {"A", "x", "z", "C", "y", "z", "m", "A", "y", "f", "x", "y", "z"}, {"1", "1", "1"});
  EXPECT_EQ(Use(t, "A"), Def(t, "ClassDeclarationNode", "A"));
  EXPECT_EQ(Use(t, "x"), Def(t, "DeclaratorIdentifierNode", "x"));
  // y: the body's own field, then C's.
  EXPECT_EQ(Use(t, "y"), Def(t, "DeclaratorIdentifierNode", "y", 1) + ", " + Def(t, "DeclaratorIdentifierNode", "y", 0));
  // z: A's member before C's.
  EXPECT_EQ(Use(t, "z"), Def(t, "DeclaratorIdentifierNode", "z", 0) + ", " + Def(t, "DeclaratorIdentifierNode", "z", 1));
}

// class A extends B {}  class B extends A { void m() { q = 1; } }: the
// members of a cycle are computed once around it and the lookups end.
TEST(Scopes, InheritanceCycleTerminates) {
  std::string t = Names(Unit({Class(SimpleName(), {}, {}), Class(SimpleName(), {}, {Method({Assign()})})}),
                        {"A", "B", "B", "A", "m", "q"}, {"1"});
  EXPECT_EQ(Use(t, "B"), Def(t, "ClassDeclarationNode", "B"));
  EXPECT_EQ(Use(t, "A"), Def(t, "ClassDeclarationNode", "A"));
  EXPECT_EQ(Use(t, "q"), "none");
  EXPECT_EQ(InheritanceGuard, nullptr);
}

// class A extends A.B { class B {} }: resolving B in A.B needs the members
// of A, which need A's superclass A.B again; the inner forcing of the cell
// under computation yields nothing and the outer one finds B.
TEST(Scopes, CellForcedWhileBeingComputedYieldsItsEmptyValue) {
  int64_t reentries = BuilderCounters.reentries;
  std::string t = Names(Unit({Class(D() << 55 << 57 << SimpleName(), {}, {MemberClass(Class({}, {}, {}))})}),
                        {"A", "A", "B", "B"});
  EXPECT_EQ(Use(t, "A"), Def(t, "ClassDeclarationNode", "A"));
  EXPECT_EQ(Use(t, "B"), Def(t, "ClassDeclarationNode", "B"));
  EXPECT_GT(BuilderCounters.reentries, reentries);
}

// package p; import p.C; import p.*; class C {}
TEST(Scopes, ImportsOfTheUnitsOwnPackage) {
  D unit = D() << 13 << 414 << 61 << 63 << 64 << 66 << 68 << 69 << 419 << 454 << 70 << 72 << 76 << 78 << 75 << 77
               << 453 << 70 << 71 << 73 << 75 << 77 << 74 << 417 << 455 << 79 << Class({}, {}, {});
  std::string t = Names(unit, {"p", "p", "C", "p", "C"});
  std::string p = Def(t, "PackageDeclarationNode", "p");
  EXPECT_EQ(Use(t, "p", 0), p);
  EXPECT_EQ(Use(t, "p", 1), p);
  EXPECT_EQ(Use(t, "C"), Def(t, "ClassDeclarationNode", "C"));
  EXPECT_EQ(Def(t, "ClassDeclarationNode", "C").empty(), false);
  // The class's own defining lookup lists it once although both imports bring it in.
  for (const std::string& line : Lines(t)) {
    if (line.find("defining C ->") != std::string::npos) {
      EXPECT_EQ(line.substr(line.find("-> ") + 3), Def(t, "ClassDeclarationNode", "C"));
    }
  }
}

// ### \a { \b {1} } \c {a.b}
TEST(Scopes, HeaderSectionEntriesAndQualifiedHeaderNames) {
  D unit = D() << 13 << 413 << 451 << 1 << 2 << 411 << 450 << 3 << 5 << 2 << 411 << 449 << 3 << 4 << 6 << 8 << 14
               << 20 << 449 << 3 << 4 << 7 << 10 << 12 << 9 << 11 << 62 << 69 << 420 << 418;
  TreeRoot* root = Build(unit, Values{{"a", "b", "c", "a", "b"}, {"1"}});
  ASSERT_NE(root, nullptr);
  SyntaxNode* file = RootNode(root);
  EXPECT_EQ(DefinitionSetText(reinterpret_cast<DefinitionSet*>(ForceLazyCell(&root->env))), "{entry a, entry c}");
  std::string t = NameResolutionText(file);
  EXPECT_EQ(Use(t, "a"), Def(t, "ZEB_AttributeDefinitionNode", "a"));
  EXPECT_EQ(Use(t, "b"), Def(t, "ZEB_AttributeDefinitionNode", "b"));
  EXPECT_EQ(SyntaxTreeText(file),
            "SourceFileNode @10\n"
            "  _OPT_MOREZEB_Section: [1]\n"
            "    ZEB_SectionNode @10\n"
            "      ZEB_Configuration: ZEB_ConfigurationNode @20\n"
            "        _OPT_MOREZEB_AttributeDefinition: [2]\n"
            "          ZEB_AttributeDefinitionNode @20\n"
            "            Identifiersym: defining a\n"
            "            ZEB_AttributeValue: ZEB_ConfigurationNode @50\n"
            "              _OPT_MOREZEB_AttributeDefinition: [1]\n"
            "                ZEB_AttributeDefinitionNode @50\n"
            "                  Identifiersym: defining b\n"
            "                  ZEB_AttributeValue: ZEB_LiteralValueNode @80\n"
            "                    Literal: IntegerLiteralNode @80\n"
            "                      IntegerLiteralsym: 1\n"
            "                  inner definitions: {}\n"
            "            inner definitions: {entry b}\n"
            "          ZEB_AttributeDefinitionNode @110\n"
            "            Identifiersym: defining c\n"
            "            ZEB_AttributeValue: ZEB_QualifiedNameNode @140\n"
            "              ZEB_Name: ZEB_SimpleNameNode @140\n"
            "                Identifiersym: applied a\n"
            "              Identifiersym: applied b\n"
            "            inner definitions: {}\n"
            "  CompilationUnit: UnpackagedUnitNode @180\n"
            "    _OPT_MOREImportDeclaration: [0]\n"
            "    _OPT_MORETypeDeclaration: [0]\n");
}

// A unit that declares java.lang.Object gives arrays and every class its
// members; the field "length" of arrays is always there.
TEST(Scopes, StandardObjectAndArrayLength) {
  InitRuntimeOnce();
  SetCurrentUnit(nullptr);
  EXPECT_EQ(ArrayMembers(), ArrayLengthDefinitions);  // no Object: "length" only
  EXPECT_EQ(DefinitionSetText(ArrayLengthDefinitions), "{variable length}");
  AnyNode* owner = ArrayLengthDeclarator->owner;
  ASSERT_NE(owner, nullptr);
  EXPECT_EQ(owner->kind, SimpleDeclaratorIdNodeKind);
  SyntaxNode* field = owner->node->owner->node->owner->node;
  EXPECT_EQ(field->code, FieldDeclarationNodeKind);
  EXPECT_EQ(NodeChild(field, 1)->code, IntTypeNodeLeaf);
}

// package a.b; class C {}: the unit declares a, a's body declares b, and the
// types lie in the scope of b.
TEST(Scopes, PackageComponentsNestTheirScopes) {
  D unit = D() << 13 << 414 << 61 << 63 << 64 << 65 << 67 << 64 << 66 << 68 << 69 << 420 << 417 << 455 << 79
               << Class({}, {}, {});
  TreeRoot* root = Build(unit, Values{{"a", "b", "C"}, {}});
  ASSERT_NE(root, nullptr);
  SyntaxNode* file = RootNode(root);
  EXPECT_EQ(SyntaxTreeText(file),
            "SourceFileNode @10\n"
            "  _OPT_MOREZEB_Section: [0]\n"
            "  CompilationUnit: PackagedUnitNode @10\n"
            "    PackageDeclaration: PackageDeclarationNode @20\n"
            "      Identifiersym: defining a\n"
            "      PackageBody: PackageDeclaration1Node @40\n"
            "        PackageDeclaration: PackageDeclarationNode @40\n"
            "          Identifiersym: defining b\n"
            "          PackageBody: UnpackagedUnit1Node @60\n"
            "            UnpackagedUnit: UnpackagedUnitNode @60\n"
            "              _OPT_MOREImportDeclaration: [0]\n"
            "              _OPT_MORETypeDeclaration: [1]\n"
            "                ClassDeclarationNode @60\n"
            "                  _OPT_MOREModifier: [0]\n"
            "                  Identifiersym: defining C\n"
            "                  _OPTSuper: null\n"
            "                  _OPTInterfaces: null\n"
            "                  ClassBody: ClassBodyNode @80\n"
            "                    _OPT_MOREClassBodyDeclaration: [0]\n"
            "                  inner definitions: {}\n"
            "          inner definitions: {class C}\n"
            "      inner definitions: {package b}\n");
  EXPECT_EQ(NameResolutionText(file),
            "@20 PackageDeclarationNode defining a -> PackageDeclarationNode @20\n"
            "@40 PackageDeclarationNode defining b -> PackageDeclarationNode @40\n"
            "@60 ClassDeclarationNode defining C -> ClassDeclarationNode @60\n");
  SetCurrentUnit(file);
  ConsList path = Cons(IdentifierOf("a"), Cons(IdentifierOf("b"), Cons(IdentifierOf("C"), nullptr)));
  ASSERT_NE(LookupPackagePath(path), nullptr);
  EXPECT_EQ(NodeName(static_cast<SyntaxNode*>(LookupPackagePath(path)->head)), std::string("ClassDeclarationNode"));
  EXPECT_EQ(LookupPackagePath(path->tail), nullptr);
}

// class A { int[] a; void m() { a.length = 1; } }
TEST(Scopes, ArrayLengthOfAnArrayField) {
  D field = D() << 98 << 104 << 106 << 422 << 31 << 44 << 50 << 52 << 32 << 34 << 38 << 415 << 427 << 107 << 108 << 111
                << 112 << 474;
  D statement = D() << 162 << 169 << 185 << 201 << 202 << 393 << 394 << 55 << 57 << SimpleName() << 397
                    << Chain("AssignmentExpression", "Literal") << 14 << 20;
  std::string t = Names(Unit({Class({}, {}, {field, Method({statement})})}), {"A", "a", "m", "a", "length"}, {"1"});
  EXPECT_EQ(Use(t, "a"), Def(t, "DeclaratorIdentifierNode", "a"));
  EXPECT_EQ(Use(t, "length"), "DeclaratorIdentifierNode @0");
}

// package java.lang; class Object { int hashCode; } class S { void m() { hashCode = 1; } }
// The standard classes are found once per run, in the unit current at their
// first use, so the test runs in a process of its own.
TEST(Scopes, ClassesInheritTheMembersOfObjectWhenTheUnitDeclaresIt) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        D unit = D() << 13 << 414 << 61 << 63 << 64 << 65 << 67 << 64 << 66 << 68 << 69 << 420 << 417 << 456 << 79
                     << Class({}, {}, {Field(IntType())}) << 455 << 79 << Class({}, {}, {Method({Assign()})});
        std::string t = Names(unit, {"java", "lang", "Object", "hashCode", "S", "m", "hashCode"}, {"1"});
        bool inherited = Use(t, "hashCode") == Def(t, "DeclaratorIdentifierNode", "hashCode");
        bool found = ForceLazyCell(&JavaLangObject) != 0;
        std::exit(inherited && found ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

// ListElement on name-component lists: an element by index, and the two
// internal errors of a null list and of an index past the end.
TEST(ScopesDeathTest, ListElementChecksItsList) {
  InitRuntimeOnce();
  int a = 0, b = 0;
  ConsList list = Cons(&a, Cons(&b, nullptr));
  EXPECT_EQ(ListElement(list, 1), &b);
  EXPECT_EQ(FirstElement(list), &a);
  EXPECT_EQ(FirstElement(nullptr), nullptr);
  EXPECT_EXIT(ListElement(nullptr, 0), testing::ExitedWithCode(1),
              "Internal error: \"Resolution\", line 70   Type error occurred");
  EXPECT_EXIT(ListElement(list, 2), testing::ExitedWithCode(1),
              "Internal error: \"Prelude\", line 321   Type error occurred");
}

}  // namespace
