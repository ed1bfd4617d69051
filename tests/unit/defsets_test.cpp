// Definitions and definition sets: the union's order and sharing, the
// identity of EmptyDefinitionSet, slot and group lookups, and what lookups
// force.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <unordered_set>
#include <set>
#include <vector>

#include "java/tree/defsets.h"
#include "java/tree/nodes.h"
#include "java/tree/treeprint.h"
#include "tree_trace.h"

using namespace treetrace;

namespace {

int32_t Forced = 0;

// A declaration cell that counts its forcings and yields the node it holds.
Word CountingDeclaration(LazyCell* cell) {
  ++Forced;
  return StoreLazyValue(cell, reinterpret_cast<Word>(cell->context));
}
LazyCell* DeclarationCell(SyntaxNode* node) { return NewLazyCell<Word>(node, CountingDeclaration); }

Identifier* Name(const char* text) { return IdentifierOf(text); }

// The names prefix0 to prefix(count - 1).
std::vector<Identifier*> NumberedNames(const char* prefix, int count) {
  std::vector<Identifier*> names;
  for (int i = 0; i < count; ++i) {
    char text[16];
    std::snprintf(text, sizeof text, "%s%d", prefix, i);
    names.push_back(Name(text));
  }
  return names;
}

SyntaxNode* Variable(const char* name) {
  return NewDeclaratorIdentifierNode(1, NewDefiningOccurrence(nullptr, Name(name)));
}
SyntaxNode* Class(const char* name) {
  return NewClassDeclarationNode(2, nullptr, NewDefiningOccurrence(nullptr, Name(name)), nullptr, nullptr,
                                 NewClassBodyNode(2, nullptr), EmptyDefinitionSet);
}

std::vector<void*> Elements(ConsList list) {
  std::vector<void*> out;
  for (; list != nullptr; list = list->tail) out.push_back(list->head);
  return out;
}

class DefinitionSets : public testing::Test {
 protected:
  void SetUp() override {
    InitRuntimeOnce();
    Forced = 0;
  }
};

TEST_F(DefinitionSets, EmptySetIsTheIdentityOfTheUnion) {
  DefinitionSet* s = SingletonDefinitionSet(DefineClassDeclaration(Name("A"), DeclarationCell(Class("A"))));
  EXPECT_EQ(UniteDefinitionSets(EmptyDefinitionSet, s), s);
  EXPECT_EQ(UniteDefinitionSets(s, EmptyDefinitionSet), s);
  EXPECT_EQ(UniteDefinitionSets(s, s), s);
  // A set whose slots are all empty is not EmptyDefinitionSet: a new set.
  ConsList none[DefinitionKindCount] = {};
  DefinitionSet* blank = MakeDefinitionSet(none);
  DefinitionSet* united = UniteDefinitionSets(blank, s);
  EXPECT_NE(united, s);
  EXPECT_NE(united, blank);
  EXPECT_EQ(DefinitionSetText(united), "{class A}");
  EXPECT_EQ(LookupGeneralDeclarator(Name("A"), EmptyDefinitionSet), nullptr);
  EXPECT_EQ(Forced, 0);
}

TEST_F(DefinitionSets, EachKindKeepsItsOwnListWhateverKindsAreEmpty) {
  // Every pattern of present kinds: each slot yields exactly its own list.
  std::vector<ConsList> lists;
  for (int32_t k = 0; k < DefinitionKindCount; ++k) lists.push_back(Cons(Name("k"), nullptr));
  for (uint32_t present = 0; present < (1u << DefinitionKindCount); ++present) {
    ConsList slots[DefinitionKindCount] = {};
    for (int32_t k = 0; k < DefinitionKindCount; ++k) {
      if ((present >> k) & 1) slots[k] = lists[k];
    }
    DefinitionSet* set = MakeDefinitionSet(slots);
    for (int32_t k = 0; k < DefinitionKindCount; ++k) {
      ASSERT_EQ(DefinitionSlot(set, k), slots[k]) << "kinds " << present << ", kind " << k;
    }
  }
}

TEST_F(DefinitionSets, UnionKeepsTheFirstOperandsNewDefinitionsFirst) {
  Definition* x1 = DefineDeclaratorIdentifier(Name("x"), DeclarationCell(Variable("x")));
  Definition* x2 = DefineDeclaratorIdentifier(Name("x"), DeclarationCell(Variable("x")));
  Definition* y = DefineDeclaratorIdentifier(Name("y"), DeclarationCell(Variable("y")));
  DefinitionSet* inner = UniteDefinitionSets(SingletonDefinitionSet(x1), SingletonDefinitionSet(y));
  DefinitionSet* outer = UniteDefinitionSets(SingletonDefinitionSet(x2), SingletonDefinitionSet(y));
  DefinitionSet* both = UniteDefinitionSets(inner, outer);
  // y, reached through both operands, occurs once, at its place in the second.
  EXPECT_EQ(Elements(DefinitionSlot(both, VariableDefinition)), (std::vector<void*>{x1, x2, y}));
  EXPECT_EQ(DefinitionSlot(both, VariableDefinition)->tail, DefinitionSlot(outer, VariableDefinition));  // shared, not copied
  // Two definitions of one name are both found, in set order; only they are forced.
  ConsList found = LookupDeclaratorIdentifier(Name("x"), both);
  EXPECT_EQ(Elements(found),
            (std::vector<void*>{reinterpret_cast<void*>(x1->declaration->value), reinterpret_cast<void*>(x2->declaration->value)}));
  EXPECT_EQ(Forced, 2);
}

TEST_F(DefinitionSets, UniteListsSharesTheSecondList) {
  int a = 0, b = 0, c = 0;
  ConsList second = Cons(&b, Cons(&c, nullptr));
  ConsList united = UniteLists(Cons(&a, Cons(&b, Cons(&a, nullptr))), second);
  EXPECT_EQ(Elements(united), (std::vector<void*>{&a, &a, &b, &c}));  // duplicates inside a are kept
  EXPECT_EQ(united->tail->tail, second);
  EXPECT_EQ(UniteLists(nullptr, second), second);
  EXPECT_EQ(UniteLists(second, nullptr), second);
}

TEST_F(DefinitionSets, GeneralLookupListsVariablesBeforeTypes) {
  SyntaxNode* field = Variable("A");
  SyntaxNode* cls = Class("A");
  DefinitionSet* s = UniteDefinitionSets(SingletonDefinitionSet(DefineClassDeclaration(Name("A"), DeclarationCell(cls))),
                                         SingletonDefinitionSet(DefineDeclaratorIdentifier(Name("A"), DeclarationCell(field))));
  EXPECT_EQ(Elements(LookupGeneralDeclarator(Name("A"), s)), (std::vector<void*>{field, cls}));
  EXPECT_EQ(Elements(LookupClassOrInterfaceDeclaration(Name("A"), s)), (std::vector<void*>{cls}));
  EXPECT_EQ(Elements(LookupPackageOrTypeDeclaration(Name("A"), s)), (std::vector<void*>{cls}));
  EXPECT_EQ(LookupMethodDeclarator(Name("A"), s), nullptr);
}

// Group lookups keep only the group's variant tags; every lookup skips a
// definition whose declaring node is null.
TEST_F(DefinitionSets, GroupTagsAndNullDeclarations) {
  SyntaxNode* notAClass = Variable("B");  // a stray node in the class slot
  DefinitionSet* s = UniteDefinitionSets(
      SingletonDefinitionSet(DefineClassDeclaration(Name("B"), DeclarationCell(notAClass))),
      SingletonDefinitionSet(DefineClassDeclaration(Name("B"), DeclarationCell(nullptr))));
  EXPECT_EQ(Elements(LookupClassDeclaration(Name("B"), s)), (std::vector<void*>{notAClass}));
  EXPECT_EQ(LookupClassOrInterfaceDeclaration(Name("B"), s), nullptr);
  EXPECT_EQ(LookupTypeDeclaration(Name("B"), s), nullptr);
  EXPECT_EQ(Forced, 2);  // each declaration cell runs once, however many lookups read it
}

TEST_F(DefinitionSets, SingletonsByKindAndLabels) {
  SyntaxNode* label = NewLabeledStatementNode(3, NewDefiningOccurrence(nullptr, Name("L")), NewEmptyStatementNode(3));
  SyntaxNode* noShortIf =
      NewLabeledStatementNoShortIfNode(4, NewDefiningOccurrence(nullptr, Name("L")), NewEmptyStatementNode(4));
  DefinitionSet* s = UniteDefinitionSets(
      SingletonDefinitionSet(DefineLabeledStatementNoShortIf(Name("L"), DeclarationCell(noShortIf))),
      SingletonDefinitionSet(DefineLabeledStatement(Name("L"), DeclarationCell(label))));
  EXPECT_EQ(Elements(LookupLabelDefinition(Name("L"), s)), (std::vector<void*>{label, noShortIf}));
  // A kind outside 1 to 7 goes to slot 0.
  DefinitionSet* odd = SingletonDefinitionSet(NewDefinition(9, Name("q"), DeclarationCell(label)));
  EXPECT_NE(DefinitionSlot(odd, 0), nullptr);
  EXPECT_EQ(DefinitionSetText(odd), "{entry q}");
}

TEST_F(DefinitionSets, MembersOfDeclarationReadTheInnerSet) {
  DefinitionSet* inner = SingletonDefinitionSet(DefineDeclaratorIdentifier(Name("f"), DeclarationCell(Variable("f"))));
  SyntaxNode* cls = NewClassDeclarationNode(2, nullptr, NewDefiningOccurrence(nullptr, Name("C")), nullptr, nullptr,
                                            NewClassBodyNode(2, nullptr), inner);
  EXPECT_EQ(MembersOfDeclaration(cls), inner);
  EXPECT_EQ(MembersOfDeclaration(nullptr), EmptyDefinitionSet);
  EXPECT_EQ(MembersOfDeclaration(Variable("v")), EmptyDefinitionSet);
  EXPECT_EQ(DefinitionsOfScope(nullptr), EmptyDefinitionSet);
}

// Large scopes: lists far longer than the walk that precedes the side
// structures, built the ways the tree builds them (a long list of members as
// a right-recursive chain of unions, an environment shared by many scopes,
// unions with definitions already present), give exactly the unions and the
// lookups of a plain walk, and a lookup still forces only the matching
// declarations.
void* ListElementAt(ConsList list, int index) {
  for (; index > 0; --index) list = list->tail;
  return list->head;
}

std::vector<void*> PlainUnion(ConsList a, ConsList b) {
  std::vector<void*> out;
  std::vector<void*> second = Elements(b);
  for (; a != nullptr; a = a->tail) {
    bool inSecond = false;
    for (void* e : second) inSecond = inSecond || e == a->head;
    if (!inSecond) out.push_back(a->head);
  }
  out.insert(out.end(), second.begin(), second.end());
  return out;
}

// Member lists in a chain and a long environment to unite them with:
// chain[k] has k elements, each list the one before with a new element in
// front, every seventh one that the environment holds. Fresh definitions
// are named x or y.
struct MemberChain {
  int made = 0;
  ConsList environment = nullptr;
  std::vector<ConsList> chain{nullptr};

