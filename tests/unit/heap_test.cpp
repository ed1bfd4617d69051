// Heap: piece sizes and alignment, chunk and large-block accounting, and
// exhaustion through the malloc seam (the exact two-line report, status 1).
#include "support/heap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "support/heapstack.h"
#include "support/limits.h"
#include "support/startup.h"

namespace {

// Exhaustion cases run in a fresh process each (re-executed, not forked), so
// that the heap state, and with it the reported count, is known.
class HeapExhaustion : public testing::Test {
 protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

void* FailingMalloc(size_t) { return nullptr; }

// Reports the size it was asked for, then fails.
void* ReportingFailingMalloc(size_t size) {
  fprintf(stderr, "asked %zu\n", size);
  return nullptr;
}

// Serves large blocks with an address that is never dereferenced (the heap
// does not clear memory), so that counts beyond 32 bits can be reached.
void* FakeLargeMalloc(size_t size) {
  if (size > HeapChunkSize) return reinterpret_cast<void*>(uintptr_t{4096});
  return malloc(size);
}

// Makes sure the current chunk has at least n bytes free (n <= 65528).
void MakeRoom(size_t n) {
  InitRuntimeBase();
  if (ChunkFreeBytes >= n) return;
  Allocate(HeapChunkSize);  // a new chunk, used up at once
  Allocate(8);              // another, with 65528 bytes left
}

TEST(Heap, PieceSizesAreRoundedToEightAndAdjacent) {
  struct Case {
    size_t asked;
    size_t taken;
  };
  const Case cases[] = {{0, 0}, {1, 8}, {7, 8}, {8, 8}, {9, 16}, {100, 104}, {65521, 65528}};
  for (const Case& c : cases) {
    MakeRoom(c.taken);
    size_t freeBefore = ChunkFreeBytes;
    uint64_t usedBefore = HeapBytesUsed();
    unsigned char* next = NextFreeByte;
    auto* piece = static_cast<unsigned char*>(Allocate(c.asked));
    EXPECT_EQ(piece, next) << "asked " << c.asked;
    EXPECT_EQ(NextFreeByte - piece, static_cast<ptrdiff_t>(c.taken)) << "asked " << c.asked;
    EXPECT_EQ(freeBefore - ChunkFreeBytes, c.taken) << "asked " << c.asked;
    EXPECT_EQ(HeapBytesUsed() - usedBefore, c.taken) << "asked " << c.asked;
    EXPECT_EQ(reinterpret_cast<uintptr_t>(piece) % 8, 0u);
  }
}

TEST(Heap, WholeChunkRequestTakesAWholeNewChunk) {
  MakeRoom(8);
  Allocate(8);  // the current chunk is no longer fresh
  size_t chunks = ChunkCount;
  uint64_t used = HeapBytesUsed();
  size_t abandoned = ChunkFreeBytes;
  Allocate(HeapChunkSize);
  EXPECT_EQ(ChunkFreeBytes, 0u);
  EXPECT_EQ(ChunkCount, chunks + 1);
  EXPECT_EQ(HeapBytesUsed() - used, abandoned + HeapChunkSize);
}

TEST(Heap, LargeRequestGetsABlockOfItsOwn) {
  InitRuntimeBase();
  Allocate(8);
  size_t freeBefore = ChunkFreeBytes;
  size_t chunks = ChunkCount;
  size_t large = LargeBlockBytes;
  uint64_t used = HeapBytesUsed();
  unsigned char* next = NextFreeByte;
  void* block = Allocate(HeapChunkSize + 1);
  EXPECT_NE(block, nullptr);
  EXPECT_EQ(LargeBlockBytes - large, 65544u);
  EXPECT_EQ(HeapBytesUsed() - used, 65544u);
  EXPECT_EQ(ChunkFreeBytes, freeBefore);
  EXPECT_EQ(ChunkCount, chunks);
  EXPECT_EQ(NextFreeByte, next);
}

TEST(Heap, TooSmallRestIsAbandonedAndCountsAsUsed) {
  // Free counts are multiples of 8: 96 bytes free and 100 asked (104 taken).
  MakeRoom(200);
  Allocate(ChunkFreeBytes - 96);
  ASSERT_EQ(ChunkFreeBytes, 96u);
  uint64_t used = HeapBytesUsed();
  size_t chunks = ChunkCount;
  Allocate(100);
  EXPECT_EQ(ChunkCount, chunks + 1);
  EXPECT_EQ(ChunkFreeBytes, HeapChunkSize - 104);
  EXPECT_EQ(HeapBytesUsed() - used, 96u + 104u);
}

TEST(Heap, AlignedAllocationTakesExactlyTheSize) {
  MakeRoom(64);
  size_t freeBefore = ChunkFreeBytes;
  auto* a = static_cast<unsigned char*>(AllocateAligned(24));
  auto* b = static_cast<unsigned char*>(AllocateAligned(16));
  EXPECT_EQ(b - a, 24);
  EXPECT_EQ(freeBefore - ChunkFreeBytes, 40u);
  // When the chunk cannot hold the piece, a new chunk is taken.
  Allocate(ChunkFreeBytes - 8);
  size_t chunks = ChunkCount;
  AllocateAligned(16);
  EXPECT_EQ(ChunkCount, chunks + 1);
  EXPECT_EQ(ChunkFreeBytes, HeapChunkSize - 16);
}

TEST_F(HeapExhaustion, FreshHeapHasUsedNothingAndTakesAWholeChunk) {
  EXPECT_EXIT(
      {
        InitRuntimeBase();
        bool fresh = HeapBytesUsed() == 0 && ChunkCount == 1 && ChunkFreeBytes == HeapChunkSize;
        // In a fresh chunk a whole-chunk request uses all of it.
        Allocate(HeapChunkSize);
        bool whole = ChunkCount == 1 && ChunkFreeBytes == 0 && HeapBytesUsed() == HeapChunkSize;
        exit(fresh && whole ? 0 : 2);
      },
      testing::ExitedWithCode(0), "");
}

TEST_F(HeapExhaustion, FailedFirstChunkIsReported) {
  // The standard streams are set up before the heap, so even this is seen.
  EXPECT_EXIT(
      {
        SetHeapMalloc(FailingMalloc);
        InitRuntime();
      },
      testing::ExitedWithCode(1), testing::Eq("Heapspace exceeded.....\n0 bytes heapspace used\n"));
}

TEST_F(HeapExhaustion, FailedChunkGivesTheTwoLineReport) {
  EXPECT_EXIT(
      {
        InitRuntimeBase();
        Allocate(100);
        SetHeapMalloc(FailingMalloc);
        Allocate(HeapChunkSize);
      },
      testing::ExitedWithCode(1), testing::Eq("Heapspace exceeded.....\n104 bytes heapspace used\n"));
}

TEST_F(HeapExhaustion, FailedLargeBlockGivesTheTwoLineReport) {
  EXPECT_EXIT(
      {
        InitRuntimeBase();
        Allocate(16);
        SetHeapMalloc(FailingMalloc);
        Allocate(1 << 20);
      },
      testing::ExitedWithCode(1), testing::Eq("Heapspace exceeded.....\n16 bytes heapspace used\n"));
}

TEST_F(HeapExhaustion, HugeRequestIsNotTruncated) {
  // A request above 4 GiB reaches malloc whole, rounded up to 8.
  EXPECT_EXIT(
      {
        InitRuntimeBase();
        SetHeapMalloc(ReportingFailingMalloc);
        Allocate((size_t{1} << 40) + 1);
      },
      testing::ExitedWithCode(1),
      testing::Eq("asked 1099511627784\nHeapspace exceeded.....\n0 bytes heapspace used\n"));
}

TEST_F(HeapExhaustion, RequestThatCannotBeRoundedIsExhaustion) {
  EXPECT_EXIT(
      {
        InitRuntimeBase();
        Allocate(SIZE_MAX - 3);
      },
      testing::ExitedWithCode(1), testing::Eq("Heapspace exceeded.....\n0 bytes heapspace used\n"));
}

TEST_F(HeapExhaustion, CountBeyondThirtyTwoBitsIsReportedWhole) {
  EXPECT_EXIT(
      {
        InitRuntimeBase();
        SetHeapMalloc(FakeLargeMalloc);
        Allocate(size_t{3} << 30);
        Allocate(size_t{3} << 30);
        SetHeapMalloc(FailingMalloc);
        Allocate(size_t{1} << 20);
      },
      testing::ExitedWithCode(1),
      testing::Eq("Heapspace exceeded.....\n6442450944 bytes heapspace used\n"));
}

// ---- The unit region ----

// Runs body with the region as the arena, then gives the region back and
// makes the permanent heap the arena again, so that later tests start clean.
template <typename Body>
void InRegion(Body body) {
  InitRuntimeBase();
  EnterUnitRegion();
  body();
  EndUnitRegion();
  LeaveUnitRegion();
}

// A rewound region hands out the same memory again, for pieces in the first
// block, in later blocks and of their own size beyond a block.
TEST(UnitRegion, RewoundRegionReusesItsMemory) {
  const size_t cases[] = {8, 1000, RegionBlockSize / 2, RegionBlockSize + 8, 3 * RegionBlockSize};
  for (size_t size : cases) {
    InRegion([size] {
      std::vector<void*> first;
      for (int i = 0; i < 4; ++i) first.push_back(Allocate(size));
      uint64_t blocks = RegionBlockBytes();
      EXPECT_TRUE(EndUnitRegion());
      EXPECT_EQ(RegionBytesInUse(), 0u);
      for (void* piece : first) EXPECT_EQ(Allocate(size), piece) << "size " << size;
      EXPECT_EQ(RegionBlockBytes(), blocks) << "size " << size;
      EXPECT_GE(RegionBytesInUse(), 4 * size);
    });
  }
}

// Pieces that the run keeps come from the permanent heap while the region is
// the arena, and stay usable after the region is given back.
TEST(UnitRegion, PermanentPiecesOutliveTheRegion) {
  InitRuntimeBase();
  MakeRoom(64);
  unsigned char* permanentNext = NextFreeByte;
  char* kept = nullptr;
  char* scoped = nullptr;
  InRegion([&] {
    EXPECT_TRUE(InUnitRegion());
    kept = static_cast<char*>(AllocatePermanent(24));
    {
      PermanentHeapScope permanent;
      EXPECT_FALSE(InUnitRegion());
      scoped = static_cast<char*>(Allocate(24));
    }
    EXPECT_TRUE(InUnitRegion());
    auto* region = static_cast<char*>(Allocate(24));
    EXPECT_NE(region, kept + 24);
    std::memset(region, 1, 24);
  });
  EXPECT_FALSE(InUnitRegion());
  EXPECT_EQ(reinterpret_cast<unsigned char*>(kept), permanentNext);
  EXPECT_EQ(scoped, kept + 24);
  std::memset(kept, 2, 48);  // a sanitizer build would report poisoned memory
  EXPECT_EQ(Allocate(8), static_cast<void*>(kept + 48));
}

// Once kept, the region is never given back: later pieces follow the kept ones.
TEST_F(HeapExhaustion, KeptRegionIsNeverGivenBack) {
  EXPECT_EXIT(
      {
        InitRuntimeBase();
        EnterUnitRegion();
        auto* first = static_cast<char*>(Allocate(16));
        KeepUnitRegion();
        bool notGivenBack = !EndUnitRegion();
        auto* second = static_cast<char*>(Allocate(16));
        std::memset(first, 0, 16);
        exit(notGivenBack && second == first + 16 && RegionBytesInUse() == 32 ? 0 : 2);
      },
      testing::ExitedWithCode(0), "");
}

// A region block that malloc cannot give ends the run with the heap's report,
// whose count includes the region's blocks.
TEST_F(HeapExhaustion, FailedRegionBlockGivesTheTwoLineReport) {
  EXPECT_EXIT(
      {
        InitRuntimeBase();
        Allocate(40);
        EnterUnitRegion();
        Allocate(RegionBlockSize);
        SetHeapMalloc(FailingMalloc);
        Allocate(8);
      },
      testing::ExitedWithCode(1),
      testing::Eq("Heapspace exceeded.....\n" + std::to_string(40 + RegionBlockSize) + " bytes heapspace used\n"));
}

#ifdef TOOLS_ADDRESS_SANITIZER
// In the sanitizer build, memory of a rewound region is poisoned: a record
// that a unit kept a pointer to is reported when it is read after the rewind.
TEST(UnitRegionDeathTest, UseAfterTheRegionWasGivenBackIsReported) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        InitRuntimeBase();
        EnterUnitRegion();
        auto* record = static_cast<volatile char*>(Allocate(64));
        record[0] = 1;
        EndUnitRegion();
        record[8] = 2;
      },
      "use-after-poison");
}
#endif

