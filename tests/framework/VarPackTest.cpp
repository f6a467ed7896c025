#include "varpack.h"

#include <gtest/gtest.h>

TEST(VarPack, GetReturnsTheLastValueSet) {
    VRK::VarPack pack(2);
    pack.Set(0, 1.5f);
    pack.Set(1, -3.0f);
    EXPECT_EQ(pack.Get(0), 1.5f);
    EXPECT_EQ(pack.Get(1), -3.0f);
    pack.Set(0, 0.0f);
    EXPECT_EQ(pack.Get(0), 0.0f);
    EXPECT_EQ(pack.Get(1), -3.0f);
}

TEST(VarPackDeathTest, IndexAtOrBeyondCountFailsTheAssertion) {
    VRK::VarPack pack(2);
    EXPECT_DEATH(pack.Get(2), "id < count_");
    EXPECT_DEATH(pack.Set(2, 0.5f), "id < count_");
    // An index is unsigned: -1 is far beyond the end, not before it.
    EXPECT_DEATH(pack.Get(static_cast<unsigned>(-1)), "id < count_");
}
