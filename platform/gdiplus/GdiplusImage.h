// Inside the platform: what a GDI+ image handle holds. A bitmap is decoded
// whole when it is created, so that reading a pixel is a plain array read.
#pragma once

#include <gdiplus.h>

#include "ImageDecoder.h"

#include <utility>

namespace Gdiplus {

class GpImage {
public:
    virtual ~GpImage() = default;
};

class GpBitmap : public GpImage {
public:
    explicit GpBitmap(gdiplus::DecodedImage pixels) : pixels_(std::move(pixels)) {}

    UINT Width() const { return pixels_.width; }
    UINT Height() const { return pixels_.height; }
    ARGB Pixel(UINT x, UINT y) const { return pixels_.argb[static_cast<size_t>(y) * pixels_.width + x]; }

private:
    gdiplus::DecodedImage pixels_;
};

}  // namespace Gdiplus
