// Scopes and environments: member sets of packages, imports, classes with
// their inherited members, expression types, this and super, and header
// values; the current unit, the standard classes and the field "length".
#include "java/tree/scopes.h"

#include <algorithm>
#include <initializer_list>
#include <unordered_map>
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


// A recorded computation: for each kind, its definitions and markers, last
// first (markers stand for the members of the declarations it asks for,
// below); the cells being computed that it met; and the result of its walk
// while no declaration is busy, once made.
struct RecordedItems {
  const Definition** backward[DefinitionKindCount];
  uint32_t count[DefinitionKindCount];
  uint32_t busyFirst;  // in BusyReads
  uint32_t busyCount;
  DefinitionSet* freeMembers;
};

// The members of each declaration with everything it inherits, kept once
// computed: in a chain of classes each extending the one before, every class
// would otherwise compute the members of all the classes above it again.
// Keyed by node address, so the entries go when the unit's memory is given
// back (ForgetInheritedMembers).
//
// A declaration whose members are being computed (it is on InheritanceGuard,
// at depth `depth`) and is asked for again closes an inheritance cycle and
// contributes nothing there; a builder cell forced while it is being computed
// (a lookup under way, as when a class extends one of its own members by a
// name qualified with itself) likewise yields its empty value. So a result
// computed while such things are busy may depend on what was being computed
// around it, and it is kept only when it cannot: when everything busy that
// its computation met, declarations and builder cells alike, started after
// it. Then the declaration is on no cycle and read no lookup under way
// around it: nothing that was being computed around it was asked for, so a
// computation of the same members in any other context reads the same kept
// results and evaluated cells and meets the same busy things below it, and
// yields the same set (the design notes give the argument in full). A
// declaration kept is never busy again: it is asked for only while no
// computation of it is under way. Whether cycles closed inside it does not
// matter.
// A result that met something busy around it (a declaration on a cycle, or
// one that read a lookup under way) is computed again when it is asked for,
// by one walk of its recorded computation once it has one (below), which
// holds while the lookups under way that it read still are; the
// declarations above it, and those below it that are on no cycle, are kept.
struct InheritedMembers {
  DefinitionSet* members = nullptr;  // kept for every context
  int32_t depth = 0;  // while being computed, its place on the guard (1 the outermost); else 0
  RecordedItems* items = nullptr;  // its recorded computation (RecordItems), null until recorded
  uint32_t walked = 0;             // how the last walk of DirectMembers that met it left it
};
std::unordered_map<const SyntaxNode*, InheritedMembers>& KeptInheritedMembers =
    *new std::unordered_map<const SyntaxNode*, InheritedMembers>();

// The member computations under way, and the lowest guard depth and builder
// work-stack place at which a cycle closed since the innermost of them
// started (NoCycle when none): a computation at depth d that started at work
// depth w is on no cycle when both stayed above d and at or above w.
int32_t GuardDepth = 0;
size_t OutermostFloor = 0;
constexpr int64_t NoCycle = INT64_MAX;
int64_t LowestDepthMet = NoCycle;
int64_t LowestPlaceMet = NoCycle;

// ---- Members of a declaration on a cycle, found without the cycle's paths ----
//
// Asked for from outside, the members of a declaration on a cycle are the
// union of everything on every path up its supertypes that avoids the
// declarations busy around it: in the order of the union, each definition
// stands where its last occurrence along those paths puts it (a union keeps
// its first operand's definitions that its second lacks, then the second).
// Walking every path takes as long as there are paths. Once a declaration
// has computed its members, the cells its computation reads are evaluated
// (or still being computed, and then read as empty until they finish), and
// its computation is a fixed sequence of definitions and of the members of
// other declarations. RecordItems records that sequence, with the members of
// each declaration asked for standing as a marker (a definition named
// MarkerName, one of each kind). The last occurrences along the paths are
// then the first ones met by one walk that takes each sequence backwards and
// enters each declaration once (a declaration met again was entered by a
// path whose occurrences come later, or is being walked, and then is busy on
// every path through here): DirectMembers, which costs what the declarations
// it meets hold.

// Names the markers; no declaration has this name.
Identifier MarkerName{};