  explicit MemberChain(int count) {
    for (int i = 0; i < count / 2; ++i) environment = Cons(Fresh(), environment);
    for (int k = 1; k <= count; ++k) {
      void* head = k % 7 == 0 ? ListElementAt(environment, k % (count / 2)) : Fresh();
      chain.push_back(Cons(head, chain.back()));
    }
  }
  Definition* Fresh() { return DefineDeclaratorIdentifier(Name(++made % 3 == 0 ? "x" : "y"), nullptr); }
};

std::vector<void*> PlainLookup(Identifier* name, ConsList slot) {
  std::vector<void*> out;
  for (; slot != nullptr; slot = slot->tail) {
    auto* definition = static_cast<Definition*>(slot->head);
    if (definition->name == name) out.push_back(reinterpret_cast<void*>(ForceLazyCell(definition->declaration)));
  }
  return out;
}

TEST_F(DefinitionSets, LargeScopesGiveThePlainUnionsAndLookups) {
  constexpr int Count = 700;
  std::vector<Identifier*> names = NumberedNames("v", 37);
  std::vector<Definition*> members;
  for (int i = 0; i < Count; ++i) {
    Identifier* name = names[static_cast<size_t>(i * 7 % 37)];
    members.push_back(DefineDeclaratorIdentifier(name, DeclarationCell(Variable(name->text))));
  }
  // The members as a right-recursive chain of unions, last member innermost;
  // every tenth step also brings back a member already in the rest.
  DefinitionSet* chain = SingletonDefinitionSet(members[Count - 1]);
  DefinitionSet* halfway = nullptr;
  for (int i = Count - 2; i >= 0; --i) {
    DefinitionSet* item = SingletonDefinitionSet(members[static_cast<size_t>(i)]);
    if (i % 10 == 0) item = UniteDefinitionSets(item, SingletonDefinitionSet(members[static_cast<size_t>(i + 5 < Count ? i + 5 : i)]));
    ConsList a = DefinitionSlot(item, VariableDefinition);
    ConsList b = DefinitionSlot(chain, VariableDefinition);
    std::vector<void*> expected = PlainUnion(a, b);
    chain = UniteDefinitionSets(item, chain);
    ASSERT_EQ(Elements(DefinitionSlot(chain, VariableDefinition)), expected) << "step " << i;
    if (i == Count / 2) halfway = chain;
  }
  EXPECT_EQ(Forced, 0);  // unions force nothing
  // An older part of the chain united again: members that only the longer
  // chain holds are new to it.
  ConsList early = nullptr;
  for (int i = 9; i >= 0; --i) early = Cons(members[static_cast<size_t>(i)], early);
  std::vector<void*> expected = PlainUnion(early, DefinitionSlot(halfway, VariableDefinition));
  EXPECT_EQ(Elements(UniteLists(early, DefinitionSlot(halfway, VariableDefinition))), expected);
  // Lookups in the whole chain and in suffixes of it.
  for (Identifier* name : names) {
    int before = Forced;
    std::vector<void*> got = Elements(LookupDeclaratorIdentifier(name, chain));
    int forced = Forced - before;
    EXPECT_EQ(forced, static_cast<int>(got.size())) << name->text;  // only the matches
    EXPECT_EQ(got, PlainLookup(name, DefinitionSlot(chain, VariableDefinition))) << name->text;
  }
  // An environment shared by many scopes, each with its own members (some of
  // which the environment already holds); nested scopes above those.
  ConsList none[DefinitionKindCount] = {};
  for (int scope = 0; scope < 40; ++scope) {
    Identifier* own = names[static_cast<size_t>(scope % 37)];
    DefinitionSet* inner = SingletonDefinitionSet(DefineDeclaratorIdentifier(own, DeclarationCell(Variable(own->text))));
    inner = UniteDefinitionSets(inner, SingletonDefinitionSet(members[static_cast<size_t>(scope * 13 % Count)]));
    std::vector<void*> expected = PlainUnion(DefinitionSlot(inner, VariableDefinition), DefinitionSlot(chain, VariableDefinition));
    DefinitionSet* env = UniteDefinitionSets(inner, chain);
    ASSERT_EQ(Elements(DefinitionSlot(env, VariableDefinition)), expected) << "scope " << scope;
    DefinitionSet* nested = UniteDefinitionSets(UniteDefinitionSets(MakeDefinitionSet(none), inner), env);
    for (Identifier* name : {own, names[static_cast<size_t>((scope + 1) % 37)]}) {
      EXPECT_EQ(Elements(LookupDeclaratorIdentifier(name, env)), PlainLookup(name, DefinitionSlot(env, VariableDefinition)));
      EXPECT_EQ(Elements(LookupGeneralDeclarator(name, nested)), PlainLookup(name, DefinitionSlot(nested, VariableDefinition)));
    }
  }
  // The chain's list, looked up and shared many times, is still the chain.
  EXPECT_EQ(Elements(UniteLists(nullptr, DefinitionSlot(chain, VariableDefinition))).size(), static_cast<size_t>(Count));
  EXPECT_EQ(LookupDeclaratorIdentifier(Name("absent"), chain), nullptr);
}

// A union with a long second operand stops walking its first where the rest
// is known. Member lists in a chain, each the one before with a new element
// in front (or one the environment holds), are united with one long
// environment in order: each result is the plain union and has the one
// before it as its tail, so nothing is copied again. The same lists united
// with other environments (one that holds a kept result, one that holds it
// after an earlier copy of its first element, one that does not hold it) and
// lists that reach a cell of the environment itself give the plain unions.
TEST_F(DefinitionSets, UnionsWithALongListStopWhereTheRestIsKnown) {
  constexpr int Count = 200;
  MemberChain members(Count);
  ConsList environment = members.environment;
  const std::vector<ConsList>& chain = members.chain;
  auto fresh = [&] { return members.Fresh(); };
  std::vector<ConsList> bodies{environment};
  for (int k = 1; k <= Count; ++k) {
    ConsList body = UniteLists(chain[k], environment);
    ASSERT_EQ(Elements(body), PlainUnion(chain[k], environment)) << "step " << k;
    EXPECT_TRUE(body == bodies.back() || body->tail == bodies.back()) << "step " << k;
    bodies.push_back(body);
  }
  ConsList holding = Cons(fresh(), bodies[Count / 2]);
  ConsList copied = Cons(chain[Count / 2 - 1]->head, holding);
  ConsList without = Cons(fresh(), Cons(fresh(), environment));
  ConsList reaching = Cons(fresh(), Cons(environment->tail->head, environment->tail->tail));
  struct Case {
    const char* name;
    ConsList a;
    ConsList b;
  } cases[] = {
      {"kept result in b", chain[Count / 2 - 1], holding},
      {"kept result in b after a copy of its head", chain[Count / 2 - 1], copied},
      {"kept result not in b", chain[Count / 2 - 1], without},
      {"longer list, kept result in b", chain[Count], holding},
      {"a cell of b", reaching, environment},
      {"a cell of b after new ones", Cons(fresh(), Cons(fresh(), environment->tail->tail)), environment},
      {"same union again", chain[Count], environment},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Elements(UniteLists(c.a, c.b)), PlainUnion(c.a, c.b)) << c.name;
  }
  EXPECT_EQ(UniteLists(chain[Count], environment), bodies[Count]);
}

