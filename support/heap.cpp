// The heap: a bump pointer over 65536-byte chunks, large requests in blocks
// of their own, nothing freed; beside it the unit region, a bump pointer over
// a chain of reused blocks with a floor to rewind to.
//
// The common path of Allocate is one comparison, one addition and one
// subtraction, whichever arena is current: the arena not in use keeps its
// pointer and free count in a saved record, and switching swaps them. The
// rest of a chunk that is too small for a request is abandoned; it still
// counts as used in HeapBytesUsed.
#include "support/heap.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "support/limits.h"
#include "support/report.h"
#include "support/startup.h"
#include "support/storeblock.h"

#ifdef TOOLS_ADDRESS_SANITIZER
#include <sanitizer/asan_interface.h>
#endif

namespace {
// Before the first chunk, Allocate (0) still returns a valid address.
alignas(8) unsigned char NoChunkYet[8];
}  // namespace

unsigned char* NextFreeByte = NoChunkYet;
size_t ChunkFreeBytes = 0;
size_t ChunkCount = 0;
size_t LargeBlockBytes = 0;

namespace {

int32_t HeapInitFlag = 0;
HeapMallocFunction HeapMalloc = malloc;

// Every chunk and large block stays reachable from this list, so that leak
// checkers see the arena, which is never freed, as live memory.
struct HeapBlockNode {
  HeapBlockNode* next;
  void* block;
};
HeapBlockNode* HeapBlocks = nullptr;

void KeepBlock(void* block) {
  auto* node = static_cast<HeapBlockNode*>(malloc(sizeof(HeapBlockNode)));
  if (node == nullptr) HeapExceeded();
  node->next = HeapBlocks;
  node->block = block;
  HeapBlocks = node;
}

// Makes a fresh chunk current; the rest of the old one is abandoned.
void TakeNewChunk() {
  void* chunk = HeapMalloc(HeapChunkSize);
  if (chunk == nullptr) HeapExceeded();
  KeepBlock(chunk);
  NextFreeByte = static_cast<unsigned char*>(chunk);
  ChunkCount += 1;
  ChunkFreeBytes = HeapChunkSize;
}

}  // namespace

// ---- The unit region ----
//
// 1. The blocks form one chain, in the order they were first needed; the
//    region's end moves forward through it and a rewind puts it back at the
//    floor, so the chain is only ever as long as the largest unit needed.
// 2. A request that the rest of the current block cannot hold goes to the
//    next block of the chain when that one is large enough, else to a new
//    block inserted after the current one.
// 3. In a sanitizer build every block is poisoned when made and at every
//    rewind, and each piece is unpoisoned when handed out: the inline path
//    never serves the region there (its free count stays 0), so memory that
//    a unit gave back stays poisoned until it is handed out again.
namespace {

// The blocks are store blocks (support/storeblock.h), taken through the
// heap's own malloc function so that a failure test reaches them too.
using RegionBlock = StoreBlock;

unsigned char* AreaOf(RegionBlock* block) { return StoreBlockBytes(block); }

// The first block, the block of the region's end and that block's limit.
RegionBlock* FirstRegionBlock = nullptr;
RegionBlock* CurrentRegionBlock = nullptr;
unsigned char* RegionLimit = nullptr;
// Total size of the blocks' areas.
size_t RegionBlockTotal = 0;

// Set by KeepUnitRegion: the region is never rewound again.
bool RegionKeptForGood = false;

// Bytes handed out in the blocks before the current one (their abandoned
// rests included), for RegionBytesInUse.
uint64_t RegionBytesBefore = 0;

// The inline path's state of the arena that is not current.
bool RegionCurrent = false;
unsigned char* SavedNextFreeByte = NoChunkYet;
size_t SavedChunkFreeBytes = 0;

void SwapArenaState() {
  unsigned char* next = NextFreeByte;
  size_t free = ChunkFreeBytes;
  NextFreeByte = SavedNextFreeByte;
  ChunkFreeBytes = SavedChunkFreeBytes;
  SavedNextFreeByte = next;
  SavedChunkFreeBytes = free;
  RegionCurrent = !RegionCurrent;
}

// The region's end and its free count, wherever they are kept now.
unsigned char*& RegionEnd() { return RegionCurrent ? NextFreeByte : SavedNextFreeByte; }
size_t& RegionFree() { return RegionCurrent ? ChunkFreeBytes : SavedChunkFreeBytes; }

void PoisonBytes(unsigned char* start, unsigned char* end) {
#ifdef TOOLS_ADDRESS_SANITIZER
  if (end > start) ASAN_POISON_MEMORY_REGION(start, static_cast<size_t>(end - start));
#else
  (void)start;
  (void)end;
#endif
}

void UnpoisonBytes(unsigned char* start, size_t size) {
#ifdef TOOLS_ADDRESS_SANITIZER
  ASAN_UNPOISON_MEMORY_REGION(start, size);
#else
  (void)start;
  (void)size;
#endif
}

// The free count the inline path may use at the region's end.
void SetRegionFree() {
#ifdef TOOLS_ADDRESS_SANITIZER
  RegionFree() = 0;
#else
  RegionFree() = static_cast<size_t>(RegionLimit - RegionEnd());
#endif
}

void EnterRegionBlock(RegionBlock* block, size_t offset) {
  CurrentRegionBlock = block;
  RegionEnd() = AreaOf(block) + offset;
  RegionLimit = AreaOf(block) + block->size;
}

RegionBlock* NewRegionBlock(size_t size) {
  if (size > SIZE_MAX - StoreBlockHeader) HeapExceeded();
  auto* block = static_cast<RegionBlock*>(HeapMalloc(StoreBlockHeader + size));
  if (block == nullptr) HeapExceeded();
  block->next = nullptr;
  block->size = size;
  RegionBlockTotal += size;
  PoisonBytes(AreaOf(block), AreaOf(block) + size);
  return block;
}

// A piece of `rounded` bytes from the region (the current arena).
void* TakeRegionPiece(size_t rounded) {
  if (CurrentRegionBlock == nullptr) {
    FirstRegionBlock = NewRegionBlock(rounded > RegionBlockSize ? rounded : RegionBlockSize);
    EnterRegionBlock(FirstRegionBlock, 0);
  } else if (static_cast<size_t>(RegionLimit - NextFreeByte) < rounded) {
    RegionBytesBefore += CurrentRegionBlock->size;
    RegionBlock* next = CurrentRegionBlock->next;
    if (next == nullptr || next->size < rounded) {
      RegionBlock* fresh = NewRegionBlock(rounded > RegionBlockSize ? rounded : RegionBlockSize);
      fresh->next = next;
      CurrentRegionBlock->next = fresh;
      next = fresh;
    }
    EnterRegionBlock(next, 0);
  }
  unsigned char* piece = NextFreeByte;
  UnpoisonBytes(piece, rounded);
  NextFreeByte = piece + rounded;
  SetRegionFree();
  return piece;
}

}  // namespace

