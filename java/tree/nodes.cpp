// The node records of the Java syntax tree: the kind and leaf tables made
// from nodes.def, the constructors with their owner links, and the ancestor
// search.
#include "java/tree/nodes.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "support/heap.h"
#include "support/report.h"
#include "support/startup.h"

namespace {

constexpr int32_t CountFields(const char* fields) {
  int32_t n = 0;
  while (fields[n] != '\0') ++n;
  return n;
}

// Every variant tag fits the header's tag byte.
constexpr int32_t EveryVariantTag[] = {
#define NODE_KIND(code, Name, Family, tag, production, fields) tag,
#define NODE_LEAF(Name, Family, tag, production) tag,
#include "java/tree/nodes.def"
};
constexpr bool TagsFitTheHeader() {
  for (int32_t tag : EveryVariantTag) {
    if (tag < -1 || tag >= 64) return false;
  }
  return true;
}
static_assert(TagsFitTheHeader(), "variant tags are -1 or below 64");

constexpr int32_t EveryFieldCount[] = {
#define NODE_KIND(code, Name, Family, tag, production, fields) CountFields(fields),
#include "java/tree/nodes.def"
};
constexpr int32_t MaxFieldCount() {
  int32_t most = 0;
  for (int32_t count : EveryFieldCount) most = count > most ? count : most;
  return most;
}

// A kind's fields of the given two forms, one bit per field.
constexpr uint32_t FieldBits(const char* fields, FieldForm form, FieldForm otherForm) {
  uint32_t bits = 0;
  for (int32_t i = 0; fields[i] != '\0'; ++i) {
    if (fields[i] == form || fields[i] == otherForm) bits |= uint32_t{1} << i;
  }
  return bits;
}

static_assert(MaxFieldCount() <= 32, "a kind's fields fit the bits of a word");

// The kind codes of each family's tags, filled once from the kind table.
int32_t VariantKinds[NodeFamilyCount][64];

int32_t NodesModuleFlag = 0;

}  // namespace

