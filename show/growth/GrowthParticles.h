// A thousand small quads, each with a path from a point just above the
// ground to one high over it and a phase of its own. The part keeps its own
// vertices and buffer; the effect carries the quads along their paths.
#pragma once

#include "ParticleVertex.h"

#include "linearcontroller.h"
#include "mesh.h"
#include "texture.h"
#include "varpack.h"

#include <d3d10.h>

namespace VRK {

class GrowthParticles {
public:
    GrowthParticles(ID3D10Effect* effect, ID3D10RenderTargetView* target);
    ~GrowthParticles();

    GrowthParticles(const GrowthParticles&) = delete;
    GrowthParticles& operator=(const GrowthParticles&) = delete;

    void Start(unsigned time);
    void Update(unsigned time);
    void Render();

    static const unsigned particleCount = 1000;
    static const unsigned vertexCount = 6 * particleCount;

    // The vertices the constructor built (uploaded once, never changed).
    const ParticleVertex* Vertices() const { return vertices_; }

private:
    void BuildGeometry();
    void InitEffectVariables();
    void CreateControllers();

    ParticleVertex vertices_[vertexCount];
    Mesh* mesh_;
    ID3D10Effect* effect_;
    ID3D10EffectTechnique* technique_;
    ID3D10EffectScalarVariable* particlesShiftVariable_;
    ID3D10EffectShaderResourceVariable* particleTextureVariable_;
    Texture* texture_;
    ID3D10RenderTargetView* targetView_;
    unsigned startTime_;
    VarPack* pack_;
    LinearController<float>* controller_;
};

}  // namespace VRK
