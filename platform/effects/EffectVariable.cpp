#include "EffectVariable.h"

#include <cstring>

#include "Effect.h"

namespace d3d10 {

EffectVariable* EffectVariable::Numeric(Effect& effect, const std::string& name, bool isMatrix,
                                        uint32_t bufferOffset) {
    EffectVariable* variable = new EffectVariable(effect, Kind::Numeric, name);
    variable->isMatrix_ = isMatrix;
    variable->bufferOffset_ = bufferOffset;
    return variable;
}

EffectVariable* EffectVariable::Resource(Effect& effect, const std::string& name) {
    return new EffectVariable(effect, Kind::Resource, name);
}

EffectVariable* EffectVariable::Invalid(Effect& effect) { return new EffectVariable(effect, Kind::Invalid, ""); }

BOOL EffectVariable::IsValid() { return kind_ != Kind::Invalid; }

HRESULT EffectVariable::GetDesc(D3D10_EFFECT_VARIABLE_DESC* desc) {
    if (kind_ == Kind::Invalid) return E_FAIL;
    if (!desc) return E_INVALIDARG;
    *desc = {};
    desc->Name = name_.c_str();
    desc->BufferOffset = kind_ == Kind::Numeric ? bufferOffset_ : 0;
    return S_OK;
}

ID3D10EffectScalarVariable* EffectVariable::AsScalar() {
    EffectVariable& chosen = kind_ == Kind::Numeric && !IsMatrix() ? *this : effect_.InvalidVariable();
    return static_cast<ID3D10EffectScalarVariable*>(&chosen);
}

ID3D10EffectMatrixVariable* EffectVariable::AsMatrix() {
    EffectVariable& chosen = kind_ == Kind::Numeric && IsMatrix() ? *this : effect_.InvalidVariable();
    return static_cast<ID3D10EffectMatrixVariable*>(&chosen);
}

ID3D10EffectShaderResourceVariable* EffectVariable::AsShaderResource() {
    EffectVariable& chosen = kind_ == Kind::Resource ? *this : effect_.InvalidVariable();
    return static_cast<ID3D10EffectShaderResourceVariable*>(&chosen);
}

HRESULT EffectVariable::SetFloat(float value) {
    if (kind_ != Kind::Numeric) return E_FAIL;
    values_[0] = value;
    ++version_;
    return S_OK;
}

HRESULT EffectVariable::GetFloat(float* value) {
    if (kind_ != Kind::Numeric) return E_FAIL;
    if (!value) return E_INVALIDARG;
    *value = values_[0];
    return S_OK;
}

HRESULT EffectVariable::SetMatrix(float* data) {
    if (kind_ != Kind::Numeric || !IsMatrix()) return E_FAIL;
    if (!data) return E_INVALIDARG;
    std::memcpy(values_, data, sizeof values_);
    ++version_;
    return S_OK;
}

HRESULT EffectVariable::GetMatrix(float* data) {
    if (kind_ != Kind::Numeric || !IsMatrix()) return E_FAIL;
    if (!data) return E_INVALIDARG;
    std::memcpy(data, values_, sizeof values_);
    return S_OK;
}

HRESULT EffectVariable::SetResource(ID3D10ShaderResourceView* resource) {
    if (kind_ != Kind::Resource) return E_FAIL;
    resource_ = static_cast<ShaderResourceView*>(resource);
    ++version_;
    return S_OK;
}

HRESULT EffectVariable::GetResource(ID3D10ShaderResourceView** resource) {
    if (kind_ != Kind::Resource) return E_FAIL;
    if (!resource) return E_INVALIDARG;
    *resource = resource_.Get();
    if (*resource) (*resource)->AddRef();
    return S_OK;
}

}  // namespace d3d10
