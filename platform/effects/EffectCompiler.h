// The effect compiler: everything about Direct3D 10 effect files that needs
// no graphics context. It parses the effect level (state objects,
// techniques, passes), compiles the shaders a pass names from HLSL to
// SPIR-V, stores the result in our own compiled-effect format, and turns
// each shader into GLSL with the reflection the effect runtime needs.
#pragma once

#include <d3d10.h>

#include <cstdint>
#include <string>
#include <vector>

namespace fx {

enum class StateKind : uint32_t { Sampler, Blend, DepthStencil, Rasterizer };

// A state object of the effect file, its description starting from Direct3D
// 10's defaults with the file's assignments applied.
struct StateObject {
    StateKind kind;
    std::string name;
    D3D10_SAMPLER_DESC sampler;
    D3D10_BLEND_DESC blend;
    D3D10_DEPTH_STENCIL_DESC depthStencil;
    D3D10_RASTERIZER_DESC rasterizer;
};

enum class ShaderStage : uint32_t { Vertex, Pixel };

struct ShaderBinary {
    ShaderStage stage;
    std::string entryPoint;
    std::string profile;  // "vs_4_0", "ps_4_0", ...
    std::vector<uint32_t> spirv;
};

// One pass: the shaders it sets (indices into EffectDesc::shaders, -1 for
// none) and the states it sets (indices into EffectDesc::states, -1 for a
// NULL state, which means Direct3D's default; the set... flags say whether
// the pass sets that state at all).
struct PassDesc {
    std::string name;
    int vertexShader = -1;
    int pixelShader = -1;
    bool setsBlendState = false;
    int blendState = -1;
    float blendFactor[4] = {0, 0, 0, 0};
    uint32_t sampleMask = 0xffffffffu;
    bool setsDepthStencilState = false;
    int depthStencilState = -1;
    uint32_t stencilRef = 0;
    bool setsRasterizerState = false;
    int rasterizerState = -1;
};

struct TechniqueDesc {
    std::string name;
    std::vector<PassDesc> passes;
};

struct EffectDesc {
    std::vector<StateObject> states;
    std::vector<ShaderBinary> shaders;
    std::vector<TechniqueDesc> techniques;
};

// Parses and compiles an effect source. On failure returns a failure code
// and leaves the messages (with "name(line): " prefixes) in messages.
HRESULT CompileEffect(const char* source, size_t length, const char* sourceName, EffectDesc& effect,
                      std::string& messages);

// The compiled-effect format (versioned): what D3D10CompileEffectFromMemory
// hands out and D3D10CreateEffectFromMemory reads back.
std::vector<uint8_t> SerializeEffect(const EffectDesc& effect);
bool DeserializeEffect(const void* data, size_t size, EffectDesc& effect);

// Reflection of a translated shader.
struct UniformMember {
    std::string name;
    uint32_t offset = 0;        // bytes from the start of the $Global block
    uint32_t size = 0;          // bytes
    bool isMatrix = false;
    uint32_t rows = 1, columns = 1;  // of the HLSL type: float4x3 is 4 rows, 3 columns
    uint32_t matrixStride = 0;  // bytes between consecutive columns (or rows)
    // The GLSL block member is row_major. GLSL's matrix is HLSL's
    // transposed, so this is HLSL's default column_major: HLSL element
    // [r][c] lies at offset + c * matrixStride + r * 4. Without it (HLSL
    // row_major), at offset + r * matrixStride + c * 4.
    bool rowMajor = false;
};

// One (texture, sampler) pair the shader samples with. Pixel shaders use
// units from 0 and vertex shaders from 16, so the two stages of a pass never
// claim the same unit.
struct TextureBinding {
    std::string glslName;  // name of the combined sampler in the GLSL
    std::string texture;   // HLSL texture variable
    std::string sampler;   // HLSL SamplerState variable; empty for Load()
    uint32_t unit = 0;     // texture unit the GLSL binds it to
};

struct VertexInput {
    std::string semantic;  // "POSITION", "TEXCOORD", ... in capitals, without the index
    uint32_t semanticIndex = 0;
    uint32_t location = 0;
    uint32_t components = 0;  // 1 to 4 floats
};

// The values a vertex shader hands to the pixel shader are named after their
// semantics (vary_TEXCOORD0, vary_NORMAL0) without locations, so the two
// stages of one program link by semantic, as in Direct3D, whatever order
// each shader declares them in.
struct TranslatedShader {
    std::string glsl;               // GLSL 4.50 source
    uint32_t globalsBinding = 0;    // uniform-block binding of $Global
    uint32_t globalsSize = 0;       // bytes; 0 when the shader reads no globals
    std::vector<UniformMember> globals;
    std::vector<TextureBinding> textures;
    std::vector<VertexInput> inputs;  // vertex shaders only
};

bool TranslateShader(const ShaderBinary& shader, TranslatedShader& translated, std::string& messages);

}  // namespace fx
