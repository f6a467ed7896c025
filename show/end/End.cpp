#include "End.h"

#include "EndHalo.h"
#include "EndSphere.h"

#include "ScreenQuad.h"
#include "framework.h"
#include "globals.h"

namespace VRK {

namespace {

// Each intermediate target is drawn into and then read in the same frame.
Texture* MakeScreenTarget() {
    return new Texture(static_cast<unsigned>(screenWidth), static_cast<unsigned>(screenHeight),
                       TexturePurpose::Target | TexturePurpose::Source);
}

}  // namespace

End::End()
    : quadMesh_(nullptr),
      halo_(nullptr),
      sphere_(nullptr),
      startTime_(0),
      haloTarget_(nullptr),
      sphereBackTarget_(nullptr),
      sphereFrontTarget_(nullptr),
      effect_(nullptr),
      technique_(nullptr),
      haloTargetVariable_(nullptr),
      sphereBackTargetVariable_(nullptr),
      sphereFrontTargetVariable_(nullptr) {
    effect_ = LoadEffect("data/fx/end.fx");
    technique_ = effect_->GetTechniqueByName("Render");

    // The three targets are bound to their variables once; every frame
    // redraws them before the composite reads them.
    haloTarget_ = MakeScreenTarget();
    haloTargetVariable_ = effect_->GetVariableByName("IntermediateTargetHalo")->AsShaderResource();
    haloTargetVariable_->SetResource(haloTarget_->GetSourceView());
    sphereBackTarget_ = MakeScreenTarget();
    sphereBackTargetVariable_ = effect_->GetVariableByName("IntermediateTargetSphereBack")->AsShaderResource();
    sphereBackTargetVariable_->SetResource(sphereBackTarget_->GetSourceView());
    sphereFrontTarget_ = MakeScreenTarget();
    sphereFrontTargetVariable_ = effect_->GetVariableByName("IntermediateTargetSphereFront")->AsShaderResource();
    sphereFrontTargetVariable_->SetResource(sphereFrontTarget_->GetSourceView());

    halo_ = new EndHalo(effect_, haloTarget_->GetTargetView());
    sphere_ = new EndSphere(effect_, sphereBackTarget_->GetTargetView(), sphereFrontTarget_->GetTargetView());
    BuildQuad();
}

End::~End() {
    delete halo_;
    delete sphere_;
}

void End::BuildQuad() {
    WriteScreenQuad(quad_);
    quadMesh_ = MakeScreenQuadMesh(technique_, 3, quad_);
}

void End::Start(unsigned time) {
    startTime_ = time;
    halo_->Start(time);
    sphere_->Start(time);
}

void End::Update(unsigned time) {
    halo_->Update(time);
    sphere_->Update(time);
}

void End::Render() {
    // The halo sets the full-screen viewport that every later pass of the
    // frame, the composite included, draws with.
    halo_->Render();
    sphere_->Render();
    quadMesh_->Bind();
    device->OMSetRenderTargets(1, &backBufferView, nullptr);
    CheckResult(technique_->GetPassByIndex(3)->Apply(0));
    device->Draw(6, 0);
}

}  // namespace VRK
