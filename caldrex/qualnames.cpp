// The qualified-name pass: the unit's package, imports and QUALIFIEDS.
#include "caldrex/qualnames.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "caldrex/messages.h"
#include "caldrex/searchpath.h"
#include "java/tree/defsets.h"
#include "support/startup.h"

NameList SingleTypeImports;
NameList OnDemandImports;
NameList Qualifieds;
Identifier* DotIdentifier = nullptr;

namespace {

int32_t QualifiedNamesInitFlag = 0;

Identifier* StarIdentifier = nullptr;
Identifier* JavaLangObject = nullptr;
Identifier* JavaLang = nullptr;

}  // namespace

void QualifiedNamesModuleInit() {
  if (!EnterModuleInit(QualifiedNamesInitFlag)) return;
  InitSearchPath();
  DotIdentifier = IdentifierOf(".");
  StarIdentifier = IdentifierOf("*");
  JavaLangObject = IdentifierOf(JavaLangObjectText);
  JavaLang = IdentifierOf(JavaLangText);
}

void ResetUnitNameLists() {
  ClearNameList(SingleTypeImports);
  AppendName(SingleTypeImports, JavaLangObject);
  ClearNameList(OnDemandImports);
  AppendName(OnDemandImports, EmptyIdentifier);
  AppendName(OnDemandImports, JavaLang);
  ClearNameList(Qualifieds);
}

void AddUnitPackage(Identifier* package) { PrependName(OnDemandImports, package); }

void AddImportText(Identifier* dottedName) {
  int32_t dot = -1;
  if (const char* at = std::strrchr(dottedName->text, '.')) dot = static_cast<int32_t>(at - dottedName->text);
  if (dot >= 0 && std::strcmp(dottedName->text + dot + 1, StarIdentifier->text) == 0) {
    AppendName(OnDemandImports, MakeIdentifier(dottedName->text, 0, dot - 1));
  } else {
    AppendName(SingleTypeImports, dottedName);
  }
}

