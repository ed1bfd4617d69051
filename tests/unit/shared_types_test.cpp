// Lazy cells (computed at most once, then replaced by their value), closures
// with and without an environment, and cons lists that keep insertion order.
#include <gtest/gtest.h>

#include <vector>

#include "support/conslist.h"
#include "support/lazy.h"
#include "support/startup.h"

namespace {

class SharedTypes : public testing::Test {
 protected:
  void SetUp() override { InitRuntime(); }
};

int Computations = 0;

Word CountedSquare(LazyCell* cell) {
  Computations += 1;
  Word n = *static_cast<Word*>(cell->context);
  return StoreLazyValue(cell, n * n);
}

double HalfOf(void* context) {
  Computations += 1;
  return *static_cast<double*>(context) / 2;
}

TEST_F(SharedTypes, LazyCellComputesOnceAndReplacesItself) {
  Computations = 0;
  Word seven = 7;
  LazyCell* cell = NewLazyCell<Word>(&seven, CountedSquare);
  EXPECT_EQ(ForceLazyCell(cell), 49u);
  EXPECT_EQ(cell->function, &EvaluatedValue<Word>);
  seven = 8;
  EXPECT_EQ(ForceLazyCell(cell), 49u);
  EXPECT_EQ(ForceLazy(cell), 49u);
  EXPECT_EQ(Computations, 1);
  EXPECT_EQ(EvaluatedWord(cell), 49u);
}

TEST_F(SharedTypes, ComputeOnceWrapsAPlainComputation) {
  Computations = 0;
  double value = 5.0;
  LazyRealCell* cell = NewLazyCell<double>(&value, ComputeOnce<double, HalfOf>);
  EXPECT_DOUBLE_EQ(ForceLazy(cell), 2.5);
  EXPECT_DOUBLE_EQ(ForceLazy(cell), 2.5);
  EXPECT_EQ(Computations, 1);
  LazyByteCell* constant = NewEvaluatedCell<uint8_t>(200);
  EXPECT_EQ(ForceLazy(constant), 200);
}

int AddOffset(void* environment, int x) { return x + *static_cast<int*>(environment); }
int Negate(int x) { return -x; }

TEST_F(SharedTypes, ClosureCallsWithItsEnvironmentFirst) {
  int offset = 10;
  Closure<int, int> withEnvironment = MakeClosure(static_cast<void*>(&offset), AddOffset);
  Closure<int, int> plain = MakeClosure(Negate);
  EXPECT_EQ(CallClosure(withEnvironment, 5), 15);
  EXPECT_EQ(CallClosure(plain, 5), -5);
}

std::vector<int> Elements(ConsList list) {
  std::vector<int> out;
  for (; list != nullptr; list = list->tail) out.push_back(*ConsHead<int>(list));
  return out;
}

TEST_F(SharedTypes, ConsListKeepsInsertionOrderWithoutDuplicates) {
  int a = 1, b = 2, c = 3, d = 4;
  ConsList list = Cons(&a, Cons(&b, nullptr));
  EXPECT_EQ(Elements(list), (std::vector<int>{1, 2}));
  ConsList added = nullptr;
  for (int* p : {&c, &a, &c, &b, &a}) ConsAppendIfAbsent(added, p);
  EXPECT_EQ(Elements(added), (std::vector<int>{3, 1, 2}));
  EXPECT_TRUE(ConsContains(added, &b));
  EXPECT_FALSE(ConsContains(added, &d));
}

TEST_F(SharedTypes, ConsUnionKeepsFirstOrderAndAppendsNewEntries) {
  int a = 1, b = 2, c = 3, d = 4;
  ConsList first = Cons(&b, Cons(&a, nullptr));
  ConsList second = Cons(&d, Cons(&a, Cons(&c, Cons(&d, nullptr))));
  ConsList united = ConsUnion(first, second);
  EXPECT_EQ(Elements(united), (std::vector<int>{2, 1, 4, 3}));
  EXPECT_EQ(Elements(first), (std::vector<int>{2, 1})) << "operands are not changed";
  EXPECT_EQ(ConsUnion(first, Cons(&a, nullptr)), first) << "nothing new: the first list itself";
  EXPECT_EQ(Elements(ConsUnion(nullptr, second)), (std::vector<int>{4, 1, 3}));
  EXPECT_EQ(ConsUnion(first, nullptr), first);
}

}  // namespace