// The lists of a chain united with one long list from the longest down (the
// class bodies of an inheritance chain met before their superclasses'): each
// union is the plain one, a union with it as the long list is too (so its
// index reads right), and it shares the longest list's result after a few
// cells of its own instead of copying all of its cells.
TEST_F(DefinitionSets, UnionsOfAChainLongestFirstShareTheLongestResult) {
  constexpr int Count = 200;
  MemberChain members(Count);
  ConsList environment = members.environment;
  const std::vector<ConsList>& chain = members.chain;
  std::set<ConsList> longest;
  for (ConsList rest = UniteLists(chain[Count], environment); rest != nullptr; rest = rest->tail) longest.insert(rest);
  for (int k = Count - 1; k > 0; --k) {
    ConsList body = UniteLists(chain[k], environment);
    ASSERT_EQ(Elements(body), PlainUnion(chain[k], environment)) << "step " << k;
    ConsList probe = Cons(members.Fresh(), chain[Count]);
    ASSERT_EQ(Elements(UniteLists(probe, body)), PlainUnion(probe, body)) << "step " << k;
    int own = 0;
    for (ConsList rest = body; longest.count(rest) == 0; rest = rest->tail) ++own;
    EXPECT_LT(own, 70) << "step " << k;
  }
}

// A union of a long list with a short one is kept too. The lists of a chain
// (some of whose definitions the short list holds) united with one short list,
// from the shortest up and from the longest down, give the plain unions, and
// each shares the results before it after a few cells of its own (the member
// lists of a chain of interfaces, each united with the unit's few classes);
// a union with another short list does not take those results.
TEST_F(DefinitionSets, UnionsOfLongListsWithAShortOneShareTheirResults) {
  constexpr int Count = 200;
  for (bool longestFirst : {false, true}) {
    MemberChain members(Count);
    const std::vector<ConsList>& chain = members.chain;
    ConsList environment = members.environment;
    ConsList shortList =
        Cons(ListElementAt(environment, 7), Cons(members.Fresh(), Cons(ListElementAt(environment, 14), nullptr)));
    std::set<ConsList> shared;  // the cells of the results so far
    ConsList longest = nullptr;
    for (int step = 1; step <= Count; ++step) {
      int k = longestFirst ? Count + 1 - step : step;
      ConsList united = UniteLists(chain[k], shortList);
      ASSERT_EQ(Elements(united), PlainUnion(chain[k], shortList)) << "list " << k << (longestFirst ? ", longest first" : "");
      int own = 0;
      for (ConsList rest = united; rest != nullptr && shared.count(rest) == 0; rest = rest->tail) ++own;
      if (step > 1) {
        EXPECT_LT(own, 70) << "list " << k << (longestFirst ? ", longest first" : "");
      }
      for (ConsList rest = united; rest != nullptr; rest = rest->tail) shared.insert(rest);
      if (k == Count) longest = united;
    }
    EXPECT_EQ(UniteLists(chain[Count], shortList), longest);
    ConsList others[] = {Cons(ListElementAt(environment, 21), nullptr), shortList->tail,
                         Cons(shortList->head, Cons(shortList->tail->head, nullptr))};
    for (ConsList other : others) {
      for (int k : {Count, Count - 1, Count / 2}) {
        EXPECT_EQ(Elements(UniteLists(chain[k], other)), PlainUnion(chain[k], other)) << "list " << k;
      }
    }
  }
}

