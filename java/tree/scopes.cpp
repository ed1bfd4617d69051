// Scopes and environments: member sets of packages, imports, classes with
// their inherited members, expression types, this and super, and header
// values; the current unit, the standard classes and the field "length".
#include "java/tree/scopes.h"

#include <algorithm>
#include <initializer_list>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "java/tree/builder.h"
#include "java/tree/types.h"

#include "support/heap.h"
#include "support/report.h"
#include "support/startup.h"

SyntaxNode* CurrentUnit = nullptr;
ConsList InheritanceGuard = nullptr;
LazyCell JavaLangObject;
LazyCell JavaLangClass;
LazyCell JavaLangString;
LazyCell JavaLangStringBuffer;
SyntaxNode* ArrayLengthDeclarator = nullptr;
DefinitionSet* ArrayLengthDefinitions = nullptr;
Identifier* EmptyName = nullptr;

namespace {

int32_t ResolutionModuleFlag = 0;

Identifier* JavaName = nullptr;
Identifier* LangName = nullptr;
Identifier* StarName = nullptr;
ConsList ObjectPath = nullptr;
ConsList ClassPath = nullptr;
ConsList StringPath = nullptr;
ConsList StringBufferPath = nullptr;

// The members of a list of declarations: each element's set, first, united
// with the result so far, so later elements' members come first.
template <typename Members>
DefinitionSet* UniteOver(ConsList list, DefinitionSet* start, Members members) {
  DefinitionSet* result = start;
  for (ConsList rest = list; rest != nullptr; rest = rest->tail) {
    result = UniteDefinitionSets(members(static_cast<SyntaxNode*>(rest->head)), result);
  }
  return result;
}

DefinitionSet* ClassMembersOfDefinitions(const void* occurrence) {
  return UniteOver(OccurrenceDefinitions(occurrence), EmptyDefinitionSet, ClassMembersWithInherited);
}

// The standard classes' cells: the first class that the path names in the
// unit current at the first forcing. A class found is a node of that unit,
// which the run-wide cell keeps: the unit region must not give it back.
Word FindStandardClass(LazyCell* cell) {
  auto path = static_cast<ConsList>(cell->context);
  SyntaxNode* found = LookupStandardClass(path);
  if (found != nullptr) KeepUnitRegion();
  return StoreLazyValue(cell, reinterpret_cast<Word>(found));
}

int32_t IsClassDeclaration(AnyNode* any) { return any != nullptr && any->kind == ClassDeclarationNodeKind; }

int32_t IsClassOrAnonymousBody(AnyNode* any) {
  return any != nullptr && (any->kind == ClassDeclarationNodeKind || any->kind == SimpleInstanceCreationNodeKind);
}

// Matches the rest of a path among the type declarations of a unit, once the
// package part of the path has matched (LookupPackagePath), appending results
// in declaration order.
void MatchTypes(ConsList types, ConsList path, ConsListBuilder& out, bool memberWrapped) {
  auto* head = static_cast<Identifier*>(path->head);
  for (ConsList rest = types; rest != nullptr; rest = rest->tail) {
    auto* node = static_cast<SyntaxNode*>(rest->head);
    if (memberWrapped) {
      // MemberTypeDeclarationNode / InterfaceMemberTypeDeclarationNode hold the declaration.
      if (node->code != MemberTypeDeclarationNodeKind && node->code != InterfaceMemberTypeDeclarationNodeKind) continue;
      node = NodeChild(node, 0);
    }
    if (head == StarName) {
      out.Add(node);
      continue;
    }
    if (DeclaredName(node) != head) continue;
    if (path->tail == nullptr) {
      out.Add(node);
      continue;
    }
    ConsList members = nullptr;
    if (node->code == ClassDeclarationNodeKind) members = NodeList(NodeChild(node, 4), 0);
    if (node->code == InterfaceDeclarationNodeKind) members = NodeList(NodeChild(node, 3), 0);
    MatchTypes(members, path->tail, out, true);
  }
}


// The members of each declaration with everything it inherits, kept once
// computed: in a chain of classes each extending the one before, every class
// would otherwise compute the members of all the classes above it again.
// Keyed by node address, so the entries go when the unit's memory is given
// back (ForgetInheritedMembers).
//
// A declaration whose members are being computed (it is on InheritanceGuard,
// at depth `depth`) and is asked for again closes an inheritance cycle and
// contributes nothing there; a builder cell forced while it is being computed
// likewise yields its empty value. So a result computed while cycles close
// may depend on what was being computed around it, and it is kept only when
// it cannot:
//   - when no inheritance cycle closed during its computation (the rule the
//     results have always been kept by), or
//   - when every cycle that closed during it, of declarations or of builder
//     cells, closed at a declaration or cell whose computation started after
//     its own. Then the declaration is on no cycle: nothing that was being
//     computed around it was asked for, so a computation of the same members
//     in any other context reads the same kept results and evaluated cells
//     and meets the same cycles below it, and yields the same set (the design
//     notes give the argument in full). A declaration kept is never busy
//     again: it is asked for only while no computation of it is under way.
// A declaration on a cycle (one that meets itself or something around it) is
// kept only for its context (below); the declarations above it, and those
// below it that are on no cycle, are kept for every context.
struct InheritedMembers {
  DefinitionSet* members = nullptr;  // kept for every context
  int32_t depth = 0;  // while being computed, its place on the guard (1 the outermost); else 0
  int32_t cycleResults = -1;  // the first of its results kept for a context (CycleResults), -1 none
  uint32_t settled = 0;       // the last SettleAsked that met it
};
std::unordered_map<const SyntaxNode*, InheritedMembers>& KeptInheritedMembers =
    *new std::unordered_map<const SyntaxNode*, InheritedMembers>();

// Counts the inheritance cycles closed so far (a busy declaration asked for
// again).
uint64_t CyclesClosed = 0;

// The member computations under way, and the lowest guard depth and builder
// work-stack place at which a cycle closed since the innermost of them
// started (NoCycle when none): a computation at depth d that started at work
// depth w is on no cycle when both stayed above d and at or above w.
int32_t GuardDepth = 0;
size_t OutermostFloor = 0;
constexpr int64_t NoCycle = INT64_MAX;
int64_t LowestDepthMet = NoCycle;
int64_t LowestPlaceMet = NoCycle;

// ---- Results kept for a context ----
//
// A declaration on a cycle is computed again when it is asked for from
// another context, and within the computations of a cycle its members are
// asked for again and again, with other declarations of the cycle busy around
// it: a cycle that branches would make that exponential. Such a result is
// therefore kept with the declarations whose state it read: every declaration
// its computation asked for (at any depth) whose members it did not find
// kept, and for each whether it was busy. A
// later computation of the same declaration asks the same questions and gets
// the same answers while those states are the same (the kept results and
// evaluated cells that it reads have not changed, the cells it evaluated are
// evaluated now), so it yields the same set: the kept result is taken when
// every declaration it lists is busy exactly when it was. Only results whose
// computation met no builder cell being computed around it are kept so (such
// a cell may be evaluated by now), and only those that list at most
// MaxCycleContext declarations, so that the lists stay short.
//
// The declarations asked for by the computations under way are collected on
// AskedStack: each computation's own from where it started (with duplicates
// until it ends), then handed on to the computation that asked for it.
struct CycleResult {
  DefinitionSet* members;
  uint32_t first;      // its declarations in CycleContexts: the busy ones, then the others
  uint16_t busyCount;
  uint16_t count;
  int32_t next;        // the declaration's next kept result, -1 none
};
std::vector<CycleResult>& CycleResults = *new std::vector<CycleResult>();
std::vector<InheritedMembers*>& CycleContexts = *new std::vector<InheritedMembers*>();
std::vector<InheritedMembers*>& AskedStack = *new std::vector<InheritedMembers*>();
// Set when a computation under way asked for more declarations than a kept
// result may list: neither it nor those around it that depend on it are kept
// for their context.
bool AskedTooMany = false;

// The most declarations a result kept for its context lists: enough for the
// cycles of a few dozen types that branch, and checking a list costs no more
// than a few unions.
constexpr size_t MaxCycleContext = 64;

// Records that the computation under way asked for a declaration.
void NoteAsked(InheritedMembers* asked) {
  if (GuardDepth > 0) AskedStack.push_back(asked);
}

// The result of the declaration kept for the present context, or null.
const CycleResult* ResultForContext(const InheritedMembers& members) {
  for (int32_t at = members.cycleResults; at >= 0; at = CycleResults[static_cast<size_t>(at)].next) {
    const CycleResult& result = CycleResults[static_cast<size_t>(at)];
    InheritedMembers* const* context = CycleContexts.data() + result.first;
    bool same = true;
    for (uint32_t i = 0; i < result.count && same; ++i) same = (context[i]->depth != 0) == (i < result.busyCount);
    if (same) return &result;
  }
  return nullptr;
}

// Ends the collection of what a computation asked for, from `from` on
// AskedStack: without duplicates and without the declaration itself (which is
// busy throughout its own computation, in every context). False, and nothing
// left, when it asked for more than a kept result may list.
uint32_t Settlings = 0;
bool SettleAsked(size_t from, InheritedMembers* self) {
  uint32_t settling = ++Settlings;
  self->settled = settling;
  size_t to = from;
  for (size_t i = from; i < AskedStack.size(); ++i) {
    InheritedMembers* asked = AskedStack[i];
    if (asked->settled == settling) continue;
    asked->settled = settling;
    AskedStack[to++] = asked;
  }
  AskedStack.resize(to <= from + MaxCycleContext ? to : from);
  return to <= from + MaxCycleContext;
}

// The contexts that results were computed in, as hashes of the declaration
// and its asked declarations, busy and not: a result is kept for its context
// the second time that context is met, so that the computations around a
// plain cycle, whose contexts never come again, keep nothing.
std::unordered_set<uint64_t>& ContextsMet = *new std::unordered_set<uint64_t>();

uint64_t AddressHash(const void* p) { return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p)) * 0x9E3779B97F4A7C15ull; }

