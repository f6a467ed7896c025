#include "DeviceFixture.h"

using device_test::ColourNear;
using device_test::ColourVertex;
using platform_testing::Image;

namespace {

// The colour shaders with two passes that keep one side each, as a glass
// object drawn back faces first, then front faces, would use them.
const std::string kFaceCullingEffect = device_test::kColourShaders + R"(
RasterizerState KeepBack { CullMode = FRONT; };
RasterizerState KeepFront { CullMode = BACK; };

technique10 Render
{
    pass BackFaces
    {
        SetVertexShader(CompileShader(vs_4_0, VS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
        SetRasterizerState(KeepBack);
    }
    pass FrontFaces
    {
        SetVertexShader(CompileShader(vs_4_0, VS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
        SetRasterizerState(KeepFront);
    }
}
)";

class RasterizerDefaults : public device_test::DeviceTest {
protected:
    Image DrawAndRead(const ColourVertex (&vertices)[6], const std::string& effect = device_test::kColourEffect,
                      UINT pass = 0) {
        LoadWithIdentityTransform(effect);
        BindVertices(vertices, device_test::kColourElements, 2, Pass(pass));
        const FLOAT black[4] = {0, 0, 0, 1};
        device_->ClearRenderTargetView(backBufferView_, black);
        EXPECT_EQ(Pass(pass)->Apply(0), S_OK);
        device_->Draw(6, 0);
        return platform_testing::ReadRenderTarget(backBufferView_);
    }
};

// Pixel of a point in normalised device coordinates on the 64 x 48 target.
int Column(float x) { return static_cast<int>((x + 1.0f) * 0.5f * 64); }
int Row(float y) { return static_cast<int>((1.0f - y) * 0.5f * 48); }

TEST_F(RasterizerDefaults, ClockwiseTriangleIsDrawnAndItsCounterClockwiseTwinCulled) {
    const ColourVertex vertices[6] = {
        // Left: apex, lower right, lower left: clockwise on screen.
        {-0.5f, 0.5f, 0, 1, 0, 0}, {0.0f, -0.5f, 0, 1, 0, 0}, {-1.0f, -0.5f, 0, 1, 0, 0},
        // Right: the same shape counter-clockwise.
        {0.5f, 0.5f, 0, 0, 1, 0}, {0.0f, -0.5f, 0, 0, 1, 0}, {1.0f, -0.5f, 0, 0, 1, 0},
    };
    Image image = DrawAndRead(vertices);
    EXPECT_TRUE(ColourNear(image.At(Column(-0.5f), Row(-0.2f)), 0xff0000ff));
    EXPECT_TRUE(ColourNear(image.At(Column(0.5f), Row(-0.2f)), 0x000000ff));

    // An effect's rasterizer state picks the side: culling front faces keeps
    // only the counter-clockwise twin, and the next pass's state undoes it.
    image = DrawAndRead(vertices, kFaceCullingEffect, 0);
    EXPECT_TRUE(ColourNear(image.At(Column(-0.5f), Row(-0.2f)), 0x000000ff));
    EXPECT_TRUE(ColourNear(image.At(Column(0.5f), Row(-0.2f)), 0x00ff00ff));
    image = DrawAndRead(vertices, kFaceCullingEffect, 1);
    EXPECT_TRUE(ColourNear(image.At(Column(-0.5f), Row(-0.2f)), 0xff0000ff));
    EXPECT_TRUE(ColourNear(image.At(Column(0.5f), Row(-0.2f)), 0x000000ff));
}

TEST_F(RasterizerDefaults, PositiveYIsUpOnTheTarget) {
    // A triangle with its apex up: narrow near the top, wide near the bottom.
    const ColourVertex vertices[6] = {
        {0.0f, 0.9f, 0, 1, 1, 1}, {0.8f, -0.9f, 0, 1, 1, 1}, {-0.8f, -0.9f, 0, 1, 1, 1},
        {0.0f, 0.9f, 0, 1, 1, 1}, {0.8f, -0.9f, 0, 1, 1, 1}, {-0.8f, -0.9f, 0, 1, 1, 1},
    };
    Image image = DrawAndRead(vertices);
    EXPECT_TRUE(ColourNear(image.At(Column(0.5f), Row(-0.7f)), 0xffffffff));
    EXPECT_TRUE(ColourNear(image.At(Column(0.5f), Row(0.7f)), 0x000000ff));
}

}  // namespace
