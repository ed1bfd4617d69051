// Configuration tree building over the parse trace.
//
// 1. Replay. Each builder runs when the replay reaches the first token of
//    its construct, so PositionCounter then holds the construct's position.
//    Nonterminals with one production leave no record in the trace; their
//    builders are folded into the builders of the constructs that contain
//    them. The binary operator levels are one table (BinaryProductions):
//    each level's first production hands on to the next tighter level, the
//    others build an operator node from a left operand at the same level
//    and a right operand at the next level.
// 2. Instances. A builder allocates one Instance for its production: the
//    environment cell, the position, the token values and the cells of its
//    children, and its own synthesized cells, whose context is the
//    Instance. The cells' functions below compute the node, the list, the
//    defined set, the environment of a value and the match list of a name.
// 3. Sets. A definition defines itself; a list defines the union of its
//    first definition's set and the rest's set; a value defines its nested
//    list's set, or nothing. Every definition entry makes its own
//    definition record once, so the two sides of a list's union (different
//    entries of the list) and of a value's environment (entries inside the
//    value and entries around it) never share a record: these unions are
//    made without searching the second set, which keeps long lists linear.
#include "zebcheck/configbuild.h"

#include <cstddef>
#include <cstring>

#include "support/heap.h"
#include "support/lrengine.h"
#include "support/replay.h"
#include "support/report.h"
#include "support/startup.h"
#include "support/trace.h"
#include "zebcheck/configprint.h"
#include "zebcheck/configresolve.h"
#include "zebcheck/configtree.h"

