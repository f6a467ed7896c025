#include "SceneFrames.h"
#include "ProgramFixture.h"

#include "conformity/Conformity.h"
#include "conformity/Overlay.h"

#include "framework.h"
#include "globals.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

using scene_frames::Frame;

namespace {

// The overlay on its own, drawn over a white back buffer.
struct OverlayBench {
    explicit OverlayBench(ID3D10Effect* effectToUse = nullptr) {
        EnsureDeviceObjects();
        effect = effectToUse ? effectToUse : scene_frames::LoadSeaEffect();
        vertices.resize(6);
        range.first = 0;
        range.count = 6;
        range.stride = sizeof(VRK::ConformityVertex);
        overlay.reset(new VRK::Overlay(vertices.data(), effect, &range, backBufferView));
        mesh.reset(scene_frames::MakeMesh(effect, vertices.data(), 6));
    }

    Frame DrawOverWhite() {
        const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
        PaintBackBuffer(white);
        mesh->Bind();
        overlay->Render();
        return scene_frames::ReadTarget(backBufferView);
    }

    ID3D10Effect* effect;
    std::vector<VRK::ConformityVertex> vertices;
    VRK::VertexRange range;
    std::unique_ptr<VRK::Overlay> overlay;
    std::unique_ptr<VRK::Mesh> mesh;
};

// The scene's effect file, changed by edit, written to the test's temporary
// directory; empty when the edit found nothing to change.
std::string VariantEffect(const std::string& name, bool (*edit)(std::string&)) {
    std::ifstream in("data/fx/sea.fx");
    std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!edit(source))
        return std::string();
    return WriteTempFile(name, source);
}

// Moves the third pass into a technique of its own: "Render" keeps two
// passes, and the overlay's texture is still used, so it stays in the effect.
bool DropThirdPass(std::string& source) {
    const size_t at = source.find("    pass P2");
    if (at == std::string::npos)
        return false;
    source.insert(at, "}\n\ntechnique10 Spare\n{\n");
    return true;
}

// The program ends on the first failed check by an exception that nothing
// catches; a death test would catch it, so run the steps where it cannot.
template <typename Steps>
void RunUncaught(Steps steps) noexcept {
    steps();
}

bool RenameOverlayTexture(std::string& source) {
    bool found = false;
    for (size_t at = source.find("OverlayTexture"); at != std::string::npos; at = source.find("OverlayTexture", at)) {
        source.replace(at, 14, "GridImage");
        found = true;
    }
    return found;
}

}  // namespace

TEST(Overlay, WritesTwoTrianglesOverTheLeftOfTheScreen) {
    OverlayBench bench;
    // Top left, top right, bottom left; top right, bottom right, bottom left.
    const float expected[6][5] = {{-1.0f, 1.0f, 0.0f, 0.0f},  {-0.3f, 1.0f, 2.8f, 0.0f}, {-1.0f, -1.0f, 0.0f, 4.0f},
                                  {-0.3f, 1.0f, 2.8f, 0.0f},  {-0.3f, -1.0f, 2.8f, 4.0f}, {-1.0f, -1.0f, 0.0f, 4.0f}};
    for (int i = 0; i < 6; ++i) {
        const VRK::ConformityVertex& v = bench.vertices[i];
        EXPECT_EQ(expected[i][0], v.position.x) << i;
        EXPECT_EQ(expected[i][1], v.position.y) << i;
        EXPECT_EQ(0.0f, v.position.z) << i;
        EXPECT_EQ(expected[i][2], v.texcoord.x) << i;
        EXPECT_EQ(expected[i][3], v.texcoord.y) << i;
        EXPECT_EQ(0.0f, v.texcoord.z) << i;
        EXPECT_EQ(0.0f, v.normal.x) << i;
        EXPECT_EQ(0.0f, v.normal.y) << i;
        EXPECT_EQ(0.0f, v.normal.z) << i;
    }
}

