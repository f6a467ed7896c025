// Image files written by tests and benchmarks: PNG through stb_image_write
// (an encoder independent of the decoder under test) and GIF written here.
#pragma once

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace testimages {

// Pixels as ARGB values, rows top first.
struct Picture {
    int width;
    int height;
    std::vector<uint32_t> argb;
};

inline std::vector<unsigned char> EncodePng(const Picture& picture) {
    std::vector<unsigned char> rgba;
    for (uint32_t argb : picture.argb) {
        rgba.push_back(static_cast<unsigned char>(argb >> 16));
        rgba.push_back(static_cast<unsigned char>(argb >> 8));
        rgba.push_back(static_cast<unsigned char>(argb));
        rgba.push_back(static_cast<unsigned char>(argb >> 24));
    }
    int length = 0;
    unsigned char* png =
        stbi_write_png_to_mem(rgba.data(), picture.width * 4, picture.width, picture.height, 4, &length);
    std::vector<unsigned char> bytes(png, png + length);
    STBIW_FREE(png);
    return bytes;
}

// A GIF of one or more frames over a four-colour palette (RGB values);
// frames give palette indices, and the transparent index (or -1) applies to
// the first frame. The codes are written with a clear code before each
// pixel, so that the code width stays at three bits.
inline std::vector<unsigned char> EncodeGif(int width, int height, const uint32_t (&palette)[4],
                                            const std::vector<std::vector<uint8_t>>& frames, int transparent) {
    std::vector<unsigned char> out = {'G', 'I', 'F', '8', '9', 'a'};
    auto put16 = [&out](int value) {
        out.push_back(static_cast<unsigned char>(value & 0xFF));
        out.push_back(static_cast<unsigned char>(value >> 8));
    };
    put16(width);
    put16(height);
    out.push_back(0xF1);  // global palette of 4 entries, 8 bits per primary
    out.push_back(0);
    out.push_back(0);
    for (uint32_t rgb : palette) {
        out.push_back(static_cast<unsigned char>(rgb >> 16));
        out.push_back(static_cast<unsigned char>(rgb >> 8));
        out.push_back(static_cast<unsigned char>(rgb));
    }
    for (size_t f = 0; f < frames.size(); ++f) {
        if (f == 0 && transparent >= 0) {
            out.insert(out.end(), {0x21, 0xF9, 0x04, 0x01, 0x00, 0x00,
                                   static_cast<unsigned char>(transparent), 0x00});
        }
        out.push_back(0x2C);
        put16(0);
        put16(0);
        put16(width);
        put16(height);
        out.push_back(0);
        out.push_back(2);  // minimum code size: clear 4, end 5

        std::vector<unsigned char> packed;
        uint32_t bits = 0;
        int bitCount = 0;
        auto code = [&](uint32_t value) {
            bits |= value << bitCount;
            bitCount += 3;
            while (bitCount >= 8) {
                packed.push_back(static_cast<unsigned char>(bits & 0xFF));
                bits >>= 8;
                bitCount -= 8;
            }
        };
        for (uint8_t index : frames[f]) {
            code(4);
            code(index);
        }
        code(5);
        if (bitCount > 0) packed.push_back(static_cast<unsigned char>(bits & 0xFF));
        for (size_t i = 0; i < packed.size(); i += 255) {
            const size_t block = std::min<size_t>(255, packed.size() - i);
            out.push_back(static_cast<unsigned char>(block));
            out.insert(out.end(), packed.begin() + i, packed.begin() + i + block);
        }
        out.push_back(0);
    }
    out.push_back(0x3B);
    return out;
}

inline void WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace testimages
