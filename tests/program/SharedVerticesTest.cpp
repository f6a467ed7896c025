// Each scene's frames are the same to the byte whether the layer draws its
// meshes through their shared vertices or plainly.
#include "ProgramFixture.h"

#include "conformity/Conformity.h"
#include "end/End.h"
#include "greets/Greets.h"
#include "growth/Growth.h"

#include <PlatformTesting.h>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct BothWays {
    std::vector<platform_testing::Image> shared;
    std::vector<platform_testing::Image> plain;
    uint64_t sharedDraws = 0;
};

// The scene's frames at these times since its start, drawn with sharing on,
// then again with it off.
template <class Scene>
BothWays DrawBothWays(const std::vector<unsigned>& times) {
    EnsureDeviceObjects();
    platform_testing::SetVertexReuse(true);
    std::unique_ptr<Scene> scene(new Scene);
    BothWays frames;
    for (bool reuse : {true, false}) {
        platform_testing::SetVertexReuse(reuse);
        const uint64_t before = platform_testing::SharedVertexDraws();
        for (unsigned elapsed : times) {
            scene->Start(1000);
            scene->Update(1000 + elapsed);
            scene->Render();
            (reuse ? frames.shared : frames.plain).push_back(platform_testing::ReadRenderTarget(backBufferView));
        }
        if (reuse) frames.sharedDraws = platform_testing::SharedVertexDraws() - before;
    }
    platform_testing::SetVertexReuse(true);
    return frames;
}

struct SceneFrames {
    const char* name;
    BothWays (*drawBothWays)(const std::vector<unsigned>& times);
    std::vector<unsigned> times;
};

void PrintTo(const SceneFrames& scene, std::ostream* out) { *out << scene.name; }

// One line per scene.
const SceneFrames scenes[] = {
    {"Conformity", &DrawBothWays<VRK::Conformity>, {500, 4000, 7500}},
    {"Growth", &DrawBothWays<VRK::Growth>, {1000, 4000, 7500}},
    {"Greets", &DrawBothWays<VRK::Greets>, {1000, 10000, 19900}},
    {"End", &DrawBothWays<VRK::End>, {1500, 5000, 9000}},
};

class SharedVertices : public testing::TestWithParam<SceneFrames> {};

TEST_P(SharedVertices, FramesAreTheSameWithAndWithoutSharing) {
    const SceneFrames& scene = GetParam();
    const BothWays frames = scene.drawBothWays(scene.times);
    EXPECT_GT(frames.sharedDraws, 0u) << "no draw of the scene went through shared vertices";
    ASSERT_EQ(frames.shared.size(), frames.plain.size());
    for (size_t i = 0; i < frames.shared.size(); ++i) {
        EXPECT_EQ(frames.shared[i].width, screenWidth);
        EXPECT_TRUE(frames.shared[i].rgba == frames.plain[i].rgba) << "at " << scene.times[i] << " ms";
    }
}

INSTANTIATE_TEST_SUITE_P(Scenes, SharedVertices, testing::ValuesIn(scenes),
                         [](const testing::TestParamInfo<SceneFrames>& info) { return info.param.name; });

}  // namespace
