#include "SceneFrames.h"
#include "ProgramFixture.h"

#include "conformity/Conformity.h"

#include "globals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

using scene_frames::DrawSceneAt;
using scene_frames::Frame;

namespace {

const unsigned cellVertices = 324;
const unsigned modelFirst = 518400;
const unsigned modelCount = 72;
const unsigned overlayFirst = 518472;
const unsigned totalCount = 518478;

VMath::Vector3D<float> CentreOf(const VRK::ConformityVertex* vertices, int row, int column) {
    return vertices[(row * 40 + column + 20) * cellVertices].texcoord;
}

bool SameVector(const VMath::Vector3D<float>& a, const VMath::Vector3D<float>& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::unique_ptr<VRK::Conformity> MakeScene() {
    EnsureDeviceObjects();
    return std::unique_ptr<VRK::Conformity>(new VRK::Conformity);
}

}  // namespace

TEST(ConformityScene, ArrayHoldsFieldThenModelThenOverlay) {
    std::unique_ptr<VRK::Conformity> scene = MakeScene();
    ASSERT_EQ(totalCount, scene->VertexCount());
    const VRK::ConformityVertex* v = scene->Vertices();

    // Every cell is the same mesh about the origin, told apart only by the
    // centre in its texture coordinate.
    for (unsigned cell = 0; cell < 1600; ++cell) {
        const VRK::ConformityVertex* c = v + cell * cellVertices;
        for (unsigned k = 0; k < cellVertices; ++k) {
            ASSERT_TRUE(SameVector(v[k].position, c[k].position)) << "cell " << cell << ", vertex " << k;
            ASSERT_TRUE(SameVector(v[k].normal, c[k].normal)) << "cell " << cell << ", vertex " << k;
            ASSERT_TRUE(SameVector(c[0].texcoord, c[k].texcoord)) << "cell " << cell << ", vertex " << k;
        }
        ASSERT_NEAR(1.0f, c[0].normal.Length(), 1e-5f) << "cell " << cell;
    }
    const VMath::Vector3D<float> first = CentreOf(v, 0, -20);
    EXPECT_EQ(-20.0f, first.x);
    EXPECT_EQ(0.0f, first.y);
    EXPECT_EQ(-20.0f, first.z);
    const VMath::Vector3D<float> shifted = CentreOf(v, 1, -20);
    EXPECT_EQ(-19.5f, shifted.x);
    EXPECT_EQ(0.0f, shifted.y);
    EXPECT_EQ(-19.0f, shifted.z);
    const VMath::Vector3D<float> last = CentreOf(v, 39, 19);
    EXPECT_EQ(19.5f, last.x);
    EXPECT_EQ(0.0f, last.y);
    EXPECT_EQ(19.0f, last.z);
    // The cells are low: nine rings from -0.2 to 0.2, at most 0.58 out.
    for (unsigned k = 0; k < cellVertices; ++k) {
        EXPECT_LE(std::fabs(v[k].position.y), 0.2f);
        EXPECT_LE(std::sqrt(v[k].position.x * v[k].position.x + v[k].position.z * v[k].position.z), 0.58f + 1e-6f);
    }

    // The model's 72 follow the field; they carry no centre.
    for (unsigned k = modelFirst; k < modelFirst + modelCount; ++k) {
        EXPECT_NEAR(1.0f, v[k].normal.Length(), 1e-5f) << k;
        EXPECT_TRUE(SameVector(VMath::Vector3D<float>(), v[k].texcoord)) << k;
        EXPECT_LE(std::fabs(v[k].position.y), 0.8f) << k;
    }

    // The overlay's six close the array, with zero normals.
    for (unsigned k = overlayFirst; k < totalCount; ++k) {
        EXPECT_TRUE(SameVector(VMath::Vector3D<float>(), v[k].normal)) << k;
        EXPECT_EQ(0.0f, v[k].position.z) << k;
        EXPECT_TRUE(v[k].position.x == -1.0f || v[k].position.x == -0.3f) << k;
    }
    EXPECT_EQ(-1.0f, v[overlayFirst].position.x);
    EXPECT_EQ(1.0f, v[overlayFirst].position.y);
}

TEST(ConformityScene, FramesMatchTheReferences) {
    std::unique_ptr<VRK::Conformity> scene = MakeScene();
    for (unsigned elapsed : {500u, 4000u, 7500u}) {
        const Frame frame = DrawSceneAt(*scene, 77777, elapsed);
        ASSERT_EQ(screenWidth, frame.width);
        const std::string problem =
            scene_frames::MatchesReference(scene_frames::FrameName("conformity", elapsed, 4), frame);
        EXPECT_TRUE(problem.empty()) << problem;
    }
}

TEST(ConformityScene, PictureChangesAsTheCameraRises) {
    std::unique_ptr<VRK::Conformity> scene = MakeScene();
    const Frame low = DrawSceneAt(*scene, 5000, 500);
    const Frame high = DrawSceneAt(*scene, 5000, 7500);
    // Same time again: the same picture, to the bit.
    const Frame lowAgain = DrawSceneAt(*scene, 5000, 500);
    EXPECT_EQ(low.rgba, lowAgain.rgba);

    const scene_frames::FrameDifference difference = scene_frames::Compare(low, high, 48);
    EXPECT_GT(difference.farOffFraction, 0.2);

    // From higher up the far edge of the field climbs the screen: find the
    // first row, right of the overlay, that is not the white it was cleared to.
    auto horizon = [](const Frame& frame) {
        for (int y = 0; y < frame.height; ++y)
            for (int x = frame.width / 2; x < frame.width; ++x)
                if (frame.At(x, y)[0] < 235)
                    return y;
        return frame.height;
    };
    EXPECT_LT(horizon(high), horizon(low) - 50) << horizon(high) << " " << horizon(low);
}

TEST(ConformityScene, ModelShowsThroughTheField) {
    // The cells take their colour from the model texture of the same frame:
    // warm where the model lies, cool water where the texture is white.
    std::unique_ptr<VRK::Conformity> scene = MakeScene();
    for (unsigned elapsed : {1000u, 7000u}) {
        const Frame frame = DrawSceneAt(*scene, 0, elapsed);
        const int edge = static_cast<int>(screenWidth * 0.35) + 1;
        long warm = 0, cool = 0;
        for (int y = 0; y < frame.height; ++y) {
            for (int x = edge; x < frame.width; ++x) {
                const uint8_t* p = frame.At(x, y);
                if (p[0] > p[2] + 40)
                    ++warm;
                else if (p[2] > p[0] + 25)
                    ++cool;
            }
        }
        const long area = static_cast<long>(frame.width - edge) * frame.height;
        EXPECT_GT(warm, area / 20) << elapsed;
        EXPECT_GT(cool, area / 25) << elapsed;
    }
}

TEST(ConformityScene, OverlayLiesOverTheLeftOfTheFrame) {
    // Drawn last and blended, the grid strip leaves a seam down the whole
    // height of the frame where it ends, 35 % of the way across, and nowhere
    // else; and the sky above the field shows its outlines.
    std::unique_ptr<VRK::Conformity> scene = MakeScene();
    const Frame frame = DrawSceneAt(*scene, 0, 500);
    const int edge = static_cast<int>(screenWidth * 0.35);
    auto seamRows = [&](int x) {
        int rows = 0;
        for (int y = 0; y < frame.height; ++y) {
            const uint8_t* left = frame.At(x - 1, y);
            const uint8_t* right = frame.At(x, y);
            const int step = std::abs(left[0] - right[0]) + std::abs(left[1] - right[1]) + std::abs(left[2] - right[2]);
            rows += step > 12 ? 1 : 0;
        }
        return rows;
    };
    EXPECT_GT(seamRows(edge), frame.height * 9 / 10);
    for (int x : {edge / 2 + 3, edge + 40, screenWidth / 2, screenWidth - 60})
        EXPECT_LT(seamRows(x), frame.height / 3) << x;

    long outline = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < edge; ++x)
            outline += frame.At(x, y)[0] < 170 ? 1 : 0;
    EXPECT_GT(outline, 100L * edge / 20);
    for (int y = 0; y < 100; ++y)
        for (int x = edge; x < frame.width; ++x)
            ASSERT_TRUE(frame.IsWhite(x, y)) << x << ", " << y;
}