// The set standing for a declaration's members in a recording: a marker of
// each kind, whose declaration field holds the declaration's record.
std::unordered_map<const InheritedMembers*, DefinitionSet*>& Placeholders =
    *new std::unordered_map<const InheritedMembers*, DefinitionSet*>();

DefinitionSet* PlaceholderOf(InheritedMembers* members) {
  auto [entry, made] = Placeholders.try_emplace(members, nullptr);
  if (made) {
    ConsList slots[DefinitionKindCount];
    for (int32_t k = 0; k < DefinitionKindCount; ++k) {
      slots[k] = Cons(NewDefinition(k, &MarkerName, reinterpret_cast<LazyCell*>(members)), nullptr);
    }
    entry->second = MakeDefinitionSet(slots);
  }
  return entry->second;
}

// While a computation is recorded, the declarations it asks for directly (at
// this guard depth and builder forcing depth) yield their placeholders.
bool Recording = false;
int32_t RecordingDepth = 0;
size_t RecordingStart = 0;

// The builder cells being computed that recordings met, with their places on
// the builder's work stack: a recording holds while they are still being
// computed (each met there reads empty, as the recording did), and a walk of
// it meets them where the recording did.
struct BusyRead {
  LazyCell* cell;
  int64_t place;
};
std::vector<BusyRead>& BusyReads = *new std::vector<BusyRead>();

DefinitionSet* ComputeMembers(SyntaxNode* declaration) {
  if (declaration->code == DeclaratorIdentifierNodeKind || declaration->code == MethodDeclaratorNodeKind) {
    return MembersOfDeclaredType(declaration->owner);
  }
  return UniteDefinitionSets(UniteDefinitionSets(MembersOfDeclaration(declaration), SuperclassMembers(declaration)),
                             ImplementedInterfacesMembers(declaration));
}

// The builder's equations run so far.
int64_t CellsEvaluated() {
  const TreeBuilderCounters& c = BuilderCounters;
  return c.treeEvaluations + c.defsEvaluations + c.envEvaluations + c.lookupEvaluations;
}

// Records the declaration's computation, just after it was computed: the
// cells it reads were evaluated then, or are still being computed, so the
// recording reads the same values and evaluates none (one that did would be
// dropped). The cells being computed that it met are kept with it.
void RecordItems(InheritedMembers& members, SyntaxNode* declaration) {
  int64_t evaluatedBefore = CellsEvaluated();
  size_t busyFrom = BusyReads.size();
  bool outer = std::exchange(Recording, true);
  int32_t outerDepth = std::exchange(RecordingDepth, GuardDepth);
  size_t outerStart = std::exchange(RecordingStart, ForcingDepth());
  DefinitionSet* items = ComputeMembers(declaration);
  Recording = outer;
  RecordingDepth = outerDepth;
  RecordingStart = outerStart;
  if (CellsEvaluated() != evaluatedBefore) {
    BusyReads.resize(busyFrom);
    return;
  }
  auto* recorded = static_cast<RecordedItems*>(Allocate(sizeof(RecordedItems)));
  for (int32_t k = 0; k < DefinitionKindCount; ++k) {
    uint32_t count = 0;
    for (ConsList rest = DefinitionSlot(items, k); rest != nullptr; rest = rest->tail) ++count;
    recorded->count[k] = count;
    recorded->backward[k] = static_cast<const Definition**>(Allocate(sizeof(Definition*) * (count == 0 ? 1 : count)));
    for (ConsList rest = DefinitionSlot(items, k); rest != nullptr; rest = rest->tail) {
      recorded->backward[k][--count] = static_cast<const Definition*>(rest->head);
    }
  }
  recorded->busyFirst = static_cast<uint32_t>(busyFrom);
  recorded->busyCount = static_cast<uint32_t>(BusyReads.size() - busyFrom);
  recorded->freeMembers = nullptr;
  members.items = recorded;
}