// Keeps a result for the context that the asked declarations from `from` on
// AskedStack were in, when that context was met before.
void KeepForContext(InheritedMembers& members, DefinitionSet* result, size_t from) {
  uint64_t busyHash = 0;
  uint64_t freeHash = 0;
  for (size_t i = from; i < AskedStack.size(); ++i) {
    (AskedStack[i]->depth != 0 ? busyHash : freeHash) += AddressHash(AskedStack[i]);
  }
  uint64_t context = AddressHash(&members) ^ (busyHash * 0xC2B2AE3D27D4EB4Full) ^ (freeHash >> 1);
  if (ContextsMet.insert(context).second) return;
  auto first = static_cast<uint32_t>(CycleContexts.size());
  for (size_t i = from; i < AskedStack.size(); ++i) {
    if (AskedStack[i]->depth != 0) CycleContexts.push_back(AskedStack[i]);
  }
  auto busy = static_cast<uint16_t>(CycleContexts.size() - first);
  for (size_t i = from; i < AskedStack.size(); ++i) {
    if (AskedStack[i]->depth == 0) CycleContexts.push_back(AskedStack[i]);
  }
  auto count = static_cast<uint16_t>(CycleContexts.size() - first);
  CycleResults.push_back(CycleResult{result, first, busy, count, members.cycleResults});
  members.cycleResults = static_cast<int32_t>(CycleResults.size() - 1);
}

}  // namespace

