#include "HexGridImage.h"

#include <gtest/gtest.h>

TEST(HexGridImage, TileRepeatsWithoutSeams) {
    // The lattice must repeat exactly at the tile's size: drawing one tile
    // further along either axis (or both) gives the same texels.
    int mismatches = 0;
    for (int y = 0; y < kHexGridHeight; ++y) {
        for (int x = 0; x < kHexGridWidth; ++x) {
            const bool here = HexGridCoverage(x, y) >= 0.5;
            mismatches += here != (HexGridCoverage(x + kHexGridWidth, y) >= 0.5);
            mismatches += here != (HexGridCoverage(x, y + kHexGridHeight) >= 0.5);
            mismatches += here != (HexGridCoverage(x - kHexGridWidth, y - kHexGridHeight) >= 0.5);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(HexGridImage, LightOutlinesOnTransparent) {
    const Canvas tile = DrawHexGridImage();
    ASSERT_EQ(tile.Width(), 110);
    ASSERT_EQ(tile.Height(), 184);
    int outline = 0;
    for (int y = 0; y < tile.Height(); ++y) {
        for (int x = 0; x < tile.Width(); ++x) {
            const std::uint8_t* p = tile.Pixel(x, y);
            ASSERT_TRUE(p[3] == 0 || p[3] == 255) << x << "," << y;
            EXPECT_GE(p[0] + p[1] + p[2], 3 * 230);
            outline += p[3] == 255;
        }
    }
    // Thin lines: a clear minority of the tile, but present.
    const double share = static_cast<double>(outline) / (tile.Width() * tile.Height());
    EXPECT_GT(share, 0.08);
    EXPECT_LT(share, 0.35);
}

TEST(HexGridImage, EveryRowAndColumnCrossesTheGrid) {
    // A hexagon lattice has no empty band at any angle the texture is drawn
    // at: every row and every column meets an outline and some open cell.
    const Canvas tile = DrawHexGridImage();
    for (int y = 0; y < tile.Height(); ++y) {
        int opaque = 0;
        for (int x = 0; x < tile.Width(); ++x) {
            opaque += tile.Pixel(x, y)[3] == 255;
        }
        EXPECT_GT(opaque, 0) << "row " << y;
        EXPECT_LT(opaque, tile.Width()) << "row " << y;
    }
    for (int x = 0; x < tile.Width(); ++x) {
        int opaque = 0;
        for (int y = 0; y < tile.Height(); ++y) {
            opaque += tile.Pixel(x, y)[3] == 255;
        }
        EXPECT_GT(opaque, 0) << "column " << x;
        EXPECT_LT(opaque, tile.Height()) << "column " << x;
    }
}
