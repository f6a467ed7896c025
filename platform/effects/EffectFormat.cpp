// The compiled-effect format: a header (magic, version, payload size and a
// checksum of the payload) and the payload, every number a little-endian
// 32-bit word and every string its length followed by its bytes:
//   states:     count, then per state: kind, name, field words (count, words)
//   shaders:    count, then per shader: stage, entry point, profile, SPIR-V (count, words)
//   techniques: count, then per technique: name, pass count, then per pass:
//               name, vertex shader, pixel shader, flags (which states it sets),
//               blend state, blend factor (4 floats), sample mask,
//               depth-stencil state, stencil reference, rasterizer state
#include "EffectCompiler.h"

#include "EffectStates.h"

#include <cstring>

namespace fx {
namespace {

const uint32_t kMagic = 0x58465642;  // "BVFX"
const uint32_t kVersion = 1;
const size_t kHeaderSize = 16;
const uint32_t kSpirvMagic = 0x07230203;

enum PassFlags : uint32_t { SetsBlend = 1, SetsDepthStencil = 2, SetsRasterizer = 4 };

uint32_t Checksum(const uint8_t* data, size_t size) {
    uint32_t hash = 2166136261u;  // FNV-1a
    for (size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
    return hash;
}

class Writer {
public:
    void Word(uint32_t w) {
        for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(w >> (8 * i)));
    }
    void Int(int i) { Word(static_cast<uint32_t>(i)); }
    void Float(float f) {
        uint32_t bits;
        memcpy(&bits, &f, 4);
        Word(bits);
    }
    void String(const std::string& s) {
        Word(static_cast<uint32_t>(s.size()));
        bytes_.insert(bytes_.end(), s.begin(), s.end());
    }
    void Words(const std::vector<uint32_t>& words) {
        Word(static_cast<uint32_t>(words.size()));
        for (uint32_t w : words) Word(w);
    }
    std::vector<uint8_t>& bytes() { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// Every read is checked against the end of the data; a failed read leaves
// the reader failed for good.
class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }
    bool AtEnd() const { return ok_ && position_ == size_; }
    size_t Left() const { return size_ - position_; }

    uint32_t Word() {
        if (!ok_ || Left() < 4) return Fail();
        uint32_t w = 0;
        for (int i = 0; i < 4; ++i) w |= static_cast<uint32_t>(data_[position_ + i]) << (8 * i);
        position_ += 4;
        return w;
    }
    int Int() { return static_cast<int>(Word()); }
    float Float() {
        uint32_t bits = Word();
        float f;
        memcpy(&f, &bits, 4);
        return f;
    }
    std::string String() {
        uint32_t length = Word();
        if (!ok_ || Left() < length) return Fail(), std::string();
        std::string s(reinterpret_cast<const char*>(data_ + position_), length);
        position_ += length;
        return s;
    }
    std::vector<uint32_t> Words() {
        uint32_t count = Word();
        if (!ok_ || Left() / 4 < count) return Fail(), std::vector<uint32_t>();
        std::vector<uint32_t> words(count);
        for (uint32_t& w : words) w = Word();
        return words;
    }
    // A count of records each at least minimumSize bytes long.
    uint32_t Count(size_t minimumSize) {
        uint32_t count = Word();
        if (!ok_ || Left() / minimumSize < count) return Fail();
        return count;
    }
    uint32_t Fail() {
        ok_ = false;
        return 0;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
    bool ok_ = true;
};

bool ValidShaderIndex(const EffectDesc& e, int index, ShaderStage stage) {
    return index >= 0 && static_cast<size_t>(index) < e.shaders.size() && e.shaders[index].stage == stage;
}

bool ValidStateReference(const EffectDesc& e, bool sets, int index, StateKind kind) {
    if (index == -1) return true;
    return sets && index >= 0 && static_cast<size_t>(index) < e.states.size() && e.states[index].kind == kind;
}

}  // namespace

std::vector<uint8_t> SerializeEffect(const EffectDesc& effect) {
    Writer w;
    w.Word(static_cast<uint32_t>(effect.states.size()));
    for (const StateObject& s : effect.states) {
        w.Word(static_cast<uint32_t>(s.kind));
        w.String(s.name);
        w.Words(StateWords(s));
    }
    w.Word(static_cast<uint32_t>(effect.shaders.size()));
    for (const ShaderBinary& s : effect.shaders) {
        w.Word(static_cast<uint32_t>(s.stage));
        w.String(s.entryPoint);
        w.String(s.profile);
        w.Words(s.spirv);
    }
    w.Word(static_cast<uint32_t>(effect.techniques.size()));
    for (const TechniqueDesc& t : effect.techniques) {
        w.String(t.name);
        w.Word(static_cast<uint32_t>(t.passes.size()));
        for (const PassDesc& p : t.passes) {
            w.String(p.name);
            w.Int(p.vertexShader);
            w.Int(p.pixelShader);
            uint32_t flags = 0;
            if (p.setsBlendState) flags |= SetsBlend;
            if (p.setsDepthStencilState) flags |= SetsDepthStencil;
            if (p.setsRasterizerState) flags |= SetsRasterizer;
            w.Word(flags);
            w.Int(p.blendState);
            for (float f : p.blendFactor) w.Float(f);
            w.Word(p.sampleMask);
            w.Int(p.depthStencilState);
            w.Word(p.stencilRef);
            w.Int(p.rasterizerState);
        }
    }

    const std::vector<uint8_t>& payload = w.bytes();
    Writer header;
    header.Word(kMagic);
    header.Word(kVersion);
    header.Word(static_cast<uint32_t>(payload.size()));
    header.Word(Checksum(payload.data(), payload.size()));
    std::vector<uint8_t> out = std::move(header.bytes());
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

bool DeserializeEffect(const void* data, size_t size, EffectDesc& effect) {
    if (!data || size < kHeaderSize) return false;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    Reader header(bytes, kHeaderSize);
    if (header.Word() != kMagic || header.Word() != kVersion) return false;
    uint32_t payloadSize = header.Word();
    uint32_t checksum = header.Word();
    if (payloadSize != size - kHeaderSize || Checksum(bytes + kHeaderSize, payloadSize) != checksum) return false;

    Reader r(bytes + kHeaderSize, payloadSize);
    EffectDesc e;
    for (uint32_t n = r.Count(12), i = 0; i < n && r.ok(); ++i) {
        uint32_t kind = r.Word();
        std::string name = r.String();
        std::vector<uint32_t> words = r.Words();
        StateObject s;
        if (!r.ok() || kind > static_cast<uint32_t>(StateKind::Rasterizer) ||
            !StateFromWords(static_cast<StateKind>(kind), name, words.data(), words.size(), s))
            return false;
        e.states.push_back(std::move(s));
    }
    for (uint32_t n = r.Count(16), i = 0; i < n && r.ok(); ++i) {
        uint32_t stage = r.Word();
        ShaderBinary s;
        s.entryPoint = r.String();
        s.profile = r.String();
        s.spirv = r.Words();
        if (!r.ok() || stage > static_cast<uint32_t>(ShaderStage::Pixel) || s.spirv.size() < 5 ||
            s.spirv[0] != kSpirvMagic)
            return false;
        s.stage = static_cast<ShaderStage>(stage);
        e.shaders.push_back(std::move(s));
    }
    for (uint32_t n = r.Count(8), i = 0; i < n && r.ok(); ++i) {
        TechniqueDesc t;
        t.name = r.String();
        for (uint32_t passes = r.Count(52), j = 0; j < passes && r.ok(); ++j) {
            PassDesc p;
            p.name = r.String();
            p.vertexShader = r.Int();
            p.pixelShader = r.Int();
            uint32_t flags = r.Word();
            p.setsBlendState = flags & SetsBlend;
            p.setsDepthStencilState = flags & SetsDepthStencil;
            p.setsRasterizerState = flags & SetsRasterizer;
            p.blendState = r.Int();
            for (float& f : p.blendFactor) f = r.Float();
            p.sampleMask = r.Word();
            p.depthStencilState = r.Int();
            p.stencilRef = r.Word();
            p.rasterizerState = r.Int();
            if (!r.ok() || flags > 7 || !ValidShaderIndex(e, p.vertexShader, ShaderStage::Vertex) ||
                (p.pixelShader != -1 && !ValidShaderIndex(e, p.pixelShader, ShaderStage::Pixel)) ||
                !ValidStateReference(e, p.setsBlendState, p.blendState, StateKind::Blend) ||
                !ValidStateReference(e, p.setsDepthStencilState, p.depthStencilState, StateKind::DepthStencil) ||
                !ValidStateReference(e, p.setsRasterizerState, p.rasterizerState, StateKind::Rasterizer))
                return false;
            t.passes.push_back(std::move(p));
        }
        e.techniques.push_back(std::move(t));
    }
    if (!r.AtEnd()) return false;
    effect = std::move(e);
    return true;
}

}  // namespace fx
