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
//    it, which are complete only when the whole tree is, so each name gets
//    a lazy cell of its match list whose context is its scope (a record
//    per definition value that holds names or definitions, and one for the
//    top level). Forcing it looks the name up; the definition checks force
//    every one, in source order, from the blocks of name records that the
//    builder keeps, so resolution needs no walk of its own.
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
  NtBooleanLiteral = 62,
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

// A production of a binary operator level (left side `lhs`): kind -1 hands
// on to the nonterminal `right` (the next tighter level); any other kind
// builds that operator node from an operand of `lhs` (this level), the
// operator and an operand of `right` (the next level).
struct BinaryProduction {
  int32_t production;
  int32_t kind;
  int32_t lhs;
  int32_t right;
};

constexpr BinaryProduction BinaryProductions[] = {
    {42, -1, NtMultiplicativeExpression, NtUnaryExpression},
    {43, ConfigMultiply, NtMultiplicativeExpression, NtUnaryExpression},
    {44, ConfigDivide, NtMultiplicativeExpression, NtUnaryExpression},
    {45, ConfigRemainder, NtMultiplicativeExpression, NtUnaryExpression},
    {49, -1, NtAdditiveExpression, NtMultiplicativeExpression},
    {50, ConfigAdd, NtAdditiveExpression, NtMultiplicativeExpression},
    {51, ConfigSubtract, NtAdditiveExpression, NtMultiplicativeExpression},
    {54, -1, NtShiftExpression, NtAdditiveExpression},
    {55, ConfigShiftLeft, NtShiftExpression, NtAdditiveExpression},
    {56, ConfigShiftRight, NtShiftExpression, NtAdditiveExpression},
    {57, ConfigShiftRightUnsigned, NtShiftExpression, NtAdditiveExpression},
    {61, -1, NtRelationalExpression, NtShiftExpression},
    {62, ConfigLess, NtRelationalExpression, NtShiftExpression},
    {63, ConfigGreater, NtRelationalExpression, NtShiftExpression},
    {64, ConfigLessEqual, NtRelationalExpression, NtShiftExpression},
    {65, ConfigGreaterEqual, NtRelationalExpression, NtShiftExpression},
    {70, -1, NtEqualityExpression, NtRelationalExpression},
    {71, ConfigEqual, NtEqualityExpression, NtRelationalExpression},
    {72, ConfigNotEqual, NtEqualityExpression, NtRelationalExpression},
    {75, -1, NtAndExpression, NtEqualityExpression},
    {76, ConfigBitAnd, NtAndExpression, NtEqualityExpression},
    {78, -1, NtExclusiveOrExpression, NtAndExpression},
    {79, ConfigBitXor, NtExclusiveOrExpression, NtAndExpression},
    {81, -1, NtInclusiveOrExpression, NtExclusiveOrExpression},
    {82, ConfigBitOr, NtInclusiveOrExpression, NtExclusiveOrExpression},
    {84, -1, NtConditionalAndExpression, NtInclusiveOrExpression},
    {85, ConfigAnd, NtConditionalAndExpression, NtInclusiveOrExpression},
    {87, -1, NtConditionalOrExpression, NtConditionalAndExpression},
    {88, ConfigOr, NtConditionalOrExpression, NtConditionalAndExpression},
};

// The other productions of the expression nonterminals: those that hand on
// to the nonterminal `passTo` (their right-hand side is that nonterminal
// alone), and those that build a node (passTo -1).
struct ExprProduction {
  int32_t production;
  int32_t lhs;
  int32_t passTo;
};

constexpr ExprProduction ExprProductions[] = {
    {PUnaryPlus, NtUnaryExpression, -1},
    {PUnaryMinus, NtUnaryExpression, -1},
    {PPostfix, NtUnaryExpression, NtPostfixExpression},
    {PComplement, NtUnaryExpression, -1},
    {PNot, NtUnaryExpression, -1},
    {PPostfixPrimary, NtPostfixExpression, NtPrimary},
    {PPostfixName, NtPostfixExpression, NtName},
    {PLiteralPrimary, NtPrimary, NtLiteral},
    {PParenthesized, NtPrimary, -1},
    {PFieldAccess, NtPrimary, -1},
    {PMethodInvocation, NtPrimary, NtMethodInvocation},
    {PArrayAccess, NtPrimary, NtArrayAccess},
    {PNameInvocation, NtMethodInvocation, -1},
    {PPrimaryInvocation, NtMethodInvocation, -1},
    {PNameIndex, NtArrayAccess, -1},
    {PPrimaryIndex, NtArrayAccess, -1},
    {PSimpleName, NtName, -1},
    {PQualifiedName, NtName, -1},
    {PConditionalOr, NtConditionalExpression, NtConditionalOrExpression},
    {PTernary, NtConditionalExpression, -1},
    {PIntegerLiteral, NtLiteral, -1},
    {PFloatingLiteral, NtLiteral, -1},
    {PBooleanLiteral, NtLiteral, NtBooleanLiteral},
    {PCharacterLiteral, NtLiteral, -1},
    {PStringLiteral, NtLiteral, -1},
    {PTrue, NtBooleanLiteral, -1},
    {PFalse, NtBooleanLiteral, -1},
};

