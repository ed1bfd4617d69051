// Static types and method resolution over the Java syntax tree: the type
// values, the type of every expression tag, promotion, type identity,
// convertibility, subclassing, and the choice of the method an invocation
// calls.
//
// The rules are the tool's own approximation of Java, kept on purpose:
//   1. Promotion ranks byte < char < short < int < long < float < double, so
//      byte ^ char is char and char ^ short is short.
//   2. An integer literal is int whatever its suffix: there is no long
//      literal type.
//   3. A class type mixed with a number keeps the class type (string
//      concatenation); two unrelated classes give int.
//   4. Conversion follows the same ranks; a class converts to its
//      superclasses, to the interfaces its own declaration lists, and the
//      Object type (the type of null) converts to every class and array.
#include "java/tree/types.h"

#include <initializer_list>
#include <vector>

#include "java/tree/defsets.h"
#include "java/tree/queries.h"
#include "java/tree/scopes.h"
#include "support/heap.h"
#include "support/identifiers.h"
#include "support/report.h"
#include "support/startup.h"

TypeValue IntType = nullptr;
TypeValue LongType = nullptr;
TypeValue CharType = nullptr;
TypeValue FloatType = nullptr;
TypeValue DoubleType = nullptr;
TypeValue BooleanType = nullptr;
TypeValue UnknownType = nullptr;

LazyCell BooleanClassType;
LazyCell ByteClassType;
LazyCell CharacterClassType;
LazyCell DoubleClassType;
LazyCell ErrorClassType;
LazyCell ExceptionClassType;
LazyCell FloatClassType;
LazyCell IntegerClassType;
LazyCell LongClassType;
LazyCell RuntimeExceptionClassType;
LazyCell ShortClassType;
LazyCell ThrowableClassType;
LazyCell HashtableClassType;
LazyCell CloneableClassType;
LazyCell ClassClassType;
LazyCell ObjectClassType;
LazyCell StringClassType;
LazyCell StringBufferClassType;

