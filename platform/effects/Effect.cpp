#include "Effect.h"

#include <cstdio>

#include "DebugLayer.h"

namespace d3d10 {

Effect::Effect(Device* device)
    : device_(device),
      invalidVariable_(EffectVariable::Invalid(*this)),
      invalidPass_(EffectPass::Invalid(*this)),
      invalidTechnique_(new EffectTechnique(*this, "", false)) {}

HRESULT Effect::Create(Device* device, const fx::EffectDesc& desc, Effect** effect) {
    *effect = nullptr;
    if (!device->Activate()) return E_FAIL;
    Ref<Effect> created = Ref<Effect>::Adopt(new Effect(device));
    HRESULT result = created->CreateStates(desc);
    if (FAILED(result)) return result;

    std::vector<std::unique_ptr<fx::TranslatedShader>> translated(desc.shaders.size());
    auto translate = [&](int index, fx::ShaderStage stage, bool& failed) -> const fx::TranslatedShader* {
        if (index < 0) return nullptr;
        if (static_cast<size_t>(index) >= desc.shaders.size() || desc.shaders[index].stage != stage) {
            failed = true;
            return nullptr;
        }
        if (!translated[index]) {
            auto shader = std::make_unique<fx::TranslatedShader>();
            std::string messages;
            if (!fx::TranslateShader(desc.shaders[index], *shader, messages)) {
                std::fprintf(stderr, "%s", messages.c_str());
                failed = true;
                return nullptr;
            }
            translated[index] = std::move(shader);
        }
        return translated[index].get();
    };

    for (const fx::TechniqueDesc& technique : desc.techniques) {
        auto made = std::make_unique<EffectTechnique>(*created, technique.name, true);
        for (const fx::PassDesc& pass : technique.passes) {
            std::string label = "technique " + technique.name + ", pass " + pass.name;
            bool failed = false;
            const fx::TranslatedShader* vertex = translate(pass.vertexShader, fx::ShaderStage::Vertex, failed);
            const fx::TranslatedShader* pixel = translate(pass.pixelShader, fx::ShaderStage::Pixel, failed);
            std::unique_ptr<EffectPass> madePass =
                failed ? nullptr : EffectPass::Create(*created, label, pass, vertex, pixel);
            if (!madePass) {
                DebugMessage("D3D10CreateEffectFromMemory: %s cannot be built", label.c_str());
                return E_FAIL;
            }
            made->AddPass(std::move(madePass));
        }
        created->techniques_.push_back(std::move(made));
    }
    created->AddRef();
    *effect = created.Get();
    return S_OK;
}

HRESULT Effect::CreateStates(const fx::EffectDesc& desc) {
    for (const fx::StateObject& state : desc.states) {
        States made;
        made.name = state.name;
        HRESULT result = E_INVALIDARG;
        switch (state.kind) {
            case fx::StateKind::Sampler: result = CreateRef(made.sampler, device_.Get(), &state.sampler); break;
            case fx::StateKind::Blend: result = CreateRef(made.blend, device_.Get(), &state.blend); break;
            case fx::StateKind::DepthStencil:
                result = CreateRef(made.depthStencil, device_.Get(), &state.depthStencil);
                break;
            case fx::StateKind::Rasterizer:
                result = CreateRef(made.rasterizer, device_.Get(), &state.rasterizer);
                break;
        }
        if (FAILED(result)) {
            DebugMessage("D3D10CreateEffectFromMemory: state object \"%s\" is not valid", state.name.c_str());
            return result;
        }
        states_.push_back(std::move(made));
    }
    return S_OK;
}

HRESULT Effect::QueryInterface(REFIID riid, void** object) {
    return Answer(riid, object, {{&IID_ID3D10Effect, static_cast<ID3D10Effect*>(this)}});
}

HRESULT Effect::GetDevice(ID3D10Device** device) {
    if (!device) return E_INVALIDARG;
    device_->AddRef();
    *device = device_.Get();
    return S_OK;
}

EffectVariable* Effect::FindVariable(const std::string& name) const {
    for (const auto& variable : variables_)
        if (variable->Name() == name) return variable.get();
    return nullptr;
}

ID3D10EffectVariable* Effect::GetVariableByName(LPCSTR name) {
    EffectVariable* variable = name ? FindVariable(name) : nullptr;
    if (variable) return variable->AsVariable();
    DebugMessage("ID3D10Effect::GetVariableByName: the effect has no variable \"%s\"", name ? name : "(null)");
    return invalidVariable_->AsVariable();
}

ID3D10EffectTechnique* Effect::GetTechniqueByName(LPCSTR name) {
    for (auto& technique : techniques_)
        if (name && technique->Name() == name) return technique.get();
    DebugMessage("ID3D10Effect::GetTechniqueByName: the effect has no technique \"%s\"", name ? name : "(null)");
    return invalidTechnique_.get();
}

ID3D10EffectTechnique* Effect::GetTechniqueByIndex(UINT index) {
    if (index < techniques_.size()) return techniques_[index].get();
    DebugMessage("ID3D10Effect::GetTechniqueByIndex: the effect has no technique %u", index);
    return invalidTechnique_.get();
}

EffectVariable* Effect::NumericVariable(const std::string& name, bool isMatrix, uint32_t bufferOffset) {
    if (EffectVariable* known = FindVariable(name))
        return known->GetKind() == EffectVariable::Kind::Numeric && known->IsMatrix() == isMatrix ? known : nullptr;
    variables_.emplace_back(EffectVariable::Numeric(*this, name, isMatrix, bufferOffset));
    return variables_.back().get();
}

EffectVariable* Effect::ResourceVariable(const std::string& name) {
    if (EffectVariable* known = FindVariable(name))
        return known->GetKind() == EffectVariable::Kind::Resource ? known : nullptr;
    variables_.emplace_back(EffectVariable::Resource(*this, name));
    return variables_.back().get();
}

BlendState* Effect::BlendStateAt(int index) const {
    return index >= 0 && static_cast<size_t>(index) < states_.size() ? states_[index].blend.Get() : nullptr;
}

DepthStencilState* Effect::DepthStencilStateAt(int index) const {
    return index >= 0 && static_cast<size_t>(index) < states_.size() ? states_[index].depthStencil.Get() : nullptr;
}

RasterizerState* Effect::RasterizerStateAt(int index) const {
    return index >= 0 && static_cast<size_t>(index) < states_.size() ? states_[index].rasterizer.Get() : nullptr;
}

SamplerState* Effect::SamplerNamed(const std::string& name) const {
    for (const States& state : states_)
        if (state.sampler && state.name == name) return state.sampler.Get();
    return nullptr;
}

}  // namespace d3d10

HRESULT D3D10CreateEffectFromMemory(void* data, SIZE_T dataLength, UINT fxFlags, ID3D10Device* device,
                                    ID3D10EffectPool* effectPool, ID3D10Effect** effect) {
    (void)fxFlags;
    if (effect) *effect = nullptr;
    if (!data || !device || !effect) return E_INVALIDARG;
    if (effectPool) {
        d3d10::DebugMessage("D3D10CreateEffectFromMemory: effect pools are not supported");
        return E_INVALIDARG;
    }
    fx::EffectDesc desc;
    if (!fx::DeserializeEffect(data, dataLength, desc)) {
        d3d10::DebugMessage("D3D10CreateEffectFromMemory: the data is not a compiled effect");
        return E_INVALIDARG;
    }
    d3d10::Effect* created = nullptr;
    HRESULT result = d3d10::Effect::Create(static_cast<d3d10::Device*>(device), desc, &created);
    *effect = created;
    return result;
}
