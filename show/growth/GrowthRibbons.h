// Thirty-two textured ribbons along one cubic Bezier curve, each copy turned
// a sixteenth of a half turn further about the vertical axis, so that
// together they fan once round the scene. Their pattern flows along them.
#pragma once

#include "VertexRange.h"

#include "linearcontroller.h"
#include "texture.h"
#include "varpack.h"

#include <d3d10.h>

namespace VRK {

class GrowthRibbons {
public:
    GrowthRibbons(void* vertices, ID3D10Effect* effect, const VertexRange* range, ID3D10RenderTargetView* target);
    ~GrowthRibbons();

    GrowthRibbons(const GrowthRibbons&) = delete;
    GrowthRibbons& operator=(const GrowthRibbons&) = delete;

    void Start(unsigned time);
    void Update(unsigned time);
    void Render();

    static unsigned RibbonVertexCount(unsigned segments);
    static unsigned VertexCount();

private:
    void BuildGeometry();
    void InitEffectVariables();
    void CreateControllers();

    void* vertices_;
    VertexRange range_;
    ID3D10Effect* effect_;
    ID3D10EffectTechnique* technique_;
    ID3D10EffectShaderResourceVariable* ribbonTextureVariable_;
    ID3D10EffectScalarVariable* ribbonShiftVariable_;
    ID3D10RenderTargetView* targetView_;
    Texture* texture_;
    unsigned startTime_;
    VarPack* pack_;
    LinearController<float>* controller_;
};

}  // namespace VRK
