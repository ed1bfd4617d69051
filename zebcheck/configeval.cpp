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
//    definitions being followed form a chain on the stack (FollowPath); a
//    name that leads to a definition already on the chain is returned as it
//    is, which ends every cycle of definitions.
#include "zebcheck/configeval.h"

#include <cmath>
#include <cstdint>

#include "support/startup.h"
#include "zebcheck/configresolve.h"

namespace {

int32_t ConfigEvalInitFlag = 0;

// The definitions whose values are being folded, innermost first.
struct FollowPath {
  const AttributeDefinitionNode* definition;
  const FollowPath* outer;
};

bool OnPath(const FollowPath* path, const AttributeDefinitionNode* definition) {
  for (; path != nullptr; path = path->outer) {
    if (path->definition == definition) return true;
  }
  return false;
}

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

ConfigExprNode* Evaluate(ConfigExprNode* e, const FollowPath* path);

// Kinds 18-22: both operands fold to numbers, or e stays.
ConfigExprNode* ApplyBinaryOperator(const ConfigOperatorPair* pair, ConfigExprNode* node, ConfigExprNode* left,
                                    ConfigExprNode* right, const FollowPath* path) {
  ConfigExprNode* a = Evaluate(left, path);
  ConfigExprNode* b = Evaluate(right, path);
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
                                     ConfigExprNode* right, const FollowPath* path) {
  ConfigExprNode* a = Evaluate(left, path);
  ConfigExprNode* b = Evaluate(right, path);
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
                                     ConfigExprNode* left, ConfigExprNode* right, const FollowPath* path) {
  ConfigExprNode* a = Evaluate(left, path);
  if (!IsBoolean(a)) return node;
  int32_t t = IsConfigTrue(a) ? 1 : 0;
  int32_t withTrue = 0;
  int32_t withFalse = 0;
  CallClosure(operation, t, int32_t{1}, &withTrue);
  CallClosure(operation, t, int32_t{0}, &withFalse);
  if (withTrue == withFalse) return MakeConfigBoolean(withTrue);
  ConfigExprNode* b = Evaluate(right, path);
  if (!IsBoolean(b)) return node;
  return MakeConfigBoolean(IsConfigTrue(b) ? withTrue : withFalse);
}

// A name: the value of its first definition, folded; the name itself without
// a definition, for a nested list, and for a definition already followed.
ConfigExprNode* FollowName(ConfigExprNode* e, AppliedOccurrence* occurrence, const FollowPath* path) {
  ConsList matches = OccurrenceMatches(occurrence);
  if (matches == nullptr) return e;
  AttributeDefinitionNode* definition = ConsHead<AttributeDefinitionNode>(matches);
  AttributeValueNode* value = definition->value;
  if (value->kind == ConfigNestedValue) return e;
  if (OnPath(path, definition)) return e;
  FollowPath inner{definition, path};
  return Evaluate(value->expression, &inner);
}

ConfigExprNode* Evaluate(ConfigExprNode* e, const FollowPath* path) {
  switch (e->kind) {
    case ConfigSimpleName:
      return FollowName(e, e->name.occurrence, path);
    case ConfigQualifiedName:
      return FollowName(e, e->qualified.occurrence, path);
    case ConfigParenthesized:
      return Evaluate(e->parenthesized.inner->expression, path);
    case ConfigUnaryPlus:
      return Evaluate(e->unary.operand, path);
    case ConfigUnaryMinus: {
      ConfigExprNode* a = Evaluate(e->unary.operand, path);
      if (IsInteger(a)) return MakeConfigInteger(FromBits(0u - Bits(ConfigIntegerValue(a))));
      if (IsFloating(a)) return MakeConfigDouble(-ConfigDoubleValue(a));
      return e;
    }
    case ConfigNot: {
      ConfigExprNode* a = Evaluate(e->unary.operand, path);
      if (IsBoolean(a)) return MakeConfigBoolean(IsConfigTrue(a) ? 0 : 1);
      return e;
    }
    case ConfigMultiply:
    case ConfigDivide:
    case ConfigRemainder:
    case ConfigAdd:
    case ConfigSubtract:
      return ApplyBinaryOperator(&OperatorTable[e->kind], e, e->binary.left, e->binary.right, path);
    case ConfigLess:
    case ConfigGreater:
    case ConfigLessEqual:
    case ConfigGreaterEqual:
    case ConfigEqual:
    case ConfigNotEqual:
      return CompareConfigNumbers(&OperatorTable[e->kind], e, e->binary.left, e->binary.right, path);
    case ConfigAnd:
    case ConfigOr:
      return ApplyLogicalOperator(OperatorTable[e->kind].integerOperation, e, e->binary.left, e->binary.right,
                                  path);
    case ConfigConditional: {
      ConfigExprNode* c = Evaluate(e->conditional.condition, path);
      if (c->kind == ConfigTrueLiteral) return Evaluate(e->conditional.then->expression, path);
      if (c->kind == ConfigFalseLiteral) return Evaluate(e->conditional.otherwise, path);
      return e;
    }
    default:
      // Literals, field access, calls, indexes, ~, shifts, &, ^ and |.
      return e;
  }
}

}  // namespace

ConfigExprNode* EvaluateExpression(ConfigExprNode* node) { return Evaluate(node, nullptr); }

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
