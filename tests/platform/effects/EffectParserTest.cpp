#include "EffectParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <string>

namespace {

const char* const kEffect = R"(// states and two passes
float4x4 World;
SamplerState Linear { Filter = MIN_MAG_MIP_LINEAR; AddressU = Wrap; AddressV = wrap; };
SamplerState Plain;
BlendState Alpha { BlendEnable[0] = TRUE; SrcBlend = src_alpha; DestBlend = INV_SRC_ALPHA; };
DepthStencilState NoDepth
{
    DepthEnable = FALSE;
    DepthWriteMask = ZERO;
    DepthFunc = LESS_EQUAL;
};
RasterizerState NoCull { CullMode = NONE; FrontCounterClockwise = true; DepthBias = -3; };
/* a block comment naming technique10 Fake { } */
float4 VS(float3 p : POSITION) : SV_Position { return mul(float4(p, 1), World); }
float4 PS() : SV_Target { return 1; }
technique10 Render
{
    pass First
    {
        SetVertexShader(CompileShader(vs_4_0, VS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
        SetBlendState(Alpha, float4(0.5, 0, 0, 1), 0xFFFFFFFF);
        SetDepthStencilState(NoDepth, 7);
        SetRasterizerState(NoCull);
    }
    pass Second
    {
        SetVertexShader(CompileShader(vs_4_0, VS()));
        SetPixelShader(NULL);
        SetBlendState(NULL, float4(0, 0, 0, 0), 0x1);
    }
}
)";

bool Parse(const std::string& source, fx::ParsedEffect& effect, std::string& messages) {
    fx::EffectParser parser(source.data(), source.size(), "test.fx");
    return parser.Parse(effect, messages);
}

// The message a source gives, which must be a failure.
std::string ErrorOf(const std::string& source) {
    fx::ParsedEffect effect;
    std::string messages;
    EXPECT_FALSE(Parse(source, effect, messages)) << source;
    return messages;
}

const std::string kShaders =
    "float4 VS(float3 p : POSITION) : SV_Position { return float4(p, 1); }\n"
    "float4 PS() : SV_Target { return 1; }\n";

TEST(EffectParser, ReadsStatesTechniquesAndPasses) {
    fx::ParsedEffect effect;
    std::string messages;
    ASSERT_TRUE(Parse(kEffect, effect, messages)) << messages;

    ASSERT_EQ(effect.states.size(), 5u);
    const fx::StateObject& linear = effect.states[0];
    EXPECT_EQ(linear.kind, fx::StateKind::Sampler);
    EXPECT_EQ(linear.name, "Linear");
    EXPECT_EQ(linear.sampler.Filter, D3D10_FILTER_MIN_MAG_MIP_LINEAR);
    EXPECT_EQ(linear.sampler.AddressU, D3D10_TEXTURE_ADDRESS_WRAP);
    EXPECT_EQ(linear.sampler.AddressV, D3D10_TEXTURE_ADDRESS_WRAP);
    EXPECT_EQ(linear.sampler.AddressW, D3D10_TEXTURE_ADDRESS_CLAMP);

    const fx::StateObject& plain = effect.states[1];
    EXPECT_EQ(plain.name, "Plain");
    EXPECT_EQ(plain.sampler.MaxAnisotropy, 16u);
    EXPECT_EQ(plain.sampler.MinLOD, -FLT_MAX);

    const fx::StateObject& alpha = effect.states[2];
    EXPECT_EQ(alpha.kind, fx::StateKind::Blend);
    EXPECT_EQ(alpha.blend.BlendEnable[0], TRUE);
    EXPECT_EQ(alpha.blend.BlendEnable[1], FALSE);
    EXPECT_EQ(alpha.blend.SrcBlend, D3D10_BLEND_SRC_ALPHA);
    EXPECT_EQ(alpha.blend.DestBlend, D3D10_BLEND_INV_SRC_ALPHA);
    EXPECT_EQ(alpha.blend.SrcBlendAlpha, D3D10_BLEND_ONE);
    EXPECT_EQ(alpha.blend.RenderTargetWriteMask[0], D3D10_COLOR_WRITE_ENABLE_ALL);

    const fx::StateObject& noDepth = effect.states[3];
    EXPECT_EQ(noDepth.kind, fx::StateKind::DepthStencil);
    EXPECT_EQ(noDepth.depthStencil.DepthEnable, FALSE);
    EXPECT_EQ(noDepth.depthStencil.DepthWriteMask, D3D10_DEPTH_WRITE_MASK_ZERO);
    EXPECT_EQ(noDepth.depthStencil.DepthFunc, D3D10_COMPARISON_LESS_EQUAL);
    EXPECT_EQ(noDepth.depthStencil.StencilReadMask, 0xff);

    const fx::StateObject& noCull = effect.states[4];
    EXPECT_EQ(noCull.kind, fx::StateKind::Rasterizer);
    EXPECT_EQ(noCull.rasterizer.CullMode, D3D10_CULL_NONE);
    EXPECT_EQ(noCull.rasterizer.FrontCounterClockwise, TRUE);
    EXPECT_EQ(noCull.rasterizer.DepthBias, -3);
    EXPECT_EQ(noCull.rasterizer.FillMode, D3D10_FILL_SOLID);
    EXPECT_EQ(noCull.rasterizer.DepthClipEnable, TRUE);

    // The technique in the comment is no technique.
    ASSERT_EQ(effect.techniques.size(), 1u);
    const fx::TechniqueDesc& render = effect.techniques[0];
    EXPECT_EQ(render.name, "Render");
    ASSERT_EQ(render.passes.size(), 2u);

    // One shader per entry point, however many passes name it.
    ASSERT_EQ(effect.shaders.size(), 2u);
    EXPECT_EQ(effect.shaders[0].stage, fx::ShaderStage::Vertex);
    EXPECT_EQ(effect.shaders[0].entryPoint, "VS");
    EXPECT_EQ(effect.shaders[0].profile, "vs_4_0");
    EXPECT_EQ(effect.shaders[1].stage, fx::ShaderStage::Pixel);
    EXPECT_EQ(effect.shaders[1].entryPoint, "PS");

    const fx::PassDesc& first = render.passes[0];
    EXPECT_EQ(first.name, "First");
    EXPECT_EQ(first.vertexShader, 0);
    EXPECT_EQ(first.pixelShader, 1);
    EXPECT_TRUE(first.setsBlendState);
    EXPECT_EQ(first.blendState, 2);
    EXPECT_EQ(first.blendFactor[0], 0.5f);
    EXPECT_EQ(first.blendFactor[3], 1.0f);
    EXPECT_EQ(first.sampleMask, 0xffffffffu);
    EXPECT_TRUE(first.setsDepthStencilState);
    EXPECT_EQ(first.depthStencilState, 3);
    EXPECT_EQ(first.stencilRef, 7u);
    EXPECT_TRUE(first.setsRasterizerState);
    EXPECT_EQ(first.rasterizerState, 4);

    // NULL sets the default state; a state not named is not set at all.
    const fx::PassDesc& second = render.passes[1];
    EXPECT_EQ(second.name, "Second");
    EXPECT_EQ(second.vertexShader, 0);
    EXPECT_EQ(second.pixelShader, -1);
    EXPECT_TRUE(second.setsBlendState);
    EXPECT_EQ(second.blendState, -1);
    EXPECT_EQ(second.sampleMask, 1u);
    EXPECT_FALSE(second.setsDepthStencilState);
    EXPECT_FALSE(second.setsRasterizerState);
}

TEST(EffectParser, LeavesPlainHlslOnTheSameLines) {
    fx::ParsedEffect effect;
    std::string messages;
    ASSERT_TRUE(Parse(kEffect, effect, messages)) << messages;
    const std::string source = kEffect;
    const std::string& hlsl = effect.hlsl;
    ASSERT_EQ(hlsl.size(), source.size());
    EXPECT_EQ(std::count(hlsl.begin(), hlsl.end(), '\n'), std::count(source.begin(), source.end(), '\n'));

    // Samplers stay declared for the shaders; the other constructs go.
    EXPECT_NE(hlsl.find("SamplerState Linear"), std::string::npos);
    EXPECT_NE(hlsl.find("SamplerState Plain;"), std::string::npos);
    EXPECT_EQ(hlsl.find("Filter"), std::string::npos);
    EXPECT_EQ(hlsl.find("BlendState"), std::string::npos);
    EXPECT_EQ(hlsl.find("DepthFunc"), std::string::npos);
    EXPECT_EQ(hlsl.find("CullMode"), std::string::npos);
    EXPECT_EQ(hlsl.find("technique10 Render"), std::string::npos);
    EXPECT_EQ(hlsl.find("pass First"), std::string::npos);
    EXPECT_EQ(hlsl.find("SetVertexShader"), std::string::npos);
    // The sampler keeps its own line, and so does the vertex shader.
    EXPECT_EQ(hlsl.find("SamplerState Linear"), source.find("SamplerState Linear"));
    EXPECT_EQ(hlsl.find("float4 VS("), source.find("float4 VS("));
    // Preprocessor lines are the shader compiler's.
    std::string withDefine = "#define TWO 2\n" + kShaders +
                             "technique10 T { pass { SetVertexShader(CompileShader(vs_4_0, VS())); } }\n";
    ASSERT_TRUE(Parse(withDefine, effect, messages)) << messages;
    EXPECT_EQ(effect.hlsl.compare(0, 14, "#define TWO 2\n"), 0);
}

TEST(EffectParser, CarriageReturnsParseLikeLineFeeds) {
    std::string lf = kEffect;
    std::string crlf;
    for (char c : lf) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    fx::ParsedEffect a, b;
    std::string messages;
    ASSERT_TRUE(Parse(lf, a, messages)) << messages;
    ASSERT_TRUE(Parse(crlf, b, messages)) << messages;
    EXPECT_EQ(a.hlsl, b.hlsl);
    EXPECT_EQ(a.states.size(), b.states.size());
    EXPECT_EQ(a.techniques[0].passes.size(), b.techniques[0].passes.size());

    // Errors count CR/LF lines like LF lines.
    EXPECT_EQ(ErrorOf(kShaders + "\r\nBlendState B { SrcBlend = NOPE; };\r\n").substr(0, 11), "test.fx(4):");
}

TEST(EffectParser, ReportsUnknownFieldsAndValuesWithTheirLines) {
    EXPECT_EQ(ErrorOf(kShaders + "BlendState B\n{\n    SrcBlend = SRC_ALPHA;\n    SourceBlend = ONE;\n};\n"),
              "test.fx(6): error: 'SourceBlend' is not a BlendState field\n");
    EXPECT_EQ(ErrorOf(kShaders + "SamplerState S { Filter = LINEAR; };\n"),
              "test.fx(3): error: 'LINEAR' is not a valid value for 'Filter'\n");
    EXPECT_EQ(ErrorOf(kShaders + "DepthStencilState D {\n DepthWriteMask = NONE; };\n"),
              "test.fx(4): error: 'NONE' is not a valid value for 'DepthWriteMask'\n");
    EXPECT_EQ(ErrorOf(kShaders + "RasterizerState R { CullMode = TRUE; };\n"),
              "test.fx(3): error: 'TRUE' is not a valid value for 'CullMode'\n");
    // A blend state has eight targets; other fields have no index at all.
    EXPECT_NE(ErrorOf(kShaders + "BlendState B { BlendEnable[8] = TRUE; };\n").find("test.fx(3): error: index 8"),
              std::string::npos);
    EXPECT_NE(ErrorOf(kShaders + "BlendState B { SrcBlend[0] = ONE; };\n").find("takes no index"), std::string::npos);
    // Values of the wrong type.
    EXPECT_NE(ErrorOf(kShaders + "BlendState B { RenderTargetWriteMask[0] = 16; };\n").find("test.fx(3)"),
              std::string::npos);
    EXPECT_NE(ErrorOf(kShaders + "SamplerState S { MaxAnisotropy = 2.5; };\n").find("test.fx(3)"), std::string::npos);
    EXPECT_NE(ErrorOf(kShaders + "SamplerState S { BorderColor = float3(1, 1, 1); };\n").find("test.fx(3)"),
              std::string::npos);
}

TEST(EffectParser, ReportsBadPassesWithTheirLines) {
    const std::string vs = "SetVertexShader(CompileShader(vs_4_0, VS()));";
    // A pass must set a vertex shader.
    EXPECT_EQ(ErrorOf(kShaders + "technique10 T\n{\n    pass P\n    {\n        SetPixelShader(NULL);\n    }\n}\n"),
              "test.fx(5): error: pass 'P' sets no vertex shader\n");
    EXPECT_NE(ErrorOf(kShaders + "technique10 T { pass { SetVertexShader(NULL); } }\n").find("test.fx(3)"),
              std::string::npos);
    // The entry point must exist.
    EXPECT_EQ(ErrorOf(kShaders + "technique10 T {\n pass { SetVertexShader(CompileShader(vs_4_0, VSMain())); } }\n"),
              "test.fx(4): error: entry point 'VSMain' not found\n");
    // A profile must fit its stage.
    EXPECT_NE(ErrorOf(kShaders + "technique10 T { pass { SetVertexShader(CompileShader(ps_4_0, VS())); } }\n")
                  .find("test.fx(3): error: 'ps_4_0' is not a valid profile"),
              std::string::npos);
    // States must be declared, and of the kind the call sets.
    EXPECT_EQ(ErrorOf(kShaders + "technique10 T { pass { " + vs + "\nSetBlendState(Missing, float4(0,0,0,0), 0); } }\n"),
              "test.fx(4): error: undeclared BlendState 'Missing'\n");
    EXPECT_NE(ErrorOf(kShaders + "RasterizerState R { };\ntechnique10 T { pass { " + vs +
                      " SetBlendState(R, float4(0,0,0,0), 0); } }\n")
                  .find("test.fx(4): error: 'R' is a RasterizerState, not a BlendState"),
              std::string::npos);
    EXPECT_NE(ErrorOf(kShaders + "technique10 T { pass { " + vs + " SetStreamOutput(0); } }\n")
                  .find("test.fx(3): error: 'SetStreamOutput' is not a pass state"),
              std::string::npos);
    EXPECT_NE(ErrorOf(kShaders + "technique10 T { pass { " + vs +
                      " SetGeometryShader(CompileShader(gs_4_0, VS())); } }\n")
                  .find("geometry shaders are not supported"),
              std::string::npos);
}

TEST(EffectParser, ReportsSyntaxErrorsWithTheirLines) {
    EXPECT_EQ(ErrorOf(kShaders + "BlendState B { SrcBlend = ONE }\n;"), "test.fx(3): error: expected ';', found '}'\n");
    EXPECT_EQ(ErrorOf(kShaders + "BlendState B { SrcBlend = ONE; }\n"),
              "test.fx(4): error: expected ';' after BlendState 'B'\n");
    EXPECT_NE(ErrorOf(kShaders + "technique10 T {\n pass {\n SetVertexShader(CompileShader(vs_4_0, VS()))\n } }\n")
                  .find("test.fx(6): error: expected ';'"),
              std::string::npos);
    EXPECT_NE(ErrorOf(kShaders + "technique10 T { pass { ").find("found 'end of file'"), std::string::npos);
    EXPECT_EQ(ErrorOf(kShaders + "/* never closed\n\n"), "test.fx(3): error: unterminated comment\n");
    EXPECT_NE(ErrorOf(kShaders + "BlendState B {};\nBlendState B {};\n").find("test.fx(4): error: 'B' is already"),
              std::string::npos);
    EXPECT_NE(ErrorOf(kShaders + "BlendState B[2] { };\n").find("test.fx(3)"), std::string::npos);
    // An effect variable's initial value would be lost in translation.
    EXPECT_NE(ErrorOf("float scale = 2;\n" + kShaders).find("test.fx(1): error: the initial value of effect variable"),
              std::string::npos);
}

TEST(EffectParser, AcceptsConstantsAnnotationsAndNumberForms) {
    std::string source = "static const float Pi = 3.14159;\nconst float Half = 0.5;\n"
                         "Texture2D<float4> Tex < string Name = \"t.png\"; >;\n" +
                         kShaders +
                         "SamplerState S { MipLODBias = -.5f; BorderColor = float4(1, 0.25, 1e-1, 1.0h); };\n"
                         "DepthStencilState D { StencilWriteMask = 0x0Fu; StencilEnable = 1; };\n"
                         "technique T < string Help = \"x\"; > { pass < int n = 1; > {\n"
                         "  setvertexshader(compileshader(vs_4_1, VS())); setDepthStencilState(D, 255); } };\n";
    fx::ParsedEffect effect;
    std::string messages;
    ASSERT_TRUE(Parse(source, effect, messages)) << messages;
    ASSERT_EQ(effect.states.size(), 2u);
    EXPECT_EQ(effect.states[0].sampler.MipLODBias, -0.5f);
    EXPECT_EQ(effect.states[0].sampler.BorderColor[1], 0.25f);
    EXPECT_EQ(effect.states[0].sampler.BorderColor[2], 0.1f);
    EXPECT_EQ(effect.states[1].depthStencil.StencilWriteMask, 0x0f);
    EXPECT_EQ(effect.states[1].depthStencil.StencilEnable, TRUE);
    ASSERT_EQ(effect.techniques.size(), 1u);
    EXPECT_EQ(effect.techniques[0].name, "T");
    ASSERT_EQ(effect.techniques[0].passes.size(), 1u);
    EXPECT_EQ(effect.techniques[0].passes[0].name, "");
    EXPECT_EQ(effect.techniques[0].passes[0].stencilRef, 255u);
    EXPECT_EQ(effect.shaders[0].profile, "vs_4_1");
}

}  // namespace