void EnterUnitRegion() {
  if (HeapInitFlag == 0) InitHeap();
  if (!RegionCurrent) SwapArenaState();
}

void LeaveUnitRegion() {
  if (RegionCurrent) SwapArenaState();
}

bool InUnitRegion() { return RegionCurrent; }

bool EndUnitRegion() {
  if (RegionKeptForGood) return false;
  if (CurrentRegionBlock == nullptr) return true;
  // Poisons what the unit used: the blocks passed, and the current one up to
  // the region's end.
  for (RegionBlock* b = FirstRegionBlock; b != CurrentRegionBlock; b = b->next) {
    PoisonBytes(AreaOf(b), AreaOf(b) + b->size);
  }
  PoisonBytes(AreaOf(CurrentRegionBlock), RegionEnd());
  RegionBytesBefore = 0;
  EnterRegionBlock(FirstRegionBlock, 0);
  SetRegionFree();
  return true;
}

void KeepUnitRegion() { RegionKeptForGood = true; }

uint64_t RegionBytesInUse() {
  if (CurrentRegionBlock == nullptr) return 0;
  return RegionBytesBefore + static_cast<uint64_t>(RegionEnd() - AreaOf(CurrentRegionBlock));
}

uint64_t RegionBlockBytes() { return RegionBlockTotal; }

void* AllocatePermanent(size_t size) {
  if (!RegionCurrent) return Allocate(size);
  SwapArenaState();
  void* piece = Allocate(size);
  SwapArenaState();
  return piece;
}

void* AllocateSlow(size_t rounded) {
  if (RegionCurrent) return TakeRegionPiece(rounded);
  if (HeapInitFlag == 0) {
    InitHeap();
    if (ChunkFreeBytes >= rounded) return TakePiece(rounded);
  }
  if (rounded <= HeapChunkSize) {
    TakeNewChunk();
    return TakePiece(rounded);
  }
  void* block = HeapMalloc(rounded);
  if (block == nullptr) HeapExceeded();
  KeepBlock(block);
  LargeBlockBytes += rounded;
  return block;
}

uint64_t HeapBytesUsed() {
  size_t chunkFree = RegionCurrent ? SavedChunkFreeBytes : ChunkFreeBytes;
  return uint64_t{HeapChunkSize} * ChunkCount + LargeBlockBytes - chunkFree + RegionBlockTotal;
}

void HeapExceeded() {
  InitStandardStreams();
  fprintf(StderrStream, "%s\n%" PRIu64 "%s\n", HeapExceededText, HeapBytesUsed(),
          HeapBytesUsedText);
  fflush(StderrStream);
  ExitProgram(1);
}

// The new-handler of the process: memory that the standard containers cannot
// get ends the run as the heap's own exhaustion does, instead of an exception
// that nothing catches.
namespace {
void OperatorNewFailed() { HeapExceeded(); }
}  // namespace

void InitHeap() {
  if (!EnterModuleInit(HeapInitFlag)) return;
  ExitModuleInit();
  InitStandardStreams();
  std::set_new_handler(OperatorNewFailed);
  ChunkFreeBytes = 0;
  ChunkCount = 0;
  LargeBlockBytes = 0;
  TakeNewChunk();
}

void RegisterRoot(const void*) {}
void RegisterRootRange(const void*, const void*, int32_t) {}
void NoteStackAddress(const void*) {}
void NoteBlock(const void*, size_t) {}

void SetHeapMalloc(HeapMallocFunction function) { HeapMalloc = function != nullptr ? function : malloc; }