// A name declared many times in several kinds of one long scope, seen from
// many nested scopes that add declarations of their own (some of the same
// name): each group lookup gives the plain walk's nodes, slot after slot,
// forces only nodes not forced before, and gives the same list again for the
// same scope; a long slot still drops the nodes outside the group's tags; the
// first node of a kind in a long result is that of the walk.
TEST_F(DefinitionSets, LongScopesShareTheirLookupsAndKeepTheirOrder) {
  constexpr int Count = 300;
  Identifier* a = Name("a");
  Identifier* other = Name("other");
  auto declare = [](DefinitionSet* set, Definition* definition) {
    return UniteDefinitionSets(SingletonDefinitionSet(definition), set);
  };
  DefinitionSet* scope = EmptyDefinitionSet;
  for (int i = 0; i < Count; ++i) {
    Identifier* name = i % 3 == 0 ? other : a;
    scope = declare(scope, DefineDeclaratorIdentifier(name, DeclarationCell(Variable(name->text))));
    if (i % 4 == 0) scope = declare(scope, DefineMethodDeclarator(a, DeclarationCell(Variable("m"))));
    if (i % 5 == 0) scope = declare(scope, DefineClassDeclaration(a, DeclarationCell(Class("a"))));
    if (i % 50 == 0) scope = declare(scope, DefineClassDeclaration(a, DeclarationCell(Variable("notAClass"))));
  }
  auto plainGroup = [&](DefinitionSet* set) {
    std::vector<void*> out;
    for (int32_t kind : {VariableDefinition, MethodDefinition, ClassDefinition}) {
      for (void* node : PlainLookup(a, DefinitionSlot(set, kind))) {
        if (kind != ClassDefinition || static_cast<SyntaxNode*>(node)->code == ClassDeclarationNodeKind) out.push_back(node);
      }
    }
    return out;
  };
  for (int inner = 0; inner < 30; ++inner) {
    DefinitionSet* nested = scope;
    for (int depth = 0; depth <= inner % 4; ++depth) {
      Identifier* name = (inner + depth) % 2 == 0 ? a : other;
      nested = declare(nested, DefineDeclaratorIdentifier(name, DeclarationCell(Variable(name->text))));
    }
    std::vector<void*> expected = plainGroup(nested);
    int before = Forced;
    ConsList found = LookupGeneralDeclarator(a, nested);
    EXPECT_EQ(Elements(found), expected) << "scope " << inner;
    EXPECT_EQ(LookupGeneralDeclarator(a, nested), found) << "scope " << inner;
    EXPECT_LE(Forced - before, static_cast<int>(expected.size()));
    EXPECT_EQ(Elements(LookupClassDeclaration(a, nested)), PlainLookup(a, DefinitionSlot(nested, ClassDefinition)));
    auto firstOf = [&](int32_t kind) -> void* {
      for (void* node : expected) {
        if (static_cast<SyntaxNode*>(node)->code == kind) return node;
      }
      return nullptr;
    };
    EXPECT_EQ(FirstNodeOfKind(found, ClassDeclarationNodeKind), firstOf(ClassDeclarationNodeKind));
    EXPECT_EQ(FirstNodeOfKind(found, InterfaceDeclarationNodeKind), nullptr);
  }
}

