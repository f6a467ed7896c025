#include "varpack.h"

#include <gtest/gtest.h>

#include <algorithm>

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

TEST(VarPack, ReadsZeroBeforeTheFirstSet) {
    // A controller that starts past its interval never writes; its reader then
    // sees zero, not what the allocator last held there.
    {
        float* stray = new float[64];
        std::fill(stray, stray + 64, 7.0f);
        delete[] stray;
    }
    VRK::VarPack pack(64);
    for (unsigned id = 0; id < 64; ++id) EXPECT_EQ(pack.Get(id), 0.0f) << id;
}

TEST(VarPackDeathTest, IndexAtOrBeyondCountFailsTheAssertion) {
    VRK::VarPack pack(2);
    EXPECT_DEATH(pack.Get(2), "id < count_");
    EXPECT_DEATH(pack.Set(2, 0.5f), "id < count_");
    // An index is unsigned: -1 is far beyond the end, not before it.
    EXPECT_DEATH(pack.Get(static_cast<unsigned>(-1)), "id < count_");
}
