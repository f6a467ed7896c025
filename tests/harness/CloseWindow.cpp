// Closes a program's window the way a window manager does, once the program
// has drawn frames for a while:
//
//   close-window PID [seconds after the first frame]
// Exit status 0 when the request was sent, 2 when the window or its first
// frame never came.
#include "ShowWatcher.h"
#include "XDisplay.h"

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: close-window PID [seconds]\n");
        return 2;
    }
    const pid_t pid = static_cast<pid_t>(std::atol(argv[1]));
    const double seconds = argc > 2 ? std::atof(argv[2]) : 1.0;
    XDisplay display;
    if (!display.Ok()) {
        std::fprintf(stderr, "close-window: no X display\n");
        return 2;
    }
    unsigned long window = 0;
    const double deadline = MonotonicSeconds() + StartUpAllowance();
    while (!window && MonotonicSeconds() < deadline && kill(pid, 0) == 0) {
        window = display.WindowOf(pid);
        usleep(10000);
    }
    while (window && !IsFrameRate(display.Title(window)) && MonotonicSeconds() < deadline) usleep(10000);
    if (!window || !IsFrameRate(display.Title(window))) {
        std::fprintf(stderr, "close-window: no frame from process %d\n", static_cast<int>(pid));
        return 2;
    }
    usleep(static_cast<useconds_t>(seconds * 1e6));
    display.RequestClose(window);
    return 0;
}
