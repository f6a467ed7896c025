// SPIR-V of one effect shader to GLSL 4.50 core, with the reflection the
// effect runtime binds by.
#include "EffectCompiler.h"

#include <spirv_cross/spirv_cross_c.h>

#include <cctype>

namespace fx {
namespace {

const char* const kGlobalBlock = "$Global";
const uint32_t kGlobalsBinding = 0;
// Both stages of a pass share the texture units, so each stage has its own
// range and the two never collide, whatever pairs they sample.
const uint32_t kPixelUnitBase = 0;
const uint32_t kVertexUnitBase = 16;

// "TEXCOORD1" arrives fused; Direct3D reads it as semantic TEXCOORD, index 1.
void SplitSemantic(const std::string& fused, std::string& name, uint32_t& index) {
    size_t digits = fused.size();
    while (digits > 0 && isdigit(static_cast<unsigned char>(fused[digits - 1]))) --digits;
    name = fused.substr(0, digits);
    for (char& c : name) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    index = 0;
    std::string number = fused.substr(digits);
    if (!number.empty() && number.size() <= 9) index = static_cast<uint32_t>(std::stoul(number));
}

class Translation {
public:
    Translation(const ShaderBinary& shader, TranslatedShader& out, std::string& messages)
        : shader_(shader), out_(out), messages_(messages) {}
    ~Translation() {
        if (context_) spvc_context_destroy(context_);
    }

    bool Run() {
        if (spvc_context_create(&context_) != SPVC_SUCCESS) return Fail("cannot create a SPIR-V context");
        spvc_context_set_error_callback(context_, &Translation::OnError, this);
        spvc_parsed_ir ir = nullptr;
        if (spvc_context_parse_spirv(context_, shader_.spirv.data(), shader_.spirv.size(), &ir) != SPVC_SUCCESS ||
            spvc_context_create_compiler(context_, SPVC_BACKEND_GLSL, ir, SPVC_CAPTURE_MODE_TAKE_OWNERSHIP,
                                         &compiler_) != SPVC_SUCCESS)
            return Fail("cannot read the shader's SPIR-V");
        if (spvc_compiler_create_shader_resources(compiler_, &resources_) != SPVC_SUCCESS)
            return Fail("cannot reflect the shader");
        if (!ReflectGlobals() || !CombineSamplers() || !ReflectInterface()) return false;

        spvc_compiler_options options = nullptr;
        if (spvc_compiler_create_compiler_options(compiler_, &options) != SPVC_SUCCESS) return Fail("no options");
        spvc_compiler_options_set_uint(options, SPVC_COMPILER_OPTION_GLSL_VERSION, 450);
        spvc_compiler_options_set_bool(options, SPVC_COMPILER_OPTION_GLSL_ES, SPVC_FALSE);
        spvc_compiler_options_set_bool(options, SPVC_COMPILER_OPTION_GLSL_VULKAN_SEMANTICS, SPVC_FALSE);
        spvc_compiler_install_compiler_options(compiler_, options);
        const char* glsl = nullptr;
        if (spvc_compiler_compile(compiler_, &glsl) != SPVC_SUCCESS || !glsl)
            return Fail("cannot write GLSL for the shader");
        out_.glsl = glsl;
        return true;
    }

private:
    static void OnError(void* self, const char* error) {
        Translation* t = static_cast<Translation*>(self);
        t->messages_ += t->shader_.entryPoint + ": error: " + error + "\n";
    }

    bool Fail(const std::string& message) {
        messages_ += shader_.entryPoint + ": error: " + message + "\n";
        return false;
    }

    const spvc_reflected_resource* List(spvc_resource_type type, size_t& count) {
        const spvc_reflected_resource* list = nullptr;
        count = 0;
        if (spvc_resources_get_resource_list_for_type(resources_, type, &list, &count) != SPVC_SUCCESS) count = 0;
        return list;
    }

    // HLSL's globals all live in one constant buffer, $Global; explicit
    // cbuffers are not part of the effects this runtime serves.
    bool ReflectGlobals() {
        size_t count;
        const spvc_reflected_resource* blocks = List(SPVC_RESOURCE_TYPE_UNIFORM_BUFFER, count);
        for (size_t b = 0; b < count; ++b) {
            const char* typeName = spvc_compiler_get_name(compiler_, blocks[b].base_type_id);
            if (!typeName || std::string(typeName) != kGlobalBlock)
                return Fail(std::string("constant buffer '") + (typeName ? typeName : "") + "' is not supported");
            spvc_compiler_unset_decoration(compiler_, blocks[b].id, SpvDecorationDescriptorSet);
            spvc_compiler_set_decoration(compiler_, blocks[b].id, SpvDecorationBinding, kGlobalsBinding);
            out_.globalsBinding = kGlobalsBinding;

            spvc_type block = spvc_compiler_get_type_handle(compiler_, blocks[b].base_type_id);
            size_t size = 0;
            spvc_compiler_get_declared_struct_size(compiler_, block, &size);
            out_.globalsSize = static_cast<uint32_t>(size);
            unsigned members = spvc_type_get_num_member_types(block);
            for (unsigned i = 0; i < members; ++i) {
                UniformMember m;
                const char* name = spvc_compiler_get_member_name(compiler_, blocks[b].base_type_id, i);
                m.name = name ? name : "";
                unsigned offset = 0;
                size_t memberSize = 0;
                spvc_compiler_type_struct_member_offset(compiler_, block, i, &offset);
                spvc_compiler_get_declared_struct_member_size(compiler_, block, i, &memberSize);
                m.offset = offset;
                m.size = static_cast<uint32_t>(memberSize);
                spvc_type type = spvc_compiler_get_type_handle(compiler_, spvc_type_get_member_type(block, i));
                unsigned columns = spvc_type_get_columns(type);
                unsigned vectorSize = spvc_type_get_vector_size(type);
                m.isMatrix = columns > 1;
                if (m.isMatrix) {
                    // SPIR-V's matrix is HLSL's transposed: its columns are HLSL's rows.
                    m.rows = columns;
                    m.columns = vectorSize;
                    unsigned stride = 0;
                    spvc_compiler_type_struct_member_matrix_stride(compiler_, block, i, &stride);
                    m.matrixStride = stride;
                    m.rowMajor = spvc_compiler_has_member_decoration(compiler_, blocks[b].base_type_id, i,
                                                                     SpvDecorationRowMajor);
                } else {
                    m.rows = 1;
                    m.columns = vectorSize;
                }
                out_.globals.push_back(m);
            }
        }
        return true;
    }

