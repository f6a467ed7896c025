// The thread's message queue. SDL's events are turned into window messages
// when the program looks at its queue; posted messages wait in order, and a
// quit request comes after every message posted before or after it, as on
// Windows. The queue uses the window table; windows know nothing of the queue.
#include "WindowTable.h"

#include <SDL.h>

#include <deque>

namespace {

std::deque<MSG> postedMessages;
bool quitPosted = false;
int quitCode = 0;

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return MSG{window, message, wParam, lParam, GetTickCount(), POINT{0, 0}};
}

// A close button pressed twice, or a close and SDL's own quit after it,
// asks for one close.
void PostCloseRequest(HWND window) {
    if (!window) return;
    for (const MSG& waiting : postedMessages)
        if (waiting.hwnd == window && waiting.message == WM_CLOSE) return;
    postedMessages.push_back(MakeMessage(window, WM_CLOSE, 0, 0));
}

void DrainSdlEvents() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE) {
            PostCloseRequest(win32::WindowOfSdlId(event.window.windowID));
        } else if (event.type == SDL_QUIT) {
            HWND live[16];
            const int count = win32::LiveWindows(live, 16);
            for (int i = 0; i < count; ++i) PostCloseRequest(live[i]);
        }
    }
}

// Handles are never reused, so the messages still waiting for a window that
// is gone can be dropped whenever the queue is looked at.
void DropMessagesOfDestroyedWindows() {
    for (auto it = postedMessages.begin(); it != postedMessages.end();) {
        if (it->hwnd && !IsWindow(it->hwnd))
            it = postedMessages.erase(it);
        else
            ++it;
    }
}

bool Matches(const MSG& message, HWND window, UINT filterMin, UINT filterMax) {
    // A window of -1 asks for the messages posted to no window.
    if (window == reinterpret_cast<HWND>(-1)) {
        if (message.hwnd) return false;
    } else if (window && message.hwnd != window) {
        return false;
    }
    if (filterMin == 0 && filterMax == 0) return true;
    return filterMin <= message.message && message.message <= filterMax;
}

}  // namespace

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window && !IsWindow(window)) return FALSE;
    postedMessages.push_back(MakeMessage(window, message, wParam, lParam));
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    quitPosted = true;
    quitCode = exitCode;
}

BOOL PeekMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeMessage) {
    if (!message) return FALSE;
    DrainSdlEvents();
    DropMessagesOfDestroyedWindows();
    const bool remove = (removeMessage & PM_REMOVE) != 0;
    for (auto it = postedMessages.begin(); it != postedMessages.end(); ++it) {
        if (!Matches(*it, window, filterMin, filterMax)) continue;
        *message = *it;
        if (remove) postedMessages.erase(it);
        return TRUE;
    }
    // The quit request ignores the filters and waits behind posted messages.
    if (quitPosted) {
        *message = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(quitCode), 0);
        if (remove) quitPosted = false;
        return TRUE;
    }
    return FALSE;
}

// No keyboard input reaches the program, so there is nothing to translate.
BOOL TranslateMessage(const MSG* message) {
    (void)message;
    return FALSE;
}

LRESULT DispatchMessageA(const MSG* message) {
    if (!message || !message->hwnd) return 0;
    WNDPROC procedure = win32::WindowProcOf(message->hwnd);
    if (!procedure) return 0;
    return procedure(message->hwnd, message->message, message->wParam, message->lParam);
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) DestroyWindow(window);
    return 0;
}
