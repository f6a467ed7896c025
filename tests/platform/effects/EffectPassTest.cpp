#include "DeviceFixture.h"

using device_test::ColourNear;
using device_test::ColourVertex;

namespace {

// Pass 0 names no state; pass 1 adds what it draws to the target.
const std::string kTwoPassEffect = device_test::kColourShaders + R"(
BlendState Additive
{
    BlendEnable[0] = TRUE;
    SrcBlend = ONE;
    DestBlend = ONE;
    BlendOp = ADD;
    SrcBlendAlpha = ONE;
    DestBlendAlpha = ONE;
    BlendOpAlpha = ADD;
    RenderTargetWriteMask[0] = 0x0F;
};

technique10 Render
{
    pass Plain
    {
        SetVertexShader(CompileShader(vs_4_0, VS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
    }
    pass Adding
    {
        SetVertexShader(CompileShader(vs_4_0, VS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
        SetBlendState(Additive, float4(0.0, 0.0, 0.0, 0.0), 0xFFFFFFFF);
    }
}
)";

class EffectPass : public device_test::DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        LoadWithIdentityTransform(kTwoPassEffect);
        const ColourVertex cover[] = {{-1, 3, 0, 0.25f, 0.25f, 0.25f}, {3, -1, 0, 0.25f, 0.25f, 0.25f},
                                      {-1, -1, 0, 0.25f, 0.25f, 0.25f}};
        BindVertices(cover, device_test::kColourElements, 2, Pass());
        const FLOAT grey[4] = {0.5f, 0.5f, 0.5f, 1.0f};
        device_->ClearRenderTargetView(backBufferView_, grey);
    }

    uint32_t Centre() { return platform_testing::ReadRenderTarget(backBufferView_).At(32, 24); }
};

TEST_F(EffectPass, StatesThePassNamesAreSet) {
    ASSERT_EQ(Pass(1)->Apply(0), S_OK);
    device_->Draw(3, 0);
    EXPECT_TRUE(ColourNear(Centre(), 0xbfbfbfff));  // 0.5 + 0.25
}

TEST_F(EffectPass, StatesThePassDoesNotNameStayAsTheyWere) {
    D3D10_BLEND_DESC desc = {};
    desc.SrcBlend = desc.SrcBlendAlpha = D3D10_BLEND_ONE;
    desc.DestBlend = desc.DestBlendAlpha = D3D10_BLEND_ZERO;
    desc.BlendOp = desc.BlendOpAlpha = D3D10_BLEND_OP_ADD;
    desc.RenderTargetWriteMask[0] = D3D10_COLOR_WRITE_ENABLE_RED | D3D10_COLOR_WRITE_ENABLE_ALPHA;
    ID3D10BlendState* redOnly = nullptr;
    ASSERT_EQ(device_->CreateBlendState(&desc, &redOnly), S_OK);
    device_->OMSetBlendState(Own(redOnly), nullptr, 0xffffffffu);
    ASSERT_EQ(Pass(0)->Apply(0), S_OK);
    device_->Draw(3, 0);
    EXPECT_TRUE(ColourNear(Centre(), 0x408080ff));

    // After the adding pass, the plain pass keeps adding.
    ASSERT_EQ(Pass(1)->Apply(0), S_OK);
    ASSERT_EQ(Pass(0)->Apply(0), S_OK);
    device_->Draw(3, 0);
    EXPECT_TRUE(ColourNear(Centre(), 0x80bfbfff));
}

TEST_F(EffectPass, DescriptionCarriesNameAndInputSignature) {
    D3D10_PASS_DESC desc;
    ASSERT_EQ(Pass(1)->GetDesc(&desc), S_OK);
    EXPECT_STREQ(desc.Name, "Adding");
    EXPECT_NE(desc.pIAInputSignature, nullptr);
    EXPECT_GT(desc.IAInputSignatureSize, 0u);
    EXPECT_EQ(desc.SampleMask, 0xffffffffu);
}

TEST_F(EffectPass, CompiledDataThatIsNotAnEffectIsRefused) {
    char garbage[64] = "not an effect";
    ID3D10Effect* effect = reinterpret_cast<ID3D10Effect*>(0x1);
    EXPECT_EQ(D3D10CreateEffectFromMemory(garbage, sizeof garbage, 0, device_, nullptr, &effect), E_INVALIDARG);
    EXPECT_EQ(effect, nullptr);
    EXPECT_EQ(D3D10CreateEffectFromMemory(garbage, sizeof garbage, 0, nullptr, nullptr, &effect), E_INVALIDARG);
    ID3D10Device* device = nullptr;
    ASSERT_EQ(effect_->GetDevice(&device), S_OK);
    EXPECT_EQ(device, device_);
    device->Release();
}

}  // namespace
