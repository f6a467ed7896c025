#include "EffectTechnique.h"

#include "DebugLayer.h"
#include "Effect.h"

namespace d3d10 {

BOOL EffectTechnique::IsValid() { return valid_; }

HRESULT EffectTechnique::GetDesc(D3D10_TECHNIQUE_DESC* desc) {
    if (!valid_) return E_FAIL;
    if (!desc) return E_INVALIDARG;
    *desc = {};
    desc->Name = name_.c_str();
    desc->Passes = static_cast<UINT>(passes_.size());
    return S_OK;
}

ID3D10EffectPass* EffectTechnique::GetPassByIndex(UINT index) {
    if (index < passes_.size()) return passes_[index].get();
    if (valid_)
        DebugMessage("ID3D10EffectTechnique::GetPassByIndex: technique \"%s\" has no pass %u", name_.c_str(), index);
    return &effect_.InvalidPass();
}

ID3D10EffectPass* EffectTechnique::GetPassByName(LPCSTR name) {
    for (auto& pass : passes_)
        if (name && pass->Name() == name) return pass.get();
    if (valid_)
        DebugMessage("ID3D10EffectTechnique::GetPassByName: technique \"%s\" has no pass \"%s\"", name_.c_str(),
                     name ? name : "(null)");
    return &effect_.InvalidPass();
}

}  // namespace d3d10
