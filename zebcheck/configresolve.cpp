// Configuration name resolution: definition sets, lookup and the check pass
// that reports names without definition.
//
// Sets are immutable and freely shared. A union copies only the new entries
// of its first operand and shares the second operand's list as its tail, so
// an environment costs one copy of the definitions that a scope adds.
//
// Lookup must return every definition of a name in list order, so a plain
// walk costs the whole list, and every name of a large configuration would
// walk all top-level definitions. Instead:
// 1. A set remembers which leading cells of its list it made (ownCount) and
//    the set whose list follows them (shared). A lookup walks a set's own
//    cells and goes on in the shared set; the cells met are those of the
//    list, in order.
// 2. The second time a lookup walks a set's own cells, the set gets a name
//    index: a hash table from name to the definitions of that name, built by
//    one walk of its list up to a set that already has an index (indexEnd).
//    A lookup then takes the index's definitions and goes on in indexEnd.
//    The top-level set, which every environment ends in, is indexed once; a
//    scope's few own definitions, when the walk from them to an index is
//    short (WalkedCellLimit), are walked instead.
// 3. An index walks past an index that covers fewer cells than it has met
//    so far and takes that index's cells in too. Each index along a chain
//    of sets then covers at least as many cells as those before it, so a
//    lookup from deep inside nested scopes passes a number of indexes that
//    grows with the logarithm of the depth, not with the depth.
// 4. Results are shared. The matches of a name in an indexed set are its
//    index's definitions followed by the matches in indexEnd; the list is
//    made once, at the first lookup of the name there, and kept in the
//    index, and every later lookup that reaches the set ends its own list
//    in that one. A name with many definitions, used many times, costs one
//    list, not one per use; only the matches in the walked sets before the
//    first index are cells of a lookup's own.
// The result is the list the plain walk gives. Nothing of a result list is
// ever changed once it is handed out.
#include "zebcheck/configresolve.h"

#include <cstdint>
#include <cstdio>

#include "support/heap.h"
#include "support/heapstack.h"
#include "support/report.h"
#include "support/services.h"
#include "support/startup.h"
#include "zebcheck/checktexts.h"

namespace {

int32_t ConfigResolveInitFlag = 0;
ConfigDefinitionSet* TheEmptySet = nullptr;

// A set of its own cells (ownCount of them) followed by shared's list.
ConfigDefinitionSet* NewSet(ConsList definitions, int32_t ownCount, ConfigDefinitionSet* shared) {
  auto* set = static_cast<ConfigDefinitionSet*>(Allocate(sizeof(ConfigDefinitionSet)));
  set->definitions = definitions;
  set->ownCount = ownCount;
  set->shared = shared;
  set->visits = 0;
  set->index = nullptr;
  set->indexEnd = nullptr;
  return set;
}

int32_t CountCells(ConsList list) {
  int32_t n = 0;
  for (; list != nullptr; list = list->tail) ++n;
  return n;
}

// One name of an index: its definitions in the index's range, in list
// order (records up to last), and, once a lookup has reached the index with
// the name, the shared match list of the name from the index's set on
// (result; last is then null).
struct IndexEntry {
  Identifier* name;
  ConsList records;
  ConsCell* last;
  ConsList result;
};

// A cell of a match list: a ConsCell, and the scope of the members of the
// list from this cell on (the nested definitions of its matches), made when
// a qualified name first asks for it. Every list LookupConfigName returns is
// made of these.
struct MatchCell {
  ConsCell cell;
  ConfigDefinitionSet* members;
};

}  // namespace

struct ConfigSetIndex {
  uint32_t mask;   // slots - 1; slots is a power of two
  int32_t cells;   // cells of the list from the set to its indexEnd
  IndexEntry* slots;
};

namespace {

uint32_t NameHash(const Identifier* name) {
  auto bits = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(name));
  return static_cast<uint32_t>((bits >> 3) * 0x9E3779B97F4A7C15ull >> 32);
}

IndexEntry* FindEntry(ConfigSetIndex* index, const Identifier* name) {
  for (uint32_t i = NameHash(name) & index->mask;; i = (i + 1) & index->mask) {
    IndexEntry* entry = &index->slots[i];
    if (entry->name == name || entry->name == nullptr) return entry;
  }
}

