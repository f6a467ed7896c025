#include "greets/DotFont.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using VRK::dotFont;

namespace {

typedef std::vector<VMath::Vector3D<float>> Dots;

// The glyph's dots drawn back into rows of '#' and '.', top row first.
std::string Picture(char c) {
    const unsigned width = dotFont.Width(c);
    std::string rows(5 * (width + 1), '.');
    for (unsigned row = 0; row < 5; ++row) rows[row * (width + 1) + width] = '/';
    for (const VMath::Vector3D<float>& d : dotFont.Glyph(c))
        rows[(4 - static_cast<unsigned>(d.y)) * (width + 1) + static_cast<unsigned>(d.x)] = '#';
    return rows;
}

void ExpectDot(const VMath::Vector3D<float>& d, float x, float y) {
    EXPECT_EQ(x, d.x);
    EXPECT_EQ(y, d.y);
    EXPECT_EQ(0.0f, d.z);
}

}  // namespace

TEST(DotFont, GlyphsListTheirDotsRowByRowFromTheTop) {
    // Built before the test program's entry point, like the show's.
    const Dots i = dotFont.Glyph('i');
    ASSERT_EQ(5u, i.size());
    EXPECT_EQ(1u, dotFont.Width('i'));
    for (unsigned k = 0; k < 5; ++k) ExpectDot(i[k], 0.0f, 4.0f - k);

    const Dots a = dotFont.Glyph('a');
    ASSERT_EQ(13u, a.size());
    ExpectDot(a[0], 0, 4);
    ExpectDot(a[1], 1, 4);
    ExpectDot(a[2], 2, 4);
    ExpectDot(a[3], 0, 3);
    ExpectDot(a[4], 3, 3);
    ExpectDot(a[11], 0, 0);
    ExpectDot(a[12], 3, 0);
    ExpectDot(dotFont.Glyph('j')[0], 3, 4);

    unsigned most = 0, fewest = 100;
    char mostLetter = 0, fewestLetter = 0;
    for (char c = 'a'; c <= 'z'; ++c) {
        const std::string wide = "mqtw";
        const unsigned width = c == 'i' ? 1u : wide.find(c) != std::string::npos ? 5u : 4u;
        EXPECT_EQ(width, dotFont.Width(c)) << c;
        const Dots dots = dotFont.Glyph(c);
        EXPECT_EQ(dots.size(), dotFont.PointCount(c)) << c;
        for (const VMath::Vector3D<float>& d : dots) {
            EXPECT_TRUE(d.x >= 0.0f && d.x <= width - 1.0f && d.y >= 0.0f && d.y <= 4.0f && d.z == 0.0f) << c;
            EXPECT_EQ(static_cast<float>(static_cast<int>(d.x)), d.x) << c;
            EXPECT_EQ(static_cast<float>(static_cast<int>(d.y)), d.y) << c;
        }
        if (dots.size() > most) most = dots.size(), mostLetter = c;
        if (dots.size() < fewest) fewest = dots.size(), fewestLetter = c;
    }
    EXPECT_EQ('w', mostLetter);
    EXPECT_EQ(16u, most);
    EXPECT_EQ('i', fewestLetter);
    EXPECT_EQ(5u, fewest);

    // The irregular shapes as they are drawn.
    EXPECT_EQ("###./#..#/#..#/#..#/####/", Picture('d'));
    EXPECT_EQ("###./#..#/#..#/#..#/.###/", Picture('o'));
    EXPECT_EQ("#..#/#..#/.#.#/..##/...#/", Picture('v'));
    EXPECT_EQ("...#/...#/...#/#..#/.##./", Picture('j'));
    EXPECT_EQ("#.#.#/#.#.#/#.#.#/#.#.#/.####/", Picture('w'));
    EXPECT_EQ("###../#..#./#..#./#.##./.####/", Picture('q'));

    // Copies: equal, and changing one leaves the font alone.
    Dots first = dotFont.Glyph('k');
    const Dots second = dotFont.Glyph('k');
    ASSERT_EQ(first.size(), second.size());
    for (size_t k = 0; k < first.size(); ++k) {
        EXPECT_EQ(first[k].x, second[k].x);
        EXPECT_EQ(first[k].y, second[k].y);
    }
    first[0].x = 99.0f;
    first.pop_back();
    EXPECT_EQ(0.0f, dotFont.Glyph('k')[0].x);
    EXPECT_EQ(second.size(), dotFont.PointCount('k'));
}

TEST(DotFontDeathTest, ACharacterOutsideTheAlphabetStopsTheProgram) {
    EXPECT_DEATH(dotFont.Width('A'), "index < glyphs_.size\\(\\)");
    EXPECT_DEATH(dotFont.Glyph('{'), "index < glyphs_.size\\(\\)");
    EXPECT_DEATH(dotFont.PointCount(' '), "index < glyphs_.size\\(\\)");
}
