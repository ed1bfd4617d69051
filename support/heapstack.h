// HeapStack: a stack of plain records whose array comes from the heap.
//
// The array grows by taking one twice as large and copying the records
// over; the old array is abandoned, as all heap memory is, so a stack holds
// at most about twice its largest size. Running out of memory therefore ends
// the program as the heap does, with its message and status. Records are
// copied byte for byte: T must be trivially copyable.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "support/heap.h"

template <typename T>
struct HeapStack {
  static_assert(std::is_trivially_copyable_v<T>, "HeapStack holds plain records");

  T* items = nullptr;
  uint32_t count = 0;
  uint32_t capacity = 0;

  bool Empty() const { return count == 0; }
  void Clear() { count = 0; }

  void Push(const T& item) {
    if (count == capacity) Grow();
    items[count++] = item;
  }

  // Pushes n records in order.
  void Append(const T* from, uint32_t n) {
    while (capacity - count < n) Grow();
    if (n > 0) std::memcpy(static_cast<void*>(items + count), from, sizeof(T) * n);
    count += n;
  }

  T Pop() { return items[--count]; }

  T& operator[](uint32_t i) { return items[i]; }

  // Turns round the records from index `from` to the top, so that records
  // pushed in order come off in that order.
  void ReverseFrom(uint32_t from) {
    if (count == 0) return;
    for (uint32_t i = from, j = count - 1; i < j; ++i, --j) {
      T t = items[i];
      items[i] = items[j];
      items[j] = t;
    }
  }

 private:
  void Grow() {
    uint32_t larger = capacity == 0 ? 64 : capacity * 2;
    auto* grown = static_cast<T*>(Allocate(sizeof(T) * static_cast<size_t>(larger)));
    if (count > 0) std::memcpy(static_cast<void*>(grown), items, sizeof(T) * count);
    items = grown;
    capacity = larger;
  }
};