DefinitionSet* ScopeOfNameDefinitions(DefinitionSet*, SyntaxNode* node) {
  if (node == nullptr || node->code != ZEB_QualifiedNameNodeKind) return EmptyDefinitionSet;
  SyntaxNode* qualifier = NodeChild(node, 0);
  const void* occurrence = nullptr;
  if (qualifier->code == ZEB_SimpleNameNodeKind) occurrence = FieldOccurrence(qualifier, 0);
  if (qualifier->code == ZEB_QualifiedNameNodeKind) occurrence = FieldOccurrence(qualifier, 1);
  if (occurrence == nullptr) return EmptyDefinitionSet;
  return UniteOver(OccurrenceDefinitions(occurrence), EmptyDefinitionSet,
                   [](SyntaxNode* n) { return DefinitionsOfScope(n); });
}

DefinitionSet* AddPackageScope(DefinitionSet* env, SyntaxNode* node) {
  if (node == nullptr || node->code != PackagedUnitNodeKind) return env;
  return UniteDefinitionSets(env, PackageScope(env, NodeChild(node, 0)));
}

DefinitionSet* AddImportScopes(DefinitionSet* env, SyntaxNode* node) {
  if (node == nullptr || node->code != UnpackagedUnitNodeKind) return env;
  return UniteOver(NodeList(node, 0), env, ImportScope);
}

DefinitionSet* NamedClassesScope(DefinitionSet*, SyntaxNode* node) {
  if (node == nullptr || node->code != ImportQualifiedNameNodeKind) return EmptyDefinitionSet;
  return MembersOfImportName(NodeChild(node, 0));
}

DefinitionSet* TypeMembersScope(DefinitionSet*, SyntaxNode* node) {
  if (node == nullptr) return EmptyDefinitionSet;
  if (node->code != QualifiedNameNodeKind && node->code != NameQualifiedInstanceCreationNodeKind) {
    return EmptyDefinitionSet;
  }
  return MembersOfName(NodeChild(node, 0));
}

