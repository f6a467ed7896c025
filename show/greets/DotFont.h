// The built-in alphabet of the Greets scene: 26 lower-case letters, each a
// grid of five rows of dots, turned once into dot positions and widths.
#pragma once

#include "vector3d.h"

#include <vector>

namespace VRK {

// One glyph as it is stored: five rows of `width` bytes, the top row first,
// a non-zero byte a dot.
struct GlyphBitmap {
    char bits[25];
    unsigned width;
};

class DotFont {
public:
    DotFont();
    ~DotFont();

    // The dots of c in its own plane: x the column, y = 4 - row, z = 0;
    // row by row from the top, left to right within a row.
    std::vector<VMath::Vector3D<float>> Glyph(char c) const;
    unsigned Width(char c) const;
    unsigned PointCount(char c) const;

private:
    void AddGlyph(const char* bits, unsigned width);
    unsigned Index(char c) const;

    std::vector<std::vector<VMath::Vector3D<float>>> glyphs_;
    std::vector<unsigned> widths_;
};

// The one font, built before the entry point runs and destroyed at exit.
extern DotFont dotFont;

}  // namespace VRK
