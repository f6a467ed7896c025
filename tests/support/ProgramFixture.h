// The program's window and device objects, made once per test process the
// way the shell makes them, without the show; and what the tests that use
// them share: painting the back buffer, writing a temporary file.
#pragma once

#include "globals.h"
#include "shell.h"

#include <gdiplus.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

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

// Fills the back buffer with one colour, full screen, and leaves it bound
// without a depth view.
inline void PaintBackBuffer(const float rgba[4]) {
    const D3D10_VIEWPORT viewport = {0, 0, static_cast<UINT>(screenWidth), static_cast<UINT>(screenHeight), 0.0f,
                                     1.0f};
    device->RSSetViewports(1, &viewport);
    device->OMSetRenderTargets(1, &backBufferView, nullptr);
    device->ClearRenderTargetView(backBufferView, rgba);
}

// Writes text to a file of that name in the test's temporary directory and
// returns its path.
inline std::string WriteTempFile(const std::string& name, const std::string& text) {
    std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}