DefinitionSet* TypeNameMembersScope(DefinitionSet*, SyntaxNode* node) {
  if (node == nullptr || node->code != SimpleInstanceCreationNodeKind) return EmptyDefinitionSet;
  return MembersOfName(NodeChild(NodeChild(node, 0), 0));
}

DefinitionSet* PrimaryMembersScope(DefinitionSet*, SyntaxNode* node) {
  if (node == nullptr || node->code != PrimaryFieldAccessNodeKind) return EmptyDefinitionSet;
  return MembersOfExpressionType(NodeChild(node, 0));
}

DefinitionSet* QualifierMembersScope(DefinitionSet*, SyntaxNode* node) {
  if (!InFamily(node, StatementExpressionFamily) || (node->tag != PrimaryQualifiedInstanceCreationNodeTag && node->tag != PrimaryMethodInvocationNodeTag)) return EmptyDefinitionSet;
  return MembersOfExpressionType(NodeChild(node, 0));
}

DefinitionSet* EnclosingClassScope(DefinitionSet*, SyntaxNode* node) {
  AnyNode* found = FindAncestor(OwnerOf(node), MakeClosure(IsClassDeclaration));
  return MembersOfDeclaredType(found);
}

DefinitionSet* InheritedMembersScope(DefinitionSet*, SyntaxNode* node) { return SuperclassMembers(node); }

DefinitionSet* SuperQualifierScope(DefinitionSet*, SyntaxNode* node) {
  // Q.super.n continues with Q; a name qualifier unites the superclass members
  // of what its last occurrence denotes.
  while (node != nullptr && node->code == QualifiedSuperFieldAccessNodeKind) node = NodeChild(node, 0);
  if (node == nullptr) return EmptyDefinitionSet;
  switch (node->code) {
    case SuperFieldAccessNodeKind:
    case SuperMethodInvocationNodeKind:
      return EnclosingSuperclassMembers(FindAncestor(OwnerOf(node), MakeClosure(IsClassOrAnonymousBody)));
    case SimpleNameNodeKind:
      return UniteOver(OccurrenceDefinitions(FieldOccurrence(node, 0)), EmptyDefinitionSet, SuperclassMembers);
    case QualifiedNameNodeKind:
      return UniteOver(OccurrenceDefinitions(FieldOccurrence(node, 1)), EmptyDefinitionSet, SuperclassMembers);
    default:
      return EmptyDefinitionSet;
  }
}

DefinitionSet* SuperAccessScope(DefinitionSet* env, SyntaxNode* node) {
  if (node == nullptr) return EmptyDefinitionSet;
  if (node->code == SuperMethodInvocationNodeKind) return SuperQualifierScope(env, node);
  if (node->code == QualifiedSuperMethodInvocationNodeKind) return SuperQualifierScope(env, NodeChild(node, 0));
  return EmptyDefinitionSet;
}

DefinitionSet* InterfaceMembersScope(DefinitionSet*, SyntaxNode* node) { return ImplementedInterfacesMembers(node); }

DefinitionSet* MembersOfName(SyntaxNode* name) {
  if (!InFamily(name, NameFamily)) return EmptyDefinitionSet;
  switch (name->tag) {
    case SimpleNameNodeTag:
    case ThisFieldAccessNodeTag:
    case SuperFieldAccessNodeTag:
      return ClassMembersOfDefinitions(FieldOccurrence(name, 0));
    case QualifiedNameNodeTag:
    case PrimaryFieldAccessNodeTag:
      return ClassMembersOfDefinitions(FieldOccurrence(name, 1));
    case NameArrayAccessNodeTag:
    case PrimaryArrayAccessNodeTag:
    case ThisArrayAccessNodeTag:
      return MembersOfTypeValue(TypeOfName(name));
    default:
      return EmptyDefinitionSet;
  }
}

DefinitionSet* MembersOfImportName(SyntaxNode* name) {
  if (name == nullptr) return EmptyDefinitionSet;
  if (name->code == ImportSimpleNameNodeKind) return ClassMembersOfDefinitions(FieldOccurrence(name, 0));
  if (name->code == ImportQualifiedNameNodeKind) return ClassMembersOfDefinitions(FieldOccurrence(name, 1));
  return EmptyDefinitionSet;
}

