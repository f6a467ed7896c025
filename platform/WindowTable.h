// Inside the platform: the SDL window behind a window handle, for the swap
// chain that presents into it.
#pragma once

#include <windows.h>

struct SDL_Window;

namespace win32 {

// The SDL window of a live window handle; null for any other handle.
SDL_Window* SdlWindowOf(HWND window);

}  // namespace win32
