// The parse trace: token and reduction records, the parser registers, the
// unit's global attribute cells and the deferred-condition list.
#include "support/trace.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/heap.h"
#include "support/limits.h"
#include "support/report.h"
#include "support/storeblock.h"

ParseTrace Trace;

int32_t ReduceLhs;
int32_t ReduceProduction;
int32_t PopCount;
int32_t AcceptFlag;
int16_t* SublistHead;
ReductionRecord* SublistLast;

LazyCell* UnitTreeCell;
LazyCell* UnitPassCell;

// The trace store: a chain of blocks, each filled by moving a pointer. A
// rewind goes back to the first block; the blocks are kept, so after the
// first units a parse writes to memory that is already mapped. They come
// from the C library rather than the heap, so that a program that parses
// once can give them back (ReleaseParseTrace).
namespace {

// The records area of a block: TraceBlockSize counts the header too.
constexpr size_t TraceRecordsBytes = TraceBlockSize - StoreBlockHeader;

StoreBlock* FirstTraceBlock = nullptr;
StoreBlock* CurrentTraceBlock = nullptr;
size_t TraceBlockBytes = 0;

StoreBlock* NewTraceBlock(size_t size) {
  TraceBlockBytes += size;
  return NewStoreBlock(size);
}

void EnterTraceBlock(StoreBlock* block) {
  CurrentTraceBlock = block;
  TraceFreeByte = StoreBlockBytes(block);
  TraceFreeEnd = TraceFreeByte + block->size;
}

void RewindTraceStore() {
  if (FirstTraceBlock != nullptr) EnterTraceBlock(FirstTraceBlock);
}

static_assert(offsetof(ReductionRecord, stop) == ReductionSlots * sizeof(int16_t) &&
                  offsetof(ReductionRecord, next) == (ReductionSlots + 1) * sizeof(int16_t),
              "the reader finds a record's stop after its last slot and its next after its stop");
static_assert(sizeof(TokenRecord) % 8 == 0 && sizeof(ReductionRecord) % 8 == 0,
              "trace records keep the store 8-byte aligned");

}  // namespace

unsigned char* TraceFreeByte = nullptr;
unsigned char* TraceFreeEnd = nullptr;

// The current block is full (or there is none yet): the next block of the
// chain, made when the store has not reached this far before.
void* TakeTraceRecordSlow(size_t size) {
  if (CurrentTraceBlock == nullptr) {
    FirstTraceBlock = NewTraceBlock(TraceRecordsBytes);
    EnterTraceBlock(FirstTraceBlock);
  } else {
    if (CurrentTraceBlock->next == nullptr) CurrentTraceBlock->next = NewTraceBlock(TraceRecordsBytes);
    EnterTraceBlock(CurrentTraceBlock->next);
  }
  return TakeTraceRecord(size);
}

size_t TraceStoreBytes() { return TraceBlockBytes; }

void ResetParseTrace() {
  RewindTraceStore();
  PopCount = 0;
  Trace.TokenHead = nullptr;
  Trace.TokenTail = nullptr;
  SublistHead = nullptr;
  SublistLast = nullptr;
  AcceptFlag = 0;
}

void ReleaseParseTrace() {
  FreeStoreBlocks(FirstTraceBlock);
  FirstTraceBlock = nullptr;
  CurrentTraceBlock = nullptr;
  TraceBlockBytes = 0;
  TraceFreeByte = nullptr;
  TraceFreeEnd = nullptr;
  Trace = ParseTrace{};
  SublistHead = nullptr;
  SublistLast = nullptr;
}

void ReleaseTraceBefore(const TokenRecord* record) {
  auto address = reinterpret_cast<uintptr_t>(record);
  while (FirstTraceBlock != nullptr && FirstTraceBlock != CurrentTraceBlock) {
    auto start = reinterpret_cast<uintptr_t>(StoreBlockBytes(FirstTraceBlock));
    if (address >= start && address - start < FirstTraceBlock->size) return;
    StoreBlock* next = FirstTraceBlock->next;
    TraceBlockBytes -= FirstTraceBlock->size;
    std::free(FirstTraceBlock);
    FirstTraceBlock = next;
  }
}

void RewindParseTrace() {
  if (Trace.TokenTail != nullptr) Trace.TokenTail->next = nullptr;
  Trace.TokenCursor = Trace.TokenHead;
  Trace.ReductionCursor = SublistHead;
}

ProductionNumber NextReduction() { return ReadReduction(); }

namespace {

Word NoValueYet(LazyCell* cell) { return cell->value; }

}  // namespace

void InitGlobalCells() {
  UnitTreeCell = NewLazyCell<Word>(nullptr, &NoValueYet);
  UnitPassCell = NewLazyCell<Word>(nullptr, &NoValueYet);
  RegisterRoot(&UnitTreeCell);
  RegisterRoot(&UnitPassCell);
}

// The condition list is a chain of heap entries in the order of adding.
namespace {

struct Condition {
  ConditionFunction function;
  void* argument;
  SourcePosition position;
  Condition* next;
};

Condition* FirstCondition;
Condition* LastCondition;

}  // namespace

void InitConditionList() {
  FirstCondition = nullptr;
  LastCondition = nullptr;
  RegisterRoot(&FirstCondition);
}

void AddCondition(ConditionFunction function, void* argument) {
  auto* entry = static_cast<Condition*>(AllocateAligned(sizeof(Condition)));
  entry->function = function;
  entry->argument = argument;
  entry->position = PositionCounter;
  entry->next = nullptr;
  if (FirstCondition == nullptr) FirstCondition = entry;
  else LastCondition->next = entry;
  LastCondition = entry;
}

int32_t EvaluateConditions() {
  int32_t result = 1;
  for (Condition* c = FirstCondition; c != nullptr; c = c->next)
    if (c->function(c->argument, c->position) == 0) result = 0;
  return result;
}
