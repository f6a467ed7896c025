// The field of 1,600 low hexagonal cells, 40 rows of 40 with every odd row
// shifted by half a cell, seen by a camera that rises over the scene.
#pragma once

#include "VertexRange.h"

#include "camera.h"
#include "linearcontroller.h"
#include "varpack.h"
#include "vector3d.h"

#include <d3d10.h>

namespace VRK {

class HexField {
public:
    HexField(void* vertices, ID3D10Effect* effect, const VertexRange* range, ID3D10RenderTargetView* target,
             ID3D10DepthStencilView* depth);
    ~HexField();

    HexField(const HexField&) = delete;
    HexField& operator=(const HexField&) = delete;

    void Start(unsigned time);
    void Update(unsigned time);
    void Render();

    static VMath::Vector3D<float> RadiusProfile(float t);

    // The camera and the seconds as the last Update left them.
    const Camera& GetCamera() const { return camera_; }
    float Seconds() const { return seconds_; }

private:
    void BuildGeometry();
    void InitEffectVariables();
    void CreateControllers();

    unsigned char* vertices_;
    VertexRange range_;
    ID3D10Effect* effect_;
    ID3D10EffectTechnique* technique_;
    ID3D10EffectMatrixVariable* viewVariable_;
    ID3D10EffectMatrixVariable* projectionVariable_;
    ID3D10EffectScalarVariable* timeVariable_;
    ID3D10RenderTargetView* targetView_;
    ID3D10DepthStencilView* depthView_;
    unsigned startTime_;
    float seconds_;
    Camera camera_;
    VarPack* pack_;
    LinearController<float>* controller_;
};

}  // namespace VRK
