#include "EffectCompiler.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

const char* const kEffect = R"(float4x4 World;
SamplerState Wrap { AddressU = WRAP; BorderColor = float4(0.25, 0.5, 0.75, 1); };
BlendState Add { BlendEnable[0] = TRUE; BlendEnable[3] = TRUE; SrcBlend = ONE; DestBlend = ONE; RenderTargetWriteMask[1] = 5; };
DepthStencilState Stencil { StencilEnable = TRUE; BackFaceStencilPass = INCR_SAT; StencilWriteMask = 3; };
RasterizerState Wire { FillMode = WIREFRAME; DepthBias = -7; SlopeScaledDepthBias = 0.125; };
float4 VS(float3 p : POSITION) : SV_Position { return mul(float4(p, 1), World); }
float4 PS() : SV_Target { return 1; }
technique10 Render
{
    pass Lit { SetVertexShader(CompileShader(vs_4_0, VS())); SetPixelShader(CompileShader(ps_4_0, PS()));
               SetBlendState(Add, float4(1, 2, 3, 4), 0xF0F0F0F0); SetDepthStencilState(Stencil, 9); }
    pass Bare { SetVertexShader(CompileShader(vs_4_0, VS())); SetRasterizerState(Wire); SetDepthStencilState(NULL, 0); }
}
technique10 Second { pass { SetVertexShader(CompileShader(vs_4_1, VS())); } }
)";

class EffectFormat : public testing::Test {
protected:
    void SetUp() override {
        std::string messages;
        ASSERT_EQ(fx::CompileEffect(kEffect, strlen(kEffect), "f.fx", effect_, messages), S_OK) << messages;
        bytes_ = fx::SerializeEffect(effect_);
    }
    fx::EffectDesc effect_;
    std::vector<uint8_t> bytes_;
};

TEST_F(EffectFormat, ReadsBackWhatItWrote) {
    fx::EffectDesc read;
    ASSERT_TRUE(fx::DeserializeEffect(bytes_.data(), bytes_.size(), read));
    EXPECT_EQ(fx::SerializeEffect(read), bytes_);

    ASSERT_EQ(read.states.size(), 4u);
    EXPECT_EQ(read.states[0].name, "Wrap");
    EXPECT_EQ(read.states[0].sampler.AddressU, D3D10_TEXTURE_ADDRESS_WRAP);
    EXPECT_EQ(read.states[0].sampler.BorderColor[2], 0.75f);
    EXPECT_EQ(read.states[1].blend.BlendEnable[3], TRUE);
    EXPECT_EQ(read.states[1].blend.RenderTargetWriteMask[1], 5);
    EXPECT_EQ(read.states[2].depthStencil.BackFace.StencilPassOp, D3D10_STENCIL_OP_INCR_SAT);
    EXPECT_EQ(read.states[2].depthStencil.StencilWriteMask, 3);
    EXPECT_EQ(read.states[3].rasterizer.FillMode, D3D10_FILL_WIREFRAME);
    EXPECT_EQ(read.states[3].rasterizer.DepthBias, -7);
    EXPECT_EQ(read.states[3].rasterizer.SlopeScaledDepthBias, 0.125f);

    ASSERT_EQ(read.shaders.size(), 3u);
    for (size_t i = 0; i < read.shaders.size(); ++i) {
        EXPECT_EQ(read.shaders[i].stage, effect_.shaders[i].stage);
        EXPECT_EQ(read.shaders[i].entryPoint, effect_.shaders[i].entryPoint);
        EXPECT_EQ(read.shaders[i].profile, effect_.shaders[i].profile);
        EXPECT_EQ(read.shaders[i].spirv, effect_.shaders[i].spirv);
    }

    ASSERT_EQ(read.techniques.size(), 2u);
    const fx::PassDesc& lit = read.techniques[0].passes[0];
    EXPECT_EQ(lit.name, "Lit");
    EXPECT_EQ(lit.blendState, 1);
    EXPECT_EQ(lit.blendFactor[3], 4.0f);
    EXPECT_EQ(lit.sampleMask, 0xf0f0f0f0u);
    EXPECT_EQ(lit.depthStencilState, 2);
    EXPECT_EQ(lit.stencilRef, 9u);
    EXPECT_FALSE(lit.setsRasterizerState);
    const fx::PassDesc& bare = read.techniques[0].passes[1];
    EXPECT_FALSE(bare.setsBlendState);
    EXPECT_TRUE(bare.setsDepthStencilState);
    EXPECT_EQ(bare.depthStencilState, -1);
    EXPECT_EQ(bare.rasterizerState, 3);
    EXPECT_EQ(bare.pixelShader, -1);
    EXPECT_EQ(read.techniques[1].name, "Second");
    EXPECT_EQ(read.shaders[read.techniques[1].passes[0].vertexShader].profile, "vs_4_1");
}

TEST_F(EffectFormat, RefusesTruncatedOrCorruptData) {
    fx::EffectDesc read;
    for (size_t length = 0; length < bytes_.size(); ++length)
        EXPECT_FALSE(fx::DeserializeEffect(bytes_.data(), length, read)) << length;
    EXPECT_FALSE(fx::DeserializeEffect(nullptr, bytes_.size(), read));

    std::vector<uint8_t> longer = bytes_;
    longer.push_back(0);
    EXPECT_FALSE(fx::DeserializeEffect(longer.data(), longer.size(), read));

    for (size_t at = 0; at < bytes_.size(); at += 7) {
        std::vector<uint8_t> flipped = bytes_;
        flipped[at] ^= 0x10;
        EXPECT_FALSE(fx::DeserializeEffect(flipped.data(), flipped.size(), read)) << at;
    }
    // Nothing of a refused effect is handed out.
    EXPECT_TRUE(read.shaders.empty());
}

TEST_F(EffectFormat, RefusesWellFormedDataThatContradictsItself) {
    fx::EffectDesc read;
    auto refused = [&](const fx::EffectDesc& e) {
        std::vector<uint8_t> b = fx::SerializeEffect(e);
        return !fx::DeserializeEffect(b.data(), b.size(), read);
    };
    fx::EffectDesc e = effect_;
    e.techniques[0].passes[0].vertexShader = 7;
    EXPECT_TRUE(refused(e));
    e = effect_;
    e.techniques[0].passes[0].vertexShader = 1;  // the pixel shader
    EXPECT_TRUE(refused(e));
    e = effect_;
    e.techniques[0].passes[0].blendState = 0;  // a sampler
    EXPECT_TRUE(refused(e));
    e = effect_;
    e.techniques[0].passes[0].rasterizerState = 3;  // a state the pass does not set
    EXPECT_TRUE(refused(e));
    e = effect_;
    e.states[1].blend.SrcBlend = static_cast<D3D10_BLEND>(12);  // no such blend
    EXPECT_TRUE(refused(e));
    e = effect_;
    e.states[1].blend.BlendEnable[2] = 2;
    EXPECT_TRUE(refused(e));
    e = effect_;
    e.shaders[0].spirv.assign(3, 0x07230203);
    EXPECT_TRUE(refused(e));
    EXPECT_FALSE(refused(effect_));
}

}  // namespace