namespace {

int32_t TypesModuleFlag = 0;

// TypeFamily tags, by what the type is.
enum TypeTag : int32_t {
  ByteTag = ByteTypeNodeTag,
  ShortTag = ShortTypeNodeTag,
  IntTag = IntTypeNodeTag,
  LongTag = LongTypeNodeTag,
  CharTag = CharTypeNodeTag,
  FloatTag = FloatTypeNodeTag,
  DoubleTag = DoubleTypeNodeTag,
  BooleanTag = BooleanTypeNodeTag,
  ClassTag = ClassOrInterfaceTypeNodeTag,
  PrimitiveArrayTag = PrimitiveArrayTypeNodeTag,
  ClassArrayTag = NameArrayTypeNodeTag,
};
// The seven numeric types have the tags ByteTag to DoubleTag.
static_assert(DoubleTag - ByteTag == 6 && BooleanTag > DoubleTag && ClassTag > DoubleTag &&
              PrimitiveArrayTag > DoubleTag && ClassArrayTag > DoubleTag);

AncestorPredicate MethodOrAbstractMethodPredicate;

// A TypeFamily node's tag; every type value passed around is one.
int32_t TagOfType(const SyntaxNode* type, int32_t line) {
  if (!InFamily(type, TypeFamily)) InternalError("Types", line);
  return type->tag;
}

bool IsNumericTag(int32_t tag) { return tag >= ByteTag && tag <= DoubleTag; }
bool IsArrayTag(int32_t tag) { return tag == PrimitiveArrayTag || tag == ClassArrayTag; }
// Promotion and conversion rank: byte < char < short < int < long < float <
// double; boolean and the rest rank 0 (with byte).
int32_t Rank(int32_t tag) {
  switch (tag) {
    case CharTag:
      return 1;
    case ShortTag:
      return 2;
    case IntTag:
      return 3;
    case LongTag:
      return 4;
    case FloatTag:
      return 5;
    case DoubleTag:
      return 6;
    default:
      return 0;
  }
}

int32_t ListLength(ConsList list) {
  int32_t n = 0;
  for (; list != nullptr; list = list->tail) ++n;
  return n;
}

int32_t IsMethodOrAbstractMethod(AnyNode* any) {
  return any != nullptr &&
         (any->kind == MethodDeclarationNodeKind || any->kind == AbstractMethodDeclarationNodeKind);
}

// The standard type cells: a class or interface of java.lang (or another
// package) by path, or the class type of a declaration cell of the scopes.
// A declaration found is a node of a unit, and its class type is made in the
// current unit's region; the run-wide cell keeps both, so the region must not
// give them back. Without a declaration the type is UnknownType, made at init.
Word StoreStandardType(LazyCell* cell, SyntaxNode* declaration) {
  if (declaration != nullptr) KeepUnitRegion();
  return StoreLazyValue(cell, reinterpret_cast<Word>(ClassTypeOfDeclaration(declaration)));
}

Word MakeStandardClassType(LazyCell* cell) {
  return StoreStandardType(cell, LookupStandardClass(static_cast<ConsList>(cell->context)));
}

Word MakeStandardInterfaceType(LazyCell* cell) {
  return StoreStandardType(cell, LookupStandardInterface(static_cast<ConsList>(cell->context)));
}

Word MakeDeclarationCellType(LazyCell* cell) {
  auto* declaration = static_cast<LazyCell*>(cell->context);
  return StoreStandardType(cell, reinterpret_cast<SyntaxNode*>(ForceLazyCell(declaration)));
}

ConsList PathOf(std::initializer_list<const char*> components) {
  ConsListBuilder path;
  for (const char* component : components) path.Add(IdentifierOf(component));
  return path.head;
}

// The type of any node that stands where an expression, an operand or a
// left-hand side stands: expressions (leaves such as this and true
// included), ExpressionNode wrappers, statement expressions and names.
TypeValue TypeOfTree(SyntaxNode* node) {
  if (node == nullptr) return UnknownType;
  if (node->code == ExpressionNodeKind) return TypeOfTree(NodeChild(node, 0));
  switch (FamilyOf(node)) {
    case ExpressionFamily:
      return TypeOfExpression(node);
    case StatementExpressionFamily:
      return TypeOfPrimary(node);
    case NameFamily:
      return TypeOfName(node);
    default:
      return TypeOfNode(NodeAnyNode(node));
  }
}

// The first declaring node of a name's occurrence; null when it has none.
SyntaxNode* FirstDeclaration(const SyntaxNode* name) {
  ConsList found = DefinitionsOfName(name);
  return found == nullptr ? nullptr : static_cast<SyntaxNode*>(found->head);
}

// The class or interface declaration a class type's Name denotes (the first
// such among its definitions), canonical; null for UnknownType.
SyntaxNode* ClassOfName(const SyntaxNode* name) {
  for (ConsList rest = DefinitionsOfName(name); rest != nullptr; rest = rest->tail) {
    auto* node = static_cast<SyntaxNode*>(rest->head);
    if (node != nullptr && (node->code == ClassDeclarationNodeKind || node->code == InterfaceDeclarationNodeKind)) {
      return CanonicalDeclaration(node);
    }
  }
  return nullptr;
}

bool SameClass(const SyntaxNode* a, const SyntaxNode* b) {
  SyntaxNode* classA = ClassOfName(a);
  return classA != nullptr && classA == ClassOfName(b);
}

// The result type of a method declaration: the written type with the
// brackets after its parameter list; void and abstract methods have none.
TypeValue ResultType(SyntaxNode* method) {
  if (method == nullptr) return UnknownType;
  if (method->code == FieldDeclarationNodeKind) return NodeChild(method, 1);
  if (method->code != MethodDeclarationNodeKind) return UnknownType;
  SyntaxNode* header = NodeChild(method, 0);
  if (header->code != TypedMethodHeaderNodeKind) return UnknownType;
  SyntaxNode* parameterPart = NodeChild(NodeChild(method, 1), 0);
  return Type(NodeChild(header, 1), static_cast<int32_t>(NodeField(parameterPart, 1)));
}

// The number of elements of the node's list field.
int32_t CountOf(const SyntaxNode* node, int32_t field) { return ListLength(NodeList(node, field)); }

// The class type over a written ClassTypeNode's Name.
TypeValue ClassTypeOverName(SyntaxNode* classType) {
  return NewClassOrInterfaceTypeNode(0, NodeChild(classType, 0));
}

// The operators whose type promotes the type of one operand: unary + - ~,
// the shifts, the arithmetic and bitwise binary operators, and ?: (through
// its third operand).
bool IsOperatorChainTag(int32_t tag) {
  switch (tag) {
    case UnaryPlusExpressionNodeTag:
    case UnaryMinusExpressionNodeTag:
    case BitwiseComplementExpressionNodeTag:
    case MultiplyExpressionNodeTag:
    case DivideExpressionNodeTag:
    case RemainderExpressionNodeTag:
    case AddExpressionNodeTag:
    case SubtractExpressionNodeTag:
    case LeftShiftExpressionNodeTag:
    case SignedRightShiftExpressionNodeTag:
    case UnsignedRightShiftExpressionNodeTag:
    case BitAndExpressionNodeTag:
    case BitXorExpressionNodeTag:
    case BitOrExpressionNodeTag:
    case TernaryExpressionNodeTag:
      return true;
    default:
      return false;
  }
}

// The type of an operator expression. Long chains (a + b + c ..., the
// conditional's else chain c ? x : d ? y : ...) nest through one operand, so
// that operand's chain is walked down into a list first and its types are
// then folded from the innermost operator outwards, without recursion per
// operator.
TypeValue TypeOfOperatorChain(SyntaxNode* e) {
  std::vector<SyntaxNode*> chain;
  SyntaxNode* at = e;
  while (InFamily(at, ExpressionFamily) && IsOperatorChainTag(at->tag)) {
    chain.push_back(at);
    at = NodeChild(at, at->tag == TernaryExpressionNodeTag ? 2 : 0);
  }
  TypeValue type = TypeOfTree(at);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    SyntaxNode* node = *it;
    switch (node->tag) {
      case UnaryPlusExpressionNodeTag:
      case UnaryMinusExpressionNodeTag:
      case BitwiseComplementExpressionNodeTag:
      case LeftShiftExpressionNodeTag:
      case SignedRightShiftExpressionNodeTag:
      case UnsignedRightShiftExpressionNodeTag:
        type = PromoteTypes(type, IntType);  // unary operators; shifts take the left operand's type
        break;
      case TernaryExpressionNodeTag:
        type = PromoteTypes(PromoteTypes(TypeOfTree(NodeChild(node, 1)), type), IntType);
        break;
      default:
        type = PromoteTypes(PromoteTypes(type, TypeOfTree(NodeChild(node, 1))), IntType);
        break;
    }
  }
  return type;
}

