// The End scene's glowing ring: one quad over the whole screen, drawn every
// frame into the scene's halo target with a radius and a width that two
// controllers animate.
#pragma once

#include "linearcontroller.h"
#include "mesh.h"
#include "sinusoidalcontroller.h"
#include "texture.h"
#include "varpack.h"
#include "vector2d.h"
#include "vector3d.h"

#include <d3d10.h>

namespace VRK {

// Laid out like the scene's composite vertex.
struct HaloVertex {
    VMath::Vector3D<float> position;
    VMath::Vector2D<float> texcoord;
};
static_assert(sizeof(HaloVertex) == 20, "the halo vertex is 20 bytes");

class EndHalo {
public:
    EndHalo(ID3D10Effect* effect, ID3D10RenderTargetView* target);
    ~EndHalo();

    EndHalo(const EndHalo&) = delete;
    EndHalo& operator=(const EndHalo&) = delete;

    void Start(unsigned time);
    void Update(unsigned time);
    void Render();

    // Read-only views for checks: the quad, and the pack whose slot 0 feeds
    // "rHalo" and slot 1 "tHalo".
    const HaloVertex* Quad() const { return quad_; }
    const VarPack& Pack() const { return *pack_; }

private:
    void InitEffectVariables();
    void BuildGeometry();
    void CreateControllers();

    HaloVertex quad_[6];
    ID3D10Effect* effect_;
    ID3D10EffectTechnique* technique_;
    Mesh* mesh_;
    ID3D10EffectShaderResourceVariable* haloGradientVariable_;
    ID3D10EffectShaderResourceVariable* noiseVariable_;
    ID3D10EffectScalarVariable* rHaloVariable_;
    ID3D10EffectScalarVariable* tHaloVariable_;
    Texture* gradientTexture_;
    Texture* noiseTexture_;
    ID3D10RenderTargetView* targetView_;
    unsigned startTime_;
    VarPack* pack_;
    LinearController<float>* linearController_;
    SinusoidalController<float>* sinusoidalController_;
};

}  // namespace VRK
