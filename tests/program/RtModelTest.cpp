#include "SceneFrames.h"
#include "ProgramFixture.h"

#include "conformity/Conformity.h"
#include "conformity/RtModel.h"

#include "globals.h"
#include "texture.h"
#include "vector4d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

using scene_frames::Frame;

namespace {

// X, then Y, then Z, for row vectors, worked out in double on its own.
void ExpectRotation(const VMath::Matrix4x4& m, double x, double y, double z) {
    const double cx = std::cos(x), sx = std::sin(x);
    const double cy = std::cos(y), sy = std::sin(y);
    const double cz = std::cos(z), sz = std::sin(z);
    const double rx[3][3] = {{1, 0, 0}, {0, cx, sx}, {0, -sx, cx}};
    const double ry[3][3] = {{cy, 0, sy}, {0, 1, 0}, {-sy, 0, cy}};
    const double rz[3][3] = {{cz, sz, 0}, {-sz, cz, 0}, {0, 0, 1}};
    double xy[3][3] = {};
    double xyz[3][3] = {};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                xy[i][j] += rx[i][k] * ry[k][j];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                xyz[i][j] += xy[i][k] * rz[k][j];
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            const double expected = (i < 3 && j < 3) ? xyz[i][j] : (i == j ? 1.0 : 0.0);
            EXPECT_NEAR(expected, m.m[i][j], 2e-6) << "element " << i << ", " << j;
        }
    }
}

// The model part on its own: its 72 vertices, the scene's effect and a
// square target of its own.
struct ModelBench {
    ModelBench() {
        EnsureDeviceObjects();
        effect = scene_frames::LoadSeaEffect();
        target.reset(new VRK::Texture(256, 256, VRK::TexturePurpose::Target | VRK::TexturePurpose::Source));
        vertices.resize(72);
        range.first = 0;
        range.count = 72;
        range.stride = sizeof(VRK::ConformityVertex);
        model.reset(new VRK::RtModel(vertices.data(), effect, &range, target->GetTargetView()));
        mesh.reset(scene_frames::MakeMesh(effect, vertices.data(), 72));
    }

    Frame DrawAt(unsigned start, unsigned time) {
        model->Start(start);
        model->Update(time);
        mesh->Bind();
        model->Render();
        return scene_frames::ReadTarget(target->GetTargetView());
    }

    ID3D10Effect* effect;
    std::unique_ptr<VRK::Texture> target;
    std::vector<VRK::ConformityVertex> vertices;
    VRK::VertexRange range;
    std::unique_ptr<VRK::RtModel> model;
    std::unique_ptr<VRK::Mesh> mesh;
};

}  // namespace

TEST(RtModel, RadiusProfileIsFullOnlyAtTheMiddleRing) {
    const VMath::Vector3D<float> middle = VRK::RtModel::RadiusProfile(0.0f);
    EXPECT_EQ(1.0f, middle.x);
    EXPECT_EQ(1.0f, middle.y);
    EXPECT_EQ(1.0f, middle.z);
    // Negative zero compares equal to zero.
    EXPECT_EQ(1.0f, VRK::RtModel::RadiusProfile(-0.0f).x);
    for (float t : {1.0f, -1.0f, 1e-30f, std::numeric_limits<float>::quiet_NaN()}) {
        const VMath::Vector3D<float> end = VRK::RtModel::RadiusProfile(t);
        EXPECT_EQ(0.6f, end.x) << t;
        EXPECT_EQ(1.0f, end.y) << t;
        EXPECT_EQ(0.6f, end.z) << t;
    }
}

TEST(RtModel, TurnsAboutThreeAxesAtItsOwnRates) {
    ModelBench bench;
    const unsigned start = 123456;
    bench.model->Start(start);
    bench.model->Update(start);
    // At its start every angle is exactly 0: the identity.
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(i == j ? 1.0f : 0.0f, bench.model->Model().m[i][j]);

    bench.model->Update(start + 5000);
    ExpectRotation(bench.model->Model(), 1.5, 2.0, 2.5);

    // The tick count wraps past 2^32 during those five seconds.
    const unsigned nearWrap = 0xFFFFFFFFu - 1999u;
    bench.model->Start(nearWrap);
    bench.model->Update(nearWrap + 5000u);
    ExpectRotation(bench.model->Model(), 1.5, 2.0, 2.5);
}

