#include <TestClock.h>
#include <windows.h>

#include <gtest/gtest.h>

TEST(Clock, SleepWaitsAndTheTickCountAdvances) {
    const DWORD before = GetTickCount();
    Sleep(30);
    const DWORD elapsed = GetTickCount() - before;
    EXPECT_GE(elapsed, 29u);
    EXPECT_LT(elapsed, 5000u);
}

TEST(Clock, TestTickCountOverridesTheClockUntilCleared) {
    SetTestTickCount(0xFFFFFFF0u);
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
    Sleep(2);
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
    SetTestTickCount(20000);
    EXPECT_EQ(GetTickCount(), 20000u);
    ClearTestTickCount();
    const DWORD first = GetTickCount();
    Sleep(5);
    EXPECT_NE(GetTickCount(), first);
}
