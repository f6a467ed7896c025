// The second scene: a white ground under a slowly orbiting camera, clusters
// of spindle cells growing out of it, ribbons fanning round the scene and
// particles rising through it.
#pragma once

#include "GrowthGround.h"
#include "GrowthVertex.h"

#include "mesh.h"

#include <d3d10.h>

namespace VRK {

class GrowthCells;
class GrowthStub;
class GrowthRibbons;
class GrowthParticles;

class Growth {
public:
    Growth();
    virtual ~Growth();

    Growth(const Growth&) = delete;
    Growth& operator=(const Growth&) = delete;

    void Start(unsigned time);
    void Update(unsigned time);
    void Render();

    // What the constructor built; nothing here changes the scene.
    const GrowthVertex* Vertices() const { return vertices_; }
    unsigned VertexCount() const { return vertexCount_; }
    const GrowthParticles* Particles() const { return particles_; }
    const GrowthGround* GetGround() const { return ground_; }

private:
    GrowthGround* ground_;
    GrowthCells* cells_;
    GrowthStub* stub_;
    GrowthRibbons* ribbons_;
    GrowthParticles* particles_;
    unsigned startTime_;
    ID3D10Effect* effect_;
    ID3D10EffectTechnique* technique_;
    Mesh* mesh_;
    GrowthVertex* vertices_;
    unsigned vertexCount_;
};

}  // namespace VRK
