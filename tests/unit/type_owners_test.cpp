// The run's shared type nodes and the unit region: a program of its own, so
// that no earlier test has kept the region for good.
#include <gtest/gtest.h>

#include "java_unit.h"
#include "support/heap.h"

using namespace javaunit;

namespace {

TEST(SharedTypes, ForgetAnOwnerWhoseRegionIsGivenBack) {
  // The shared int type is adopted by the first array type made of it; made
  // in a unit's region, that owner is gone once the region is given back,
  // and the next unit's first array type of int must become the owner.
  InitOnce();
  EnterUnitRegion();
  TypeValue first = Type(IntType, 1);
  EXPECT_EQ(IntType->owner, NodeAnyNode(first));
  ASSERT_TRUE(EndUnitRegion());
  ForgetTypeOwners();
  EXPECT_EQ(IntType->owner, nullptr);
  TypeValue second = Type(IntType, 2);
  EXPECT_EQ(IntType->owner, NodeAnyNode(second));
  LeaveUnitRegion();
}

}  // namespace
