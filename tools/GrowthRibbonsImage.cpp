#include "GrowthRibbonsImage.h"

#include <cmath>
#include <cstdint>

namespace {

struct Colour {
    int r, g, b;
};

const Colour kTeal = {20, 120, 132};
const Colour kDeepBlue = {26, 76, 132};
const Colour kCoral = {232, 96, 70};
const Colour kAqua = {64, 176, 178};
const Colour kGold = {232, 164, 56};

// One band along x: its centre, its half length and its colour. Bands that
// cross the right edge come round again at the left.
struct Band {
    double centre;
    double halfLength;
    Colour colour;
};

const Band kBands[] = {
    {30.0, 28.0, kTeal},  {75.0, 6.0, kCoral},  {104.0, 14.0, kDeepBlue}, {132.0, 5.0, kAqua},
    {162.0, 18.0, kTeal}, {196.0, 9.0, kGold}, {226.0, 12.0, kDeepBlue}, {250.0, 3.5, kCoral},
};

// Shade levels across the width: few enough that five colours and white stay
// within one GIF palette.
const int kShadeLevels = 32;

std::uint8_t Mix(int colour, double amount) {
    return static_cast<std::uint8_t>(std::lround(255.0 + (colour - 255.0) * amount));
}

}  // namespace

Canvas DrawGrowthRibbonsImage() {
    const int size = kGrowthRibbonsSize;
    Canvas canvas(size, size);
    canvas.Fill(255, 255, 255, 255);
    for (int y = 0; y < size; ++y) {
        // -1 at one edge of the ribbon, 1 at the other.
        const double across = (y + 0.5) / (0.5 * size) - 1.0;
        // Deep in the middle, pale at the edges: a gentle curl.
        const double depth = std::sqrt(1.0 - across * across);
        const double shade = std::floor(depth * kShadeLevels) / kShadeLevels;
        // The band ends are rounded: shorter towards the edges.
        const double rounding = 1.0 - std::sqrt(1.0 - across * across);
        for (const Band& band : kBands) {
            const double reach = band.halfLength - std::fmin(band.halfLength, 6.0) * rounding;
            for (int x = 0; x < size; ++x) {
                double dx = std::fabs(x + 0.5 - band.centre);
                dx = std::fmin(dx, size - dx);
                if (dx <= reach) {
                    canvas.Set(x, y, Mix(band.colour.r, shade), Mix(band.colour.g, shade),
                               Mix(band.colour.b, shade), 255);
                }
            }
        }
    }
    return canvas;
}
