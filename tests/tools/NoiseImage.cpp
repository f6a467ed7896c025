#include "NoiseImage.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(NoiseImage, TilesWithoutSeamsAndChangesSmoothly) {
    // The halo wraps the noise round the ring and across the screen: one tile
    // further along either axis gives the same value, and neighbouring texels
    // (across the tile's edge too) differ by little in every channel.
    double largestStep = 0.0, lowest = 1.0, highest = 0.0;
    for (int c = 0; c < 3; ++c) {
        for (int y = 0; y < kNoiseSize; y += 3) {
            for (int x = 0; x < kNoiseSize; x += 3) {
                const double here = NoiseValue(c, x, y);
                ASSERT_EQ(here, NoiseValue(c, x + kNoiseSize, y - kNoiseSize)) << c << " " << x << "," << y;
                largestStep = std::max(largestStep, std::fabs(NoiseValue(c, x + 1, y) - here));
                largestStep = std::max(largestStep, std::fabs(NoiseValue(c, x, y + 1) - here));
                lowest = std::min(lowest, here);
                highest = std::max(highest, here);
            }
        }
        for (int k = 0; k < kNoiseSize; ++k) {
            EXPECT_LT(std::fabs(NoiseValue(c, kNoiseSize - 1, k) - NoiseValue(c, 0, k)), 0.05) << c << " " << k;
            EXPECT_LT(std::fabs(NoiseValue(c, k, kNoiseSize - 1) - NoiseValue(c, k, 0)), 0.05) << c << " " << k;
        }
    }
    EXPECT_LT(largestStep, 0.05);
    // Spread about mid-grey, not flat.
    EXPECT_LT(lowest, 0.3);
    EXPECT_GT(highest, 0.7);
    // The three channels are different fields.
    EXPECT_NE(NoiseValue(0, 100, 200), NoiseValue(1, 100, 200));
}
