#include "ProgramFixture.h"

#include "framework.h"
#include "mesh.h"

#include <PlatformTesting.h>

#include <gtest/gtest.h>

namespace {

const char* const kTwoLayoutEffect = R"(
struct PS_INPUT { float4 position : SV_POSITION; float3 colour : COLOR0; };

PS_INPUT PlainVS(float3 position : POSITION)
{
    PS_INPUT output;
    output.position = float4(position, 1.0);
    output.colour = float3(1.0, 0.0, 0.0);
    return output;
}

PS_INPUT ColouredVS(float3 position : POSITION, float3 colour : COLOR)
{
    PS_INPUT output;
    output.position = float4(position, 1.0);
    output.colour = colour;
    return output;
}

float4 PS(PS_INPUT input) : SV_Target { return float4(input.colour, 1.0); }

technique10 Render
{
    pass Plain
    {
        SetVertexShader(CompileShader(vs_4_0, PlainVS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
    }
    pass Coloured
    {
        SetVertexShader(CompileShader(vs_4_0, ColouredVS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
    }
}
)";

struct Plain {
    float x, y, z;
};

struct Coloured {
    float x, y, z;
    float r, g, b;
};

}  // namespace

TEST(Mesh, ASecondBindReplacesLayoutBufferAndStride) {
    EnsureDeviceObjects();
    ID3D10Effect* effect = VRK::LoadEffect(WriteTempFile("layouts.fx", kTwoLayoutEffect));
    ID3D10EffectTechnique* technique = effect->GetTechniqueByName("Render");
    D3D10_PASS_DESC plainPass, colouredPass;
    VRK::CheckResult(technique->GetPassByIndex(0)->GetDesc(&plainPass));
    VRK::CheckResult(technique->GetPassByIndex(1)->GetDesc(&colouredPass));

    // A clockwise triangle over the left half, and one over the right half in
    // green: drawn with the other's stride or layout, it would land elsewhere.
    const Plain left[3] = {{-1, 1, 0}, {0, 1, 0}, {-1, -1, 0}};
    const Coloured right[3] = {{0, 1, 0, 0, 1, 0}, {1, 1, 0, 0, 1, 0}, {1, -1, 0, 0, 1, 0}};
    const D3D10_INPUT_ELEMENT_DESC plainElements[] = {
        {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D10_INPUT_PER_VERTEX_DATA, 0}};
    const D3D10_INPUT_ELEMENT_DESC colouredElements[] = {
        {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D10_INPUT_PER_VERTEX_DATA, 0},
        {"COLOR", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 12, D3D10_INPUT_PER_VERTEX_DATA, 0}};
    VRK::Mesh plainMesh(plainElements, 1, plainPass, left, sizeof(Plain), 3, D3D10_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
    VRK::Mesh colouredMesh(colouredElements, 2, colouredPass, right, sizeof(Coloured), 3,
                           D3D10_PRIMITIVE_TOPOLOGY_TRIANGLELIST);

    const float black[4] = {0, 0, 0, 1};
    PaintBackBuffer(black);
    plainMesh.Bind();
    VRK::CheckResult(technique->GetPassByIndex(0)->Apply(0));
    device->Draw(3, 0);
    colouredMesh.Bind();
    VRK::CheckResult(technique->GetPassByIndex(1)->Apply(0));
    device->Draw(3, 0);

    platform_testing::Image frame = platform_testing::ReadRenderTarget(backBufferView);
    EXPECT_EQ(0xFF0000FFu, frame.At(20, 20));     // left triangle, red
    EXPECT_EQ(0x00FF00FFu, frame.At(780, 20));    // right triangle, green
    EXPECT_EQ(0x000000FFu, frame.At(20, 580));    // below the left triangle
    EXPECT_EQ(0x000000FFu, frame.At(420, 580));   // below the right triangle
}

TEST(MeshDeathTest, ALayoutThatDoesNotMatchThePassEndsTheProgram) {
    EnsureDeviceObjects();
    ID3D10Effect* effect = VRK::LoadEffect(WriteTempFile("layouts.fx", kTwoLayoutEffect));
    D3D10_PASS_DESC colouredPass;
    VRK::CheckResult(effect->GetTechniqueByName("Render")->GetPassByIndex(1)->GetDesc(&colouredPass));
    const Plain vertices[3] = {};
    const D3D10_INPUT_ELEMENT_DESC plainElements[] = {
        {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D10_INPUT_PER_VERTEX_DATA, 0}};
    // The pass reads COLOR, which the layout does not give.
    EXPECT_DEATH(
        [&]() noexcept {
            VRK::Mesh mesh(plainElements, 1, colouredPass, vertices, sizeof(Plain), 3,
                           D3D10_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
        }(),
        "");
}
