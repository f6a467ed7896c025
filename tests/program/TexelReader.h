// Reads what a shader sees in a texture: a full-screen pass fetches texel
// (x, y) into pixel (x, y) of the back buffer, which is then read back.
#pragma once

#include "ProgramFixture.h"

#include "framework.h"
#include "mesh.h"

#include <PlatformTesting.h>

namespace texel_reader {

inline const char* const kTexelEffect = R"(
Texture2D Source;

float4 VS(float3 position : POSITION) : SV_POSITION { return float4(position, 1.0); }

float4 PS(float4 position : SV_POSITION) : SV_Target
{
    return Source.Load(int3(int2(position.xy), 0));
}

technique10 Render
{
    pass P0
    {
        SetVertexShader(CompileShader(vs_4_0, VS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
        SetBlendState(NULL, float4(0.0, 0.0, 0.0, 0.0), 0xFFFFFFFF);
        SetDepthStencilState(NULL, 0);
        SetRasterizerState(NULL);
    }
}
)";

struct Position {
    float x, y, z;
};

// Two clockwise triangles over the whole screen.
inline const Position kScreenQuad[6] = {{-1, 1, 0}, {1, 1, 0}, {1, -1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0}};

// The back buffer after the texels of view have been copied into it.
inline platform_testing::Image ReadTexels(ID3D10ShaderResourceView* view) {
    EnsureDeviceObjects();
    static ID3D10Effect* effect = VRK::LoadEffect(WriteTempFile("texels.fx", kTexelEffect));
    ID3D10EffectPass* pass = effect->GetTechniqueByName("Render")->GetPassByIndex(0);
    D3D10_PASS_DESC passDesc;
    VRK::CheckResult(pass->GetDesc(&passDesc));
    static const D3D10_INPUT_ELEMENT_DESC element = {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0,
                                                     D3D10_INPUT_PER_VERTEX_DATA, 0};
    static VRK::Mesh quad(&element, 1, passDesc, kScreenQuad, sizeof(Position), 6,
                          D3D10_PRIMITIVE_TOPOLOGY_TRIANGLELIST);

    const float grey[4] = {0.5f, 0.5f, 0.5f, 0.5f};
    PaintBackBuffer(grey);
    VRK::CheckResult(effect->GetVariableByName("Source")->AsShaderResource()->SetResource(view));
    quad.Bind();
    VRK::CheckResult(pass->Apply(0));
    device->Draw(6, 0);
    return platform_testing::ReadRenderTarget(backBufferView);
}

}  // namespace texel_reader
