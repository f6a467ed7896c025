// Window classes and windows over SDL2: every window is an SDL window with an
// OpenGL surface whose size is the client size asked for.
#include "WindowTable.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <strings.h>
#include <vector>

namespace {

struct WindowClass {
    std::string name;
    ATOM atom;
    WNDPROC procedure;
};

struct Window {
    SDL_Window* sdlWindow;
    WNDPROC procedure;
    std::string title;
    bool destroying;
};

std::vector<WindowClass> windowClasses;
ATOM nextAtom = 0xC000;  // where Windows numbers registered classes from

// Handles are never reused, so a stale handle stays invalid for good.
std::map<uintptr_t, Window> windows;
uintptr_t nextHandle = 0x10000;

// The window table's own reference and the swap chains' references.
std::map<SDL_Window*, int> sdlReferences;

// A class name is either a string or an atom in the pointer's low word.
const WindowClass* FindClass(LPCSTR name) {
    const uintptr_t value = reinterpret_cast<uintptr_t>(name);
    for (const WindowClass& windowClass : windowClasses) {
        if (value <= 0xFFFF) {
            if (windowClass.atom == value) return &windowClass;
        } else if (strcasecmp(windowClass.name.c_str(), name) == 0) {
            return &windowClass;
        }
    }
    return nullptr;
}

Window* FindWindow(HWND handle) {
    auto found = windows.find(reinterpret_cast<uintptr_t>(handle));
    return found == windows.end() ? nullptr : &found->second;
}

bool StartVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    // Interrupts should end the program as they would on Windows, not turn
    // into close requests.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        SDL_Log("SDL video: %s", SDL_GetError());
        return false;
    }
    return true;
}

void ReleaseReference(SDL_Window* sdlWindow) {
    auto found = sdlReferences.find(sdlWindow);
    if (found == sdlReferences.end()) return;
    if (--found->second == 0) {
        sdlReferences.erase(found);
        SDL_DestroyWindow(sdlWindow);
    }
}

}  // namespace

ATOM RegisterClassExA(const WNDCLASSEXA* windowClass) {
    if (!windowClass || windowClass->cbSize != sizeof(WNDCLASSEXA) || !windowClass->lpfnWndProc ||
        !windowClass->lpszClassName || reinterpret_cast<uintptr_t>(windowClass->lpszClassName) <= 0xFFFF)
        return 0;
    if (FindClass(windowClass->lpszClassName)) return 0;
    const ATOM atom = nextAtom++;
    windowClasses.push_back({windowClass->lpszClassName, atom, windowClass->lpfnWndProc});
    return atom;
}

// The program carries no icon resource, so there is none to load.
HICON LoadIconA(HINSTANCE, LPCSTR) {
    return nullptr;
}

// Cursors are SDL's; any non-null handle stands for the system's arrow.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR cursorName) {
    if (instance || cursorName != IDC_ARROW) return nullptr;
    static HCURSOR__ arrow;
    return &arrow;
}

// An SDL window's size is its client size: there is no frame to add.
BOOL AdjustWindowRect(RECT* rect, DWORD, BOOL) {
    return rect ? TRUE : FALSE;
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD, int x, int y, int width,
                     int height, HWND, HMENU, HINSTANCE, LPVOID) {
    const WindowClass* windowClass = className ? FindClass(className) : nullptr;
    if (!windowClass || !StartVideo()) return nullptr;

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 4);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 5);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    // Depth lives in the device's own depth textures, never in the window.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);

    if (x == CW_USEDEFAULT) x = y = SDL_WINDOWPOS_UNDEFINED;
    if (y == CW_USEDEFAULT) y = SDL_WINDOWPOS_UNDEFINED;
    if (width == CW_USEDEFAULT) width = 640;
    if (height == CW_USEDEFAULT) height = 480;
    const std::string title = windowName ? windowName : "";
    SDL_Window* sdlWindow = SDL_CreateWindow(title.c_str(), x, y, width, height,
                                             SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!sdlWindow) {
        SDL_Log("SDL window: %s", SDL_GetError());
        return nullptr;
    }
    const uintptr_t handle = nextHandle;
    nextHandle += 0x10;
    windows[handle] = Window{sdlWindow, windowClass->procedure, title, false};
    sdlReferences[sdlWindow] = 1;
    return reinterpret_cast<HWND>(handle);
}

BOOL ShowWindow(HWND handle, int showCommand) {
    Window* window = FindWindow(handle);
    if (!window) return FALSE;
    const bool wasVisible = (SDL_GetWindowFlags(window->sdlWindow) & SDL_WINDOW_SHOWN) != 0;
    if (showCommand == SW_HIDE)
        SDL_HideWindow(window->sdlWindow);
    else
        SDL_ShowWindow(window->sdlWindow);
    return wasVisible ? TRUE : FALSE;
}

BOOL DestroyWindow(HWND handle) {
    Window* window = FindWindow(handle);
    if (!window || window->destroying) return FALSE;
    window->destroying = true;
    SDL_HideWindow(window->sdlWindow);
    // The handle stays valid while the procedure sees WM_DESTROY.
    window->procedure(handle, WM_DESTROY, 0, 0);
    SDL_Window* sdlWindow = window->sdlWindow;
    windows.erase(reinterpret_cast<uintptr_t>(handle));
    ReleaseReference(sdlWindow);
    return TRUE;
}

BOOL IsWindow(HWND handle) {
    return FindWindow(handle) ? TRUE : FALSE;
}

BOOL SetWindowTextA(HWND handle, LPCSTR text) {
    Window* window = FindWindow(handle);
    if (!window) return FALSE;
    window->title = text ? text : "";
    SDL_SetWindowTitle(window->sdlWindow, window->title.c_str());
    return TRUE;
}

int GetWindowTextA(HWND handle, LPSTR text, int maxCount) {
    Window* window = FindWindow(handle);
    if (!window || !text || maxCount <= 0) return 0;
    const size_t count = std::min(window->title.size(), static_cast<size_t>(maxCount - 1));
    std::memcpy(text, window->title.data(), count);
    text[count] = '\0';
    return static_cast<int>(count);
}

BOOL GetClientRect(HWND handle, RECT* rect) {
    Window* window = FindWindow(handle);
    if (!window || !rect) return FALSE;
    int width = 0, height = 0;
    SDL_GetWindowSize(window->sdlWindow, &width, &height);
    *rect = RECT{0, 0, width, height};
    return TRUE;
}

namespace win32 {

SDL_Window* SdlWindowOf(HWND handle) {
    Window* window = FindWindow(handle);
    return window ? window->sdlWindow : nullptr;
}

SDL_Window* RetainSdlWindow(HWND handle) {
    Window* window = FindWindow(handle);
    if (!window) return nullptr;
    ++sdlReferences[window->sdlWindow];
    return window->sdlWindow;
}

void ReleaseSdlWindow(SDL_Window* sdlWindow) {
    ReleaseReference(sdlWindow);
}

HWND WindowOfSdlId(uint32_t sdlWindowId) {
    for (const auto& [handle, window] : windows)
        if (SDL_GetWindowID(window.sdlWindow) == sdlWindowId) return reinterpret_cast<HWND>(handle);
    return nullptr;
}

int LiveWindows(HWND* handles, int maxCount) {
    int count = 0;
    for (const auto& entry : windows) {
        if (count == maxCount) break;
        handles[count++] = reinterpret_cast<HWND>(entry.first);
    }
    return count;
}

WNDPROC WindowProcOf(HWND handle) {
    Window* window = FindWindow(handle);
    return window ? window->procedure : nullptr;
}

}  // namespace win32
