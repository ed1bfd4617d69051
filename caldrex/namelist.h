// NameList: the name lists of caldrex (work list, result lists, per-unit
// lists): a ConsList that grows only by appending an entry not yet present
// (identity), so it keeps the order of first occurrence and holds no
// duplicates.
//
// The lists of a large run are appended to very often with entries they
// already hold (every unit that uses a class finds its file again), so each
// list keeps a hash set of its entries beside the cells; an append costs the
// same however long the list is.
#pragma once

#include <cstdint>
#include <unordered_set>

#include "support/conslist.h"

struct NameList {
  ConsList head = nullptr;   // the entries in order
  ConsList last = nullptr;   // the last cell, or null when empty
  int32_t count = 0;
  // The list lives for the whole run: its cells come from the permanent heap
  // even while a unit's region is the arena.
  bool runWide = false;
  std::unordered_set<const void*> members;

  NameList() = default;
  NameList(const NameList&) = delete;
  NameList& operator=(const NameList&) = delete;
};

// Empties the list.
void ClearNameList(NameList& list);

// Appends entry unless the list holds it; true when it was appended.
bool AppendName(NameList& list, const void* entry);

// Puts entry in front unless the list holds it.
void PrependName(NameList& list, const void* entry);

bool NameListHas(const NameList& list, const void* entry);

// Appends, in order, the entries of source that list does not hold yet.
void UnionNames(NameList& list, ConsList source);
