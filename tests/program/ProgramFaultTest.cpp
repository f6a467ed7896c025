// The windowed program run as a process on an X server, with its window
// closed at awkward moments and its data files missing or broken.
#include "ProgramProcess.h"
#include "ShowWatcher.h"
#include "TemporaryDirectory.h"
#include "XDisplay.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const program = BRIMVALE_WINDOWED_PROGRAM;

fs::path SourceData() { return fs::path(BRIMVALE_SOURCE_DIR) / "data"; }

// Every data file, relative to data/ ("fx/sea.fx").
std::vector<std::string> DataFiles() {
    std::vector<std::string> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(SourceData(), error), end; !error && it != end; it.increment(error))
        if (it->is_regular_file()) files.push_back(fs::relative(it->path(), SourceData()).generic_string());
    std::sort(files.begin(), files.end());
    return files;
}

bool IsEffect(const std::string& file) { return fs::path(file).extension() == ".fx"; }

std::vector<std::string> ImageFiles() {
    std::vector<std::string> images;
    for (const std::string& file : DataFiles())
        if (!IsEffect(file)) images.push_back(file);
    return images;
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name;
    for (char c : info.param) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

// A working directory with a copy of data/.
class Stage {
public:
    Stage() { fs::copy(SourceData(), Data(), fs::copy_options::recursive); }
    const std::string& Path() const { return directory_.Path(); }
    fs::path Data() const { return fs::path(directory_.Path()) / "data"; }

private:
    TemporaryDirectory directory_;
};

class ProgramOnX : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(display_.Ok()) << "no X server (Xvfb) for the program";
    }

    std::unique_ptr<ProgramProcess> Start(const std::string& workingDirectory) {
        return std::make_unique<ProgramProcess>(
            program, workingDirectory,
            std::map<std::string, std::string>{{"DISPLAY", display_.Name()}, {"SDL_VIDEODRIVER", "x11"}});
    }

    // Plays until its title shows a frame rate, then is closed; expects it
    // to end with status 0.
    void ExpectPlaysAndClosesCleanly(ProgramProcess& process) {
        unsigned long window = WaitForWindow(display_, process, StartUpAllowance());
        ASSERT_NE(0u, window) << process.Describe();
        ASSERT_TRUE(WaitForFrameRateTitle(display_, process, window, StartUpAllowance())) << process.Describe();
        display_.RequestClose(window);
        ASSERT_TRUE(process.Wait(30)) << process.Describe();
        EXPECT_TRUE(process.Exited()) << process.Describe();
        EXPECT_EQ(0, process.ExitStatus()) << process.Describe();
    }

    XDisplay display_;
};

}  // namespace

TEST_F(ProgramOnX, ClosedBeforeTheFirstFrameEndsSilentlyWithStatusZero) {
    auto process = Start(BRIMVALE_SOURCE_DIR);
    unsigned long window = WaitForWindow(display_, *process, StartUpAllowance());
    ASSERT_NE(0u, window) << process->Describe();
    // The window is shown before the show is built; until the first frame its
    // title is the one it was created with.
    ASSERT_EQ("VRK", display_.Title(window));
    display_.RequestClose(window);
    ASSERT_TRUE(process->Wait(StartUpAllowance())) << process->Describe();
    EXPECT_TRUE(process->Exited()) << process->Describe();
    EXPECT_EQ(0, process->ExitStatus()) << process->Describe();
    EXPECT_EQ("", process->Output());
    EXPECT_EQ("", process->Errors());
}

TEST_F(ProgramOnX, ClosedWhilePlayingEndsSilentlyWithStatusZero) {
    auto process = Start(BRIMVALE_SOURCE_DIR);
    unsigned long window = WaitForWindow(display_, *process, StartUpAllowance());
    ASSERT_NE(0u, window) << process->Describe();
    ASSERT_TRUE(WaitForFrameRateTitle(display_, *process, window, StartUpAllowance())) << process->Describe();
    // A few frames in, at a moment unrelated to the frame loop: most of a
    // frame is drawing, so the request lands in the middle of one.
    usleep(337000);
    display_.RequestClose(window);
    ASSERT_TRUE(process->Wait(30)) << process->Describe();
    EXPECT_TRUE(process->Exited()) << process->Describe();
    EXPECT_EQ(0, process->ExitStatus()) << process->Describe();
    EXPECT_EQ("", process->Output());
    EXPECT_EQ("", process->Errors());
}

