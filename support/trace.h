// The parse trace: what a parser records instead of a syntax tree, and the
// registers through which its state routines hand reductions to each other.
//
// A parse appends one TokenRecord per shifted token (input order) and pushes
// each recorded production in front of the current reduction sublist; the
// state routines splice the sublists so that, when the start state accepts,
// the sublist is the whole reduction list in leftmost-derivation order (a
// production before the productions of its children). A ReductionRecord holds
// up to ReductionSlots productions: the productions that one state routine
// records one after the other, with nothing recorded in between (a chain of
// pass-through reductions, one expression level handing its operand to the
// next), share records instead of taking one each. After the parse the
// tree builder replays both lists through the cursors (see replay.h). Nothing
// is recorded while RecoveryMode is set.
//
// The records live in a store of their own, not on the heap: ResetParseTrace
// rewinds it, so each parse reuses the memory of the one before and a run's
// trace memory is that of its largest unit, not the sum of all. This is sound
// because every tree builder replays the whole trace, and copies out what its
// cells keep (token values, positions), before the next parse starts; a trace
// that is not replayed (after a syntax error) is simply overwritten. The
// store's blocks are taken once and kept until ReleaseParseTrace.
//
// The same module holds the two global attribute cells of a compilation unit and
// the deferred-condition list, which nothing in the system fills.
#pragma once

#include <cstddef>
#include <cstdint>

#include "support/input.h"
#include "support/lazy.h"
#include "support/report.h"
#include "support/scanbuf.h"

// The number of a production of a grammar; -1 marks a reduction that
// leaves no record.
using ProductionNumber = int32_t;

struct TokenRecord {
  TokenRecord* next;        // the following record; null for the last once the trace is rewound
  SourcePosition position;  // position of the token's first character
  TokenValue value;         // copy of TokenAttribute when the token was recorded
};

inline constexpr int32_t ReductionSlots = 3;

// The productions of a record in list order, from its first filled slot to
// production[ReductionSlots - 1]; `stop` (-1) ends the record for the
// reader. A link (the head of a sublist, a record's next) points at the
// first filled slot of its record, so that the reader steps from slot to
// slot and never reads the free slots before it. A record is made with
// its last slot filled and takes further productions in front only while it
// is the first record of its sublist and nothing has been recorded since (the
// goto loop of one state routine: see RecordChainStep); a link to it is made
// only once it is complete.
struct ReductionRecord {
  int16_t production[ReductionSlots];  // productions applied, from the first filled slot on
  int16_t stop;                        // -1
  const int16_t* next;                 // the first slot of the following record, or null
};

struct ParseTrace {
  TokenRecord* TokenHead;
  TokenRecord* TokenTail;
  TokenRecord* TokenCursor;         // replay position in the token list
  const int16_t* ReductionCursor;  // replay position in the reduction list: a slot, null at the end
};

extern ParseTrace Trace;

// The parser registers: the pending reduction that a returning state routine
// hands to its callers (see support/automaton.h for the protocol).
extern int32_t ReduceLhs;         // nonterminal of the pending reduction
extern int32_t ReduceProduction;  // its production, -1 when it leaves no record
extern int32_t PopCount;          // routines that must still return before the goto
extern int32_t AcceptFlag;        // 1 once the start state has accepted
extern int16_t* SublistHead;  // the current reduction sublist: its first slot, or null
extern ReductionRecord* SublistLast;  // its last record

// Starts a parse: PopCount, AcceptFlag, the token list and the sublist are
// emptied and the trace store is rewound, so the records of the previous parse
// are given up; the cursors are left alone.
void ResetParseTrace();

// Gives the trace store's blocks back to the C library and empties the
// trace, for a program that has replayed its only parse and goes on with
// the tree alone; a later parse takes new blocks.
void ReleaseParseTrace();

// Gives back, during the replay of a program's only parse, the store's
// blocks that lie wholly before the block holding `record`, a token record
// that the replay has stepped past. Every record of those blocks has been
// replayed: a token record comes before `record` in input order, and a
// reduction record's first production was read when the replay reached that
// production's first token (for an empty production, the token after it),
// which is no later than the first token recorded after the record was made,
// and so no later than `record`; the productions pushed into the record later
// stand before it in the list and were read before it.
void ReleaseTraceBefore(const TokenRecord* record);

// Bytes the trace store holds in its blocks: the most that one parse used so
// far, rounded up to whole blocks, less the blocks given back.
size_t TraceStoreBytes();

// The trace store's fill pointer and the end of the current block's records;
// records are taken by moving the pointer, and TakeTraceRecordSlow moves on
// to the store's next block when this one is full.
extern unsigned char* TraceFreeByte;
extern unsigned char* TraceFreeEnd;
void* TakeTraceRecordSlow(size_t size);

