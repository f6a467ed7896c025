#include "TrueTypeFont.h"
#include "ImageCatalog.h"

#include <gtest/gtest.h>

namespace {

struct InkBox {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

InkBox Ink(const Canvas& canvas) {
    InkBox box;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.Pixel(x, y)[3] >= 128) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x + 1);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y + 1);
            }
        }
    }
    return box;
}

}  // namespace

TEST(TrueTypeFont, MissingFileLeavesNothingDrawn) {
    const TrueTypeFont font("no/such/font.ttf");
    EXPECT_FALSE(font.IsLoaded());
    Canvas canvas(16, 16);
    const Canvas before = canvas;
    font.DrawText(canvas, TextStyle{}, 0, 12, "H", 255, 255, 255);
    EXPECT_TRUE(canvas == before);
    EXPECT_EQ(font.MeasureText(TextStyle{}, "H"), 0.0);
}

TEST(TrueTypeFont, CapitalsStandOnTheBaselineAtTheCapHeight) {
    const TrueTypeFont font(CaptionFontPath());
    ASSERT_TRUE(font.IsLoaded());
    Canvas canvas(200, 100);
    TextStyle style;
    style.capHeight = 50.0;
    font.DrawText(canvas, style, 20.0, 80.0, "HEH", 255, 255, 255);
    const InkBox box = Ink(canvas);
    EXPECT_NEAR(box.bottom, 80, 1);
    EXPECT_NEAR(box.top, 30, 1);
    EXPECT_NEAR(box.left, 20, 6);
    EXPECT_NEAR(box.right - 20, font.MeasureText(style, "HEH"), 8);
}

TEST(TrueTypeFont, SqueezeAndTrackingChangeWidthOnly) {
    const TrueTypeFont font(CaptionFontPath());
    ASSERT_TRUE(font.IsLoaded());
    TextStyle plain;
    plain.capHeight = 40.0;
    TextStyle narrow = plain;
    narrow.widthScale = 0.5;
    TextStyle spaced = plain;
    spaced.tracking = 0.25;
    const double width = font.MeasureText(plain, "GROWTH");
    EXPECT_NEAR(font.MeasureText(narrow, "GROWTH"), width / 2.0, 1e-6);
    // Tracking adds a quarter em (40 / 0.729 px) between each of the five pairs.
    EXPECT_NEAR(font.MeasureText(spaced, "GROWTH") - width, 5 * 0.25 * 40.0 / 0.729, 2.0);

    Canvas wide(300, 60), squeezed(300, 60);
    font.DrawText(wide, plain, 0.0, 50.0, "GROWTH", 255, 255, 255);
    font.DrawText(squeezed, narrow, 0.0, 50.0, "GROWTH", 255, 255, 255);
    const InkBox a = Ink(wide), b = Ink(squeezed);
    EXPECT_EQ(a.top, b.top);
    EXPECT_EQ(a.bottom, b.bottom);
    EXPECT_NEAR(b.right - b.left, (a.right - a.left) / 2.0, 2.0);
}
