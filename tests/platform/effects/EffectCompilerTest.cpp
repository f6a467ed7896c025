#include "EffectCompiler.h"

#include <d3d10.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kEffect = R"(float4x4 World;
float Time;
Texture2D Tex;
SamplerState Linear { Filter = MIN_MAG_MIP_LINEAR; AddressU = Wrap; };
BlendState Alpha { BlendEnable[0] = TRUE; SrcBlend = SRC_ALPHA; DestBlend = INV_SRC_ALPHA; };
struct VSOut { float4 pos : SV_Position; float2 uv : TEXCOORD0; };
VSOut VS(float3 p : POSITION, float2 uv : TEXCOORD0)
{
    VSOut o;
    o.pos = mul(float4(p, 1), World);
    o.uv = uv * Time;
    return o;
}
float4 PS(VSOut i) : SV_Target { return Tex.Sample(Linear, i.uv); }
technique10 Render
{
    pass P0
    {
        SetVertexShader(CompileShader(vs_4_0, VS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
        SetBlendState(Alpha, float4(0, 0, 0, 0), 0xFFFFFFFF);
    }
}
)";

const uint32_t kSpirvMagic = 0x07230203;

std::string WithCrLf(const std::string& lf) {
    std::string crlf;
    for (char c : lf) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    return crlf;
}

TEST(EffectCompiler, CompilesEveryShaderAPassNames) {
    fx::EffectDesc effect;
    std::string messages;
    ASSERT_EQ(fx::CompileEffect(kEffect, strlen(kEffect), "good.fx", effect, messages), S_OK) << messages;
    ASSERT_EQ(effect.shaders.size(), 2u);
    EXPECT_EQ(effect.shaders[0].stage, fx::ShaderStage::Vertex);
    EXPECT_EQ(effect.shaders[0].entryPoint, "VS");
    EXPECT_EQ(effect.shaders[1].stage, fx::ShaderStage::Pixel);
    for (const fx::ShaderBinary& s : effect.shaders) {
        ASSERT_GT(s.spirv.size(), 5u);
        EXPECT_EQ(s.spirv[0], kSpirvMagic);
    }
    ASSERT_EQ(effect.states.size(), 2u);
    ASSERT_EQ(effect.techniques.size(), 1u);
    EXPECT_EQ(effect.techniques[0].passes[0].blendState, 1);
}

TEST(EffectCompiler, ShaderErrorsNameFileAndLine) {
    // Line 11 of the effect, below the blanked state objects.
    std::string source = kEffect;
    size_t at = source.find("o.uv = uv * Time;");
    source.replace(at, 17, "o.uv = uv * Tme;");
    fx::EffectDesc effect;
    std::string messages;
    EXPECT_EQ(fx::CompileEffect(source.data(), source.size(), "data/fx/bad.fx", effect, messages), E_FAIL);
    EXPECT_NE(messages.find("data/fx/bad.fx(11): error"), std::string::npos) << messages;
    EXPECT_NE(messages.find("Tme"), std::string::npos) << messages;

    // Effect-level errors come the same way.
    std::string level = kEffect;
    level.replace(level.find("SRC_ALPHA;"), 10, "SRC_ALPA; ");
    EXPECT_EQ(fx::CompileEffect(level.data(), level.size(), "lvl.fx", effect, messages), E_FAIL);
    EXPECT_EQ(messages, "lvl.fx(5): error: 'SRC_ALPA' is not a valid value for 'SrcBlend'\n");

    // A source cut short anywhere in its technique is an error, not a crash.
    const std::string full = kEffect;
    for (size_t length = full.find("technique10") + 11; length < full.size() - 1; ++length)
        EXPECT_EQ(fx::CompileEffect(kEffect, length, "cut.fx", effect, messages), E_FAIL) << length;
}

TEST(EffectCompiler, CrLfSourceCompilesExactlyLikeLf) {
    std::string lf = kEffect;
    std::string crlf = WithCrLf(lf);
    fx::EffectDesc a, b;
    std::string messages;
    ASSERT_EQ(fx::CompileEffect(lf.data(), lf.size(), "e.fx", a, messages), S_OK) << messages;
    ASSERT_EQ(fx::CompileEffect(crlf.data(), crlf.size(), "e.fx", b, messages), S_OK) << messages;
    EXPECT_EQ(fx::SerializeEffect(a), fx::SerializeEffect(b));

    // Errors in a CR/LF source point at the same lines.
    std::string bad = WithCrLf(std::string(kEffect).replace(lf.find("o.uv = uv * Time;"), 17, "o.uv = uv * Tme;"));
    EXPECT_EQ(fx::CompileEffect(bad.data(), bad.size(), "e.fx", b, messages), E_FAIL);
    EXPECT_NE(messages.find("e.fx(11): error"), std::string::npos) << messages;
}

TEST(EffectCompiler, CompileFromMemoryHandsOutTheSerializedEffect) {
    // Only the given length counts: what follows in memory is not source.
    std::string buffer = std::string(kEffect) + "garbage that does not compile {{{";
    ID3D10Blob* blob = nullptr;
    ASSERT_EQ(D3D10CompileEffectFromMemory(buffer.data(), strlen(kEffect), "good.fx", nullptr, nullptr,
                                           D3D10_SHADER_ENABLE_STRICTNESS, 0, &blob, nullptr),
              S_OK);
    ASSERT_NE(blob, nullptr);

    fx::EffectDesc effect;
    std::string messages;
    ASSERT_EQ(fx::CompileEffect(kEffect, strlen(kEffect), "good.fx", effect, messages), S_OK);
    std::vector<uint8_t> expected = fx::SerializeEffect(effect);
    ASSERT_EQ(blob->GetBufferSize(), expected.size());
    EXPECT_EQ(memcmp(blob->GetBufferPointer(), expected.data(), expected.size()), 0);
    EXPECT_EQ(blob->Release(), 0u);
}

TEST(EffectCompiler, CompileFromMemoryFailsWithMessagesOnStandardError) {
    std::string source = std::string(kEffect).replace(std::string(kEffect).find("pass P0"), 7, "pass P0 oops");
    ID3D10Blob* blob = reinterpret_cast<ID3D10Blob*>(&source);  // must be overwritten
    ID3D10Blob* errors = nullptr;
    testing::internal::CaptureStderr();
    HRESULT hr = D3D10CompileEffectFromMemory(source.data(), source.size(), "data/fx/x.fx", nullptr, nullptr, 0, 0,
                                              &blob, &errors);
    std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(hr, E_FAIL);
    EXPECT_EQ(blob, nullptr);
    EXPECT_NE(written.find("data/fx/x.fx(17): error"), std::string::npos) << written;
    ASSERT_NE(errors, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(errors->GetBufferPointer())), written);
    errors->Release();

    // Nowhere to put the result.
    EXPECT_EQ(D3D10CompileEffectFromMemory(const_cast<char*>(kEffect), strlen(kEffect), "e.fx", nullptr, nullptr, 0,
                                           0, nullptr, nullptr),
              E_INVALIDARG);
    // Macros would change what the effect level sees: refused, not ignored.
    const D3D10_SHADER_MACRO macros[] = {{"SCALE", "2"}, {nullptr, nullptr}};
    testing::internal::CaptureStderr();
    EXPECT_TRUE(FAILED(D3D10CompileEffectFromMemory(const_cast<char*>(kEffect), strlen(kEffect), "e.fx", macros,
                                                    nullptr, 0, 0, &blob, nullptr)));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(blob, nullptr);
}

TEST(Blob, HoldsItsBytesUntilTheLastRelease) {
    ID3D10Blob* blob = nullptr;
    ASSERT_EQ(D3D10CreateBlob(64, &blob), S_OK);
    ASSERT_NE(blob, nullptr);
    EXPECT_EQ(blob->GetBufferSize(), 64u);
    memset(blob->GetBufferPointer(), 0xab, 64);

    const IID unknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    const IID other = {0x12345678, 0x0000, 0x0000, {0, 0, 0, 0, 0, 0, 0, 1}};
    void* object = nullptr;
    ASSERT_EQ(blob->QueryInterface(unknown, &object), S_OK);
    EXPECT_EQ(object, static_cast<IUnknown*>(blob));
    EXPECT_EQ(blob->QueryInterface(other, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);

    EXPECT_EQ(blob->AddRef(), 3u);
    EXPECT_EQ(blob->Release(), 2u);
    EXPECT_EQ(static_cast<uint8_t*>(blob->GetBufferPointer())[63], 0xab);
    EXPECT_EQ(blob->Release(), 1u);
    EXPECT_EQ(blob->Release(), 0u);
    EXPECT_EQ(D3D10CreateBlob(1, nullptr), E_INVALIDARG);
}

}  // namespace