namespace {

bool IsNameKind(const SyntaxNode* node) {
  return node != nullptr && (node->code == SimpleNameNodeKind || node->code == QualifiedNameNodeKind);
}

Identifier* OccurrenceIdentifier(const SyntaxNode* node, int32_t field) {
  return static_cast<const AppliedOccurrence*>(reinterpret_cast<void*>(NodeField(node, field)))->name;
}

// The simple or qualified name's last component.
Identifier* NameIdentifier(const SyntaxNode* name) {
  return OccurrenceIdentifier(name, name->code == SimpleNameNodeKind ? 0 : 1);
}

// True when the node or one of its owners is a type node. The owner links
// are followed here rather than by FindAncestor with a predicate closure:
// this runs for many simple names of every unit.
bool HasTypeNodeAncestor(AnyNode* node) {
  for (; node != nullptr; node = node->node->owner) {
    if (IsTypeNodeKind(node)) return true;
  }
  return false;
}

// The components of an import name, "*" last for an on-demand import.
ConsList ImportNameToList(const SyntaxNode* name) {
  ConsList components = nullptr;
  for (;;) {
    if (name->code == OnDemandImportNameNodeKind) {
      components = Cons(StarIdentifier, components);
      name = NodeChild(name, 0);
    } else if (name->code == ImportQualifiedNameNodeKind) {
      components = Cons(OccurrenceIdentifier(name, 1), components);
      name = NodeChild(name, 0);
    } else {
      return Cons(OccurrenceIdentifier(name, 0), components);
    }
  }
}

void AddImportName(const SyntaxNode* importDeclaration) {
  ConsList components = ImportNameToList(NodeChild(importDeclaration, 0));
  AddImportText(JoinIdentifiers(components, DotIdentifier));
}

// The package levels of a PackageDeclarationNode chain, and the unpackaged
// unit that the last level holds.
ConsList PackageNameToList(const SyntaxNode* declaration, SyntaxNode** unit) {
  ConsListBuilder levels;
  for (;;) {
    auto* occurrence = reinterpret_cast<const DefiningOccurrence*>(NodeField(declaration, 0));
    levels.Add(occurrence->name);
    SyntaxNode* body = NodeChild(declaration, 1);
    if (body->code != PackageDeclaration1NodeKind) {
      *unit = NodeChild(body, 0);  // UnpackagedUnit1Node holds the unit
      return levels.head;
    }
    declaration = NodeChild(body, 0);
  }
}

// The name of a cast's parenthesized part, through further parentheses (and
// the Expression wrappers inside them); null when it is no expression name.
SyntaxNode* CastName(SyntaxNode* expression) {
  while (expression != nullptr &&
         (expression->code == ParenthesizedExpressionNodeKind || expression->code == ExpressionNodeKind)) {
    expression = NodeChild(expression, 0);
  }
  if (expression == nullptr || expression->code != ExpressionNameNodeKind) return nullptr;
  return NodeChild(expression, 0);
}

void MarkAndVisit(SyntaxNode* name, UseMark mark) {
  MarkNameUse(name, mark);
  VisitTypeName(name);
}

// The walk, in source order with each construct before its children. An
// explicit stack keeps deep expressions and long statement lists off the
// program stack. Name nodes are handled by the construct that holds them
// and are not walked on their own.
void WalkUnit(SyntaxNode* start) {
  std::vector<SyntaxNode*> stack{start};
  while (!stack.empty()) {
    SyntaxNode* node = stack.back();
    stack.pop_back();
    if (node == nullptr || IsLeafCode(node->code) || IsNameKind(node)) continue;
    // Fields that the action below has handled and the walk skips.
    int32_t skipField = -1;
    switch (node->code) {
      case ClassOrInterfaceTypeNodeKind:
      case ClassTypeNodeKind:
      case NameArrayTypeNodeKind:
      case QualifiedThisNodeKind:
      case ClassLiteralNodeKind:
      case QualifiedSuperFieldAccessNodeKind:
      case QualifiedSuperMethodInvocationNodeKind:
      case ArrayCastExpressionNodeKind:
        MarkAndVisit(NodeChild(node, 0), TypeNameUse);
        skipField = 0;
        break;
      case ArrayClassLiteralNodeKind:
      case NameQualifiedInstanceCreationNodeKind:
        VisitTypeName(NodeChild(node, 0));
        skipField = 0;
        break;
      case NameMethodInvocationNodeKind:
        MarkAndVisit(NodeChild(node, 0), MethodNameUse);
        skipField = 0;
        break;
      case ExpressionNameNodeKind: {
        SyntaxNode* name = NodeChild(node, 0);
        if (GetUseMark(name) == UnmarkedUse) MarkNameUse(name, ExpressionNameUse);
        VisitTypeName(name);
        skipField = 0;
        break;
      }
      case NameArrayAccessNodeKind:
        MarkAndVisit(NodeChild(node, 0), ExpressionNameUse);
        skipField = 0;
        break;
      case AssignmentNodeKind:
        if (IsNameKind(NodeChild(node, 0))) {
          MarkAndVisit(NodeChild(node, 0), ExpressionNameUse);
          skipField = 0;
        }
        break;
      case ExpressionCastExpressionNodeKind:
        if (SyntaxNode* name = CastName(NodeChild(node, 0))) MarkNameUse(name, TypeNameUse);
        break;
      case ConstructorDeclarationNodeKind:
        VisitTypeName(NodeChild(node, 1));
        skipField = 1;
        break;
      case ImportDeclarationNodeKind:
        AddImportName(node);
        continue;
      case PackagedUnitNodeKind: {
        SyntaxNode* unit = nullptr;
        ConsList levels = PackageNameToList(NodeChild(node, 0), &unit);
        AddUnitPackage(JoinIdentifiers(levels, DotIdentifier));
        stack.push_back(unit);
        continue;
      }
      default:
        break;
    }
    // The children go onto the stack in source order and are then turned
    // around, so that the first is walked first. Only the fields that hold
    // nodes are visited.
    const size_t firstChild = stack.size();
    const uint32_t lists = ListFieldBits[node->code];
    uint32_t fields = ChildFieldBits[node->code] | lists;
    if (skipField >= 0) fields &= ~(uint32_t{1} << skipField);
    for (; fields != 0; fields &= fields - 1) {
      const int32_t field = std::countr_zero(fields);
      if ((lists >> field & 1) == 0) {
        stack.push_back(NodeChild(node, field));
        continue;
      }
      for (ConsList element = NodeList(node, field); element != nullptr; element = element->tail) {
        stack.push_back(ConsHead<SyntaxNode>(element));
      }
    }
    std::reverse(stack.begin() + static_cast<std::ptrdiff_t>(firstChild), stack.end());
  }
}

}  // namespace

