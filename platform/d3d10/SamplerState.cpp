#include "SamplerState.h"

#include "DebugLayer.h"

namespace d3d10 {

namespace {

constexpr UINT kMipLinear = 0x1;
constexpr UINT kMagLinear = 0x4;
constexpr UINT kMinLinear = 0x10;
constexpr UINT kAnisotropic = 0x40;
constexpr UINT kComparison = 0x80;

bool ValidFilter(UINT filter) {
    UINT base = filter & ~kComparison;
    return base == D3D10_FILTER_ANISOTROPIC || (base & ~(kMipLinear | kMagLinear | kMinLinear)) == 0;
}

GLint AddressMode(D3D10_TEXTURE_ADDRESS_MODE mode) {
    switch (mode) {
        case D3D10_TEXTURE_ADDRESS_WRAP: return GL_REPEAT;
        case D3D10_TEXTURE_ADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
        case D3D10_TEXTURE_ADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;
        case D3D10_TEXTURE_ADDRESS_BORDER: return GL_CLAMP_TO_BORDER;
        case D3D10_TEXTURE_ADDRESS_MIRROR_ONCE: return GL_MIRROR_CLAMP_TO_EDGE;
    }
    return 0;
}

GLint CompareFunc(D3D10_COMPARISON_FUNC func) {
    static const GLint funcs[] = {GL_NEVER, GL_LESS, GL_EQUAL, GL_LEQUAL, GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
    return funcs[func - D3D10_COMPARISON_NEVER];
}

}  // namespace

HRESULT SamplerState::Create(Device* device, const D3D10_SAMPLER_DESC* desc, SamplerState** state) {
    if (!desc || !state) return E_INVALIDARG;
    *state = nullptr;
    const D3D10_TEXTURE_ADDRESS_MODE modes[] = {desc->AddressU, desc->AddressV, desc->AddressW};
    for (auto mode : modes) {
        if (AddressMode(mode) == 0) {
            DebugMessage("CreateSamplerState: address mode %d is not valid", static_cast<int>(mode));
            return E_INVALIDARG;
        }
    }
    if (!ValidFilter(desc->Filter) || desc->MaxAnisotropy > 16 || desc->MinLOD > desc->MaxLOD ||
        desc->ComparisonFunc < D3D10_COMPARISON_NEVER || desc->ComparisonFunc > D3D10_COMPARISON_ALWAYS) {
        DebugMessage("CreateSamplerState: filter 0x%x, anisotropy %u or level-of-detail range is not valid",
                     static_cast<unsigned>(desc->Filter), desc->MaxAnisotropy);
        return E_INVALIDARG;
    }
    if (!device->Activate()) return E_FAIL;
    SamplerState* created = new SamplerState(device, *desc);
    GLuint s = 0;
    glCreateSamplers(1, &s);
    created->name_ = s;
    UINT filter = desc->Filter;
    bool anisotropic = (filter & ~kComparison) == D3D10_FILTER_ANISOTROPIC;
    bool minLinear = anisotropic || (filter & kMinLinear);
    bool magLinear = anisotropic || (filter & kMagLinear);
    bool mipLinear = anisotropic || (filter & kMipLinear);
    glSamplerParameteri(s, GL_TEXTURE_MIN_FILTER,
                        minLinear ? (mipLinear ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR_MIPMAP_NEAREST)
                                  : (mipLinear ? GL_NEAREST_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_NEAREST));
    glSamplerParameteri(s, GL_TEXTURE_MAG_FILTER, magLinear ? GL_LINEAR : GL_NEAREST);
    glSamplerParameteri(s, GL_TEXTURE_WRAP_S, AddressMode(desc->AddressU));
    glSamplerParameteri(s, GL_TEXTURE_WRAP_T, AddressMode(desc->AddressV));
    glSamplerParameteri(s, GL_TEXTURE_WRAP_R, AddressMode(desc->AddressW));
    glSamplerParameterf(s, GL_TEXTURE_LOD_BIAS, desc->MipLODBias);
    glSamplerParameterf(s, GL_TEXTURE_MIN_LOD, desc->MinLOD);
    glSamplerParameterf(s, GL_TEXTURE_MAX_LOD, desc->MaxLOD);
    glSamplerParameterfv(s, GL_TEXTURE_BORDER_COLOR, desc->BorderColor);
    if (anisotropic && epoxy_has_gl_extension("GL_EXT_texture_filter_anisotropic"))
        glSamplerParameterf(s, GL_TEXTURE_MAX_ANISOTROPY_EXT, static_cast<float>(desc->MaxAnisotropy));
    if (filter & kComparison) {
        glSamplerParameteri(s, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
        glSamplerParameteri(s, GL_TEXTURE_COMPARE_FUNC, CompareFunc(desc->ComparisonFunc));
    }
    *state = created;
    return S_OK;
}

SamplerState::~SamplerState() {
    if (device_->Activate()) glDeleteSamplers(1, &name_);
}

HRESULT SamplerState::QueryInterface(REFIID riid, void** object) { return Answer(riid, object, {}); }

void SamplerState::GetDesc(D3D10_SAMPLER_DESC* desc) {
    if (desc) *desc = desc_;
}

}  // namespace d3d10
