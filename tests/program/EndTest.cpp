// The End scene: its quads, its sphere, its controllers, the order of its
// targets in one frame, and its pictures against the reference frames.
#include "SceneFrames.h"
#include "ProgramFixture.h"

#include "end/End.h"
#include "end/EndHalo.h"
#include "end/EndSphere.h"

#include "framework.h"
#include "globals.h"

#include <PlatformTesting.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using scene_frames::Frame;
using platform_testing::TargetEvent;

namespace {

std::unique_ptr<VRK::End> MakeScene() {
    EnsureDeviceObjects();
    return std::unique_ptr<VRK::End>(new VRK::End);
}

// Updated frame by frame as the show does, so that each controller that
// loops has restarted by the time its period is over.
Frame DrawSceneAt(VRK::End& scene, unsigned start, unsigned elapsed) {
    scene.Start(start);
    for (unsigned t = 0; t < elapsed; t += 40) scene.Update(start + t);
    scene.Update(start + elapsed);
    scene.Render();
    return scene_frames::ReadTarget(backBufferView);
}

template <typename Vertex>
void ExpectClipSpaceQuad(const Vertex* quad) {
    // A, B, C, A, C, D: corners clockwise from the top left, (0, 0) at the top left.
    const float expected[6][5] = {{-1, 1, 0, 0, 0}, {1, 1, 0, 1, 0},  {1, -1, 0, 1, 1},
                                  {-1, 1, 0, 0, 0}, {1, -1, 0, 1, 1}, {-1, -1, 0, 0, 1}};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(expected[k][0], quad[k].position.x) << k;
        EXPECT_EQ(expected[k][1], quad[k].position.y) << k;
        EXPECT_EQ(expected[k][2], quad[k].position.z) << k;
        EXPECT_EQ(expected[k][3], quad[k].texcoord.x) << k;
        EXPECT_EQ(expected[k][4], quad[k].texcoord.y) << k;
    }
    // The layout's two elements, 3 floats at 0 and 2 at 12, cover the record.
    EXPECT_EQ(20u, sizeof(Vertex));
    EXPECT_EQ(12u, offsetof(Vertex, texcoord));
}

