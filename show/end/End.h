// The last scene: a glowing ring drawn into one screen-sized target, a
// faceted glass sphere drawn into two more (its back faces, then its front
// faces), and one full-screen quad that composes the three onto the back
// buffer.
#pragma once

#include "mesh.h"
#include "texture.h"
#include "vector2d.h"
#include "vector3d.h"

#include <d3d10.h>

namespace VRK {

class EndHalo;
class EndSphere;

// The composite quad's vertex: a clip-space position and a texture coordinate.
struct EndVertex {
    VMath::Vector3D<float> position;
    VMath::Vector2D<float> texcoord;
};
static_assert(sizeof(EndVertex) == 20, "the composite vertex is 20 bytes");

class End {
public:
    End();
    virtual ~End();

    End(const End&) = delete;
    End& operator=(const End&) = delete;

    void Start(unsigned time);
    void Update(unsigned time);
    void Render();

    // Read-only views for checks.
    const EndVertex* Quad() const { return quad_; }
    const EndHalo* Halo() const { return halo_; }
    const EndSphere* Sphere() const { return sphere_; }

private:
    void BuildQuad();

    EndVertex quad_[6];
    Mesh* quadMesh_;
    EndHalo* halo_;
    EndSphere* sphere_;
    unsigned startTime_;
    Texture* haloTarget_;
    Texture* sphereBackTarget_;
    Texture* sphereFrontTarget_;
    ID3D10Effect* effect_;
    ID3D10EffectTechnique* technique_;
    ID3D10EffectShaderResourceVariable* haloTargetVariable_;
    ID3D10EffectShaderResourceVariable* sphereBackTargetVariable_;
    ID3D10EffectShaderResourceVariable* sphereFrontTargetVariable_;
};

}  // namespace VRK