// The node each builder yields: an expression, a value (with the set that
// it defines), a list, or an argument list.
struct BuiltValue {
  AttributeValueNode* node;
  ConfigDefinitionSet* defined;
};

Identifier* ReplayIdentifier() { return reinterpret_cast<Identifier*>(ReplayTokenWord()); }

// A scope: where the names of a definition's value are looked up (its
// nested definitions, then the scope around the definition), or the top
// level (its own definitions). The builder makes a definition's scope
// before its value and fills in the value's set once the value is built;
// the environment is put together when a lookup first needs it, from the
// scope alone, without a visit to the definition's node.
struct Scope {
  ConfigDefinitionSet* environment;  // null until needed (the top level: set when built)
  Scope* outer;
  ConfigDefinitionSet* nested;  // what the definition's value defines
};

// The scope of the names being replayed. While ScopePending is set, the
// value being replayed has no scope of its own yet and CurrentScope is the
// one around its definition: most values (literals, expressions without
// names) never need one.
Scope* CurrentScope = nullptr;
bool ScopePending = false;

Scope* NewScope(Scope* outer) {
  auto* scope = static_cast<Scope*>(AllocateAligned(sizeof(Scope)));
  scope->environment = nullptr;
  scope->outer = outer;
  scope->nested = nullptr;
  return scope;
}

// The scope of the names being replayed, made now if it is pending.
Scope* UsedScope() {
  if (ScopePending) {
    CurrentScope = NewScope(CurrentScope);
    ScopePending = false;
  }
  return CurrentScope;
}

// A definition's value sees its nested definitions first, then what the
// definition itself sees.
ConfigDefinitionSet* EnvironmentOf(Scope* scope) {
  if (scope->environment == nullptr) {
    scope->environment = UniteDisjointConfigDefinitionSets(scope->nested, EnvironmentOf(scope->outer));
  }
  return scope->environment;
}

// An applied occurrence and its match-list cell are one record
// (ConfigNameRecord); the cell's context is the scope of a simple name, or
// the occurrence of a qualified name's qualifier (null for a member of a
// primary). The records are made in blocks of their own, in source order,
// so that the definition checks force them in one sequential pass instead
// of a walk of the whole tree.
ConfigNameBlock* FirstNameBlock = nullptr;
ConfigNameBlock* LastNameBlock = nullptr;

ConfigNameRecord* NewNameRecord() {
  if (LastNameBlock == nullptr || LastNameBlock->count == ConfigNameBlockRecords) {
    auto* block = static_cast<ConfigNameBlock*>(AllocateAligned(sizeof(ConfigNameBlock)));
    block->next = nullptr;
    block->count = 0;
    if (LastNameBlock == nullptr) FirstNameBlock = block;
    else LastNameBlock->next = block;
    LastNameBlock = block;
  }
  return &LastNameBlock->records[LastNameBlock->count++];
}

ConfigNameRecord* NameRecordOf(LazyCell* cell) {
  return reinterpret_cast<ConfigNameRecord*>(reinterpret_cast<unsigned char*>(cell) -
                                             offsetof(ConfigNameRecord, matches));
}

// A simple name: its identifier looked up in its scope.
Word ComputeNameMatches(LazyCell* cell) {
  Identifier* name = NameRecordOf(cell)->occurrence.identifier;
  ConsList matches = LookupConfigName(name, EnvironmentOf(static_cast<Scope*>(cell->context)));
  return StoreLazyValue(cell, reinterpret_cast<Word>(matches));
}

