// ID3D10Effect: made from a compiled effect. Each shader becomes GLSL, each
// pass one linked program; the effect owns its techniques, passes, variables
// and state objects, and a lookup by an unknown name gives an invalid object.
#pragma once

#include <d3d10.h>

#include <memory>
#include <string>
#include <vector>

#include "BlendState.h"
#include "ComObject.h"
#include "DepthStencilState.h"
#include "Device.h"
#include "EffectCompiler.h"
#include "EffectPass.h"
#include "EffectTechnique.h"
#include "EffectVariable.h"
#include "RasterizerState.h"
#include "SamplerState.h"

namespace d3d10 {

class Effect final : public RefCounted<ID3D10Effect> {
public:
    static HRESULT Create(Device* device, const fx::EffectDesc& desc, Effect** effect);

    HRESULT QueryInterface(REFIID riid, void** object) override;
    BOOL IsValid() override { return TRUE; }
    HRESULT GetDevice(ID3D10Device** device) override;
    ID3D10EffectVariable* GetVariableByName(LPCSTR name) override;
    ID3D10EffectTechnique* GetTechniqueByName(LPCSTR name) override;
    ID3D10EffectTechnique* GetTechniqueByIndex(UINT index) override;

    // Inside the layer.
    Device* OwnerDevice() const { return device_.Get(); }
    EffectVariable& InvalidVariable() { return *invalidVariable_; }
    EffectPass& InvalidPass() { return *invalidPass_; }

    // While passes are built: the variable of that name, made on first use;
    // null when the name is already taken by a variable of another kind.
    EffectVariable* NumericVariable(const std::string& name, bool isMatrix, uint32_t bufferOffset);
    EffectVariable* ResourceVariable(const std::string& name);
    // State objects by their index in the compiled effect (null for -1:
    // Direct3D's default), samplers by name.
    BlendState* BlendStateAt(int index) const;
    DepthStencilState* DepthStencilStateAt(int index) const;
    RasterizerState* RasterizerStateAt(int index) const;
    SamplerState* SamplerNamed(const std::string& name) const;

private:
    explicit Effect(Device* device);
    ~Effect() override = default;

    HRESULT CreateStates(const fx::EffectDesc& desc);
    EffectVariable* FindVariable(const std::string& name) const;

    struct States {
        std::string name;
        Ref<SamplerState> sampler;
        Ref<BlendState> blend;
        Ref<DepthStencilState> depthStencil;
        Ref<RasterizerState> rasterizer;
    };

    // Declared first so that it goes last: everything below needs the device.
    Ref<Device> device_;
    std::vector<States> states_;
    std::vector<std::unique_ptr<EffectVariable>> variables_;
    std::unique_ptr<EffectVariable> invalidVariable_;
    std::unique_ptr<EffectPass> invalidPass_;
    std::vector<std::unique_ptr<EffectTechnique>> techniques_;
    std::unique_ptr<EffectTechnique> invalidTechnique_;
};

}  // namespace d3d10
