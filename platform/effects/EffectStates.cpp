#include "EffectStates.h"

#include "StateDefaults.h"

#include <cfloat>
#include <cmath>
#include <cstring>

namespace fx {
namespace {

struct NamedValue {
    const char* name;
    uint32_t value;
};

const NamedValue kFilters[] = {
    {"MIN_MAG_MIP_POINT", 0x00},
    {"MIN_MAG_POINT_MIP_LINEAR", 0x01},
    {"MIN_POINT_MAG_LINEAR_MIP_POINT", 0x04},
    {"MIN_POINT_MAG_MIP_LINEAR", 0x05},
    {"MIN_LINEAR_MAG_MIP_POINT", 0x10},
    {"MIN_LINEAR_MAG_POINT_MIP_LINEAR", 0x11},
    {"MIN_MAG_LINEAR_MIP_POINT", 0x14},
    {"MIN_MAG_MIP_LINEAR", 0x15},
    {"ANISOTROPIC", 0x55},
};

const NamedValue kAddressModes[] = {
    {"WRAP", D3D10_TEXTURE_ADDRESS_WRAP},     {"MIRROR", D3D10_TEXTURE_ADDRESS_MIRROR},
    {"CLAMP", D3D10_TEXTURE_ADDRESS_CLAMP},   {"BORDER", D3D10_TEXTURE_ADDRESS_BORDER},
    {"MIRROR_ONCE", D3D10_TEXTURE_ADDRESS_MIRROR_ONCE},
};

const NamedValue kComparisons[] = {
    {"NEVER", D3D10_COMPARISON_NEVER},
    {"LESS", D3D10_COMPARISON_LESS},
    {"EQUAL", D3D10_COMPARISON_EQUAL},
    {"LESS_EQUAL", D3D10_COMPARISON_LESS_EQUAL},
    {"GREATER", D3D10_COMPARISON_GREATER},
    {"NOT_EQUAL", D3D10_COMPARISON_NOT_EQUAL},
    {"GREATER_EQUAL", D3D10_COMPARISON_GREATER_EQUAL},
    {"ALWAYS", D3D10_COMPARISON_ALWAYS},
};

const NamedValue kBlends[] = {
    {"ZERO", D3D10_BLEND_ZERO},
    {"ONE", D3D10_BLEND_ONE},
    {"SRC_COLOR", D3D10_BLEND_SRC_COLOR},
    {"INV_SRC_COLOR", D3D10_BLEND_INV_SRC_COLOR},
    {"SRC_ALPHA", D3D10_BLEND_SRC_ALPHA},
    {"INV_SRC_ALPHA", D3D10_BLEND_INV_SRC_ALPHA},
    {"DEST_ALPHA", D3D10_BLEND_DEST_ALPHA},
    {"INV_DEST_ALPHA", D3D10_BLEND_INV_DEST_ALPHA},
    {"DEST_COLOR", D3D10_BLEND_DEST_COLOR},
    {"INV_DEST_COLOR", D3D10_BLEND_INV_DEST_COLOR},
    {"SRC_ALPHA_SAT", D3D10_BLEND_SRC_ALPHA_SAT},
    {"BLEND_FACTOR", D3D10_BLEND_BLEND_FACTOR},
    {"INV_BLEND_FACTOR", D3D10_BLEND_INV_BLEND_FACTOR},
    {"SRC1_COLOR", D3D10_BLEND_SRC1_COLOR},
    {"INV_SRC1_COLOR", D3D10_BLEND_INV_SRC1_COLOR},
    {"SRC1_ALPHA", D3D10_BLEND_SRC1_ALPHA},
    {"INV_SRC1_ALPHA", D3D10_BLEND_INV_SRC1_ALPHA},
};

const NamedValue kBlendOps[] = {
    {"ADD", D3D10_BLEND_OP_ADD}, {"SUBTRACT", D3D10_BLEND_OP_SUBTRACT},
    {"REV_SUBTRACT", D3D10_BLEND_OP_REV_SUBTRACT}, {"MIN", D3D10_BLEND_OP_MIN},
    {"MAX", D3D10_BLEND_OP_MAX},
};

const NamedValue kDepthWriteMasks[] = {
    {"ZERO", D3D10_DEPTH_WRITE_MASK_ZERO},
    {"ALL", D3D10_DEPTH_WRITE_MASK_ALL},
};

const NamedValue kStencilOps[] = {
    {"KEEP", D3D10_STENCIL_OP_KEEP},         {"ZERO", D3D10_STENCIL_OP_ZERO},
    {"REPLACE", D3D10_STENCIL_OP_REPLACE},   {"INCR_SAT", D3D10_STENCIL_OP_INCR_SAT},
    {"DECR_SAT", D3D10_STENCIL_OP_DECR_SAT}, {"INVERT", D3D10_STENCIL_OP_INVERT},
    {"INCR", D3D10_STENCIL_OP_INCR},         {"DECR", D3D10_STENCIL_OP_DECR},
};

const NamedValue kFillModes[] = {
    {"WIREFRAME", D3D10_FILL_WIREFRAME},
    {"SOLID", D3D10_FILL_SOLID},
};

const NamedValue kCullModes[] = {
    {"NONE", D3D10_CULL_NONE},
    {"FRONT", D3D10_CULL_FRONT},
    {"BACK", D3D10_CULL_BACK},
};

bool SameWord(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

template <size_t N>
bool Defines(const NamedValue (&values)[N], uint32_t value) {
    for (const NamedValue& v : values)
        if (v.value == value) return true;
    return false;
}

// Reading one right-hand side as the type a field wants.
class ValueReader {
public:
    ValueReader(const std::string& field, const StateValue& value, std::string& error)
        : field_(field), value_(value), error_(error) {}

    template <size_t N, typename E>
    bool Enum(const NamedValue (&values)[N], E& out) {
        if (value_.kind == StateValue::Kind::Name)
            for (const NamedValue& v : values)
                if (SameWord(value_.name, v.name)) {
                    out = static_cast<E>(v.value);
                    return true;
                }
        return Invalid();
    }

    bool Bool(BOOL& out) {
        if (value_.kind == StateValue::Kind::Name) {
            if (SameWord(value_.name, "TRUE")) return out = TRUE, true;
            if (SameWord(value_.name, "FALSE")) return out = FALSE, true;
        } else if (value_.kind == StateValue::Kind::Number && value_.integral) {
            if (value_.numbers[0] == 0) return out = FALSE, true;
            if (value_.numbers[0] == 1) return out = TRUE, true;
        }
        return Invalid();
    }

    template <typename T>
    bool Integer(double low, double high, T& out) {
        if (value_.kind != StateValue::Kind::Number || !value_.integral || value_.numbers[0] < low ||
            value_.numbers[0] > high)
            return Invalid();
        out = static_cast<T>(value_.numbers[0]);
        return true;
    }

    bool Float(FLOAT& out) {
        if (value_.kind != StateValue::Kind::Number || !std::isfinite(value_.numbers[0]) ||
            std::fabs(value_.numbers[0]) > FLT_MAX)
            return Invalid();
        out = static_cast<FLOAT>(value_.numbers[0]);
        return true;
    }

    bool Float4(FLOAT (&out)[4]) {
        if (value_.kind != StateValue::Kind::Vector || value_.numbers.size() != 4) return Invalid();
        for (double d : value_.numbers)
            if (!std::isfinite(d) || std::fabs(d) > FLT_MAX) return Invalid();
        for (int i = 0; i < 4; ++i) out[i] = static_cast<FLOAT>(value_.numbers[i]);
        return true;
    }

private:
    bool Invalid() {
        std::string written = value_.kind == StateValue::Kind::Name ? value_.name : std::string("this value");
        error_ = "'" + written + "' is not a valid value for '" + field_ + "'";
        return false;
    }

    const std::string& field_;
    const StateValue& value_;
    std::string& error_;
};

bool AssignSampler(D3D10_SAMPLER_DESC& d, const std::string& f, ValueReader& r, bool& known) {
    known = true;
    if (SameWord(f, "Filter")) return r.Enum(kFilters, d.Filter);
    if (SameWord(f, "AddressU")) return r.Enum(kAddressModes, d.AddressU);
    if (SameWord(f, "AddressV")) return r.Enum(kAddressModes, d.AddressV);
    if (SameWord(f, "AddressW")) return r.Enum(kAddressModes, d.AddressW);
    if (SameWord(f, "MipLODBias")) return r.Float(d.MipLODBias);
    if (SameWord(f, "MaxAnisotropy")) return r.Integer(0, 16, d.MaxAnisotropy);
    if (SameWord(f, "ComparisonFunc")) return r.Enum(kComparisons, d.ComparisonFunc);
    if (SameWord(f, "BorderColor")) return r.Float4(d.BorderColor);
    if (SameWord(f, "MinLOD")) return r.Float(d.MinLOD);
    if (SameWord(f, "MaxLOD")) return r.Float(d.MaxLOD);
    known = false;
    return false;
}

bool AssignBlend(D3D10_BLEND_DESC& d, const std::string& f, int target, ValueReader& r, bool& known) {
    known = true;
    if (SameWord(f, "AlphaToCoverageEnable")) return r.Bool(d.AlphaToCoverageEnable);
    if (SameWord(f, "BlendEnable")) return r.Bool(d.BlendEnable[target]);
    if (SameWord(f, "SrcBlend")) return r.Enum(kBlends, d.SrcBlend);
    if (SameWord(f, "DestBlend")) return r.Enum(kBlends, d.DestBlend);
    if (SameWord(f, "BlendOp")) return r.Enum(kBlendOps, d.BlendOp);
    if (SameWord(f, "SrcBlendAlpha")) return r.Enum(kBlends, d.SrcBlendAlpha);
    if (SameWord(f, "DestBlendAlpha")) return r.Enum(kBlends, d.DestBlendAlpha);
    if (SameWord(f, "BlendOpAlpha")) return r.Enum(kBlendOps, d.BlendOpAlpha);
    if (SameWord(f, "RenderTargetWriteMask")) return r.Integer(0, 15, d.RenderTargetWriteMask[target]);
    known = false;
    return false;
}

bool AssignDepthStencil(D3D10_DEPTH_STENCIL_DESC& d, const std::string& f, ValueReader& r, bool& known) {
    known = true;
    if (SameWord(f, "DepthEnable")) return r.Bool(d.DepthEnable);
    if (SameWord(f, "DepthWriteMask")) return r.Enum(kDepthWriteMasks, d.DepthWriteMask);
    if (SameWord(f, "DepthFunc")) return r.Enum(kComparisons, d.DepthFunc);
    if (SameWord(f, "StencilEnable")) return r.Bool(d.StencilEnable);
    if (SameWord(f, "StencilReadMask")) return r.Integer(0, 255, d.StencilReadMask);
    if (SameWord(f, "StencilWriteMask")) return r.Integer(0, 255, d.StencilWriteMask);
    if (SameWord(f, "FrontFaceStencilFail")) return r.Enum(kStencilOps, d.FrontFace.StencilFailOp);
    if (SameWord(f, "FrontFaceStencilDepthFail")) return r.Enum(kStencilOps, d.FrontFace.StencilDepthFailOp);
    if (SameWord(f, "FrontFaceStencilPass")) return r.Enum(kStencilOps, d.FrontFace.StencilPassOp);
    if (SameWord(f, "FrontFaceStencilFunc")) return r.Enum(kComparisons, d.FrontFace.StencilFunc);
    if (SameWord(f, "BackFaceStencilFail")) return r.Enum(kStencilOps, d.BackFace.StencilFailOp);
    if (SameWord(f, "BackFaceStencilDepthFail")) return r.Enum(kStencilOps, d.BackFace.StencilDepthFailOp);
    if (SameWord(f, "BackFaceStencilPass")) return r.Enum(kStencilOps, d.BackFace.StencilPassOp);
    if (SameWord(f, "BackFaceStencilFunc")) return r.Enum(kComparisons, d.BackFace.StencilFunc);
    known = false;
    return false;
}

bool AssignRasterizer(D3D10_RASTERIZER_DESC& d, const std::string& f, ValueReader& r, bool& known) {
    known = true;
    if (SameWord(f, "FillMode")) return r.Enum(kFillModes, d.FillMode);
    if (SameWord(f, "CullMode")) return r.Enum(kCullModes, d.CullMode);
    if (SameWord(f, "FrontCounterClockwise")) return r.Bool(d.FrontCounterClockwise);
    if (SameWord(f, "DepthBias")) return r.Integer(INT32_MIN, INT32_MAX, d.DepthBias);
    if (SameWord(f, "DepthBiasClamp")) return r.Float(d.DepthBiasClamp);
    if (SameWord(f, "SlopeScaledDepthBias")) return r.Float(d.SlopeScaledDepthBias);
    if (SameWord(f, "DepthClipEnable")) return r.Bool(d.DepthClipEnable);
    if (SameWord(f, "ScissorEnable")) return r.Bool(d.ScissorEnable);
    if (SameWord(f, "MultisampleEnable")) return r.Bool(d.MultisampleEnable);
    if (SameWord(f, "AntialiasedLineEnable")) return r.Bool(d.AntialiasedLineEnable);
    known = false;
    return false;
}

}  // namespace

bool StateKindFromKeyword(const std::string& word, StateKind& kind) {
    if (word == "SamplerState" || word == "SamplerComparisonState") kind = StateKind::Sampler;
    else if (word == "BlendState") kind = StateKind::Blend;
    else if (word == "DepthStencilState") kind = StateKind::DepthStencil;
    else if (word == "RasterizerState") kind = StateKind::Rasterizer;
    else return false;
    return true;
}

const char* StateKindKeyword(StateKind kind) {
    switch (kind) {
    case StateKind::Sampler: return "SamplerState";
    case StateKind::Blend: return "BlendState";
    case StateKind::DepthStencil: return "DepthStencilState";
    case StateKind::Rasterizer: return "RasterizerState";
    }
    return "state";
}

StateObject DefaultStateObject(StateKind kind, const std::string& name) {
    StateObject s{};
    s.kind = kind;
    s.name = name;
    s.sampler = d3d10::DefaultSamplerDesc();
    s.blend = d3d10::DefaultBlendDesc();
    s.depthStencil = d3d10::DefaultDepthStencilDesc();
    s.rasterizer = d3d10::DefaultRasterizerDesc();
    return s;
}

bool AssignState(StateObject& state, const std::string& field, int index, const StateValue& value,
                 std::string& error) {
    // Only the blend state's per-target fields are arrays; a bare name means
    // the first target.
    bool perTarget = state.kind == StateKind::Blend &&
                     (SameWord(field, "BlendEnable") || SameWord(field, "RenderTargetWriteMask"));
    if (index >= 0 && !perTarget) {
        error = "'" + field + "' takes no index";
        return false;
    }
    if (perTarget && index >= 8) {
        error = "index " + std::to_string(index) + " of '" + field + "' is out of range (0 to 7)";
        return false;
    }

    StateObject changed = state;
    ValueReader reader(field, value, error);
    bool known = false, ok = false;
    switch (state.kind) {
    case StateKind::Sampler: ok = AssignSampler(changed.sampler, field, reader, known); break;
    case StateKind::Blend: ok = AssignBlend(changed.blend, field, index < 0 ? 0 : index, reader, known); break;
    case StateKind::DepthStencil: ok = AssignDepthStencil(changed.depthStencil, field, reader, known); break;
    case StateKind::Rasterizer: ok = AssignRasterizer(changed.rasterizer, field, reader, known); break;
    }
    if (!known) {
        error = "'" + field + "' is not a " + StateKindKeyword(state.kind) + " field";
        return false;
    }
    if (ok) state = changed;
    return ok;
}

namespace {

// One walk over every field of a description, in a fixed order, shared by
// writing a state object as words and reading it back.
template <typename V>
void VisitSampler(D3D10_SAMPLER_DESC& d, V& v) {
    v.Enum(kFilters, d.Filter);
    v.Enum(kAddressModes, d.AddressU);
    v.Enum(kAddressModes, d.AddressV);
    v.Enum(kAddressModes, d.AddressW);
    v.Float(d.MipLODBias);
    v.Unsigned(16, d.MaxAnisotropy);
    v.Enum(kComparisons, d.ComparisonFunc);
    for (FLOAT& c : d.BorderColor) v.Float(c);
    v.Float(d.MinLOD);
    v.Float(d.MaxLOD);
}

template <typename V>
void VisitBlend(D3D10_BLEND_DESC& d, V& v) {
    v.Bool(d.AlphaToCoverageEnable);
    for (BOOL& b : d.BlendEnable) v.Bool(b);
    v.Enum(kBlends, d.SrcBlend);
    v.Enum(kBlends, d.DestBlend);
    v.Enum(kBlendOps, d.BlendOp);
    v.Enum(kBlends, d.SrcBlendAlpha);
    v.Enum(kBlends, d.DestBlendAlpha);
    v.Enum(kBlendOps, d.BlendOpAlpha);
    for (uint8_t& m : d.RenderTargetWriteMask) v.Unsigned(15, m);
}

template <typename V>
void VisitDepthStencil(D3D10_DEPTH_STENCIL_DESC& d, V& v) {
    v.Bool(d.DepthEnable);
    v.Enum(kDepthWriteMasks, d.DepthWriteMask);
    v.Enum(kComparisons, d.DepthFunc);
    v.Bool(d.StencilEnable);
    v.Unsigned(255, d.StencilReadMask);
    v.Unsigned(255, d.StencilWriteMask);
    for (D3D10_DEPTH_STENCILOP_DESC* face : {&d.FrontFace, &d.BackFace}) {
        v.Enum(kStencilOps, face->StencilFailOp);
        v.Enum(kStencilOps, face->StencilDepthFailOp);
        v.Enum(kStencilOps, face->StencilPassOp);
        v.Enum(kComparisons, face->StencilFunc);
    }
}

template <typename V>
void VisitRasterizer(D3D10_RASTERIZER_DESC& d, V& v) {
    v.Enum(kFillModes, d.FillMode);
    v.Enum(kCullModes, d.CullMode);
    v.Bool(d.FrontCounterClockwise);
    v.Signed(d.DepthBias);
    v.Float(d.DepthBiasClamp);
    v.Float(d.SlopeScaledDepthBias);
    v.Bool(d.DepthClipEnable);
    v.Bool(d.ScissorEnable);
    v.Bool(d.MultisampleEnable);
    v.Bool(d.AntialiasedLineEnable);
}

template <typename V>
void Visit(StateObject& s, V& v) {
    switch (s.kind) {
    case StateKind::Sampler: VisitSampler(s.sampler, v); break;
    case StateKind::Blend: VisitBlend(s.blend, v); break;
    case StateKind::DepthStencil: VisitDepthStencil(s.depthStencil, v); break;
    case StateKind::Rasterizer: VisitRasterizer(s.rasterizer, v); break;
    }
}

class WordWriter {
public:
    explicit WordWriter(std::vector<uint32_t>& words) : words_(words) {}
    template <size_t N, typename E>
    void Enum(const NamedValue (&)[N], E& e) { words_.push_back(static_cast<uint32_t>(e)); }
    void Bool(BOOL& b) { words_.push_back(static_cast<uint32_t>(b)); }
    template <typename T>
    void Unsigned(uint32_t, T& u) { words_.push_back(u); }
    void Signed(INT& i) { words_.push_back(static_cast<uint32_t>(i)); }
    void Float(FLOAT& f) {
        uint32_t bits;
        memcpy(&bits, &f, 4);
        words_.push_back(bits);
    }

private:
    std::vector<uint32_t>& words_;
};

// Checks each word before it becomes a field, so that no enumeration ever
// holds a value Direct3D does not define.
class WordReader {
public:
    WordReader(const uint32_t* words, size_t count) : words_(words), count_(count) {}
    bool ok() const { return ok_ && next_ == count_; }

