// The constant-expression evaluator: folds the braced values of a
// configuration for the canonical printer.
//
// EvaluateExpression returns a literal node with the computed value, a name
// node, or an expression node that could not be folded further (with its
// operands as written). Folding reads the numbers of the literals in the
// tree (each once, kept beside its text) and follows names to the values of
// their first definitions. A floating result stands for the value that its
// six-digit text reads as, so each step rounds as printing and reading back
// would; the texts of results are made only when they are printed. Nothing
// is ever reported; what cannot be folded is returned unchanged.
//
// Where plain C arithmetic would trap or be undefined, folding stays
// defined: integer division or remainder by zero, and the most negative
// integer divided by -1, are not folded; every other integer operation
// wraps as two's complement (so the most negative integer % -1 is 0). A
// name whose definition is met a second time while following names is left
// unfolded, so definitions that refer to themselves end.
//
// A definition's value is folded once: later uses of its name take what is
// kept in the definition (its result, or, where the fold met a cycle, how
// the cycle shapes what the name yields), so chains and cycles of
// definitions that name each other fold in linear time.
#pragma once

#include "support/lazy.h"
#include "zebcheck/configtree.h"

// The folding operations of one binary operator: on two integers (returns 1
// and stores the result when it folds, 0 when it does not) and on two
// floating values. Comparisons store 0 or 1.
using ConfigIntegerOperation = Closure<int32_t, int32_t, int32_t, int32_t*>;
using ConfigFloatingOperation = Closure<double, double, double>;
struct ConfigOperatorPair {
  ConfigIntegerOperation integerOperation;
  ConfigFloatingOperation floatingOperation;  // comparisons yield 1.0 or 0.0
};

// The folded form of an expression node (never null).
ConfigExprNode* EvaluateExpression(ConfigExprNode* node);

// EvaluateExpression of a definition's value expression (a value that is
// not a nested list), taken from what its fold kept where that is the same.
ConfigExprNode* EvaluateDefinitionValue(AttributeDefinitionNode* definition);

// The operator pair of an expression kind; null for kinds that are not
// folded as binary operators (the folded ones: 18-22, 26-31, 35, 36).
const ConfigOperatorPair* ConfigOperatorOf(int32_t kind);

// Once-only: makes the operator table.
void InitConfigEval();
