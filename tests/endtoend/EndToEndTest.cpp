// Both programs played whole on an X server, as someone would run them.
#include "ProgramProcess.h"
#include "ShowWatcher.h"
#include "XDisplay.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace {

struct Program {
    const char* path;
    int width;
    int height;
};

const Program windowedProgram = {BRIMVALE_WINDOWED_PROGRAM, 800, 600};
const Program fullScreenProgram = {BRIMVALE_FULLSCREEN_PROGRAM, 1280, 1024};

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(display_.Ok()) << "no X server (run under xvfb-run)"; }

    std::unique_ptr<ProgramProcess> Start(const Program& program) {
        return std::make_unique<ProgramProcess>(
            program.path, BRIMVALE_SOURCE_DIR,
            std::map<std::string, std::string>{{"DISPLAY", display_.Name()}, {"SDL_VIDEODRIVER", "x11"}});
    }

    // Plays the whole show: the client area has the configured size, the
    // title is a frame rate all along, and the program ends by itself with
    // status 1 once the 48 seconds are over.
    void ExpectWholeShow(const Program& program) {
        auto process = Start(program);
        unsigned long window = WaitForWindow(display_, *process, StartUpAllowance());
        ASSERT_NE(0u, window) << process->Describe();
        int width = 0, height = 0;
        ASSERT_TRUE(display_.Size(window, &width, &height));
        EXPECT_EQ(program.width, width);
        EXPECT_EQ(program.height, height);

        ASSERT_TRUE(WaitForFrameRateTitle(display_, *process, window, StartUpAllowance())) << process->Describe();
        const double firstFrame = MonotonicSeconds();
        int titlesRead = 0, notRates = 0;
        std::string odd;
        while (process->Running() && MonotonicSeconds() - firstFrame < 120) {
            std::string title = display_.Title(window);
            // An empty read: the window went away as the program ended.
            if (!title.empty()) {
                ++titlesRead;
                if (!IsFrameRate(title)) {
                    ++notRates;
                    odd = title;
                }
            }
            usleep(200000);
        }
        ASSERT_TRUE(process->Wait(5)) << process->Describe();
        EXPECT_TRUE(process->Exited()) << process->Describe();
        EXPECT_EQ(1, process->ExitStatus()) << process->Describe();
        // The show's time zero is just before the first frame, whose title
        // is seen a little later.
        EXPECT_GT(MonotonicSeconds() - firstFrame, 46.0);
        EXPECT_LT(MonotonicSeconds() - firstFrame, 52.0);
        EXPECT_GT(titlesRead, 100);
        EXPECT_EQ(0, notRates) << "title \"" << odd << "\"";
    }

    void ExpectCloseEndsWithZero(const Program& program) {
        auto process = Start(program);
        unsigned long window = WaitForWindow(display_, *process, StartUpAllowance());
        ASSERT_NE(0u, window) << process->Describe();
        ASSERT_TRUE(WaitForFrameRateTitle(display_, *process, window, StartUpAllowance())) << process->Describe();
        usleep(1500000);
        display_.RequestClose(window);
        ASSERT_TRUE(process->Wait(30)) << process->Describe();
        EXPECT_TRUE(process->Exited()) << process->Describe();
        EXPECT_EQ(0, process->ExitStatus()) << process->Describe();
    }

    XDisplay display_;
};

}  // namespace

TEST_F(EndToEnd, WindowedPlaysToTheEndWithStatusOne) { ExpectWholeShow(windowedProgram); }

TEST_F(EndToEnd, WindowedEndsWithStatusZeroWhenClosed) { ExpectCloseEndsWithZero(windowedProgram); }

TEST_F(EndToEnd, FullScreenPlaysToTheEndWithStatusOne) { ExpectWholeShow(fullScreenProgram); }

TEST_F(EndToEnd, FullScreenEndsWithStatusZeroWhenClosed) { ExpectCloseEndsWithZero(fullScreenProgram); }
