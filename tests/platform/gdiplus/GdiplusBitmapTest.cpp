#include <gdiplus.h>

#include "TestImages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using testimages::Picture;
using testimages::Wide;
using testimages::WriteFile;

constexpr Gdiplus::ARGB Untouched = 0x12345678u;

class GdiplusBitmap : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string pattern = ::testing::TempDir() + "gdiplus-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern + "/";
    }

    static void TearDownTestSuite() { std::filesystem::remove_all(folder_); }

    void SetUp() override {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&token_, &input, nullptr), Gdiplus::Ok);
    }

    void TearDown() override {
        if (token_) Gdiplus::GdiplusShutdown(token_);
    }

    static std::wstring PathOf(const std::string& name) { return Wide(folder_ + name); }

    // Every pixel of the image, and a ring of pixels around it, fail to read
    // and leave the colour alone.
    static void ExpectEveryReadFails(Gdiplus::Bitmap& bitmap, int width, int height) {
        for (int y = -1; y <= height; ++y) {
            for (int x = -1; x <= width; ++x) {
                Gdiplus::Color color(Untouched);
                ASSERT_NE(bitmap.GetPixel(x, y, &color), Gdiplus::Ok) << x << "," << y;
                ASSERT_EQ(color.GetValue(), Untouched);
            }
        }
    }

    static inline std::string folder_;
    ULONG_PTR token_ = 0;
};

const Picture fourPixels = {2, 2, {0x80FF4020u, 0xFF000000u, 0x00FFFFFFu, 0xFF10E0C0u}};

}  // namespace

TEST_F(GdiplusBitmap, PngPixelsComeBackAsArgb) {
    WriteFile(folder_ + "four.png", testimages::EncodePng(fourPixels));
    Gdiplus::Bitmap bitmap(PathOf("four.png").c_str(), FALSE);
    ASSERT_EQ(bitmap.GetLastStatus(), Gdiplus::Ok);
    EXPECT_EQ(bitmap.GetWidth(), 2u);
    EXPECT_EQ(bitmap.GetHeight(), 2u);

    Gdiplus::Color color;
    ASSERT_EQ(bitmap.GetPixel(0, 0, &color), Gdiplus::Ok);
    EXPECT_EQ(color.GetValue(), 0x80FF4020u);
    EXPECT_EQ(color.GetA(), 0x80);
    EXPECT_EQ(color.GetR(), 0xFF);
    EXPECT_EQ(color.GetG(), 0x40);
    EXPECT_EQ(color.GetB(), 0x20);
    // Rows top first, columns left to right.
    ASSERT_EQ(bitmap.GetPixel(1, 0, &color), Gdiplus::Ok);
    EXPECT_EQ(color.GetValue(), 0xFF000000u);
    ASSERT_EQ(bitmap.GetPixel(0, 1, &color), Gdiplus::Ok);
    EXPECT_EQ(color.GetValue(), 0x00FFFFFFu);
    ASSERT_EQ(bitmap.GetPixel(1, 1, &color), Gdiplus::Ok);
    EXPECT_EQ(color.GetValue(), 0xFF10E0C0u);
}

TEST_F(GdiplusBitmap, ReadsOutsideTheImageFailAndKeepTheColour) {
    WriteFile(folder_ + "edges.png", testimages::EncodePng(fourPixels));
    Gdiplus::Bitmap bitmap(PathOf("edges.png").c_str(), FALSE);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}, {2, 2}, {INT32_MIN, 0}, {0, INT32_MAX}}) {
        Gdiplus::Color color(Untouched);
        EXPECT_NE(bitmap.GetPixel(x, y, &color), Gdiplus::Ok) << x << "," << y;
        EXPECT_EQ(color.GetValue(), Untouched);
    }
    EXPECT_NE(bitmap.GetLastStatus(), Gdiplus::Ok);
    // Reading the status clears it.
    EXPECT_EQ(bitmap.GetLastStatus(), Gdiplus::Ok);
}

TEST_F(GdiplusBitmap, GifGivesItsFirstFrameWithTransparencyAsAlphaZero) {
    const uint32_t palette[4] = {0xFF0000u, 0x00FF00u, 0x0000FFu, 0xFFFFFFu};
    const std::vector<std::vector<uint8_t>> frames = {{0, 1, 2, 3, 3, 2}, {1, 1, 1, 1, 1, 1}};
    WriteFile(folder_ + "frames.gif", testimages::EncodeGif(3, 2, palette, frames, 3));
    Gdiplus::Bitmap bitmap(PathOf("frames.gif").c_str(), FALSE);
    ASSERT_EQ(bitmap.GetLastStatus(), Gdiplus::Ok);
    EXPECT_EQ(bitmap.GetWidth(), 3u);
    EXPECT_EQ(bitmap.GetHeight(), 2u);

    const Gdiplus::ARGB expected[6] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0, 0, 0xFF0000FFu};
    for (int i = 0; i < 6; ++i) {
        Gdiplus::Color color;
        ASSERT_EQ(bitmap.GetPixel(i % 3, i / 3, &color), Gdiplus::Ok);
        if (expected[i] == 0)
            EXPECT_EQ(color.GetA(), 0) << i;
        else
            EXPECT_EQ(color.GetValue(), expected[i]) << i;
    }
}

