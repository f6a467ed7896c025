// Thirty-two clusters of six thin spindles, each cluster at a random centre on
// a coarse grid. Every spindle is modelled about the origin and carries its
// cluster's centre in the texture coordinate: the effect places the clusters
// and grows them from the seconds it is handed.
#pragma once

#include "VertexRange.h"

#include "vector3d.h"

#include <d3d10.h>

namespace VRK {

class GrowthCells {
public:
    GrowthCells(void* vertices, ID3D10Effect* effect, const VertexRange* range, ID3D10RenderTargetView* target);
    ~GrowthCells();

    GrowthCells(const GrowthCells&) = delete;
    GrowthCells& operator=(const GrowthCells&) = delete;

    void Start(unsigned time);
    void Update(unsigned time);
    void Render();

    static unsigned VertexCount();
    static VMath::Vector3D<float> RadiusProfile(float t);

private:
    void BuildGeometry();
    void InitEffectVariables();
    void CreateControllers();

    void* vertices_;
    VertexRange range_;
    ID3D10Effect* effect_;
    ID3D10EffectTechnique* technique_;
    ID3D10EffectScalarVariable* timeVariable_;
    ID3D10RenderTargetView* targetView_;
    unsigned startTime_;
    float seconds_;
};

}  // namespace VRK
