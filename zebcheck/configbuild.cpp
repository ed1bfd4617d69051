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
// 2. Nodes. Every node of the tree is made as soon as its children are:
//    nothing in a node depends on what surrounds it, so the replay builds
//    the whole tree bottom-up without intermediate records. The lists of
//    definitions and of arguments are right-recursive in the grammar and are
//    replayed in a loop.
// 3. Sets. A definition list defines one set holding a definition record
//    for each of its entries, in order; a definition's nested set is its
//    nested list's set, or the empty set. Every entry makes its own record
//    once, so a value's environment (the entries inside the value and the
//    entries around it) never shares a record with itself: it is made
//    without searching the second set, which keeps long lists linear.
// 4. Names. A name's environment depends on the definitions that enclose
//    it, which are complete only when the whole tree is, so the names are
//    looked up in one walk over the finished tree (ResolveDefinitions),
//    outermost scope first; each occurrence then holds its match list in an
//    evaluated cell. A defining occurrence's cell of the same-name
//    definitions is left lazy: nothing in the run asks for it.
#include "zebcheck/configbuild.h"

#include <cstddef>

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


// The node each builder yields: an expression, a value (with the set that
// it defines), a list, or an argument list.
struct BuiltValue {
  AttributeValueNode* node;
  ConfigDefinitionSet* defined;
};

// An evaluated cell never changes, so the cell of an empty match list is
// made once and shared.
LazyCell* TheNullCell = nullptr;

LazyCell* EvaluatedListCell(ConsList list) {
  return list == nullptr ? TheNullCell : NewEvaluatedCell<Word>(reinterpret_cast<Word>(list));
}

Identifier* ReplayIdentifier() { return reinterpret_cast<Identifier*>(ReplayTokenWord()); }

// An occurrence whose match list is filled in by the resolution walk.
AppliedOccurrence* ReplayOccurrence() { return MakeAppliedOccurrence(nullptr, ReplayIdentifier()); }

ConfigExprNode* BuildExpr(int32_t nonterminal);
ConfigExprNode* BuildExprOf(int32_t nonterminal);
BuiltValue BuildAttributeValue();
AttributeValueNode* BuildExpression();
ConfigArgumentListNode* BuildArgumentList();

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
ConfigExprNode* BuildBinaryLevel() {
  int32_t production = NextReduction();
  const BinaryProduction* entry = FindBinaryProduction(production);
  if (entry == nullptr) InternalError("zebcheck/configbuild.cpp", __LINE__);
  if (entry->kind < 0) return BuildExpr(entry->right);
  SourcePosition at = PositionCounter;
  ConfigExprNode* left = BuildExpr(entry->left);
  ReplaySkipToken();  // the operator
  ConfigExprNode* right = BuildExpr(entry->right);
  return MakeConfigBinary(entry->kind, at, left, right);
}

// p90 ConditionalOr | p91 ConditionalOr ? Expression : Conditional.
ConfigExprNode* BuildConditional() {
  if (NextReduction() == PConditionalOr) return BuildExpr(NtConditionalOrExpression);
  SourcePosition at = PositionCounter;
  ConfigExprNode* condition = BuildExpr(NtConditionalOrExpression);
  ReplaySkipToken();  // ?
  AttributeValueNode* then = BuildExpression();
  ReplaySkipToken();  // :
  ConfigExprNode* otherwise = BuildExpr(NtConditionalExpression);
  return MakeConfigConditional(at, condition, then, otherwise);
}

// p33-p37: + unary | - unary | postfix | ~ unary | ! unary.
ConfigExprNode* BuildUnary() {
  int32_t production = NextReduction();
  int32_t kind = 0;
  switch (production) {
    case PUnaryPlus: kind = ConfigUnaryPlus; break;
    case PUnaryMinus: kind = ConfigUnaryMinus; break;
    case PComplement: kind = ConfigComplement; break;
    case PNot: kind = ConfigNot; break;
    default: return BuildExpr(NtPostfixExpression);
  }
  SourcePosition at = PositionCounter;
  ReplaySkipToken();  // the operator
  return MakeConfigUnary(kind, at, BuildExpr(NtUnaryExpression));
}

// p11 Identifier | p12 Name . Identifier.
ConfigExprNode* BuildName() {
  SourcePosition at = PositionCounter;
  if (NextReduction() == PSimpleName) return MakeConfigSimpleName(at, ReplayOccurrence());
  ConfigExprNode* qualifier = BuildExpr(NtName);
  ReplaySkipToken();  // .
  return MakeConfigQualifiedName(at, qualifier, ReplayOccurrence());
}

