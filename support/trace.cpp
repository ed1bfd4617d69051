// The parse trace: token and reduction records, the parser registers, the
// unit's global attribute cells and the deferred-condition list.
#include "support/trace.h"

#include "support/heap.h"
#include "support/report.h"

ParseTrace Trace;

int32_t ReduceLhs;
int32_t ReduceProduction;
int32_t PopCount;
int32_t AcceptFlag;
ReductionRecord* SublistHead;
ReductionRecord* SublistLast;

LazyCell* UnitTreeCell;
LazyCell* UnitPassCell;

void ResetParseTrace() {
  PopCount = 0;
  Trace.TokenHead = nullptr;
  Trace.TokenTail = nullptr;
  SublistHead = nullptr;
  SublistLast = nullptr;
  AcceptFlag = 0;
}

void RecordToken() {
  if (RecoveryMode) return;
  auto* record = static_cast<TokenRecord*>(AllocateAligned(sizeof(TokenRecord)));
  record->next = nullptr;
  record->position = PositionCounter - TokenLength + 1;
  record->value = TokenAttribute;
  if (Trace.TokenHead == nullptr) Trace.TokenHead = record;
  else Trace.TokenTail->next = record;
  Trace.TokenTail = record;
}

void RecordReduction() {
  if (RecoveryMode) return;
  auto* record = static_cast<ReductionRecord*>(AllocateAligned(sizeof(ReductionRecord)));
  record->production = ReduceProduction;
  record->next = SublistHead;
  SublistHead = record;
  if (SublistLast == nullptr) SublistLast = record;
}

void RewindParseTrace() {
  Trace.TokenCursor = Trace.TokenHead;
  Trace.ReductionCursor = SublistHead;
}

ProductionNumber NextReduction() {
  ReductionRecord* record = Trace.ReductionCursor;
  Trace.ReductionCursor = record->next;
  return record->production;
}

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
