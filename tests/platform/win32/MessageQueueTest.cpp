#include "WindowTable.h"

#include <windows.h>

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<UINT> received;

LRESULT RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    received.push_back(message);
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class MessageQueue : public ::testing::Test {
protected:
    void SetUp() override {
        static const ATOM atom = [] {
            WNDCLASSEXA windowClass = {};
            windowClass.cbSize = sizeof(windowClass);
            windowClass.lpfnWndProc = RecordingProc;
            windowClass.lpszClassName = "MessageQueueTest";
            return RegisterClassExA(&windowClass);
        }();
        ASSERT_NE(atom, 0);
        window_ = CreateWindowExA(0, "MessageQueueTest", "queue", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 64, 64, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
        received.clear();
    }

    void TearDown() override {
        if (IsWindow(window_)) DestroyWindow(window_);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    // The program's own loop: every message dispatched, up to and with the quit.
    std::vector<MSG> RunLoopUntilQuit() {
        std::vector<MSG> taken;
        MSG message = {};
        for (int round = 0; round < 100 && message.message != WM_QUIT; ++round) {
            if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
                taken.push_back(message);
            }
        }
        return taken;
    }

    HWND window_ = nullptr;
};

bool IsQuitWithCodeZero(const MSG& message) {
    return message.message == WM_QUIT && message.wParam == 0 && message.hwnd == nullptr;
}

}  // namespace

TEST_F(MessageQueue, WindowCloseRequestDestroysTheWindowAndQuitsWithZero) {
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    event.window.windowID = SDL_GetWindowID(win32::SdlWindowOf(window_));
    ASSERT_EQ(SDL_PushEvent(&event), 1);

    const std::vector<MSG> taken = RunLoopUntilQuit();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].message, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(taken[0].hwnd, window_);
    EXPECT_TRUE(IsQuitWithCodeZero(taken[1]));
    EXPECT_EQ(received, (std::vector<UINT>{WM_CLOSE, WM_DESTROY}));
    EXPECT_FALSE(IsWindow(window_));
}

TEST_F(MessageQueue, SdlQuitClosesTheWindowOnce) {
    // A real close brings both the window's close event and SDL's quit.
    SDL_Event close = {};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = SDL_GetWindowID(win32::SdlWindowOf(window_));
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&close), 1);
    ASSERT_EQ(SDL_PushEvent(&quit), 1);

    const std::vector<MSG> taken = RunLoopUntilQuit();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].message, static_cast<UINT>(WM_CLOSE));
    EXPECT_TRUE(IsQuitWithCodeZero(taken[1]));
    EXPECT_EQ(received, (std::vector<UINT>{WM_CLOSE, WM_DESTROY}));
}

TEST_F(MessageQueue, SdlQuitAloneClosesTheWindow) {
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    const std::vector<MSG> taken = RunLoopUntilQuit();
    ASSERT_FALSE(taken.empty());
    EXPECT_TRUE(IsQuitWithCodeZero(taken.back()));
    EXPECT_EQ(received, (std::vector<UINT>{WM_CLOSE, WM_DESTROY}));
}

TEST_F(MessageQueue, QuitComesAfterEveryPostedMessage) {
    const UINT first = 0x0401, second = 0x0402, third = 0x0403;
    ASSERT_TRUE(PostMessageA(window_, first, 1, 2));
    PostQuitMessage(7);
    ASSERT_TRUE(PostMessageA(window_, second, 0, 0));
    ASSERT_TRUE(PostMessageA(nullptr, third, 0, 0));

    const std::vector<MSG> taken = RunLoopUntilQuit();
    ASSERT_EQ(taken.size(), 4u);
    EXPECT_EQ(taken[0].message, first);
    EXPECT_EQ(taken[0].wParam, 1u);
    EXPECT_EQ(taken[0].lParam, 2);
    EXPECT_EQ(taken[1].message, second);
    EXPECT_EQ(taken[2].message, third);
    EXPECT_EQ(taken[2].hwnd, nullptr);
    EXPECT_EQ(taken[3].message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(taken[3].wParam, 7u);
    // Messages for the window reached its procedure; the thread's did not.
    EXPECT_EQ(received, (std::vector<UINT>{first, second}));
}

TEST_F(MessageQueue, PeekFiltersAndKeepsWhatItDoesNotRemove) {
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));

    ASSERT_TRUE(PostMessageA(nullptr, 0x0500, 0, 0));
    ASSERT_TRUE(PostMessageA(window_, 0x0600, 0, 0));
    // Only the window's own messages.
    ASSERT_TRUE(PeekMessageA(&message, window_, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, 0x0600u);
    // Only messages in the range.
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0x0700, 0x0800, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0x0600, 0x0600, PM_REMOVE));
    EXPECT_EQ(message.message, 0x0600u);
    // What was only looked at is still there.
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, 0x0500u);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueue, PostingToADestroyedWindowFailsAndItsMessagesAreDropped) {
    ASSERT_TRUE(PostMessageA(window_, 0x0401, 0, 0));
    DestroyWindow(window_);
    EXPECT_FALSE(PostMessageA(window_, 0x0402, 0, 0));
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(DispatchMessageA(&message), 0);
}
