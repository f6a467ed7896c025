#include "DeviceFixture.h"

namespace {

class InputLayout : public device_test::DeviceTest {
protected:
    D3D10_PASS_DESC ColourPass() {
        LoadEffect(device_test::kColourEffect);
        D3D10_PASS_DESC desc = {};
        EXPECT_EQ(Pass()->GetDesc(&desc), S_OK);
        return desc;
    }
};

TEST_F(InputLayout, ElementsCoveringThePassInputsAreAccepted) {
    D3D10_PASS_DESC pass = ColourPass();
    ID3D10InputLayout* layout = nullptr;
    ASSERT_EQ(device_->CreateInputLayout(device_test::kColourElements, 2, pass.pIAInputSignature,
                                         pass.IAInputSignatureSize, &layout),
              S_OK);
    layout->Release();
    // Extra elements the shader does not read are fine, and semantics match
    // without regard to case.
    const D3D10_INPUT_ELEMENT_DESC more[] = {
        {"position", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D10_INPUT_PER_VERTEX_DATA, 0},
        {"COLOR", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 12, D3D10_INPUT_PER_VERTEX_DATA, 0},
        {"TEXCOORD", 3, DXGI_FORMAT_R32G32_FLOAT, 0, 24, D3D10_INPUT_PER_VERTEX_DATA, 0},
    };
    ASSERT_EQ(device_->CreateInputLayout(more, 3, pass.pIAInputSignature, pass.IAInputSignatureSize, &layout), S_OK);
    layout->Release();
}

TEST_F(InputLayout, MissingInputIsRefused) {
    D3D10_PASS_DESC pass = ColourPass();
    ID3D10InputLayout* layout = reinterpret_cast<ID3D10InputLayout*>(0x1);
    // No COLOR element.
    EXPECT_EQ(device_->CreateInputLayout(device_test::kColourElements, 1, pass.pIAInputSignature,
                                         pass.IAInputSignatureSize, &layout),
              E_INVALIDARG);
    EXPECT_EQ(layout, nullptr);
    // COLOR with the wrong semantic index.
    const D3D10_INPUT_ELEMENT_DESC wrongIndex[] = {
        {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D10_INPUT_PER_VERTEX_DATA, 0},
        {"COLOR", 1, DXGI_FORMAT_R32G32B32_FLOAT, 0, 12, D3D10_INPUT_PER_VERTEX_DATA, 0},
    };
    EXPECT_EQ(device_->CreateInputLayout(wrongIndex, 2, pass.pIAInputSignature, pass.IAInputSignatureSize, &layout),
              E_INVALIDARG);
}

TEST_F(InputLayout, BadElementsOrSignatureAreRefused) {
    D3D10_PASS_DESC pass = ColourPass();
    ID3D10InputLayout* layout = nullptr;
    const D3D10_INPUT_ELEMENT_DESC twice[] = {
        {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D10_INPUT_PER_VERTEX_DATA, 0},
        {"COLOR", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 12, D3D10_INPUT_PER_VERTEX_DATA, 0},
        {"COLOR", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 12, D3D10_INPUT_PER_VERTEX_DATA, 0},
    };
    EXPECT_EQ(device_->CreateInputLayout(twice, 3, pass.pIAInputSignature, pass.IAInputSignatureSize, &layout),
              E_INVALIDARG);
    const D3D10_INPUT_ELEMENT_DESC depthFormat[] = {
        {"POSITION", 0, DXGI_FORMAT_D32_FLOAT, 0, 0, D3D10_INPUT_PER_VERTEX_DATA, 0},
        {"COLOR", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 12, D3D10_INPUT_PER_VERTEX_DATA, 0},
    };
    EXPECT_EQ(device_->CreateInputLayout(depthFormat, 2, pass.pIAInputSignature, pass.IAInputSignatureSize, &layout),
              E_INVALIDARG);
    const uint8_t notASignature[16] = {'D', 'X', 'B', 'C'};
    EXPECT_EQ(device_->CreateInputLayout(device_test::kColourElements, 2, notASignature, sizeof notASignature, &layout),
              E_INVALIDARG);
    // A signature cut short.
    EXPECT_EQ(device_->CreateInputLayout(device_test::kColourElements, 2, pass.pIAInputSignature,
                                         pass.IAInputSignatureSize - 1, &layout),
              E_INVALIDARG);
    EXPECT_EQ(layout, nullptr);
}

}  // namespace

namespace {

// Two passes whose vertex shaders declare the same inputs in opposite
// orders, so the GL program of each places them at other locations.
const char* const kReorderedInputsEffect = R"(
struct POSITION_FIRST { float3 position : POSITION; float3 colour : COLOR; };
struct COLOUR_FIRST { float3 colour : COLOR; float3 position : POSITION; };
struct PS_INPUT { float4 position : SV_POSITION; float3 colour : COLOR0; };

PS_INPUT PositionFirst(POSITION_FIRST input)
{
    PS_INPUT output;
    output.position = float4(input.position, 1.0);
    output.colour = input.colour;
    return output;
}

PS_INPUT ColourFirst(COLOUR_FIRST input)
{
    PS_INPUT output;
    output.position = float4(input.position, 1.0);
    output.colour = input.colour;
    return output;
}

float4 PS(PS_INPUT input) : SV_Target { return float4(input.colour, 1.0); }

technique10 Render
{
    pass P0
    {
        SetVertexShader(CompileShader(vs_4_0, PositionFirst()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
    }
    pass P1
    {
        SetVertexShader(CompileShader(vs_4_0, ColourFirst()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
    }
}
)";

TEST_F(InputLayout, OneLayoutFeedsPassesThatPlaceItsInputsDifferently) {
    LoadEffect(kReorderedInputsEffect);
    // A red triangle on the left, a green one on the right.
    const device_test::ColourVertex vertices[] = {
        {-1, 1, 0, 1, 0, 0}, {0, -1, 0, 1, 0, 0}, {-1, -1, 0, 1, 0, 0},
        {0, 1, 0, 0, 1, 0},  {1, -1, 0, 0, 1, 0}, {0, -1, 0, 0, 1, 0},
    };
    BindVertices(vertices, device_test::kColourElements, 2, Pass(0));
    const FLOAT black[4] = {0, 0, 0, 1};
    device_->ClearRenderTargetView(backBufferView_, black);
    ASSERT_EQ(Pass(0)->Apply(0), S_OK);
    device_->Draw(3, 0);
    ASSERT_EQ(Pass(1)->Apply(0), S_OK);
    device_->Draw(3, 3);
    platform_testing::Image image = platform_testing::ReadRenderTarget(backBufferView_);
    EXPECT_TRUE(device_test::ColourNear(image.At(6, 40), 0xff0000ff));
    EXPECT_TRUE(device_test::ColourNear(image.At(38, 40), 0x00ff00ff));
}

}  // namespace
