// Definitions, definition sets, their union and the lookups by name, kind
// and group of kinds.
//
// A large scope (a class of thousands of members, a unit of thousands of
// classes) would make the union and the lookups cost the length of the lists
// at every step. Lists never change once made, so long ones carry side facts,
// kept outside the heap and keyed by their first cell:
//   - a member set: the union tests its first operand's elements against the
//     set of the second instead of walking it. The union result is the new
//     elements followed by the second operand, so the set moves on to the
//     result with the new elements added; a second operand that is united
//     again after its set moved on (an environment shared by many scopes)
//     gets a set of its own that stays with it;
//   - the shared tail of a union result (its new cells, then the second
//     operand), so that a lookup walks the few new cells and goes on at the
//     operand's own facts;
//   - a name index: the definitions of each name in list order, made when a
//     lookup first walks a long list past its first cells.
// Results, their order and the cells forced are those of the plain walks.
#include "java/tree/defsets.h"

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "support/heap.h"
#include "support/limits.h"
#include "support/startup.h"

DefinitionSet* EmptyDefinitionSet = nullptr;

namespace {

int32_t DefinitionSetsModuleFlag = 0;

// A set of pointers: open addressing, doubled at half load.
struct PointerSet {
  std::vector<const void*> slots = std::vector<const void*>(64, nullptr);
  size_t used = 0;

  static size_t Hash(const void* p) {
    auto h = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p));
    h *= 0x9E3779B97F4A7C15ull;
    return static_cast<size_t>(h >> 20);
  }
  bool Has(const void* p) const {
    size_t mask = slots.size() - 1;
    for (size_t i = Hash(p) & mask;; i = (i + 1) & mask) {
      if (slots[i] == p) return true;
      if (slots[i] == nullptr) return false;
    }
  }
  void Add(const void* p) {
    size_t mask = slots.size() - 1;
    size_t i = Hash(p) & mask;
    for (; slots[i] != nullptr; i = (i + 1) & mask) {
      if (slots[i] == p) return;
    }
    slots[i] = p;
    if (2 * (++used) > slots.size()) Grow();
  }
  void Grow() {
    std::vector<const void*> old(slots.size() * 2, nullptr);
    old.swap(slots);
    used = 0;
    for (const void* p : old) {
      if (p != nullptr) Add(p);
    }
  }
};

// The definitions of a list as {name, definition} pairs sorted by name, those
// of one name in list order.
using NameEntry = std::pair<const Identifier*, const Definition*>;
using NameIndex = std::vector<NameEntry>;

struct ListFacts {
  PointerSet* members = nullptr;  // every element of the list, when kept
  bool setMovedOn = false;        // the list's set went to a union result
  ConsList tail = nullptr;        // a union result: the second operand, after `prefix` new cells
  int32_t prefix = 0;
  NameIndex* names = nullptr;
};

// Never destroyed, like the heap: the facts stay reachable to the end.
std::unordered_map<const ConsCell*, ListFacts>& Facts = *new std::unordered_map<const ConsCell*, ListFacts>();

// One bit per hash of a first cell that has facts: most lists have none, and
// a lookup learns that from one word instead of a map search.
constexpr size_t FactsFilterBits = size_t{1} << 20;
std::vector<uint64_t>& FactsFilter = *new std::vector<uint64_t>(FactsFilterBits / 64, 0);

size_t FilterBit(const ConsCell* list) { return PointerSet::Hash(list) & (FactsFilterBits - 1); }

ListFacts* FactsOf(ConsList list) {
  size_t bit = FilterBit(list);
  if ((FactsFilter[bit / 64] & (uint64_t{1} << (bit % 64))) == 0) return nullptr;
  auto found = Facts.find(list);
  return found == Facts.end() ? nullptr : &found->second;
}

// The facts of a list, made empty when it has none yet.
ListFacts& FactsFor(ConsList list) {
  size_t bit = FilterBit(list);
  FactsFilter[bit / 64] |= uint64_t{1} << (bit % 64);
  return Facts[list];
}

// True when the list has at least LongDefinitionList cells.
bool IsLongList(ConsList list) {
  int32_t n = 0;
  for (; list != nullptr; list = list->tail) {
    if (++n >= LongDefinitionList) return true;
  }
  return false;
}

PointerSet* MemberSetOf(ConsList list) {
  auto* set = new PointerSet();
  for (; list != nullptr; list = list->tail) set->Add(list->head);
  return set;
}

