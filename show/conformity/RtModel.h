// A small four-sided spindle that turns about three axes, drawn every frame
// into the scene's square texture, which the later passes read.
#pragma once

#include "VertexRange.h"

#include "camera.h"
#include "matrix4x4.h"
#include "vector3d.h"

#include <d3d10.h>

namespace VRK {

class RtModel {
public:
    RtModel(void* vertices, ID3D10Effect* effect, const VertexRange* range, ID3D10RenderTargetView* target);
    ~RtModel();

    RtModel(const RtModel&) = delete;
    RtModel& operator=(const RtModel&) = delete;

    void Start(unsigned time);
    void Update(unsigned time);
    void Render();

    static VMath::Vector3D<float> RadiusProfile(float t);

    // The rotation that the last Update computed.
    const VMath::Matrix4x4& Model() const { return model_; }

private:
    void BuildGeometry();
    void InitEffectVariables();
    void CreateControllers();

    unsigned char* vertices_;
    VertexRange range_;
    ID3D10Effect* effect_;
    ID3D10EffectTechnique* technique_;
    ID3D10EffectMatrixVariable* modelVariable_;
    ID3D10EffectMatrixVariable* viewVariable_;
    ID3D10EffectMatrixVariable* projectionVariable_;
    ID3D10RenderTargetView* targetView_;
    unsigned startTime_;
    VMath::Matrix4x4 model_;
    Camera camera_;
};

}  // namespace VRK
