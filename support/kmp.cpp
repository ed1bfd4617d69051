// KMPMatch: the failure table, one matching step, and the searches built on
// them. A step never backs up in the text; after a complete match the search
// goes on from the pattern's longest border, so overlapping occurrences are
// all found.
#include "support/kmp.h"

#include <cstring>

#include "support/heap.h"
#include "support/report.h"
#include "support/startup.h"

namespace {

int32_t KMPModuleFlag = 0;

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameByte(char a, char b, int32_t exact) {
  return exact != 0 ? a == b : UpperAscii(a) == UpperAscii(b);
}

// One step of the automaton: k is the index of the last matched pattern
// byte, or -1; the result is the same after reading c.
int32_t KMPStep(int32_t k, const char* pattern, char c, const KMPTable* table, int32_t exact) {
  for (;;) {
    if (SameByte(pattern[k + 1], c, exact)) return k + 1;
    if (k == -1) return -1;
    k = table->entries[k];
  }
}

}  // namespace

void InitKMPMatch() {
  if (!EnterModuleInit(KMPModuleFlag)) return;
  InitHeap();
}

KMPTable* KMPFailureTable(int32_t length, const char* pattern, int32_t exact) {
  auto* table = static_cast<KMPTable*>(Allocate(sizeof(KMPTable)));
  table->length = length;
  table->entries = static_cast<int32_t*>(Allocate(sizeof(int32_t) * (length > 0 ? length : 0)));
  for (int32_t i = 0; i < length; ++i) table->entries[i] = -1;
  int32_t k = -1;
  for (int32_t i = 1; i < length; ++i) {
    k = KMPStep(k, pattern, pattern[i], table, exact);
    table->entries[i] = k;
  }
  return table;
}

ConsList KMPFindAll(const char* text, const char* pattern, int32_t exact) {
  if (text == nullptr || pattern == nullptr || pattern[0] == '\0') return nullptr;
  auto m = static_cast<int32_t>(std::strlen(pattern));
  KMPTable* table = KMPFailureTable(m, pattern, exact);
  // Positions only grow, so appending at a kept tail gives the list in
  // ascending order without walking it.
  ConsList head = nullptr;
  ConsList tail = nullptr;
  int32_t k = -1;
  for (int32_t i = 0; text[i] != '\0'; ++i) {
    k = KMPStep(k, pattern, text[i], table, exact);
    if (k + 1 == m) {
      ConsList cell = Cons(reinterpret_cast<void*>(static_cast<intptr_t>(i - k)), nullptr);
      if (tail == nullptr) head = cell; else tail->tail = cell;
      tail = cell;
      k = table->entries[k];
    }
  }
  return head;
}

int32_t KMPPositionOf(ConsList cell) { return static_cast<int32_t>(reinterpret_cast<intptr_t>(cell->head)); }

int32_t KMPFindFirst(const char* text, const char* pattern, int32_t exact) {
  if (text == nullptr || pattern == nullptr || pattern[0] == '\0') return -1;
  auto m = static_cast<int32_t>(std::strlen(pattern));
  KMPTable* table = KMPFailureTable(m, pattern, exact);
  int32_t k = -1;
  for (int32_t i = 0; text[i] != '\0'; ++i) {
    k = KMPStep(k, pattern, text[i], table, exact);
    if (k + 1 == m) return i - k;
  }
  return -1;
}

// --- The list family --------------------------------------------------------

namespace {

// The module's name and the lines of its consistency checks in
// internal-error reports.
constexpr const char* KMPModuleName = "KMPMatch";
constexpr int32_t StepWithoutNextLine = 156;
constexpr int32_t EmptyCopyLine = 169;

// Elements as the lists hold them.
char ElementOf(ConsList cell, char*) { return static_cast<char>(reinterpret_cast<intptr_t>(cell->head)); }
int32_t ElementOf(ConsList cell, int32_t*) { return static_cast<int32_t>(reinterpret_cast<intptr_t>(cell->head)); }
KMPWordPair ElementOf(ConsList cell, KMPWordPair*) { return *static_cast<KMPWordPair*>(cell->head); }

template <typename Cell, typename Element, typename Match>
Cell* StepCells(Cell* state, Cell* pattern, Element element, const Match& match) {
  for (;;) {
    Cell* candidate = state == nullptr ? pattern : state->next;
    if (candidate == nullptr) InternalError(KMPModuleName, StepWithoutNextLine);
    if (CallClosure(match, candidate->element, element) != 0) return candidate;
    if (state == nullptr) return nullptr;
    state = state->failure;
  }
}

// Copies the pattern into cells, then links each cell after the first by a
// step from the previous cell's link.
template <typename Cell, typename Element, typename Match>
Cell* LinkCells(ConsList pattern, const Match& match) {
  Cell* first = nullptr;
  Cell** end = &first;
  for (ConsList p = pattern; p != nullptr; p = p->tail) {
    auto* cell = static_cast<Cell*>(Allocate(sizeof(Cell)));
    cell->element = ElementOf(p, static_cast<Element*>(nullptr));
    cell->next = nullptr;
    cell->failure = nullptr;
    *end = cell;
    end = &cell->next;
  }
  if (pattern != nullptr && first == nullptr) InternalError(KMPModuleName, EmptyCopyLine);
  Cell* link = nullptr;
  for (Cell* cell = first == nullptr ? nullptr : first->next; cell != nullptr; cell = cell->next) {
    link = StepCells(link, first, cell->element, match);
    cell->failure = link;
  }
  return first;
}

template <typename Cell>
int32_t LengthOfCells(const Cell* pattern) {
  int32_t length = 0;
  for (; pattern != nullptr; pattern = pattern->next) ++length;
  return length;
}

// The search; with `firstOnly` it stops at the first match. The positions
// go to `found` (when not null); the result is the first position, or -1.
template <typename Cell, typename Element, typename Match>
int32_t SearchCells(ConsList text, Cell* pattern, const Match& match, bool firstOnly, ConsList* found) {
  if (pattern == nullptr) return -1;
  int32_t length = LengthOfCells(pattern);
  ConsListBuilder positions;
  int32_t first = -1;
  Cell* state = nullptr;
  int32_t i = 0;
  for (ConsList t = text; t != nullptr; t = t->tail, ++i) {
    state = StepCells(state, pattern, ElementOf(t, static_cast<Element*>(nullptr)), match);
    if (state != nullptr && state->next == nullptr) {
      int32_t position = i - length + 1;
      if (first < 0) first = position;
      if (firstOnly) break;
      positions.Add(reinterpret_cast<void*>(static_cast<intptr_t>(position)));
      state = state->failure;
    }
  }
  if (found != nullptr) *found = positions.head;
  return first;
}


template <typename Cell, typename Element, typename Match>
ConsList FindAllLinked(ConsList text, Cell* pattern, const Match& match) {
  ConsList found = nullptr;
  SearchCells<Cell, Element>(text, pattern, match, false, &found);
  return found;
}

template <typename Cell, typename Element, typename Match>
int32_t FindFirstLinked(ConsList text, Cell* pattern, const Match& match) {
  return SearchCells<Cell, Element>(text, pattern, match, true, nullptr);
}

}  // namespace

