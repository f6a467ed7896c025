// Feeds arbitrary bytes to the effect-level parser and to the reader of
// compiled effects, and checks what each claims about its result.
#include "EffectCompiler.h"
#include "EffectParser.h"

#include <algorithm>
#include <cstdlib>

namespace {

// What the reader accepts, the writer must give back byte for byte.
void ReadCompiled(const uint8_t* data, size_t size) {
    fx::EffectDesc compiled;
    if (fx::DeserializeEffect(data, size, compiled)) {
        std::vector<uint8_t> again = fx::SerializeEffect(compiled);
        if (again.size() != size || !std::equal(again.begin(), again.end(), data)) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    fx::ParsedEffect effect;
    std::string messages;
    fx::EffectParser parser(text, size, "fuzz.fx");
    if (parser.Parse(effect, messages)) {
        // Blanking keeps every line where it was.
        size_t lineEnds = 0;
        for (size_t i = 0; i < size; ++i)
            if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == size || text[i + 1] != '\n'))) ++lineEnds;
        if (static_cast<size_t>(std::count(effect.hlsl.begin(), effect.hlsl.end(), '\n')) != lineEnds) std::abort();
        for (const fx::TechniqueDesc& t : effect.techniques)
            for (const fx::PassDesc& p : t.passes)
                if (p.vertexShader < 0 || static_cast<size_t>(p.vertexShader) >= effect.shaders.size() ||
                    effect.shaders[p.vertexShader].stage != fx::ShaderStage::Vertex)
                    std::abort();
    } else if (messages.compare(0, 8, "fuzz.fx(") != 0) {
        std::abort();
    }

    ReadCompiled(data, size);
    // Past the checksum too: the same bytes with a header that fits them.
    if (size >= 16) {
        std::vector<uint8_t> sealed(data, data + size);
        uint32_t payload = static_cast<uint32_t>(size - 16);
        uint32_t hash = 2166136261u;
        for (size_t i = 16; i < size; ++i) hash = (hash ^ sealed[i]) * 16777619u;
        for (int i = 0; i < 4; ++i) {
            sealed[8 + i] = static_cast<uint8_t>(payload >> (8 * i));
            sealed[12 + i] = static_cast<uint8_t>(hash >> (8 * i));
        }
        ReadCompiled(sealed.data(), sealed.size());
    }
    return 0;
}
