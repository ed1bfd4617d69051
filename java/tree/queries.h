// Tree queries and declaration texts: small questions over the Java syntax
// tree that the static types and the qualified-name pass share. Which
// declaration a type name denotes, the one declaration that stands for
// several declarations of the same class, the declarations a name resolves
// to, the nearest enclosing class, method or variable declaration of a node,
// the dotted package text of a declaration, the variable a name denotes, and
// the bracket pairs written after a variable's name.
//
// Everything here reads nodes, owner links and occurrence cells; forcing an
// occurrence's cell is the only effect. Nothing prints: a missing piece
// gives null, the empty list, EmptyName or false.
#pragma once

#include <cstdint>

#include "java/tree/nodes.h"
#include "support/conslist.h"
#include "support/identifiers.h"

// ---- Declaration texts and name tests ----

// The dotted package text of a package, class or interface declaration (a.b.c
// as one Identifier); EmptyName for null, another variant, or a class in an
// unpackaged unit.
Identifier* PackageTextOf(const SyntaxNode* declaration);

// The first DeclaratorIdentifierNode among the declaring nodes of the name's
// occurrence (the last identifier of a qualified name or field access); null
// when there is none and for the array-access variants.
SyntaxNode* VariableOfName(const SyntaxNode* name);

// Whether both names denote a class or interface and those have the same
// canonical declaration.
bool SameClassName(const SyntaxNode* a, const SyntaxNode* b);

// The number of bracket pairs of a declarator id (int a[][] gives 2).
int32_t DeclaratorDimensions(const SyntaxNode* declaratorId);

// ---- Tree queries ----

// The declaring nodes of a name's occurrence: the last identifier of a
// qualified name or qualified field access, the identifier of the other name
// and field-access variants; the empty list for array accesses and null.
ConsList DefinitionsOfName(const SyntaxNode* name);

// The canonical class, interface or empty type declaration that a simple or
// qualified name denotes first; null otherwise.
SyntaxNode* DeclarationOfTypeName(const SyntaxNode* name);

// Of the declarations of one class or interface visible in its declaring
// scope, the one that starts first in the input among those of its package;
// null for any other node.
SyntaxNode* CanonicalDeclaration(SyntaxNode* declaration);

// The canonical declaration of a class or interface type; null for any other
// type.
SyntaxNode* DeclarationOfType(const SyntaxNode* type);

// The nearest ClassDeclarationNode above the node (its own node excluded).
SyntaxNode* EnclosingClassDeclaration(const SyntaxNode* node);

// The class that encloses the first class the name denotes.
SyntaxNode* OuterClassOfName(const SyntaxNode* name);

// The nearest method declaration above the node; null when the nearest one is
// an interface's abstract method declaration, or when there is none.
SyntaxNode* EnclosingMethodDeclaration(const SyntaxNode* node);

// The nearest field, formal parameter or local variable declaration above
// the node, as its AnyNode; null when there is none.
AnyNode* EnclosingVariableDeclaration(const SyntaxNode* node);

// The outermost declarator id around a variable's DeclaratorIdentifierNode
// (the one holding every bracket pair written after the name); null when the
// node is not inside a declarator id.
SyntaxNode* OutermostDeclaratorId(const SyntaxNode* declaratorIdentifier);

// Once-only inits: the declaration texts and the tree queries.
void DeclarationTextsModuleInit();
void TreeQueriesModuleInit();