namespace {

int32_t ConfigBuildInitFlag = 0;

// Nonterminal numbers of the configuration grammar that have builders.
enum ConfigNonterminal : int32_t {
  NtAttributeValue = 4,
  NtName = 8,
  NtPrimary = 11,
  NtMethodInvocation = 15,
  NtArrayAccess = 18,
  NtPostfixExpression = 21,
  NtUnaryExpression = 22,
  NtMultiplicativeExpression = 27,
  NtAdditiveExpression = 31,
  NtShiftExpression = 34,
  NtRelationalExpression = 38,
  NtEqualityExpression = 43,
  NtAndExpression = 46,
  NtExclusiveOrExpression = 48,
  NtInclusiveOrExpression = 50,
  NtConditionalAndExpression = 52,
  NtConditionalOrExpression = 54,
  NtConditionalExpression = 56,
  NtLiteral = 59,
  NtOptDefinitions = 65,
  NtMoreExpressions = 66,
  NtMoreDefinitions = 67,
  NtOptArgumentList = 68,
};

// Production numbers the builders dispatch on.
enum ConfigProduction : int32_t {
  PSimpleValue = 4,
  PBracedValue = 5,
  PNestedValue = 6,
  PLiteralValue = 7,
  PNameValue = 8,
  PSimpleName = 11,
  PQualifiedName = 12,
  PLiteralPrimary = 15,
  PParenthesized = 16,
  PFieldAccess = 17,
  PMethodInvocation = 18,
  PArrayAccess = 19,
  PNameInvocation = 23,
  PPrimaryInvocation = 24,
  PNameIndex = 27,
  PPrimaryIndex = 28,
  PPostfixPrimary = 31,
  PPostfixName = 32,
  PUnaryPlus = 33,
  PUnaryMinus = 34,
  PPostfix = 35,
  PComplement = 36,
  PNot = 37,
  PConditionalOr = 90,
  PTernary = 91,
  PIntegerLiteral = 94,
  PFloatingLiteral = 95,
  PBooleanLiteral = 96,
  PCharacterLiteral = 97,
  PStringLiteral = 98,
  PTrue = 101,
  PFalse = 102,
  PDefinitions = 105,
  PNoDefinitions = 106,
  POneExpression = 107,
  PMoreExpressions = 108,
  POneDefinition = 109,
  PMoreDefinitions = 110,
  PArguments = 111,
  PNoArguments = 112,
};

// A production of a binary operator level: kind -1 hands on to the
// nonterminal `right` (the next tighter level); any other kind builds that
// operator node from `left` (this level) and `right` (the next level).
struct BinaryProduction {
  int32_t production;
  int32_t kind;
  int32_t left;
  int32_t right;
};

constexpr BinaryProduction BinaryProductions[] = {
    {42, -1, 0, NtUnaryExpression},
    {43, ConfigMultiply, NtMultiplicativeExpression, NtUnaryExpression},
    {44, ConfigDivide, NtMultiplicativeExpression, NtUnaryExpression},
    {45, ConfigRemainder, NtMultiplicativeExpression, NtUnaryExpression},
    {49, -1, 0, NtMultiplicativeExpression},
    {50, ConfigAdd, NtAdditiveExpression, NtMultiplicativeExpression},
    {51, ConfigSubtract, NtAdditiveExpression, NtMultiplicativeExpression},
    {54, -1, 0, NtAdditiveExpression},
    {55, ConfigShiftLeft, NtShiftExpression, NtAdditiveExpression},
    {56, ConfigShiftRight, NtShiftExpression, NtAdditiveExpression},
    {57, ConfigShiftRightUnsigned, NtShiftExpression, NtAdditiveExpression},
    {61, -1, 0, NtShiftExpression},
    {62, ConfigLess, NtRelationalExpression, NtShiftExpression},
    {63, ConfigGreater, NtRelationalExpression, NtShiftExpression},
    {64, ConfigLessEqual, NtRelationalExpression, NtShiftExpression},
    {65, ConfigGreaterEqual, NtRelationalExpression, NtShiftExpression},
    {70, -1, 0, NtRelationalExpression},
    {71, ConfigEqual, NtEqualityExpression, NtRelationalExpression},
    {72, ConfigNotEqual, NtEqualityExpression, NtRelationalExpression},
    {75, -1, 0, NtEqualityExpression},
    {76, ConfigBitAnd, NtAndExpression, NtEqualityExpression},
    {78, -1, 0, NtAndExpression},
    {79, ConfigBitXor, NtExclusiveOrExpression, NtAndExpression},
    {81, -1, 0, NtExclusiveOrExpression},
    {82, ConfigBitOr, NtInclusiveOrExpression, NtExclusiveOrExpression},
    {84, -1, 0, NtInclusiveOrExpression},
    {85, ConfigAnd, NtConditionalAndExpression, NtInclusiveOrExpression},
    {87, -1, 0, NtConditionalAndExpression},
    {88, ConfigOr, NtConditionalOrExpression, NtConditionalAndExpression},
};

// Instance kinds beyond the expression kinds 0-37.
enum InstanceKind : int32_t {
  WrapperInstance = 100,     // AttributeValueNode kind 3 around an expression
  LiteralValueInstance,      // AttributeValueNode kind 1
  NameValueInstance,         // AttributeValueNode kind 2
  NestedValueInstance,       // AttributeValueNode kind 0 (a configuration)
  DefinitionInstance,        // AttributeDefinitionNode
  DefinitionListInstance,    // ConsList of AttributeDefinitionNode
  ArgumentsInstance,         // ConfigArgumentListNode
  ArgumentListInstance,      // ConsList of argument wrappers
  RootInstance,              // ConfigRootNode
};

// What the builder makes for one applied production. Most instances are
// operators, wrappers and values, which need only the fields up to the
// children; names, members and literals also take the token fields;
// definitions, definition lists and the root take every field. Each
// instance is only as long as its kind needs (InstanceBytes), and a field
// beyond that length is never touched.
struct Instance {
  int32_t kind;
  SourcePosition position;
  LazyCell* environment;  // yields the ConfigDefinitionSet visible here
  LazyCell* node;         // synthesized: node, or list for the list instances
  LazyCell* matches;      // synthesized: names and members' match list
  LazyCell* children[3];  // child cells in right-hand-side order
  // Names, members and literals.
  LazyCell* identifier;   // the replayed Identifier, or null
  LazyCell* text;         // the replayed literal text, or null
  LazyCell* qualifier;    // qualified name: the qualifier's match-list cell
  // Definitions, definition lists and the root.
  LazyCell* restDefined;  // definition lists: the defined set of the rest
  LazyCell* defined;      // synthesized: the defined set
  LazyCell* valueEnvironment;  // definitions: the environment of the value
  LazyCell* definitions;  // definitions: the DefiningOccurrence's cell
};

// The cells a builder hands to its caller.
struct Built {
  LazyCell* node;
  LazyCell* matches;  // names only
  LazyCell* defined;  // values, definitions and lists only
};

Instance* Self(LazyCell* cell) { return static_cast<Instance*>(cell->context); }

template <typename T>
T* Force(LazyCell* cell) {
  return cell == nullptr ? nullptr : reinterpret_cast<T*>(ForceLazyCell(cell));
}

Word Store(LazyCell* cell, const void* value) { return StoreLazyValue(cell, reinterpret_cast<Word>(value)); }

ConfigDefinitionSet* ForceSet(LazyCell* cell) { return Force<ConfigDefinitionSet>(cell); }

// --- Cell functions ---------------------------------------------------------

AppliedOccurrence* Occurrence(Instance* self) {
  return MakeAppliedOccurrence(self->matches, Force<Identifier>(self->identifier));
}

Word ComputeExpressionNode(LazyCell* cell) {
  Instance* self = Self(cell);
  int32_t kind = self->kind;
  SourcePosition at = self->position;
  LazyCell** c = self->children;
  ConfigExprNode* node = nullptr;
  switch (kind) {
    case ConfigSimpleName:
      node = MakeConfigSimpleName(at, Occurrence(self));
      break;
    case ConfigQualifiedName:
      node = MakeConfigQualifiedName(at, Force<ConfigExprNode>(c[0]), Occurrence(self));
      break;
    case ConfigParenthesized:
      node = MakeConfigParenthesized(at, Force<AttributeValueNode>(c[0]));
      break;
    case ConfigFieldAccess:
      node = MakeConfigFieldAccess(at, Force<ConfigExprNode>(c[0]), Occurrence(self));
      break;
    case ConfigNameCall:
      node = MakeConfigNameCall(at, Force<ConfigExprNode>(c[0]), Force<ConfigArgumentListNode>(c[1]));
      break;
    case ConfigPrimaryCall: {
      ConfigExprNode* primary = Force<ConfigExprNode>(c[0]);
      node = MakeConfigPrimaryCall(at, primary, Occurrence(self), Force<ConfigArgumentListNode>(c[1]));
      break;
    }
    case ConfigNameIndex:
    case ConfigPrimaryIndex: {
      ConfigExprNode* base = Force<ConfigExprNode>(c[0]);
      node = MakeConfigIndex(kind, at, base, Force<AttributeValueNode>(c[1]));
      break;
    }
    case ConfigIntegerLiteral:
    case ConfigFloatingLiteral:
    case ConfigCharacterLiteral:
    case ConfigStringLiteral:
      node = MakeConfigLiteral(kind, at, Force<const char>(self->text));
      break;
    case ConfigTrueLiteral:
    case ConfigFalseLiteral:
      node = MakeConfigBooleanLiteral(kind, at);
      break;
    case ConfigConditional: {
      ConfigExprNode* condition = Force<ConfigExprNode>(c[0]);
      AttributeValueNode* then = Force<AttributeValueNode>(c[1]);
      node = MakeConfigConditional(at, condition, then, Force<ConfigExprNode>(c[2]));
      break;
    }
    default:
      if (kind >= ConfigUnaryPlus && kind <= ConfigNot) {
        node = MakeConfigUnary(kind, at, Force<ConfigExprNode>(c[0]));
      } else {
        ConfigExprNode* left = Force<ConfigExprNode>(c[0]);
        node = MakeConfigBinary(kind, at, left, Force<ConfigExprNode>(c[1]));
      }
      break;
  }
  return Store(cell, node);
}

Word ComputeValueNode(LazyCell* cell) {
  Instance* self = Self(cell);
  AttributeValueNode* node = nullptr;
  switch (self->kind) {
    case WrapperInstance:
      node = MakeBracedValue(self->position, Force<ConfigExprNode>(self->children[0]));
      break;
    case LiteralValueInstance:
      node = MakeLiteralValue(self->position, Force<ConfigExprNode>(self->children[0]));
      break;
    case NameValueInstance:
      node = MakeNameValue(self->position, Force<ConfigExprNode>(self->children[0]));
      break;
    default:  // NestedValueInstance
      node = MakeNestedValue(self->position, Force<ConsCell>(self->children[0]));
      break;
  }
  return Store(cell, node);
}

// A simple name: its identifier looked up in its environment.
Word ComputeNameMatches(LazyCell* cell) {
  Instance* self = Self(cell);
  return Store(cell, LookupConfigName(Force<Identifier>(self->identifier), ForceSet(self->environment)));
}

// q.a: a looked up among the nested definitions of all of q's matches, in
// q's match order: the members of the definition that q means (its first
// match, the innermost and earliest) come first, so q.a means a member of
// that definition whenever it has one, and members found only in other
// definitions of the same name still resolve. The sets are put together
// from the last match back to the first, each in front of those after it.
// Putting each later match's set in front instead would let the last
// definition of q win; q.a follows the first definition of q, as a simple
// name does, so that one use of q means one definition whether or not it is
// qualified (\a{\x{1}} \a{\x{2}} \c{{a.x}} gives c the value 1).
// A primary has no matches, so its members find nothing.
Word ComputeMemberMatches(LazyCell* cell) {
  Instance* self = Self(cell);
  ConfigDefinitionSet* scope = EmptyConfigDefinitionSet();
  ConsList qualifierMatches = self->qualifier != nullptr ? Force<ConsCell>(self->qualifier) : nullptr;
  ConsList lastFirst = nullptr;
  for (ConsList rest = qualifierMatches; rest != nullptr; rest = rest->tail) lastFirst = Cons(rest->head, lastFirst);
  for (ConsList rest = lastFirst; rest != nullptr; rest = rest->tail) {
    scope = UniteConfigDefinitionSets(NestedDefinitionsOf(ConsHead<AttributeDefinitionNode>(rest)), scope);
  }
  return Store(cell, LookupConfigName(Force<Identifier>(self->identifier), scope));
}

Word ComputeDefinitionNode(LazyCell* cell) {
  Instance* self = Self(cell);
  Identifier* name = Force<Identifier>(self->identifier);
  AttributeValueNode* value = Force<AttributeValueNode>(self->children[0]);
  ConfigDefinitionSet* nested = ForceSet(self->children[1]);
  DefiningOccurrence* occurrence = MakeDefiningOccurrence(self->definitions, name);
  return Store(cell, MakeAttributeDefinitionNode(self->position, occurrence, value, nested));
}

Word ComputeDefinitionSet(LazyCell* cell) {
  Instance* self = Self(cell);
  ConfigDefinition* definition = MakeConfigDefinition(Force<Identifier>(self->identifier), self->node);
  return Store(cell, SingletonConfigDefinitionSet(definition));
}

// The environment of a definition's value: its nested definitions first,
// then those the definition itself sees.
Word ComputeValueEnvironment(LazyCell* cell) {
  Instance* self = Self(cell);
  return Store(cell, UniteDisjointConfigDefinitionSets(ForceSet(self->children[1]), ForceSet(self->environment)));
}

Word ComputeSameNameDefinitions(LazyCell* cell) {
  Instance* self = Self(cell);
  return Store(cell, LookupConfigName(Force<Identifier>(self->identifier), ForceSet(self->environment)));
}

// Lists: the first element in front of the rest (children 0 and 1).
Word ComputeList(LazyCell* cell) {
  Instance* self = Self(cell);
  void* first = Force<void>(self->children[0]);
  ConsList rest = Force<ConsCell>(self->children[1]);
  return Store(cell, Cons(first, rest));
}

// A definition list's defined set: its first definition's set united with
// the rest's.
Word ComputeListSet(LazyCell* cell) {
  Instance* self = Self(cell);
  return Store(cell,
               UniteDisjointConfigDefinitionSets(ForceSet(self->children[2]), ForceSet(self->restDefined)));
}

Word ComputeArguments(LazyCell* cell) {
  Instance* self = Self(cell);
  return Store(cell, MakeConfigArgumentList(self->position, Force<ConsCell>(self->children[0])));
}

Word ComputeRootNode(LazyCell* cell) {
  Instance* self = Self(cell);
  return Store(cell, MakeConfigRootNode(self->position, Force<AttributeValueNode>(self->children[0])));
}

// The top level's environment: the top-level list's own defined set.
Word ComputeRootEnvironment(LazyCell* cell) {
  Instance* self = Self(cell);
  return Store(cell, ForceSet(self->children[1]));
}

// --- Builders ---------------------------------------------------------------

// The bytes of an instance of a kind: see Instance.
size_t InstanceBytes(int32_t kind) {
  switch (kind) {
    case ConfigSimpleName:
    case ConfigQualifiedName:
    case ConfigFieldAccess:
    case ConfigPrimaryCall:
    case ConfigIntegerLiteral:
    case ConfigFloatingLiteral:
    case ConfigCharacterLiteral:
    case ConfigStringLiteral:
      return offsetof(Instance, restDefined);
    case DefinitionInstance:
    case DefinitionListInstance:
    case RootInstance:
      return sizeof(Instance);
    default:
      return offsetof(Instance, identifier);
  }
}

// An instance with every field of its kind cleared.
Instance* NewInstance(int32_t kind, LazyCell* environment) {
  size_t bytes = InstanceBytes(kind);
  auto* self = static_cast<Instance*>(AllocateAligned(bytes));
  std::memset(static_cast<void*>(self), 0, bytes);
  self->kind = kind;
  self->position = PositionCounter;
  self->environment = environment;
  return self;
}

LazyCell* Cell(Instance* self, Word (*function)(LazyCell*)) { return NewLazyCell<Word>(self, function); }

LazyCell* ReplayWord() {
  LazyCell* cell = nullptr;
  ReplayWordToken(&cell);
  return cell;
}

// An evaluated cell never changes, so the cells of the empty defined set
// and of nothing (an empty list, no arguments) are made once and shared.
LazyCell* TheEmptySetCell = nullptr;
LazyCell* TheNullCell = nullptr;

LazyCell* EmptySetCell() { return TheEmptySetCell; }

LazyCell* NullCell() { return TheNullCell; }

Built Build(int32_t nonterminal, LazyCell* environment);

Built ExpressionNode(Instance* self) {
  self->node = Cell(self, ComputeExpressionNode);
  return Built{self->node, self->matches, nullptr};
}

// p93 Expression: the wrapper around a conditional-level expression.
Built BuildExpression(LazyCell* environment) {
  Instance* self = NewInstance(WrapperInstance, environment);
  self->children[0] = Build(NtConditionalExpression, environment).node;
  self->node = Cell(self, ComputeValueNode);
  return Built{self->node, nullptr, nullptr};
}

// The entry of each binary level's production, by production number (null
// for the other productions): every operand of every expression passes
// through all the levels, so this lookup is made many times per token.
constexpr int32_t BinaryProductionLimit = PNoArguments + 1;
struct BinaryProductionIndex {
  const BinaryProduction* entries[BinaryProductionLimit];
};
constexpr BinaryProductionIndex BinaryProductionsByNumber = [] {
  BinaryProductionIndex index{};
  for (const BinaryProduction& entry : BinaryProductions) index.entries[entry.production] = &entry;
  return index;
}();

const BinaryProduction* FindBinaryProduction(int32_t production) {
  if (production < 0 || production >= BinaryProductionLimit) return nullptr;
  return BinaryProductionsByNumber.entries[production];
}

// The binary levels, p42-p88: next level | level op next-level.
Built BuildBinaryLevel(LazyCell* environment) {
  int32_t production = NextReduction();
  const BinaryProduction* entry = FindBinaryProduction(production);
  if (entry == nullptr) InternalError("zebcheck/configbuild.cpp", __LINE__);
  if (entry->kind < 0) return Build(entry->right, environment);
  Instance* self = NewInstance(entry->kind, environment);
  self->children[0] = Build(entry->left, environment).node;
  ReplaySkipToken();  // the operator
  self->children[1] = Build(entry->right, environment).node;
  return ExpressionNode(self);
}

// p90 ConditionalOr | p91 ConditionalOr ? Expression : Conditional.
Built BuildConditional(LazyCell* environment) {
  if (NextReduction() == PConditionalOr) return Build(NtConditionalOrExpression, environment);
  Instance* self = NewInstance(ConfigConditional, environment);
  self->children[0] = Build(NtConditionalOrExpression, environment).node;
  ReplaySkipToken();  // ?
  self->children[1] = BuildExpression(environment).node;
  ReplaySkipToken();  // :
  self->children[2] = Build(NtConditionalExpression, environment).node;
  return ExpressionNode(self);
}

// p33-p37: + unary | - unary | postfix | ~ unary | ! unary.
Built BuildUnary(LazyCell* environment) {
  int32_t production = NextReduction();
  int32_t kind = 0;
  switch (production) {
    case PUnaryPlus: kind = ConfigUnaryPlus; break;
    case PUnaryMinus: kind = ConfigUnaryMinus; break;
    case PComplement: kind = ConfigComplement; break;
    case PNot: kind = ConfigNot; break;
    default: return Build(NtPostfixExpression, environment);
  }
  Instance* self = NewInstance(kind, environment);
  ReplaySkipToken();  // the operator
  self->children[0] = Build(NtUnaryExpression, environment).node;
  return ExpressionNode(self);
}

// p11 Identifier | p12 Name . Identifier.
Built BuildName(LazyCell* environment) {
  if (NextReduction() == PSimpleName) {
    Instance* self = NewInstance(ConfigSimpleName, environment);
    self->identifier = ReplayWord();
    self->matches = Cell(self, ComputeNameMatches);
    return ExpressionNode(self);
  }
  Instance* self = NewInstance(ConfigQualifiedName, environment);
  Built qualifier = Build(NtName, environment);
  self->children[0] = qualifier.node;
  self->qualifier = qualifier.matches;
  ReplaySkipToken();  // .
  self->identifier = ReplayWord();
  self->matches = Cell(self, ComputeMemberMatches);
  return ExpressionNode(self);
}

// p.a and p.a(args): the member of a primary; the primary comes first.
Built BuildMember(int32_t kind, LazyCell* environment) {
  Instance* self = NewInstance(kind, environment);
  self->children[0] = Build(NtPrimary, environment).node;
  ReplaySkipToken();  // .
  self->identifier = ReplayWord();
  self->matches = Cell(self, ComputeMemberMatches);
  if (kind == ConfigPrimaryCall) {
    ReplaySkipToken();  // (
    self->children[1] = Build(NtOptArgumentList, environment).node;
    ReplaySkipToken();  // )
  }
  return ExpressionNode(self);
}

// p15-p19: literal | ( Expression ) | field access | invocation | array access.
Built BuildPrimary(LazyCell* environment) {
  switch (NextReduction()) {
    case PLiteralPrimary:
      return Build(NtLiteral, environment);
    case PParenthesized: {
      Instance* self = NewInstance(ConfigParenthesized, environment);
      ReplaySkipToken();  // (
      self->children[0] = BuildExpression(environment).node;
      ReplaySkipToken();  // )
      return ExpressionNode(self);
    }
    case PFieldAccess:
      return BuildMember(ConfigFieldAccess, environment);
    case PMethodInvocation:
      return Build(NtMethodInvocation, environment);
    default:  // PArrayAccess
      return Build(NtArrayAccess, environment);
  }
}

// p23 Name ( arguments ) | p24 Primary . Identifier ( arguments ).
Built BuildInvocation(LazyCell* environment) {
  if (NextReduction() == PPrimaryInvocation) return BuildMember(ConfigPrimaryCall, environment);
  Instance* self = NewInstance(ConfigNameCall, environment);
  self->children[0] = Build(NtName, environment).node;
  ReplaySkipToken();  // (
  self->children[1] = Build(NtOptArgumentList, environment).node;
  ReplaySkipToken();  // )
  return ExpressionNode(self);
}

// p27 Name [ Expression ] | p28 Primary [ Expression ].
Built BuildArrayAccess(LazyCell* environment) {
  int32_t kind = NextReduction() == PNameIndex ? ConfigNameIndex : ConfigPrimaryIndex;
  Instance* self = NewInstance(kind, environment);
  self->children[0] = Build(kind == ConfigNameIndex ? NtName : NtPrimary, environment).node;
  ReplaySkipToken();  // [
  self->children[1] = BuildExpression(environment).node;
  ReplaySkipToken();  // ]
  return ExpressionNode(self);
}

// p94-p98: integer | floating | boolean (p101 true, p102 false) | character | string.
Built BuildLiteral(LazyCell* environment) {
  int32_t production = NextReduction();
  if (production == PBooleanLiteral) {
    Instance* self = NewInstance(NextReduction() == PTrue ? ConfigTrueLiteral : ConfigFalseLiteral, environment);
    ReplaySkipToken();
    return ExpressionNode(self);
  }
  int32_t kind = ConfigIntegerLiteral;
  if (production == PFloatingLiteral) kind = ConfigFloatingLiteral;
  if (production == PCharacterLiteral) kind = ConfigCharacterLiteral;
  if (production == PStringLiteral) kind = ConfigStringLiteral;
  Instance* self = NewInstance(kind, environment);
  self->text = ReplayWord();
  return ExpressionNode(self);
}

// p111 arguments | p112 nothing: the argument list node, or null.
Built BuildArgumentList(LazyCell* environment) {
  if (NextReduction() == PNoArguments) return Built{NullCell(), nullptr, nullptr};
  Instance* self = NewInstance(ArgumentsInstance, environment);
  self->children[0] = Build(NtMoreExpressions, environment).node;
  self->node = Cell(self, ComputeArguments);
  return Built{self->node, nullptr, nullptr};
}

// p107 Expression | p108 Expression , more: the argument wrappers in order.
Built BuildMoreExpressions(LazyCell* environment) {
  int32_t production = NextReduction();
  Instance* self = NewInstance(ArgumentListInstance, environment);
  self->children[0] = BuildExpression(environment).node;
  if (production == PMoreExpressions) {
    ReplaySkipToken();  // ,
    self->children[1] = Build(NtMoreExpressions, environment).node;
  } else {
    self->children[1] = NullCell();
  }
  self->node = Cell(self, ComputeList);
  return Built{self->node, nullptr, nullptr};
}

// p3 \ Identifier { AttributeValue }.
Built BuildDefinition(LazyCell* environment) {
  Instance* self = NewInstance(DefinitionInstance, environment);
  ReplaySkipToken();  // backslash
  self->identifier = ReplayWord();
  ReplaySkipToken();  // {
  self->node = Cell(self, ComputeDefinitionNode);
  self->defined = Cell(self, ComputeDefinitionSet);
  self->definitions = Cell(self, ComputeSameNameDefinitions);
  self->valueEnvironment = Cell(self, ComputeValueEnvironment);
  Built value = Build(NtAttributeValue, self->valueEnvironment);
  self->children[0] = value.node;
  self->children[1] = value.defined;
  ReplaySkipToken();  // }
  return Built{self->node, nullptr, self->defined};
}

// p109 Definition | p110 Definition more: the list of nodes (children 0
// and 1) and the defined set (child 2 united with restDefined).
Built BuildMoreDefinitions(LazyCell* environment) {
  int32_t production = NextReduction();
  Instance* self = NewInstance(DefinitionListInstance, environment);
  Built first = BuildDefinition(environment);
  self->children[0] = first.node;
  self->children[2] = first.defined;
  if (production == PMoreDefinitions) {
    Built rest = Build(NtMoreDefinitions, environment);
    self->children[1] = rest.node;
    self->restDefined = rest.defined;
  } else {
    self->children[1] = NullCell();
    self->restDefined = EmptySetCell();
  }
  self->node = Cell(self, ComputeList);
  self->defined = Cell(self, ComputeListSet);
  return Built{self->node, nullptr, self->defined};
}

// p2 over p105 definitions | p106 nothing: a nested value over the list.
Built BuildConfiguration(LazyCell* environment) {
  Instance* self = NewInstance(NestedValueInstance, environment);
  Built list;
  if (NextReduction() == PNoDefinitions) {
    list = Built{NullCell(), nullptr, EmptySetCell()};
  } else {
    list = Build(NtMoreDefinitions, environment);
  }
  self->children[0] = list.node;
  self->node = Cell(self, ComputeValueNode);
  return Built{self->node, nullptr, list.defined};
}

// p4 simple value (p7 literal, p8 name) | p5 { Expression } | p6 Configuration.
Built BuildAttributeValue(LazyCell* environment) {
  switch (NextReduction()) {
    case PSimpleValue: {
      bool literal = NextReduction() == PLiteralValue;
      Instance* self = NewInstance(literal ? LiteralValueInstance : NameValueInstance, environment);
      self->children[0] = Build(literal ? NtLiteral : NtName, environment).node;
      self->node = Cell(self, ComputeValueNode);
      return Built{self->node, nullptr, EmptySetCell()};
    }
    case PBracedValue: {
      ReplaySkipToken();  // {
      Built value = BuildExpression(environment);
      ReplaySkipToken();  // }
      return Built{value.node, nullptr, EmptySetCell()};
    }
    default:  // PNestedValue
      return BuildConfiguration(environment);
  }
}

Built Build(int32_t nonterminal, LazyCell* environment) {
  GuardReplayStack();
  switch (nonterminal) {
    case NtAttributeValue: return BuildAttributeValue(environment);
    case NtName: return BuildName(environment);
    case NtPrimary: return BuildPrimary(environment);
    case NtMethodInvocation: return BuildInvocation(environment);
    case NtArrayAccess: return BuildArrayAccess(environment);
    case NtPostfixExpression:
      return NextReduction() == PPostfixPrimary ? Build(NtPrimary, environment) : Build(NtName, environment);
    case NtUnaryExpression: return BuildUnary(environment);
    case NtConditionalExpression: return BuildConditional(environment);
    case NtLiteral: return BuildLiteral(environment);
    case NtOptDefinitions: return BuildConfiguration(environment);
    case NtMoreExpressions: return BuildMoreExpressions(environment);
    case NtMoreDefinitions: return BuildMoreDefinitions(environment);
    case NtOptArgumentList: return BuildArgumentList(environment);
    default: return BuildBinaryLevel(environment);
  }
}

}  // namespace

LazyCell* BuildConfigRoot() {
  Instance* self = NewInstance(RootInstance, nullptr);
  self->environment = Cell(self, ComputeRootEnvironment);
  Built configuration = BuildConfiguration(self->environment);
  self->children[0] = configuration.node;
  self->children[1] = configuration.defined;
  self->node = Cell(self, ComputeRootNode);
  return NewLazyCell<Word>(self->node, CheckAndPrintConfig);
}

void InitConfigBuild() {
  if (!EnterModuleInit(ConfigBuildInitFlag)) return;
  InitConfigTree();
  InitConfigResolve();
  TheEmptySetCell = NewEvaluatedCell<Word>(reinterpret_cast<Word>(EmptyConfigDefinitionSet()));
  TheNullCell = NewEvaluatedCell<Word>(0);
  RegisterRoot(&TheEmptySetCell);
  RegisterRoot(&TheNullCell);
}