// The cells of a set's own part of its list: all of them for a set that
// shares nothing.
int32_t OwnCells(ConfigDefinitionSet* part) {
  return part->shared == nullptr ? CountCells(part->definitions) : part->ownCount;
}

// Walks the set's cells, set by set, and files every definition under its
// name. The walk stops at a set with an index that covers more cells than
// the walk has met so far; an index no larger is walked through and its
// cells are filed here too, so that the indexes along a chain at least
// double from one to the next, as the digits of a binary counter do.
void BuildIndex(ConfigDefinitionSet* set) {
  int32_t count = 0;
  ConfigDefinitionSet* end = set;
  while (end != nullptr) {
    if (end != set && end->index != nullptr) {
      if (end->index->cells > count) break;
      count += end->index->cells;
      end = end->indexEnd;
      continue;
    }
    count += OwnCells(end);
    end = end->shared;
  }
  uint32_t slots = 16;
  while (slots < static_cast<uint32_t>(count) * 2) slots *= 2;
  auto* index = static_cast<ConfigSetIndex*>(Allocate(sizeof(ConfigSetIndex)));
  index->mask = slots - 1;
  index->cells = count;
  index->slots = static_cast<IndexEntry*>(Allocate(sizeof(IndexEntry) * slots));
  for (uint32_t i = 0; i < slots; ++i) index->slots[i] = IndexEntry{nullptr, nullptr, nullptr, nullptr};
  for (ConfigDefinitionSet* part = set; part != end; part = part->shared) {
    ConsList cell = part->definitions;
    for (int32_t i = 0; cell != nullptr && (part->shared == nullptr || i < part->ownCount); ++i, cell = cell->tail) {
      ConfigDefinition* definition = ConsHead<ConfigDefinition>(cell);
      IndexEntry* entry = FindEntry(index, definition->name);
      ConsCell* added = Cons(definition, nullptr);
      if (entry->name == nullptr) {
        *entry = IndexEntry{definition->name, added, added, nullptr};
      } else {
        entry->last->tail = added;
        entry->last = added;
      }
    }
  }
  set->index = index;
  set->indexEnd = end;
}

// A set whose walk up to the next index passes no more cells than this is
// walked at every lookup rather than indexed: a scope's few definitions are
// found faster, and with less memory, by a walk than through a table.
constexpr int32_t WalkedCellLimit = 8;

// The cells a lookup walks from the set to the first set after it with an
// index (or to the list's end).
int32_t CellsBeforeIndex(ConfigDefinitionSet* set) {
  int32_t count = 0;
  for (ConfigDefinitionSet* part = set; part != nullptr && (part == set || part->index == nullptr);
       part = part->shared) {
    count += OwnCells(part);
    if (count > WalkedCellLimit) break;
  }
  return count;
}

// A cell of a match list: the node of a definition (its cell forced).
ConsCell* NewMatchCell(ConfigDefinition* definition) {
  auto* cell = static_cast<MatchCell*>(AllocateAligned(sizeof(MatchCell)));
  cell->cell.head = reinterpret_cast<void*>(ForceLazyCell(definition->node));
  cell->members = nullptr;
  return &cell->cell;
}

// The index entries whose shared list a lookup is making, with the first
// cell of each: they are filled in once the list is complete. A lookup
// inside a lookup (a definition's node cell that looks names up) pushes
// above its caller's entries and takes them off again.
struct PendingResult {
  IndexEntry* entry;
  ConsCell* first;
};
HeapStack<PendingResult> PendingResults;

// Match cells whose member scope is being made (MemberScopeOf).
HeapStack<MatchCell*> MemberCells;

// Reports a name occurrence without a match at the position of the
// expression node that holds it; the message ends with its own newline.
void CheckOccurrence(AppliedOccurrence* occurrence, SourcePosition position) {
  if (OccurrenceMatches(occurrence) != nullptr) return;
  BeginMessage(position, 0);
  PrintString(NoDefinitionText);
  PrintIdentifier(occurrence->identifier);
  PrintString("\n");
  std::fflush(StderrStream);
}

void CheckValue(AttributeValueNode* value);

