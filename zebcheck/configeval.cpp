// The constant-expression evaluator.
//
// 1. Operands fold first (left before right); an operator folds only when
//    its operands became literals of the kinds it takes, else the operator
//    node itself is the result, so only whole constant subtrees become
//    literals.
// 2. Integers meet integers through the operator's integer operation;
//    an integer meeting a floating value is converted to double and both go
//    through the floating operation. Character and string literals never
//    take part.
// 3. Names are followed to the value of their first definition. The
//    definitions being followed are marked (their folding flag); a name
//    that leads to a marked definition is returned as it is, which ends
//    every cycle of definitions. Such a cut is the only way the path to a
//    definition can change what its value folds to. A cut never makes a
//    fold follow more names: it yields a name, which no operator folds, so
//    a conditional or a logical operator stops at it. So a fold of a value
//    that met no cut is the fold that every path gives, and it is kept in
//    the definition; a fold that met a cut is done again at each use.
#include "zebcheck/configeval.h"

#include <cmath>
#include <cstdint>

#include "support/startup.h"
#include "zebcheck/configresolve.h"

namespace {

int32_t ConfigEvalInitFlag = 0;

// Cuts made so far: names left unfolded because their definition was being
// folded. A fold during which this count did not change met no cut.
uint64_t CycleCuts = 0;

// The fold of a definition's value, kept when it met no cut.
ConfigExprNode* FoldValue(AttributeDefinitionNode* definition);

// Integer operations: 32-bit two's complement arithmetic, done on unsigned
// values so that overflow wraps instead of being undefined.
uint32_t Bits(int32_t v) { return static_cast<uint32_t>(v); }
int32_t FromBits(uint32_t v) { return static_cast<int32_t>(v); }

int32_t IntegerMultiply(int32_t a, int32_t b, int32_t* r) {
  *r = FromBits(Bits(a) * Bits(b));
  return 1;
}
int32_t IntegerDivide(int32_t a, int32_t b, int32_t* r) {
  if (b == 0 || (a == INT32_MIN && b == -1)) return 0;
  *r = a / b;
  return 1;
}
int32_t IntegerRemainder(int32_t a, int32_t b, int32_t* r) {
  if (b == 0) return 0;
  *r = b == -1 ? 0 : a % b;
  return 1;
}
int32_t IntegerAdd(int32_t a, int32_t b, int32_t* r) {
  *r = FromBits(Bits(a) + Bits(b));
  return 1;
}
int32_t IntegerSubtract(int32_t a, int32_t b, int32_t* r) {
  *r = FromBits(Bits(a) - Bits(b));
  return 1;
}
int32_t IntegerLess(int32_t a, int32_t b, int32_t* r) { return *r = a < b, 1; }
int32_t IntegerGreater(int32_t a, int32_t b, int32_t* r) { return *r = a > b, 1; }
int32_t IntegerLessEqual(int32_t a, int32_t b, int32_t* r) { return *r = a <= b, 1; }
int32_t IntegerGreaterEqual(int32_t a, int32_t b, int32_t* r) { return *r = a >= b, 1; }
int32_t IntegerEqual(int32_t a, int32_t b, int32_t* r) { return *r = a == b, 1; }
int32_t IntegerNotEqual(int32_t a, int32_t b, int32_t* r) { return *r = a != b, 1; }
int32_t LogicalAnd(int32_t a, int32_t b, int32_t* r) { return *r = a != 0 && b != 0, 1; }
int32_t LogicalOr(int32_t a, int32_t b, int32_t* r) { return *r = a != 0 || b != 0, 1; }

double FloatingMultiply(double a, double b) { return a * b; }
double FloatingDivide(double a, double b) { return a / b; }
double FloatingRemainder(double a, double b) { return std::fmod(a, b); }
double FloatingAdd(double a, double b) { return a + b; }
double FloatingSubtract(double a, double b) { return a - b; }
double FloatingLess(double a, double b) { return a < b ? 1.0 : 0.0; }
double FloatingGreater(double a, double b) { return a > b ? 1.0 : 0.0; }
double FloatingLessEqual(double a, double b) { return a <= b ? 1.0 : 0.0; }
double FloatingGreaterEqual(double a, double b) { return a >= b ? 1.0 : 0.0; }
double FloatingEqual(double a, double b) { return a == b ? 1.0 : 0.0; }
double FloatingNotEqual(double a, double b) { return a != b ? 1.0 : 0.0; }

// The operator table, indexed by expression kind; filled by InitConfigEval.
ConfigOperatorPair OperatorTable[ConfigExprKindCount];
bool OperatorFolds[ConfigExprKindCount];

void SetOperator(int32_t kind, int32_t (*integer)(int32_t, int32_t, int32_t*), double (*floating)(double, double)) {
  OperatorTable[kind].integerOperation = MakeClosure(integer);
  OperatorTable[kind].floatingOperation =
      floating != nullptr ? MakeClosure(floating) : ConfigFloatingOperation{nullptr, nullptr};
  OperatorFolds[kind] = true;
}

bool IsInteger(const ConfigExprNode* n) { return n->kind == ConfigIntegerLiteral; }
bool IsFloating(const ConfigExprNode* n) { return n->kind == ConfigFloatingLiteral; }
bool IsNumber(const ConfigExprNode* n) { return IsInteger(n) || IsFloating(n); }
bool IsBoolean(const ConfigExprNode* n) {
  return n->kind == ConfigTrueLiteral || n->kind == ConfigFalseLiteral;
}

double AsDouble(const ConfigExprNode* n) {
  return IsInteger(n) ? static_cast<double>(ConfigIntegerValue(n)) : ConfigDoubleValue(n);
}

ConfigExprNode* Evaluate(ConfigExprNode* e);

// Kinds 18-22: both operands fold to numbers, or e stays.
ConfigExprNode* ApplyBinaryOperator(const ConfigOperatorPair* pair, ConfigExprNode* node, ConfigExprNode* left,
                                    ConfigExprNode* right) {
  ConfigExprNode* a = Evaluate(left);
  ConfigExprNode* b = Evaluate(right);
  if (!IsNumber(a) || !IsNumber(b)) return node;
  if (IsInteger(a) && IsInteger(b)) {
    int32_t result = 0;
    if (CallClosure(pair->integerOperation, ConfigIntegerValue(a), ConfigIntegerValue(b), &result) == 0) return node;
    return MakeConfigInteger(result);
  }
  return MakeConfigDouble(CallClosure(pair->floatingOperation, AsDouble(a), AsDouble(b)));
}

// Kinds 26-31: the same choice of operation, with a boolean result.
ConfigExprNode* CompareConfigNumbers(const ConfigOperatorPair* pair, ConfigExprNode* node, ConfigExprNode* left,
                                     ConfigExprNode* right) {
  ConfigExprNode* a = Evaluate(left);
  ConfigExprNode* b = Evaluate(right);
  if (!IsNumber(a) || !IsNumber(b)) return node;
  if (IsInteger(a) && IsInteger(b)) {
    int32_t result = 0;
    CallClosure(pair->integerOperation, ConfigIntegerValue(a), ConfigIntegerValue(b), &result);
    return MakeConfigBoolean(result);
  }
  return MakeConfigBoolean(CallClosure(pair->floatingOperation, AsDouble(a), AsDouble(b)) != 0.0);
}

// Kinds 35 and 36: booleans only. When the left truth decides the outcome on
// its own, the right operand is not looked at.
ConfigExprNode* ApplyLogicalOperator(const ConfigIntegerOperation& operation, ConfigExprNode* node,
                                     ConfigExprNode* left, ConfigExprNode* right) {
  ConfigExprNode* a = Evaluate(left);
  if (!IsBoolean(a)) return node;
  int32_t t = IsConfigTrue(a) ? 1 : 0;
  int32_t withTrue = 0;
  int32_t withFalse = 0;
  CallClosure(operation, t, int32_t{1}, &withTrue);
  CallClosure(operation, t, int32_t{0}, &withFalse);
  if (withTrue == withFalse) return MakeConfigBoolean(withTrue);
  ConfigExprNode* b = Evaluate(right);
  if (!IsBoolean(b)) return node;
  return MakeConfigBoolean(IsConfigTrue(b) ? withTrue : withFalse);
}

// A name: the value of its first definition, folded; the name itself without
// a definition, for a nested list, and for a definition already followed.
ConfigExprNode* FollowName(ConfigExprNode* e, AppliedOccurrence* occurrence) {
  ConsList matches = OccurrenceMatches(occurrence);
  if (matches == nullptr) return e;
  AttributeDefinitionNode* definition = ConsHead<AttributeDefinitionNode>(matches);
  if (definition->value->kind == ConfigNestedValue) return e;
  if (definition->folding != 0) {
    ++CycleCuts;
    return e;
  }
  return FoldValue(definition);
}

ConfigExprNode* FoldValue(AttributeDefinitionNode* definition) {
  if (definition->folded != nullptr) return definition->folded;
  uint64_t cutsBefore = CycleCuts;
  definition->folding = 1;
  ConfigExprNode* r = Evaluate(definition->value->expression);
  definition->folding = 0;
  if (CycleCuts == cutsBefore) definition->folded = r;
  return r;
}

ConfigExprNode* Evaluate(ConfigExprNode* e) {
  switch (e->kind) {
    case ConfigSimpleName:
      return FollowName(e, e->name.occurrence);
    case ConfigQualifiedName:
      return FollowName(e, e->qualified.occurrence);
    case ConfigParenthesized:
      return Evaluate(e->parenthesized.inner->expression);
    case ConfigUnaryPlus:
      return Evaluate(e->unary.operand);
    case ConfigUnaryMinus: {
      ConfigExprNode* a = Evaluate(e->unary.operand);
      if (IsInteger(a)) return MakeConfigInteger(FromBits(0u - Bits(ConfigIntegerValue(a))));
      if (IsFloating(a)) return MakeConfigDouble(-ConfigDoubleValue(a));
      return e;
    }
    case ConfigNot: {
      ConfigExprNode* a = Evaluate(e->unary.operand);
      if (IsBoolean(a)) return MakeConfigBoolean(IsConfigTrue(a) ? 0 : 1);
      return e;
    }
    case ConfigMultiply:
    case ConfigDivide:
    case ConfigRemainder:
    case ConfigAdd:
    case ConfigSubtract:
      return ApplyBinaryOperator(&OperatorTable[e->kind], e, e->binary.left, e->binary.right);
    case ConfigLess:
    case ConfigGreater:
    case ConfigLessEqual:
    case ConfigGreaterEqual:
    case ConfigEqual:
    case ConfigNotEqual:
      return CompareConfigNumbers(&OperatorTable[e->kind], e, e->binary.left, e->binary.right);
    case ConfigAnd:
    case ConfigOr:
      return ApplyLogicalOperator(OperatorTable[e->kind].integerOperation, e, e->binary.left, e->binary.right);
    case ConfigConditional: {
      ConfigExprNode* c = Evaluate(e->conditional.condition);
      if (c->kind == ConfigTrueLiteral) return Evaluate(e->conditional.then->expression);
      if (c->kind == ConfigFalseLiteral) return Evaluate(e->conditional.otherwise);
      return e;
    }
    default:
      // Literals, field access, calls, indexes, ~, shifts, &, ^ and |.
      return e;
  }
}

}  // namespace