// A member q.a: a looked up among the nested definitions of all of q's
// matches, in q's match order: the members of the definition that q means (its first
// match, the innermost and earliest) come first, so q.a means a member of
// that definition whenever it has one, and members found only in other
// definitions of the same name still resolve. Putting each later match's
// set in front instead would let the last definition of q win; q.a follows
// the first definition of q, as a simple name does, so that one use of q
// means one definition whether or not it is qualified (\a{\x{1}} \a{\x{2}}
// \c{{a.x}} gives c the value 1). The scope is made once for each match list
// (MemberScopeOf), which the uses of q share.
// A primary has no matches, so its members find nothing.
Word ComputeMemberMatches(LazyCell* cell) {
  auto* qualifier = static_cast<AppliedOccurrence*>(cell->context);
  ConsList qualifierMatches = qualifier != nullptr ? OccurrenceMatches(qualifier) : nullptr;
  ConsList matches = LookupConfigName(NameRecordOf(cell)->occurrence.identifier, MemberScopeOf(qualifierMatches));
  return StoreLazyValue(cell, reinterpret_cast<Word>(matches));
}

// The occurrence of the identifier under the cursor, with its match-list
// cell.
AppliedOccurrence* ReplayOccurrence(Word (*function)(LazyCell*), void* context) {
  ConfigNameRecord* record = NewNameRecord();
  record->matches.context = context;
  record->matches.function = function;
  record->occurrence.matches = &record->matches;
  record->occurrence.identifier = ReplayIdentifier();
  return &record->occurrence;
}

// A defining occurrence and the cell of the definitions of the same name
// visible where the definition stands (context: that scope).
struct DefiningRecord {
  DefiningOccurrence occurrence;
  LazyCell definitions;
};

Word ComputeSameNameDefinitions(LazyCell* cell) {
  auto* record =
      reinterpret_cast<DefiningRecord*>(reinterpret_cast<unsigned char*>(cell) - offsetof(DefiningRecord, definitions));
  ConsList same = LookupConfigName(record->occurrence.identifier, EnvironmentOf(static_cast<Scope*>(cell->context)));
  return StoreLazyValue(cell, reinterpret_cast<Word>(same));
}

DefiningOccurrence* NewDefiningOccurrence(Identifier* name, Scope* scope) {
  auto* record = static_cast<DefiningRecord*>(AllocateAligned(sizeof(DefiningRecord)));
  record->definitions.context = scope;
  record->definitions.function = ComputeSameNameDefinitions;
  record->occurrence.definitions = &record->definitions;
  record->occurrence.identifier = name;
  return &record->occurrence;
}

ConfigExprNode* BuildExpr(int32_t nonterminal);
BuiltValue BuildAttributeValue();
AttributeValueNode* BuildExpression();
ConfigArgumentListNode* BuildArgumentList();

// Each expression production by number: its left side, where it hands on
// to (-1 when it builds a node), and for a binary operator its entry. Every
// operand of every expression passes through all the levels, so this table
// is read many times per token.
constexpr int32_t ExprProductionLimit = PNoArguments + 1;
struct ExprStep {
  int16_t lhs;     // -1: not an expression production
  int16_t passTo;  // -1: builds a node
  const BinaryProduction* binary;
};
struct ExprStepTable {
  ExprStep steps[ExprProductionLimit];
};
constexpr ExprStepTable ExprSteps = [] {
  ExprStepTable table{};
  for (ExprStep& step : table.steps) step = ExprStep{-1, -1, nullptr};
  for (const BinaryProduction& entry : BinaryProductions) {
    table.steps[entry.production] = ExprStep{static_cast<int16_t>(entry.lhs),
                                             static_cast<int16_t>(entry.kind < 0 ? entry.right : -1), &entry};
  }
  for (const ExprProduction& entry : ExprProductions) {
    table.steps[entry.production] =
        ExprStep{static_cast<int16_t>(entry.lhs), static_cast<int16_t>(entry.passTo), nullptr};
  }
  return table;
}();

// The production under the trace slot `slot`, which must be one of the
// nonterminal's; the slot moves on.
const ExprStep& ReadExprStep(int32_t nonterminal, int32_t& production, const int16_t*& slot) {
  production = *slot;
  slot = NextProductionSlot(slot);
  if (static_cast<uint32_t>(production) >= static_cast<uint32_t>(ExprProductionLimit) ||
      ExprSteps.steps[production].lhs != nonterminal) {
    InternalError("zebcheck/configbuild.cpp", __LINE__);
  }
  return ExprSteps.steps[production];
}

