#include "SceneFrames.h"
#include "ProgramFixture.h"

#include "conformity/Conformity.h"
#include "conformity/HexField.h"

#include "globals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

const unsigned fieldVertices = 518400;

// The field on its own, over an array of its own size.
struct FieldBench {
    FieldBench() {
        EnsureDeviceObjects();
        effect = scene_frames::LoadSeaEffect();
        vertices.resize(fieldVertices);
        range.first = 0;
        range.count = fieldVertices;
        range.stride = sizeof(VRK::ConformityVertex);
        field.reset(new VRK::HexField(vertices.data(), effect, &range, backBufferView, depthStencilView));
    }

    ID3D10Effect* effect;
    std::vector<VRK::ConformityVertex> vertices;
    VRK::VertexRange range;
    std::unique_ptr<VRK::HexField> field;
};

}  // namespace

TEST(HexField, RadiusProfileNarrowsTheEndRings) {
    const VMath::Vector3D<float> middle = VRK::HexField::RadiusProfile(0.0f);
    EXPECT_EQ(1.0f, middle.x);
    EXPECT_EQ(1.0f, middle.y);
    EXPECT_EQ(1.0f, middle.z);
    const float quarterTurn = std::cos(0.78539819f);
    for (float t : {-1.0f, 1.0f}) {
        const VMath::Vector3D<float> end = VRK::HexField::RadiusProfile(t);
        EXPECT_FLOAT_EQ(quarterTurn, end.x);
        EXPECT_EQ(1.0f, end.y);
        EXPECT_FLOAT_EQ(quarterTurn, end.z);
    }
    EXPECT_NEAR(std::cos(0.5 * 0.785398163), VRK::HexField::RadiusProfile(0.5f).x, 1e-6);
}

TEST(HexField, CameraRisesFromHeightOneByNineTenthsPerSecond) {
    FieldBench bench;
    const unsigned start = 0xFFFFFFFFu - 2999u;  // the tick count wraps on the way
    bench.field->Start(start);
    const struct {
        unsigned elapsed;
        float height;
    } steps[] = {{0, 1.0f}, {1000, 1.9f}, {2500, 3.25f}, {5000, 5.5f}, {7999, 8.1991f}};
    for (const auto& step : steps) {
        bench.field->Update(start + step.elapsed);
        const VRK::Camera& camera = bench.field->GetCamera();
        EXPECT_NEAR(step.height, camera.eye.y, 1e-4f) << step.elapsed;
        EXPECT_EQ(-8.0f, camera.eye.x);
        EXPECT_EQ(-6.0f, camera.eye.z);
        EXPECT_EQ(0.0f, camera.at.x);
        EXPECT_EQ(0.0f, camera.at.y);
        EXPECT_EQ(0.0f, camera.at.z);
        EXPECT_EQ(aspectRatio, camera.aspect);
        EXPECT_FLOAT_EQ(step.elapsed / 1000.0f, bench.field->Seconds());
    }
}

TEST(HexField, ClearsWhatWasDrawnBeforeIt) {
    FieldBench bench;
    std::unique_ptr<VRK::Mesh> mesh(scene_frames::MakeMesh(bench.effect, bench.vertices.data(), fieldVertices));
    const float red[4] = {1.0f, 0.0f, 0.0f, 1.0f};
    PaintBackBuffer(red);
    bench.field->Start(0);
    bench.field->Update(3000);
    mesh->Bind();
    bench.field->Render();
    const scene_frames::Frame frame = scene_frames::ReadTarget(backBufferView);
    ASSERT_EQ(screenWidth, frame.width);
    ASSERT_EQ(screenHeight, frame.height);
    long red_left = 0;
    long cells = 0;
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            const uint8_t* p = frame.At(x, y);
            if (p[0] > 200 && p[1] < 60 && p[2] < 60)
                ++red_left;
            if (!frame.IsWhite(x, y))
                ++cells;
        }
    }
    EXPECT_EQ(0, red_left);
    // The field covers most of the picture.
    EXPECT_GT(cells, frame.width * frame.height / 2);
}