TEST_F(GdiplusBitmap, FileNamesMatchWithoutRegardToCase) {
    std::filesystem::create_directories(folder_ + "Images");
    WriteFile(folder_ + "Images/HexGrid.gif",
              testimages::EncodePng(Picture{1, 1, {0xFF112233u}}));
    for (const char* spelling : {"Images/HexGrid.gif", "Images/hexgrid.gif", "images/HEXGRID.GIF"}) {
        Gdiplus::Bitmap bitmap(PathOf(spelling).c_str(), FALSE);
        Gdiplus::Color color;
        ASSERT_EQ(bitmap.GetPixel(0, 0, &color), Gdiplus::Ok) << spelling;
        EXPECT_EQ(color.GetValue(), 0xFF112233u) << spelling;
    }
    // Windows' other separator.
    Gdiplus::Bitmap backslashed(PathOf("images\\hexgrid.gif").c_str(), FALSE);
    Gdiplus::Color color;
    EXPECT_EQ(backslashed.GetPixel(0, 0, &color), Gdiplus::Ok);
}

TEST_F(GdiplusBitmap, ExactNameWinsOverAnotherSpelling) {
    WriteFile(folder_ + "Pick.png", testimages::EncodePng(Picture{1, 1, {0xFFFF0000u}}));
    WriteFile(folder_ + "pick.png", testimages::EncodePng(Picture{1, 1, {0xFF0000FFu}}));
    auto pixelOf = [](const std::string& name) {
        Gdiplus::Bitmap bitmap(PathOf(name).c_str(), FALSE);
        Gdiplus::Color color(Untouched);
        bitmap.GetPixel(0, 0, &color);
        return color.GetValue();
    };
    EXPECT_EQ(pixelOf("Pick.png"), 0xFFFF0000u);
    EXPECT_EQ(pixelOf("pick.png"), 0xFF0000FFu);
    // With no exact name, the first spelling in byte order.
    EXPECT_EQ(pixelOf("PICK.PNG"), 0xFFFF0000u);
}

TEST_F(GdiplusBitmap, WidePathsWithNonAsciiNamesOpen) {
    WriteFile(folder_ + "gr\xC3\xBC\xC3\x9F" "e.png", testimages::EncodePng(Picture{1, 1, {0xFF445566u}}));
    const std::wstring path = Wide(folder_) + L"gr\u00FC\u00DFe.png";
    Gdiplus::Bitmap bitmap(path.c_str(), FALSE);
    Gdiplus::Color color;
    ASSERT_EQ(bitmap.GetPixel(0, 0, &color), Gdiplus::Ok);
    EXPECT_EQ(color.GetValue(), 0xFF445566u);
}

TEST_F(GdiplusBitmap, MissingOrBrokenFilesFailEveryRead) {
    const std::vector<unsigned char> png = testimages::EncodePng(fourPixels);
    const uint32_t palette[4] = {0xFF0000u, 0x00FF00u, 0x0000FFu, 0xFFFFFFu};
    const std::vector<unsigned char> gif = testimages::EncodeGif(2, 2, palette, {{0, 1, 2, 3}}, -1);
    WriteFile(folder_ + "half.png", std::vector<unsigned char>(png.begin(), png.begin() + png.size() / 2));
    WriteFile(folder_ + "half.gif", std::vector<unsigned char>(gif.begin(), gif.begin() + 20));
    WriteFile(folder_ + "text.png", std::vector<unsigned char>{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'g'});
    WriteFile(folder_ + "empty.png", {});
    std::filesystem::create_directories(folder_ + "folder.png");

    for (const char* name : {"missing.png", "nowhere/missing.png", "half.png", "half.gif", "text.png",
                             "empty.png", "folder.png"}) {
        SCOPED_TRACE(name);
        Gdiplus::Bitmap bitmap(PathOf(name).c_str(), FALSE);
        EXPECT_NE(bitmap.GetLastStatus(), Gdiplus::Ok);
        EXPECT_EQ(bitmap.GetWidth(), 0u);
        ExpectEveryReadFails(bitmap, 2, 2);
    }
}

TEST_F(GdiplusBitmap, NothingLoadsBeforeStartUp) {
    WriteFile(folder_ + "early.png", testimages::EncodePng(fourPixels));
    Gdiplus::GdiplusShutdown(token_);
    token_ = 0;
    Gdiplus::Bitmap bitmap(PathOf("early.png").c_str(), FALSE);
    EXPECT_EQ(bitmap.GetLastStatus(), Gdiplus::GdiplusNotInitialized);
    ExpectEveryReadFails(bitmap, 2, 2);
}

TEST(GdiplusStartup, AcceptsTheProgramsInputAndRejectsBadOnes) {
    Gdiplus::GdiplusStartupInput input;
    EXPECT_EQ(input.GdiplusVersion, 1u);
    EXPECT_EQ(input.DebugEventCallback, nullptr);
    EXPECT_FALSE(input.SuppressBackgroundThread);
    EXPECT_FALSE(input.SuppressExternalCodecs);

    ULONG_PTR token = 0;
    EXPECT_EQ(Gdiplus::GdiplusStartup(nullptr, &input, nullptr), Gdiplus::InvalidParameter);
    EXPECT_EQ(Gdiplus::GdiplusStartup(&token, nullptr, nullptr), Gdiplus::InvalidParameter);
    Gdiplus::GdiplusStartupInput futureVersion;
    futureVersion.GdiplusVersion = 9;
    EXPECT_EQ(Gdiplus::GdiplusStartup(&token, &futureVersion, nullptr), Gdiplus::UnsupportedGdiplusVersion);
    Gdiplus::GdiplusStartupInput noThread(nullptr, TRUE);
    EXPECT_EQ(Gdiplus::GdiplusStartup(&token, &noThread, nullptr), Gdiplus::InvalidParameter);

    ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    EXPECT_NE(token, 0u);
    Gdiplus::GdiplusShutdown(token);
}
