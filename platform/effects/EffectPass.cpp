#include "EffectPass.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "DebugLayer.h"
#include "Device.h"
#include "Effect.h"
#include "EffectVariable.h"

namespace d3d10 {

std::unique_ptr<EffectPass> EffectPass::Invalid(Effect& effect) {
    return std::unique_ptr<EffectPass>(new EffectPass(effect, "", false));
}

std::unique_ptr<EffectPass> EffectPass::Create(Effect& effect, const std::string& label, const fx::PassDesc& pass,
                                               const fx::TranslatedShader* vertexShader,
                                               const fx::TranslatedShader* pixelShader) {
    std::unique_ptr<EffectPass> created(new EffectPass(effect, pass.name, true));
    InputSignature inputs;
    if (vertexShader) {
        std::unique_ptr<ShaderProgram> program = ShaderProgram::Link(effect.OwnerDevice(), label, vertexShader->glsl,
                                                                     pixelShader ? pixelShader->glsl : "");
        if (!program) return nullptr;
        created->program_ = std::move(program);
        for (const fx::VertexInput& input : vertexShader->inputs)
            inputs.inputs.push_back({input.semantic, input.semanticIndex, input.location, input.components});
        created->program_->SetInputs(inputs);

        uint32_t globalsSize = vertexShader->globalsSize;
        std::vector<GLuint> bindings;
        if (vertexShader->globalsSize) bindings.push_back(vertexShader->globalsBinding);
        if (pixelShader && pixelShader->globalsSize) {
            globalsSize = std::max(globalsSize, pixelShader->globalsSize);
            if (!vertexShader->globalsSize || pixelShader->globalsBinding != vertexShader->globalsBinding)
                bindings.push_back(pixelShader->globalsBinding);
        }
        if (globalsSize) {
            GLuint buffer = 0;
            glCreateBuffers(1, &buffer);
            created->globalsShadow_.assign(globalsSize, 0);
            glNamedBufferStorage(buffer, globalsSize, created->globalsShadow_.data(), GL_DYNAMIC_STORAGE_BIT);
            created->program_->SetUniformBuffer(buffer, bindings);
        }
        created->WireGlobals(*vertexShader);
        created->WireTextures(*vertexShader);
        if (pixelShader) {
            created->WireGlobals(*pixelShader);
            created->WireTextures(*pixelShader);
        }
    } else if (pixelShader) {
        DebugMessage("%s: a pass with a pixel shader needs a vertex shader", label.c_str());
        return nullptr;
    }
    created->signature_ = EncodeInputSignature(inputs);

    created->setsBlend_ = pass.setsBlendState;
    created->blend_ = effect.BlendStateAt(pass.blendState);
    std::copy(pass.blendFactor, pass.blendFactor + 4, created->blendFactor_);
    created->sampleMask_ = pass.sampleMask;
    created->setsDepthStencil_ = pass.setsDepthStencilState;
    created->depthStencil_ = effect.DepthStencilStateAt(pass.depthStencilState);
    created->stencilRef_ = pass.stencilRef;
    created->setsRasterizer_ = pass.setsRasterizerState;
    created->rasterizer_ = effect.RasterizerStateAt(pass.rasterizerState);
    return created;
}

void EffectPass::WireGlobals(const fx::TranslatedShader& shader) {
    for (const fx::UniformMember& member : shader.globals) {
        if (member.offset + member.size > globalsShadow_.size()) continue;
        bool known = std::any_of(globals_.begin(), globals_.end(),
                                 [&](const Global& g) { return g.member.name == member.name; });
        if (known) continue;
        EffectVariable* variable = effect_.NumericVariable(member.name, member.isMatrix, member.offset);
        if (variable) globals_.push_back({variable, member, 0});
    }
}

void EffectPass::WireTextures(const fx::TranslatedShader& shader) {
    for (const fx::TextureBinding& binding : shader.textures) {
        // The compiler's units are per stage; one program needs them apart,
        // so the units are handed out here, one per texture and sampler pair.
        std::string pair = binding.texture + "|" + binding.sampler;
        UINT unit = static_cast<UINT>(textures_.size());
        auto same = std::find_if(textures_.begin(), textures_.end(), [&](const TextureSlot& t) { return t.pair == pair; });
        if (same != textures_.end()) {
            unit = same->unit;
        } else {
            EffectVariable* variable = effect_.ResourceVariable(binding.texture);
            if (!variable || unit >= kTextureUnits) continue;
            textures_.push_back({variable, effect_.SamplerNamed(binding.sampler), unit, pair});
        }
        program_->BindSampler(binding.glslName, static_cast<GLint>(unit));
    }
}

BOOL EffectPass::IsValid() { return valid_; }

HRESULT EffectPass::GetDesc(D3D10_PASS_DESC* desc) {
    if (!valid_) return E_FAIL;
    if (!desc) return E_INVALIDARG;
    *desc = {};
    desc->Name = name_.c_str();
    desc->pIAInputSignature = signature_.data();
    desc->IAInputSignatureSize = signature_.size();
    desc->StencilRef = stencilRef_;
    desc->SampleMask = sampleMask_;
    std::copy(blendFactor_, blendFactor_ + 4, desc->BlendFactor);
    return S_OK;
}

void EffectPass::UploadChangedGlobals() {
    size_t low = SIZE_MAX, high = 0;
    for (Global& global : globals_) {
        const EffectVariable& variable = *global.variable;
        if (variable.Version() == global.uploadedVersion) continue;
        global.uploadedVersion = variable.Version();
        const fx::UniformMember& m = global.member;
        uint8_t* base = globalsShadow_.data() + m.offset;
        if (m.isMatrix) {
            // Element (r, c) of the Direct3D matrix goes where the shader's
            // layout keeps it, so that mul(v, M) is the row vector v times M.
            for (uint32_t r = 0; r < m.rows && r < 4; ++r) {
                for (uint32_t c = 0; c < m.columns && c < 4; ++c) {
                    size_t at = m.rowMajor ? c * m.matrixStride + r * 4 : r * m.matrixStride + c * 4;
                    if (m.offset + at + 4 > globalsShadow_.size()) continue;
                    float value = variable.Element(r, c);
                    std::memcpy(base + at, &value, 4);
                }
            }
        } else {
            size_t count = std::min<size_t>(m.size / 4, 4);
            for (size_t i = 0; i < count; ++i) {
                float value = variable.Element(0, static_cast<uint32_t>(i));
                std::memcpy(base + 4 * i, &value, 4);
            }
        }
        low = std::min<size_t>(low, m.offset);
        high = std::max<size_t>(high, m.offset + m.size);
    }
    if (low < high)
        glNamedBufferSubData(program_->UniformBuffer(), static_cast<GLintptr>(low), static_cast<GLsizeiptr>(high - low),
                             globalsShadow_.data() + low);
}

HRESULT EffectPass::Apply(UINT flags) {
    (void)flags;
    if (!valid_) return E_FAIL;
    Device* device = effect_.OwnerDevice();
    if (!device->Activate()) return E_FAIL;
    if (program_ && program_->UniformBuffer()) UploadChangedGlobals();
    device->SetProgram(program_);
    for (const TextureSlot& slot : textures_) {
        ID3D10ShaderResourceView* view = slot.variable->BoundResource();
        ID3D10SamplerState* sampler = slot.sampler.Get();
        device->PSSetShaderResources(slot.unit, 1, &view);
        device->PSSetSamplers(slot.unit, 1, &sampler);
    }
    // States the pass does not name stay as they were.
    if (setsBlend_) device->OMSetBlendState(blend_.Get(), blendFactor_, sampleMask_);
    if (setsDepthStencil_) device->OMSetDepthStencilState(depthStencil_.Get(), stencilRef_);
    if (setsRasterizer_) device->RSSetState(rasterizer_.Get());
    return S_OK;
}

}  // namespace d3d10
