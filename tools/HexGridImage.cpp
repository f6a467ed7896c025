#include "HexGridImage.h"

#include <algorithm>
#include <cmath>

namespace {

// The lattice is laid out with a circumradius of 1: a tile holds two periods
// across (3 each) and five down (sqrt 3 each). That rectangle is 0.69 wide for
// 1 high, between the proportions at which the overlay (about 0.65) and the
// grounds (0.8) show the tile, so the cells look regular enough in both.
const double kRoot3 = std::sqrt(3.0);
const double kTileWidth = 6.0;
const double kTileHeight = 5.0 * kRoot3;
const double kApothem = kRoot3 / 2.0;
const double kScaleX = kHexGridWidth / kTileWidth;    // texels per lattice unit
const double kScaleY = kHexGridHeight / kTileHeight;

const double kLineHalfWidth = 1.15;  // texels
const double kJointRadius = 2.4;     // texels: a small dot where three edges meet
const int kSamples = 6;              // per axis, per texel

struct Normal {
    double x;
    double y;
};
const Normal kEdgeNormals[3] = {{kRoot3 / 2.0, 0.5}, {kRoot3 / 2.0, -0.5}, {0.0, 1.0}};

// Distance in texels from a point to the outlines, including the joint dots.
double OutlineDistance(double tx, double ty) {
    const double ux = tx / kScaleX;
    const double uy = ty / kScaleY;

    // The nearest centre is the one whose hexagon holds the point.
    double bestNorm = 1e9, qx = 0.0, qy = 0.0;
    const int column = static_cast<int>(std::floor(ux / 1.5));
    for (int i = column - 1; i <= column + 1; ++i) {
        const double cx = 1.5 * i;
        const double rowShift = (i & 1) ? 0.5 : 0.0;
        const int row = static_cast<int>(std::floor(uy / kRoot3 - rowShift));
        for (int j = row - 1; j <= row + 1; ++j) {
            const double cy = kRoot3 * (j + rowShift);
            const double dx = ux - cx, dy = uy - cy;
            double norm = 0.0;
            for (const Normal& n : kEdgeNormals) {
                norm = std::max(norm, std::fabs(n.x * dx + n.y * dy));
            }
            if (norm < bestNorm) {
                bestNorm = norm;
                qx = dx;
                qy = dy;
            }
        }
    }

    double distance = 1e9;
    for (const Normal& n : kEdgeNormals) {
        const double gradient = std::sqrt((n.x / kScaleX) * (n.x / kScaleX) + (n.y / kScaleY) * (n.y / kScaleY));
        distance = std::min(distance, (kApothem - std::fabs(n.x * qx + n.y * qy)) / gradient);
    }
    const double vertexX[6] = {1.0, 0.5, -0.5, -1.0, -0.5, 0.5};
    const double vertexY[6] = {0.0, kApothem, kApothem, 0.0, -kApothem, -kApothem};
    for (int k = 0; k < 6; ++k) {
        const double ex = (qx - vertexX[k]) * kScaleX, ey = (qy - vertexY[k]) * kScaleY;
        distance = std::min(distance, std::sqrt(ex * ex + ey * ey) - (kJointRadius - kLineHalfWidth));
    }
    return distance;
}

}  // namespace

double HexGridCoverage(int x, int y) {
    int inside = 0;
    for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
            const double px = x + (sx + 0.5) / kSamples;
            const double py = y + (sy + 0.5) / kSamples;
            if (OutlineDistance(px, py) < kLineHalfWidth) {
                ++inside;
            }
        }
    }
    return static_cast<double>(inside) / (kSamples * kSamples);
}

Canvas DrawHexGridImage() {
    // GIF transparency is all or nothing: a texel is outline when the lines
    // cover at least half of it. Transparent texels keep the outline colour so
    // that filtering towards them never darkens the lines.
    Canvas canvas(kHexGridWidth, kHexGridHeight);
    canvas.Fill(255, 255, 255, 0);
    for (int y = 0; y < kHexGridHeight; ++y) {
        for (int x = 0; x < kHexGridWidth; ++x) {
            if (HexGridCoverage(x, y) >= 0.5) {
                canvas.Set(x, y, 255, 255, 255, 255);
            }
        }
    }
    return canvas;
}
