// KMPMatch: Knuth-Morris-Pratt search of a pattern in a text.
//
// caldrex finds the "." positions of dotted names and splits path lists at
// the path separator with it; the launcher splits its PATH value. The search
// reads each text byte once and reports every occurrence, overlapping ones
// included, as 0-based start positions in ascending order.
#pragma once

#include <cstdint>

#include "support/conslist.h"

// The failure table of a pattern of `length` bytes: entry i is the index of
// the last byte of the longest proper border of the first i + 1 bytes, or -1
// when there is none.
struct KMPTable {
  int32_t length;
  int32_t* entries;
};

// Once-only initialisation; the module has no state of its own.
void InitKMPMatch();

// The failure table of the first `length` bytes of `pattern`. A non-zero
// `exact` compares bytes as they are; 0 compares them after upper-casing
// ASCII a to z.
KMPTable* KMPFailureTable(int32_t length, const char* pattern, int32_t exact);

// Every start position of `pattern` in `text`, ascending, as a list of int32
// values. An empty (or null) pattern or text gives the empty list.
ConsList KMPFindAll(const char* text, const char* pattern, int32_t exact);

// The position held by a cell of a KMPFindAll list.
int32_t KMPPositionOf(ConsList cell);

// The first start position of `pattern` in `text`, or -1.
int32_t KMPFindFirst(const char* text, const char* pattern, int32_t exact);
