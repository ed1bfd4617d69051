// The configuration tree: the data model of zebcheck.
//
// The tree builder (configbuild.h) makes it from the parse trace of one
// configuration; the definition checks (configresolve.h) resolve its names;
// the evaluator (configeval.h) folds its braced expressions; the canonical
// printer (configprint.h) prints it. Every node is a heap record that lives
// until the process ends and holds, in order: its variant tag (kind) where a
// record has several variants, its source position, its owner link, its
// fields, and last its own ConfigAnyNode {node kind code, node}; an
// expression node has its own ConfigAnyNode before its fields, and takes
// only the bytes of the fields of its kind.
// Nothing is changed after construction but the owner link (set once, the
// first owner wins), the lazy cells of the occurrences and, like lazy cells,
// the number of a literal (read from its text at its first use) and the text
// of a number made by folding (made when it is first printed).
//
// Node kind codes (ConfigAnyNode.code):
//   0 ConfigRootNode; 2 AttributeDefinitionNode; 8 ConfigArgumentListNode;
//   AttributeValueNode kinds 0, 1, 2, 3 -> 1, 3, 4, 38;
//   ConfigExprNode kinds 0, 1, 2 -> 5, 6, 7; 3-7 -> 9-13; 14-37 -> 14-37;
//   8, 9, 12, 13 -> 39, 40, 41, 42. The boolean literals (kinds 10 and 11)
//   have no ConfigAnyNode.
#pragma once

#include <cstdint>

#include "support/conslist.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/lazy.h"

// A reference to a configuration node; an owner link points at its owner's
// own one.
struct ConfigAnyNode {
  int32_t code;
  void* node;
};

// Value kinds of an AttributeValueNode.
enum ConfigValueKind : int32_t {
  ConfigNestedValue = 0,   // nested definitions (also the empty value {})
  ConfigLiteralValue = 1,  // a literal
  ConfigNameValue = 2,     // a simple or qualified name
  ConfigBracedValue = 3,   // a braced expression; also every expression wrapper
};

// Kinds of a ConfigExprNode.
enum ConfigExprKind : int32_t {
  ConfigSimpleName = 0,         // a
  ConfigQualifiedName = 1,      // q.a
  ConfigParenthesized = 2,      // (e)
  ConfigFieldAccess = 3,        // p.a
  ConfigNameCall = 4,           // n(args)
  ConfigPrimaryCall = 5,        // p.a(args)
  ConfigNameIndex = 6,          // n[e]
  ConfigPrimaryIndex = 7,       // p[e]
  ConfigIntegerLiteral = 8,
  ConfigFloatingLiteral = 9,
  ConfigTrueLiteral = 10,
  ConfigFalseLiteral = 11,
  ConfigCharacterLiteral = 12,
  ConfigStringLiteral = 13,
  ConfigUnaryPlus = 14,
  ConfigUnaryMinus = 15,
  ConfigComplement = 16,        // ~
  ConfigNot = 17,               // !
  ConfigMultiply = 18,
  ConfigDivide = 19,
  ConfigRemainder = 20,
  ConfigAdd = 21,
  ConfigSubtract = 22,
  ConfigShiftLeft = 23,
  ConfigShiftRight = 24,
  ConfigShiftRightUnsigned = 25,
  ConfigLess = 26,
  ConfigGreater = 27,
  ConfigLessEqual = 28,
  ConfigGreaterEqual = 29,
  ConfigEqual = 30,
  ConfigNotEqual = 31,
  ConfigBitAnd = 32,
  ConfigBitXor = 33,
  ConfigBitOr = 34,
  ConfigAnd = 35,               // &&
  ConfigOr = 36,                // ||
  ConfigConditional = 37,       // c ? x : y
};

inline constexpr int32_t ConfigExprKindCount = 38;

struct AttributeValueNode;
struct AttributeDefinitionNode;
struct ConfigExprNode;
struct ConfigArgumentListNode;

