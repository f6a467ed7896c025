#include "SceneFrames.h"
#include "ProgramFixture.h"

#include "conformity/Conformity.h"
#include "growth/Growth.h"
#include "growth/GrowthCells.h"
#include "growth/GrowthParticles.h"
#include "growth/GrowthRibbons.h"

#include "framework.h"
#include "globals.h"
#include "mesh.h"
#include "vector4d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using scene_frames::Frame;
using VRK::GrowthVertex;
using VMath::Vector3D;

namespace {

const unsigned groundCount = 6;
const unsigned cellsFirst = 6;
const unsigned cellsCount = 228096;
const unsigned ribbonsFirst = 228102;
const unsigned ribbonsCount = 12288;
const unsigned totalCount = 240390;
const unsigned clusterVertices = 7128;
const unsigned ribbonVertices = 384;

bool SameVector(const Vector3D<float>& a, const Vector3D<float>& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The scene as the show builds it: in a process whose generator nothing has
// touched yet, after the first scene.
std::unique_ptr<VRK::Growth> MakeScene() {
    EnsureDeviceObjects();
    // Earlier tests in this process may have drawn numbers: back to the
    // generator's initial state, as the program starts.
    std::srand(1);
    std::unique_ptr<VRK::Conformity> first(new VRK::Conformity);
    return std::unique_ptr<VRK::Growth>(new VRK::Growth);
}

Vector3D<float> Turned(const Vector3D<float>& v, const VMath::Matrix4x4& m) {
    const VMath::Vector4D<float> r = VMath::Vector4D<float>(v, 1.0f) * m;
    return Vector3D<float>(r.x, r.y, r.z);
}

float LowestU(const GrowthVertex* ribbon) {
    float lowest = ribbon[0].texcoord.x;
    for (unsigned k = 1; k < ribbonVertices; ++k) lowest = std::fmin(lowest, ribbon[k].texcoord.x);
    return lowest;
}

}  // namespace

TEST(GrowthScene, SharedArrayHoldsGroundCellsAndRibbonsBackToBack) {
    EXPECT_EQ(cellsCount, VRK::GrowthCells::VertexCount());
    EXPECT_EQ(ribbonsCount, VRK::GrowthRibbons::VertexCount());
    std::unique_ptr<VRK::Growth> scene = MakeScene();
    ASSERT_EQ(totalCount, scene->VertexCount());
    const GrowthVertex* v = scene->Vertices();

    // The ground: B and C repeated, not A and C; no normals.
    const float ground[6][5] = {{-100, 100, 0, 0},  {100, 100, 50, 0},   {-100, -100, 0, 40},
                                {100, 100, 50, 0},  {100, -100, 50, 40}, {-100, -100, 0, 40}};
    for (unsigned k = 0; k < groundCount; ++k) {
        EXPECT_TRUE(SameVector(Vector3D<float>(ground[k][0], 0, ground[k][1]), v[k].position)) << k;
        EXPECT_TRUE(SameVector(Vector3D<float>(ground[k][2], ground[k][3], 0), v[k].texcoord)) << k;
        EXPECT_TRUE(SameVector(Vector3D<float>(), v[k].normal)) << k;
    }

    // Every cell record is written (a unit normal), carries its cluster's
    // centre and stands about the origin: the tallest spindle reaches 5.625
    // up, its cap 0.4 out.
    for (unsigned cluster = 0; cluster < 32; ++cluster) {
        const GrowthVertex* c = v + cellsFirst + cluster * clusterVertices;
        for (unsigned k = 0; k < clusterVertices; ++k) {
            ASSERT_TRUE(SameVector(c[0].texcoord, c[k].texcoord)) << cluster << ", " << k;
            ASSERT_NEAR(1.0f, c[k].normal.Length(), 1e-4f) << cluster << ", " << k;
            ASSERT_LE(c[k].position.Length(), 6.05f) << cluster << ", " << k;
        }
    }

    // Every ribbon record is written too; the ribbons leave the third
    // coordinate as the array was made, and v is 0 or 0.1.
    for (unsigned k = ribbonsFirst; k < totalCount; ++k) {
        ASSERT_NEAR(1.0f, v[k].normal.Length(), 1e-4f) << k;
        ASSERT_EQ(0.0f, v[k].texcoord.z) << k;
        ASSERT_TRUE(v[k].texcoord.y == 0.0f || v[k].texcoord.y == 0.1f) << k;
    }
    EXPECT_EQ(38.0f / 256, LowestU(v + ribbonsFirst));
}

TEST(GrowthScene, RandomPicturesAreTheShowsOwn) {
    std::unique_ptr<VRK::Growth> scene = MakeScene();
    const GrowthVertex* v = scene->Vertices();
    auto centre = [&](unsigned cluster) { return v[cellsFirst + cluster * clusterVertices].texcoord; };

    EXPECT_TRUE(SameVector(Vector3D<float>(0, 0, 0), centre(0)));
    EXPECT_TRUE(SameVector(Vector3D<float>(18, 0, -2), centre(1)));
    EXPECT_TRUE(SameVector(Vector3D<float>(6, 0, -14), centre(31)));
    EXPECT_TRUE(SameVector(Vector3D<float>(-30, 0, -10), centre(10)));
    EXPECT_TRUE(SameVector(Vector3D<float>(-30, 0, -10), centre(14)));
    EXPECT_TRUE(SameVector(Vector3D<float>(26, 0, 22), centre(13)));
    EXPECT_TRUE(SameVector(Vector3D<float>(26, 0, 22), centre(20)));

    // Cluster 0's first spindle: height 3.5, tilted by -1.5 pi/8 about x,
    // then turned by pi/8 about y. Its top, 1.5 heights up its axis before
    // the turn, is a flat cap of radius 0.4 round the pole.
    const VMath::Matrix4x4 m = VRK::RotationX(-0.58904862f) * VRK::RotationY(0.39269909f);
    const Vector3D<float> axis = Turned(Vector3D<float>(0, 1, 0), m);
    const Vector3D<float> pole = Turned(Vector3D<float>(0, 5.25f, 0), m);
    const GrowthVertex* spindle = v + cellsFirst;
    float highest = -100, poleDistance = 100, capRadius = 0;
    for (unsigned k = 0; k < 1188; ++k) {
        const Vector3D<float>& p = spindle[k].position;
        const float along = p.x * axis.x + p.y * axis.y + p.z * axis.z;
        highest = std::fmax(highest, along);
        if (std::fabs(along - 5.25f) < 1e-4f) {
            poleDistance = std::fmin(poleDistance, (p - pole).Length());
            capRadius = std::fmax(capRadius, (p - pole).Length());
        }
    }
    EXPECT_NEAR(5.25f, highest, 1e-4f);
    EXPECT_LT(poleDistance, 1e-5f);
    EXPECT_NEAR(0.4f, capRadius, 1e-5f);

    // The ribbons reseed: their pattern does not depend on the cells' draws.
    const unsigned firstU[4] = {38, 39, 246, 133};
    for (unsigned i = 0; i < 4; ++i)
        EXPECT_EQ(firstU[i] / 256.0f, LowestU(v + ribbonsFirst + i * ribbonVertices)) << i;
    EXPECT_EQ(78 / 256.0f, LowestU(v + ribbonsFirst + 31 * ribbonVertices));

    // The particles continue after the ribbons' 32 draws.
    const VRK::ParticleVertex* p = scene->Particles()->Vertices();
    auto expectParticle = [&](unsigned n, float x, float z, float offset) {
        for (unsigned k = 6 * n; k < 6 * n + 6; ++k) {
            EXPECT_TRUE(SameVector(Vector3D<float>(x, 2, z), p[k].texcoord1)) << n;
            EXPECT_TRUE(SameVector(Vector3D<float>(x, 10, z), p[k].texcoord2)) << n;
            EXPECT_EQ(offset, p[k].texcoord0.z) << n;
        }
    };
    expectParticle(0, 8 * 0.6f, -37 * 0.6f, 11 / 64.0f);
    expectParticle(1, 53 * 0.6f, -5 * 0.6f, 9 / 64.0f);
    expectParticle(999, -20 * 0.6f, 11 * 0.6f, 26 / 64.0f);
    // Each quad is flat about its own centre, its corners in the order of
    // two triangles sharing the diagonal from the first corner.
    const float corners[6][4] = {{-0.25f, 0.25f, 0, 0}, {0.25f, 0.25f, 1, 0}, {0.25f, -0.25f, 1, 1},
                                 {-0.25f, 0.25f, 0, 0}, {0.25f, -0.25f, 1, 1}, {-0.25f, -0.25f, 0, 1}};
    for (unsigned k = 0; k < 6; ++k) {
        EXPECT_TRUE(SameVector(Vector3D<float>(corners[k][0], corners[k][1], 0), p[k].position)) << k;
        EXPECT_EQ(corners[k][2], p[k].texcoord0.x) << k;
        EXPECT_EQ(corners[k][3], p[k].texcoord0.y) << k;
    }
}

TEST(GrowthScene, OnlyTheTopTwoRingsOfASpindleAreWide) {
    int wide = 0;
    for (int i = -16; i <= 16; ++i) {
        const Vector3D<float> r = VRK::GrowthCells::RadiusProfile(i / 16.0f);
        const bool isWide = r.x == 4.0f && r.z == 4.0f;
        EXPECT_TRUE(isWide || (r.x == 1.0f && r.z == 1.0f)) << i;
        EXPECT_EQ(1.0f, r.y) << i;
        wide += isWide ? 1 : 0;
        if (isWide) {
            EXPECT_GE(i, 15);
        }
    }
    EXPECT_EQ(2, wide);
}

TEST(GrowthScene, CameraOrbitsAndBandsAndParticlesWrapEveryFourSeconds) {
    std::unique_ptr<VRK::Growth> scene = MakeScene();
    const unsigned start = 123456;
    scene->Start(start);
    scene->Update(start);
    const VRK::Camera& camera = scene->GetGround()->GetCamera();
    EXPECT_TRUE(SameVector(Vector3D<float>(0, 10, -10), camera.eye));
    scene->Update(start + 7999);
    EXPECT_NEAR(5.878f, camera.eye.x, 2e-3f);
    EXPECT_EQ(10.0f, camera.eye.y);
    EXPECT_NEAR(-8.090f, camera.eye.z, 2e-3f);
    EXPECT_TRUE(SameVector(Vector3D<float>(0, 0, 0), camera.at));

    // The two flows, read back from an effect of their own after each draw.
    ID3D10Effect* effect = VRK::LoadEffect("data/fx/growth.fx");
    std::vector<GrowthVertex> array(ribbonsCount);
    VRK::VertexRange range;
    range.count = ribbonsCount;
    range.stride = sizeof(GrowthVertex);
    VRK::GrowthRibbons ribbons(array.data(), effect, &range, backBufferView);
    // The ribbons draw from the scene's buffer: here one over their own array.
    std::unique_ptr<VRK::Mesh> mesh(scene_frames::MakeMesh(effect, array.data(), ribbonsCount));
    std::unique_ptr<VRK::GrowthParticles> particles(new VRK::GrowthParticles(effect, backBufferView));
    ribbons.Start(start);
    particles->Start(start);
    auto shiftsAt = [&](unsigned elapsed, float expectedRibbon, float expectedParticles) {
        ribbons.Update(start + elapsed);
        particles->Update(start + elapsed);
        mesh->Bind();
        ribbons.Render();
        particles->Render();
        float ribbonShift = -1, particlesShift = -1;
        EXPECT_EQ(S_OK, effect->GetVariableByName("RibbonShift")->AsScalar()->GetFloat(&ribbonShift));
        EXPECT_EQ(S_OK, effect->GetVariableByName("ParticlesShift")->AsScalar()->GetFloat(&particlesShift));
        EXPECT_FLOAT_EQ(expectedRibbon, ribbonShift) << elapsed;
        EXPECT_FLOAT_EQ(expectedParticles, particlesShift) << elapsed;
    };
    shiftsAt(0, 1.0f, 0.0f);
    shiftsAt(2000, 0.5f, 0.5f);
    shiftsAt(4000, 0.5f, 0.5f);  // the loop restarts; the value waits for the next update
    shiftsAt(5000, 0.75f, 0.25f);
    shiftsAt(9000, 0.75f, 0.25f);
    effect->Release();
}

TEST(GrowthScene, FramesMatchTheReferences) {
    std::unique_ptr<VRK::Growth> scene = MakeScene();
    const unsigned start = 40000;
    scene->Start(start);
    for (unsigned elapsed : {1500u, 4000u, 7000u}) {
        // Two frames: the second begins with the particles' buffer still
        // bound from the first.
        for (int frame = 0; frame < 2; ++frame) {
            scene->Update(start + elapsed);
            scene->Render();
        }
        const Frame frame = scene_frames::ReadTarget(backBufferView);
        ASSERT_EQ(screenWidth, frame.width);
        const std::string problem =
            scene_frames::MatchesReference(scene_frames::FrameName("growth", elapsed, 4), frame);
        EXPECT_TRUE(problem.empty()) << problem;
    }
}