// p.a and p.a(args): the member of a primary; the primary comes first.
ConfigExprNode* BuildMember(int32_t kind) {
  SourcePosition at = PositionCounter;
  ConfigExprNode* primary = BuildExpr(NtPrimary);
  ReplaySkipToken();  // .
  AppliedOccurrence* occurrence = ReplayOccurrence();
  if (kind != ConfigPrimaryCall) return MakeConfigFieldAccess(at, primary, occurrence);
  ReplaySkipToken();  // (
  ConfigArgumentListNode* arguments = BuildArgumentList();
  ReplaySkipToken();  // )
  return MakeConfigPrimaryCall(at, primary, occurrence, arguments);
}

// p15-p19: literal | ( Expression ) | field access | invocation | array access.
ConfigExprNode* BuildPrimary() {
  switch (NextReduction()) {
    case PLiteralPrimary:
      return BuildExpr(NtLiteral);
    case PParenthesized: {
      SourcePosition at = PositionCounter;
      ReplaySkipToken();  // (
      AttributeValueNode* inner = BuildExpression();
      ReplaySkipToken();  // )
      return MakeConfigParenthesized(at, inner);
    }
    case PFieldAccess:
      return BuildMember(ConfigFieldAccess);
    case PMethodInvocation:
      return BuildExpr(NtMethodInvocation);
    default:  // PArrayAccess
      return BuildExpr(NtArrayAccess);
  }
}

// p23 Name ( arguments ) | p24 Primary . Identifier ( arguments ).
ConfigExprNode* BuildInvocation() {
  if (NextReduction() == PPrimaryInvocation) return BuildMember(ConfigPrimaryCall);
  SourcePosition at = PositionCounter;
  ConfigExprNode* name = BuildExpr(NtName);
  ReplaySkipToken();  // (
  ConfigArgumentListNode* arguments = BuildArgumentList();
  ReplaySkipToken();  // )
  return MakeConfigNameCall(at, name, arguments);
}

// p27 Name [ Expression ] | p28 Primary [ Expression ].
ConfigExprNode* BuildArrayAccess() {
  int32_t kind = NextReduction() == PNameIndex ? ConfigNameIndex : ConfigPrimaryIndex;
  SourcePosition at = PositionCounter;
  ConfigExprNode* base = BuildExpr(kind == ConfigNameIndex ? NtName : NtPrimary);
  ReplaySkipToken();  // [
  AttributeValueNode* index = BuildExpression();
  ReplaySkipToken();  // ]
  return MakeConfigIndex(kind, at, base, index);
}

// p94-p98: integer | floating | boolean (p101 true, p102 false) | character | string.
ConfigExprNode* BuildLiteral() {
  int32_t production = NextReduction();
  SourcePosition at = PositionCounter;
  if (production == PBooleanLiteral) {
    int32_t kind = NextReduction() == PTrue ? ConfigTrueLiteral : ConfigFalseLiteral;
    ReplaySkipToken();
    return MakeConfigBooleanLiteral(kind, at);
  }
  int32_t kind = ConfigIntegerLiteral;
  if (production == PFloatingLiteral) kind = ConfigFloatingLiteral;
  if (production == PCharacterLiteral) kind = ConfigCharacterLiteral;
  if (production == PStringLiteral) kind = ConfigStringLiteral;
  return MakeConfigLiteral(kind, at, reinterpret_cast<const char*>(ReplayTokenWord()));
}

// p93 Expression: the wrapper around a conditional-level expression.
AttributeValueNode* BuildExpression() {
  SourcePosition at = PositionCounter;
  return MakeBracedValue(at, BuildExpr(NtConditionalExpression));
}

// p111 arguments | p112 nothing: the argument list node, or null. The
// arguments are p107 Expression | p108 Expression , more, replayed in a loop.
ConfigArgumentListNode* BuildArgumentList() {
  GuardReplayStack();
  if (NextReduction() == PNoArguments) return nullptr;
  SourcePosition at = PositionCounter;
  ConsListBuilder arguments;
  for (;;) {
    int32_t production = NextReduction();
    arguments.Add(BuildExpression());
    if (production != PMoreExpressions) break;
    ReplaySkipToken();  // ,
  }
  return MakeConfigArgumentList(at, arguments.head);
}

// p3 \ Identifier { AttributeValue }: the node, and its definition record
// added to the list's set.
AttributeDefinitionNode* BuildDefinition(ConsListBuilder& records) {
  SourcePosition at = PositionCounter;
  const TokenRecord* backslash = Trace.TokenCursor;
  ReplaySkipToken();
  // The trace's blocks before the backslash's are replayed: the tree grows
  // into the memory they give back.
  ReleaseTraceBefore(backslash);
  Identifier* name = ReplayIdentifier();
  ReplaySkipToken();  // {
  BuiltValue value = BuildAttributeValue();
  ReplaySkipToken();  // }
  AttributeDefinitionNode* node =
      MakeAttributeDefinitionNode(at, MakeDefiningOccurrence(nullptr, name), value.node, value.defined);
  records.Add(MakeConfigDefinition(name, NewEvaluatedCell<Word>(reinterpret_cast<Word>(node))));
  return node;
}

