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

struct Folded;
Folded FoldValue(AttributeDefinitionNode* definition);

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

// A fold's result: a node of the tree or one kept in a definition, or a
// number that folding made. A made number stays a number, with the value
// its text would read as, until a node is needed for it: most results are
// only operands of the next operator, so they never get a node or a text.
// Two words, returned in registers: a made number's node is one of two
// shared markers that stand for its kind.
struct Folded {
  ConfigExprNode* node;
  union {
    int32_t integer;  // beside MadeInteger
    double real;      // beside MadeReal
  };
};

// The markers of made numbers, made once by InitConfigEval.
ConfigExprNode* MadeInteger = nullptr;
ConfigExprNode* MadeReal = nullptr;

Folded OfNode(ConfigExprNode* node) {
  Folded f;
  f.node = node;
  f.real = 0.0;
  return f;
}

Folded IntegerResult(int32_t value) {
  Folded f;
  f.node = MadeInteger;
  f.integer = value;
  return f;
}

// A floating result: the value of its six-digit text, as the next
// operator reads it.
Folded RealResult(double value) {
  Folded f;
  f.node = MadeReal;
  f.real = ConfigFixedValue(value);
  return f;
}

Folded BooleanResult(int32_t flag) { return OfNode(MakeConfigBoolean(flag)); }

ConfigExprNode* NodeOf(const Folded& f) {
  if (f.node == MadeInteger) return MakeConfigInteger(f.integer);
  if (f.node == MadeReal) return MakeConfigDouble(f.real);
  return f.node;
}

int32_t KindOf(const Folded& f) { return f.node->kind; }
bool IsInteger(const Folded& f) { return KindOf(f) == ConfigIntegerLiteral; }
bool IsFloating(const Folded& f) { return KindOf(f) == ConfigFloatingLiteral; }
bool IsNumber(const Folded& f) { return IsInteger(f) || IsFloating(f); }
bool IsBoolean(const Folded& f) { return KindOf(f) == ConfigTrueLiteral || KindOf(f) == ConfigFalseLiteral; }

int32_t IntegerOf(const Folded& f) { return f.node == MadeInteger ? f.integer : ConfigIntegerValue(f.node); }
double RealOf(const Folded& f) { return f.node == MadeReal ? f.real : ConfigDoubleValue(f.node); }
double AsDouble(const Folded& f) { return IsInteger(f) ? static_cast<double>(IntegerOf(f)) : RealOf(f); }

Folded Evaluate(ConfigExprNode* e);

// Kinds 18-22: both operands fold to numbers, or e stays.
Folded ApplyBinaryOperator(const ConfigOperatorPair* pair, ConfigExprNode* node, ConfigExprNode* left,
                           ConfigExprNode* right) {
  Folded a = Evaluate(left);
  Folded b = Evaluate(right);
  if (!IsNumber(a) || !IsNumber(b)) return OfNode(node);
  if (IsInteger(a) && IsInteger(b)) {
    int32_t result = 0;
    if (CallClosure(pair->integerOperation, IntegerOf(a), IntegerOf(b), &result) == 0) return OfNode(node);
    return IntegerResult(result);
  }
  return RealResult(CallClosure(pair->floatingOperation, AsDouble(a), AsDouble(b)));
}

// Kinds 26-31: the same choice of operation, with a boolean result.
Folded CompareConfigNumbers(const ConfigOperatorPair* pair, ConfigExprNode* node, ConfigExprNode* left,
                            ConfigExprNode* right) {
  Folded a = Evaluate(left);
  Folded b = Evaluate(right);
  if (!IsNumber(a) || !IsNumber(b)) return OfNode(node);
  if (IsInteger(a) && IsInteger(b)) {
    int32_t result = 0;
    CallClosure(pair->integerOperation, IntegerOf(a), IntegerOf(b), &result);
    return BooleanResult(result);
  }
  return BooleanResult(CallClosure(pair->floatingOperation, AsDouble(a), AsDouble(b)) != 0.0);
}

// Kinds 35 and 36: booleans only. When the left truth decides the outcome on
// its own, the right operand is not looked at.
Folded ApplyLogicalOperator(const ConfigIntegerOperation& operation, ConfigExprNode* node, ConfigExprNode* left,
                            ConfigExprNode* right) {
  Folded a = Evaluate(left);
  if (!IsBoolean(a)) return OfNode(node);
  int32_t t = IsConfigTrue(a.node) ? 1 : 0;
  int32_t withTrue = 0;
  int32_t withFalse = 0;
  CallClosure(operation, t, int32_t{1}, &withTrue);
  CallClosure(operation, t, int32_t{0}, &withFalse);
  if (withTrue == withFalse) return BooleanResult(withTrue);
  Folded b = Evaluate(right);
  if (!IsBoolean(b)) return OfNode(node);
  return BooleanResult(IsConfigTrue(b.node) ? withTrue : withFalse);
}

// A name: the value of its first definition, folded; the name itself without
// a definition, for a nested list, and for a definition already followed.
Folded FollowName(ConfigExprNode* e, AppliedOccurrence* occurrence) {
  ConsList matches = OccurrenceMatches(occurrence);
  if (matches == nullptr) return OfNode(e);
  AttributeDefinitionNode* definition = ConsHead<AttributeDefinitionNode>(matches);
  if (definition->value->kind == ConfigNestedValue) return OfNode(e);
  if (definition->folding != 0) {
    ++CycleCuts;
    return OfNode(e);
  }
  return FoldValue(definition);
}

// A definition's value, folded; a fold that met no cut is kept in the
// definition as a node.
Folded FoldValue(AttributeDefinitionNode* definition) {
  if (definition->folded != nullptr) return OfNode(definition->folded);
  uint64_t cutsBefore = CycleCuts;
  definition->folding = 1;
  Folded r = Evaluate(definition->value->expression);
  definition->folding = 0;
  if (CycleCuts == cutsBefore) definition->folded = NodeOf(r);
  return r;
}

Folded Evaluate(ConfigExprNode* e) {
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
      Folded a = Evaluate(e->unary.operand);
      if (IsInteger(a)) return IntegerResult(FromBits(0u - Bits(IntegerOf(a))));
      if (IsFloating(a)) return RealResult(-RealOf(a));
      return OfNode(e);
    }
    case ConfigNot: {
      Folded a = Evaluate(e->unary.operand);
      if (IsBoolean(a)) return BooleanResult(IsConfigTrue(a.node) ? 0 : 1);
      return OfNode(e);
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
      Folded c = Evaluate(e->conditional.condition);
      if (KindOf(c) == ConfigTrueLiteral) return Evaluate(e->conditional.then->expression);
      if (KindOf(c) == ConfigFalseLiteral) return Evaluate(e->conditional.otherwise);
      return OfNode(e);
    }
    default:
      // Literals, field access, calls, indexes, ~, shifts, &, ^ and |.
      return OfNode(e);
  }
}

}  // namespace

ConfigExprNode* EvaluateExpression(ConfigExprNode* node) { return NodeOf(Evaluate(node)); }

ConfigExprNode* EvaluateDefinitionValue(AttributeDefinitionNode* definition) {
  if (definition->folded != nullptr) return definition->folded;
  // Folded as a value on its own, without marking the definition: a name in
  // it that leads back to the definition is followed once more before the
  // cycle is cut there.
  uint64_t cutsBefore = CycleCuts;
  ConfigExprNode* r = NodeOf(Evaluate(definition->value->expression));
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
  MadeInteger = MakeConfigInteger(0);
  MadeReal = MakeConfigDouble(0.0);
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