TEST(RtModel, BuildsAClosedFourSidedSpindleWithFlatNormals) {
    ModelBench bench;
    for (const VRK::ConformityVertex& v : bench.vertices) {
        // Rings at -0.8, 0 and 0.8; radius 2 on the middle ring, 1.2 on the ends.
        const float y = v.position.y;
        EXPECT_TRUE(y == -0.8f || y == 0.0f || y == 0.8f) << y;
        const float radius = std::sqrt(v.position.x * v.position.x + v.position.z * v.position.z);
        EXPECT_TRUE(std::fabs(radius) < 1e-6f || std::fabs(radius - 1.2f) < 1e-5f || std::fabs(radius - 2.0f) < 1e-5f)
            << radius;
        EXPECT_NEAR(1.0f, v.normal.Length(), 1e-5f);
        EXPECT_EQ(0.0f, v.texcoord.x);
        EXPECT_EQ(0.0f, v.texcoord.y);
        EXPECT_EQ(0.0f, v.texcoord.z);
    }
    // Flat normals: the three corners of every triangle share one.
    for (size_t i = 0; i < bench.vertices.size(); i += 3) {
        for (size_t k = 1; k < 3; ++k) {
            EXPECT_EQ(bench.vertices[i].normal.x, bench.vertices[i + k].normal.x);
            EXPECT_EQ(bench.vertices[i].normal.y, bench.vertices[i + k].normal.y);
            EXPECT_EQ(bench.vertices[i].normal.z, bench.vertices[i + k].normal.z);
        }
    }
}

TEST(RtModel, DrawsTheModelInTheMiddleOfAWhiteTarget) {
    ModelBench bench;
    // Something left in the target from before must not survive the clear.
    const float red[4] = {1.0f, 0.0f, 0.0f, 1.0f};
    device->ClearRenderTargetView(bench.target->GetTargetView(), red);

    for (unsigned time : {0u, 2500u, 5000u}) {
        const Frame frame = bench.DrawAt(1000, 1000 + time);
        ASSERT_EQ(256, frame.width);
        ASSERT_EQ(256, frame.height);
        int left = 256, right = -1, top = 256, bottom = -1;
        long modelPixels = 0;
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                if (frame.IsWhite(x, y))
                    continue;
                ++modelPixels;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        // Where the camera must put the spindle: its corners carried through
        // model, view and projection, and on into the 256 x 256 viewport.
        VRK::Camera camera;
        camera.eye = VMath::Vector3D<float>(0.0f, 0.0f, -3.0f);
        const VMath::Matrix4x4 all = (bench.model->Model() * camera.ViewMatrix()) * camera.ProjectionMatrix();
        double expectedLeft = 256, expectedRight = 0, expectedTop = 256, expectedBottom = 0;
        for (const VRK::ConformityVertex& v : bench.vertices) {
            const VMath::Vector4D<float> clip = VMath::Vector4D<float>(v.position, 1.0f) * all;
            const double x = (clip.x / clip.w + 1.0) * 128.0;
            const double y = (1.0 - clip.y / clip.w) * 128.0;
            expectedLeft = std::min(expectedLeft, x);
            expectedRight = std::max(expectedRight, x);
            expectedTop = std::min(expectedTop, y);
            expectedBottom = std::max(expectedBottom, y);
        }
        ASSERT_GT(modelPixels, 2000) << time;
        EXPECT_NEAR(expectedLeft, left, 1.5) << time;
        EXPECT_NEAR(expectedRight, right + 1, 1.5) << time;
        EXPECT_NEAR(expectedTop, top, 1.5) << time;
        EXPECT_NEAR(expectedBottom, bottom + 1, 1.5) << time;
        // It stays clear of the target's border.
        EXPECT_GT(left, 0) << time;
        EXPECT_LT(right, 255) << time;
        EXPECT_GT(top, 0) << time;
        EXPECT_LT(bottom, 255) << time;
        // The border is white: the clear reaches the whole target.
        for (int i = 0; i < 256; ++i) {
            EXPECT_TRUE(frame.IsWhite(i, 0) && frame.IsWhite(i, 255) && frame.IsWhite(0, i) && frame.IsWhite(255, i));
        }
        // The model is dark against the white it is drawn on.
        long shade = 0;
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x)
                if (!frame.IsWhite(x, y))
                    shade += frame.At(x, y)[0] + frame.At(x, y)[1] + frame.At(x, y)[2];
        EXPECT_LT(shade / modelPixels, 3 * 150) << time;
    }
}

TEST(RtModel, TargetMatchesTheReferenceAtFiveSeconds) {
    ModelBench bench;
    const Frame frame = bench.DrawAt(1000, 6000);
    // The model's projection takes the screen's aspect ratio, so each
    // configuration has its own reference.
    const std::string name = "conformity-model-5000ms-256x256-at-" + std::to_string(screenWidth) + "x" +
                             std::to_string(screenHeight);
    const std::string problem = scene_frames::MatchesReference(name, frame);
    EXPECT_TRUE(problem.empty()) << problem;
}
