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
//    definitions being followed are marked; a name that leads to a marked
//    definition is returned as it is (a cut), which ends every cycle of
//    definitions. So a value folds as it does with the definitions on the
//    path to it marked, and only a cut can make its fold depend on the
//    path. A name meets a cut when it is one or when the fold of its
//    definition's value meets one.
// 4. A fold that meets a cut yields no literal: a cut yields a name, which
//    no operator folds, so each operator around it yields its own node, and
//    a logical operator or a conditional stops at it. So a fold ends at the
//    first cut, and with it every fold under way: what was not folded yet
//    could not change what they yield.
// 5. A definition's value is folded once, on the path that first reaches
//    it, and the definition keeps what it came to (its FoldState):
//      constant: it met no cut; its result is the same on every path;
//      passing:  the first name in it that met a cut is reached from the
//                top of the value through parentheses, unary plus and the
//                branches that constant conditions take only, which yield
//                what is in them: the value yields what the name yields,
//                the name itself if its definition is marked, else what
//                that definition's value yields;
//      wrapped:  else the way down to that name enters an operand or a
//                condition, and the value yields, on every path, the
//                operator or conditional node where it first does.
//    Which name of a value is the first to meet a cut does not depend on
//    the path. A mark only adds cuts, so a name that meets a cut with only
//    the value's own definition D marked meets one on every path. A name
//    that meets no cut with D alone marked meets none on a path either: it
//    could only meet a definition E of the path, whose fold reached D
//    before any cut, so with D marked the name's fold would come round
//    through E to D, a cut. So a name that leads to a wrapped or passing
//    definition meets a cut wherever it stands. The same holds for a value
//    folded from outside without its own definition marked (the printer's
//    fold of a definition): from there a fold that reaches the definition
//    folds it with it marked.
// 6. Inside a fold only whether a cut was met counts; what a passing
//    definition yields matters only to a fold from outside any definition
//    (the printer's, EvaluateExpression's). A name that leads there to a
//    passing definition D yields along D's chain: with D marked, D's name
//    leads to the next definition, and so on, each marked in turn, to a
//    wrapped one (its node) or to one met again (the name that led back to
//    it). Each passing definition leads to one other, so the chains form
//    cycles with tails: D yields, on a cycle, the name in the definition
//    before it on the cycle, and on a tail, what the next one yields. One
//    walk along a chain finds this for each definition it meets first.
#include "zebcheck/configeval.h"

#include <cmath>
#include <cstdint>

#include "support/heapstack.h"
#include "support/startup.h"
#include "zebcheck/configresolve.h"