// One backward walk of DirectMembers, for one kind. A declaration it meets
// is marked `entered` while its sequence is walked and `left` after (or at
// once, when its members are kept or it is busy).
struct DirectWalk {
  int32_t kind;
  uint32_t entered;
  uint32_t left;
  ConsList out;                           // the definitions met, the last met first
  std::vector<Definition*>& scratch;      // for walking a kept list backwards
  bool complete;     // false: a declaration met has no recording that holds
  bool closesCycle;  // a busy declaration or one being walked was met
  int64_t lowestBusy;
  int64_t lowestPlace;  // of the cells being computed that the recordings met
};

void Meet(DirectWalk& walk, const Definition* definition) {
  if (definition->walked == walk.entered) return;
  auto* met = const_cast<Definition*>(definition);
  met->walked = walk.entered;
  walk.out = Cons(met, walk.out);
}

void MeetBackwards(DirectWalk& walk, ConsList list) {
  walk.scratch.clear();
  for (; list != nullptr; list = list->tail) walk.scratch.push_back(static_cast<Definition*>(list->head));
  for (size_t i = walk.scratch.size(); i-- > 0;) Meet(walk, walk.scratch[i]);
}

void WalkBackwards(DirectWalk& walk, InheritedMembers* members) {
  members->walked = walk.entered;
  if (walk.kind == 0) {
    for (uint32_t i = 0; i < members->items->busyCount; ++i) {
      const BusyRead& read = BusyReads[members->items->busyFirst + i];
      if (!IsBeingComputed(read.cell)) {
        members->items = nullptr;  // finished since: recorded again after the next computation
        walk.complete = false;
        return;
      }
      walk.lowestPlace = std::min(walk.lowestPlace, read.place);
    }
  }
  const Definition** items = members->items->backward[walk.kind];
  for (uint32_t i = 0, count = members->items->count[walk.kind]; i < count && walk.complete; ++i) {
    const Definition* item = items[i];
    if (item->name != &MarkerName) {
      Meet(walk, item);
      continue;
    }
    auto* asked = reinterpret_cast<InheritedMembers*>(item->declaration);
    if (asked->walked == walk.entered) {
      walk.closesCycle = true;  // busy on the path through here
    } else if (asked->walked == walk.left) {
      // Entered before, by a path whose occurrences all come later.
    } else if (asked->depth != 0) {
      asked->walked = walk.left;
      walk.closesCycle = true;
      walk.lowestBusy = std::min<int64_t>(walk.lowestBusy, asked->depth);
    } else if (asked->members != nullptr) {
      asked->walked = walk.left;
      MeetBackwards(walk, DefinitionSlot(asked->members, walk.kind));
    } else if (asked->items == nullptr) {
      walk.complete = false;
    } else {
      WalkBackwards(walk, asked);
    }
  }
  members->walked = walk.left;
}

uint32_t Walks = 0;

