// ID3D10EffectTechnique: the passes of one technique, by index and by name.
#pragma once

#include <d3d10.h>

#include <memory>
#include <string>
#include <vector>

#include "EffectPass.h"

namespace d3d10 {

class Effect;

class EffectTechnique final : public ID3D10EffectTechnique {
public:
    EffectTechnique(Effect& effect, std::string name, bool valid)
        : effect_(effect), name_(std::move(name)), valid_(valid) {}
    ~EffectTechnique() override = default;

    void AddPass(std::unique_ptr<EffectPass> pass) { passes_.push_back(std::move(pass)); }
    const std::string& Name() const { return name_; }

    BOOL IsValid() override;
    HRESULT GetDesc(D3D10_TECHNIQUE_DESC* desc) override;
    ID3D10EffectPass* GetPassByIndex(UINT index) override;
    ID3D10EffectPass* GetPassByName(LPCSTR name) override;

private:
    Effect& effect_;
    std::string name_;
    bool valid_;
    std::vector<std::unique_ptr<EffectPass>> passes_;
};

}  // namespace d3d10
