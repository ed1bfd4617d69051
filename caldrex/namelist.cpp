// Name lists that append only absent entries, with a member set per list.
#include "caldrex/namelist.h"

#include "support/heap.h"

namespace {

// A cell of the list: permanent for a run-wide list, else in the current arena.
ConsList ListCell(const NameList& list, const void* entry, ConsList tail) {
  if (!list.runWide) return Cons(entry, tail);
  PermanentHeapScope permanent;
  return Cons(entry, tail);
}

}  // namespace

void ClearNameList(NameList& list) {
  list.head = nullptr;
  list.last = nullptr;
  list.count = 0;
  // A fresh set rather than clear(): clear() wipes every bucket, and the
  // per-unit lists are emptied once per file, so one large unit would make
  // every later file pay for its bucket array.
  std::unordered_set<const void*>().swap(list.members);
}

bool AppendName(NameList& list, const void* entry) {
  if (!list.members.insert(entry).second) return false;
  ConsList cell = ListCell(list, entry, nullptr);
  if (list.last == nullptr) {
    list.head = cell;
  } else {
    list.last->tail = cell;
  }
  list.last = cell;
  ++list.count;
  return true;
}

void PrependName(NameList& list, const void* entry) {
  if (!list.members.insert(entry).second) return;
  list.head = ListCell(list, entry, list.head);
  if (list.last == nullptr) list.last = list.head;
  ++list.count;
}

bool NameListHas(const NameList& list, const void* entry) { return list.members.count(entry) != 0; }

void UnionNames(NameList& list, ConsList source) {
  for (; source != nullptr; source = source->tail) AppendName(list, source->head);
}
