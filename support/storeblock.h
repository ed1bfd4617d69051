// Blocks of memory outside the heap's chunks, for the stores that reuse or
// give back their memory (the parse trace's store, the layout's scratch
// region, and the heap's unit region, which takes its blocks through the
// heap's own malloc function): each block is one request to the C library, a
// header and then its bytes. A failed request ends the run as the heap's own
// exhaustion does.
#pragma once

#include <cstddef>
#include <cstdlib>

#include "support/heap.h"

struct StoreBlock {
  StoreBlock* next;  // the following block of its store's chain, or null
  size_t size;       // bytes behind the header
};

inline constexpr size_t StoreBlockHeader = (sizeof(StoreBlock) + 7) & ~size_t{7};

// The first byte behind a block's header (8-byte aligned).
inline unsigned char* StoreBlockBytes(StoreBlock* block) {
  return reinterpret_cast<unsigned char*>(block) + StoreBlockHeader;
}

// A new block of `size` bytes behind its header, not in any chain yet.
inline StoreBlock* NewStoreBlock(size_t size) {
  auto* block = static_cast<StoreBlock*>(std::malloc(StoreBlockHeader + size));
  if (block == nullptr) HeapExceeded();
  block->next = nullptr;
  block->size = size;
  return block;
}

// Gives back every block of a chain.
inline void FreeStoreBlocks(StoreBlock* first) {
  while (first != nullptr) {
    StoreBlock* next = first->next;
    std::free(first);
    first = next;
  }
}