// Primary . Identifier and Primary . Identifier ( arguments ): the member of
// a primary; the primary comes first.
ConfigExprNode* BuildMember(int32_t kind) {
  SourcePosition at = PositionCounter;
  ConfigExprNode* primary = BuildExpr(NtPrimary);
  ReplaySkipToken();  // .
  AppliedOccurrence* occurrence = ReplayOccurrence(ComputeMemberMatches, nullptr);
  if (kind != ConfigPrimaryCall) return MakeConfigFieldAccess(at, primary, occurrence);
  ReplaySkipToken();  // (
  ConfigArgumentListNode* arguments = BuildArgumentList();
  ReplaySkipToken();  // )
  return MakeConfigPrimaryCall(at, primary, occurrence, arguments);
}

// The node of a production that builds one; its production has been read,
// the position counter is at its first token.
ConfigExprNode* BuildExprProduction(int32_t production, const ExprStep& step) {
  SourcePosition at = PositionCounter;
  if (step.binary != nullptr) {
    // Level op next-level, the binary levels p43-p88.
    ConfigExprNode* left = BuildExpr(step.binary->lhs);
    ReplaySkipToken();  // the operator
    ConfigExprNode* right = BuildExpr(step.binary->right);
    return MakeConfigBinary(step.binary->kind, at, left, right);
  }
  switch (production) {
    case PTernary: {
      ConfigExprNode* condition = BuildExpr(NtConditionalOrExpression);
      ReplaySkipToken();  // ?
      AttributeValueNode* then = BuildExpression();
      ReplaySkipToken();  // :
      ConfigExprNode* otherwise = BuildExpr(NtConditionalExpression);
      return MakeConfigConditional(at, condition, then, otherwise);
    }
    case PUnaryPlus:
    case PUnaryMinus:
    case PComplement:
    case PNot: {
      int32_t kind = production == PUnaryPlus    ? ConfigUnaryPlus
                     : production == PUnaryMinus ? ConfigUnaryMinus
                     : production == PComplement ? ConfigComplement
                                                 : ConfigNot;
      ReplaySkipToken();  // the operator
      return MakeConfigUnary(kind, at, BuildExpr(NtUnaryExpression));
    }
    case PSimpleName:
      return MakeConfigSimpleName(at, ReplayOccurrence(ComputeNameMatches, UsedScope()));
    case PQualifiedName: {
      ConfigExprNode* qualifier = BuildExpr(NtName);
      ReplaySkipToken();  // .
      AppliedOccurrence* of =
          qualifier->kind == ConfigSimpleName ? qualifier->name.occurrence : qualifier->qualified.occurrence;
      return MakeConfigQualifiedName(at, qualifier, ReplayOccurrence(ComputeMemberMatches, of));
    }
    case PParenthesized: {
      ReplaySkipToken();  // (
      AttributeValueNode* inner = BuildExpression();
      ReplaySkipToken();  // )
      return MakeConfigParenthesized(at, inner);
    }
    case PFieldAccess:
      return BuildMember(ConfigFieldAccess);
    case PPrimaryInvocation:
      return BuildMember(ConfigPrimaryCall);
    case PNameInvocation: {
      ConfigExprNode* name = BuildExpr(NtName);
      ReplaySkipToken();  // (
      ConfigArgumentListNode* arguments = BuildArgumentList();
      ReplaySkipToken();  // )
      return MakeConfigNameCall(at, name, arguments);
    }
    case PNameIndex:
    case PPrimaryIndex: {
      int32_t kind = production == PNameIndex ? ConfigNameIndex : ConfigPrimaryIndex;
      ConfigExprNode* base = BuildExpr(kind == ConfigNameIndex ? NtName : NtPrimary);
      ReplaySkipToken();  // [
      AttributeValueNode* index = BuildExpression();
      ReplaySkipToken();  // ]
      return MakeConfigIndex(kind, at, base, index);
    }
    case PTrue:
    case PFalse:
      ReplaySkipToken();
      return MakeConfigBooleanLiteral(production == PTrue ? ConfigTrueLiteral : ConfigFalseLiteral, at);
    default: {
      // p94, p95, p97, p98: integer, floating, character or string literal.
      int32_t kind = ConfigIntegerLiteral;
      if (production == PFloatingLiteral) kind = ConfigFloatingLiteral;
      if (production == PCharacterLiteral) kind = ConfigCharacterLiteral;
      if (production == PStringLiteral) kind = ConfigStringLiteral;
      return MakeConfigLiteral(kind, at, reinterpret_cast<const char*>(ReplayTokenWord()));
    }
  }
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
  if (ReadReduction() == PNoArguments) return nullptr;
  SourcePosition at = PositionCounter;
  ConsListBuilder arguments;
  for (;;) {
    int32_t production = ReadReduction();
    arguments.Add(BuildExpression());
    if (production != PMoreExpressions) break;
    ReplaySkipToken();  // ,
  }
  return MakeConfigArgumentList(at, arguments.head);
}

