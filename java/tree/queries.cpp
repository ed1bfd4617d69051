// Tree queries and declaration texts over the Java syntax tree: they climb
// owner links with FindAncestor, read fields by variant tag and force the
// definitions cells of occurrences, and change nothing else.
#include "java/tree/queries.h"

#include <string>

#include "java/tree/defsets.h"
#include "java/tree/scopes.h"
#include "support/report.h"
#include "support/startup.h"

namespace {

int32_t DeclarationTextsModuleFlag = 0;
int32_t TreeQueriesModuleFlag = 0;

// The ancestor predicates; each is false for null.
int32_t IsPackagedUnit(AnyNode* any) { return any != nullptr && any->kind == PackagedUnitNodeKind; }
int32_t IsClassDeclarationKind(AnyNode* any) { return any != nullptr && any->kind == ClassDeclarationNodeKind; }
int32_t IsMethodOrAbstractMethod(AnyNode* any) {
  return any != nullptr &&
         (any->kind == MethodDeclarationNodeKind || any->kind == AbstractMethodDeclarationNodeKind);
}
int32_t IsVariableDeclaration(AnyNode* any) {
  return any != nullptr && (any->kind == FieldDeclarationNodeKind || any->kind == FormalParameterNodeKind ||
                            any->kind == LocalVariableDeclarationNodeKind);
}

AncestorPredicate PackagedUnitPredicate;
AncestorPredicate ClassDeclarationPredicate;
AncestorPredicate MethodDeclarationPredicate;
AncestorPredicate VariableDeclarationPredicate;

bool IsClassOrInterface(const SyntaxNode* node) {
  return node != nullptr && (node->code == ClassDeclarationNodeKind || node->code == InterfaceDeclarationNodeKind);
}

// The occurrence that names what a NameFamily node denotes: the identifier of
// simple names, this.n and super.n; the last identifier of q.n, p.n and
// Q.super.n; none for the array accesses.
const void* NameOccurrence(const SyntaxNode* name) {
  if (!InFamily(name, NameFamily)) return nullptr;
  switch (name->tag) {
    case SimpleNameNodeTag:
    case ThisFieldAccessNodeTag:
    case SuperFieldAccessNodeTag:
      return FieldOccurrence(name, 0);
    case QualifiedNameNodeTag:
    case PrimaryFieldAccessNodeTag:
    case QualifiedSuperFieldAccessNodeTag:
      return FieldOccurrence(name, 1);
    default:
      return nullptr;
  }
}

// The first node of the list that is a class or interface declaration.
SyntaxNode* FirstClassOrInterface(ConsList nodes) {
  return FirstNodeOfKind(nodes, ClassDeclarationNodeKind, InterfaceDeclarationNodeKind);
}

}  // namespace

// ---- Declaration texts and name tests ----

Identifier* PackageTextOf(const SyntaxNode* declaration) {
  DeclarationTextsModuleInit();
  if (declaration == nullptr) return EmptyName;
  switch (declaration->code) {
    case PackageDeclarationNodeKind: {
      // One level per PackageDeclarationNode; a body that continues with "."
      // holds the next level.
      std::string text;
      const SyntaxNode* level = declaration;
      for (;;) {
        Identifier* component = OccurrenceName(FieldOccurrence(level, 0));
        text.append(component->text, static_cast<size_t>(component->length));
        const SyntaxNode* body = NodeChild(level, 1);
        if (body->code != PackageDeclaration1NodeKind) break;
        text += '.';
        level = NodeChild(body, 0);
      }
      return IdentifierOf(text.c_str());
    }
    case ClassDeclarationNodeKind:
    case InterfaceDeclarationNodeKind: {
      AnyNode* unit = FindAncestor(OwnerOf(declaration), PackagedUnitPredicate);
      if (unit == nullptr) return EmptyName;
      return PackageTextOf(NodeChild(unit->node, 0));
    }
    default:
      return EmptyName;
  }
}

SyntaxNode* VariableOfName(const SyntaxNode* name) {
  return FirstNodeOfKind(OccurrenceDefinitions(NameOccurrence(name)), DeclaratorIdentifierNodeKind);
}

bool SameClassName(const SyntaxNode* a, const SyntaxNode* b) {
  SyntaxNode* classA = FirstClassOrInterface(DefinitionsOfName(a));
  SyntaxNode* classB = FirstClassOrInterface(DefinitionsOfName(b));
  if (classA == nullptr || classB == nullptr) return false;
  return CanonicalDeclaration(classA) == CanonicalDeclaration(classB);
}

