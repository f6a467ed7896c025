// The End scene's glass sphere: a faceted spindle of 1,080 vertices turning
// about three axes, drawn every frame twice with the same matrices, into the
// scene's sphere back target and then into its sphere front target.
#pragma once

#include "camera.h"
#include "linearcontroller.h"
#include "matrix4x4.h"
#include "mesh.h"
#include "varpack.h"
#include "vector3d.h"

#include <d3d10.h>

namespace VRK {

// A position and the flat normal of its quad or cap triangle.
struct SphereVertex {
    VMath::Vector3D<float> position;
    VMath::Vector3D<float> normal;
};
static_assert(sizeof(SphereVertex) == 24, "the sphere vertex is 24 bytes");

class EndSphere {
public:
    EndSphere(ID3D10Effect* effect, ID3D10RenderTargetView* backTarget, ID3D10RenderTargetView* frontTarget);
    ~EndSphere();

    EndSphere(const EndSphere&) = delete;
    EndSphere& operator=(const EndSphere&) = delete;

    void Start(unsigned time);
    void Update(unsigned time);
    void Render();

    static VMath::Vector3D<float> RadiusProfile(float t);

    // Read-only views for checks: the mesh as the builder wrote it, and the
    // rotation that the last Update computed.
    const SphereVertex* Vertices() const { return vertices_; }
    unsigned VertexCount() const { return vertexCount_; }
    const VMath::Matrix4x4& Model() const { return model_; }

private:
    void InitEffectVariables();
    void BuildGeometry();
    void CreateControllers();

    SphereVertex* vertices_;
    unsigned vertexCount_;
    ID3D10Effect* effect_;
    ID3D10EffectTechnique* technique_;
    Mesh* mesh_;
    ID3D10EffectMatrixVariable* modelVariable_;
    ID3D10EffectMatrixVariable* viewVariable_;
    ID3D10EffectMatrixVariable* projectionVariable_;
    ID3D10RenderTargetView* backTargetView_;
    ID3D10RenderTargetView* frontTargetView_;
    unsigned startTime_;
    Camera camera_;
    VarPack* pack_;
    VMath::Matrix4x4 model_;
    LinearController<float>* controller_;
};

}  // namespace VRK