// Lists made by unions of one definition at a time onto a chain and onto
// older lists of it, in an order that grows the newest list of an index in
// place, extends lists that a longer one already grew past (again below such
// an extension, and again above it), grows both the longer list and the
// extended older one well past where they parted, and adds definitions that
// only a longer list holds: after each step the lists made so far (every third
// one near where they part, a sample of the others) still give the plain walk's
// lookups and unions, so no later extension changed what an older list holds.
TEST_F(DefinitionSets, OlderListsKeepWhatTheyHoldWhenLaterListsGrow) {
  constexpr size_t ChainLength = 1000;
  std::vector<Identifier*> names = NumberedNames("n", 23);
  std::vector<Definition*> made;
  auto define = [&] {
    Identifier* name = names[made.size() % names.size()];
    made.push_back(DefineDeclaratorIdentifier(name, DeclarationCell(Variable(name->text))));
    return made.back();
  };
  std::vector<DefinitionSet*> lists = {EmptyDefinitionSet};  // lists[i] of the chain holds i definitions
  auto extend = [&](size_t from, Definition* definition) {
    lists.push_back(UniteDefinitionSets(SingletonDefinitionSet(definition), lists[from]));
    return lists.size() - 1;
  };
  size_t newest = 0;
  for (size_t i = 0; i < ChainLength; ++i) newest = extend(newest, define());
  struct Step {
    int from;     // the list extended: its place in lists, or -1 for the last one made
    int count;    // definitions added, one union each
    int reuseOf;  // -1: new definitions; else those of the chain from this one on
  };
  const Step steps[] = {
      {-1, 5, -1},       // the newest list grows in place
      {1002, 2, -1},     // a list the chain grew past
      {1005, 60, -1},    // the newest list of the line it left
      {1007, 80, -1},    // the newest list split off at 1002, past the other one
      {500, 3, -1},      // far below
      {1030, 2, -1},     // between
      {-1, 3, -1},       // the newest list made
      {400, 6, 700},     // definitions only longer lists hold
      {1003, 2, 1003},   // (held by lists 1004 and 1005 only)
      {10, 2, -1},       // a short list
  };
  for (const Step& step : steps) {
    size_t at = step.from < 0 ? lists.size() - 1 : static_cast<size_t>(step.from);
    for (int k = 0; k < step.count; ++k) {
      at = extend(at, step.reuseOf < 0 ? define() : made[static_cast<size_t>(step.reuseOf + k)]);
    }
    ConsList every = nullptr;
    for (Definition* definition : made) every = Cons(definition, every);
    for (size_t i = 0; i < lists.size(); ++i) {
      if (i % (i < ChainLength - 10 ? 97 : 3) != 0) continue;
      ConsList slot = DefinitionSlot(lists[i], VariableDefinition);
      for (size_t k = 0; k < 6; ++k) {
        Identifier* name = names[(i + k) % names.size()];
        ASSERT_EQ(Elements(LookupDeclaratorIdentifier(name, lists[i])), PlainLookup(name, slot))
            << "list " << i << " after extending list " << step.from << ", name " << name->text;
      }
      std::vector<void*> held = Elements(slot);
      std::unordered_set<void*> holds(held.begin(), held.end());
      std::vector<void*> expected;
      for (ConsList rest = every; rest != nullptr; rest = rest->tail) {
        if (holds.count(rest->head) == 0) expected.push_back(rest->head);
      }
      expected.insert(expected.end(), held.begin(), held.end());
      ASSERT_EQ(Elements(UniteLists(every, slot)), expected) << "list " << i << " after extending list " << step.from;
    }
  }
}

