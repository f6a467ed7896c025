// Feeds arbitrary bytes to the image decoder that GDI+ bitmaps use, and reads
// back every pixel it claims to have decoded.
#include "ImageDecoder.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    gdiplus::DecodedImage image;
    if (!gdiplus::DecodeImage(data, size, image)) {
        if (image.width != 0 || image.height != 0 || !image.argb.empty()) std::abort();
        return 0;
    }
    const uint64_t pixels = static_cast<uint64_t>(image.width) * image.height;
    if (pixels == 0 || pixels > gdiplus::MaxImagePixels || image.argb.size() != pixels) std::abort();
    volatile uint32_t sum = 0;
    for (uint32_t argb : image.argb) sum = sum + argb;
    return 0;
}
