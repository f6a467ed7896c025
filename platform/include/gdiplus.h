// The part of GDI+ the program uses: start-up, and bitmaps loaded from image
// files whose pixels are read one at a time.
#pragma once

#include <windows.h>

namespace Gdiplus {

enum Status {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
    PropertyNotFound = 19,
    PropertyNotSupported = 20,
};
typedef Status GpStatus;

// Alpha in bits 24 to 31, then red, green and blue.
typedef DWORD ARGB;

class Color {
public:
    enum { AlphaShift = 24, RedShift = 16, GreenShift = 8, BlueShift = 0 };

    Color() : argb_(0xFF000000u) {}
    Color(BYTE r, BYTE g, BYTE b) : argb_(MakeARGB(255, r, g, b)) {}
    Color(BYTE a, BYTE r, BYTE g, BYTE b) : argb_(MakeARGB(a, r, g, b)) {}
    Color(ARGB argb) : argb_(argb) {}

    ARGB GetValue() const { return argb_; }
    void SetValue(ARGB argb) { argb_ = argb; }
    BYTE GetA() const { return static_cast<BYTE>(argb_ >> AlphaShift); }
    BYTE GetR() const { return static_cast<BYTE>(argb_ >> RedShift); }
    BYTE GetG() const { return static_cast<BYTE>(argb_ >> GreenShift); }
    BYTE GetB() const { return static_cast<BYTE>(argb_ >> BlueShift); }
    BYTE GetAlpha() const { return GetA(); }
    BYTE GetRed() const { return GetR(); }
    BYTE GetGreen() const { return GetG(); }
    BYTE GetBlue() const { return GetB(); }

    static ARGB MakeARGB(BYTE a, BYTE r, BYTE g, BYTE b) {
        return (static_cast<ARGB>(a) << AlphaShift) | (static_cast<ARGB>(r) << RedShift) |
               (static_cast<ARGB>(g) << GreenShift) | (static_cast<ARGB>(b) << BlueShift);
    }

private:
    ARGB argb_;
};

// Start-up and shut-down.
enum DebugEventLevel { DebugEventLevelFatal, DebugEventLevelWarning };
typedef void (WINAPI* DebugEventProc)(DebugEventLevel level, CHAR* message);
typedef Status (WINAPI* NotificationHookProc)(ULONG_PTR* token);
typedef void (WINAPI* NotificationUnhookProc)(ULONG_PTR token);

struct GdiplusStartupInput {
    UINT GdiplusVersion;
    DebugEventProc DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;

    GdiplusStartupInput(DebugEventProc debugEventCallback = nullptr, BOOL suppressBackgroundThread = FALSE,
                        BOOL suppressExternalCodecs = FALSE)
        : GdiplusVersion(1),
          DebugEventCallback(debugEventCallback),
          SuppressBackgroundThread(suppressBackgroundThread),
          SuppressExternalCodecs(suppressExternalCodecs) {}
};

struct GdiplusStartupOutput {
    NotificationHookProc NotificationHook;
    NotificationUnhookProc NotificationUnhook;
};

Status WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
void WINAPI GdiplusShutdown(ULONG_PTR token);

// The flat interface that the classes are built on.
class GpImage;
class GpBitmap;

namespace DllExports {

GpStatus WINAPI GdipCreateBitmapFromFile(const WCHAR* filename, GpBitmap** bitmap);
GpStatus WINAPI GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color);
GpStatus WINAPI GdipGetImageWidth(GpImage* image, UINT* width);
GpStatus WINAPI GdipGetImageHeight(GpImage* image, UINT* height);
GpStatus WINAPI GdipDisposeImage(GpImage* image);

}  // namespace DllExports

class Image {
public:
    virtual ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // The status of the last call that failed, cleared as it is read.
    Status GetLastStatus() const;
    UINT GetWidth();
    UINT GetHeight();

protected:
    Image() = default;
    Status SetStatus(Status status) const;

    GpImage* nativeImage = nullptr;
    mutable Status lastResult = Ok;
};

class Bitmap : public Image {
public:
    // Colour management is not applied: the images carry plain sRGB values.
    Bitmap(const WCHAR* filename, BOOL useEmbeddedColorManagement = FALSE);

    // On failure the colour is left as it was.
    Status GetPixel(INT x, INT y, Color* color);
};

}  // namespace Gdiplus