// Variable definitions made one after another, named after the names in
// turn.
struct Definitions {
  std::vector<Identifier*> names;
  std::vector<Definition*> made;

  Definition* Next() {
    Identifier* name = names[made.size() % names.size()];
    made.push_back(DefineDeclaratorIdentifier(name, DeclarationCell(Variable(name->text))));
    return made.back();
  }
};

// The set with one more definition in front, as a scope adds a member.
DefinitionSet* ExtendedBy(DefinitionSet* set, Definition* definition) {
  return UniteDefinitionSets(SingletonDefinitionSet(definition), set);
}

// Every list gives the plain walk's lookup of every name and the plain
// union of all the definitions made with it.
void ExpectPlainWalks(const std::vector<DefinitionSet*>& lists, const Definitions& definitions,
                      const std::string& what) {
  ConsList every = nullptr;
  for (Definition* definition : definitions.made) every = Cons(definition, every);
  for (size_t i = 0; i < lists.size(); ++i) {
    ConsList slot = DefinitionSlot(lists[i], VariableDefinition);
    for (Identifier* name : definitions.names) {
      ASSERT_EQ(Elements(LookupDeclaratorIdentifier(name, lists[i])), PlainLookup(name, slot))
          << what << ", list " << i << ", name " << name->text;
    }
    ASSERT_EQ(Elements(UniteLists(every, slot)), PlainUnion(every, slot)) << what << ", list " << i;
  }
}

// Older lists of a long chain extended after it, shortest first (the bodies
// of subclasses met after the longest superclass body) and longest first,
// each by a few definitions of three sorts: new ones, the one the chain
// holds at the same place, and one that only a longer list of the chain
// holds (all with names the chain uses); then lists of those extensions
// extended again below their heads, so that lists branch off lists that
// branched themselves, and extensions grown past the chain's longest list.
// After each round every list made gives the plain walk's lookups and unions.
TEST_F(DefinitionSets, OlderListsExtendedInAnyOrderGiveThePlainWalks) {
  constexpr int Length = 400;
  Definitions definitions{NumberedNames("s", 23), {}};
  auto define = [&] { return definitions.Next(); };
  auto extend = ExtendedBy;
  auto firstOf = [](DefinitionSet* set) { return static_cast<Definition*>(DefinitionSlot(set, VariableDefinition)->head); };
  auto check = [&](const std::vector<DefinitionSet*>& lists, const char* round) {
    ASSERT_NO_FATAL_FAILURE(ExpectPlainWalks(lists, definitions, round));
  };
  for (bool shortestFirst : {true, false}) {
    const char* order = shortestFirst ? "shortest first" : "longest first";
    std::vector<DefinitionSet*> chain{EmptyDefinitionSet};
    for (int i = 0; i < Length; ++i) chain.push_back(extend(chain.back(), define()));
    std::vector<DefinitionSet*> lists;
    for (int i = 0; i <= Length; i += 37) lists.push_back(chain[static_cast<size_t>(i)]);
    std::vector<int> starts;
    for (int k = 70; k < Length - 10; k += 23) starts.push_back(k);
    if (!shortestFirst) std::reverse(starts.begin(), starts.end());
    // Each start's extension, one union a definition; its lists in order.
    std::vector<std::vector<DefinitionSet*>> extensions;
    auto grow = [&](DefinitionSet* set, int from, int count) {
      std::vector<DefinitionSet*> grown;
      for (int j = 0; j < count; ++j) {
        size_t place = static_cast<size_t>(from + j + 1);
        Definition* definition = j % 3 == 0 || place >= chain.size() ? define()
                                 : j % 3 == 1                        ? firstOf(chain[place])
                                                                     : firstOf(chain[static_cast<size_t>(Length - j)]);
        set = extend(set, definition);
        grown.push_back(set);
        lists.push_back(set);
      }
      extensions.push_back(grown);
    };
    for (int k : starts) grow(chain[static_cast<size_t>(k)], k, 6);
    check(lists, order);
    // The chain's longest list grown further; a list in the middle of an
    // extension extended past that extension's head and past the chain's
    // cells above it; a list of that one extended in turn; an extension of a
    // list near the chain's head grown past the chain's longest list; and
    // that longest list grown past the extension.
    size_t middle = extensions.size() / 2;
    int at = starts[middle] + 3;
    grow(chain[Length], Length, 20);
    DefinitionSet* longest = extensions.back().back();
    grow(extensions[middle][2], at, 30);
    grow(extensions.back()[9], at + 10, 60);
    grow(chain[Length - 5], Length - 5, 40);
    grow(longest, Length + 20, 30);
    check(lists, order);
  }
}