// ---- Method resolution ----

// The formal parameters of the method or abstract method declaration around
// a declarator; none outside both.
ConsList FormalParametersOf(SyntaxNode* declarator) {
  AnyNode* method = FindAncestor(declarator->owner, MethodOrAbstractMethodPredicate);
  if (method == nullptr) return nullptr;
  if (method->kind == MethodDeclarationNodeKind) return NodeList(NodeChild(NodeChild(method->node, 1), 0), 0);
  return NodeList(NodeChild(method->node, 1), 0);
}

Word ComputeParameterTypes(LazyCell* cell) {
  auto* declarator = static_cast<SyntaxNode*>(cell->context);
  ConsListBuilder types;
  for (ConsList rest = FormalParametersOf(declarator); rest != nullptr; rest = rest->tail) {
    auto* parameter = static_cast<SyntaxNode*>(rest->head);
    types.Add(TypeOfVariable(NodeChild(parameter, 2)));
  }
  return StoreLazyValue(cell, reinterpret_cast<Word>(types.head));
}

// Whether two type lists have the same length and each pair is identical
// (or, when conversion is allowed, convertible).
bool TypesMatch(ConsList arguments, ConsList parameters, bool convert) {
  for (; arguments != nullptr && parameters != nullptr; arguments = arguments->tail, parameters = parameters->tail) {
    auto argument = static_cast<TypeValue>(arguments->head);
    auto parameter = static_cast<TypeValue>(parameters->head);
    if (SameType(argument, parameter)) continue;
    if (!convert || !IsConvertible(argument, parameter)) return false;
  }
  return arguments == nullptr && parameters == nullptr;
}

}  // namespace

TypeValue ClassTypeOfDeclaration(SyntaxNode* declaration) {
  if (declaration == nullptr) return UnknownType;
  LazyCell* definitions = NewEvaluatedCell<Word>(reinterpret_cast<Word>(Cons(declaration, nullptr)));
  SyntaxNode* name = NewSimpleNameNode(0, NewAppliedOccurrence(definitions, DeclaredName(declaration)));
  return NewClassOrInterfaceTypeNode(0, name);
}