DefinitionSet* ClassMembersWithInherited(SyntaxNode* declaration) {
  if (declaration == nullptr) return EmptyDefinitionSet;
  InheritedMembers* kept = &KeptInheritedMembers[declaration];
  // A declaration whose members are being computed closes an inheritance
  // cycle: it contributes nothing at that point.
  if (kept->depth != 0) {
    ++CyclesClosed;
    LowestDepthMet = std::min<int64_t>(LowestDepthMet, kept->depth);
    NoteAsked(kept);
    return EmptyDefinitionSet;
  }
  if (kept->members != nullptr) return kept->members;
  if (const CycleResult* reused = ResultForContext(*kept)) {
    // What its computation did to those around it: a cycle closed, at the
    // busy declarations it lists.
    ++CyclesClosed;
    InheritedMembers* const* context = CycleContexts.data() + reused->first;
    for (uint32_t i = 0; i < reused->busyCount; ++i) {
      LowestDepthMet = std::min<int64_t>(LowestDepthMet, context[i]->depth);
    }
    if (GuardDepth > 0) {
      AskedStack.insert(AskedStack.end(), context, context + reused->count);
      AskedStack.push_back(kept);
    }
    return reused->members;
  }
  int32_t depth = ++GuardDepth;
  kept->depth = depth;
  InheritanceGuard = Cons(declaration, InheritanceGuard);
  size_t start = ForcingDepth();
  if (depth == 1) OutermostFloor = start;
  uint64_t cyclesBefore = CyclesClosed;
  int64_t outerDepthMet = std::exchange(LowestDepthMet, NoCycle);
  int64_t outerPlaceMet = std::exchange(LowestPlaceMet, NoCycle);
  bool outerTooMany = std::exchange(AskedTooMany, false);
  size_t asked = AskedStack.size();
  DefinitionSet* result;
  if (declaration->code == DeclaratorIdentifierNodeKind || declaration->code == MethodDeclaratorNodeKind) {
    result = MembersOfDeclaredType(declaration->owner);
  } else {
    result = UniteDefinitionSets(UniteDefinitionSets(MembersOfDeclaration(declaration), SuperclassMembers(declaration)),
                                 ImplementedInterfacesMembers(declaration));
  }
  InheritanceGuard = InheritanceGuard->tail;
  --GuardDepth;
  bool onNoCycle = LowestDepthMet > depth && LowestPlaceMet >= static_cast<int64_t>(start);
  bool metBusyCell = LowestPlaceMet < static_cast<int64_t>(start);
  LowestDepthMet = std::min(LowestDepthMet, outerDepthMet);
  LowestPlaceMet = std::min(LowestPlaceMet, outerPlaceMet);
  if (GuardDepth == 0) LowestDepthMet = LowestPlaceMet = NoCycle;
  // kept stays valid: the map's entries do not move when it grows.
  bool keep = CyclesClosed == cyclesBefore || onNoCycle;
  if (keep) {
    kept->members = result;
    // Those around it read the kept result from now on, whatever it read.
    AskedStack.resize(asked);
    AskedTooMany = outerTooMany;
  } else {
    if (!AskedTooMany && !SettleAsked(asked, kept)) AskedTooMany = true;
    if (AskedTooMany) AskedStack.resize(asked);
    else if (!metBusyCell) KeepForContext(*kept, result, asked);
    AskedTooMany = AskedTooMany || outerTooMany;
  }
  kept->depth = 0;
  if (!keep) NoteAsked(kept);
  if (GuardDepth == 0) {
    AskedStack.clear();
    AskedTooMany = false;
  }
  return result;
}

void NoteCellCycle(int64_t place) { LowestPlaceMet = std::min(LowestPlaceMet, place); }

size_t MemberComputationFloor() { return OutermostFloor; }

void ForgetInheritedMembers() {
  // A fresh map rather than clear(), which would keep a large unit's buckets.
  std::unordered_map<const SyntaxNode*, InheritedMembers>().swap(KeptInheritedMembers);
  std::vector<CycleResult>().swap(CycleResults);
  std::vector<InheritedMembers*>().swap(CycleContexts);
  std::unordered_set<uint64_t>().swap(ContextsMet);
}