// A list just below the longest one of a long chain extended past it (its
// own trie then differs from the chain's in few of the many nodes), then the
// longest list grown in place well past the extension: the extension's lists
// still give the plain walk's lookups and unions, as do the grown chain's.
TEST_F(DefinitionSets, GrowingAListInPlaceLeavesTheListsSharingItsTrie) {
  constexpr int Length = 2000;
  Definitions definitions{NumberedNames("g", 7), {}};
  auto define = [&] { return definitions.Next(); };
  auto extend = ExtendedBy;
  std::vector<DefinitionSet*> chain{EmptyDefinitionSet};
  for (int i = 0; i < Length; ++i) chain.push_back(extend(chain.back(), define()));
  std::vector<DefinitionSet*> lists;
  DefinitionSet* set = chain[Length - 2];
  for (int i = 0; i < 40; ++i) lists.push_back(set = extend(set, define()));
  set = chain[Length];
  for (int i = 0; i < 100; ++i) lists.push_back(set = extend(set, define()));
  ExpectPlainWalks(lists, definitions, "grown in place");
}

// The orders in which the chain tests read a chain's lists (1 the shortest,
// ChainLength the longest): from `first`, then every step-th one after it,
// counted round the chain.
constexpr int ChainLength = 400;
struct ChainOrder {
  const char* name;
  int first;
  int step;
};
constexpr ChainOrder ChainOrders[] = {
    {"shortest first", 1, 1}, {"longest first", ChainLength, ChainLength - 1}, {"scattered", 17, 37}};

}  // namespace

// Lists of nodes that share tails, as the lookup results of a name declared
// in every class of an inheritance chain are (each class's declaration in
// front of its superclass's result), plus lists that join the chain part way
// down: asked in any order, and for two questions on the same lists, the
// first node of a kind is the plain walk's, whatever answers are kept for
// the tails that earlier questions walked.
TEST_F(DefinitionSets, FirstNodesOfListsSharingTailsAreThePlainWalks) {
  constexpr int Count = ChainLength;
  std::vector<ConsList> chain{nullptr};
  for (int k = 1; k <= Count; ++k) {
    SyntaxNode* node = k == 3 || k == 190 ? Variable("v") : k % 11 == 0 ? nullptr : Class("K");
    chain.push_back(Cons(node, chain.back()));
  }
  auto plainFirst = [](ConsList list, int32_t kind) -> SyntaxNode* {
    for (; list != nullptr; list = list->tail) {
      auto* node = static_cast<SyntaxNode*>(list->head);
      if (node != nullptr && node->code == kind) return node;
    }
    return nullptr;
  };
  for (const ChainOrder& order : ChainOrders) {
    ForgetListFacts();
    std::vector<ConsList> lists;
    for (int i = 0, k = order.first; i < Count; ++i, k = (k - 1 + order.step) % Count + 1) {
      lists.push_back(chain[k]);
      if (k % 9 == 0) lists.push_back(Cons(Class("J"), Cons(Variable("w"), chain[k])));
      if (k % 13 == 0) lists.push_back(Cons(Class("J"), Cons(Class("J"), chain[k])));
    }
    for (ConsList list : lists) {
      for (int32_t kind : {DeclaratorIdentifierNodeKind, InterfaceDeclarationNodeKind}) {
        ASSERT_EQ(FirstNodeOfKind(list, kind), plainFirst(list, kind)) << order.name << ", kind " << kind;
      }
    }
  }
}