TypeValue Type(TypeValue type, int32_t dimensions) {
  int32_t tag = TagOfType(type, __LINE__);
  if (dimensions == 0) return type;
  if (IsNumericTag(tag) || tag == BooleanTag) {
    return dimensions > 0 ? NewPrimitiveArrayTypeNode(0, type, dimensions) : UnknownType;
  }
  if (tag == ClassTag) return dimensions > 0 ? NewNameArrayTypeNode(0, NodeChild(type, 0), dimensions) : UnknownType;
  int32_t n = dimensions + static_cast<int32_t>(NodeField(type, 1));
  if (n < 0) return UnknownType;
  if (tag == PrimitiveArrayTag) return n == 0 ? NodeChild(type, 0) : NewPrimitiveArrayTypeNode(0, NodeChild(type, 0), n);
  return n == 0 ? TypeOfName(NodeChild(type, 0)) : NewNameArrayTypeNode(0, NodeChild(type, 0), n);
}

TypeValue Type(AnyNode* node) { return TypeOfNode(node); }

TypeValue TypeOfNode(AnyNode* node) {
  if (node == nullptr) return UnknownType;
  SyntaxNode* n = node->node;
  switch (node->kind) {
    case FieldDeclarationNodeKind:
    case FormalParameterNodeKind:
      return NodeChild(n, 1);
    case LocalVariableDeclarationNodeKind:
      return NodeChild(n, 0);
    case ExpressionNodeKind:
      return TypeOfTree(NodeChild(n, 0));
    default:
      break;
  }
  switch (FamilyOf(n)) {
    case ExpressionFamily:
      return TypeOfExpression(n);
    case StatementExpressionFamily:
      return TypeOfPrimary(n);
    case NameFamily:
      // The field and array accesses; simple and qualified names have no
      // type of their own here.
      return n->tag != SimpleNameNodeTag && n->tag != QualifiedNameNodeTag ? TypeOfName(n) : UnknownType;
    default:
      return UnknownType;
  }
}

TypeValue TypeOfExpression(SyntaxNode* e) {
  if (!InFamily(e, ExpressionFamily)) InternalError("Types", __LINE__);
  if (IsOperatorChainTag(e->tag)) return TypeOfOperatorChain(e);
  switch (e->tag) {
    case PreIncrementExpression1NodeTag:
    case PreDecrementExpression1NodeTag:
    case ClassInstanceCreationExpression1NodeTag:
    case MethodInvocation1NodeTag:
    case PostIncrementExpression1NodeTag:
    case PostDecrementExpression1NodeTag:
    case Assignment1NodeTag:
      return TypeOfPrimary(NodeChild(e, 0));
    case IntegerLiteralNodeTag:
      return IntType;  // also with the suffix L
    case DoubleLiteralNodeTag:
      return DoubleType;
    case FloatLiteralNodeTag:
      return FloatType;
    case CharacterLiteralNodeTag:
      return CharType;
    case StringLiteralNodeTag:
      return StandardType(StringClassType);
    case NullLiteralNodeTag:
      return StandardType(ObjectClassType);
    case ParenthesizedExpressionNodeTag:
    case ExpressionCastExpressionNodeTag:
      // (e), and (T) x whose type T is written as an expression: the type of
      // what stands in the parentheses.
      return TypeOfTree(NodeChild(e, 0));
    case FieldAccess1NodeTag:
    case ArrayAccess1NodeTag:
    case ExpressionNameNodeTag:
      return TypeOfName(NodeChild(e, 0));
    case QualifiedThisNodeTag:
      return TypeOfDeclaration(OuterClassOfName(NodeChild(e, 0)));
    case ThisNodeTag:
      return TypeOfDeclaration(EnclosingClassDeclaration(e));
    case ClassLiteralNodeTag:
    case PrimitiveArrayClassLiteralNodeTag:
    case ArrayClassLiteralNodeTag:
    case PrimitiveClassLiteralNodeTag:
    case VoidClassLiteralNodeTag:
      return StandardType(ClassClassType);
    case PrimitiveArrayCreationNodeTag:
    case ClassArrayCreationNodeTag:
      return Type(NodeChild(e, 0), CountOf(e, 1));
    case PrimitiveCastExpressionNodeTag:
      return Type(NodeChild(e, 0), static_cast<int32_t>(NodeField(e, 1)));
    case ArrayCastExpressionNodeTag:
      return Type(TypeOfName(NodeChild(e, 0)), static_cast<int32_t>(NodeField(e, 1)));
    default:
      return BooleanType;  // boolean literals, !, comparisons, instanceof, && and ||
  }
}

