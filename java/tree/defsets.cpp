// Definitions, definition sets, their union and the lookups by name, kind
// and group of kinds.
#include "java/tree/defsets.h"

#include "support/heap.h"
#include "support/startup.h"

DefinitionSet* EmptyDefinitionSet = nullptr;

namespace {

int32_t DefinitionSetsModuleFlag = 0;

// A list built at its end: the result lists keep slot order.
struct ListBuilder {
  ConsList head = nullptr;
  ConsList* end = &head;
  void Add(void* element) {
    *end = Cons(element, nullptr);
    end = &(*end)->tail;
  }
};

// Variant-tag masks of the GeneralDeclaratorFamily groups.
constexpr uint32_t ClassOrInterfaceTags = (1u << 1) | (1u << 2);
constexpr uint32_t TypeDeclarationTags = ClassOrInterfaceTags | (1u << 3);
constexpr uint32_t PackageOrTypeTags = TypeDeclarationTags | 1u;
constexpr uint32_t AllTags = ~0u;

// Appends the declaring nodes of slot kind named name to out, keeping only
// non-null nodes whose tag is in mask.
void LookupSlotInto(ListBuilder& out, Identifier* name, DefinitionSet* set, int32_t kind,
                    uint32_t mask) {
  if (set == nullptr) return;
  for (ConsList rest = set->slots[kind]; rest != nullptr; rest = rest->tail) {
    auto* definition = static_cast<Definition*>(rest->head);
    if (definition->name != name) continue;
    auto* node = reinterpret_cast<SyntaxNode*>(ForceLazyCell(definition->declaration));
    if (node == nullptr) continue;
    if (mask != AllTags && (node->tag < 0 || (mask & (1u << node->tag)) == 0)) continue;
    out.Add(node);
  }
}

ConsList LookupSlot(Identifier* name, DefinitionSet* set, int32_t kind) {
  ListBuilder out;
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
  auto* set = static_cast<DefinitionSet*>(Allocate(sizeof(DefinitionSet)));
  for (int32_t k = 0; k < DefinitionKindCount; ++k) set->slots[k] = slots[k];
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
  ListBuilder out;
  for (ConsList rest = a; rest != nullptr; rest = rest->tail) {
    if (!ConsContains(b, rest->head)) out.Add(rest->head);
  }
  *out.end = b;  // b is shared, not copied
  return out.head;
}

DefinitionSet* UniteDefinitionSets(DefinitionSet* a, DefinitionSet* b) {
  if (a == EmptyDefinitionSet || a == nullptr) return b == nullptr ? EmptyDefinitionSet : b;
  if (b == EmptyDefinitionSet || b == nullptr || a == b) return a;
  ConsList slots[DefinitionKindCount];
  for (int32_t k = 0; k < DefinitionKindCount; ++k) slots[k] = UniteLists(a->slots[k], b->slots[k]);
  return MakeDefinitionSet(slots);
}

DefinitionSet* UniteDisjointDefinitionSets(DefinitionSet* a, DefinitionSet* b) {
  if (a == EmptyDefinitionSet || a == nullptr) return b == nullptr ? EmptyDefinitionSet : b;
  if (b == EmptyDefinitionSet || b == nullptr || a == b) return a;
  ConsList slots[DefinitionKindCount];
  for (int32_t k = 0; k < DefinitionKindCount; ++k) {
    if (a->slots[k] == nullptr) {
      slots[k] = b->slots[k];
      continue;
    }
    ListBuilder out;
    for (ConsList rest = a->slots[k]; rest != nullptr; rest = rest->tail) out.Add(rest->head);
    *out.end = b->slots[k];  // b is shared, not copied
    slots[k] = out.head;
  }
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
  ListBuilder out;
  LookupSlotInto(out, name, set, LabelDefinitionKind, AllTags);
  LookupSlotInto(out, name, set, NoShortIfLabelDefinition, AllTags);
  return out.head;
}

ConsList LookupClassOrInterfaceDeclaration(Identifier* name, DefinitionSet* set) {
  ListBuilder out;
  LookupSlotInto(out, name, set, ClassDefinition, ClassOrInterfaceTags);
  LookupSlotInto(out, name, set, InterfaceDefinition, ClassOrInterfaceTags);
  return out.head;
}

// The type group adds the empty type declaration, which no slot holds; its
// filter therefore keeps the same nodes as the class-or-interface group.
ConsList LookupTypeDeclaration(Identifier* name, DefinitionSet* set) {
  ListBuilder out;
  LookupSlotInto(out, name, set, ClassDefinition, TypeDeclarationTags & ClassOrInterfaceTags);
  LookupSlotInto(out, name, set, InterfaceDefinition, TypeDeclarationTags & ClassOrInterfaceTags);
  return out.head;
}

ConsList LookupPackageOrTypeDeclaration(Identifier* name, DefinitionSet* set) {
  ListBuilder out;
  LookupSlotInto(out, name, set, ClassDefinition, PackageOrTypeTags & ClassOrInterfaceTags);
  LookupSlotInto(out, name, set, InterfaceDefinition, PackageOrTypeTags & ClassOrInterfaceTags);
  LookupSlotInto(out, name, set, PackageDefinition, PackageOrTypeTags);
  return out.head;
}

ConsList LookupGeneralDeclarator(Identifier* name, DefinitionSet* set) {
  ListBuilder out;
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