static_assert(UnmarkedUse <= UINT8_MAX, "a use mark fits a node's data byte");

UseMark GetUseMark(const SyntaxNode* name) {
  return name->data == 0 ? UnmarkedUse : static_cast<UseMark>(name->data);
}

bool IsTypeMark(UseMark mark) {
  return mark == TypeNameUse || mark == TypeQualifierUse || mark == UnmarkedUse;
}

void SetUseMark(uint8_t* dataByte, UseMark mark) { *dataByte = static_cast<uint8_t>(mark); }

void MarkNameUse(SyntaxNode* name, UseMark mark) {
  SetUseMark(&name->data, mark);
  if (mark == TypeNameUse && name->code == QualifiedNameNodeKind) MarkQualifierChain(NodeChild(name, 0), TypeQualifierUse);
}

void MarkQualifierChain(SyntaxNode* name, UseMark mark) {
  for (;;) {
    SetUseMark(&name->data, mark);
    if (name->code != QualifiedNameNodeKind) return;
    name = NodeChild(name, 0);
  }
}

bool IsTypeNodeKind(const AnyNode* node) {
  return node != nullptr && (node->kind == ClassOrInterfaceTypeNodeKind || node->kind == PrimitiveArrayTypeNodeKind ||
                             node->kind == NameArrayTypeNodeKind);
}

SyntaxNode* FirstTypeMarkedPrefix(SyntaxNode* name) {
  for (;;) {
    if (IsTypeMark(GetUseMark(name))) return name;
    if (name->code != QualifiedNameNodeKind) return nullptr;
    name = NodeChild(name, 0);
  }
}

bool FirstComponentIsVariable(SyntaxNode* name) {
  while (name->code == QualifiedNameNodeKind) name = NodeChild(name, 0);
  ConsList declarations = OccurrenceDefinitions(reinterpret_cast<void*>(NodeField(name, 0)));
  return FirstNodeOfKind(declarations, DeclaratorIdentifierNodeKind) != nullptr;
}

ConsList NameToList(const SyntaxNode* name) {
  ConsList components = nullptr;
  for (;;) {
    components = Cons(NameIdentifier(name), components);
    if (name->code != QualifiedNameNodeKind) return components;
    name = NodeChild(name, 0);
  }
}

Identifier* JoinIdentifiers(ConsList components, Identifier* separator) {
  if (components == nullptr) return EmptyIdentifier;
  std::string text;
  for (ConsList c = components; c != nullptr; c = c->tail) {
    if (c != components) text.append(separator->text, static_cast<size_t>(separator->length));
    auto* component = ConsHead<Identifier>(c);
    text.append(component->text, static_cast<size_t>(component->length));
  }
  return MakeIdentifier(text.data(), 0, static_cast<int32_t>(text.size()) - 1);
}

void VisitTypeName(SyntaxNode* name) {
  SyntaxNode* prefix = FirstTypeMarkedPrefix(name);
  if (prefix == nullptr) return;
  Identifier* candidate;
  if (prefix->code == QualifiedNameNodeKind) {
    if (FirstComponentIsVariable(name)) return;
    candidate = JoinIdentifiers(NameToList(prefix), DotIdentifier);
  } else {
    if (FirstComponentIsVariable(name) && !HasTypeNodeAncestor(name->owner)) return;
    candidate = NameIdentifier(prefix);
  }
  AppendName(Qualifieds, candidate);
}

void CollectQualifiedNames(SyntaxNode* sourceFile) {
  ResetUnitNameLists();
  WalkUnit(NodeChild(sourceFile, 1));
}
