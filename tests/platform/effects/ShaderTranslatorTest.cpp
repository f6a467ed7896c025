#include "EffectCompiler.h"

#include <gtest/gtest.h>
#include <shaderc/shaderc.h>

#include <cstring>
#include <regex>
#include <set>
#include <string>

namespace {

const char* const kEffect = R"(float4x4 World;
float Time;
row_major float4x4 Flat;
Texture2D Tex;
Texture2D Detail;
SamplerState Linear { Filter = MIN_MAG_MIP_LINEAR; };
SamplerState Nearest { Filter = MIN_MAG_MIP_POINT; };
struct VSIn { float3 pos : POSITION; float3 normal : NORMAL; float2 uv : TEXCOORD0; float3 extra : texcoord1; };
struct VSOut { float4 pos : SV_Position; float2 uv : TEXCOORD0; float3 normal : NORMAL; float shade : COLOR1; };
VSOut VS(VSIn i)
{
    VSOut o;
    o.pos = mul(float4(i.pos + i.extra, 1), World);
    o.uv = i.uv;
    o.normal = i.normal * Time;
    o.shade = Flat[0][0];
    return o;
}
// Declared in another order than the vertex shader writes them.
struct PSIn { float4 pos : SV_Position; float shade : COLOR1; float3 normal : NORMAL; float2 uv : TEXCOORD0; };
float4 PS(PSIn i) : SV_Target
{
    float4 c = Tex.Sample(Linear, i.uv) * Detail.Sample(Nearest, i.uv * 4) * Tex.Sample(Nearest, i.uv);
    return c * float4(i.normal, i.shade) + Detail.Load(int3(0, 0, 0));
}
technique10 Render
{
    pass P0
    {
        SetVertexShader(CompileShader(vs_4_0, VS()));
        SetPixelShader(CompileShader(ps_4_0, PS()));
    }
}
)";

class ShaderTranslator : public testing::Test {
protected:
    void SetUp() override {
        std::string messages;
        ASSERT_EQ(fx::CompileEffect(kEffect, strlen(kEffect), "t.fx", effect_, messages), S_OK) << messages;
        ASSERT_EQ(effect_.shaders.size(), 2u);
        ASSERT_TRUE(fx::TranslateShader(effect_.shaders[0], vertex_, messages)) << messages;
        ASSERT_TRUE(fx::TranslateShader(effect_.shaders[1], pixel_, messages)) << messages;
    }

    static const fx::UniformMember* Member(const fx::TranslatedShader& s, const std::string& name) {
        for (const fx::UniformMember& m : s.globals)
            if (m.name == name) return &m;
        return nullptr;
    }

    // The GLSL as an OpenGL 4.5 driver's compiler reads it.
    static std::string GlslErrors(const std::string& glsl, shaderc_shader_kind kind) {
        shaderc_compiler_t compiler = shaderc_compiler_initialize();
        shaderc_compile_options_t options = shaderc_compile_options_initialize();
        shaderc_compile_options_set_source_language(options, shaderc_source_language_glsl);
        shaderc_compile_options_set_target_env(options, shaderc_target_env_opengl, shaderc_env_version_opengl_4_5);
        shaderc_compile_options_set_auto_map_locations(options, true);
        shaderc_compilation_result_t result =
            shaderc_compile_into_spv(compiler, glsl.data(), glsl.size(), kind, "out.glsl", "main", options);
        std::string errors = shaderc_result_get_compilation_status(result) == shaderc_compilation_status_success
                                 ? ""
                                 : std::string("failed: ") + shaderc_result_get_error_message(result);
        shaderc_result_release(result);
        shaderc_compile_options_release(options);
        shaderc_compiler_release(compiler);
        return errors;
    }

    // "in vec2 vary_TEXCOORD0;" and the like: the declarations of one
    // direction, qualifiers dropped.
    static std::set<std::string> Declarations(const std::string& glsl, const std::string& direction) {
        std::set<std::string> found;
        std::regex declaration("(^|\\n)(layout\\([^)]*\\) )?" + direction + " (\\w+ \\w+);");
        for (std::sregex_iterator i(glsl.begin(), glsl.end(), declaration), end; i != end; ++i)
            found.insert((*i)[2].str().empty() ? (*i)[3].str() : "located " + (*i)[3].str());
        return found;
    }

    fx::EffectDesc effect_;
    fx::TranslatedShader vertex_, pixel_;
};

TEST_F(ShaderTranslator, WritesGlsl450CoreThatCompiles) {
    EXPECT_EQ(vertex_.glsl.compare(0, 13, "#version 450\n"), 0) << vertex_.glsl;
    EXPECT_EQ(pixel_.glsl.compare(0, 13, "#version 450\n"), 0) << pixel_.glsl;
    EXPECT_EQ(vertex_.glsl.find(" es"), std::string::npos);
    EXPECT_EQ(GlslErrors(vertex_.glsl, shaderc_vertex_shader), "") << vertex_.glsl;
    EXPECT_EQ(GlslErrors(pixel_.glsl, shaderc_fragment_shader), "") << pixel_.glsl;
}