int32_t DeclaratorDimensions(const SyntaxNode* declaratorId) {
  int32_t count = 0;
  const SyntaxNode* id = declaratorId;
  while (id != nullptr && id->code == ArrayDeclaratorIdNodeKind) {
    ++count;
    id = NodeChild(id, 0);
  }
  // Only a declarator id reaches here from a valid tree.
  if (id == nullptr || id->code != SimpleDeclaratorIdNodeKind) InternalError("DeclarationTexts", __LINE__);
  return count;
}

// ---- Tree queries ----

ConsList DefinitionsOfName(const SyntaxNode* name) { return OccurrenceDefinitions(NameOccurrence(name)); }

SyntaxNode* DeclarationOfTypeName(const SyntaxNode* name) {
  if (name == nullptr || (name->code != SimpleNameNodeKind && name->code != QualifiedNameNodeKind)) return nullptr;
  SyntaxNode* node = FirstNodeOfKind(DefinitionsOfName(name), ClassDeclarationNodeKind, InterfaceDeclarationNodeKind,
                                     EmptyTypeDeclarationNodeLeaf);
  return node == nullptr ? nullptr : CanonicalDeclaration(node);
}

SyntaxNode* CanonicalDeclaration(SyntaxNode* declaration) {
  if (!IsClassOrInterface(declaration)) return nullptr;
  SyntaxNode* best = declaration;
  Identifier* key = PackageTextOf(declaration);
  // The declarations of the same name and kind in the declaring scope.
  for (ConsList rest = OccurrenceDefinitions(FieldOccurrence(declaration, 1)); rest != nullptr; rest = rest->tail) {
    auto* other = static_cast<SyntaxNode*>(rest->head);
    if (other == nullptr || other == declaration) continue;
    if (other->position < best->position && PackageTextOf(other) == key) best = other;
  }
  return best;
}

SyntaxNode* DeclarationOfType(const SyntaxNode* type) {
  if (!InFamily(type, TypeFamily) || type->tag != ClassOrInterfaceTypeNodeTag) return nullptr;
  return CanonicalDeclaration(DeclarationOfTypeName(NodeChild(type, 0)));
}

SyntaxNode* EnclosingClassDeclaration(const SyntaxNode* node) {
  TreeQueriesModuleInit();
  AnyNode* found = FindAncestor(OwnerOf(node), ClassDeclarationPredicate);
  return found == nullptr ? nullptr : found->node;
}

SyntaxNode* OuterClassOfName(const SyntaxNode* name) {
  SyntaxNode* node = FirstNodeOfKind(DefinitionsOfName(name), ClassDeclarationNodeKind);
  return node == nullptr ? nullptr : EnclosingClassDeclaration(node);
}

SyntaxNode* EnclosingMethodDeclaration(const SyntaxNode* node) {
  TreeQueriesModuleInit();
  AnyNode* found = FindAncestor(OwnerOf(node), MethodDeclarationPredicate);
  if (found == nullptr || found->kind != MethodDeclarationNodeKind) return nullptr;
  return found->node;
}

AnyNode* EnclosingVariableDeclaration(const SyntaxNode* node) {
  TreeQueriesModuleInit();
  return FindAncestor(OwnerOf(node), VariableDeclarationPredicate);
}

SyntaxNode* OutermostDeclaratorId(const SyntaxNode* declaratorIdentifier) {
  AnyNode* at = OwnerOf(declaratorIdentifier);
  if (at == nullptr) return nullptr;
  if (at->kind == SimpleDeclaratorIdNodeKind) {
    AnyNode* up = at->node->owner;
    if (up == nullptr || up->kind != ArrayDeclaratorIdNodeKind) return at->node;
    at = up;
  }
  if (at->kind != ArrayDeclaratorIdNodeKind) return nullptr;
  while (at->node->owner != nullptr && at->node->owner->kind == ArrayDeclaratorIdNodeKind) at = at->node->owner;
  return at->node;
}

void DeclarationTextsModuleInit() {
  if (!EnterModuleInit(DeclarationTextsModuleFlag)) return;
  TreeQueriesModuleInit();
}

void TreeQueriesModuleInit() {
  if (!EnterModuleInit(TreeQueriesModuleFlag)) return;
  SyntaxNodesModuleInit();
  DefinitionSetsModuleInit();
  ResolutionModuleInit();
  DeclarationTextsModuleInit();
  PackagedUnitPredicate = MakeClosure(IsPackagedUnit);
  ClassDeclarationPredicate = MakeClosure(IsClassDeclarationKind);
  MethodDeclarationPredicate = MakeClosure(IsMethodOrAbstractMethod);
  VariableDeclarationPredicate = MakeClosure(IsVariableDeclaration);
}
