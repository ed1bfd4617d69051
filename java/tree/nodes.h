// The Java syntax tree: node records, node kinds and families, node
// references (AnyNode), identifier occurrences, owner links and the ancestor
// search.
//
// Every node starts with the same header: the variant tag (-1 for a kind that
// stands alone), the data byte, the node's code (its NodeKind, or a
// LeafVariant code for a leaf), the position and the owner link. A non-leaf node
// then holds its fields, one word each, in the order of its row in
// nodes.def, and last its own AnyNode, two words held in place (not a
// reference to a record of its own). A leaf has only the header. Words that
// hold references are pointer-sized.
//
// Owner links are set while the tree is built: each constructor, after making
// the node's AnyNode, gives every child node (every element of a list field,
// every present optional child) the new AnyNode as owner, unless the child
// already has one (SetOnce: the first owner wins).
#pragma once

#include <cstdint>

#include "support/conslist.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/lazy.h"

enum NodeFamily : int32_t {
#define NODE_FAMILY(Name) Name,
#include "java/tree/nodes.def"
  NodeFamilyCount
};

enum NodeKind : int32_t {
#define NODE_KIND(code, Name, Family, tag, production, fields) Name##Kind = code,
#include "java/tree/nodes.def"
  NodeKindCount
};

// Leaf codes follow the kind codes, so that a node's code names leaves too.
enum LeafVariant : int32_t {
  LeafCodeBase = 256,
  LeafCodeBeforeFirst = LeafCodeBase - 1,
#define NODE_LEAF(Name, Family, tag, production) Name##Leaf,
#include "java/tree/nodes.def"
  LeafCodeEnd
};
inline constexpr int32_t LeafVariantCount = LeafCodeEnd - LeafCodeBase;

// The variant tag of each kind and leaf within its family, named after it:
// AddExpressionNodeTag is AddExpressionNode's tag in ExpressionFamily. Tags of
// different families overlap, so a tag is only compared with the tags of the
// family the node is known to belong to (a kind that stands alone has -1).
enum VariantTag : int32_t {
#define NODE_KIND(code, Name, Family, tag, production, fields) Name##Tag = tag,
#define NODE_LEAF(Name, Family, tag, production) Name##Tag = tag,
#include "java/tree/nodes.def"
};

struct AnyNode;

// A source position as the tree's records keep it: 32 bits, so that a node
// header stays two words and a builder instance header one word, although
// positions themselves are 64 bits wide. A construct that begins beyond the
// 32-bit range (an input of more than 2 GiB) cannot be kept; NodePositionOf
// ends the run with a fatal error then instead of storing a wrong position.
using NodePosition = int32_t;
inline constexpr char InputTooLongForTreeText[] = "input too long for the syntax tree";
// Ends the run with the fatal error InputTooLongForTreeText.
[[noreturn]] void InputTooLongForTree();
inline NodePosition NodePositionOf(SourcePosition position) {
  if (position > INT32_MAX) InputTooLongForTree();
  return static_cast<NodePosition>(position);
}

// The tag, the data and the code are narrow (tags are below 64, codes far
// below 2^15, and the passes keep a small mark in data) so that the header is
// two words: a run keeps every node of every file it parses.
struct SyntaxNode {
  int8_t tag;              // variant tag within the family; -1 when the kind stands alone
  uint8_t data;            // the name-resolution passes' mark; 0 when made
  int16_t code;            // NodeKind, or a LeafVariant code for a leaf
  NodePosition position;   // first token of the construct (0 for nodes made for type values)
  AnyNode* owner;          // the adopting node's AnyNode; null until adopted
};
static_assert(sizeof(SyntaxNode) == 16, "a node header is two words");
static_assert(LeafCodeEnd <= INT16_MAX, "node codes fit the header's code field");

// The reference {kind code, node} that every non-leaf node carries last.
struct AnyNode {
  int32_t kind;
  SyntaxNode* node;
};

// The identifier field of a name node: its lookup cell first, so that one
// accessor serves both occurrence records.
struct AppliedOccurrence {
  LazyCell* definitions;  // yields the ConsList of declaring nodes
  Identifier* name;
};

struct DefiningOccurrence {
  LazyCell* definitions;  // yields the declaring nodes of the same name and kind in scope
  Identifier* name;
  Word spare;             // 0 when made; unused by the tree
};

// A method or constructor that method resolution considers.
struct MethodCandidate {
  SyntaxNode* declaration;   // the method's or constructor's declaration node
  LazyCell* parameterTypes;  // yields the list of its parameter types
};

// Field letters of nodes.def.
enum FieldForm : char {
  ChildField = 'N',
  OptionalChildField = 'O',
  ListField = 'L',
  OptionalListField = 'M',
  AppliedField = 'A',
  DefiningField = 'D',
  ValueField = 'V',
  CountField = 'C',
  InnerSetField = 'S',
};

struct NodeKindInfo {
  const char* name;
  NodeFamily family;
  int32_t tag;
  int32_t production;  // the production whose tree attribute makes it
  const char* fields;  // one FieldForm letter per field
  int32_t fieldCount;
};

