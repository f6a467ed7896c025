#include "Canvas.h"

#include <cassert>
#include <cstddef>

Canvas::Canvas(int width, int height)
    : width_(width), height_(height),
      rgba_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0) {
    assert(width > 0 && height > 0);
}

void Canvas::Fill(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    for (std::size_t i = 0; i < rgba_.size(); i += 4) {
        rgba_[i] = r;
        rgba_[i + 1] = g;
        rgba_[i + 2] = b;
        rgba_[i + 3] = a;
    }
}

void Canvas::Set(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    assert(x >= 0 && x < width_ && y >= 0 && y < height_);
    std::uint8_t* p = &rgba_[(static_cast<std::size_t>(y) * width_ + x) * 4];
    p[0] = r;
    p[1] = g;
    p[2] = b;
    p[3] = a;
}

void Canvas::Cover(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b, int coverage) {
    if (x < 0 || x >= width_ || y < 0 || y >= height_ || coverage <= 0) {
        return;
    }
    if (coverage > 255) {
        coverage = 255;
    }
    std::uint8_t* p = &rgba_[(static_cast<std::size_t>(y) * width_ + x) * 4];
    // Integer arithmetic keeps the result identical on every compiler.
    const int dstAlpha = p[3] * (255 - coverage);  // scaled by 255
    const int outAlpha = coverage * 255 + dstAlpha;  // scaled by 255
    if (outAlpha == 0) {
        return;
    }
    const std::uint8_t src[3] = {r, g, b};
    for (int c = 0; c < 3; ++c) {
        const int mixed = src[c] * coverage * 255 + p[c] * dstAlpha;
        p[c] = static_cast<std::uint8_t>((mixed + outAlpha / 2) / outAlpha);
    }
    p[3] = static_cast<std::uint8_t>((outAlpha + 127) / 255);
}

const std::uint8_t* Canvas::Pixel(int x, int y) const {
    assert(x >= 0 && x < width_ && y >= 0 && y < height_);
    return &rgba_[(static_cast<std::size_t>(y) * width_ + x) * 4];
}

bool Canvas::operator==(const Canvas& other) const {
    return width_ == other.width_ && height_ == other.height_ && rgba_ == other.rgba_;
}