// One chain of lists united, step by step, with two lines of environments:
// each list with one long environment (the bodies of a chain of classes with
// the unit's scope), and each list behind a new head with the environment
// the step before made (member classes nested in one another, each extending
// a class of that chain), so that both lines keep unions from the same cells.
// Lists that join the chain above what an older environment of the second
// line holds are united with it too. Every union is the plain one, whichever
// line kept what its cells hold.
TEST_F(DefinitionSets, TwoLinesOfEnvironmentsOverOneChainGiveThePlainUnions) {
  constexpr int Count = 300;
  MemberChain members(Count);
  const std::vector<ConsList>& chain = members.chain;
  ConsList nested = nullptr;
  for (int i = 0; i < 100; ++i) nested = Cons(members.Fresh(), nested);
  std::vector<ConsList> lines{nested};
  for (int k = 1; k <= Count; ++k) {
    ASSERT_EQ(Elements(UniteLists(chain[k], members.environment)), PlainUnion(chain[k], members.environment))
        << "first line, step " << k;
    ConsList a = Cons(members.Fresh(), chain[k]);
    ConsList next = UniteLists(a, lines.back());
    ASSERT_EQ(Elements(next), PlainUnion(a, lines.back())) << "second line, step " << k;
    lines.push_back(next);
    ConsList older = lines[k / 2];
    ConsList probe = Cons(members.Fresh(), chain[k]);
    ASSERT_EQ(Elements(UniteLists(probe, older)), PlainUnion(probe, older)) << "older environment, step " << k;
  }
}

// The members of a chain of classes that each implement the same interfaces:
// each class's own definition in front of its superclass's members, united
// with the interfaces' members (one short list, a new short list of the same
// definitions for every class, one long list, or two short lists in turn).
// Every union is the plain one, and but for the lists in turn each result is
// one new cell in front of the result before (or that result itself when the
// new definition is one the interfaces hold): a result is its own union with
// the same definitions, so the next union stops there. Results and their tails
// united with near-copies of those lists give the plain unions too.
TEST_F(DefinitionSets, ChainsUnitedWithTheSameInterfacesShareTheResultBefore) {
  constexpr int Count = 300;
  MemberChain members(Count);
  Definition* c = members.Fresh();
  Definition* d = members.Fresh();
  ConsList shortList = Cons(c, Cons(d, nullptr));
  ConsList otherList = Cons(d, nullptr);
  ConsList longList = Cons(c, members.environment);
  struct Case {
    const char* name;
    int kind;  // 0 one short list, 1 a copy every step, 2 one long list, 3 two in turn
    bool shares;
  } cases[] = {
      {"one short list", 0, true},
      {"a copy of the short list every step", 1, true},
      {"one long list", 2, true},
      {"two short lists in turn", 3, false},
  };
  for (const Case& test : cases) {
    auto second = [&](int k) -> ConsList {
      switch (test.kind) {
        case 0: return shortList;
        case 1: return Cons(c, Cons(d, nullptr));
        case 2: return longList;
        default: return k % 2 == 0 ? shortList : otherList;
      }
    };
    std::vector<ConsList> results{UniteLists(members.chain[100], second(0))};  // long from the start
    for (int k = 1; k <= Count; ++k) {
      void* head = k % 9 == 0 ? static_cast<void*>(c) : members.Fresh();
      ConsList a = Cons(head, results.back());
      ConsList b = second(k);
      ConsList united = UniteLists(a, b);
      ASSERT_EQ(Elements(united), PlainUnion(a, b)) << test.name << ", step " << k;
      if (test.shares) {
        EXPECT_EQ(head == c ? united : united->tail, results.back()) << test.name << ", step " << k;
      }
      results.push_back(united);
    }
    ConsList probes[] = {Cons(d, Cons(c, nullptr)), Cons(c, nullptr), Cons(c, Cons(d, Cons(members.Fresh(), nullptr))),
                         otherList, longList, members.environment};
    for (ConsList other : probes) {
      for (int k : {Count, Count - 1, Count / 2}) {
        for (ConsList a : {results[static_cast<size_t>(k)], Cons(members.Fresh(), results[static_cast<size_t>(k)]),
                           results[static_cast<size_t>(k)]->tail}) {
          EXPECT_EQ(Elements(UniteLists(a, other)), PlainUnion(a, other)) << test.name << ", list " << k;
        }
      }
    }
  }
}

// A name declared in every class of a long chain, each class's members (the
// name and another) in front of its superclass's, looked up in every list of
// the chain and behind a new head on each, in several orders (the classes
// written after their superclasses, before them, scattered): every lookup is
// the plain walk's, though the longer lists' matches of the name stand
// above the shorter lists that read them.
TEST_F(DefinitionSets, ANameOfEveryClassOfAChainIsFoundFromAnyListOfIt) {
  constexpr int Count = ChainLength;
  Identifier* name = Name("K");
  std::vector<ConsList> chain{nullptr};
  for (int k = 1; k <= Count; ++k) {
    Identifier* own = k % 2 == 0 ? name : Name(k % 5 == 0 ? "other" : "k");
    chain.push_back(Cons(DefineDeclaratorIdentifier(own, DeclarationCell(Variable(own->text))), chain.back()));
  }
  auto lookup = [&](ConsList list) {
    ConsList slots[DefinitionKindCount] = {};
    slots[VariableDefinition] = list;
    return Elements(LookupDeclaratorIdentifier(name, MakeDefinitionSet(slots)));
  };
  for (const ChainOrder& order : ChainOrders) {
    ForgetListFacts();
    for (int i = 0, k = order.first; i < Count; ++i, k = (k - 1 + order.step) % Count + 1) {
      ConsList list = chain[static_cast<size_t>(k)];
      ASSERT_EQ(lookup(list), PlainLookup(name, list)) << order.name << ", list " << k;
      ConsList body = Cons(DefineDeclaratorIdentifier(name, DeclarationCell(Variable("K"))), list);
      ASSERT_EQ(lookup(body), PlainLookup(name, body)) << order.name << ", behind list " << k;
    }
  }
}