KMPCharCell* KMPLinkChars(ConsList pattern, KMPCharMatch match) {
  return LinkCells<KMPCharCell, char>(pattern, match);
}
KMPIntCell* KMPLinkInts(ConsList pattern, KMPIntMatch match) {
  return LinkCells<KMPIntCell, int32_t>(pattern, match);
}
KMPPairCell* KMPLinkPairs(ConsList pattern, KMPPairMatch match) {
  return LinkCells<KMPPairCell, KMPWordPair>(pattern, match);
}

KMPCharCell* KMPStepChars(KMPCharCell* state, KMPCharCell* pattern, char element, KMPCharMatch match) {
  return StepCells(state, pattern, element, match);
}
KMPIntCell* KMPStepInts(KMPIntCell* state, KMPIntCell* pattern, int32_t element, KMPIntMatch match) {
  return StepCells(state, pattern, element, match);
}
KMPPairCell* KMPStepPairs(KMPPairCell* state, KMPPairCell* pattern, KMPWordPair element, KMPPairMatch match) {
  return StepCells(state, pattern, element, match);
}

ConsList KMPFindAllLinkedChars(ConsList text, KMPCharCell* pattern, KMPCharMatch match) {
  return FindAllLinked<KMPCharCell, char>(text, pattern, match);
}
ConsList KMPFindAllLinkedInts(ConsList text, KMPIntCell* pattern, KMPIntMatch match) {
  return FindAllLinked<KMPIntCell, int32_t>(text, pattern, match);
}
ConsList KMPFindAllLinkedPairs(ConsList text, KMPPairCell* pattern, KMPPairMatch match) {
  return FindAllLinked<KMPPairCell, KMPWordPair>(text, pattern, match);
}

ConsList KMPFindAllChars(ConsList text, ConsList pattern, KMPCharMatch match) {
  return KMPFindAllLinkedChars(text, KMPLinkChars(pattern, match), match);
}
ConsList KMPFindAllInts(ConsList text, ConsList pattern, KMPIntMatch match) {
  return KMPFindAllLinkedInts(text, KMPLinkInts(pattern, match), match);
}
ConsList KMPFindAllPairs(ConsList text, ConsList pattern, KMPPairMatch match) {
  return KMPFindAllLinkedPairs(text, KMPLinkPairs(pattern, match), match);
}

int32_t KMPFindFirstLinkedChars(ConsList text, KMPCharCell* pattern, KMPCharMatch match) {
  return FindFirstLinked<KMPCharCell, char>(text, pattern, match);
}
int32_t KMPFindFirstLinkedInts(ConsList text, KMPIntCell* pattern, KMPIntMatch match) {
  return FindFirstLinked<KMPIntCell, int32_t>(text, pattern, match);
}
int32_t KMPFindFirstLinkedPairs(ConsList text, KMPPairCell* pattern, KMPPairMatch match) {
  return FindFirstLinked<KMPPairCell, KMPWordPair>(text, pattern, match);
}

int32_t KMPFindFirstChars(ConsList text, ConsList pattern, KMPCharMatch match) {
  return KMPFindFirstLinkedChars(text, KMPLinkChars(pattern, match), match);
}
int32_t KMPFindFirstInts(ConsList text, ConsList pattern, KMPIntMatch match) {
  return KMPFindFirstLinkedInts(text, KMPLinkInts(pattern, match), match);
}
int32_t KMPFindFirstPairs(ConsList text, ConsList pattern, KMPPairMatch match) {
  return KMPFindFirstLinkedPairs(text, KMPLinkPairs(pattern, match), match);
}

int32_t KMPLengthChars(const KMPCharCell* pattern) { return LengthOfCells(pattern); }
int32_t KMPLengthInts(const KMPIntCell* pattern) { return LengthOfCells(pattern); }
int32_t KMPLengthPairs(const KMPPairCell* pattern) { return LengthOfCells(pattern); }
