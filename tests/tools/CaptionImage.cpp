#include "CaptionImage.h"
#include "ImageCatalog.h"

#include <gtest/gtest.h>

namespace {

const Canvas& Caption() {
    static const TrueTypeFont font(CaptionFontPath());
    static const Canvas canvas = DrawCaptionImage(font);
    return canvas;
}

int InkInRows(const Canvas& canvas, int first, int last) {
    int ink = 0;
    for (int y = first; y < last; ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            ink += canvas.Pixel(x, y)[3] != 0;
        }
    }
    return ink;
}

}  // namespace

TEST(CaptionImage, BandsLieInsideTheirStripAndNoOtherStrip) {
    for (int strip = 0; strip < kCaptionStripCount; ++strip) {
        const CaptionBand band = CaptionTextBand(strip);
        const double top = kCaptionSelectors[strip] * kCaptionHeight;
        const double bottom = top + kCaptionStripHeight * kCaptionHeight;
        EXPECT_GE(band.first, top);
        EXPECT_LE(band.last, bottom);
        EXPECT_GT(band.last - band.first, 200) << "strip " << strip;
        for (int other = 0; other < kCaptionStripCount; ++other) {
            const double otherTop = kCaptionSelectors[other] * kCaptionHeight;
            const double otherBottom = otherTop + kCaptionStripHeight * kCaptionHeight;
            if (other != strip) {
                EXPECT_TRUE(band.last <= otherTop || band.first >= otherBottom)
                    << "strip " << strip << " shows in strip " << other;
            }
        }
    }
    // The Growth and Greets windows share rows 574 to 614.
    EXPECT_LE(CaptionTextBand(1).last, 573);
    EXPECT_GE(CaptionTextBand(2).first, 615);
}

TEST(CaptionImage, EachSceneShowsOnlyItsOwnText) {
    const Canvas& canvas = Caption();
    ASSERT_EQ(canvas.Width(), 512);
    ASSERT_EQ(canvas.Height(), 2048);
    int previousLast = 0;
    for (int strip = 0; strip < kCaptionStripCount; ++strip) {
        const CaptionBand band = CaptionTextBand(strip);
        EXPECT_GT(InkInRows(canvas, band.first, band.last), 2000) << "strip " << strip;
        EXPECT_EQ(InkInRows(canvas, previousLast, band.first), 0) << "above strip " << strip;
        previousLast = band.last;
    }
    EXPECT_EQ(InkInRows(canvas, previousLast, canvas.Height()), 0);
}

TEST(CaptionImage, TextIsLightWithCoverageAsAlpha) {
    const Canvas& canvas = Caption();
    int solid = 0, edge = 0;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const std::uint8_t* p = canvas.Pixel(x, y);
            ASSERT_GE(std::min({p[0], p[1], p[2]}), 230) << x << "," << y;
            solid += p[3] == 255;
            edge += p[3] > 0 && p[3] < 255;
        }
    }
    // Large glyphs have solid cores and anti-aliased edges.
    EXPECT_GT(solid, 20000);
    EXPECT_GT(edge, 2000);
}

TEST(CaptionImage, TextKeepsClearOfTheSides) {
    const Canvas& canvas = Caption();
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(canvas.Pixel(x, y)[3], 0) << x << "," << y;
            ASSERT_EQ(canvas.Pixel(canvas.Width() - 1 - x, y)[3], 0) << x << "," << y;
        }
    }
}
