// The ground that the Growth and Greets scenes share: one textured quad in the
// plane y = 0, the scene's camera moved by one linear controller, and the
// first pass of the scene, which binds and clears the back buffer and the
// depth buffer and sets the view and projection for every later pass.
//
// One design, two classes: a Traits struct gives the vertex record, the size
// and texture extent of the quad, the controller's interval and values and the
// way the controller's value places the camera. GrowthGround and GreetsGround
// are this template over their own traits.
#pragma once

#include "VertexRange.h"

#include "camera.h"
#include "framework.h"
#include "globals.h"
#include "linearcontroller.h"
#include "texture.h"
#include "varpack.h"
#include "vector3d.h"

#include <d3d10.h>

namespace VRK {

template <typename Traits>
class Ground {
public:
    typedef typename Traits::Vertex Vertex;

    Ground(Vertex* vertices, ID3D10Effect* effect, const VertexRange* range, ID3D10RenderTargetView* target);
    ~Ground();

    Ground(const Ground&) = delete;
    Ground& operator=(const Ground&) = delete;

    void Start(unsigned time);
    void Update(unsigned time);
    void Render();

    // The camera as the last Update left it.
    const Camera& GetCamera() const { return camera_; }

private:
    void BuildGeometry();
    void InitEffectVariables();
    void CreateControllers();

    Vertex* vertices_;
    VertexRange range_;
    ID3D10Effect* effect_;
    ID3D10EffectTechnique* technique_;
    ID3D10EffectMatrixVariable* viewVariable_;
    ID3D10EffectMatrixVariable* projectionVariable_;
    ID3D10EffectShaderResourceVariable* groundTextureVariable_;
    Texture* gridTexture_;
    ID3D10RenderTargetView* targetView_;
    unsigned startTime_;
    VMath::Vector3D<float> eyeBase_;
    VarPack* pack_;
    Camera camera_;
    LinearController<float>* controller_;
};

template <typename Traits>
Ground<Traits>::Ground(Vertex* vertices, ID3D10Effect* effect, const VertexRange* range,
                       ID3D10RenderTargetView* target)
    : vertices_(vertices),
      range_(*range),
      effect_(effect),
      technique_(nullptr),
      viewVariable_(nullptr),
      projectionVariable_(nullptr),
      groundTextureVariable_(nullptr),
      gridTexture_(nullptr),
      targetView_(target),
      startTime_(0),
      eyeBase_(0.0f, 0.0f, 0.0f),
      pack_(nullptr),
      camera_(),
      controller_(nullptr) {
    gridTexture_ = new Texture(L"data/images/HexGrid.gif", 110, 184);
    BuildGeometry();
    InitEffectVariables();
    CreateControllers();
    eyeBase_ = VMath::Vector3D<float>(0.0f, 10.0f, -10.0f);
}

template <typename Traits>
Ground<Traits>::~Ground() {
    delete controller_;
    delete pack_;
    delete gridTexture_;
}

template <typename Traits>
void Ground<Traits>::BuildGeometry() {
    const float x = Traits::halfWidth;
    const float z = Traits::halfDepth;
    const float u = Traits::textureWidth;
    const float v = Traits::textureDepth;
    Vertex a, b, c, d;
    a.position = VMath::Vector3D<float>(-x, 0.0f, z);
    b.position = VMath::Vector3D<float>(x, 0.0f, z);
    c.position = VMath::Vector3D<float>(-x, 0.0f, -z);
    d.position = VMath::Vector3D<float>(x, 0.0f, -z);
    a.*Traits::texcoord = VMath::Vector3D<float>(0.0f, 0.0f, 0.0f);
    b.*Traits::texcoord = VMath::Vector3D<float>(u, 0.0f, 0.0f);
    c.*Traits::texcoord = VMath::Vector3D<float>(0.0f, v, 0.0f);
    d.*Traits::texcoord = VMath::Vector3D<float>(u, v, 0.0f);
    // (A, B, C) and (B, D, C): both clockwise seen from above, sharing the
    // diagonal from B to C, which is not the diagonal WriteQuad would share.
    Vertex* out = vertices_ + range_.first;
    out[0] = a;
    out[1] = b;
    out[2] = c;
    out[3] = b;
    out[4] = d;
    out[5] = c;
}

template <typename Traits>
void Ground<Traits>::InitEffectVariables() {
    technique_ = effect_->GetTechniqueByName("Render");
    viewVariable_ = effect_->GetVariableByName("View")->AsMatrix();
    projectionVariable_ = effect_->GetVariableByName("Projection")->AsMatrix();
    groundTextureVariable_ = effect_->GetVariableByName("GroundTexture")->AsShaderResource();
    CheckResult(groundTextureVariable_->SetResource(gridTexture_->GetSourceView()));
}

template <typename Traits>
void Ground<Traits>::CreateControllers() {
    pack_ = new VarPack(1);
    controller_ = new LinearController<float>(pack_, 0, 0, Traits::period, true, Traits::from, Traits::to);
}

template <typename Traits>
void Ground<Traits>::Start(unsigned time) {
    startTime_ = time;
    controller_->Start(time);
}

template <typename Traits>
void Ground<Traits>::Update(unsigned time) {
    controller_->Update(time);
    Traits::PlaceCamera(camera_, eyeBase_, pack_->Get(0));
}

template <typename Traits>
void Ground<Traits>::Render() {
    VMath::Matrix4x4 view = camera_.ViewMatrix();
    CheckResult(viewVariable_->SetMatrix(&view.m[0][0]));
    VMath::Matrix4x4 projection = camera_.ProjectionMatrix();
    CheckResult(projectionVariable_->SetMatrix(&projection.m[0][0]));

    D3D10_VIEWPORT viewport;
    viewport.TopLeftX = 0;
    viewport.TopLeftY = 0;
    viewport.Width = static_cast<UINT>(screenWidth);
    viewport.Height = static_cast<UINT>(screenHeight);
    viewport.MinDepth = 0.0f;
    viewport.MaxDepth = 1.0f;
    device->RSSetViewports(1, &viewport);

    device->OMSetRenderTargets(1, &targetView_, depthStencilView);
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    device->ClearRenderTargetView(targetView_, white);
    device->ClearDepthStencilView(depthStencilView, D3D10_CLEAR_DEPTH, 1.0f, 0);

    CheckResult(technique_->GetPassByIndex(0)->Apply(0));
    device->Draw(range_.count, range_.first);
}

}  // namespace VRK
