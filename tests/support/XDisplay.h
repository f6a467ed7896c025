// A small X client for the tests that run the programs on a real X server:
// finds a program's window, reads its title and size, and asks it to close
// the way a window manager does (WM_DELETE_WINDOW). Uses the display named by
// DISPLAY, or starts a private Xvfb when there is none.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

struct _XDisplay;

// What the X server shows of a window: 8-bit red, green and blue per pixel,
// row 0 at the top.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

class XDisplay {
public:
    XDisplay();
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    // False when no X server could be reached or started.
    bool Ok() const { return display_ != nullptr; }
    // The value of DISPLAY for the programs the test starts.
    const std::string& Name() const { return name_; }

    // The top-level window of the process, 0 while it has none mapped.
    unsigned long WindowOf(pid_t pid);
    std::string Title(unsigned long window);
    // The client area's size.
    bool Size(unsigned long window, int* width, int* height);
    // The window's client area as the server shows it; false when it could
    // not be read (the window went away).
    bool Capture(unsigned long window, Screenshot* shot);
    // Sends WM_DELETE_WINDOW, as a window manager's close button does.
    void RequestClose(unsigned long window);

private:
    void StartServer();
    unsigned long Search(unsigned long window, pid_t pid, unsigned long pidAtom);

    _XDisplay* display_ = nullptr;
    std::string name_;
    pid_t server_ = -1;
};