// A name in an expression: the identifier and the cell that yields its match
// list, the ConsList of the AttributeDefinitionNodes it resolves to, in
// lookup order.
struct AppliedOccurrence {
  LazyCell* matches;
  Identifier* identifier;
};

// The name of a definition: the identifier and the cell that yields the
// definitions of the same name visible where the definition stands.
struct DefiningOccurrence {
  LazyCell* definitions;
  Identifier* identifier;
};

// One declared name: kind (always 0), the name, and a cell that yields the
// AttributeDefinitionNode.
struct ConfigDefinition {
  int32_t kind;
  Identifier* name;
  LazyCell* node;
};

struct ConfigSetIndex;

// The definitions visible in a scope, in lookup order (a ConsList of
// ConfigDefinition). EmptyConfigDefinitionSet() is the one set without
// definitions, recognised by identity. The other fields only speed up
// lookups (configresolve.cpp): a union's list is its own new cells followed
// by the list of the set it shares, so a lookup walks the sets one after
// the other and can use a name index that a set gets once it is looked up
// often.
struct ConfigDefinitionSet {
  ConsList definitions;
  int32_t ownCount;              // leading cells of the list made for this set
  ConfigDefinitionSet* shared;   // the set whose list follows them, or null
  int32_t visits;                // lookups that walked this set's own cells; -1: never indexed
  ConfigSetIndex* index;        // names of this set up to indexEnd, or null
  ConfigDefinitionSet* indexEnd; // the set where the index's walk stopped, or null
};

// An applied occurrence made by the tree builder, with its match-list cell.
struct ConfigNameRecord {
  AppliedOccurrence occurrence;
  LazyCell matches;
};

// The builder's name records in blocks of ConfigNameBlockRecords, in the
// order it made them, which is the source order of the names: that of a
// depth-first, left-to-right walk of the finished tree. Every block but the
// last is full.
inline constexpr int32_t ConfigNameBlockRecords = 64;
struct ConfigNameBlock {
  ConfigNameBlock* next;
  int32_t count;
  ConfigNameRecord records[ConfigNameBlockRecords];
};

struct ConfigRootNode {
  SourcePosition position;
  const ConfigAnyNode* owner;  // the owner's own ConfigAnyNode; null until adopted
  AttributeValueNode* value;  // kind 0: the top-level definitions
  // Every name occurrence of the tree, in the order of a depth-first walk;
  // null when it has none.
  ConfigNameBlock* names;
  ConfigAnyNode self;
};

struct AttributeDefinitionNode {
  SourcePosition position;  // of its backslash
  const ConfigAnyNode* owner;  // the owner's own ConfigAnyNode; null until adopted
  DefiningOccurrence* name;
  AttributeValueNode* value;
  ConfigDefinitionSet* nested;  // what the value defines: its nested list's set, else empty
  // Kept by the evaluator (configeval.cpp): how far the value's fold has
  // got (0 until it is first folded) and the node that goes with that
  // state (null until then); configeval.cpp tells the states.
  ConfigExprNode* folded;
  int32_t foldState;
  ConfigAnyNode self;
};

struct AttributeValueNode {
  int32_t kind;  // ConfigValueKind
  SourcePosition position;
  const ConfigAnyNode* owner;  // the owner's own ConfigAnyNode; null until adopted
  // Kind 0: ConsList of AttributeDefinitionNode (null when empty); kinds 1-3:
  // the ConfigExprNode.
  union {
    ConsList definitions;
    ConfigExprNode* expression;
  };
  ConfigAnyNode self;
};

struct ConfigArgumentListNode {
  SourcePosition position;
  const ConfigAnyNode* owner;  // the owner's own ConfigAnyNode; null until adopted
  ConsList arguments;  // AttributeValueNode kind 3, one per argument
  ConfigAnyNode self;
};

