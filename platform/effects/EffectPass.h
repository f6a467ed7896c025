// ID3D10EffectPass: the linked program of a pass, the variables it reads,
// the textures it samples and the states it names.
#pragma once

#include <d3d10.h>
#include <epoxy/gl.h>

#include <memory>
#include <string>
#include <vector>

#include "BlendState.h"
#include "ComObject.h"
#include "DepthStencilState.h"
#include "EffectCompiler.h"
#include "RasterizerState.h"
#include "SamplerState.h"
#include "ShaderProgram.h"

namespace d3d10 {

class Effect;
class EffectVariable;

class EffectPass final : public ID3D10EffectPass {
public:
    // Links the pass's shaders (either may be null) and wires its variables,
    // textures and states; null when the shaders do not link.
    static std::unique_ptr<EffectPass> Create(Effect& effect, const std::string& label, const fx::PassDesc& pass,
                                              const fx::TranslatedShader* vertexShader,
                                              const fx::TranslatedShader* pixelShader);
    static std::unique_ptr<EffectPass> Invalid(Effect& effect);
    ~EffectPass() override = default;

    const std::string& Name() const { return name_; }

    BOOL IsValid() override;
    HRESULT GetDesc(D3D10_PASS_DESC* desc) override;
    HRESULT Apply(UINT flags) override;

private:
    EffectPass(Effect& effect, std::string name, bool valid) : effect_(effect), name_(std::move(name)), valid_(valid) {}

    void WireGlobals(const fx::TranslatedShader& shader);
    void WireTextures(const fx::TranslatedShader& shader);
    void UploadChangedGlobals();

    struct Global {
        EffectVariable* variable;
        fx::UniformMember member;
        uint64_t uploadedVersion;
    };
    struct TextureSlot {
        EffectVariable* variable;
        Ref<SamplerState> sampler;  // null: the device's default sampler
        UINT unit;
        std::string pair;  // texture and sampler names, to share a unit
    };

    Effect& effect_;
    std::string name_;
    bool valid_;
    std::shared_ptr<ShaderProgram> program_;
    std::vector<uint8_t> signature_;
    std::vector<Global> globals_;
    std::vector<uint8_t> globalsShadow_;
    std::vector<TextureSlot> textures_;

    bool setsBlend_ = false;
    Ref<BlendState> blend_;
    FLOAT blendFactor_[4] = {};
    UINT sampleMask_ = 0xffffffffu;
    bool setsDepthStencil_ = false;
    Ref<DepthStencilState> depthStencil_;
    UINT stencilRef_ = 0;
    bool setsRasterizer_ = false;
    Ref<RasterizerState> rasterizer_;
};

}  // namespace d3d10
