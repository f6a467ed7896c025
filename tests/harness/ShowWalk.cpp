// The windowed program's start-up and frame loop with the tick count set by
// hand: a few seconds of every scene, frame by frame, then the end of the
// show, which ends the process with status 1 as the program does. Lets a
// sanitizer build see every scene in a fraction of the show's 48 seconds.
// Given a folder, it also writes the frame from the middle of each scene's
// window there (scene-N.ppm), as the window showed it: two walks must write
// the same bytes.
//
//   show-walk [seconds per scene [frame folder]]     (default 2)
#include "Demo.h"
#include "PlatformTesting.h"
#include "TestClock.h"
#include "globals.h"
#include "shell.h"

#include <gdiplus.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

HINSTANCE__ moduleInstance;

const unsigned sceneStarts[] = {VRK::conformityOffset, VRK::growthOffset, VRK::greetsOffset, VRK::endOffset,
                                VRK::demoLength};

// One pass of the program's frame loop at the given tick.
void Frame(DWORD tick) {
    SetTestTickCount(tick);
    MSG message = {};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DWORD t = GetTickCount();
    demo->Update(t);
    demo->Render();
    SetWindowTextA(mainWindow, FrameRateText(GetTickCount() - t).c_str());
}

// The last presented frame as a binary PPM.
void SaveFrame(const std::string& path) {
    const platform_testing::Image image = platform_testing::LastPresentedWindow(swapChain);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::perror(path.c_str());
        std::exit(2);
    }
    std::fprintf(file, "P6\n%d %d\n255\n", image.width, image.height);
    for (size_t i = 0; i < image.rgba.size(); i += 4) std::fwrite(&image.rgba[i], 1, 3, file);
    std::fclose(file);
}

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    const unsigned perScene = static_cast<unsigned>(std::max(1, argc > 1 ? std::atoi(argv[1]) : 2)) * 1000;

    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    CreateMainWindow(&moduleInstance, SW_SHOWDEFAULT);
    const DWORD start = 1000;
    SetTestTickCount(start);
    CreateGraphicsDevice();
    const char* frameFolder = argc > 2 ? argv[2] : nullptr;
    if (frameFolder) platform_testing::CaptureWindow(swapChain);

    for (int scene = 0; scene < 4; ++scene) {
        const unsigned end = std::min(sceneStarts[scene] + perScene, sceneStarts[scene + 1]);
        for (unsigned t = sceneStarts[scene]; t < end; t += 40) Frame(start + t);
        if (frameFolder) {
            Frame(start + (sceneStarts[scene] + sceneStarts[scene + 1]) / 2);
            SaveFrame(std::string(frameFolder) + "/scene-" + std::to_string(scene) + ".ppm");
        }
    }
    // The show is over: Update ends the process with status 1.
    Frame(start + VRK::demoLength);
    return 0;
}