    // GLSL samples through combined samplers: one per (texture, sampler)
    // pair the shader uses, named after the pair and bound to a unit.
    bool CombineSamplers() {
        spvc_variable_id dummy = 0;
        if (spvc_compiler_build_dummy_sampler_for_combined_images(compiler_, &dummy) != SPVC_SUCCESS ||
            spvc_compiler_build_combined_image_samplers(compiler_) != SPVC_SUCCESS)
            return Fail("cannot combine the shader's textures and samplers");
        const spvc_combined_image_sampler* pairs = nullptr;
        size_t count = 0;
        spvc_compiler_get_combined_image_samplers(compiler_, &pairs, &count);
        const char* prefix = shader_.stage == ShaderStage::Vertex ? "vs_" : "ps_";
        uint32_t base = shader_.stage == ShaderStage::Vertex ? kVertexUnitBase : kPixelUnitBase;
        for (size_t i = 0; i < count; ++i) {
            TextureBinding t;
            const char* texture = spvc_compiler_get_name(compiler_, pairs[i].image_id);
            t.texture = texture ? texture : "";
            // Load() reads a texture without a sampler: SPIR-V Cross pairs it
            // with a dummy.
            if (dummy == 0 || pairs[i].sampler_id != dummy) {
                const char* sampler = spvc_compiler_get_name(compiler_, pairs[i].sampler_id);
                t.sampler = sampler ? sampler : "";
            }
            t.glslName = prefix + t.texture + "_" + (t.sampler.empty() ? std::string("nosampler") : t.sampler);
            t.unit = base + static_cast<uint32_t>(i);
            spvc_compiler_set_name(compiler_, pairs[i].combined_id, t.glslName.c_str());
            spvc_compiler_unset_decoration(compiler_, pairs[i].combined_id, SpvDecorationDescriptorSet);
            spvc_compiler_set_decoration(compiler_, pairs[i].combined_id, SpvDecorationBinding, t.unit);
            out_.textures.push_back(t);
        }
        return true;
    }

    // Vertex inputs keep their locations and report their semantics. The
    // values passed from the vertex to the pixel shader are named after
    // their semantics and lose their locations: the two stages then link by
    // semantic, as in Direct3D, whatever order each declares them in.
    bool ReflectInterface() {
        bool vertex = shader_.stage == ShaderStage::Vertex;
        size_t inputCount, outputCount;
        const spvc_reflected_resource* inputs = List(SPVC_RESOURCE_TYPE_STAGE_INPUT, inputCount);
        const spvc_reflected_resource* outputs = List(SPVC_RESOURCE_TYPE_STAGE_OUTPUT, outputCount);
        if (vertex) {
            for (size_t i = 0; i < inputCount; ++i) {
                if (IsBuiltIn(inputs[i].id)) continue;
                VertexInput v;
                SplitSemantic(Semantic(inputs[i].id), v.semantic, v.semanticIndex);
                v.location = spvc_compiler_get_decoration(compiler_, inputs[i].id, SpvDecorationLocation);
                v.components = spvc_type_get_vector_size(spvc_compiler_get_type_handle(compiler_, inputs[i].type_id));
                out_.inputs.push_back(v);
            }
        }
        const spvc_reflected_resource* varyings = vertex ? outputs : inputs;
        size_t varyingCount = vertex ? outputCount : inputCount;
        for (size_t i = 0; i < varyingCount; ++i) {
            if (IsBuiltIn(varyings[i].id)) continue;
            std::string fused = Semantic(varyings[i].id);
            if (fused.empty()) return Fail("a value passed between the shaders has no semantic");
            std::string name;
            uint32_t index;
            SplitSemantic(fused, name, index);
            std::string glslName = "vary_" + name + std::to_string(index);
            spvc_compiler_set_name(compiler_, varyings[i].id, glslName.c_str());
            spvc_compiler_unset_decoration(compiler_, varyings[i].id, SpvDecorationLocation);
        }
        return true;
    }

    bool IsBuiltIn(spvc_variable_id id) { return spvc_compiler_has_decoration(compiler_, id, SpvDecorationBuiltIn); }

    std::string Semantic(spvc_variable_id id) {
        const char* s = spvc_compiler_get_decoration_string(compiler_, id, SpvDecorationUserSemantic);
        return s ? s : "";
    }

    const ShaderBinary& shader_;
    TranslatedShader& out_;
    std::string& messages_;
    spvc_context context_ = nullptr;
    spvc_compiler compiler_ = nullptr;
    spvc_resources resources_ = nullptr;
};

}  // namespace

bool TranslateShader(const ShaderBinary& shader, TranslatedShader& translated, std::string& messages) {
    TranslatedShader out;
    Translation translation(shader, out, messages);
    if (!translation.Run()) return false;
    translated = std::move(out);
    return true;
}

}  // namespace fx
