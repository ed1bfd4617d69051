// ConsList: singly linked lists of two-word cells {head, tail} from the heap;
// the empty list is null.
//
// Lists are built with Cons, in front. Result lists and definition lists keep
// insertion order: ConsAppendIfAbsent adds an entry at the end only when it
// is not there yet (compared by identity), and ConsUnion keeps the first
// list's order and appends the second list's new entries.
#pragma once

#include "support/heap.h"

struct ConsCell {
  void* head;
  ConsCell* tail;
};
using ConsList = ConsCell*;

// A new cell {head, tail}.
inline ConsList Cons(const void* head, ConsList tail) {
  auto* cell = static_cast<ConsCell*>(AllocateAligned(sizeof(ConsCell)));
  cell->head = const_cast<void*>(head);
  cell->tail = tail;
  return cell;
}

// A list built in order: Add puts an element at the end in constant time;
// `end` is the link that the next element goes into, where a caller may also
// hang a shared rest. It points into the builder itself, so a builder is
// never copied.
struct ConsListBuilder {
  ConsList head = nullptr;
  ConsList* end = &head;

  ConsListBuilder() = default;
  ConsListBuilder(const ConsListBuilder&) = delete;
  ConsListBuilder& operator=(const ConsListBuilder&) = delete;

  void Add(const void* element) { Append(Cons(element, nullptr)); }

  // Links a cell made by the caller (a larger record that begins with one)
  // at the end; its tail becomes null.
  void Append(ConsCell* cell) {
    cell->tail = nullptr;
    *end = cell;
    end = &cell->tail;
  }
};

// The head of a non-empty list as a T.
template <typename T>
T* ConsHead(ConsList list) {
  return static_cast<T*>(list->head);
}

// Whether head is an element of list (identity).
inline bool ConsContains(ConsList list, const void* head) {
  for (; list != nullptr; list = list->tail) {
    if (list->head == head) return true;
  }
  return false;
}

// Appends head at the end of list unless it is already there. The list's
// last cell is changed in place, so the list must be the caller's own.
inline void ConsAppendIfAbsent(ConsList& list, const void* head) {
  ConsList* link = &list;
  for (; *link != nullptr; link = &(*link)->tail) {
    if ((*link)->head == head) return;
  }
  *link = Cons(head, nullptr);
}

// The elements of a in order, then those of b that are not in a, in b's
// order. Neither list is changed; a is returned itself when b adds nothing.
inline ConsList ConsUnion(ConsList a, ConsList b) {
  ConsListBuilder added;
  for (ConsList rest = b; rest != nullptr; rest = rest->tail) {
    if (!ConsContains(a, rest->head) && !ConsContains(added.head, rest->head)) added.Add(rest->head);
  }
  if (added.head == nullptr) return a;
  ConsListBuilder result;
  for (ConsList rest = a; rest != nullptr; rest = rest->tail) result.Add(rest->head);
  *result.end = added.head;
  return result.head;
}
