// The qualified-name pass: what one compilation unit uses of other units.
//
// The pass walks the unit once and collects its package, its single-type
// imports, its on-demand imports and QUALIFIEDS, the dotted names that may
// name a type. To tell type names from variable and method names it marks
// every name node with a use mark as it meets it (type 1, expression 2,
// method 3, qualifier of a type 4, unmarked 5) and asks the scopes whether
// the first component of a name is a variable.
#pragma once

#include <cstdint>

#include "caldrex/namelist.h"
#include "java/tree/nodes.h"
#include "support/identifiers.h"

// The unit's lists (entries are Identifiers), rebuilt for every unit.
extern NameList SingleTypeImports;  // starts as [java.lang.Object]
extern NameList OnDemandImports;    // starts as [EmptyIdentifier, java.lang]; the package in front
extern NameList Qualifieds;         // names in the order the walk meets them

// The Identifier "." that joins name components.
extern Identifier* DotIdentifier;

// Once-only init of the pass's identifiers.
void QualifiedNamesModuleInit();

// The three start values above.
void ResetUnitNameLists();

// Puts the unit's dotted package name in front of OnDemandImports.
void AddUnitPackage(Identifier* package);

// Books an import by its dotted name: p.q.R as a single-type import, p.q.*
// as the on-demand import of p.q.
void AddImportText(Identifier* dottedName);

// Use marks of name nodes, kept in the node's data word (0 reads as
// UnmarkedUse).
enum UseMark : int32_t {
  TypeNameUse = 1,
  ExpressionNameUse = 2,
  MethodNameUse = 3,
  TypeQualifierUse = 4,
  UnmarkedUse = 5,
};

// ResetUnitNameLists, then the walk of the unit of a SourceFileNode (its
// header sections are not walked).
void CollectQualifiedNames(SyntaxNode* sourceFile);

UseMark GetUseMark(const SyntaxNode* name);
// Stores the mark in a name node's data byte. The mark lives in the byte
// itself, so no separate cell is made for it.
void SetUseMark(uint8_t* dataByte, UseMark mark);
// Sets the mark; a type mark on a qualified name marks its qualifier chain
// as qualifier of a type.
void MarkNameUse(SyntaxNode* name, UseMark mark);
// Sets the mark on the name and on every qualifier down its chain, the
// leftmost simple name included.
void MarkQualifierChain(SyntaxNode* name, UseMark mark);
// True for the type nodes inside which a simple name stays a type name even
// where a variable of that name is visible: ClassOrInterfaceTypeNode,
// PrimitiveArrayTypeNode and NameArrayTypeNode. False for null.
bool IsTypeNodeKind(const AnyNode* node);
bool IsTypeMark(UseMark mark);

// The name itself or the first qualifier down its chain that carries a
// type mark; null when none does.
SyntaxNode* FirstTypeMarkedPrefix(SyntaxNode* name);

// True when the leftmost simple name of name resolves to a variable.
bool FirstComponentIsVariable(SyntaxNode* name);

// Appends the name's candidate to Qualifieds unless it is dropped.
void VisitTypeName(SyntaxNode* name);

// The components of a simple or qualified name, left to right.
ConsList NameToList(const SyntaxNode* name);

// The components joined by the separator; EmptyIdentifier for none.
Identifier* JoinIdentifiers(ConsList components, Identifier* separator);
