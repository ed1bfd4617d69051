// Definitions and definition sets: the declared names of a compilation unit
// and the sets of them that are visible in a scope.
//
// A Definition is {kind, name, declaration cell}; forcing the cell yields the
// declaring node (built on demand). A DefinitionSet holds one list per kind
// (DefinitionSlot); a kind without definitions takes no room in the record.
// Sets never change once made and are shared freely; the union keeps the
// first operand's new definitions before the second operand's, which is how
// inner declarations shadow outer ones. EmptyDefinitionSet is one shared set,
// recognised by identity.
#pragma once

#include <cstdint>

#include "java/tree/nodes.h"
#include "support/conslist.h"
#include "support/identifiers.h"
#include "support/lazy.h"

enum DefinitionKind : int32_t {
  HeaderEntryDefinition = 0,     // ZEB_AttributeDefinition
  PackageDefinition = 1,         // PackageDeclaration
  ClassDefinition = 2,           // ClassDeclaration
  VariableDefinition = 3,        // DeclaratorIdentifier
  MethodDefinition = 4,          // MethodDeclarator
  InterfaceDefinition = 5,       // InterfaceDeclaration
  LabelDefinitionKind = 6,       // LabeledStatement
  NoShortIfLabelDefinition = 7,  // LabeledStatementNoShortIf
  DefinitionKindCount = 8
};

struct Definition {
  int32_t kind;
  uint32_t walked;  // the last walk of inherited members that met it (scopes); 0 when made
  Identifier* name;
  LazyCell* declaration;  // yields the declaring SyntaxNode
};

// A bit per kind telling which kinds have definitions, then the lists of
// those kinds only (ConsLists of Definition pointers, each in set order), in
// kind order: a set keeps no word for an empty kind, so the many sets that
// hold one or two kinds (a declaration's own set, most unions) stay small.
struct DefinitionSet {
  uint64_t kinds;  // bit k set: kind k has a list after the record
};

// The non-empty lists that follow the record.
inline ConsList const* DefinitionLists(const DefinitionSet* set) {
  return reinterpret_cast<ConsList const*>(set + 1);
}

// The number of bits set in each byte: the kinds of a set fit in one byte, and
// a table load is cheaper than the library call that a population count
// becomes on a target without a population-count instruction.
static_assert(DefinitionKindCount <= 8, "the kinds of a set fit in one byte");
inline constexpr auto KindCountOfByte = [] {
  struct Table {
    uint8_t count[256];
  } table{};
  for (int b = 0; b < 256; ++b) table.count[b] = static_cast<uint8_t>((b & 1) + table.count[b >> 1]);
  return table;
}();

// The definitions of a kind in the set, in set order; null when it has none.
inline ConsList DefinitionSlot(const DefinitionSet* set, int32_t kind) {
  uint64_t bit = uint64_t{1} << kind;
  if ((set->kinds & bit) == 0) return nullptr;
  return DefinitionLists(set)[KindCountOfByte.count[set->kinds & (bit - 1)]];
}

extern DefinitionSet* EmptyDefinitionSet;

Definition* DefineZEB_AttributeDefinition(Identifier* name, LazyCell* declaration);
Definition* DefinePackageDeclaration(Identifier* name, LazyCell* declaration);
Definition* DefineClassDeclaration(Identifier* name, LazyCell* declaration);
Definition* DefineDeclaratorIdentifier(Identifier* name, LazyCell* declaration);
Definition* DefineMethodDeclarator(Identifier* name, LazyCell* declaration);
Definition* DefineInterfaceDeclaration(Identifier* name, LazyCell* declaration);
Definition* DefineLabeledStatement(Identifier* name, LazyCell* declaration);
Definition* DefineLabeledStatementNoShortIf(Identifier* name, LazyCell* declaration);
// The shared constructor behind the eight above.
Definition* NewDefinition(int32_t kind, Identifier* name, LazyCell* declaration);

// A new set of the lists of each kind (slots[k] for kind k, null when empty).
DefinitionSet* MakeDefinitionSet(const ConsList slots[DefinitionKindCount]);
// The one-definition set; a kind outside 1 to 7 goes to slot 0.
DefinitionSet* SingletonDefinitionSet(Definition* definition);
DefinitionSet* UniteDefinitionSets(DefinitionSet* a, DefinitionSet* b);
ConsList UniteLists(ConsList a, ConsList b);

// Drops the indexes of long lists, the kept unions with and of them, the joins
// and short-slot results of group lookups and the kept first nodes of a
// kind. They are keyed by the addresses of lists, so they must go when the
// memory of the lists is given back (EndUnitRegion): a later list at the
// same address is another list.
// They are caches; results do not depend on them.
void ForgetListFacts();

// The first non-null node of one of the given node kinds (up to three; -1
// for none) in a list of declaring nodes (a lookup's result), null when there
// is none. A long list's answer is kept, so that a list shared by many
// occurrences is walked once per question, and so are those of tails along
// its walk, so that lists sharing a tail (new heads on an older result) stop
// near where they join it.
SyntaxNode* FirstNodeOfKind(ConsList nodes, int32_t kind, int32_t other = -1, int32_t third = -1);

// Slot lookups: the declaring nodes of the definitions of that kind named
// name, in slot order. Definitions whose declaring node is null are skipped.
ConsList LookupZEB_AttributeDefinition(Identifier* name, DefinitionSet* set);
ConsList LookupPackageDeclaration(Identifier* name, DefinitionSet* set);
ConsList LookupClassDeclaration(Identifier* name, DefinitionSet* set);
ConsList LookupDeclaratorIdentifier(Identifier* name, DefinitionSet* set);
ConsList LookupMethodDeclarator(Identifier* name, DefinitionSet* set);
ConsList LookupInterfaceDeclaration(Identifier* name, DefinitionSet* set);
ConsList LookupLabeledStatement(Identifier* name, DefinitionSet* set);
ConsList LookupLabeledStatementNoShortIf(Identifier* name, DefinitionSet* set);

// Group lookups: the parts in order, each kept only for the group's tags.
ConsList LookupLabelDefinition(Identifier* name, DefinitionSet* set);
ConsList LookupClassOrInterfaceDeclaration(Identifier* name, DefinitionSet* set);
ConsList LookupTypeDeclaration(Identifier* name, DefinitionSet* set);
ConsList LookupPackageOrTypeDeclaration(Identifier* name, DefinitionSet* set);
ConsList LookupGeneralDeclarator(Identifier* name, DefinitionSet* set);

// The set declared inside a ZEB_AttributeDefinitionNode (its last field).
DefinitionSet* DefinitionsOfScope(const SyntaxNode* node);
// The set declared inside a package, class or interface declaration node.
DefinitionSet* MembersOfDeclaration(const SyntaxNode* node);

void DefinitionSetsModuleInit();