bool NameBefore(const NameEntry& a, const NameEntry& b) { return std::less<const Identifier*>()(a.first, b.first); }

NameIndex* NameIndexOf(ConsList list) {
  auto* index = new NameIndex();
  for (; list != nullptr; list = list->tail) {
    auto* definition = static_cast<const Definition*>(list->head);
    index->emplace_back(definition->name, definition);
  }
  std::stable_sort(index->begin(), index->end(), NameBefore);
  index->shrink_to_fit();
  return index;
}

// Variant-tag masks of the GeneralDeclaratorFamily groups.
constexpr uint32_t ClassOrInterfaceTags = (1u << ClassDeclarationNodeTag) | (1u << InterfaceDeclarationNodeTag);
constexpr uint32_t TypeDeclarationTags = ClassOrInterfaceTags | (1u << EmptyTypeDeclarationNodeTag);
constexpr uint32_t PackageOrTypeTags = TypeDeclarationTags | (1u << PackageDeclarationNodeTag);
constexpr uint32_t AllTags = ~0u;

// Appends the declaring nodes of slot kind named name to out, keeping only
// non-null nodes whose tag is in mask.
void TakeMatch(ConsListBuilder& out, const Definition* definition, uint32_t mask) {
  auto* node = reinterpret_cast<SyntaxNode*>(ForceLazyCell(definition->declaration));
  if (node == nullptr) return;
  if (mask != AllTags && (node->tag < 0 || (mask & (1u << node->tag)) == 0)) return;
  out.Add(node);
}

void TakeIndexed(ConsListBuilder& out, const NameIndex& index, Identifier* name, uint32_t mask) {
  // Forcing may index further lists, but never changes this index.
  auto match = std::lower_bound(index.begin(), index.end(), NameEntry{name, nullptr}, NameBefore);
  for (; match != index.end() && match->first == name; ++match) TakeMatch(out, match->second, mask);
}

// Walks the first cells of the slot (a union result's new cells at a time);
// once LongDefinitionList cells are behind, the rest is looked up in its
// name index, made on first use.
void LookupSlotInto(ConsListBuilder& out, Identifier* name, DefinitionSet* set, int32_t kind,
                    uint32_t mask) {
  if (set == nullptr) return;
  ConsList rest = DefinitionSlot(set, kind);
  int32_t walked = 0;
  while (rest != nullptr) {
    ListFacts* facts = FactsOf(rest);
    if (facts != nullptr && facts->names != nullptr) {
      TakeIndexed(out, *facts->names, name, mask);
      return;
    }
    if (walked >= LongDefinitionList) {
      if (facts == nullptr) facts = &FactsFor(rest);
      facts->names = NameIndexOf(rest);
      TakeIndexed(out, *facts->names, name, mask);
      return;
    }
    int32_t count = facts != nullptr && facts->tail != nullptr ? facts->prefix : LongDefinitionList - walked;
    for (int32_t i = 0; i < count && rest != nullptr; ++i, rest = rest->tail) {
      auto* definition = static_cast<const Definition*>(rest->head);
      if (definition->name == name) TakeMatch(out, definition, mask);
    }
    walked += count;
  }
}

ConsList LookupSlot(Identifier* name, DefinitionSet* set, int32_t kind) {
  ConsListBuilder out;
  LookupSlotInto(out, name, set, kind, AllTags);
  return out.head;
}

}  // namespace

Definition* NewDefinition(int32_t kind, Identifier* name, LazyCell* declaration) {
  auto* definition = static_cast<Definition*>(Allocate(sizeof(Definition)));
  definition->kind = kind;
  definition->name = name;
  definition->declaration = declaration;
  return definition;
}

Definition* DefineZEB_AttributeDefinition(Identifier* name, LazyCell* declaration) {
  return NewDefinition(HeaderEntryDefinition, name, declaration);
}
Definition* DefinePackageDeclaration(Identifier* name, LazyCell* declaration) {
  return NewDefinition(PackageDefinition, name, declaration);
}
Definition* DefineClassDeclaration(Identifier* name, LazyCell* declaration) {
  return NewDefinition(ClassDefinition, name, declaration);
}
Definition* DefineDeclaratorIdentifier(Identifier* name, LazyCell* declaration) {
  return NewDefinition(VariableDefinition, name, declaration);
}
Definition* DefineMethodDeclarator(Identifier* name, LazyCell* declaration) {
  return NewDefinition(MethodDefinition, name, declaration);
}
Definition* DefineInterfaceDeclaration(Identifier* name, LazyCell* declaration) {
  return NewDefinition(InterfaceDefinition, name, declaration);
}
Definition* DefineLabeledStatement(Identifier* name, LazyCell* declaration) {
  return NewDefinition(LabelDefinitionKind, name, declaration);
}
Definition* DefineLabeledStatementNoShortIf(Identifier* name, LazyCell* declaration) {
  return NewDefinition(NoShortIfLabelDefinition, name, declaration);
}