// A record of size bytes (a multiple of 8) from the trace store. The test
// compares addresses as numbers, which holds before the first block too
// (both null).
inline void* TakeTraceRecord(size_t size) {
  unsigned char* record = TraceFreeByte;
  if (reinterpret_cast<uintptr_t>(record) + size > reinterpret_cast<uintptr_t>(TraceFreeEnd)) {
    return TakeTraceRecordSlow(size);
  }
  TraceFreeByte = record + size;
  return record;
}

// Appends a record of the current token (position PositionCounter -
// TokenLength + 1, value TokenAttribute). Nothing while RecoveryMode is set.
// The last record's next is set (null) when the trace is rewound.
// Inline, as RecordChainStep: the parser calls both for every token and
// production.
inline void RecordToken() {
  if (RecoveryMode) return;
  auto* record = static_cast<TokenRecord*>(TakeTraceRecord(sizeof(TokenRecord)));
  record->position = PositionCounter - TokenLength + 1;
  record->value = TokenAttribute;
  if (Trace.TokenHead == nullptr) Trace.TokenHead = record;
  else Trace.TokenTail->next = record;
  Trace.TokenTail = record;
}

// A new record of the production, in its last slot, in front of the
// current sublist.
inline void PushReductionRecord(ProductionNumber production) {
  auto* record = static_cast<ReductionRecord*>(TakeTraceRecord(sizeof(ReductionRecord)));
  constexpr int32_t last = ReductionSlots - 1;
  record->production[last] = static_cast<int16_t>(production);
  record->stop = -1;
  record->next = SublistHead;
  SublistHead = &record->production[last];
  if (SublistLast == nullptr) SublistLast = record;
}

// The next production of a chain that a state routine records with nothing
// recorded in between: into the free slot in front of the sublist's first
// slot when the record that the chain pushed last has one, else into a new
// record. `slots` counts the free slots of the chain's record (0 before the
// chain has one); it is updated. A chain with free slots began outside
// RecoveryMode, and nothing between its steps can set it.
inline void RecordChainStep(ProductionNumber production, int32_t& slots) {
  if (slots > 0) {
    --slots;
    *--SublistHead = static_cast<int16_t>(production);
    return;
  }
  if (RecoveryMode) return;
  PushReductionRecord(production);
  slots = ReductionSlots - 1;
}

// Pushes a record of ReduceProduction in front of the current sublist, a
// record of its own. Nothing while RecoveryMode is set.
inline void RecordReduction() {
  if (!RecoveryMode) PushReductionRecord(ReduceProduction);
}

// Rewinds the cursors at the end of a parse: TokenCursor := TokenHead,
// ReductionCursor := SublistHead.
void RewindParseTrace();

// The slot after `slot` in list order: the next one of its record, else
// (past the last, at `stop`) the first of the next record, or null.
inline const int16_t* NextProductionSlot(const int16_t* slot) {
  ++slot;
  if (*slot < 0) slot = reinterpret_cast<const ReductionRecord*>(slot - ReductionSlots)->next;
  return slot;
}

// The production under the reduction cursor; moves the cursor on. No end
// test: the replay reads exactly as many productions as were recorded.
// Inline for the builders that read the trace directly; NextReduction is the
// same as a function, for those that take it by address.
inline ProductionNumber ReadReduction() {
  const int16_t* slot = Trace.ReductionCursor;
  ProductionNumber production = *slot;
  Trace.ReductionCursor = NextProductionSlot(slot);
  return production;
}
ProductionNumber NextReduction();

// Calls visit(production) for each production of the reduction list from
// `slot` on, in list order (for tools and tests that print or check a whole
// trace).
template <typename Visit>
void ForEachRecordedProduction(const int16_t* slot, Visit visit) {
  for (; slot != nullptr; slot = NextProductionSlot(slot)) visit(ProductionNumber{*slot});
}

// The compilation unit's two global attribute cells, taken afresh before each
// parse (InitGlobalCells) and set by the driver's root builder.
extern LazyCell* UnitTreeCell;
extern LazyCell* UnitPassCell;
void InitGlobalCells();

// Deferred conditions: checks {function, argument} run after the tree is built,
// each with the source position at which it was added. The run fails when one
// returns 0. No part of the system adds one, so EvaluateConditions yields 1.
using ConditionFunction = int32_t (*)(void* argument, SourcePosition position);
void InitConditionList();
void AddCondition(ConditionFunction function, void* argument);
int32_t EvaluateConditions();
