#include "SceneFrames.h"
#include "ProgramFixture.h"
#include "RandomSequence.h"

#include "greets/DotFont.h"
#include "greets/Greets.h"

#include "camera.h"
#include "globals.h"
#include "vector4d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

using scene_frames::DrawSceneAt;
using scene_frames::Frame;

namespace {

std::unique_ptr<VRK::Greets> MakeScene() {
    EnsureDeviceObjects();
    LeaveGeneratorAsGrowthDoes();
    return std::unique_ptr<VRK::Greets>(new VRK::Greets);
}

// The boxes are coloured; the ground is white with grey lines.
bool IsBox(const Frame& frame, int x, int y) {
    const uint8_t* p = frame.At(x, y);
    return std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]}) > 60;
}

// Where the camera of the pan puts a point of the scene on the screen, at
// the given milliseconds into the scene.
bool Project(unsigned elapsed, const VMath::Vector3D<float>& point, int& x, int& y) {
    VRK::Camera camera;
    const float lookAt = -40.0f + 160.0f * elapsed / 20000.0f;
    camera.eye = VMath::Vector3D<float>(lookAt - 4.0f, 15.0f, -20.0f);
    camera.at = VMath::Vector3D<float>(lookAt, 0.0f, 0.0f);
    const VMath::Vector4D<float> clip =
        VMath::Vector4D<float>(point, 1.0f) * (camera.ViewMatrix() * camera.ProjectionMatrix());
    x = static_cast<int>((clip.x / clip.w + 1.0f) * 0.5f * screenWidth);
    y = static_cast<int>((1.0f - clip.y / clip.w) * 0.5f * screenHeight);
    return clip.w > 0 && x >= 0 && x < screenWidth && y >= 0 && y < screenHeight;
}

// Of the dots of one name, standing where the font puts them: how many lie
// on the screen, and how many of those show a box at the middle of their
// front face.
void CountStandingDots(const Frame& frame, unsigned elapsed, const std::string& name, VMath::Vector3D<float> cursor,
                       int& onScreen, int& covered) {
    onScreen = covered = 0;
    for (char c : name) {
        for (const VMath::Vector3D<float>& d : VRK::dotFont.Glyph(c)) {
            int x, y;
            if (!Project(elapsed, d + cursor - VMath::Vector3D<float>(0.0f, 0.0f, 0.5f), x, y))
                continue;
            ++onScreen;
            // The middle of a cell may fall on the dark edge between its
            // boxes: look a few pixels about it.
            bool box = false;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    box = box || IsBox(frame, std::clamp(x + dx, 0, frame.width - 1),
                                       std::clamp(y + dy, 0, frame.height - 1));
            covered += box ? 1 : 0;
        }
        cursor.x += VRK::dotFont.Width(c) + 1.0f;
    }
}

}  // namespace

TEST(GreetsScene, FramesMatchTheReferences) {
    // The names standing, the explosion half-way along them, the end.
    std::unique_ptr<VRK::Greets> scene = MakeScene();
    for (unsigned elapsed : {1000u, 10000u, 19900u}) {
        const Frame frame = DrawSceneAt(*scene, 123456, elapsed);
        ASSERT_EQ(screenWidth, frame.width);
        const std::string problem =
            scene_frames::MatchesReference(scene_frames::FrameName("greets", elapsed, 5), frame);
        EXPECT_TRUE(problem.empty()) << problem;
    }
}

TEST(GreetsScene, NamesStandReadableThenScatterIntoBoxes) {
    std::unique_ptr<VRK::Greets> scene = MakeScene();
    int onScreen = 0, covered = 0;

    // At a second in, the first names stand whole in front of the camera:
    // a box at every dot, and ground in the gaps of the letters.
    const Frame early = DrawSceneAt(*scene, 0, 1000);
    CountStandingDots(early, 1000, "yib", VMath::Vector3D<float>(-40, 2, 0), onScreen, covered);
    EXPECT_EQ(29, onScreen);
    EXPECT_EQ(onScreen, covered);
    CountStandingDots(early, 1000, "vemna", VMath::Vector3D<float>(-30, 2, -10), onScreen, covered);
    EXPECT_GT(onScreen, 40);
    EXPECT_EQ(onScreen, covered);
    int x, y;
    // Inside the bowl of the 'b' and under the arms of the 'y'.
    const VMath::Vector3D<float> gaps[] = {VMath::Vector3D<float>(-32, 5, -0.5f),
                                           VMath::Vector3D<float>(-38.5f, 5.5f, -0.5f)};
    for (const VMath::Vector3D<float>& gap : gaps) {
        ASSERT_TRUE(Project(1000, gap, x, y));
        EXPECT_FALSE(IsBox(early, x, y)) << gap.x << ", " << gap.y;
    }

    // At the end the last names have burst: few of their dots still show a
    // box, while the flying boxes still colour the frame.
    const Frame late = DrawSceneAt(*scene, 0, 19900);
    int lateOnScreen = 0, lateCovered = 0;
    const std::pair<const char*, VMath::Vector3D<float>> lastNames[] = {
        {"torpe", {80, 2, -10}}, {"hulta", {70, 2, 0}}, {"wum", {70, 2, 20}}, {"dolvemiric", {60, 2, 10}}};
    for (const auto& name : lastNames) {
        CountStandingDots(late, 19900, name.first, name.second, onScreen, covered);
        lateOnScreen += onScreen;
        lateCovered += covered;
    }
    EXPECT_GT(lateOnScreen, 20);
    EXPECT_LT(lateCovered, lateOnScreen / 4);
    long boxPixels = 0;
    for (int py = 0; py < late.height; ++py)
        for (int px = 0; px < late.width; ++px) boxPixels += IsBox(late, px, py) ? 1 : 0;
    EXPECT_GT(boxPixels, static_cast<long>(late.width) * late.height / 200);
}
