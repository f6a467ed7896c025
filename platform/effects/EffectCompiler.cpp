#include "EffectCompiler.h"

#include "EffectParser.h"

#include <shaderc/shaderc.h>

#include <cstring>
#include <set>
#include <sstream>

namespace fx {
namespace {

// One compiler for the process: starting glslang is the expensive part of a
// compile, and a shaderc compiler may be used from several threads.
class HlslCompiler {
public:
    HlslCompiler() : compiler_(shaderc_compiler_initialize()), options_(shaderc_compile_options_initialize()) {
        shaderc_compile_options_set_source_language(options_, shaderc_source_language_hlsl);
        // Keeps the semantics on the interface variables for reflection.
        shaderc_compile_options_set_hlsl_functionality1(options_, true);
        shaderc_compile_options_set_auto_map_locations(options_, true);
        shaderc_compile_options_set_auto_bind_uniforms(options_, true);
        shaderc_compile_options_set_hlsl_offsets(options_, true);
        shaderc_compile_options_set_target_env(options_, shaderc_target_env_vulkan, shaderc_env_version_vulkan_1_0);
        shaderc_compile_options_set_optimization_level(options_, shaderc_optimization_level_zero);
    }
    ~HlslCompiler() {
        shaderc_compile_options_release(options_);
        shaderc_compiler_release(compiler_);
    }

    bool Compile(const std::string& source, const std::string& sourceName, const ShaderEntry& entry,
                 std::vector<uint32_t>& spirv, std::string& messages) const {
        if (!compiler_ || !options_) {
            messages = sourceName + ": error: the shader compiler could not be started\n";
            return false;
        }
        shaderc_shader_kind kind =
            entry.stage == ShaderStage::Vertex ? shaderc_vertex_shader : shaderc_fragment_shader;
        shaderc_compilation_result_t result =
            shaderc_compile_into_spv(compiler_, source.data(), source.size(), kind, sourceName.c_str(),
                                     entry.entryPoint.c_str(), options_);
        if (!result) {
            messages = sourceName + ": error: the shader compiler failed\n";
            return false;
        }
        bool ok = shaderc_result_get_compilation_status(result) == shaderc_compilation_status_success;
        const char* text = shaderc_result_get_error_message(result);
        messages = text ? text : "";
        size_t bytes = shaderc_result_get_length(result);
        if (ok && (bytes == 0 || bytes % 4 != 0)) {
            ok = false;
            messages += sourceName + ": error: the shader compiler gave no code for '" + entry.entryPoint + "'\n";
        }
        if (ok) {
            spirv.resize(bytes / 4);
            memcpy(spirv.data(), shaderc_result_get_bytes(result), bytes);
        }
        shaderc_result_release(result);
        return ok;
    }

private:
    shaderc_compiler_t compiler_;
    shaderc_compile_options_t options_;
};

// glslang writes "name:12: error: ..."; the effect compiler's form is
// "name(12): error: ...". A message the shaders share is kept once.
void AppendMessages(const std::string& text, const std::string& sourceName, std::set<std::string>& seen,
                    std::string& messages) {
    std::istringstream lines(text);
    std::string line;
    const std::string prefix = sourceName + ":";
    while (std::getline(lines, line)) {
        if (line.empty()) continue;
        if (line.compare(0, prefix.size(), prefix) == 0) {
            size_t digits = prefix.size();
            size_t end = digits;
            while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
            if (end > digits && end < line.size() && line[end] == ':')
                line = sourceName + "(" + line.substr(digits, end - digits) + ")" + line.substr(end);
        }
        if (seen.insert(line).second) messages += line + "\n";
    }
}

}  // namespace

HRESULT CompileEffect(const char* source, size_t length, const char* sourceName, EffectDesc& effect,
                      std::string& messages) {
    messages.clear();
    std::string name = sourceName && *sourceName ? sourceName : "effect";
    if (!source && length > 0) {
        messages = name + ": error: no source\n";
        return E_INVALIDARG;
    }

    ParsedEffect parsed;
    EffectParser parser(source, length, name);
    if (!parser.Parse(parsed, messages)) return E_FAIL;

    static const HlslCompiler compiler;
    EffectDesc result;
    std::set<std::string> seen;
    bool ok = true;
    for (const ShaderEntry& entry : parsed.shaders) {
        ShaderBinary binary{entry.stage, entry.entryPoint, entry.profile, {}};
        std::string text;
        if (!compiler.Compile(parsed.hlsl, name, entry, binary.spirv, text)) ok = false;
        AppendMessages(text, name, seen, messages);
        result.shaders.push_back(std::move(binary));
    }
    if (!ok) return E_FAIL;

    result.states = std::move(parsed.states);
    result.techniques = std::move(parsed.techniques);
    effect = std::move(result);
    return S_OK;
}

}  // namespace fx
