// Inside the platform: PNG and GIF files decoded into ARGB pixels, the one
// decoding path behind GDI+'s bitmaps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gdiplus {

struct DecodedImage {
    uint32_t width = 0;
    uint32_t height = 0;
    // Rows top first; alpha in bits 24 to 31, then red, green and blue.
    std::vector<uint32_t> argb;
};

// The first frame of a GIF; transparent GIF pixels come out with alpha 0.
// False for anything that is not a whole PNG or GIF image, and for images of
// more than MaxImagePixels pixels.
bool DecodeImage(const unsigned char* bytes, size_t size, DecodedImage& image);

constexpr uint64_t MaxImagePixels = 16u * 1024u * 1024u;

}  // namespace gdiplus
