// The heap: a bump pointer over 65536-byte chunks, large requests in blocks
// of their own, nothing freed.
//
// The common path of Allocate is one comparison, one addition and one
// subtraction. The rest of a chunk that is too small for a request is
// abandoned; it still counts as used in HeapBytesUsed.
#include "support/heap.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "support/limits.h"
#include "support/report.h"
#include "support/startup.h"

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

void* AllocateSlow(size_t rounded) {
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
  return uint64_t{HeapChunkSize} * ChunkCount + LargeBlockBytes - ChunkFreeBytes;
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
