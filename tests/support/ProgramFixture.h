// The program's window and device objects, made once per test process the
// way the shell makes them, without the show.
#pragma once

#include "globals.h"
#include "shell.h"

#include <gdiplus.h>
#include <windows.h>

#include <cstdlib>

inline void EnsureDeviceObjects() {
    static bool created = false;
    if (created)
        return;
    created = true;
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    static Gdiplus::GdiplusStartupInput input;
    static ULONG_PTR token;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    CreateMainWindow(nullptr, SW_SHOWDEFAULT);
    CreateDeviceObjects();
}
