// The kernel's tick count and sleep over the monotonic clock.
#include <TestClock.h>
#include <windows.h>

#include <atomic>
#include <cerrno>
#include <ctime>

namespace {

std::atomic<bool> testTicksSet{false};
std::atomic<DWORD> testTicks{0};

}  // namespace

DWORD GetTickCount() {
    if (testTicksSet.load()) return testTicks.load();
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    // Wraps every 49.7 days, as the Windows count does.
    const uint64_t milliseconds =
        static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<DWORD>(milliseconds);
}

void Sleep(DWORD milliseconds) {
    timespec remaining{static_cast<time_t>(milliseconds / 1000),
                       static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
    }
}

void SetTestTickCount(DWORD ticks) {
    testTicks.store(ticks);
    testTicksSet.store(true);
}

void ClearTestTickCount() {
    testTicksSet.store(false);
}
