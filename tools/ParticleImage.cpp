#include "ParticleImage.h"

#include <cmath>
#include <cstdint>

namespace {

std::uint8_t Level(double value) {
    return static_cast<std::uint8_t>(std::lround(std::fmin(std::fmax(value, 0.0), 1.0) * 255.0));
}

// Polynomials only (and the square root, which IEEE rounds exactly): the
// same bytes from every C library.
double Falloff(double r2, double reach, int power) {
    const double t = std::fmax(1.0 - r2 / (reach * reach), 0.0);
    double result = 1.0;
    for (int i = 0; i < power; ++i) result *= t;
    return result;
}

}  // namespace

Canvas DrawParticleImage() {
    const int size = kParticleSize;
    Canvas canvas(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double dx = (x + 0.5) / (0.5 * size) - 1.0;
            const double dy = (y + 0.5) / (0.5 * size) - 1.0;
            // The square of the distance from the centre, 1 at the rim.
            const double r2 = dx * dx + dy * dy;
            const double glow = Falloff(r2, 1.0, 3);
            const double heart = Falloff(r2, 0.55, 2);
            canvas.Set(x, y, Level(0.93 + 0.07 * heart), Level(0.50 + 0.38 * heart), Level(0.22 + 0.44 * heart),
                       Level(glow));
        }
    }
    return canvas;
}
