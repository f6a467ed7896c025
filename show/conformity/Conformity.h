// The first scene: a field of hexagonal cells under a rising camera that
// shows, cell by cell, a turning model drawn into a texture the same frame,
// with a hexagon-grid overlay on the left of the screen.
#pragma once

#include "mesh.h"
#include "texture.h"
#include "vector3d.h"

#include <d3d10.h>

namespace VRK {

class RtModel;
class HexField;
class Overlay;

// The scene's vertex record: three consecutive float triples, no padding.
struct ConformityVertex {
    VMath::Vector3D<float> position;
    VMath::Vector3D<float> normal;
    // The hexagon field carries each cell's centre here, hence three components.
    VMath::Vector3D<float> texcoord;
};
static_assert(sizeof(ConformityVertex) == 36, "the scene's vertex is 36 bytes");

class Conformity {
public:
    Conformity();
    virtual ~Conformity();

    Conformity(const Conformity&) = delete;
    Conformity& operator=(const Conformity&) = delete;

    void Start(unsigned time);
    void Update(unsigned time);
    void Render();

    // The shared array as the parts left it (it is never written afterwards).
    const ConformityVertex* Vertices() const { return vertices_; }
    unsigned VertexCount() const { return vertexCount_; }

private:
    RtModel* rtModel_;
    HexField* hexField_;
    Overlay* overlay_;
    unsigned startTime_;
    Texture* modelTarget_;
    ID3D10Effect* effect_;
    ID3D10EffectTechnique* technique_;
    Mesh* mesh_;
    ConformityVertex* vertices_;
    unsigned vertexCount_;
    ID3D10EffectShaderResourceVariable* modelTextureVariable_;
};

}  // namespace VRK
