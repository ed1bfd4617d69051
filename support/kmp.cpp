// KMPMatch: the failure table, one matching step, and the searches built on
// them. A step never backs up in the text; after a complete match the search
// goes on from the pattern's longest border, so overlapping occurrences are
// all found.
#include "support/kmp.h"

#include <cstring>

#include "support/heap.h"
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