void CheckArguments(ConfigArgumentListNode* arguments) {
  if (arguments == nullptr) return;
  for (ConsList rest = arguments->arguments; rest != nullptr; rest = rest->tail) {
    CheckValue(ConsHead<AttributeValueNode>(rest));
  }
}

void CheckExpression(ConfigExprNode* e) {
  switch (e->kind) {
    case ConfigSimpleName:
      CheckOccurrence(e->name.occurrence, e->position);
      return;
    case ConfigQualifiedName:
      CheckExpression(e->qualified.qualifier);
      CheckOccurrence(e->qualified.occurrence, e->position);
      return;
    case ConfigParenthesized:
      CheckValue(e->parenthesized.inner);
      return;
    case ConfigFieldAccess:
      CheckExpression(e->member.primary);
      CheckOccurrence(e->member.occurrence, e->position);
      return;
    case ConfigNameCall:
      CheckExpression(e->call.name);
      CheckArguments(e->call.arguments);
      return;
    case ConfigPrimaryCall:
      CheckExpression(e->member.primary);
      CheckOccurrence(e->member.occurrence, e->position);
      CheckArguments(e->member.arguments);
      return;
    case ConfigNameIndex:
    case ConfigPrimaryIndex:
      CheckExpression(e->index.base);
      CheckValue(e->index.index);
      return;
    case ConfigConditional:
      CheckExpression(e->conditional.condition);
      CheckValue(e->conditional.then);
      CheckExpression(e->conditional.otherwise);
      return;
    default:
      break;
  }
  if (e->kind >= ConfigUnaryPlus && e->kind <= ConfigNot) {
    CheckExpression(e->unary.operand);
  } else if (e->kind >= ConfigMultiply && e->kind <= ConfigOr) {
    CheckExpression(e->binary.left);
    CheckExpression(e->binary.right);
  }
  // Literals hold no names.
}

void CheckDefinitionList(ConsList definitions) {
  for (ConsList rest = definitions; rest != nullptr; rest = rest->tail) {
    CheckValue(ConsHead<AttributeDefinitionNode>(rest)->value);
  }
}

void CheckValue(AttributeValueNode* value) {
  switch (value->kind) {
    case ConfigNestedValue:
      CheckDefinitionList(value->definitions);
      return;
    case ConfigLiteralValue:
      return;
    default:
      CheckExpression(value->expression);
      return;
  }
}

}  // namespace

ConfigDefinitionSet* EmptyConfigDefinitionSet() { return TheEmptySet; }

ConfigDefinition* MakeConfigDefinition(Identifier* name, LazyCell* node) {
  auto* definition = static_cast<ConfigDefinition*>(Allocate(sizeof(ConfigDefinition)));
  definition->kind = 0;
  definition->name = name;
  definition->node = node;
  return definition;
}

ConfigDefinitionSet* SingletonConfigDefinitionSet(ConfigDefinition* definition) {
  return NewSet(Cons(definition, nullptr), 1, nullptr);
}

ConfigDefinitionSet* ConfigDefinitionSetOf(ConsList definitions) {
  if (definitions == nullptr) return TheEmptySet;
  return NewSet(definitions, CountCells(definitions), nullptr);
}

ConfigDefinitionSet* UniteConfigDefinitionSets(ConfigDefinitionSet* a, ConfigDefinitionSet* b) {
  if (a == TheEmptySet) return b;
  if (b == TheEmptySet || b == a) return a;
  ConsListBuilder added;
  int32_t count = 0;
  for (ConsList rest = a->definitions; rest != nullptr; rest = rest->tail) {
    if (ConsContains(b->definitions, rest->head)) continue;
    added.Add(rest->head);
    ++count;
  }
  *added.end = b->definitions;
  return NewSet(added.head, count, b);
}

ConfigDefinitionSet* UniteDisjointConfigDefinitionSets(ConfigDefinitionSet* a, ConfigDefinitionSet* b) {
  if (a == TheEmptySet) return b;
  if (b == TheEmptySet || b == a) return a;
  ConsListBuilder added;
  int32_t count = 0;
  for (ConsList rest = a->definitions; rest != nullptr; rest = rest->tail) {
    added.Add(rest->head);
    ++count;
  }
  *added.end = b->definitions;
  return NewSet(added.head, count, b);
}

