// Scopes and environments: the definition sets in which names are looked up
// when a name is not simply looked up in the environment that flows down the
// tree: the members of a package, of an import, of a class with what it
// inherits, of the type of an expression, of the class around this or super,
// and the nested entries of a header-section value. Also the unit whose
// attributes are being forced, the standard classes of java.lang as lazily
// found declarations, and the array field "length".
//
// Everything here is a function of the tree and of the definition sets,
// except the current unit, the inheritance cycle guard and the once-only
// cells. Nothing here prints: a missing piece yields EmptyDefinitionSet.
#pragma once

#include <cstddef>
#include <cstdint>

#include "java/tree/defsets.h"
#include "java/tree/nodes.h"

// The entry points that the tree builder's equations call: (environment,
// the node of the calling production) -> set.
using ScopeFunction = DefinitionSet* (*)(DefinitionSet* env, SyntaxNode* node);

DefinitionSet* ScopeOfNameDefinitions(DefinitionSet* env, SyntaxNode* node);
DefinitionSet* AddPackageScope(DefinitionSet* env, SyntaxNode* node);
DefinitionSet* AddImportScopes(DefinitionSet* env, SyntaxNode* node);
DefinitionSet* NamedClassesScope(DefinitionSet* env, SyntaxNode* node);
DefinitionSet* TypeMembersScope(DefinitionSet* env, SyntaxNode* node);
DefinitionSet* TypeNameMembersScope(DefinitionSet* env, SyntaxNode* node);
DefinitionSet* PrimaryMembersScope(DefinitionSet* env, SyntaxNode* node);
DefinitionSet* QualifierMembersScope(DefinitionSet* env, SyntaxNode* node);
DefinitionSet* EnclosingClassScope(DefinitionSet* env, SyntaxNode* node);
DefinitionSet* InheritedMembersScope(DefinitionSet* env, SyntaxNode* node);
DefinitionSet* SuperQualifierScope(DefinitionSet* env, SyntaxNode* node);
DefinitionSet* SuperAccessScope(DefinitionSet* env, SyntaxNode* node);
DefinitionSet* InterfaceMembersScope(DefinitionSet* env, SyntaxNode* node);

// Member computations, also used by the static types.
DefinitionSet* MembersOfName(SyntaxNode* name);
DefinitionSet* MembersOfImportName(SyntaxNode* name);
DefinitionSet* ClassMembersWithInherited(SyntaxNode* declaration);
DefinitionSet* MembersOfDeclaredType(AnyNode* declaration);
DefinitionSet* MembersOfTypeValue(SyntaxNode* type);
DefinitionSet* ArrayMembers();
DefinitionSet* ObjectClassMembers();
DefinitionSet* ClassClassMembers();
DefinitionSet* MembersOfExpressionType(SyntaxNode* expression);
DefinitionSet* MembersOfCreationOrInvocation(SyntaxNode* node);
DefinitionSet* SuperclassMembers(SyntaxNode* declaration);
DefinitionSet* SupertypeMembers(SyntaxNode* declaration);
DefinitionSet* ImplementedInterfacesMembers(SyntaxNode* declaration);
DefinitionSet* InterfaceTypeMembers(SyntaxNode* interfaceType);
DefinitionSet* EnclosingSuperclassMembers(AnyNode* node);
DefinitionSet* ImportScope(SyntaxNode* importDeclaration);
DefinitionSet* PackageScope(DefinitionSet* set, SyntaxNode* packageDeclaration);

// The unit whose attributes are being forced.
extern SyntaxNode* CurrentUnit;
void SetCurrentUnit(SyntaxNode* sourceFile);

// The class and interface declarations whose members are being computed.
extern ConsList InheritanceGuard;

// Told by the tree builder while MemberComputationsListen(): a cell that was
// being computed has been forced again, and stands at that place on the
// builder's work stack (-1: below MemberComputationFloor()). A member
// computation that started after the cell's place is not on the cycle it
// closes.
bool MemberComputationsListen();
void NoteCellCycle(LazyCell* cell, int64_t place);
// The builder's forcing depth when the outermost open member computation
// started: the places below it need not be told apart.
size_t MemberComputationFloor();

// Drops the kept members of declarations, which are keyed by node address:
// called when the memory of the unit's nodes is given back.
void ForgetInheritedMembers();

// The standard classes, found in the unit current at their first forcing.
extern LazyCell JavaLangObject;
extern LazyCell JavaLangClass;
extern LazyCell JavaLangString;
extern LazyCell JavaLangStringBuffer;

extern SyntaxNode* ArrayLengthDeclarator;
extern DefinitionSet* ArrayLengthDefinitions;
extern Identifier* EmptyName;

// Declarations named by a path of identifiers in CurrentUnit, in declaration
// order; "*" as the last step stands for every type declaration.
ConsList LookupPackagePath(ConsList path);
SyntaxNode* LookupStandardClass(ConsList path);
SyntaxNode* LookupStandardInterface(ConsList path);

// The name declared by a GeneralDeclaratorFamily node; EmptyName for the empty
// type declaration and for null.
Identifier* DeclaredName(const SyntaxNode* node);
// The identifier of the occurrence in a node's first field; EmptyName for null.
Identifier* FirstFieldName(const SyntaxNode* node);
void* FirstElement(ConsList list);
// The element at a 0-based index; an internal error when there is none.
void* ListElement(ConsList list, int32_t index);

void ResolutionModuleInit();