struct ConfigExprNode {
  int32_t kind;  // ConfigExprKind
  SourcePosition position;
  const ConfigAnyNode* owner;  // the owner's own ConfigAnyNode; null until adopted
  // Kinds 10 and 11 have no self and no fields: their records end here.
  ConfigAnyNode self;
  // The fields of the kinds; a record ends after those of its own kind.
  union {
    struct {
      AppliedOccurrence* occurrence;
    } name;  // 0
    struct {
      ConfigExprNode* qualifier;  // kind 0 or 1
      AppliedOccurrence* occurrence;
    } qualified;  // 1
    struct {
      AttributeValueNode* inner;  // kind 3 wrapper
    } parenthesized;  // 2
    struct {
      ConfigExprNode* primary;
      AppliedOccurrence* occurrence;
      ConfigArgumentListNode* arguments;  // kind 5 only; null without arguments
    } member;  // 3 and 5
    struct {
      ConfigExprNode* name;  // kind 0 or 1
      ConfigArgumentListNode* arguments;  // null without arguments
    } call;  // 4
    struct {
      ConfigExprNode* base;  // kind 6: a name; kind 7: a primary
      AttributeValueNode* index;  // kind 3 wrapper
    } index;  // 6 and 7
    struct {
      // The token text exactly as written, NUL-terminated; a character or
      // string literal may hold NUL bytes of its own, so its bytes are the
      // first length ones. A number made by folding has no text (null,
      // length 0) until ConfigLiteralText makes it.
      const char* text;
      int32_t length;
      union {
        int32_t integer;    // kind 8: the value, read when the node is made or given by folding
        int32_t realKnown;  // kind 9: non-zero once real holds the value
      };
      double real;  // kind 9 only (read at its first use, or given by folding)
    } literal;  // 8, 9, 12, 13; the records of kinds 8, 12 and 13 end before real
    struct {
      ConfigExprNode* operand;
    } unary;  // 14-17
    struct {
      ConfigExprNode* left;
      ConfigExprNode* right;
    } binary;  // 18-36
    struct {
      ConfigExprNode* condition;
      AttributeValueNode* then;  // kind 3 wrapper
      ConfigExprNode* otherwise;
    } conditional;  // 37
  };
};

// The node kind code of an expression kind and of a value kind.
int32_t ConfigExprNodeCode(int32_t kind);
int32_t AttributeValueNodeCode(int32_t kind);

// Constructors: each sets the owner link to empty, makes the node's
// ConfigAnyNode and links its child nodes to itself.
ConfigRootNode* MakeConfigRootNode(SourcePosition position, AttributeValueNode* value, ConfigNameBlock* names);
AttributeDefinitionNode* MakeAttributeDefinitionNode(SourcePosition position, DefiningOccurrence* name,
                                                     AttributeValueNode* value, ConfigDefinitionSet* nested);
AttributeValueNode* MakeNestedValue(SourcePosition position, ConsList definitions);
AttributeValueNode* MakeLiteralValue(SourcePosition position, ConfigExprNode* literal);
AttributeValueNode* MakeNameValue(SourcePosition position, ConfigExprNode* name);
AttributeValueNode* MakeBracedValue(SourcePosition position, ConfigExprNode* expression);
ConfigArgumentListNode* MakeConfigArgumentList(SourcePosition position, ConsList arguments);

ConfigExprNode* MakeConfigSimpleName(SourcePosition position, AppliedOccurrence* occurrence);
ConfigExprNode* MakeConfigQualifiedName(SourcePosition position, ConfigExprNode* qualifier,
                                        AppliedOccurrence* occurrence);
ConfigExprNode* MakeConfigParenthesized(SourcePosition position, AttributeValueNode* inner);
ConfigExprNode* MakeConfigFieldAccess(SourcePosition position, ConfigExprNode* primary,
                                      AppliedOccurrence* occurrence);