ConsList LookupConfigName(Identifier* name, ConfigDefinitionSet* set) {
  ConsListBuilder matches;
  ConfigDefinitionSet* part = set;
  // The sets before the first index: their own cells, walked.
  while (part != nullptr) {
    if (part->index == nullptr && part->visits >= 1) {
      // A set found small enough to walk stays so: sets never change, and
      // the indexes that later sets get only shorten its walk.
      if (CellsBeforeIndex(part) > WalkedCellLimit) BuildIndex(part);
      else part->visits = -1;
    }
    if (part->index != nullptr) break;
    if (part->visits >= 0) part->visits += 1;
    ConsList cell = part->definitions;
    for (int32_t i = 0; cell != nullptr && (part->shared == nullptr || i < part->ownCount); ++i, cell = cell->tail) {
      ConfigDefinition* definition = ConsHead<ConfigDefinition>(cell);
      if (definition->name == name) matches.Append(NewMatchCell(definition));
    }
    part = part->shared;
  }
  // Indexed sets from here on (an index ends at an indexed set or at the
  // list's end): up to the first whose list of the name is made, each that
  // has the name adds its definitions and gets the list from them on.
  uint32_t base = PendingResults.count;
  ConsList rest = nullptr;
  for (; part != nullptr; part = part->indexEnd) {
    IndexEntry* entry = FindEntry(part->index, name);
    if (entry->name == nullptr) continue;
    if (entry->last == nullptr) {
      rest = entry->result;
      break;
    }
    ConsList* start = matches.end;
    for (ConsList record = entry->records; record != nullptr; record = record->tail) {
      matches.Append(NewMatchCell(ConsHead<ConfigDefinition>(record)));
    }
    PendingResults.Push(PendingResult{entry, *start});
  }
  *matches.end = rest;
  while (PendingResults.count > base) {
    PendingResult pending = PendingResults.Pop();
    pending.entry->result = pending.first;
    pending.entry->records = nullptr;
    pending.entry->last = nullptr;
  }
  return matches.head;
}

ConfigDefinitionSet* MemberScopeOf(ConsList matches) {
  // The cells whose scope is not made yet, front to back; then their
  // scopes, back to front, each in front of the scope after it. The matches
  // of a list are different definition entries, whose nested definitions
  // are records of their own, so the sets put together share no record.
  uint32_t base = MemberCells.count;
  ConfigDefinitionSet* scope = TheEmptySet;
  for (ConsList rest = matches; rest != nullptr; rest = rest->tail) {
    auto* cell = reinterpret_cast<MatchCell*>(rest);
    if (cell->members != nullptr) {
      scope = cell->members;
      break;
    }
    MemberCells.Push(cell);
  }
  while (MemberCells.count > base) {
    MatchCell* cell = MemberCells.Pop();
    scope = UniteDisjointConfigDefinitionSets(NestedDefinitionsOf(static_cast<AttributeDefinitionNode*>(cell->cell.head)),
                                              scope);
    cell->members = scope;
  }
  return scope;
}

ConfigDefinitionSet* NestedDefinitionsOf(AttributeDefinitionNode* node) {
  return node == nullptr ? TheEmptySet : node->nested;
}

ConfigRootNode* CheckDefinitions(ConfigRootNode* root) {
  // The builder's records hold the occurrences in the order of the walk:
  // forcing them in that order computes every match list as the walk
  // would, touching only the records. Only when a name has no match does
  // the walk run, for the positions of the nodes that hold such names; the
  // lists it meets are computed by then.
  bool allMatched = true;
  for (ConfigNameBlock* block = root->names; block != nullptr; block = block->next) {
    for (int32_t i = 0; i < block->count; ++i) {
      if (OccurrenceMatches(&block->records[i].occurrence) == nullptr) allMatched = false;
    }
  }
  if (!allMatched) CheckDefinitionList(root->value->definitions);
  return root;
}

void InitConfigResolve() {
  if (!EnterModuleInit(ConfigResolveInitFlag)) return;
  InitRuntimeBase();
  InitConfigTree();
  TheEmptySet = NewSet(nullptr, 0, nullptr);
}
