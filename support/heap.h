// The heap: two arenas, the permanent heap and the unit region.
//
// All records of the system come from Allocate, which hands out 8-byte
// aligned pieces of the current arena by moving a pointer. The permanent
// heap takes 65536-byte chunks; requests larger than a chunk get a block of
// their own; nothing of it is ever released. The unit region takes blocks of
// RegionBlockSize (larger requests a block of their size) that it keeps for
// the whole run: at the end of a unit it is rewound to its floor, and the
// next unit's records reuse the same blocks. Which arena Allocate serves is
// decided by the unit loops (EnterUnitRegion) and, inside a unit, by the few
// places that make records the run keeps (AllocatePermanent,
// PermanentHeapScope). When the C library's allocator fails for either arena,
// HeapExceeded reports the bytes used and ends the run with status 1. Sizes
// and counters are 64-bit, so a huge request can neither wrap around nor make
// the report show a negative count.
#pragma once

#include <cstddef>
#include <cstdint>

#include "support/limits.h"

// First free byte of the current arena's chunk or block.
extern unsigned char* NextFreeByte;
// Bytes still free there for the inline path (in a sanitizer build the
// region keeps this at 0, so that every piece of it passes the slow path).
extern size_t ChunkFreeBytes;
// Chunks of the permanent heap taken so far, the current one included.
extern size_t ChunkCount;
// Total size of the permanent heap's blocks allocated by themselves.
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
// bytes (abandoned chunk remainders count as used), plus the bytes of the
// unit region's blocks.
uint64_t HeapBytesUsed();

// ---- The unit region ----
//
// 1. EnterUnitRegion makes the region the arena of Allocate; LeaveUnitRegion
//    makes the permanent heap the arena again. Both may be called when the
//    arena is already the one asked for.
// 2. EndUnitRegion gives back everything the region handed out: the next
//    pieces reuse the same memory, and it returns true. Nothing may hold a
//    pointer into it afterwards; a sanitizer build poisons the memory, so
//    that any use is reported. Caches keyed by addresses of region records
//    must be emptied when it returns true, as the addresses come again.
// 3. KeepUnitRegion: from now on the region is never given back, and
//    EndUnitRegion returns false. A run-wide lazy cell calls it when its value
//    points into the unit that forced it. Keeping that unit alone would not
//    do: the unit's own lazy cells, reachable from the run-wide cell, are
//    forced by later units, which store into them records of their regions.
// 4. AllocatePermanent and PermanentHeapScope take records that the run keeps
//    from the permanent heap whatever the current arena is.
void EnterUnitRegion();
void LeaveUnitRegion();
bool EndUnitRegion();
void KeepUnitRegion();

// True while Allocate serves the unit region.
bool InUnitRegion();

// Bytes the region handed out since its start (kept units included) and the
// total size of its blocks.
uint64_t RegionBytesInUse();
uint64_t RegionBlockBytes();

// At least size bytes of the permanent heap, 8-byte aligned, not cleared.
void* AllocatePermanent(size_t size);

// While one lives, Allocate serves the permanent heap; the arena before it is
// restored at its end.
struct PermanentHeapScope {
  bool wasInRegion;
  PermanentHeapScope() : wasInRegion(InUnitRegion()) { LeaveUnitRegion(); }
  ~PermanentHeapScope() {
    if (wasInRegion) EnterUnitRegion();
  }
  PermanentHeapScope(const PermanentHeapScope&) = delete;
  PermanentHeapScope& operator=(const PermanentHeapScope&) = delete;
};

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