class MissingDataFile : public ProgramOnX, public ::testing::WithParamInterface<std::string> {};

TEST_P(MissingDataFile, StopsOnAnEffectAndPlaysOnWithoutAnImage) {
    Stage stage;
    ASSERT_TRUE(fs::remove(stage.Data() / GetParam()));
    auto process = Start(stage.Path());
    if (IsEffect(GetParam())) {
        // The loader asserts that its file stream opened.
        ASSERT_TRUE(process->Wait(StartUpAllowance())) << process->Describe();
        EXPECT_EQ(SIGABRT, process->Signal()) << process->Describe();
        EXPECT_NE(std::string::npos, process->Errors().find("Assertion `is' failed")) << process->Describe();
    } else {
        // The texture comes out black; the show goes on.
        ExpectPlaysAndClosesCleanly(*process);
    }
}

INSTANTIATE_TEST_SUITE_P(EachFile, MissingDataFile, ::testing::ValuesIn(DataFiles()), TestName);

class BrokenDataFile : public ProgramOnX, public ::testing::WithParamInterface<std::string> {};

TEST_P(BrokenDataFile, StopsOnAnEffectAndPlaysOnWithABrokenImage) {
    Stage stage;
    const fs::path file = stage.Data() / GetParam();
    std::string contents;
    {
        std::ifstream in(file, std::ios::binary);
        contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    ASSERT_FALSE(contents.empty());
    if (IsEffect(GetParam())) {
        // A declaration the compiler cannot parse, on a line of its own.
        contents = "static const float unfinished = ;\n" + contents;
    } else {
        contents.resize(contents.size() / 2);
    }
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << contents;
    }
    auto process = Start(stage.Path());
    if (IsEffect(GetParam())) {
        ASSERT_TRUE(process->Wait(StartUpAllowance())) << process->Describe();
        EXPECT_FALSE(process->Exited() && process->ExitStatus() == 0) << process->Describe();
        // The compiler's message points at the file and line of the fault.
        const std::string errors = process->Errors();
        EXPECT_NE(std::string::npos, errors.find(fs::path(GetParam()).filename().string())) << errors;
        EXPECT_NE(std::string::npos, errors.find("(1): error")) << errors;
    } else {
        ExpectPlaysAndClosesCleanly(*process);
    }
}

INSTANTIATE_TEST_SUITE_P(EachFile, BrokenDataFile, ::testing::ValuesIn(DataFiles()), TestName);

class NotAnImage : public ProgramOnX, public ::testing::WithParamInterface<std::string> {};

TEST_P(NotAnImage, PlaysOnWithABlackTexture) {
    Stage stage;
    {
        std::ofstream out(stage.Data() / GetParam(), std::ios::binary | std::ios::trunc);
        out << "Not a picture: a text file under an image's name.\n";
    }
    auto process = Start(stage.Path());
    ExpectPlaysAndClosesCleanly(*process);
}

INSTANTIATE_TEST_SUITE_P(EachImage, NotAnImage, ::testing::ValuesIn(ImageFiles()), TestName);

// The ground of the Growth and Greets scenes reads the grid image under
// another spelling of its name; without it, or with half of it, the ground
// is drawn from a black texture and the show plays every scene to its end.
TEST(GroundImage, MissingOrBrokenTheShowPlaysThroughToItsEnd) {
    for (bool missing : {true, false}) {
        SCOPED_TRACE(missing ? "missing" : "broken");
        Stage stage;
        const fs::path image = stage.Data() / "images" / "hexgrid.gif";
        if (missing) {
            ASSERT_TRUE(fs::remove(image));
        } else {
            fs::resize_file(image, fs::file_size(image) / 2);
        }
        // The show walked scene by scene on the tick count it is given; it
        // ends, as the program does, with status 1.
        ProgramProcess process(BRIMVALE_SHOW_WALK, stage.Path(), {{"SDL_VIDEODRIVER", "offscreen"}, {"DISPLAY", ""}});
        ASSERT_TRUE(process.Wait(StartUpAllowance())) << process.Describe();
        EXPECT_TRUE(process.Exited()) << process.Describe();
        EXPECT_EQ(1, process.ExitStatus()) << process.Describe();
    }
}
