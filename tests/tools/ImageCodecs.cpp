#include "GifCodec.h"
#include "PngCodec.h"

#include <gtest/gtest.h>

namespace {

Canvas Gradient(int width, int height) {
    Canvas canvas(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            canvas.Set(x, y, static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 13),
                       static_cast<std::uint8_t>((x ^ y) * 3), static_cast<std::uint8_t>(x * y));
        }
    }
    return canvas;
}

}  // namespace

TEST(PngCodec, RoundTripKeepsEveryPixelAndAlpha) {
    const Canvas canvas = Gradient(37, 19);
    const std::vector<std::uint8_t> bytes = EncodePng(canvas);
    ASSERT_FALSE(bytes.empty());
    const auto decoded = DecodePng(bytes);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_TRUE(*decoded == canvas);
    // The same picture always gives the same file.
    EXPECT_EQ(EncodePng(canvas), bytes);
}

TEST(PngCodec, RejectsWhatIsNotAWholePng) {
    std::vector<std::uint8_t> bytes = EncodePng(Gradient(8, 8));
    EXPECT_FALSE(DecodePng({1, 2, 3}).has_value());
    bytes.resize(bytes.size() / 2);
    EXPECT_FALSE(DecodePng(bytes).has_value());
}

TEST(GifCodec, TransparentAndOpaquePixelsSurviveARoundTrip) {
    Canvas canvas(5, 3);
    canvas.Fill(255, 255, 255, 0);
    canvas.Set(1, 1, 255, 255, 255, 255);
    canvas.Set(2, 1, 10, 20, 30, 255);
    canvas.Set(4, 2, 10, 20, 30, 255);
    const auto bytes = EncodeGif(canvas);
    ASSERT_TRUE(bytes.has_value());
    ASSERT_GE(bytes->size(), 6u);
    EXPECT_EQ(std::string(bytes->begin(), bytes->begin() + 6), "GIF89a");
    const auto decoded = DecodeGif(*bytes);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_TRUE(*decoded == canvas);
    EXPECT_EQ(*EncodeGif(canvas), *bytes);
}

TEST(GifCodec, RefusesPicturesAGifCannotHold) {
    Canvas partial(2, 1);
    partial.Fill(255, 255, 255, 255);
    partial.Set(1, 0, 255, 255, 255, 128);
    EXPECT_FALSE(EncodeGif(partial).has_value());

    // 255 opaque colours and a transparent entry fill the palette; one more does not fit.
    Canvas full(256, 1);
    full.Set(0, 0, 0, 0, 0, 0);
    for (int x = 1; x < 256; ++x) {
        full.Set(x, 0, static_cast<std::uint8_t>(x), 0, 0, 255);
    }
    EXPECT_TRUE(EncodeGif(full).has_value());
    Canvas tooMany(257, 1);
    for (int x = 0; x < 257; ++x) {
        tooMany.Set(x, 0, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(x / 256), 0, 255);
    }
    EXPECT_FALSE(EncodeGif(tooMany).has_value());
}

TEST(GifCodec, RejectsWhatIsNotAGif) {
    EXPECT_FALSE(DecodeGif({'G', 'I', 'F'}).has_value());
    EXPECT_FALSE(DecodeGif({}).has_value());
}
