// Watching a program play on an X server: its window, its title.
#pragma once

#include "ProgramProcess.h"
#include "XDisplay.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

// Seconds allowed for start-up: the programs build everything before the
// first frame, slowly under the sanitizers.
inline double StartUpAllowance() { return 60.0; }

// The window's title is the frame rate: a number as a stream writes a
// double (or its text for infinity).
inline bool IsFrameRate(const std::string& title) {
    if (title == "inf") return true;
    if (title.empty()) return false;
    char* end = nullptr;
    std::strtod(title.c_str(), &end);
    return end && *end == '\0';
}

// The program's mapped window, 0 if none appeared within the time or the
// program ended.
inline unsigned long WaitForWindow(XDisplay& display, ProgramProcess& process, double seconds) {
    const double deadline = MonotonicSeconds() + seconds;
    while (MonotonicSeconds() < deadline && process.Running()) {
        if (unsigned long window = display.WindowOf(process.Pid())) return window;
        usleep(5000);
    }
    return 0;
}

// True once the window's title shows a frame rate: frames are being drawn.
inline bool WaitForFrameRateTitle(XDisplay& display, ProgramProcess& process, unsigned long window,
                                  double seconds) {
    const double deadline = MonotonicSeconds() + seconds;
    while (MonotonicSeconds() < deadline && process.Running()) {
        if (IsFrameRate(display.Title(window))) return true;
        usleep(10000);
    }
    return false;
}
