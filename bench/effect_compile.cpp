// The program compiles five effects while it starts; the first compile of
// the process also starts the HLSL compiler.
#include "EffectCompiler.h"
#include "EffectParser.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

namespace {

const char* const kEffect = R"(float4x4 World;
float4x4 View;
float4x4 Projection;
float Time;
Texture2D Ground;
SamplerState Linear { Filter = MIN_MAG_MIP_LINEAR; AddressU = Wrap; AddressV = Wrap; };
BlendState Alpha { BlendEnable[0] = TRUE; SrcBlend = SRC_ALPHA; DestBlend = INV_SRC_ALPHA; };
DepthStencilState ReadOnly { DepthEnable = TRUE; DepthWriteMask = ZERO; DepthFunc = LESS_EQUAL; };
RasterizerState NoCull { CullMode = NONE; };
struct VSIn { float3 pos : POSITION; float3 normal : NORMAL; float3 uv : TEXCOORD0; };
struct VSOut { float4 pos : SV_Position; float3 normal : NORMAL; float2 uv : TEXCOORD0; };
VSOut VS(VSIn i)
{
    VSOut o;
    float4 world = mul(float4(i.pos, 1), World);
    o.pos = mul(mul(world, View), Projection);
    o.normal = mul(i.normal, (float3x3)World);
    o.uv = i.uv.xy + float2(Time * 0.1, 0);
    return o;
}
float4 PS(VSOut i) : SV_Target
{
    float light = saturate(dot(normalize(i.normal), normalize(float3(1, 2, -1))));
    return Ground.Sample(Linear, i.uv) * (0.3 + 0.7 * light);
}
technique10 Render
{
    pass P0
    {
        SetVertexShader(CompileShader(vs_4_0, VS()));
        SetGeometryShader(NULL);
        SetPixelShader(CompileShader(ps_4_0, PS()));
        SetBlendState(Alpha, float4(0, 0, 0, 0), 0xFFFFFFFF);
        SetDepthStencilState(ReadOnly, 0);
        SetRasterizerState(NoCull);
    }
}
)";

void Compile(benchmark::State& state) {
    for (auto _ : state) {
        fx::EffectDesc effect;
        std::string messages;
        if (fx::CompileEffect(kEffect, strlen(kEffect), "bench.fx", effect, messages) != S_OK)
            state.SkipWithError(messages.c_str());
        benchmark::DoNotOptimize(effect.shaders.data());
    }
}

// Registered first, so that nothing has started the compiler before it.
BENCHMARK(Compile)->Name("CompileEffect/FirstInProcess")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Compile)->Name("CompileEffect/Later")->Unit(benchmark::kMillisecond);

void ParseEffectLevel(benchmark::State& state) {
    for (auto _ : state) {
        fx::ParsedEffect effect;
        std::string messages;
        fx::EffectParser parser(kEffect, strlen(kEffect), "bench.fx");
        benchmark::DoNotOptimize(parser.Parse(effect, messages));
    }
}
BENCHMARK(ParseEffectLevel)->Unit(benchmark::kMicrosecond);

void TranslateBothShaders(benchmark::State& state) {
    fx::EffectDesc effect;
    std::string messages;
    fx::CompileEffect(kEffect, strlen(kEffect), "bench.fx", effect, messages);
    for (auto _ : state) {
        for (const fx::ShaderBinary& shader : effect.shaders) {
            fx::TranslatedShader translated;
            if (!fx::TranslateShader(shader, translated, messages)) state.SkipWithError(messages.c_str());
            benchmark::DoNotOptimize(translated.glsl.data());
        }
    }
}
BENCHMARK(TranslateBothShaders)->Unit(benchmark::kMillisecond);

void SerializeAndReadBack(benchmark::State& state) {
    fx::EffectDesc effect;
    std::string messages;
    fx::CompileEffect(kEffect, strlen(kEffect), "bench.fx", effect, messages);
    for (auto _ : state) {
        std::vector<uint8_t> bytes = fx::SerializeEffect(effect);
        fx::EffectDesc read;
        benchmark::DoNotOptimize(fx::DeserializeEffect(bytes.data(), bytes.size(), read));
    }
}
BENCHMARK(SerializeAndReadBack)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
