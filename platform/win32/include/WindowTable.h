// Inside the platform: the SDL window behind a window handle, for the swap
// chain that presents into it, and for the message queue.
#pragma once

#include <windows.h>

#include <cstdint>

struct SDL_Window;

namespace win32 {

// The SDL window of a live window handle; null for any other handle.
SDL_Window* SdlWindowOf(HWND window);

// Holds the SDL window alive past DestroyWindow until released. Retain
// returns the SDL window of a live handle (null otherwise); each retain needs
// one release. (The device does not retain its window: once the window is
// gone it leaves its GL objects to the process.)
SDL_Window* RetainSdlWindow(HWND window);
void ReleaseSdlWindow(SDL_Window* sdlWindow);

// The live window whose SDL window has this id; null if there is none.
HWND WindowOfSdlId(uint32_t sdlWindowId);

// Every live window, oldest first, for close requests aimed at no window.
int LiveWindows(HWND* windows, int maxCount);

// The window procedure of a live window; null for any other handle.
WNDPROC WindowProcOf(HWND window);

}  // namespace win32
