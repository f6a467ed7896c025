#include "WindowTable.h"

#include <windows.h>

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

namespace {

LRESULT PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow(const char* title, int width, int height) {
    static const ATOM atom = [] {
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = PlainProc;
        windowClass.lpszClassName = "WindowTestClass";
        return RegisterClassExA(&windowClass);
    }();
    EXPECT_NE(atom, 0);
    RECT rect = {0, 0, width, height};
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
    return CreateWindowExA(0, "WindowTestClass", title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, nullptr,
                           nullptr);
}

}  // namespace

TEST(Window, ClientAreaIsTheRequestedSize) {
    HWND window = MakeWindow("size", 800, 600);
    ASSERT_NE(window, nullptr);
    RECT client = {-1, -1, -1, -1};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.top, 0);
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(client.bottom, 600);
    DestroyWindow(window);
}

TEST(Window, IsHiddenOpenGlWindowUntilShown) {
    HWND window = MakeWindow("shown", 64, 48);
    SDL_Window* sdlWindow = win32::SdlWindowOf(window);
    ASSERT_NE(sdlWindow, nullptr);
    EXPECT_TRUE(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_OPENGL);
    EXPECT_TRUE(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_HIDDEN);
    EXPECT_FALSE(ShowWindow(window, SW_SHOWDEFAULT));
    EXPECT_TRUE(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_SHOWN);
    EXPECT_TRUE(ShowWindow(window, SW_SHOWDEFAULT));
    DestroyWindow(window);
}

TEST(Window, TitleRoundTrips) {
    HWND window = MakeWindow("VRK", 32, 32);
    char text[64] = {};
    EXPECT_EQ(GetWindowTextA(window, text, sizeof(text)), 3);
    EXPECT_STREQ(text, "VRK");

    ASSERT_TRUE(SetWindowTextA(window, "66.6667"));
    EXPECT_EQ(GetWindowTextA(window, text, sizeof(text)), 7);
    EXPECT_STREQ(text, "66.6667");
    EXPECT_STREQ(SDL_GetWindowTitle(win32::SdlWindowOf(window)), "66.6667");

    // A short buffer gets as much as fits, terminated.
    char shortText[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(GetWindowTextA(window, shortText, sizeof(shortText)), 3);
    EXPECT_STREQ(shortText, "66.");
    DestroyWindow(window);
}

TEST(Window, DestroyedHandleIsNoLongerAWindow) {
    HWND window = MakeWindow("gone", 32, 32);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(win32::SdlWindowOf(window), nullptr);
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_FALSE(SetWindowTextA(window, "x"));
    RECT client;
    EXPECT_FALSE(GetClientRect(window, &client));
    EXPECT_FALSE(IsWindow(nullptr));
}

TEST(Window, RetainedSdlWindowOutlivesTheHandle) {
    HWND window = MakeWindow("kept", 32, 32);
    SDL_Window* sdlWindow = win32::RetainSdlWindow(window);
    ASSERT_NE(sdlWindow, nullptr);
    const Uint32 id = SDL_GetWindowID(sdlWindow);
    DestroyWindow(window);
    EXPECT_EQ(SDL_GetWindowFromID(id), sdlWindow);
    win32::ReleaseSdlWindow(sdlWindow);
    EXPECT_EQ(SDL_GetWindowFromID(id), nullptr);
}

TEST(Window, ClassesAreRegisteredOnceAndLookedUpWithoutCase) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = PlainProc;
    windowClass.lpszClassName = "OnceOnly";
    const ATOM atom = RegisterClassExA(&windowClass);
    EXPECT_NE(atom, 0);
    EXPECT_EQ(RegisterClassExA(&windowClass), 0);
    windowClass.lpszClassName = "ONCEONLY";
    EXPECT_EQ(RegisterClassExA(&windowClass), 0);

    HWND window = CreateWindowExA(0, "onceonly", "x", 0, 0, 0, 16, 16, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(IsWindow(window));
    DestroyWindow(window);
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "x", 0, 0, 0, 16, 16, nullptr, nullptr, nullptr, nullptr),
              nullptr);
}
