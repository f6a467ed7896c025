#include "EndHalo.h"

#include "ScreenQuad.h"
#include "framework.h"
#include "globals.h"

namespace VRK {

EndHalo::EndHalo(ID3D10Effect* effect, ID3D10RenderTargetView* target)
    : effect_(effect),
      technique_(nullptr),
      mesh_(nullptr),
      haloGradientVariable_(nullptr),
      noiseVariable_(nullptr),
      rHaloVariable_(nullptr),
      tHaloVariable_(nullptr),
      gradientTexture_(nullptr),
      noiseTexture_(nullptr),
      targetView_(target),
      startTime_(0),
      pack_(nullptr),
      linearController_(nullptr),
      sinusoidalController_(nullptr) {
    gradientTexture_ = new Texture(L"data/images/HaloGradient.png", 512, 8);
    noiseTexture_ = new Texture(L"data/images/noise2d.png", 512, 512);
    // BuildGeometry takes pass 0's input signature from the technique.
    InitEffectVariables();
    BuildGeometry();
    CreateControllers();
}

EndHalo::~EndHalo() {
    delete gradientTexture_;
    delete noiseTexture_;
}

void EndHalo::InitEffectVariables() {
    technique_ = effect_->GetTechniqueByName("Render");
    haloGradientVariable_ = effect_->GetVariableByName("HaloGradient")->AsShaderResource();
    noiseVariable_ = effect_->GetVariableByName("Noise")->AsShaderResource();
    haloGradientVariable_->SetResource(gradientTexture_->GetSourceView());
    noiseVariable_->SetResource(noiseTexture_->GetSourceView());
    rHaloVariable_ = effect_->GetVariableByName("rHalo")->AsScalar();
    tHaloVariable_ = effect_->GetVariableByName("tHalo")->AsScalar();
}

void EndHalo::BuildGeometry() {
    WriteScreenQuad(quad_);
    mesh_ = MakeScreenQuadMesh(technique_, 0, quad_);
}

void EndHalo::CreateControllers() {
    pack_ = new VarPack(2);
    // The radius grows from 0 to 1 in 10 s; the width swings about 0.1 every 8 s.
    linearController_ = new LinearController<float>(pack_, 0, 0, 10000, true, 0.0f, 1.0f);
    sinusoidalController_ = new SinusoidalController<float>(pack_, 1, 0, 8000, true, 0.1f, 0.1f, 1.0f, 0.0f);
}

void EndHalo::Start(unsigned time) {
    startTime_ = time;
    linearController_->Start(static_cast<int>(time));
    sinusoidalController_->Start(static_cast<int>(time));
}

void EndHalo::Update(unsigned time) {
    linearController_->Update(static_cast<int>(time));
    sinusoidalController_->Update(static_cast<int>(time));
}

void EndHalo::Render() {
    mesh_->Bind();
    CheckResult(rHaloVariable_->SetFloat(pack_->Get(0)));
    CheckResult(tHaloVariable_->SetFloat(pack_->Get(1)));

    // The only viewport the scene sets: the sphere and the composite keep it.
    const D3D10_VIEWPORT viewport = {0, 0, static_cast<UINT>(screenWidth), static_cast<UINT>(screenHeight), 0.0f,
                                     1.0f};
    device->RSSetViewports(1, &viewport);
    device->OMSetRenderTargets(1, &targetView_, nullptr);
    const float opaqueBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    device->ClearRenderTargetView(targetView_, opaqueBlack);

    CheckResult(technique_->GetPassByIndex(0)->Apply(0));
    device->Draw(6, 0);
}

}  // namespace VRK