TEST(Overlay, CoversTheLeftThirtyFivePercentOnly) {
    OverlayBench bench;
    const Frame frame = bench.DrawOverWhite();
    const int edge = static_cast<int>(screenWidth * 0.35);  // x = -0.3 in clip space
    long outlined = 0;
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            if (x < edge) {
                // The whole strip is tinted; the outlines are much darker.
                EXPECT_FALSE(frame.IsWhite(x, y)) << x << ", " << y;
                const uint8_t* p = frame.At(x, y);
                if (p[0] < 160)
                    ++outlined;
            } else {
                ASSERT_TRUE(frame.IsWhite(x, y)) << x << ", " << y;
            }
        }
    }
    const long strip = static_cast<long>(edge) * frame.height;
    EXPECT_GT(outlined, strip / 50);
    EXPECT_LT(outlined, strip / 2);
}

TEST(Overlay, RepeatsTheGridAsItsTextureCoordinatesAsk) {
    OverlayBench bench;
    const Frame frame = bench.DrawOverWhite();
    // 2.8 repeats across 35 % of the width and 4 down the height.
    const int periodX = static_cast<int>(screenWidth * 0.35 / 2.8 + 0.5);
    const int periodY = screenHeight / 4;
    auto darkness = [&](int x, int y) { return 255 - frame.At(x, y)[0]; };
    auto similarity = [&](int dx, int dy) {
        long same = 0, total = 0;
        for (int y = 0; y + dy < frame.height; y += 3) {
            for (int x = 0; x + dx < periodX * 2; x += 3) {
                // Outline pixels only: the fading of the strip to the right
                // changes the shade, not where the outlines lie.
                const bool here = darkness(x, y) > 100;
                const bool there = darkness(x + dx, y + dy) > 80;
                if (here) {
                    ++total;
                    same += there ? 1 : 0;
                }
            }
        }
        return total ? static_cast<double>(same) / total : 0.0;
    };
    EXPECT_GT(similarity(periodX, 0), 0.8);
    EXPECT_GT(similarity(0, periodY), 0.8);
    // Half a period away the outlines fall elsewhere.
    EXPECT_LT(similarity(periodX / 2 + 7, periodY / 2 + 11), 0.6);
}

TEST(Overlay, StartAndUpdateChangeNothing) {
    OverlayBench bench;
    const std::vector<VRK::ConformityVertex> before = bench.vertices;
    const Frame first = bench.DrawOverWhite();
    bench.overlay->Start(5000);
    bench.overlay->Update(9000);
    bench.overlay->Update(0xFFFFFFFFu);
    const Frame second = bench.DrawOverWhite();
    EXPECT_EQ(first.rgba, second.rgba);
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(before[i].position.x, bench.vertices[i].position.x);
        EXPECT_EQ(before[i].texcoord.y, bench.vertices[i].texcoord.y);
    }
}

TEST(OverlayDeathTest, AnEffectWithoutItsPassEndsTheProcess) {
    const std::string path = VariantEffect("sea-without-pass-2.fx", DropThirdPass);
    ASSERT_FALSE(path.empty());
    // Without a third pass the effect still compiles and the overlay is
    // built; its Apply is the first checked call that fails.
    {
        EnsureDeviceObjects();
        ID3D10Effect* effect = VRK::LoadEffect(path);
        EXPECT_FALSE(effect->GetTechniqueByName("Render")->GetPassByIndex(2)->IsValid());
        EXPECT_NO_THROW(OverlayBench bench(effect));
    }
    EXPECT_DEATH(RunUncaught([&] {
                     EnsureDeviceObjects();
                     ID3D10Effect* effect = VRK::LoadEffect(path);
                     OverlayBench bench(effect);
                     bench.DrawOverWhite();
                 }),
                 "");
}

TEST(OverlayDeathTest, AnEffectWithoutItsTextureVariableEndsTheProcess) {
    const std::string path = VariantEffect("sea-without-overlay-texture.fx", RenameOverlayTexture);
    ASSERT_FALSE(path.empty());
    // The effect itself is sound; only the name the overlay looks for is gone.
    EnsureDeviceObjects();
    EXPECT_NO_THROW(VRK::LoadEffect(path));
    EXPECT_DEATH(RunUncaught([&] {
                     EnsureDeviceObjects();
                     ID3D10Effect* effect = VRK::LoadEffect(path);
                     OverlayBench bench(effect);
                 }),
                 "");
}
