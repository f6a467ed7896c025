// GDI+'s image classes: thin wrappers over the flat functions that remember
// the last failure.
#include "GdiplusImage.h"

namespace Gdiplus {

Image::~Image() {
    if (nativeImage) DllExports::GdipDisposeImage(nativeImage);
}

Status Image::GetLastStatus() const {
    const Status last = lastResult;
    lastResult = Ok;
    return last;
}

Status Image::SetStatus(Status status) const {
    if (status != Ok) lastResult = status;
    return status;
}

UINT Image::GetWidth() {
    UINT width = 0;
    SetStatus(DllExports::GdipGetImageWidth(nativeImage, &width));
    return width;
}

UINT Image::GetHeight() {
    UINT height = 0;
    SetStatus(DllExports::GdipGetImageHeight(nativeImage, &height));
    return height;
}

Bitmap::Bitmap(const WCHAR* filename, BOOL) {
    GpBitmap* bitmap = nullptr;
    lastResult = DllExports::GdipCreateBitmapFromFile(filename, &bitmap);
    nativeImage = bitmap;
}

Status Bitmap::GetPixel(INT x, INT y, Color* color) {
    ARGB argb = 0;
    const Status status =
        SetStatus(DllExports::GdipBitmapGetPixel(static_cast<GpBitmap*>(nativeImage), x, y, &argb));
    if (status == Ok && color) color->SetValue(argb);
    return status;
}

}  // namespace Gdiplus