TypeValue TypeOfPrimary(SyntaxNode* node) {
  if (!InFamily(node, StatementExpressionFamily)) InternalError("Types", __LINE__);
  switch (node->tag) {
    case SimpleInstanceCreationNodeTag:
    case ThisQualifiedInstanceCreationNodeTag:
      return ClassTypeOverName(NodeChild(node, 0));
    case NameQualifiedInstanceCreationNodeTag:
    case PrimaryQualifiedInstanceCreationNodeTag:
      return ClassTypeOverName(NodeChild(node, 1));
    case PostIncrementExpressionNodeTag:
    case PostDecrementExpressionNodeTag:
    case PreIncrementExpressionNodeTag:
    case PreDecrementExpressionNodeTag:
      return TypeOfTree(NodeChild(node, 0));
    case AssignmentNodeTag:
      return TypeOfName(NodeChild(node, 0));
    default:
      return TypeOfDeclaration(ResolveMethodInvocation(node));
  }
}

TypeValue TypeOfName(SyntaxNode* name) {
  if (!InFamily(name, NameFamily)) return UnknownType;
  switch (name->tag) {
    case SimpleNameNodeTag:
    case QualifiedNameNodeTag: {
      SyntaxNode* declaration = FirstDeclaration(name);
      if (declaration != nullptr &&
          (declaration->code == ClassDeclarationNodeKind || declaration->code == InterfaceDeclarationNodeKind)) {
        return NewClassOrInterfaceTypeNode(0, name);
      }
      return TypeOfDeclaration(declaration);
    }
    case PrimaryFieldAccessNodeTag:
    case ThisFieldAccessNodeTag:
    case SuperFieldAccessNodeTag:
    case QualifiedSuperFieldAccessNodeTag:
      return TypeOfVariable(OutermostDeclaratorId(VariableOfName(name)));
    case NameArrayAccessNodeTag:
      return Type(TypeOfDeclaration(FirstDeclaration(NodeChild(name, 0))), -1);
    case PrimaryArrayAccessNodeTag:
      return Type(TypeOfTree(NodeChild(name, 0)), -1);
    default:
      return UnknownType;
  }
}

TypeValue TypeOfDeclaration(SyntaxNode* declaration) {
  if (declaration == nullptr) return UnknownType;
  switch (declaration->code) {
    case ClassDeclarationNodeKind:
    case InterfaceDeclarationNodeKind:
      return ClassTypeOfDeclaration(declaration);
    case DeclaratorIdentifierNodeKind:
      return TypeOfVariable(OutermostDeclaratorId(declaration));
    case MethodDeclaratorNodeKind:
      return ResultType(EnclosingMethodDeclaration(declaration));
    default:
      return UnknownType;
  }
}

TypeValue TypeOfVariable(SyntaxNode* declaratorId) {
  if (declaratorId == nullptr) return UnknownType;
  AnyNode* declaration = EnclosingVariableDeclaration(declaratorId);
  if (declaration == nullptr) return UnknownType;
  return Type(TypeOfNode(declaration), DeclaratorDimensions(declaratorId));
}

TypeValue PromoteTypes(TypeValue t, TypeValue u) {
  int32_t tt = TagOfType(t, __LINE__);
  int32_t ut = TagOfType(u, __LINE__);
  if (IsNumericTag(tt)) {
    if (IsNumericTag(ut)) {
      if (tt == ut) return t;
      return Rank(tt) < Rank(ut) ? u : t;
    }
    return SameType(t, u) ? t : u;
  }
  if (tt == ClassTag) {
    if (ut == ClassTag) {
      SyntaxNode* ct = DeclarationOfType(t);
      SyntaxNode* cu = DeclarationOfType(u);
      if (IsSubclassOf(cu, ct)) return t;
      if (IsSubclassOf(ct, cu)) return u;
      return IntType;
    }
    if (IsNumericTag(ut)) return t;
    return UnknownType;
  }
  // boolean and arrays
  if (IsNumericTag(ut)) return t;
  return SameType(t, u) ? t : UnknownType;
}