ConfigExprNode* MakeConfigNameCall(SourcePosition position, ConfigExprNode* name,
                                   ConfigArgumentListNode* arguments);
ConfigExprNode* MakeConfigPrimaryCall(SourcePosition position, ConfigExprNode* primary,
                                      AppliedOccurrence* occurrence, ConfigArgumentListNode* arguments);
// Kind 6 or 7.
ConfigExprNode* MakeConfigIndex(int32_t kind, SourcePosition position, ConfigExprNode* base,
                                AttributeValueNode* index);
// Kind 8, 9, 12 or 13, with the token's text. A character or string
// literal's text ends at its closing quote, whatever bytes it holds.
ConfigExprNode* MakeConfigLiteral(int32_t kind, SourcePosition position, const char* text);
// Kind 10 or 11: position only.
ConfigExprNode* MakeConfigBooleanLiteral(int32_t kind, SourcePosition position);
// Kinds 14-17.
ConfigExprNode* MakeConfigUnary(int32_t kind, SourcePosition position, ConfigExprNode* operand);
// Kinds 18-36.
ConfigExprNode* MakeConfigBinary(int32_t kind, SourcePosition position, ConfigExprNode* left,
                                 ConfigExprNode* right);
ConfigExprNode* MakeConfigConditional(SourcePosition position, ConfigExprNode* condition,
                                      AttributeValueNode* then, ConfigExprNode* otherwise);

AppliedOccurrence* MakeAppliedOccurrence(LazyCell* matches, Identifier* identifier);

// The match list of an occurrence (forces its cell).
ConsList OccurrenceMatches(AppliedOccurrence* occurrence);

// The two shared boolean results, made once at start-up (position 0); they
// are never children of a node.
ConfigExprNode* SharedTrue();
ConfigExprNode* SharedFalse();

// Results of folding: a new kind-8 node at position 0 with value; a new
// kind-9 node with the value that the text of value in fixed notation with
// six digits after the point ("%.6f") reads as, which is the value its text
// shows; SharedTrue or SharedFalse. The number nodes get their texts when
// ConfigLiteralText first asks for them.
ConfigExprNode* MakeConfigInteger(int32_t value);
ConfigExprNode* MakeConfigDouble(double value);
ConfigExprNode* MakeConfigBoolean(int32_t flag);

// The text of a literal node; for a number made by folding it is made on the
// first call ("%d" of an integer, "%.6f" of a floating value) and kept, and
// node->literal.length is set with it.
const char* ConfigLiteralText(ConfigExprNode* node);

// The numeric value of a literal's text, read as "%d" and "%lf" read it: an
// integer is an optional sign and the longest run of decimal digits after it
// (0 without digits), taken modulo 2^32 when it does not fit (017 is 17,
// 0x1F is 0, 12L is 12); a floating value is the longest decimal number at
// the start (a suffix letter ends it; 0.0 without one), as strtod reads it.
// The value of a node is read once and kept beside its text: an integer's
// when the node is made, a floating value's at its first use.
int32_t ConfigIntegerValue(const ConfigExprNode* node);
double ConfigDoubleValue(ConfigExprNode* node);
// The same readings of a text.
int32_t ReadConfigInteger(const char* text);
double ReadConfigDouble(const char* text);

// The value that the "%.6f" text of value reads as (by ReadConfigDouble):
// value rounded to six digits after the point, the number a folded
// floating result stands for.
double ConfigFixedValue(double value);

// Writes "%.6f" of value at `at` (room for ConfigFixedTextLimit bytes) and
// returns the end of the text (no NUL is written).
inline constexpr int32_t ConfigFixedTextLimit = 330;  // sign, 309 digits, point, six digits
char* WriteConfigFixed(char* at, double value);

// True for every node whose kind is not 11 (false).
bool IsConfigTrue(const ConfigExprNode* node);

// Once-only: makes SharedTrue and SharedFalse.
void InitConfigTree();