// p2 over p105 definitions | p106 nothing: a nested value over the list
// p109 Definition | p110 Definition more, replayed in a loop; the value's
// defined set holds the list's definitions.
BuiltValue BuildConfiguration() {
  SourcePosition at = PositionCounter;
  if (NextReduction() == PNoDefinitions) return BuiltValue{MakeNestedValue(at, nullptr), EmptyConfigDefinitionSet()};
  ConsListBuilder nodes;
  ConsListBuilder records;
  for (;;) {
    int32_t production = NextReduction();
    nodes.Add(BuildDefinition(records));
    if (production != PMoreDefinitions) break;
  }
  return BuiltValue{MakeNestedValue(at, nodes.head), ConfigDefinitionSetOf(records.head)};
}

// p4 simple value (p7 literal, p8 name) | p5 { Expression } | p6 Configuration.
BuiltValue BuildAttributeValue() {
  GuardReplayStack();
  switch (NextReduction()) {
    case PSimpleValue: {
      bool literal = NextReduction() == PLiteralValue;
      SourcePosition at = PositionCounter;
      AttributeValueNode* node = literal ? MakeLiteralValue(at, BuildExpr(NtLiteral))
                                         : MakeNameValue(at, BuildExpr(NtName));
      return BuiltValue{node, EmptyConfigDefinitionSet()};
    }
    case PBracedValue: {
      ReplaySkipToken();  // {
      AttributeValueNode* node = BuildExpression();
      ReplaySkipToken();  // }
      return BuiltValue{node, EmptyConfigDefinitionSet()};
    }
    default:  // PNestedValue
      return BuildConfiguration();
  }
}

ConfigExprNode* BuildExprOf(int32_t nonterminal) {
  switch (nonterminal) {
    case NtName: return BuildName();
    case NtPrimary: return BuildPrimary();
    case NtMethodInvocation: return BuildInvocation();
    case NtArrayAccess: return BuildArrayAccess();
    case NtPostfixExpression:
      return NextReduction() == PPostfixPrimary ? BuildExpr(NtPrimary) : BuildExpr(NtName);
    case NtUnaryExpression: return BuildUnary();
    case NtConditionalExpression: return BuildConditional();
    case NtLiteral: return BuildLiteral();
    default: return BuildBinaryLevel();
  }
}

// Expression builders nest once or more per operand and operator, so the
// stack guard, which asks for the thread's stack floor, is taken at every
// 16th level only; the reserve below the floor holds the levels between.
int32_t ExpressionNesting = 0;

ConfigExprNode* BuildExpr(int32_t nonterminal) {
  if ((++ExpressionNesting & 15) == 0) GuardReplayStack();
  ConfigExprNode* node = BuildExprOf(nonterminal);
  --ExpressionNesting;
  return node;
}

// --- Resolution -------------------------------------------------------------

// The cell of a definition's same-name definitions: looked up in the
// environment of the definition when something forces it.
struct SameNameLookup {
  LazyCell cell;
  Identifier* name;
  ConfigDefinitionSet* environment;
};

Word ComputeSameNameDefinitions(LazyCell* cell) {
  auto* lookup = static_cast<SameNameLookup*>(cell->context);
  return StoreLazyValue(cell, reinterpret_cast<Word>(LookupConfigName(lookup->name, lookup->environment)));
}

