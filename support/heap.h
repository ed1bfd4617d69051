// The heap: arena allocation that is never freed.
//
// All records of the system come from Allocate, which hands out 8-byte
// aligned pieces of 65536-byte chunks by moving a pointer. Requests larger
// than a chunk get a block of their own. Nothing is ever released. When the C
// library's allocator fails, HeapExceeded reports the bytes used and ends the
// run with status 1. Sizes and counters are 64-bit, so a huge request can
// neither wrap around nor make the report show a negative count.
#pragma once

#include <cstddef>
#include <cstdint>

#include "support/limits.h"

// First free byte of the current chunk.
extern unsigned char* NextFreeByte;
// Bytes still free in the current chunk.
extern size_t ChunkFreeBytes;
// Chunks taken so far, the current one included.
extern size_t ChunkCount;
// Total size of the blocks allocated by themselves.
extern size_t LargeBlockBytes;

// The slow path of both allocators: a piece of `rounded` bytes (a multiple
// of 8) that the current chunk cannot hold.
void* AllocateSlow(size_t rounded);

// The two-line exhaustion report on standard error, then exit status 1.
[[noreturn]] void HeapExceeded();

// A piece of `rounded` bytes (a multiple of 8): from the current chunk by
// moving the pointer, else through the slow path.
inline void* TakePiece(size_t rounded) {
  if (ChunkFreeBytes < rounded) return AllocateSlow(rounded);
  void* piece = NextFreeByte;
  NextFreeByte += rounded;
  ChunkFreeBytes -= rounded;
  return piece;
}

// At least size bytes, 8-byte aligned, not cleared. Never returns null.
// Inline: the common path is one comparison, one addition and one subtraction,
// and the front ends allocate for every token, record, node and cell.
inline void* Allocate(size_t size) {
  // A size this close to the top of the address space cannot be rounded up;
  // no allocator could serve it anyway.
  if (size > SIZE_MAX - 7) HeapExceeded();
  return TakePiece((size + 7) & ~size_t{7});
}

// The same for a size that is a multiple of 8 and at most one chunk; no
// rounding and never a block of its own. (Other sizes are passed to Allocate.)
inline void* AllocateAligned(size_t size) {
  if ((size & 7) != 0 || size > HeapChunkSize) return Allocate(size);
  return TakePiece(size);
}

// Chunks times chunk size, plus large blocks, minus the current chunk's free
// bytes; abandoned chunk remainders count as used.
uint64_t HeapBytesUsed();

// Once-only: takes the first chunk, and installs the process's new-handler,
// so that a failed operator new (the standard containers) ends the run with
// the same report as HeapExceeded.
void InitHeap();

// Registration calls of module inits and the program entry. The heap never
// reclaims memory, so nothing reads what they would record; they do nothing.
void RegisterRoot(const void* address);
void RegisterRootRange(const void* start, const void* end, int32_t flag);
void NoteStackAddress(const void* address);
void NoteBlock(const void* address, size_t size);

// Test seam: the function the heap takes its chunks and blocks from (null
// restores the C library's malloc), so that tests can make it fail.
using HeapMallocFunction = void* (*)(size_t size);
void SetHeapMalloc(HeapMallocFunction function);
