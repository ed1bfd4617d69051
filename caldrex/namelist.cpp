// Name lists that append only absent entries, with a member set per list.
#include "caldrex/namelist.h"

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
  ConsList cell = Cons(entry, nullptr);
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
  list.head = Cons(entry, list.head);
  if (list.last == nullptr) list.last = list.head;
  ++list.count;
}

bool NameListHas(const NameList& list, const void* entry) { return list.members.count(entry) != 0; }

void UnionNames(NameList& list, ConsList source) {
  for (; source != nullptr; source = source->tail) AppendName(list, source->head);
}