ConfigExprNode* EvaluateExpression(ConfigExprNode* node) { return Evaluate(node); }

ConfigExprNode* EvaluateDefinitionValue(AttributeDefinitionNode* definition) {
  if (definition->folded != nullptr) return definition->folded;
  // Folded as a value on its own, without marking the definition: a name in
  // it that leads back to the definition is followed once more before the
  // cycle is cut there.
  uint64_t cutsBefore = CycleCuts;
  ConfigExprNode* r = Evaluate(definition->value->expression);
  if (CycleCuts == cutsBefore) definition->folded = r;
  return r;
}

const ConfigOperatorPair* ConfigOperatorOf(int32_t kind) {
  if (kind < 0 || kind >= ConfigExprKindCount || !OperatorFolds[kind]) return nullptr;
  return &OperatorTable[kind];
}

void InitConfigEval() {
  if (!EnterModuleInit(ConfigEvalInitFlag)) return;
  InitConfigTree();
  InitConfigResolve();
  SetOperator(ConfigMultiply, IntegerMultiply, FloatingMultiply);
  SetOperator(ConfigDivide, IntegerDivide, FloatingDivide);
  SetOperator(ConfigRemainder, IntegerRemainder, FloatingRemainder);
  SetOperator(ConfigAdd, IntegerAdd, FloatingAdd);
  SetOperator(ConfigSubtract, IntegerSubtract, FloatingSubtract);
  SetOperator(ConfigLess, IntegerLess, FloatingLess);
  SetOperator(ConfigGreater, IntegerGreater, FloatingGreater);
  SetOperator(ConfigLessEqual, IntegerLessEqual, FloatingLessEqual);
  SetOperator(ConfigGreaterEqual, IntegerGreaterEqual, FloatingGreaterEqual);
  SetOperator(ConfigEqual, IntegerEqual, FloatingEqual);
  SetOperator(ConfigNotEqual, IntegerNotEqual, FloatingNotEqual);
  SetOperator(ConfigAnd, LogicalAnd, nullptr);
  SetOperator(ConfigOr, LogicalOr, nullptr);
}
