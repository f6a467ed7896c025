// ID3D10EffectVariable with its scalar, matrix and shader-resource faces.
// Variables are shared by name across every pass of the effect; each pass
// reads the value (and its version, to upload only what changed) on Apply.
#pragma once

#include <d3d10.h>

#include <cstdint>
#include <string>

#include "ComObject.h"
#include "ShaderResourceView.h"

namespace d3d10 {

class Effect;

class EffectVariable final : public ID3D10EffectScalarVariable,
                             public ID3D10EffectMatrixVariable,
                             public ID3D10EffectShaderResourceVariable {
public:
    enum class Kind { Invalid, Numeric, Resource };

    // A numeric variable: a scalar, a vector, or a matrix of up to 4 x 4.
    static EffectVariable* Numeric(Effect& effect, const std::string& name, bool isMatrix, uint32_t bufferOffset);
    static EffectVariable* Resource(Effect& effect, const std::string& name);
    // What a lookup of a name the effect lacks returns.
    static EffectVariable* Invalid(Effect& effect);
    ~EffectVariable() override = default;

    // The interface pointer handed out for the plain variable.
    ID3D10EffectVariable* AsVariable() { return static_cast<ID3D10EffectScalarVariable*>(this); }

    BOOL IsValid() override;
    HRESULT GetDesc(D3D10_EFFECT_VARIABLE_DESC* desc) override;
    ID3D10EffectScalarVariable* AsScalar() override;
    ID3D10EffectMatrixVariable* AsMatrix() override;
    ID3D10EffectShaderResourceVariable* AsShaderResource() override;

    HRESULT SetFloat(float value) override;
    HRESULT GetFloat(float* value) override;
    HRESULT SetMatrix(float* data) override;
    HRESULT GetMatrix(float* data) override;
    HRESULT SetResource(ID3D10ShaderResourceView* resource) override;
    HRESULT GetResource(ID3D10ShaderResourceView** resource) override;

    Kind GetKind() const { return kind_; }
    const std::string& Name() const { return name_; }
    bool IsMatrix() const { return isMatrix_; }
    // Changes with every Set...; passes compare it with what they uploaded.
    uint64_t Version() const { return version_; }
    // Element (row, column) in Direct3D's terms.
    float Element(uint32_t row, uint32_t column) const { return values_[row * 4 + column]; }
    ShaderResourceView* BoundResource() const { return resource_.Get(); }

private:
    EffectVariable(Effect& effect, Kind kind, std::string name) : effect_(effect), kind_(kind), name_(std::move(name)) {}

    Effect& effect_;
    Kind kind_;
    std::string name_;
    bool isMatrix_ = false;
    uint32_t bufferOffset_ = 0;
    float values_[16] = {};
    uint64_t version_ = 1;
    Ref<ShaderResourceView> resource_;
};

}  // namespace d3d10
