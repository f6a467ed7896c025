#include "NoiseImage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Four octaves of gradient noise; the coarsest has 4 lattice cells across the
// tile, each finer one twice as many, so every octave repeats with the tile.
const int kOctaves = 4;
const int kBaseCells = 4;
const double kPi = 3.14159265358979323846;

// An integer hash of a lattice point: the same gradients on every run, with no
// random generator involved.
std::uint32_t Hash(int channel, int octave, int i, int j) {
    std::uint32_t h = static_cast<std::uint32_t>(i) * 0x8da6b343u ^ static_cast<std::uint32_t>(j) * 0xd8163841u ^
                      static_cast<std::uint32_t>(channel * 4 + octave) * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

double Fade(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }

// Gradient noise on a lattice of `cells` x `cells`, wrapped; about -0.7 to 0.7.
double Octave(int channel, int octave, int cells, double u, double v) {
    const double x = u * cells, y = v * cells;
    const int i0 = static_cast<int>(std::floor(x)), j0 = static_cast<int>(std::floor(y));
    const double fx = x - i0, fy = y - j0;
    double corner[2][2];
    for (int dj = 0; dj < 2; ++dj) {
        for (int di = 0; di < 2; ++di) {
            const int i = ((i0 + di) % cells + cells) % cells;
            const int j = ((j0 + dj) % cells + cells) % cells;
            const double angle = (Hash(channel, octave, i, j) & 0xffffu) / 65536.0 * 2.0 * kPi;
            corner[dj][di] = std::cos(angle) * (fx - di) + std::sin(angle) * (fy - dj);
        }
    }
    const double sx = Fade(fx), sy = Fade(fy);
    const double top = corner[0][0] + (corner[0][1] - corner[0][0]) * sx;
    const double bottom = corner[1][0] + (corner[1][1] - corner[1][0]) * sx;
    return top + (bottom - top) * sy;
}

}  // namespace

double NoiseValue(int channel, int x, int y) {
    const int px = ((x % kNoiseSize) + kNoiseSize) % kNoiseSize;
    const int py = ((y % kNoiseSize) + kNoiseSize) % kNoiseSize;
    const double u = (px + 0.5) / kNoiseSize, v = (py + 0.5) / kNoiseSize;
    double sum = 0.0, amplitude = 1.0;
    for (int octave = 0, cells = kBaseCells; octave < kOctaves; ++octave, cells *= 2, amplitude *= 0.5) {
        sum += amplitude * Octave(channel, octave, cells, u, v);
    }
    return 0.5 + 0.55 * sum;
}

Canvas DrawNoiseImage() {
    Canvas canvas(kNoiseSize, kNoiseSize);
    for (int y = 0; y < kNoiseSize; ++y) {
        for (int x = 0; x < kNoiseSize; ++x) {
            std::uint8_t rgb[3];
            for (int c = 0; c < 3; ++c) {
                rgb[c] = static_cast<std::uint8_t>(std::lround(std::clamp(NoiseValue(c, x, y), 0.0, 1.0) * 255.0));
            }
            canvas.Set(x, y, rgb[0], rgb[1], rgb[2], 255);
        }
    }
    return canvas;
}