struct LeafInfo {
  const char* name;
  NodeFamily family;
  int32_t tag;
  int32_t production;
};

extern const NodeKindInfo NodeKindTable[NodeKindCount];
// Each kind's fields that hold a child node (ChildField, OptionalChildField)
// and those that hold a list of them (ListField, OptionalListField), one bit
// per field, so that a walk over the children visits only those fields.
extern const uint32_t ChildFieldBits[NodeKindCount];
extern const uint32_t ListFieldBits[NodeKindCount];
extern const LeafInfo LeafTable[LeafVariantCount];
extern const char* const NodeFamilyNames[NodeFamilyCount];

inline bool IsLeafCode(int32_t code) { return code >= LeafCodeBase; }
inline const LeafInfo& LeafInfoOf(int32_t code) { return LeafTable[code - LeafCodeBase]; }

// The name of a node's kind or leaf variant ("ClassDeclarationNode").
const char* NodeName(const SyntaxNode* node);

// The kind that has this tag in this family; -1 for a leaf variant or an
// unknown pair.
int32_t KindOfVariant(NodeFamily family, int32_t tag);

// Field i of a non-leaf node, as a word.
inline Word* NodeFields(SyntaxNode* node) { return reinterpret_cast<Word*>(node + 1); }
inline const Word* NodeFields(const SyntaxNode* node) { return reinterpret_cast<const Word*>(node + 1); }
inline Word NodeField(const SyntaxNode* node, int32_t i) { return NodeFields(node)[i]; }
inline SyntaxNode* NodeChild(const SyntaxNode* node, int32_t i) {
  return reinterpret_cast<SyntaxNode*>(NodeField(node, i));
}
inline ConsList NodeList(const SyntaxNode* node, int32_t i) {
  return reinterpret_cast<ConsList>(NodeField(node, i));
}
// Field i as an occurrence record (applied or defining).
inline const void* FieldOccurrence(const SyntaxNode* node, int32_t i) {
  return reinterpret_cast<const void*>(NodeField(node, i));
}

// The family of a node's kind or leaf variant.
inline NodeFamily FamilyOf(const SyntaxNode* node) {
  return IsLeafCode(node->code) ? LeafInfoOf(node->code).family : NodeKindTable[node->code].family;
}
// Whether the node is there and of the family.
inline bool InFamily(const SyntaxNode* node, NodeFamily family) {
  return node != nullptr && FamilyOf(node) == family;
}

// The node's owner; null for a null node.
inline AnyNode* OwnerOf(const SyntaxNode* node) { return node == nullptr ? nullptr : node->owner; }

// The node's own AnyNode (its last two words); null for a leaf or null node.
AnyNode* NodeAnyNode(const SyntaxNode* node);

// Makes the two-word reference in its place at the end of the node, whose
// fields are set; only the node constructors call it.
AnyNode* NewAnyNode(int32_t kind, SyntaxNode* node);

// Constructor of a non-leaf kind: header, the fields as given (exactly the
// kind's field count), the AnyNode in place, then the children adopted.
SyntaxNode* NewNode(NodeKind kind, SourcePosition position, const Word* fields);

// Constructor of a leaf: the header only.
SyntaxNode* NewLeaf(LeafVariant leaf, SourcePosition position);

// One named constructor per kind and leaf (NewClassTypeNode(position, name),
// NewIntTypeNode(position) ...), made from the table.
#define NODE_KIND(code, Name, Family, tag, production, fields)          \
  inline SyntaxNode* New##Name(SourcePosition position, auto... args) { \
    const Word words[sizeof...(args) + 1] = {Word(args)...};            \
    return NewNode(Name##Kind, position, words);                        \
  }
#define NODE_LEAF(Name, Family, tag, production) \
  inline SyntaxNode* New##Name(SourcePosition position) { return NewLeaf(Name##Leaf, position); }
#include "java/tree/nodes.def"

AppliedOccurrence* NewAppliedOccurrence(LazyCell* definitions, Identifier* name);
DefiningOccurrence* NewDefiningOccurrence(LazyCell* definitions, Identifier* name);

MethodCandidate* NewMethodCandidate(SyntaxNode* declaration, LazyCell* parameterTypes);

// Forces the occurrence's lookup cell: the ConsList of declaring nodes.
// Takes either occurrence record.
ConsList OccurrenceDefinitions(const void* occurrence);
Identifier* OccurrenceName(const void* occurrence);

// Stores value into the word only while the word is null.
void SetOnce(AnyNode** word, AnyNode* value);

// Gives each child of the node the node's AnyNode as owner (first owner wins).
void AdoptChildren(SyntaxNode* node);

// Calls the predicate with start, then with each owner up the links, and
// returns the first reference it accepts; the predicate is called once with
// null after the root, and null is returned when nothing was accepted.
using AncestorPredicate = Closure<int32_t, AnyNode*>;
AnyNode* FindAncestor(AnyNode* start, AncestorPredicate predicate);

// Once-only init of the node module.
void SyntaxNodesModuleInit();