// The members of a recorded declaration that is neither kept nor busy, as
// its computation would give them now; null when a declaration it would
// compute has no recording that holds. closesCycle tells whether that
// computation would close an inheritance cycle, lowestBusy the lowest guard
// depth of the busy declarations it would meet, lowestPlace the lowest place
// of the cells being computed that it would meet.
DefinitionSet* DirectMembers(InheritedMembers* members, bool& closesCycle, int64_t& lowestBusy, int64_t& lowestPlace) {
  std::vector<Definition*> scratch;
  ConsList slots[DefinitionKindCount];
  for (int32_t k = 0; k < DefinitionKindCount; ++k) {
    Walks += 2;
    DirectWalk walk{k, Walks, Walks + 1, nullptr, scratch, true, false, NoCycle, NoCycle};
    WalkBackwards(walk, members);
    if (!walk.complete) return nullptr;
    // Every kind's sequence holds every declaration asked for, in the same
    // order, so every walk meets the same declarations.
    if (k == 0) {
      closesCycle = walk.closesCycle;
      lowestBusy = walk.lowestBusy;
      lowestPlace = walk.lowestPlace;
    }
    slots[k] = walk.out;
  }
  return MakeDefinitionSet(slots);
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
#if KEEP_NO_INHERITED_MEMBERS
  // The reference build: computed afresh on every request, a declaration
  // asked for again while its members are being computed contributing nothing.
  for (ConsList busy = InheritanceGuard; busy != nullptr; busy = busy->tail) {
    if (busy->head == declaration) return EmptyDefinitionSet;
  }
  InheritanceGuard = Cons(declaration, InheritanceGuard);
  DefinitionSet* afresh = ComputeMembers(declaration);
  InheritanceGuard = InheritanceGuard->tail;
  return afresh;
#endif
  InheritedMembers* kept = &KeptInheritedMembers[declaration];
  if (Recording && GuardDepth == RecordingDepth && ForcingDepth() == RecordingStart) return PlaceholderOf(kept);
  // A declaration whose members are being computed closes an inheritance
  // cycle: it contributes nothing at that point.
  if (kept->depth != 0) {
    LowestDepthMet = std::min<int64_t>(LowestDepthMet, kept->depth);
    return EmptyDefinitionSet;
  }
  if (kept->members != nullptr) return kept->members;
  // Asked for while no declaration is busy, a declaration on a cycle gives the
  // same walk each time, as long as that walk met no cell being computed.
  if (GuardDepth == 0 && kept->items != nullptr && kept->items->freeMembers != nullptr) {
    return kept->items->freeMembers;
  }
  if (kept->items != nullptr) {
    bool closesCycle = false;
    int64_t lowestBusy = NoCycle;
    int64_t lowestPlace = NoCycle;
    if (DefinitionSet* direct = DirectMembers(kept, closesCycle, lowestBusy, lowestPlace)) {
      // What its computation would do: meet the cells being computed that
      // its recordings met and the busy declarations met. A walk that met
      // neither is what a computation in any context gives, and is kept; one
      // that met cells being computed holds only while they are, and one
      // that met busy declarations only while they are busy.
      if (GuardDepth > 0) LowestPlaceMet = std::min(LowestPlaceMet, lowestPlace);
      LowestDepthMet = std::min(LowestDepthMet, lowestBusy);
      if (lowestPlace == NoCycle) {
        if (!closesCycle) {
          kept->members = direct;
        } else if (GuardDepth == 0) {
          kept->items->freeMembers = direct;
        }
      }
      return direct;
    }
  }
  int32_t depth = ++GuardDepth;
  kept->depth = depth;
  InheritanceGuard = Cons(declaration, InheritanceGuard);
  size_t start = ForcingDepth();
  if (depth == 1) OutermostFloor = start;
  int64_t outerDepthMet = std::exchange(LowestDepthMet, NoCycle);
  int64_t outerPlaceMet = std::exchange(LowestPlaceMet, NoCycle);
  DefinitionSet* result = ComputeMembers(declaration);
  InheritanceGuard = InheritanceGuard->tail;
  --GuardDepth;
  bool onNoCycle = LowestDepthMet > depth && LowestPlaceMet >= static_cast<int64_t>(start);
  LowestDepthMet = std::min(LowestDepthMet, outerDepthMet);
  LowestPlaceMet = std::min(LowestPlaceMet, outerPlaceMet);
  if (GuardDepth == 0) LowestDepthMet = LowestPlaceMet = NoCycle;
  // kept stays valid: the map's entries do not move when it grows.
  kept->depth = 0;
  if (onNoCycle) {
    kept->members = result;
  } else if (kept->items == nullptr && !Recording) {
    RecordItems(*kept, declaration);
  }
  return result;
}

bool MemberComputationsListen() { return InheritanceGuard != nullptr || Recording; }

void NoteCellCycle(LazyCell* cell, int64_t place) {
  if (Recording) BusyReads.push_back(BusyRead{cell, place});
  // A recording meets the cells its computation met, which those around it
  // have been told of already; should it evaluate a cell after all (and be
  // dropped), the member computations inside that cell still learn what
  // they met.
  LowestPlaceMet = std::min(LowestPlaceMet, place);
}

// A recording tells every place apart: its walks may come where other
// member computations are under way.
size_t MemberComputationFloor() { return Recording ? 0 : OutermostFloor; }

void ForgetInheritedMembers() {
  // A fresh map rather than clear(), which would keep a large unit's buckets.
  std::unordered_map<const SyntaxNode*, InheritedMembers>().swap(KeptInheritedMembers);
  std::unordered_map<const InheritedMembers*, DefinitionSet*>().swap(Placeholders);
  std::vector<BusyRead>().swap(BusyReads);
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