DefinitionSet* MembersOfDeclaredType(AnyNode* declaration) {
  for (AnyNode* any = declaration; any != nullptr; any = any->node->owner) {
    SyntaxNode* node = any->node;
    switch (any->kind) {
      case ClassDeclarationNodeKind:
        return ClassMembersWithInherited(node);
      case FieldDeclarationNodeKind:
      case TypedMethodHeaderNodeKind:
      case FormalParameterNodeKind:
        return MembersOfTypeValue(NodeChild(node, 1));
      case LocalVariableDeclarationNodeKind:
        return MembersOfTypeValue(NodeChild(node, 0));
      case ArrayDeclaratorIdNodeKind:
        return ArrayMembers();
      case VariableDeclaratorNodeKind:
      case SimpleDeclaratorIdNodeKind:
        continue;  // on with the owner
      default:
        return EmptyDefinitionSet;
    }
  }
  return EmptyDefinitionSet;
}

DefinitionSet* MembersOfTypeValue(SyntaxNode* type) {
  if (!InFamily(type, TypeFamily)) return EmptyDefinitionSet;  // the unknown type too
  switch (type->tag) {
    case ClassOrInterfaceTypeNodeTag:
      return MembersOfName(NodeChild(type, 0));
    case PrimitiveArrayTypeNodeTag:
    case NameArrayTypeNodeTag:
      return ArrayMembers();
    default:
      return EmptyDefinitionSet;
  }
}

DefinitionSet* ArrayMembers() { return UniteDefinitionSets(ObjectClassMembers(), ArrayLengthDefinitions); }

DefinitionSet* ObjectClassMembers() {
  return MembersOfDeclaration(reinterpret_cast<SyntaxNode*>(ForceLazyCell(&JavaLangObject)));
}

DefinitionSet* ClassClassMembers() {
  return MembersOfDeclaration(reinterpret_cast<SyntaxNode*>(ForceLazyCell(&JavaLangClass)));
}

DefinitionSet* MembersOfExpressionType(SyntaxNode* expression) {
  SyntaxNode* e = expression;
  while (InFamily(e, ExpressionFamily)) {
    switch (e->tag) {
      case ParenthesizedExpressionNodeTag:
      case ExpressionCastExpressionNodeTag:
        e = NodeChild(NodeChild(e, 0), 0);  // the ExpressionNode's expression
        continue;
      case ClassInstanceCreationExpression1NodeTag:
      case MethodInvocation1NodeTag:
        return MembersOfCreationOrInvocation(NodeChild(e, 0));
      case FieldAccess1NodeTag:
      case ArrayAccess1NodeTag:
      case QualifiedThisNodeTag:
      case ExpressionNameNodeTag:
        return MembersOfName(NodeChild(e, 0));
      case ClassLiteralNodeTag:
      case PrimitiveArrayClassLiteralNodeTag:
      case ArrayClassLiteralNodeTag:
      case PrimitiveClassLiteralNodeTag:
      case VoidClassLiteralNodeTag:
        return ClassClassMembers();
      case PrimitiveArrayCreationNodeTag:
      case ClassArrayCreationNodeTag:
      case ArrayCastExpressionNodeTag:
        return ArrayMembers();
      case PrimitiveCastExpressionNodeTag:
        if (NodeField(e, 1) != 0) return ArrayMembers();
        return MembersOfTypeValue(NodeChild(e, 0));
      default:
        return MembersOfTypeValue(TypeOfExpression(e));
    }
  }
  return EmptyDefinitionSet;
}

DefinitionSet* MembersOfCreationOrInvocation(SyntaxNode* node) {
  if (!InFamily(node, StatementExpressionFamily)) return EmptyDefinitionSet;
  switch (node->tag) {
    case SimpleInstanceCreationNodeTag:
    case ThisQualifiedInstanceCreationNodeTag:
      return MembersOfName(NodeChild(NodeChild(node, 0), 0));
    case NameQualifiedInstanceCreationNodeTag:
    case PrimaryQualifiedInstanceCreationNodeTag:
      return MembersOfName(NodeChild(NodeChild(node, 1), 0));
    case NameMethodInvocationNodeTag:
      return MembersOfName(NodeChild(node, 0));
    case PrimaryMethodInvocationNodeTag:
    case QualifiedSuperMethodInvocationNodeTag:
      return ClassMembersOfDefinitions(FieldOccurrence(node, 1));
    case ThisMethodInvocationNodeTag:
    case SuperMethodInvocationNodeTag:
      return ClassMembersOfDefinitions(FieldOccurrence(node, 0));
    default:
      return EmptyDefinitionSet;
  }
}

DefinitionSet* SuperclassMembers(SyntaxNode* declaration) {
  if (declaration == nullptr) return EmptyDefinitionSet;
  if (declaration->code != ClassDeclarationNodeKind && declaration->code != InterfaceDeclarationNodeKind) {
    return EmptyDefinitionSet;
  }
  return UniteDefinitionSets(ObjectClassMembers(), SupertypeMembers(declaration));
}