LazyCell* SameNameCell(Identifier* name, ConfigDefinitionSet* environment) {
  auto* lookup = static_cast<SameNameLookup*>(AllocateAligned(sizeof(SameNameLookup)));
  lookup->cell.context = lookup;
  lookup->cell.function = ComputeSameNameDefinitions;
  lookup->name = name;
  lookup->environment = environment;
  return &lookup->cell;
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
ConsList MemberMatches(ConsList qualifierMatches, Identifier* name) {
  ConfigDefinitionSet* scope = EmptyConfigDefinitionSet();
  ConsList lastFirst = nullptr;
  for (ConsList rest = qualifierMatches; rest != nullptr; rest = rest->tail) lastFirst = Cons(rest->head, lastFirst);
  for (ConsList rest = lastFirst; rest != nullptr; rest = rest->tail) {
    scope = UniteConfigDefinitionSets(NestedDefinitionsOf(ConsHead<AttributeDefinitionNode>(rest)), scope);
  }
  return LookupConfigName(name, scope);
}

void ResolveValue(AttributeValueNode* value, ConfigDefinitionSet* environment);

void ResolveArguments(ConfigArgumentListNode* arguments, ConfigDefinitionSet* environment) {
  if (arguments == nullptr) return;
  for (ConsList rest = arguments->arguments; rest != nullptr; rest = rest->tail) {
    ResolveValue(ConsHead<AttributeValueNode>(rest), environment);
  }
}

// Fills the match list of every name in the expression: simple names from
// the environment, members from what their qualifier matches.
void ResolveExpression(ConfigExprNode* e, ConfigDefinitionSet* environment) {
  switch (e->kind) {
    case ConfigSimpleName: {
      AppliedOccurrence* occurrence = e->name.occurrence;
      occurrence->matches = EvaluatedListCell(LookupConfigName(occurrence->identifier, environment));
      return;
    }
    case ConfigQualifiedName: {
      ConfigExprNode* qualifier = e->qualified.qualifier;
      ResolveExpression(qualifier, environment);
      AppliedOccurrence* of =
          qualifier->kind == ConfigSimpleName ? qualifier->name.occurrence : qualifier->qualified.occurrence;
      AppliedOccurrence* occurrence = e->qualified.occurrence;
      occurrence->matches = EvaluatedListCell(MemberMatches(OccurrenceMatches(of), occurrence->identifier));
      return;
    }
    case ConfigParenthesized:
      ResolveValue(e->parenthesized.inner, environment);
      return;
    case ConfigFieldAccess:
      ResolveExpression(e->member.primary, environment);
      e->member.occurrence->matches = EvaluatedListCell(MemberMatches(nullptr, e->member.occurrence->identifier));
      return;
    case ConfigNameCall:
      ResolveExpression(e->call.name, environment);
      ResolveArguments(e->call.arguments, environment);
      return;
    case ConfigPrimaryCall:
      ResolveExpression(e->member.primary, environment);
      e->member.occurrence->matches = EvaluatedListCell(MemberMatches(nullptr, e->member.occurrence->identifier));
      ResolveArguments(e->member.arguments, environment);
      return;
    case ConfigNameIndex:
    case ConfigPrimaryIndex:
      ResolveExpression(e->index.base, environment);
      ResolveValue(e->index.index, environment);
      return;
    case ConfigConditional:
      ResolveExpression(e->conditional.condition, environment);
      ResolveValue(e->conditional.then, environment);
      ResolveExpression(e->conditional.otherwise, environment);
      return;
    default:
      break;
  }
  if (e->kind >= ConfigUnaryPlus && e->kind <= ConfigNot) {
    ResolveExpression(e->unary.operand, environment);
  } else if (e->kind >= ConfigMultiply && e->kind <= ConfigOr) {
    ResolveExpression(e->binary.left, environment);
    ResolveExpression(e->binary.right, environment);
  }
  // Literals hold no names.
}

// The definitions of a list see the environment; each one's value sees its
// nested definitions first and then the same environment.
void ResolveDefinitions(ConsList definitions, ConfigDefinitionSet* environment) {
  GuardReplayStack();
  for (ConsList rest = definitions; rest != nullptr; rest = rest->tail) {
    auto* definition = ConsHead<AttributeDefinitionNode>(rest);
    definition->name->definitions = SameNameCell(definition->name->identifier, environment);
    ResolveValue(definition->value, UniteDisjointConfigDefinitionSets(definition->nested, environment));
  }
}

void ResolveValue(AttributeValueNode* value, ConfigDefinitionSet* environment) {
  switch (value->kind) {
    case ConfigNestedValue:
      ResolveDefinitions(value->definitions, environment);
      return;
    case ConfigLiteralValue:
      return;
    default:
      ResolveExpression(value->expression, environment);
      return;
  }
}

}  // namespace

LazyCell* BuildConfigRoot() {
  SourcePosition at = PositionCounter;
  BuiltValue configuration = BuildConfiguration();
  ConfigRootNode* root = MakeConfigRootNode(at, configuration.node);
  // The top level sees exactly its own definitions.
  ResolveDefinitions(configuration.node->definitions, configuration.defined);
  return NewLazyCell<Word>(NewEvaluatedCell<Word>(reinterpret_cast<Word>(root)), CheckAndPrintConfig);
}

void InitConfigBuild() {
  if (!EnterModuleInit(ConfigBuildInitFlag)) return;
  InitConfigTree();
  InitConfigResolve();
  TheNullCell = NewEvaluatedCell<Word>(0);
  RegisterRoot(&TheNullCell);
}