bool SameType(TypeValue t, TypeValue u) {
  int32_t tt = TagOfType(t, __LINE__);
  int32_t ut = TagOfType(u, __LINE__);
  switch (tt) {
    case ClassTag:
      return ut == ClassTag && SameClass(NodeChild(t, 0), NodeChild(u, 0));
    case PrimitiveArrayTag:
      return ut == PrimitiveArrayTag && NodeField(t, 1) == NodeField(u, 1) &&
             NodeChild(t, 0)->tag == NodeChild(u, 0)->tag;
    case ClassArrayTag:
      return ut == ClassArrayTag && NodeField(t, 1) == NodeField(u, 1) && SameClass(NodeChild(t, 0), NodeChild(u, 0));
    default:
      return tt == ut;  // the primitive types
  }
}

bool IsSubclassOf(SyntaxNode* a, SyntaxNode* b) {
  if (a == nullptr || b == nullptr || a->code != ClassDeclarationNodeKind || b->code != ClassDeclarationNodeKind) {
    return false;
  }
  auto* object = reinterpret_cast<SyntaxNode*>(ForceLazyCell(&JavaLangObject));
  SyntaxNode* target = CanonicalDeclaration(b);
  // The classes passed so far: a cycle of extends clauses ends the walk.
  std::vector<SyntaxNode*> passed;
  for (SyntaxNode* at = a; at != nullptr && at->code == ClassDeclarationNodeKind;) {
    SyntaxNode* canonical = CanonicalDeclaration(at);
    if (canonical == target) return true;
    if (at == object) return false;
    for (SyntaxNode* seen : passed) {
      if (seen == canonical) return false;
    }
    passed.push_back(canonical);
    SyntaxNode* super = NodeChild(at, 2);
    at = super == nullptr ? object : DeclarationOfTypeName(NodeChild(NodeChild(super, 0), 0));
  }
  return false;
}

bool IsConvertible(TypeValue a, TypeValue b) {
  int32_t at = TagOfType(a, __LINE__);
  int32_t bt = TagOfType(b, __LINE__);
  if (SameType(a, b)) return true;
  if (IsNumericTag(at)) return IsNumericTag(bt) && Rank(at) < Rank(bt);
  switch (at) {
    case PrimitiveArrayTag:
    case ClassArrayTag:
      if (bt == ClassTag) {
        return SameType(b, StandardType(ObjectClassType)) || SameType(b, StandardType(CloneableClassType));
      }
      if (at == ClassArrayTag && bt == ClassArrayTag) {
        // Arrays of classes: the element class types convert.
        return NodeField(a, 1) == NodeField(b, 1) &&
               IsConvertible(TypeOfName(NodeChild(a, 0)), TypeOfName(NodeChild(b, 0)));
      }
      return false;
    case ClassTag: {
      bool objectArgument = SameType(a, StandardType(ObjectClassType));
      if (bt == ClassTag) {
        if (objectArgument) return true;
        SyntaxNode* classA = DeclarationOfType(a);
        if (IsSubclassOf(classA, DeclarationOfType(b))) return true;
        // The interfaces that a's own declaration lists after implements.
        if (classA != nullptr && classA->code == ClassDeclarationNodeKind && NodeChild(classA, 3) != nullptr) {
          for (ConsList rest = NodeList(NodeChild(classA, 3), 0); rest != nullptr; rest = rest->tail) {
            if (SameType(NodeChild(static_cast<SyntaxNode*>(rest->head), 0), b)) return true;
          }
        }
        return false;
      }
      return IsArrayTag(bt) && objectArgument;
    }
    default:
      return false;  // boolean: only the same type
  }
}

