#include "XDisplay.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// A window may go away between finding it and asking about it (the program
// ends): the request then fails, which is not the test's concern.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

XDisplay::XDisplay() {
    XSetErrorHandler(IgnoreErrors);
    const char* given = std::getenv("DISPLAY");
    if (given && *given) {
        name_ = given;
    } else {
        // Xvfb picks a free display number and writes it to the pipe once it
        // accepts connections. Another server starting at the same moment
        // can take the number first; then this one gives up, and we retry.
        for (int attempt = 0; attempt < 5 && name_.empty(); ++attempt) StartServer();
        if (name_.empty()) return;
    }
    // A server regenerates when its last client leaves (xvfb-run does not
    // ask for -noreset) and refuses connections meanwhile: try for a while.
    for (int attempt = 0; attempt < 100 && !display_; ++attempt) {
        display_ = XOpenDisplay(name_.c_str());
        if (!display_) usleep(50000);
    }
}

void XDisplay::StartServer() {
    int ends[2];
    if (pipe(ends) != 0) return;
    server_ = fork();
    if (server_ == 0) {
        close(ends[0]);
        int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        const std::string fd = std::to_string(ends[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ends[1]);
    char number[32] = {};
    size_t length = 0;
    while (server_ > 0 && length < sizeof number - 1 && !std::strchr(number, '\n')) {
        ssize_t got = read(ends[0], number + length, sizeof number - 1 - length);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        length += static_cast<size_t>(got);
    }
    close(ends[0]);
    if (std::strchr(number, '\n')) {
        name_ = ":" + std::string(number, std::strcspn(number, "\n"));
        return;
    }
    if (server_ > 0) {
        kill(server_, SIGTERM);
        int status = 0;
        waitpid(server_, &status, 0);
    }
    server_ = -1;
    usleep(100000);
}

XDisplay::~XDisplay() {
    if (display_) XCloseDisplay(display_);
    if (server_ > 0) {
        kill(server_, SIGTERM);
        int status = 0;
        waitpid(server_, &status, 0);
    }
}

unsigned long XDisplay::Search(unsigned long window, pid_t pid, unsigned long pidAtom) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                           &data) == Success &&
        data) {
        const bool match = items == 1 && format == 32 && static_cast<pid_t>(*reinterpret_cast<long*>(data)) == pid;
        XFree(data);
        if (match) {
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display_, window, &attributes) && attributes.map_state == IsViewable)
                return window;
        }
    }
    Window root, parent, *children = nullptr;
    unsigned int count = 0;
    unsigned long found = 0;
    if (XQueryTree(display_, window, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && !found; ++i) found = Search(children[i], pid, pidAtom);
        if (children) XFree(children);
    }
    return found;
}

unsigned long XDisplay::WindowOf(pid_t pid) {
    if (!display_) return 0;
    XSync(display_, False);
    return Search(DefaultRootWindow(display_), pid, XInternAtom(display_, "_NET_WM_PID", False));
}

std::string XDisplay::Title(unsigned long window) {
    if (!display_) return {};
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    // SDL sets both names; the EWMH one is the UTF-8 one.
    if (XGetWindowProperty(display_, window, XInternAtom(display_, "_NET_WM_NAME", False), 0, 256, False,
                           XInternAtom(display_, "UTF8_STRING", False), &type, &format, &items, &after,
                           &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), items);
        XFree(data);
        return title;
    }
    char* name = nullptr;
    if (XFetchName(display_, window, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

bool XDisplay::Size(unsigned long window, int* width, int* height) {
    XWindowAttributes attributes;
    if (!display_ || !XGetWindowAttributes(display_, window, &attributes)) return false;
    *width = attributes.width;
    *height = attributes.height;
    return true;
}

namespace {

// The position of a mask's lowest set bit and the mask's largest value.
void MaskShape(unsigned long mask, int* shift, unsigned long* largest) {
    *shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++*shift;
    }
    *largest = mask ? mask : 1;
}

}  // namespace

bool XDisplay::Capture(unsigned long window, Screenshot* shot) {
    int width = 0, height = 0;
    if (!Size(window, &width, &height) || width <= 0 || height <= 0) return false;
    XImage* image = XGetImage(display_, window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (!image) return false;
    int shifts[3];
    unsigned long largest[3];
    MaskShape(image->red_mask, &shifts[0], &largest[0]);
    MaskShape(image->green_mask, &shifts[1], &largest[1]);
    MaskShape(image->blue_mask, &shifts[2], &largest[2]);
    const unsigned long masks[3] = {image->red_mask, image->green_mask, image->blue_mask};
    shot->width = width;
    shot->height = height;
    shot->rgb.resize(static_cast<size_t>(width) * height * 3);
    uint8_t* out = shot->rgb.data();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            for (int c = 0; c < 3; ++c)
                *out++ = static_cast<uint8_t>(((pixel & masks[c]) >> shifts[c]) * 255 / largest[c]);
        }
    }
    XDestroyImage(image);
    return true;
}

void XDisplay::RequestClose(unsigned long window) {
    if (!display_) return;
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XFlush(display_);
}