const NodeKindInfo NodeKindTable[NodeKindCount] = {
#define NODE_KIND(code, Name, Family, tag, production, fields) \
  {#Name, Family, tag, production, fields, CountFields(fields)},
#include "java/tree/nodes.def"
};

const uint32_t ChildFieldBits[NodeKindCount] = {
#define NODE_KIND(code, Name, Family, tag, production, fields) FieldBits(fields, ChildField, OptionalChildField),
#include "java/tree/nodes.def"
};
const uint32_t ListFieldBits[NodeKindCount] = {
#define NODE_KIND(code, Name, Family, tag, production, fields) FieldBits(fields, ListField, OptionalListField),
#include "java/tree/nodes.def"
};

const LeafInfo LeafTable[LeafVariantCount] = {
#define NODE_LEAF(Name, Family, tag, production) {#Name, Family, tag, production},
#include "java/tree/nodes.def"
};

const char* const NodeFamilyNames[NodeFamilyCount] = {
#define NODE_FAMILY(Name) #Name,
#include "java/tree/nodes.def"
};

// The kinds are listed by code with no gap.
#define NODE_KIND(code, Name, Family, tag, production, fields) \
  static_assert(Name##Kind == code, "nodes.def lists the kinds in code order");
#include "java/tree/nodes.def"

const char* NodeName(const SyntaxNode* node) {
  if (node == nullptr) return "null";
  if (IsLeafCode(node->code)) return LeafInfoOf(node->code).name;
  return NodeKindTable[node->code].name;
}

int32_t KindOfVariant(NodeFamily family, int32_t tag) {
  SyntaxNodesModuleInit();
  if (family <= Untagged || family >= NodeFamilyCount || tag < 0 || tag >= 64) return -1;
  return VariantKinds[family][tag];
}

AnyNode* NodeAnyNode(const SyntaxNode* node) {
  if (node == nullptr || IsLeafCode(node->code)) return nullptr;
  const Word* after = NodeFields(node) + NodeKindTable[node->code].fieldCount;
  return reinterpret_cast<AnyNode*>(const_cast<Word*>(after));
}

AnyNode* NewAnyNode(int32_t kind, SyntaxNode* node) {
  auto* any = reinterpret_cast<AnyNode*>(NodeFields(node) + NodeKindTable[kind].fieldCount);
  any->kind = kind;
  any->node = node;
  return any;
}

namespace {

// Gives the children that a node of the kind holds in its fields the owner.
// Occurrences, values, counts and sets are not nodes: only the child and list
// fields are visited.
void AdoptFields(int32_t kind, const Word* fields, AnyNode* owner) {
  for (uint32_t bits = ChildFieldBits[kind]; bits != 0; bits &= bits - 1) {
    if (auto* child = reinterpret_cast<SyntaxNode*>(fields[std::countr_zero(bits)])) SetOnce(&child->owner, owner);
  }
  for (uint32_t bits = ListFieldBits[kind]; bits != 0; bits &= bits - 1) {
    for (auto rest = reinterpret_cast<ConsList>(fields[std::countr_zero(bits)]); rest != nullptr; rest = rest->tail) {
      SetOnce(&static_cast<SyntaxNode*>(rest->head)->owner, owner);
    }
  }
}

}  // namespace

// Out of line, so that NodePositionOf inlines to a test and a branch.
void InputTooLongForTree() { FatalError(InputTooLongForTreeText); }

SyntaxNode* NewNode(NodeKind kind, SourcePosition position, const Word* fields) {
  const NodeKindInfo& info = NodeKindTable[kind];
  size_t words = static_cast<size_t>(info.fieldCount);
  auto* node = static_cast<SyntaxNode*>(Allocate(sizeof(SyntaxNode) + words * sizeof(Word) + sizeof(AnyNode)));
  node->tag = static_cast<int8_t>(info.tag);
  node->position = NodePositionOf(position);
  node->owner = nullptr;
  node->data = 0;
  node->code = static_cast<int16_t>(kind);
  Word* slots = NodeFields(node);
  for (int32_t i = 0; i < info.fieldCount; ++i) slots[i] = fields[i];
  // The AnyNode exists before the children are adopted: it is their owner value.
  AdoptFields(kind, fields, NewAnyNode(kind, node));
  return node;
}

SyntaxNode* NewLeaf(LeafVariant leaf, SourcePosition position) {
  auto* node = static_cast<SyntaxNode*>(AllocateAligned(sizeof(SyntaxNode)));
  node->tag = static_cast<int8_t>(LeafInfoOf(leaf).tag);
  node->position = NodePositionOf(position);
  node->owner = nullptr;
  node->data = 0;
  node->code = static_cast<int16_t>(leaf);
  return node;
}

AppliedOccurrence* NewAppliedOccurrence(LazyCell* definitions, Identifier* name) {
  auto* occurrence = static_cast<AppliedOccurrence*>(AllocateAligned(sizeof(AppliedOccurrence)));
  occurrence->definitions = definitions;
  occurrence->name = name;
  return occurrence;
}

DefiningOccurrence* NewDefiningOccurrence(LazyCell* definitions, Identifier* name) {
  auto* occurrence = static_cast<DefiningOccurrence*>(AllocateAligned(sizeof(DefiningOccurrence)));
  occurrence->definitions = definitions;
  occurrence->name = name;
  occurrence->spare = 0;
  return occurrence;
}

MethodCandidate* NewMethodCandidate(SyntaxNode* declaration, LazyCell* parameterTypes) {
  auto* candidate = static_cast<MethodCandidate*>(AllocateAligned(sizeof(MethodCandidate)));
  candidate->declaration = declaration;
  candidate->parameterTypes = parameterTypes;
  return candidate;
}

ConsList OccurrenceDefinitions(const void* occurrence) {
  if (occurrence == nullptr) return nullptr;
  LazyCell* cell = static_cast<const AppliedOccurrence*>(occurrence)->definitions;
  return reinterpret_cast<ConsList>(ForceLazyCell(cell));
}

Identifier* OccurrenceName(const void* occurrence) {
  if (occurrence == nullptr) return nullptr;
  return static_cast<const AppliedOccurrence*>(occurrence)->name;
}

void SetOnce(AnyNode** word, AnyNode* value) {
  if (*word == nullptr) *word = value;
}

void AdoptChildren(SyntaxNode* node) {
  if (node == nullptr || IsLeafCode(node->code)) return;
  AdoptFields(node->code, NodeFields(node), NodeAnyNode(node));
}

AnyNode* FindAncestor(AnyNode* start, AncestorPredicate predicate) {
  AnyNode* current = start;
  for (;;) {
    if (CallClosure(predicate, current) != 0) return current;
    if (current == nullptr) return nullptr;
    current = current->node->owner;
  }
}

void SyntaxNodesModuleInit() {
  if (!EnterModuleInit(NodesModuleFlag)) return;
  std::memset(VariantKinds, 0xff, sizeof VariantKinds);
  for (int32_t kind = 0; kind < NodeKindCount; ++kind) {
    const NodeKindInfo& info = NodeKindTable[kind];
    if (info.family != Untagged) VariantKinds[info.family][info.tag] = kind;
  }
}