DefinitionSet* MakeDefinitionSet(const ConsList slots[DefinitionKindCount]) {
  uint64_t kinds = 0;
  int32_t count = 0;
  for (int32_t k = 0; k < DefinitionKindCount; ++k) {
    if (slots[k] != nullptr) {
      kinds |= uint64_t{1} << k;
      ++count;
    }
  }
  auto* set = static_cast<DefinitionSet*>(Allocate(sizeof(DefinitionSet) + sizeof(ConsList) * count));
  set->kinds = kinds;
  auto* lists = reinterpret_cast<ConsList*>(set + 1);
  for (int32_t k = 0; k < DefinitionKindCount; ++k) {
    if (slots[k] != nullptr) *lists++ = slots[k];
  }
  return set;
}

DefinitionSet* SingletonDefinitionSet(Definition* definition) {
  ConsList slots[DefinitionKindCount] = {};
  int32_t kind = definition->kind;
  if (kind < 1 || kind >= DefinitionKindCount) kind = 0;
  slots[kind] = Cons(definition, nullptr);
  return MakeDefinitionSet(slots);
}

ConsList UniteLists(ConsList a, ConsList b) {
  if (a == nullptr) return b;
  if (b == nullptr) return a;
  ListFacts* bFacts = FactsOf(b);
  PointerSet* set = bFacts != nullptr ? bFacts->members : nullptr;
  if (set == nullptr && !IsLongList(b)) {
    ConsListBuilder out;
    for (ConsList rest = a; rest != nullptr; rest = rest->tail) {
      if (!ConsContains(b, rest->head)) out.Add(rest->head);
    }
    *out.end = b;  // b is shared, not copied
    return out.head;
  }
  if (set == nullptr) set = MemberSetOf(b);
  ConsListBuilder out;
  int32_t added = 0;
  for (ConsList rest = a; rest != nullptr; rest = rest->tail) {
    if (!set->Has(rest->head)) {
      out.Add(rest->head);
      ++added;
    }
  }
  *out.end = b;  // b is shared, not copied
  ListFacts& operand = FactsFor(b);
  if (added == 0 || operand.setMovedOn) {
    operand.members = set;  // b keeps its set
    if (added == 0) return b;
    ListFacts& result = FactsFor(out.head);
    result.tail = b;
    result.prefix = added;
    return out.head;
  }
  // The set moves on to the result, which holds b's elements and the new ones.
  for (ConsList rest = out.head; rest != b; rest = rest->tail) set->Add(rest->head);
  operand.members = nullptr;
  operand.setMovedOn = true;
  ListFacts& result = FactsFor(out.head);
  result.members = set;
  result.tail = b;
  result.prefix = added;
  return out.head;
}

void ForgetListFacts() {
  for (auto& [list, facts] : Facts) {
    size_t bit = FilterBit(list);
    FactsFilter[bit / 64] &= ~(uint64_t{1} << (bit % 64));
    delete facts.members;
    delete facts.names;
  }
  // A fresh map rather than clear(), which would keep a large unit's buckets.
  std::unordered_map<const ConsCell*, ListFacts>().swap(Facts);
}

DefinitionSet* UniteDefinitionSets(DefinitionSet* a, DefinitionSet* b) {
  if (a == EmptyDefinitionSet || a == nullptr) return b == nullptr ? EmptyDefinitionSet : b;
  if (b == EmptyDefinitionSet || b == nullptr || a == b) return a;
  ConsList slots[DefinitionKindCount];
  for (int32_t k = 0; k < DefinitionKindCount; ++k) slots[k] = UniteLists(DefinitionSlot(a, k), DefinitionSlot(b, k));
  return MakeDefinitionSet(slots);
}

