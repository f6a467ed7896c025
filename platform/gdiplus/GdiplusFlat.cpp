// GDI+'s start-up and its flat bitmap functions, over the image decoder.
#include "FileNames.h"
#include "GdiplusImage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace Gdiplus {

namespace {

int startCount = 0;

Status WINAPI HookNotification(ULONG_PTR* token) {
    if (!token) return InvalidParameter;
    *token = 1;
    return Ok;
}

void WINAPI UnhookNotification(ULONG_PTR) {}

// Only a regular file holds an image: a folder or a device is no file to read.
bool ReadFile(const std::string& path, std::vector<unsigned char>& bytes) {
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) return false;
    struct stat info;
    bool ok = fstat(file, &info) == 0 && S_ISREG(info.st_mode);
    if (ok) {
        bytes.resize(static_cast<size_t>(info.st_size));
        size_t done = 0;
        while (ok && done < bytes.size()) {
            const ssize_t got = read(file, bytes.data() + done, bytes.size() - done);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) ok = false;
            else done += static_cast<size_t>(got);
        }
    }
    close(file);
    return ok;
}

}  // namespace

Status WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output) {
    if (!token || !input) return InvalidParameter;
    if (input->GdiplusVersion != 1 && input->GdiplusVersion != 2) return UnsupportedGdiplusVersion;
    // Without a background thread the caller must drive the notifications.
    if (input->SuppressBackgroundThread && !output) return InvalidParameter;
    if (output) {
        output->NotificationHook = HookNotification;
        output->NotificationUnhook = UnhookNotification;
    }
    ++startCount;
    *token = static_cast<ULONG_PTR>(startCount);
    return Ok;
}

void WINAPI GdiplusShutdown(ULONG_PTR) {
    if (startCount > 0) --startCount;
}

namespace DllExports {

GpStatus WINAPI GdipCreateBitmapFromFile(const WCHAR* filename, GpBitmap** bitmap) {
    if (!bitmap) return InvalidParameter;
    *bitmap = nullptr;
    if (startCount == 0) return GdiplusNotInitialized;
    if (!filename) return InvalidParameter;

    std::vector<unsigned char> bytes;
    if (!ReadFile(win32::ResolvePathIgnoringCase(win32::WideToUtf8(filename)), bytes)) return FileNotFound;
    gdiplus::DecodedImage pixels;
    if (!gdiplus::DecodeImage(bytes.data(), bytes.size(), pixels)) return UnknownImageFormat;
    *bitmap = new GpBitmap(std::move(pixels));
    return Ok;
}

GpStatus WINAPI GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color) {
    if (!bitmap || !color) return InvalidParameter;
    if (x < 0 || y < 0 || static_cast<UINT>(x) >= bitmap->Width() || static_cast<UINT>(y) >= bitmap->Height())
        return InvalidParameter;
    *color = bitmap->Pixel(static_cast<UINT>(x), static_cast<UINT>(y));
    return Ok;
}

GpStatus WINAPI GdipGetImageWidth(GpImage* image, UINT* width) {
    GpBitmap* bitmap = dynamic_cast<GpBitmap*>(image);
    if (!bitmap || !width) return InvalidParameter;
    *width = bitmap->Width();
    return Ok;
}

GpStatus WINAPI GdipGetImageHeight(GpImage* image, UINT* height) {
    GpBitmap* bitmap = dynamic_cast<GpBitmap*>(image);
    if (!bitmap || !height) return InvalidParameter;
    *height = bitmap->Height();
    return Ok;
}

GpStatus WINAPI GdipDisposeImage(GpImage* image) {
    if (!image) return InvalidParameter;
    delete image;
    return Ok;
}

}  // namespace DllExports

}  // namespace Gdiplus