TEST_F(ShaderTranslator, ReflectsGlobalsWithTheirLayout) {
    EXPECT_EQ(vertex_.globalsBinding, 0u);
    const fx::UniformMember* world = Member(vertex_, "World");
    ASSERT_NE(world, nullptr);
    EXPECT_EQ(world->offset, 0u);
    EXPECT_EQ(world->size, 64u);
    EXPECT_TRUE(world->isMatrix);
    EXPECT_EQ(world->rows, 4u);
    EXPECT_EQ(world->columns, 4u);
    EXPECT_EQ(world->matrixStride, 16u);
    // HLSL's default column_major matrix is a row_major one to GLSL.
    EXPECT_TRUE(world->rowMajor);

    const fx::UniformMember* time = Member(vertex_, "Time");
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(time->offset, 64u);
    EXPECT_EQ(time->size, 4u);
    EXPECT_FALSE(time->isMatrix);

    const fx::UniformMember* flat = Member(vertex_, "Flat");
    ASSERT_NE(flat, nullptr);
    EXPECT_EQ(flat->offset % 16, 0u);
    EXPECT_GE(flat->offset, 68u);
    EXPECT_FALSE(flat->rowMajor);
    EXPECT_EQ(vertex_.globalsSize, flat->offset + 64);

    // The block is bound where the runtime binds its buffer, in the GLSL itself.
    EXPECT_TRUE(std::regex_search(vertex_.glsl, std::regex("layout\\(binding = 0[,)].*\\n?uniform")));
    // The pixel shader reads no globals.
    EXPECT_EQ(pixel_.globalsSize, 0u);
    EXPECT_TRUE(pixel_.globals.empty());
}

TEST_F(ShaderTranslator, ReflectsVertexInputsBySemantic) {
    ASSERT_EQ(vertex_.inputs.size(), 4u);
    std::set<uint32_t> locations;
    for (const fx::VertexInput& v : vertex_.inputs) {
        locations.insert(v.location);
        EXPECT_NE(vertex_.glsl.find("layout(location = " + std::to_string(v.location) + ") in vec" +
                                    std::to_string(v.components)),
                  std::string::npos)
            << v.semantic << v.semanticIndex;
    }
    EXPECT_EQ(locations.size(), 4u);
    EXPECT_EQ(vertex_.inputs[0].semantic, "POSITION");
    EXPECT_EQ(vertex_.inputs[0].semanticIndex, 0u);
    EXPECT_EQ(vertex_.inputs[0].components, 3u);
    EXPECT_EQ(vertex_.inputs[1].semantic, "NORMAL");
    EXPECT_EQ(vertex_.inputs[2].semantic, "TEXCOORD");
    EXPECT_EQ(vertex_.inputs[2].semanticIndex, 0u);
    EXPECT_EQ(vertex_.inputs[2].components, 2u);
    EXPECT_EQ(vertex_.inputs[3].semantic, "TEXCOORD");
    EXPECT_EQ(vertex_.inputs[3].semanticIndex, 1u);
    EXPECT_EQ(vertex_.inputs[3].components, 3u);
    EXPECT_TRUE(pixel_.inputs.empty());
}

TEST_F(ShaderTranslator, StagesLinkBySemanticWhateverTheirOrder) {
    std::set<std::string> outputs = Declarations(vertex_.glsl, "out");
    std::set<std::string> inputs = Declarations(pixel_.glsl, "in");
    EXPECT_EQ(outputs, (std::set<std::string>{"vec2 vary_TEXCOORD0", "vec3 vary_NORMAL0", "float vary_COLOR1"}));
    EXPECT_EQ(inputs, outputs);
}

TEST_F(ShaderTranslator, NamesAndBindsEachTextureSamplerPair) {
    EXPECT_TRUE(vertex_.textures.empty());
    ASSERT_EQ(pixel_.textures.size(), 4u);
    std::set<std::string> pairs;
    std::set<uint32_t> units;
    for (const fx::TextureBinding& t : pixel_.textures) {
        pairs.insert(t.texture + "+" + t.sampler);
        units.insert(t.unit);
        EXPECT_NE(pixel_.glsl.find("layout(binding = " + std::to_string(t.unit) + ") uniform sampler2D " + t.glslName +
                                   ";"),
                  std::string::npos)
            << t.glslName << "\n" << pixel_.glsl;
    }
    // Load() reads without a sampler.
    EXPECT_EQ(pairs, (std::set<std::string>{"Tex+Linear", "Detail+Nearest", "Tex+Nearest", "Detail+"}));
    EXPECT_EQ(units.size(), 4u);
}

TEST(ShaderTranslatorInput, RefusesWhatItCannotTranslate) {
    std::string messages;
    fx::TranslatedShader out;
    fx::ShaderBinary broken{fx::ShaderStage::Vertex, "VS", "vs_4_0", {0x07230203, 0x00010000, 0, 100, 0, 7, 7, 7}};
    EXPECT_FALSE(fx::TranslateShader(broken, out, messages));
    EXPECT_NE(messages.find("VS: error"), std::string::npos);

    const char* cbuffer = "cbuffer PerFrame { float4 Tint; };\n"
                          "float4 VS(float3 p : POSITION) : SV_Position { return float4(p, 1) * Tint; }\n"
                          "technique10 T { pass { SetVertexShader(CompileShader(vs_4_0, VS())); } }\n";
    fx::EffectDesc effect;
    ASSERT_EQ(fx::CompileEffect(cbuffer, strlen(cbuffer), "c.fx", effect, messages), S_OK) << messages;
    messages.clear();
    EXPECT_FALSE(fx::TranslateShader(effect.shaders[0], out, messages));
    EXPECT_NE(messages.find("constant buffer 'PerFrame' is not supported"), std::string::npos) << messages;
}

}  // namespace