bool SameVector(const VMath::Vector3D<float>& a, const VMath::Vector3D<float>& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Opaque pixels, and their mean brightness, of a target as it is now.
struct Coverage {
    long opaque = 0;
    double meanBrightness = 0.0;
};

Coverage Measure(const Frame& frame) {
    Coverage coverage;
    double total = 0.0;
    for (size_t i = 0; i < frame.rgba.size(); i += 4) {
        coverage.opaque += frame.rgba[i + 3] == 255 ? 1 : 0;
        total += frame.rgba[i] + frame.rgba[i + 1] + frame.rgba[i + 2];
    }
    coverage.meanBrightness = total / (3.0 * frame.rgba.size() / 4);
    return coverage;
}

// Magenta wherever the quad lands, depth-tested as Direct3D does by default.
const char* const kFlatEffect = R"(
struct VS_INPUT { float3 position : POSITION; float2 texcoord : TEXCOORD0; };
float4 VS(VS_INPUT input) : SV_POSITION { return float4(input.position.xy, 0.5, 1.0); }
float4 PS() : SV_Target { return float4(1.0, 0.0, 1.0, 1.0); }
technique10 Render
{
    pass P0
    {
        SetVertexShader(CompileShader(vs_4_0, VS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
    }
}
)";

const D3D10_INPUT_ELEMENT_DESC kQuadElements[] = {
    {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D10_INPUT_PER_VERTEX_DATA, 0},
    {"TEXCOORD", 0, DXGI_FORMAT_R32G32_FLOAT, 0, 12, D3D10_INPUT_PER_VERTEX_DATA, 0},
};

D3D10_PASS_DESC PassDesc(ID3D10Effect* effect) {
    D3D10_PASS_DESC desc;
    VRK::CheckResult(effect->GetTechniqueByName("Render")->GetPassByIndex(0)->GetDesc(&desc));
    return desc;
}

}  // namespace

TEST(EndScene, BothQuadsCoverClipSpaceWithTwentyByteVertices) {
    std::unique_ptr<VRK::End> scene = MakeScene();
    ExpectClipSpaceQuad(scene->Quad());
    ExpectClipSpaceQuad(scene->Halo()->Quad());
}

TEST(EndSphere, IsAFacetedSpindleOfRadiusTwo) {
    std::unique_ptr<VRK::End> scene = MakeScene();
    const VRK::EndSphere* sphere = scene->Sphere();
    ASSERT_EQ(1080u, sphere->VertexCount());
    EXPECT_EQ(24u, sizeof(VRK::SphereVertex));

    const VMath::Vector3D<float> middle = VRK::EndSphere::RadiusProfile(0.0f);
    EXPECT_TRUE(SameVector(VMath::Vector3D<float>(1.0f, 1.0f, 1.0f), middle));
    for (float t : {1.0f, -1.0f}) {
        const VMath::Vector3D<float> end = VRK::EndSphere::RadiusProfile(t);
        EXPECT_NEAR(0.07845908f, end.x, 1e-7f) << t;
        EXPECT_EQ(1.0f, end.y) << t;
        EXPECT_EQ(end.x, end.z) << t;
    }
    EXPECT_NEAR(0.7343225f, VRK::EndSphere::RadiusProfile(0.5f).x, 1e-7f);

    // 14 bands of 12 quads, the first band's quads each after a bottom cap
    // triangle, the last band's each before a top one: every quad's six
    // vertices and every cap triangle's three share one unit normal.
    std::vector<unsigned> groups;
    for (unsigned band = 0; band < 14; ++band)
        for (unsigned column = 0; column < 12; ++column) {
            if (band == 0) groups.push_back(3);
            groups.push_back(6);
            if (band == 13) groups.push_back(3);
        }
    const VRK::SphereVertex* v = sphere->Vertices();
    float lowest = 0.0f, highest = 0.0f, middleRadius = 0.0f;
    unsigned k = 0;
    for (unsigned group : groups) {
        for (unsigned j = 1; j < group; ++j)
            ASSERT_TRUE(SameVector(v[k].normal, v[k + j].normal)) << "vertex " << k + j;
        EXPECT_NEAR(1.0f, v[k].normal.Length(), 1e-5f) << k;
        for (unsigned j = 0; j < group; ++j) {
            const VMath::Vector3D<float>& p = v[k + j].position;
            lowest = std::min(lowest, p.y);
            highest = std::max(highest, p.y);
            if (p.y == 0.0f)
                middleRadius = std::max(middleRadius, std::sqrt(p.x * p.x + p.z * p.z));
        }
        k += group;
    }
    ASSERT_EQ(1080u, k);
    EXPECT_EQ(-2.0f, lowest);
    EXPECT_EQ(2.0f, highest);
    EXPECT_NEAR(2.0f, middleRadius, 1e-6f);
}

TEST(EndSphere, TurnsAboutYThenTwiceAboutXThenAboutZ) {
    std::unique_ptr<VRK::End> scene = MakeScene();
    scene->Start(9000);
    scene->Update(9000);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_EQ(r == c ? 1.0f : 0.0f, scene->Sphere()->Model().m[r][c]);

    scene->Update(14000);
    const float a = 0.25f * 6.2831855f;
    const VMath::Matrix4x4 expected = (VRK::RotationY(a) * VRK::RotationX(a * 2.0f)) * VRK::RotationZ(a);
    EXPECT_EQ(0, std::memcmp(&expected, &scene->Sphere()->Model(), sizeof expected));
    EXPECT_NEAR(1.5707964f, a, 1e-7f);
}

TEST(EndHalo, RadiusGrowsAndWidthSwingsAndEachKeepsOneFrameAtItsRestart) {
    std::unique_ptr<VRK::End> scene = MakeScene();
    const VRK::VarPack& pack = scene->Halo()->Pack();
    const unsigned start = 4294960000u;  // the tick count wraps inside the scene
    scene->Start(start);
    scene->Update(start);
    EXPECT_EQ(0.0f, pack.Get(0));
    EXPECT_EQ(0.1f, pack.Get(1));
    scene->Update(start + 2000);
    EXPECT_NEAR(0.2f, pack.Get(0), 1e-6f);
    EXPECT_NEAR(0.2f, pack.Get(1), 1e-6f);
    scene->Update(start + 4000);
    EXPECT_NEAR(0.1f, pack.Get(1), 1e-6f);
    scene->Update(start + 5000);
    EXPECT_EQ(0.5f, pack.Get(0));
    scene->Update(start + 6000);
    EXPECT_NEAR(0.0f, pack.Get(1), 1e-6f);

    // The width's period ends at 8,000 ms: that frame keeps what 7,990 wrote,
    // and the next starts the sine again.
    scene->Update(start + 7990);
    const float lastWidth = pack.Get(1);
    scene->Update(start + 8005);
    EXPECT_EQ(lastWidth, pack.Get(1));
    scene->Update(start + 8010);
    EXPECT_NEAR(0.1f + 0.1f * std::sin(6.2831855 * 10 / 8000), pack.Get(1), 1e-6f);

    // Likewise the radius at 10,000 ms.
    scene->Update(start + 9990);
    EXPECT_NEAR(0.999f, pack.Get(0), 1e-6f);
    scene->Update(start + 10020);
    EXPECT_NEAR(0.999f, pack.Get(0), 1e-6f);
    scene->Update(start + 10030);
    EXPECT_NEAR(0.003f, pack.Get(0), 1e-6f);
}

TEST(EndScene, FrameDrawsHaloSphereBackSphereFrontThenComposesOntoTheBackBuffer) {
    std::unique_ptr<VRK::End> scene = MakeScene();
    scene->Start(0);
    scene->Update(5000);
    // Whatever an earlier scene left: another viewport and the depth buffer.
    const D3D10_VIEWPORT stale = {10, 10, 64, 48, 0.0f, 1.0f};
    device->RSSetViewports(1, &stale);
    device->OMSetRenderTargets(1, &backBufferView, depthStencilView);

    std::vector<TargetEvent> log;
    platform_testing::RecordTargetEvents(device, &log);
    scene->Render();
    platform_testing::RecordTargetEvents(device, nullptr);

    // Bind and clear each target, in order; then bind the back buffer, never
    // cleared. No depth buffer anywhere.
    ASSERT_EQ(7u, log.size());
    const TargetEvent::Kind kinds[7] = {TargetEvent::Bind, TargetEvent::Clear, TargetEvent::Bind, TargetEvent::Clear,
                                        TargetEvent::Bind, TargetEvent::Clear, TargetEvent::Bind};
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(kinds[k], log[k].kind) << k;
        EXPECT_EQ(nullptr, log[k].depth) << k;
    }
    for (int k = 0; k < 6; k += 2) EXPECT_EQ(log[k].view, log[k + 1].view) << k;
    ID3D10RenderTargetView* halo = log[0].view;
    ID3D10RenderTargetView* back = log[2].view;
    ID3D10RenderTargetView* front = log[4].view;
    EXPECT_NE(halo, back);
    EXPECT_NE(back, front);
    EXPECT_NE(halo, front);
    EXPECT_EQ(backBufferView, log[6].view);

    // The targets have the screen's size and hold this frame: the halo opaque
    // everywhere with its ring lit; each sphere target transparent round a
    // sphere in the middle, the front side a little larger than the back.
    const Frame haloFrame = scene_frames::ReadTarget(halo);
    const Frame backFrame = scene_frames::ReadTarget(back);
    const Frame frontFrame = scene_frames::ReadTarget(front);
    for (const Frame* frame : {&haloFrame, &backFrame, &frontFrame}) {
        EXPECT_EQ(screenWidth, frame->width);
        EXPECT_EQ(screenHeight, frame->height);
    }
    const long pixels = static_cast<long>(screenWidth) * screenHeight;
    EXPECT_EQ(pixels, Measure(haloFrame).opaque);
    EXPECT_GT(Measure(haloFrame).meanBrightness, 8.0);
    const long backCover = Measure(backFrame).opaque;
    const long frontCover = Measure(frontFrame).opaque;
    EXPECT_GT(backCover, pixels / 20);
    EXPECT_LT(backCover, pixels / 3);
    EXPECT_GE(frontCover, backCover);
    for (const Frame* frame : {&backFrame, &frontFrame}) {
        EXPECT_EQ(255, frame->At(screenWidth / 2, screenHeight / 2)[3]);
        EXPECT_EQ(0, frame->At(0, 0)[3]);
        EXPECT_EQ(0, frame->At(screenWidth - 1, screenHeight - 1)[3]);
    }

    // The full-screen viewport stays and the back buffer stays bound without
    // depth (the depth buffer, cleared to 0, would stop every fragment): a
    // quad drawn now reaches every corner of the back buffer.
    device->ClearDepthStencilView(depthStencilView, D3D10_CLEAR_DEPTH, 0.0f, 0);
    device->RSSetViewports(1, &stale);
    device->OMSetRenderTargets(1, &backBufferView, depthStencilView);
    scene->Render();
    ID3D10Effect* flat = VRK::LoadEffect(WriteTempFile("flat.fx", kFlatEffect));
    std::unique_ptr<VRK::Mesh> quad(new VRK::Mesh(kQuadElements, 2, PassDesc(flat), scene->Quad(),
                                                  sizeof(VRK::EndVertex), 6, D3D10_PRIMITIVE_TOPOLOGY_TRIANGLELIST));
    quad->Bind();
    VRK::CheckResult(flat->GetTechniqueByName("Render")->GetPassByIndex(0)->Apply(0));
    device->Draw(6, 0);
    const Frame drawn = scene_frames::ReadTarget(backBufferView);
    for (int x : {0, screenWidth / 2, screenWidth - 1})
        for (int y : {0, screenHeight / 2, screenHeight - 1}) {
            const uint8_t* p = drawn.At(x, y);
            EXPECT_TRUE(p[0] == 255 && p[1] == 0 && p[2] == 255) << x << ", " << y;
        }
    flat->Release();
}

TEST(EndScene, FramesMatchTheReferences) {
    // The ring is born behind the sphere, spreads and thickens, then thins
    // out towards the screen's edge while the sphere turns.
    std::unique_ptr<VRK::End> scene = MakeScene();
    for (unsigned elapsed : {1500u, 5000u, 9000u}) {
        const Frame frame = DrawSceneAt(*scene, 123456, elapsed);
        ASSERT_EQ(screenWidth, frame.width);
        const std::string problem = scene_frames::MatchesReference(scene_frames::FrameName("end", elapsed, 5), frame);
        EXPECT_TRUE(problem.empty()) << problem;
    }
}
