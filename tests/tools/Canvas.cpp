#include "Canvas.h"

#include <gtest/gtest.h>

TEST(Canvas, FullCoverageReplacesAndNoCoverageKeeps) {
    Canvas canvas(2, 1);
    canvas.Fill(10, 20, 30, 255);
    canvas.Cover(0, 0, 200, 100, 50, 255);
    canvas.Cover(1, 0, 200, 100, 50, 0);
    EXPECT_EQ(canvas.Pixel(0, 0)[0], 200);
    EXPECT_EQ(canvas.Pixel(0, 0)[1], 100);
    EXPECT_EQ(canvas.Pixel(0, 0)[2], 50);
    EXPECT_EQ(canvas.Pixel(0, 0)[3], 255);
    EXPECT_EQ(canvas.Pixel(1, 0)[0], 10);
    EXPECT_EQ(canvas.Pixel(1, 0)[3], 255);
}

TEST(Canvas, PartialCoverageBlendsOverWhatIsThere) {
    Canvas canvas(2, 1);
    canvas.Fill(0, 0, 0, 0);
    // Over a transparent pixel the colour is kept whole and alpha is the coverage.
    canvas.Cover(0, 0, 255, 128, 0, 128);
    EXPECT_EQ(canvas.Pixel(0, 0)[0], 255);
    EXPECT_EQ(canvas.Pixel(0, 0)[1], 128);
    EXPECT_EQ(canvas.Pixel(0, 0)[3], 128);
    // Two half coverages add up to three quarters, as overlapping glyph edges should.
    canvas.Cover(0, 0, 255, 128, 0, 128);
    EXPECT_NEAR(canvas.Pixel(0, 0)[3], 192, 1);
    // Over an opaque pixel the colours mix by coverage and alpha stays opaque.
    canvas.Set(1, 0, 0, 0, 0, 255);
    canvas.Cover(1, 0, 200, 200, 200, 64);
    EXPECT_NEAR(canvas.Pixel(1, 0)[0], 50, 1);
    EXPECT_EQ(canvas.Pixel(1, 0)[3], 255);
}

TEST(Canvas, CoverOutsideTheCanvasIsIgnored) {
    Canvas canvas(2, 2);
    const Canvas before = canvas;
    canvas.Cover(-1, 0, 255, 255, 255, 255);
    canvas.Cover(0, 2, 255, 255, 255, 255);
    canvas.Cover(2, 1, 255, 255, 255, 255);
    EXPECT_TRUE(canvas == before);
}
