#include "HaloGradientImage.h"

#include <algorithm>
#include <cmath>

namespace {

struct Stop {
    double at;
    double r, g, b;
};

// Cool violet inside, a white-gold core, then amber and ember red fading out:
// the colours of a corona round a dark disc.
const Stop kStops[] = {
    {0.00, 0.05, 0.02, 0.16}, {0.18, 0.22, 0.12, 0.55}, {0.34, 0.45, 0.55, 0.95}, {0.46, 0.85, 0.92, 1.00},
    {0.52, 1.00, 0.97, 0.86}, {0.60, 1.00, 0.80, 0.42}, {0.74, 0.93, 0.45, 0.12}, {0.88, 0.55, 0.12, 0.06},
    {1.00, 0.12, 0.02, 0.03},
};

std::uint8_t ToByte(double value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

}  // namespace

Canvas DrawHaloGradientImage() {
    Canvas canvas(kHaloGradientWidth, kHaloGradientHeight);
    const int stops = static_cast<int>(sizeof kStops / sizeof kStops[0]);
    for (int x = 0; x < kHaloGradientWidth; ++x) {
        const double u = (x + 0.5) / kHaloGradientWidth;
        int k = 0;
        while (k + 2 < stops && u > kStops[k + 1].at) {
            ++k;
        }
        const Stop& a = kStops[k];
        const Stop& b = kStops[k + 1];
        // Smoothstep between stops: no visible kinks where the ramp changes slope.
        double s = std::clamp((u - a.at) / (b.at - a.at), 0.0, 1.0);
        s = s * s * (3.0 - 2.0 * s);
        const std::uint8_t r = ToByte(a.r + (b.r - a.r) * s);
        const std::uint8_t g = ToByte(a.g + (b.g - a.g) * s);
        const std::uint8_t bl = ToByte(a.b + (b.b - a.b) * s);
        for (int y = 0; y < kHaloGradientHeight; ++y) {
            canvas.Set(x, y, r, g, bl, 255);
        }
    }
    return canvas;
}
