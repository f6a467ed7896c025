#include "DotFont.h"

#include <cassert>

namespace VRK {

namespace {

const GlyphBitmap glyphBitmaps[26] = {
    {{1, 1, 1, 0,  1, 0, 0, 1,  1, 1, 1, 1,  1, 0, 0, 1,  1, 0, 0, 1}, 4},  // a
    {{1, 1, 1, 0,  1, 0, 0, 1,  1, 1, 1, 0,  1, 0, 0, 1,  1, 1, 1, 1}, 4},  // b
    {{1, 1, 1, 1,  1, 0, 0, 0,  1, 0, 0, 0,  1, 0, 0, 0,  1, 1, 1, 1}, 4},  // c
    {{1, 1, 1, 0,  1, 0, 0, 1,  1, 0, 0, 1,  1, 0, 0, 1,  1, 1, 1, 1}, 4},  // d
    {{1, 1, 1, 1,  1, 0, 0, 0,  1, 1, 1, 0,  1, 0, 0, 0,  1, 1, 1, 1}, 4},  // e
    {{1, 1, 1, 1,  1, 0, 0, 0,  1, 1, 1, 0,  1, 0, 0, 0,  1, 0, 0, 0}, 4},  // f
    {{1, 1, 1, 1,  1, 0, 0, 0,  1, 0, 1, 1,  1, 0, 0, 1,  1, 1, 1, 1}, 4},  // g
    {{1, 0, 0, 1,  1, 0, 0, 1,  1, 1, 1, 1,  1, 0, 0, 1,  1, 0, 0, 1}, 4},  // h
    {{1, 1, 1, 1, 1}, 1},  // i
    {{0, 0, 0, 1,  0, 0, 0, 1,  0, 0, 0, 1,  1, 0, 0, 1,  0, 1, 1, 0}, 4},  // j
    {{1, 0, 0, 1,  1, 0, 1, 0,  1, 1, 0, 0,  1, 0, 1, 0,  1, 0, 0, 1}, 4},  // k
    {{1, 0, 0, 0,  1, 0, 0, 0,  1, 0, 0, 0,  1, 0, 0, 0,  1, 1, 1, 1}, 4},  // l
    {{1, 0, 0, 0, 1,  1, 1, 0, 1, 1,  1, 0, 1, 0, 1,  1, 0, 0, 0, 1,  1, 0, 0, 0, 1}, 5},  // m
    {{1, 0, 0, 1,  1, 1, 0, 1,  1, 1, 1, 1,  1, 0, 1, 1,  1, 0, 0, 1}, 4},  // n
    {{1, 1, 1, 0,  1, 0, 0, 1,  1, 0, 0, 1,  1, 0, 0, 1,  0, 1, 1, 1}, 4},  // o
    {{1, 1, 1, 0,  1, 0, 0, 1,  1, 1, 1, 1,  1, 0, 0, 0,  1, 0, 0, 0}, 4},  // p
    {{1, 1, 1, 0, 0,  1, 0, 0, 1, 0,  1, 0, 0, 1, 0,  1, 0, 1, 1, 0,  0, 1, 1, 1, 1}, 5},  // q
    {{1, 1, 1, 0,  1, 0, 0, 1,  1, 1, 1, 1,  1, 0, 1, 0,  1, 0, 0, 1}, 4},  // r
    {{1, 1, 1, 1,  1, 0, 0, 0,  1, 1, 1, 1,  0, 0, 0, 1,  1, 1, 1, 1}, 4},  // s
    {{1, 1, 1, 1, 1,  0, 0, 1, 0, 0,  0, 0, 1, 0, 0,  0, 0, 1, 0, 0,  0, 0, 1, 0, 0}, 5},  // t
    {{1, 0, 0, 1,  1, 0, 0, 1,  1, 0, 0, 1,  1, 0, 0, 1,  0, 1, 1, 1}, 4},  // u
    {{1, 0, 0, 1,  1, 0, 0, 1,  0, 1, 0, 1,  0, 0, 1, 1,  0, 0, 0, 1}, 4},  // v
    {{1, 0, 1, 0, 1,  1, 0, 1, 0, 1,  1, 0, 1, 0, 1,  1, 0, 1, 0, 1,  0, 1, 1, 1, 1}, 5},  // w
    {{1, 0, 0, 1,  1, 0, 0, 1,  0, 1, 1, 0,  1, 0, 0, 1,  1, 0, 0, 1}, 4},  // x
    {{1, 0, 0, 1,  1, 0, 0, 1,  1, 1, 1, 1,  0, 0, 0, 1,  0, 0, 0, 1}, 4},  // y
    {{1, 1, 1, 1,  0, 0, 1, 0,  0, 1, 1, 0,  0, 1, 0, 0,  1, 1, 1, 1}, 4},  // z
};

}  // namespace

// A global of the show: the C runtime builds it during static initialisation
// and destroys it at process exit, after the show has ended.
DotFont dotFont;

DotFont::DotFont() {
    for (const GlyphBitmap& glyph : glyphBitmaps)
        AddGlyph(glyph.bits, glyph.width);
}

DotFont::~DotFont() {}

void DotFont::AddGlyph(const char* bits, unsigned width) {
    std::vector<VMath::Vector3D<float>> dots;
    for (unsigned row = 0; row < 5; ++row)
        for (unsigned column = 0; column < width; ++column)
            if (bits[row * width + column] != 0)
                dots.push_back(VMath::Vector3D<float>(static_cast<float>(column), static_cast<float>(4 - row), 0.0f));
    glyphs_.push_back(dots);
    widths_.push_back(width);
}

unsigned DotFont::Index(char c) const {
    // Unsigned, so that a character before 'a' wraps far outside the table.
    const unsigned index = static_cast<unsigned>(c - 'a');
    assert(index < glyphs_.size());
    return index;
}

std::vector<VMath::Vector3D<float>> DotFont::Glyph(char c) const { return glyphs_[Index(c)]; }

unsigned DotFont::Width(char c) const { return widths_[Index(c)]; }

unsigned DotFont::PointCount(char c) const { return static_cast<unsigned>(glyphs_[Index(c)].size()); }

}  // namespace VRK
