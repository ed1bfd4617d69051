// The parse trace: what a parser records instead of a syntax tree, and the
// registers through which its state routines hand reductions to each other.
//
// A parse appends one TokenRecord per shifted token (input order) and pushes
// one ReductionRecord per recorded production into the current reduction
// sublist; the state routines splice the sublists so that, when the start state
// accepts, the sublist is the whole reduction list in leftmost-derivation order
// (a production before the productions of its children). After the parse the
// tree builder replays both lists through the cursors (see replay.h). Nothing
// is recorded while RecoveryMode is set.
//
// The same module holds the two global attribute cells of a compilation unit and
// the deferred-condition list, which nothing in the system fills.
#pragma once

#include <cstdint>

#include "support/input.h"
#include "support/lazy.h"
#include "support/scanbuf.h"

// The number of a production of a grammar; -1 marks a reduction that
// leaves no record.
using ProductionNumber = int32_t;

struct TokenRecord {
  TokenRecord* next;        // the following record; null for the last
  SourcePosition position;  // position of the token's first character
  TokenValue value;         // copy of TokenAttribute when the token was recorded
};

struct ReductionRecord {
  ProductionNumber production;  // the production applied, never -1
  ReductionRecord* next;
};

struct ParseTrace {
  TokenRecord* TokenHead;
  TokenRecord* TokenTail;
  TokenRecord* TokenCursor;          // replay position in the token list
  ReductionRecord* ReductionCursor;  // replay position in the reduction list
};

extern ParseTrace Trace;

// The parser registers: the pending reduction that a returning state routine
// hands to its callers (see support/automaton.h for the protocol).
extern int32_t ReduceLhs;         // nonterminal of the pending reduction
extern int32_t ReduceProduction;  // its production, -1 when it leaves no record
extern int32_t PopCount;          // routines that must still return before the goto
extern int32_t AcceptFlag;        // 1 once the start state has accepted
extern ReductionRecord* SublistHead;  // the current reduction sublist
extern ReductionRecord* SublistLast;

// Starts a parse: PopCount, AcceptFlag, the token list and the sublist are
// emptied; the cursors are left alone.
void ResetParseTrace();

// Appends a record of the current token (position PositionCounter -
// TokenLength + 1, value TokenAttribute). Nothing while RecoveryMode is set.
void RecordToken();

// Pushes a record of ReduceProduction in front of the current sublist.
// Nothing while RecoveryMode is set.
void RecordReduction();

// Rewinds the cursors at the end of a parse: TokenCursor := TokenHead,
// ReductionCursor := SublistHead.
void RewindParseTrace();

// The production under ReductionCursor; moves the cursor on. No end test: the
// replay reads exactly as many productions as were recorded.
ProductionNumber NextReduction();

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