// A heap stack keeps its records in order while it grows past a chunk.
TEST(HeapStackTest, KeepsItsRecordsInOrderWhileGrowing) {
  InitRuntimeBase();
  HeapStack<uint64_t> stack;
  const uint64_t n = 3 * HeapChunkSize / sizeof(uint64_t);
  for (uint64_t i = 0; i < n; ++i) stack.Push(i * 3);
  ASSERT_EQ(stack.count, n);
  EXPECT_EQ(stack[7], 21u);
  for (uint64_t i = n; i-- > 0;) ASSERT_EQ(stack.Pop(), i * 3);
  EXPECT_TRUE(stack.Empty());
  // Turning round the top records makes them come off in pushed order.
  for (uint64_t i = 0; i < 5; ++i) stack.Push(i);
  stack.ReverseFrom(2);
  for (uint64_t want : {2u, 3u, 4u, 1u, 0u}) EXPECT_EQ(stack.Pop(), want);
}

// Growing a heap stack when memory runs out ends as the heap does.
TEST_F(HeapExhaustion, HeapStackGrowthFailureGivesTheHeapReport) {
  EXPECT_EXIT(
      {
        InitRuntimeBase();
        HeapStack<uint64_t> stack;
        SetHeapMalloc(FailingMalloc);
        for (uint64_t i = 0; i < 2 * HeapChunkSize; ++i) stack.Push(i);
      },
      testing::ExitedWithCode(1), "^Heapspace exceeded");
}

}  // namespace

// Memory that operator new cannot get (the standard containers) ends the run
// with the heap's own report: the new-handler that the heap installs.
TEST_F(HeapExhaustion, FailedOperatorNewGivesTheTwoLineReport) {
  EXPECT_EXIT(
      {
        InitRuntimeBase();
        Allocate(40);
        std::new_handler handler = std::get_new_handler();
        if (handler != nullptr) handler();
        exit(2);
      },
      testing::ExitedWithCode(1), testing::Eq("Heapspace exceeded.....\n40 bytes heapspace used\n"));
}

#ifndef TOOLS_ADDRESS_SANITIZER
// The real failure (the address sanitizer's allocator reports such a request
// itself and never calls the handler): a 64 TiB vector.
TEST_F(HeapExhaustion, ContainerBeyondTheAddressSpaceGivesTheTwoLineReport) {
  EXPECT_EXIT(
      {
        InitRuntimeBase();
        Allocate(8);
        std::vector<char> huge;
        huge.reserve(size_t{1} << 46);
        exit(2);
      },
      testing::ExitedWithCode(1), testing::Eq("Heapspace exceeded.....\n8 bytes heapspace used\n"));
}
#endif