DefinitionSet* SupertypeMembers(SyntaxNode* declaration) {
  if (declaration == nullptr) return EmptyDefinitionSet;
  if (declaration->code == ClassDeclarationNodeKind) {
    SyntaxNode* super = NodeChild(declaration, 2);
    if (super == nullptr) return EmptyDefinitionSet;
    return MembersOfName(NodeChild(NodeChild(super, 0), 0));  // SuperNode -> ClassTypeNode -> Name
  }
  if (declaration->code == InterfaceDeclarationNodeKind) {
    SyntaxNode* extends = NodeChild(declaration, 2);
    if (extends == nullptr) return EmptyDefinitionSet;
    return UniteOver(NodeList(extends, 0), EmptyDefinitionSet, InterfaceTypeMembers);
  }
  return EmptyDefinitionSet;
}

DefinitionSet* ImplementedInterfacesMembers(SyntaxNode* declaration) {
  if (declaration == nullptr || declaration->code != ClassDeclarationNodeKind) return EmptyDefinitionSet;
  SyntaxNode* interfaces = NodeChild(declaration, 3);
  if (interfaces == nullptr) return EmptyDefinitionSet;
  return UniteOver(NodeList(interfaces, 0), EmptyDefinitionSet, InterfaceTypeMembers);
}

DefinitionSet* InterfaceTypeMembers(SyntaxNode* interfaceType) {
  if (interfaceType == nullptr || interfaceType->code != InterfaceTypeNodeKind) return EmptyDefinitionSet;
  return MembersOfName(NodeChild(NodeChild(interfaceType, 0), 0));
}

DefinitionSet* EnclosingSuperclassMembers(AnyNode* node) {
  if (node == nullptr) return EmptyDefinitionSet;
  if (node->kind == ClassDeclarationNodeKind) return SuperclassMembers(node->node);
  if (node->kind == SimpleInstanceCreationNodeKind) return MembersOfCreationOrInvocation(node->node);
  return EmptyDefinitionSet;
}

DefinitionSet* ImportScope(SyntaxNode* importDeclaration) {
  if (importDeclaration == nullptr || importDeclaration->code != ImportDeclarationNodeKind) return EmptyDefinitionSet;
  SyntaxNode* name = NodeChild(importDeclaration, 0);
  switch (name->code) {
    case ImportQualifiedNameNodeKind: {
      DefinitionSet* members = MembersOfImportName(NodeChild(name, 0));
      Identifier* last = OccurrenceName(FieldOccurrence(name, 1));
      ConsList slots[DefinitionKindCount] = {};
      slots[PackageDefinition] = DefinitionSlot(members, PackageDefinition);
      for (int32_t kind : {int32_t{ClassDefinition}, int32_t{InterfaceDefinition}}) {
        ConsListBuilder named;
        for (ConsList rest = DefinitionSlot(members, kind); rest != nullptr; rest = rest->tail) {
          if (static_cast<Definition*>(rest->head)->name == last) named.Add(rest->head);
        }
        slots[kind] = named.head;
      }
      return MakeDefinitionSet(slots);
    }
    case OnDemandImportNameNodeKind:
      return MembersOfImportName(NodeChild(name, 0));
    default:
      return EmptyDefinitionSet;  // import C; brings in nothing
  }
}

DefinitionSet* PackageScope(DefinitionSet* set, SyntaxNode* packageDeclaration) {
  DefinitionSet* current = set;
  SyntaxNode* p = packageDeclaration;
  for (;;) {
    DefinitionSet* members = UniteOver(LookupPackageDeclaration(DeclaredName(p), current), EmptyDefinitionSet,
                                       [](SyntaxNode* n) { return MembersOfDeclaration(n); });
    SyntaxNode* body = NodeChild(p, 1);
    if (body->code != PackageDeclaration1NodeKind) return members;
    current = members;
    p = NodeChild(body, 0);
  }
}

void SetCurrentUnit(SyntaxNode* sourceFile) { CurrentUnit = sourceFile; }

