// KMPMatch: Knuth-Morris-Pratt search of a pattern in a text.
//
// caldrex finds the "." positions of dotted names and splits path lists at
// the path separator with it; the launcher splits its PATH value. The search
// reads each text byte once and reports every occurrence, overlapping ones
// included, as 0-based start positions in ascending order.
#pragma once

#include <cstdint>

#include "support/conslist.h"
#include "support/lazy.h"

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

// --- The same search over linked lists ------------------------------------
//
// Texts and patterns are ConsLists of elements of one type: characters and
// int32 values held in the cells' heads, or pairs of two words, each head
// pointing to a KMPWordPair. Elements are compared with a closure called
// with (pattern element, text element), non-zero when they match. A pattern
// is first copied into a linked pattern: cells {element, next cell, failure
// link}, where a cell's failure link is the cell that ends the longest
// proper border of the pattern up to it (null when there is none). A step
// gives the cell of the last matched element, or null; a complete match is
// the cell without a next cell, and the search goes on from its failure
// link. Positions are 0-based and ascending; an empty pattern matches
// nowhere.
//
// Two consistency checks end the program with an internal error: a step
// from a state cell that has no following pattern cell (line 156), and a
// copy of a non-empty pattern that comes out empty (line 169).

struct KMPWordPair {
  void* first;
  void* second;
};

struct KMPCharCell {
  char element;
  KMPCharCell* next;
  KMPCharCell* failure;
};

struct KMPIntCell {
  int32_t element;
  KMPIntCell* next;
  KMPIntCell* failure;
};

struct KMPPairCell {
  KMPWordPair element;
  KMPPairCell* next;
  KMPPairCell* failure;
};

using KMPCharMatch = Closure<int32_t, char, char>;
using KMPIntMatch = Closure<int32_t, int32_t, int32_t>;
using KMPPairMatch = Closure<int32_t, KMPWordPair, KMPWordPair>;

// The linked pattern of a pattern list (null for the empty pattern).
KMPCharCell* KMPLinkChars(ConsList pattern, KMPCharMatch match);
KMPIntCell* KMPLinkInts(ConsList pattern, KMPIntMatch match);
KMPPairCell* KMPLinkPairs(ConsList pattern, KMPPairMatch match);

// One step: the cell of the last matched element after reading `element`
// in state `state` (null: nothing matched yet), or null.
KMPCharCell* KMPStepChars(KMPCharCell* state, KMPCharCell* pattern, char element, KMPCharMatch match);
KMPIntCell* KMPStepInts(KMPIntCell* state, KMPIntCell* pattern, int32_t element, KMPIntMatch match);
KMPPairCell* KMPStepPairs(KMPPairCell* state, KMPPairCell* pattern, KMPWordPair element, KMPPairMatch match);

// Every start position of the pattern in the text, as a list of int32
// values (read with KMPPositionOf); the pattern given as a list, or linked.
ConsList KMPFindAllChars(ConsList text, ConsList pattern, KMPCharMatch match);
ConsList KMPFindAllInts(ConsList text, ConsList pattern, KMPIntMatch match);
ConsList KMPFindAllPairs(ConsList text, ConsList pattern, KMPPairMatch match);
ConsList KMPFindAllLinkedChars(ConsList text, KMPCharCell* pattern, KMPCharMatch match);
ConsList KMPFindAllLinkedInts(ConsList text, KMPIntCell* pattern, KMPIntMatch match);
ConsList KMPFindAllLinkedPairs(ConsList text, KMPPairCell* pattern, KMPPairMatch match);

// The first start position of the pattern in the text, or -1.
int32_t KMPFindFirstChars(ConsList text, ConsList pattern, KMPCharMatch match);
int32_t KMPFindFirstInts(ConsList text, ConsList pattern, KMPIntMatch match);
int32_t KMPFindFirstPairs(ConsList text, ConsList pattern, KMPPairMatch match);
int32_t KMPFindFirstLinkedChars(ConsList text, KMPCharCell* pattern, KMPCharMatch match);
int32_t KMPFindFirstLinkedInts(ConsList text, KMPIntCell* pattern, KMPIntMatch match);
int32_t KMPFindFirstLinkedPairs(ConsList text, KMPPairCell* pattern, KMPPairMatch match);

// The number of cells of a linked pattern.
int32_t KMPLengthChars(const KMPCharCell* pattern);
int32_t KMPLengthInts(const KMPIntCell* pattern);
int32_t KMPLengthPairs(const KMPPairCell* pattern);
