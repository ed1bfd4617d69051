// Static types and method resolution: the static type of every Java expression,
// name and declaration, the promotion of operand types, type identity and
// convertibility, subclassing, and the method declaration an invocation
// calls.
//
// A type is a TypeFamily node, so written types and computed ones are the
// same records: the primitive leaves (tags 0 to 7), a class or interface type
// over the Name that denotes the class (8), and arrays of a primitive type (9)
// or of a class (10) with their dimension count. Computed nodes carry
// position 0. A class type made from a declaration holds a new SimpleNameNode
// whose definitions cell yields just that declaration. UnknownType is the
// class type whose name has no definitions: it is the same type as nothing,
// not even itself.
//
// The computation is lazy: it runs only when a scope needs the members of an
// expression's type. It prints nothing; where no rule applies the result is
// UnknownType, and an invocation that matches nothing resolves to null.
#pragma once

#include <cstdint>

#include "java/tree/nodes.h"
#include "support/conslist.h"
#include "support/lazy.h"

// A type value: a TypeFamily node.
using TypeValue = SyntaxNode*;

// The shared type values, made once by TypesModuleInit (there is no shared
// byte or short value: only written types have those).
extern TypeValue IntType;
extern TypeValue LongType;
extern TypeValue CharType;
extern TypeValue FloatType;
extern TypeValue DoubleType;
extern TypeValue BooleanType;
extern TypeValue UnknownType;

// The standard class types: each cell yields the class type made from the
// declaration found in the unit current at its first forcing (UnknownType
// when that unit does not declare it), and keeps it for the whole run.
extern LazyCell BooleanClassType;
extern LazyCell ByteClassType;
extern LazyCell CharacterClassType;
extern LazyCell DoubleClassType;
extern LazyCell ErrorClassType;
extern LazyCell ExceptionClassType;
extern LazyCell FloatClassType;
extern LazyCell IntegerClassType;
extern LazyCell LongClassType;
extern LazyCell RuntimeExceptionClassType;
extern LazyCell ShortClassType;
extern LazyCell ThrowableClassType;
extern LazyCell HashtableClassType;   // java.util.Hashtable
extern LazyCell CloneableClassType;   // java.lang.Cloneable, an interface
extern LazyCell ClassClassType;
extern LazyCell ObjectClassType;
extern LazyCell StringClassType;
extern LazyCell StringBufferClassType;

// The primitive types and UnknownType are made once for the run, and the
// first node of a unit that takes one as a child (an array type) becomes its
// owner. When that unit's region is given back the owner link would point
// into memory that is reused: this clears the links, so that the next
// unit's first such node becomes the owner instead.
void ForgetTypeOwners();

// The value a standard class type cell holds.
inline TypeValue StandardType(LazyCell& cell) { return reinterpret_cast<TypeValue>(ForceLazyCell(&cell)); }

// The class type made from a class or interface declaration; UnknownType for
// null.
TypeValue ClassTypeOfDeclaration(SyntaxNode* declaration);

// Type(t, d): adds (or, with a negative count, removes) array dimensions.
TypeValue Type(TypeValue type, int32_t dimensions);

// Type(node), also named TypeOfNode: the type of a declaration, parameter or
// expression by its AnyNode code.
TypeValue Type(AnyNode* node);
TypeValue TypeOfNode(AnyNode* node);
TypeValue TypeOfExpression(SyntaxNode* expression);
TypeValue TypeOfPrimary(SyntaxNode* statementExpression);
TypeValue TypeOfName(SyntaxNode* name);
TypeValue TypeOfDeclaration(SyntaxNode* declaration);
// The declared type of a variable's declaration with the brackets written
// after its name (the declarator id given); UnknownType for null.
TypeValue TypeOfVariable(SyntaxNode* declaratorId);

// Promotion of two operand types (the operator ^ of the type rules).
TypeValue PromoteTypes(TypeValue t, TypeValue u);

bool SameType(TypeValue t, TypeValue u);
bool IsConvertible(TypeValue argument, TypeValue parameter);
bool IsSubclassOf(SyntaxNode* a, SyntaxNode* b);

// The MethodDeclaratorNode that an invocation (StatementExpressionFamily 4 to
// 8) calls: the first candidate whose parameter types are identical to the
// argument types, else the first the arguments convert to, else null.
SyntaxNode* ResolveMethodInvocation(SyntaxNode* invocation);

void TypesModuleInit();