    template <size_t N, typename E>
    void Enum(const NamedValue (&values)[N], E& e) {
        uint32_t w;
        if (Take(w) && Defines(values, w)) e = static_cast<E>(w);
        else ok_ = false;
    }
    void Bool(BOOL& b) {
        uint32_t w;
        if (Take(w) && w <= 1) b = static_cast<BOOL>(w);
        else ok_ = false;
    }
    template <typename T>
    void Unsigned(uint32_t max, T& u) {
        uint32_t w;
        if (Take(w) && w <= max) u = static_cast<T>(w);
        else ok_ = false;
    }
    void Signed(INT& i) {
        uint32_t w;
        if (Take(w)) i = static_cast<INT>(w);
    }
    void Float(FLOAT& f) {
        uint32_t w;
        if (Take(w)) memcpy(&f, &w, 4);
    }

private:
    bool Take(uint32_t& w) {
        if (next_ >= count_) return ok_ = false;
        w = words_[next_++];
        return true;
    }
    const uint32_t* words_;
    size_t count_;
    size_t next_ = 0;
    bool ok_ = true;
};

}  // namespace

std::vector<uint32_t> StateWords(const StateObject& state) {
    std::vector<uint32_t> words;
    StateObject copy = state;
    WordWriter writer(words);
    Visit(copy, writer);
    return words;
}

bool StateFromWords(StateKind kind, const std::string& name, const uint32_t* words, size_t count,
                    StateObject& state) {
    StateObject s = DefaultStateObject(kind, name);
    WordReader reader(words, count);
    Visit(s, reader);
    if (!reader.ok()) return false;
    state = s;
    return true;
}

}  // namespace fx