// p3 \ Identifier { AttributeValue }: the node.
AttributeDefinitionNode* BuildDefinition() {
  SourcePosition at = PositionCounter;
  const TokenRecord* backslash = Trace.TokenCursor;
  ReplaySkipToken();
  // The trace's blocks before the backslash's are replayed: the tree grows
  // into the memory they give back.
  ReleaseTraceBefore(backslash);
  Identifier* name = ReplayIdentifier();
  ReplaySkipToken();  // {
  Scope* outer = UsedScope();
  ScopePending = true;
  BuiltValue value = BuildAttributeValue();
  Scope* scope = ScopePending ? nullptr : CurrentScope;
  CurrentScope = outer;
  ScopePending = false;
  ReplaySkipToken();  // }
  AttributeDefinitionNode* node =
      MakeAttributeDefinitionNode(at, NewDefiningOccurrence(name, outer), value.node, value.defined);
  if (scope != nullptr) scope->nested = value.defined;
  return node;
}

// p2 over p105 definitions | p106 nothing: a nested value over the list
// p109 Definition | p110 Definition more, replayed in a loop; the value's
// defined set holds the list's definitions.
BuiltValue BuildConfiguration() {
  SourcePosition at = PositionCounter;
  if (ReadReduction() == PNoDefinitions) return BuiltValue{MakeNestedValue(at, nullptr), EmptyConfigDefinitionSet()};
  ConsListBuilder nodes;
  for (;;) {
    int32_t production = ReadReduction();
    nodes.Add(BuildDefinition());
    if (production != PMoreDefinitions) break;
  }
  // The list's definition records are made together once its entries are
  // built, not each after its entry's value: the lookups and unions that
  // walk them then read a few adjacent cache lines.
  ConsListBuilder records;
  for (ConsList rest = nodes.head; rest != nullptr; rest = rest->tail) {
    auto* node = ConsHead<AttributeDefinitionNode>(rest);
    records.Add(MakeConfigDefinition(node->name->identifier, NewEvaluatedCell<Word>(reinterpret_cast<Word>(node))));
  }
  return BuiltValue{MakeNestedValue(at, nodes.head), ConfigDefinitionSetOf(records.head)};
}

// p4 simple value (p7 literal, p8 name) | p5 { Expression } | p6 Configuration.
BuiltValue BuildAttributeValue() {
  GuardReplayStack();
  switch (ReadReduction()) {
    case PSimpleValue: {
      bool literal = ReadReduction() == PLiteralValue;
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

// Expression builders nest once or more per operand and operator, so the
// stack guard, which asks for the thread's stack floor, is taken at every
// 16th level only; the reserve below the floor holds the levels between.
int32_t ExpressionNesting = 0;

// An expression of the nonterminal: the productions that hand on (an operand
// without an operator passes through every level down to the one that
// builds it) are read in a loop, and the one that builds makes the node.
ConfigExprNode* BuildExpr(int32_t nonterminal) {
  if ((++ExpressionNesting & 15) == 0) GuardReplayStack();
  int32_t production;
  // The trace's cursor is held here while the chain is read.
  const int16_t* slot = Trace.ReductionCursor;
  const ExprStep* step = &ReadExprStep(nonterminal, production, slot);
  while (step->passTo >= 0) step = &ReadExprStep(step->passTo, production, slot);
  Trace.ReductionCursor = slot;
  ConfigExprNode* node = BuildExprProduction(production, *step);
  --ExpressionNesting;
  return node;
}

}  // namespace

LazyCell* BuildConfigRoot() {
  SourcePosition at = PositionCounter;
  FirstNameBlock = nullptr;
  LastNameBlock = nullptr;
  Scope* top = NewScope(nullptr);
  CurrentScope = top;
  ScopePending = false;
  BuiltValue configuration = BuildConfiguration();
  CurrentScope = nullptr;
  // The top level sees exactly its own definitions.
  top->environment = configuration.defined;
  ConfigRootNode* root = MakeConfigRootNode(at, configuration.node, FirstNameBlock);
  return NewLazyCell<Word>(NewEvaluatedCell<Word>(reinterpret_cast<Word>(root)), CheckAndPrintConfig);
}

void InitConfigBuild() {
  if (!EnterModuleInit(ConfigBuildInitFlag)) return;
  InitConfigTree();
  InitConfigResolve();
}