ConsList LookupZEB_AttributeDefinition(Identifier* name, DefinitionSet* set) {
  return LookupSlot(name, set, HeaderEntryDefinition);
}
ConsList LookupPackageDeclaration(Identifier* name, DefinitionSet* set) {
  return LookupSlot(name, set, PackageDefinition);
}
ConsList LookupClassDeclaration(Identifier* name, DefinitionSet* set) {
  return LookupSlot(name, set, ClassDefinition);
}
ConsList LookupDeclaratorIdentifier(Identifier* name, DefinitionSet* set) {
  return LookupSlot(name, set, VariableDefinition);
}
ConsList LookupMethodDeclarator(Identifier* name, DefinitionSet* set) {
  return LookupSlot(name, set, MethodDefinition);
}
ConsList LookupInterfaceDeclaration(Identifier* name, DefinitionSet* set) {
  return LookupSlot(name, set, InterfaceDefinition);
}
ConsList LookupLabeledStatement(Identifier* name, DefinitionSet* set) {
  return LookupSlot(name, set, LabelDefinitionKind);
}
ConsList LookupLabeledStatementNoShortIf(Identifier* name, DefinitionSet* set) {
  return LookupSlot(name, set, NoShortIfLabelDefinition);
}

ConsList LookupLabelDefinition(Identifier* name, DefinitionSet* set) {
  ConsListBuilder out;
  LookupSlotInto(out, name, set, LabelDefinitionKind, AllTags);
  LookupSlotInto(out, name, set, NoShortIfLabelDefinition, AllTags);
  return out.head;
}

ConsList LookupClassOrInterfaceDeclaration(Identifier* name, DefinitionSet* set) {
  ConsListBuilder out;
  LookupSlotInto(out, name, set, ClassDefinition, ClassOrInterfaceTags);
  LookupSlotInto(out, name, set, InterfaceDefinition, ClassOrInterfaceTags);
  return out.head;
}

// The type group adds the empty type declaration, which no slot holds; its
// filter therefore keeps the same nodes as the class-or-interface group.
ConsList LookupTypeDeclaration(Identifier* name, DefinitionSet* set) {
  ConsListBuilder out;
  LookupSlotInto(out, name, set, ClassDefinition, TypeDeclarationTags & ClassOrInterfaceTags);
  LookupSlotInto(out, name, set, InterfaceDefinition, TypeDeclarationTags & ClassOrInterfaceTags);
  return out.head;
}

ConsList LookupPackageOrTypeDeclaration(Identifier* name, DefinitionSet* set) {
  ConsListBuilder out;
  LookupSlotInto(out, name, set, ClassDefinition, PackageOrTypeTags & ClassOrInterfaceTags);
  LookupSlotInto(out, name, set, InterfaceDefinition, PackageOrTypeTags & ClassOrInterfaceTags);
  LookupSlotInto(out, name, set, PackageDefinition, PackageOrTypeTags);
  return out.head;
}

ConsList LookupGeneralDeclarator(Identifier* name, DefinitionSet* set) {
  ConsListBuilder out;
  LookupSlotInto(out, name, set, VariableDefinition, AllTags);
  LookupSlotInto(out, name, set, MethodDefinition, AllTags);
  LookupSlotInto(out, name, set, ClassDefinition, ClassOrInterfaceTags);
  LookupSlotInto(out, name, set, InterfaceDefinition, ClassOrInterfaceTags);
  LookupSlotInto(out, name, set, PackageDefinition, PackageOrTypeTags);
  return out.head;
}

DefinitionSet* DefinitionsOfScope(const SyntaxNode* node) {
  if (node == nullptr || node->code != ZEB_AttributeDefinitionNodeKind) return EmptyDefinitionSet;
  return reinterpret_cast<DefinitionSet*>(NodeField(node, 2));
}

DefinitionSet* MembersOfDeclaration(const SyntaxNode* node) {
  if (node == nullptr) return EmptyDefinitionSet;
  switch (node->code) {
    case PackageDeclarationNodeKind:
      return reinterpret_cast<DefinitionSet*>(NodeField(node, 2));
    case ClassDeclarationNodeKind:
      return reinterpret_cast<DefinitionSet*>(NodeField(node, 5));
    case InterfaceDeclarationNodeKind:
      return reinterpret_cast<DefinitionSet*>(NodeField(node, 4));
    default:
      return EmptyDefinitionSet;
  }
}

void DefinitionSetsModuleInit() {
  if (!EnterModuleInit(DefinitionSetsModuleFlag)) return;
  SyntaxNodesModuleInit();
  ConsList empty[DefinitionKindCount] = {};
  EmptyDefinitionSet = MakeDefinitionSet(empty);
  RegisterRoot(&EmptyDefinitionSet);
}
