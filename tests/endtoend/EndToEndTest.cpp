// Both programs played whole on an X server, as someone would run them.
#include "ProgramProcess.h"
#include "ShowWatcher.h"
#include "TemporaryDirectory.h"
#include "XDisplay.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// The middle of each scene's window, in seconds after the first frame.
struct SceneMoment {
    const char* name;
    double seconds;
};
const SceneMoment sceneMiddles[] = {{"Conformity", 4.0}, {"Growth", 12.0}, {"Greets", 26.0}, {"End", 42.0}};
const int sceneCount = 4;

// The caption strip covers the bottom quarter of the window, the scene the
// rest.
bool InCaption(const Screenshot& shot, int y) { return y >= shot.height * 3 / 4; }

// How much of one part of the window (the scene or the caption) differs
// between two screenshots by more than a rounding: a fraction of its pixels.
double DifferingShare(const Screenshot& a, const Screenshot& b, bool caption) {
    long differing = 0, total = 0;
    for (int y = 0; y < a.height; ++y) {
        if (InCaption(a, y) != caption) continue;
        for (int x = 0; x < a.width; ++x, ++total) {
            const size_t i = (static_cast<size_t>(y) * a.width + x) * 3;
            for (int c = 0; c < 3; ++c) {
                if (std::abs(int(a.rgb[i + c]) - int(b.rgb[i + c])) > 24) {
                    ++differing;
                    break;
                }
            }
        }
    }
    return total ? static_cast<double>(differing) / total : 0.0;
}

// The spread of the scene's brightness: a flat fill gives 0.
double SceneSpread(const Screenshot& shot) {
    double sum = 0, squares = 0;
    long count = 0;
    for (int y = 0; !InCaption(shot, y); ++y) {
        for (int x = 0; x < shot.width; ++x, ++count) {
            const uint8_t* p = &shot.rgb[(static_cast<size_t>(y) * shot.width + x) * 3];
            const double level = (p[0] + p[1] + p[2]) / 3.0;
            sum += level;
            squares += level * level;
        }
    }
    const double mean = sum / count;
    return std::sqrt(std::max(0.0, squares / count - mean * mean));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

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
    // title is a frame rate all along, every scene shows itself under its own
    // caption in the middle of its window, and the program ends by itself
    // with status 1 once the 48 seconds are over.
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
        Screenshot shots[sceneCount];
        int shotsTaken = 0;
        while (process->Running() && MonotonicSeconds() - firstFrame < 120) {
            if (shotsTaken < sceneCount && MonotonicSeconds() - firstFrame >= sceneMiddles[shotsTaken].seconds) {
                EXPECT_TRUE(display_.Capture(window, &shots[shotsTaken])) << sceneMiddles[shotsTaken].name;
                ++shotsTaken;
            }
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

        ASSERT_EQ(sceneCount, shotsTaken);
        for (int i = 0; i < sceneCount; ++i) {
            ASSERT_EQ(program.width, shots[i].width) << sceneMiddles[i].name;
            ASSERT_EQ(program.height, shots[i].height) << sceneMiddles[i].name;
            EXPECT_GT(SceneSpread(shots[i]), 8.0) << sceneMiddles[i].name << " is flat";
            for (int j = 0; j < i; ++j) {
                EXPECT_GT(DifferingShare(shots[i], shots[j], false), 0.05)
                    << sceneMiddles[i].name << " looks like " << sceneMiddles[j].name;
                EXPECT_GT(DifferingShare(shots[i], shots[j], true), 0.01)
                    << sceneMiddles[i].name << "'s caption looks like " << sceneMiddles[j].name << "'s";
            }
        }
    }

    // Closes the window in the middle of each scene's window, one program
    // per scene, all at once: each ends with status 0 and says nothing.
    void ExpectCloseEndsWithZero(const Program& program) {
        std::unique_ptr<ProgramProcess> processes[sceneCount];
        unsigned long windows[sceneCount] = {};
        double firstFrames[sceneCount] = {};
        for (int i = 0; i < sceneCount; ++i) processes[i] = Start(program);
        for (int i = 0; i < sceneCount; ++i) {
            windows[i] = WaitForWindow(display_, *processes[i], StartUpAllowance());
            ASSERT_NE(0u, windows[i]) << processes[i]->Describe();
        }
        for (int i = 0; i < sceneCount; ++i) {
            ASSERT_TRUE(WaitForFrameRateTitle(display_, *processes[i], windows[i], StartUpAllowance()))
                << processes[i]->Describe();
            firstFrames[i] = MonotonicSeconds();
        }
        for (int i = 0; i < sceneCount; ++i) {
            const double wait = firstFrames[i] + sceneMiddles[i].seconds - MonotonicSeconds();
            if (wait > 0) usleep(static_cast<useconds_t>(wait * 1e6));
            ASSERT_TRUE(processes[i]->Running()) << sceneMiddles[i].name << ": " << processes[i]->Describe();
            display_.RequestClose(windows[i]);
            ASSERT_TRUE(processes[i]->Wait(30)) << processes[i]->Describe();
            EXPECT_TRUE(processes[i]->Exited()) << sceneMiddles[i].name << ": " << processes[i]->Describe();
            EXPECT_EQ(0, processes[i]->ExitStatus()) << sceneMiddles[i].name << ": " << processes[i]->Describe();
            EXPECT_EQ("", processes[i]->Output() + processes[i]->Errors()) << sceneMiddles[i].name;
        }
    }

    XDisplay display_;
};

}  // namespace

TEST_F(EndToEnd, WindowedPlaysToTheEndWithStatusOne) { ExpectWholeShow(windowedProgram); }

TEST_F(EndToEnd, WindowedEndsWithStatusZeroWhenClosed) { ExpectCloseEndsWithZero(windowedProgram); }

// The windowed program's loop, with the tick count set by the test harness
// instead of the clock, twice: the frame from the middle of each scene is the
// same, byte for byte, on both runs.
TEST_F(EndToEnd, WindowedShowIsTheSameOnEveryRun) {
    TemporaryDirectory first, second;
    for (const TemporaryDirectory* folder : {&first, &second}) {
        ProgramProcess walk(BRIMVALE_SHOW_WALK, BRIMVALE_SOURCE_DIR,
                            {{"DISPLAY", display_.Name()}, {"SDL_VIDEODRIVER", "x11"}}, {"1", folder->Path()});
        ASSERT_TRUE(walk.Wait(120)) << walk.Describe();
        ASSERT_TRUE(walk.Exited()) << walk.Describe();
        ASSERT_EQ(1, walk.ExitStatus()) << walk.Describe();
    }
    for (int i = 0; i < sceneCount; ++i) {
        const std::string name = "/scene-" + std::to_string(i) + ".ppm";
        const std::string a = ReadFile(first.Path() + name), b = ReadFile(second.Path() + name);
        ASSERT_GT(a.size(), 800u * 600u * 3u) << sceneMiddles[i].name;
        EXPECT_TRUE(a == b) << sceneMiddles[i].name << " differs between two runs";
    }
}

TEST_F(EndToEnd, FullScreenPlaysToTheEndWithStatusOne) { ExpectWholeShow(fullScreenProgram); }

TEST_F(EndToEnd, FullScreenEndsWithStatusZeroWhenClosed) { ExpectCloseEndsWithZero(fullScreenProgram); }