namespace {

int32_t ConfigEvalInitFlag = 0;

// How far a definition's fold has got (AttributeDefinitionNode::foldState),
// and what its folded node is then (notes 5 and 6).
enum FoldState : int32_t {
  Unfolded = 0,  // not folded yet; null
  Folding,       // being folded, so a name that leads to it is a cut; null
  Constant,      // met no cut; the result, the same on every path
  Wrapped,       // the operator or conditional node, the result on every path
  Passing,       // the name through which it yields (its definition is next)
  OnWalk,        // passing, on the chain that OutsideFold walks; the name
  Outside,       // passing; what a name that leads to it yields from outside
};

// Set when a fold meets a cut, until the fold from outside has ended: every
// fold under way then ends at once (note 4). A name that meets a cut sets
// itself as CutName and its definition as CutDefinition when its own fold
// has ended, so as the fold of a value ends they hold the name in it.
bool CutMet = false;
ConfigExprNode* CutName = nullptr;
AttributeDefinitionNode* CutDefinition = nullptr;

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

// Kinds 18-22: both operands fold to numbers, or e stays (at once when the
// left operand met a cut).
Folded ApplyBinaryOperator(const ConfigOperatorPair* pair, ConfigExprNode* node, ConfigExprNode* left,
                           ConfigExprNode* right) {
  Folded a = Evaluate(left);
  if (CutMet) return OfNode(node);
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
  if (CutMet) return OfNode(node);
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
// a definition and for a nested list. A name that meets a cut yields itself
// too: only a fold from outside needs more, and AfterCut finds it.
Folded FollowName(ConfigExprNode* e, AppliedOccurrence* occurrence) {
  ConsList matches = OccurrenceMatches(occurrence);
  if (matches == nullptr) return OfNode(e);
  AttributeDefinitionNode* definition = ConsHead<AttributeDefinitionNode>(matches);
  if (definition->value->kind == ConfigNestedValue) return OfNode(e);
  if (definition->foldState == Constant) return OfNode(definition->folded);
  if (definition->foldState == Unfolded) {
    Folded r = FoldValue(definition);
    if (!CutMet) return r;
  } else {
    CutMet = true;  // marked, or its fold met a cut on every path
  }
  CutName = e;
  CutDefinition = definition;
  return OfNode(e);
}

// The one fold of a definition's value, with the definition marked; what it
// came to is kept in the definition (note 5). A value that yields the name
// that met the cut yields through it (passing); one that met it and yields
// another node yields that node (wrapped).
Folded FoldValue(AttributeDefinitionNode* definition) {
  definition->foldState = Folding;
  Folded r = Evaluate(definition->value->expression);
  if (!CutMet) {
    definition->folded = NodeOf(r);
    definition->foldState = Constant;
  } else if (r.node == CutName) {
    definition->folded = CutName;
    definition->foldState = Passing;
  } else {
    definition->folded = r.node;
    definition->foldState = Wrapped;
  }
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

// The definition that a passing definition's name leads to.
AttributeDefinitionNode* NextOnChain(AttributeDefinitionNode* definition) {
  ConfigExprNode* name = definition->folded;
  AppliedOccurrence* occurrence =
      name->kind == ConfigSimpleName ? name->name.occurrence : name->qualified.occurrence;
  return ConsHead<AttributeDefinitionNode>(OccurrenceMatches(occurrence));
}

// The chain being walked by OutsideFold (empty between walks).
HeapStack<AttributeDefinitionNode*> Chain;

// What a definition whose fold met a cut yields from outside (note 6). The
// chain is walked to a definition whose answer is known (wrapped, or
// passing and met before) or to one met again on this walk, the start of a
// cycle; then the answer of each definition of the walk is kept.
ConfigExprNode* OutsideFold(AttributeDefinitionNode* definition) {
  AttributeDefinitionNode* at = definition;
  while (at->foldState == Passing) {
    at->foldState = OnWalk;
    Chain.Push(at);
    at = NextOnChain(at);
  }
  ConfigExprNode* answer = at->folded;  // wrapped or outside
  uint32_t tail = Chain.count;          // the walk's definitions before the cycle
  if (at->foldState == OnWalk) {
    // The cycle runs from at to the top of the chain; the name in the last
    // definition leads back to at. Each member yields the name in the one
    // before it, from the top down, while those names are still there.
    answer = Chain[Chain.count - 1]->folded;
    tail = Chain.count - 1;
    while (Chain[tail] != at) {
      Chain[tail]->folded = Chain[tail - 1]->folded;
      Chain[tail]->foldState = Outside;
      --tail;
    }
    at->folded = answer;
    at->foldState = Outside;
  }
  for (uint32_t i = 0; i < tail; ++i) {
    Chain[i]->folded = answer;
    Chain[i]->foldState = Outside;
  }
  Chain.Clear();
  return definition->folded;
}

// What a fold from outside any definition (nothing marked) yields when it
// met a cut: the operator or conditional node where it ended, or what the
// definition of the name through which it yields yields from outside.
ConfigExprNode* AfterCut(const Folded& r) {
  CutMet = false;
  if (r.node != CutName) return r.node;
  return OutsideFold(CutDefinition);
}

}  // namespace

ConfigExprNode* EvaluateExpression(ConfigExprNode* node) {
  Folded r = Evaluate(node);
  return CutMet ? AfterCut(r) : NodeOf(r);
}

ConfigExprNode* EvaluateDefinitionValue(AttributeDefinitionNode* definition) {
  // Folded as a value on its own, without marking the definition: a name in
  // it that leads back to the definition follows it once more before the
  // cycle is cut. A constant or wrapped definition yields here what its name
  // yields (notes 5 and 6).
  if (definition->foldState == Constant || definition->foldState == Wrapped) return definition->folded;
  Folded r = Evaluate(definition->value->expression);
  if (CutMet) return AfterCut(r);
  // No cut without the mark means none with it: the definition was never
  // reached, for from there the fold would have come round to a cut.
  definition->folded = NodeOf(r);
  definition->foldState = Constant;
  return definition->folded;
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