ConsList LookupPackagePath(ConsList path) {
  if (CurrentUnit == nullptr || path == nullptr) return nullptr;
  SyntaxNode* unit = NodeChild(CurrentUnit, 1);
  ConsList rest = path;
  if (unit->code == PackagedUnitNodeKind) {
    SyntaxNode* p = NodeChild(unit, 0);
    for (;;) {
      if (rest == nullptr || DeclaredName(p) != static_cast<Identifier*>(rest->head)) return nullptr;
      rest = rest->tail;
      SyntaxNode* body = NodeChild(p, 1);
      if (body->code == PackageDeclaration1NodeKind) {
        p = NodeChild(body, 0);
        continue;
      }
      unit = NodeChild(body, 0);  // UnpackagedUnit1Node -> UnpackagedUnitNode
      break;
    }
  }
  if (rest == nullptr) return nullptr;
  ConsListBuilder result;
  MatchTypes(NodeList(unit, 1), rest, result, false);
  return result.head;
}

SyntaxNode* LookupStandardClass(ConsList path) {
  for (ConsList rest = LookupPackagePath(path); rest != nullptr; rest = rest->tail) {
    auto* node = static_cast<SyntaxNode*>(rest->head);
    if (node->code == ClassDeclarationNodeKind) return node;
  }
  return nullptr;
}

SyntaxNode* LookupStandardInterface(ConsList path) {
  for (ConsList rest = LookupPackagePath(path); rest != nullptr; rest = rest->tail) {
    auto* node = static_cast<SyntaxNode*>(rest->head);
    if (node->code == InterfaceDeclarationNodeKind) return node;
  }
  return nullptr;
}

Identifier* DeclaredName(const SyntaxNode* node) {
  if (node == nullptr) return EmptyName;
  switch (node->code) {
    case PackageDeclarationNodeKind:
    case DeclaratorIdentifierNodeKind:
    case MethodDeclaratorNodeKind:
      return OccurrenceName(FieldOccurrence(node, 0));
    case ClassDeclarationNodeKind:
    case InterfaceDeclarationNodeKind:
      return OccurrenceName(FieldOccurrence(node, 1));
    default:
      return EmptyName;
  }
}

Identifier* FirstFieldName(const SyntaxNode* node) {
  if (node == nullptr) return EmptyName;
  return OccurrenceName(FieldOccurrence(node, 0));
}

void* FirstElement(ConsList list) { return list == nullptr ? nullptr : list->head; }

void* ListElement(ConsList list, int32_t index) {
  if (list == nullptr) InternalError("Resolution", 70);
  for (int32_t i = 0; i < index; ++i) {
    list = list->tail;
    if (list == nullptr) InternalError("Prelude", 321);
  }
  return list->head;
}

void ResolutionModuleInit() {
  if (!EnterModuleInit(ResolutionModuleFlag)) return;
  SyntaxNodesModuleInit();
  DefinitionSetsModuleInit();
  EmptyName = IdentifierOf("");
  JavaName = IdentifierOf("java");
  LangName = IdentifierOf("lang");
  StarName = IdentifierOf("*");
  auto path = [](const char* last) { return Cons(JavaName, Cons(LangName, Cons(IdentifierOf(last), nullptr))); };
  ObjectPath = path("Object");
  ClassPath = path("Class");
  StringPath = path("String");
  StringBufferPath = path("StringBuffer");
  JavaLangObject = LazyCell{{ObjectPath}, FindStandardClass};
  JavaLangClass = LazyCell{{ClassPath}, FindStandardClass};
  JavaLangString = LazyCell{{StringPath}, FindStandardClass};
  JavaLangStringBuffer = LazyCell{{StringBufferPath}, FindStandardClass};

  // The array field "length": a declarator whose definitions cell yields
  // null, inside a synthetic int field so that its owner chain leads to int.
  LazyCell* noDefinitions = NewEvaluatedCell<Word>(0);
  Identifier* length = IdentifierOf("length");
  ArrayLengthDeclarator = NewDeclaratorIdentifierNode(0, NewDefiningOccurrence(noDefinitions, length));
  SyntaxNode* declaratorId = NewSimpleDeclaratorIdNode(0, ArrayLengthDeclarator);
  SyntaxNode* declarator = NewVariableDeclaratorNode(0, declaratorId, nullptr);
  NewFieldDeclarationNode(0, nullptr, NewIntTypeNode(0), Cons(declarator, nullptr));
  ArrayLengthDefinitions =
      SingletonDefinitionSet(DefineDeclaratorIdentifier(length, NewEvaluatedCell<Word>(reinterpret_cast<Word>(ArrayLengthDeclarator))));
  RegisterRoot(&ArrayLengthDeclarator);
  RegisterRoot(&ArrayLengthDefinitions);
  // The static types, which the members of expressions need; last, because
  // their values use the names made above.
  TypesModuleInit();
}
