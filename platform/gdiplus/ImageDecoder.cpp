// Image decoding with stb_image, kept private to this file (static) so that
// another user of stb_image in the program cannot clash with it.
#include "ImageDecoder.h"

#include <climits>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 65536
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#endif
#include <stb/stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace gdiplus {

bool DecodeImage(const unsigned char* bytes, size_t size, DecodedImage& image) {
    image = DecodedImage();
    if (!bytes || size == 0 || size > static_cast<size_t>(INT_MAX)) return false;
    const int length = static_cast<int>(size);

    // Ask for the size first, so that a header claiming a huge image cannot
    // make the decoder allocate it.
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(bytes, length, &width, &height, &channels)) return false;
    if (width <= 0 || height <= 0 ||
        static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > MaxImagePixels)
        return false;

    stbi_uc* rgba = stbi_load_from_memory(bytes, length, &width, &height, &channels, 4);
    if (!rgba) return false;
    image.width = static_cast<uint32_t>(width);
    image.height = static_cast<uint32_t>(height);
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    image.argb.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const stbi_uc* pixel = rgba + 4 * i;
        image.argb[i] = (static_cast<uint32_t>(pixel[3]) << 24) | (static_cast<uint32_t>(pixel[0]) << 16) |
                        (static_cast<uint32_t>(pixel[1]) << 8) | static_cast<uint32_t>(pixel[2]);
    }
    stbi_image_free(rgba);
    return true;
}

}  // namespace gdiplus