SyntaxNode* ResolveMethodInvocation(SyntaxNode* invocation) {
  if (!InFamily(invocation, StatementExpressionFamily)) return nullptr;
  const void* occurrence = nullptr;
  SyntaxNode* arguments = nullptr;
  switch (invocation->tag) {
    case NameMethodInvocationNodeTag: {
      SyntaxNode* name = NodeChild(invocation, 0);
      occurrence = reinterpret_cast<const void*>(NodeField(name, name->code == QualifiedNameNodeKind ? 1 : 0));
      arguments = NodeChild(invocation, 1);
      break;
    }
    case PrimaryMethodInvocationNodeTag:
    case QualifiedSuperMethodInvocationNodeTag:
      occurrence = reinterpret_cast<const void*>(NodeField(invocation, 1));
      arguments = NodeChild(invocation, 2);
      break;
    case ThisMethodInvocationNodeTag:
    case SuperMethodInvocationNodeTag:
      occurrence = reinterpret_cast<const void*>(NodeField(invocation, 0));
      arguments = NodeChild(invocation, 1);
      break;
    default:
      return nullptr;
  }
  // The candidates: the method declarators the invoked name resolves to.
  std::vector<MethodCandidate*> candidates;
  for (ConsList rest = OccurrenceDefinitions(occurrence); rest != nullptr; rest = rest->tail) {
    auto* node = static_cast<SyntaxNode*>(rest->head);
    if (node == nullptr || node->code != MethodDeclaratorNodeKind) continue;
    candidates.push_back(NewMethodCandidate(node, NewLazyCell<Word>(node, ComputeParameterTypes)));
  }
  if (candidates.empty()) return nullptr;
  ConsListBuilder argumentTypes;
  if (arguments != nullptr) {
    for (ConsList rest = NodeList(arguments, 0); rest != nullptr; rest = rest->tail) {
      argumentTypes.Add(TypeOfNode(NodeAnyNode(static_cast<SyntaxNode*>(rest->head))));
    }
  }
  // Identical parameter types first, then convertible ones.
  for (bool convert : {false, true}) {
    for (MethodCandidate* candidate : candidates) {
      auto parameters = reinterpret_cast<ConsList>(ForceLazyCell(candidate->parameterTypes));
      if (TypesMatch(argumentTypes.head, parameters, convert)) return candidate->declaration;
    }
  }
  return nullptr;
}

void ForgetTypeOwners() {
  for (TypeValue type : {IntType, LongType, CharType, FloatType, DoubleType, BooleanType, UnknownType}) {
    if (type != nullptr) type->owner = nullptr;
  }
}

void TypesModuleInit() {
  if (!EnterModuleInit(TypesModuleFlag)) return;
  SyntaxNodesModuleInit();
  DefinitionSetsModuleInit();
  ResolutionModuleInit();
  TreeQueriesModuleInit();
  MethodOrAbstractMethodPredicate = MakeClosure(IsMethodOrAbstractMethod);

  IntType = NewIntTypeNode(0);
  LongType = NewLongTypeNode(0);
  CharType = NewCharTypeNode(0);
  FloatType = NewFloatTypeNode(0);
  DoubleType = NewDoubleTypeNode(0);
  BooleanType = NewBooleanTypeNode(0);
  LazyCell* noDefinitions = NewEvaluatedCell<Word>(0);
  UnknownType = NewClassOrInterfaceTypeNode(0, NewSimpleNameNode(0, NewAppliedOccurrence(noDefinitions, EmptyName)));

  auto lang = [](const char* name) { return LazyCell{{PathOf({"java", "lang", name})}, MakeStandardClassType}; };
  BooleanClassType = lang("Boolean");
  ByteClassType = lang("Byte");
  CharacterClassType = lang("Character");
  DoubleClassType = lang("Double");
  ErrorClassType = lang("Error");
  ExceptionClassType = lang("Exception");
  FloatClassType = lang("Float");
  IntegerClassType = lang("Integer");
  LongClassType = lang("Long");
  RuntimeExceptionClassType = lang("RuntimeException");
  ShortClassType = lang("Short");
  ThrowableClassType = lang("Throwable");
  HashtableClassType = LazyCell{{PathOf({"java", "util", "Hashtable"})}, MakeStandardClassType};
  CloneableClassType = LazyCell{{PathOf({"java", "lang", "Cloneable"})}, MakeStandardInterfaceType};
  ClassClassType = LazyCell{{&JavaLangClass}, MakeDeclarationCellType};
  ObjectClassType = LazyCell{{&JavaLangObject}, MakeDeclarationCellType};
  StringClassType = LazyCell{{&JavaLangString}, MakeDeclarationCellType};
  StringBufferClassType = LazyCell{{&JavaLangStringBuffer}, MakeDeclarationCellType};

  for (TypeValue* root : {&IntType, &LongType, &CharType, &FloatType, &DoubleType, &BooleanType, &UnknownType}) {
    RegisterRoot(root);
  }
}
