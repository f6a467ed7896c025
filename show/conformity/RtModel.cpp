#include "RtModel.h"

#include "framework.h"
#include "globals.h"
#include "spindlemesh.h"

namespace VRK {

namespace {

const unsigned targetSize = 256;

}  // namespace

RtModel::RtModel(void* vertices, ID3D10Effect* effect, const VertexRange* range, ID3D10RenderTargetView* target)
    : vertices_(static_cast<unsigned char*>(vertices)),
      range_(*range),
      effect_(effect),
      technique_(nullptr),
      modelVariable_(nullptr),
      viewVariable_(nullptr),
      projectionVariable_(nullptr),
      targetView_(target),
      startTime_(0),
      model_(),
      camera_() {
    camera_.eye = VMath::Vector3D<float>(0.0f, 0.0f, -3.0f);
    BuildGeometry();
    InitEffectVariables();
    CreateControllers();
}

RtModel::~RtModel() {}

void RtModel::BuildGeometry() {
    SpindleDesc desc = {};
    desc.output = vertices_ + range_.first * range_.stride;
    desc.slices = 4;
    desc.halfRings = 1;
    desc.reserved0 = 0;
    desc.reserved1 = 0;
    desc.smoothNormals = 0;
    desc.radiusProfile = &RtModel::RadiusProfile;
    desc.offsetProfile = nullptr;
    desc.attributeA = VMath::Vector3D<float>(0.0f, 0.0f, 0.0f);
    desc.attributeB = VMath::Vector3D<float>(0.0f, 0.0f, 0.0f);
    desc.flags = 5;
    desc.texcoordScale = 0.1f;
    desc.size = VMath::Vector3D<float>(2.0f, 0.8f, 2.0f);
    SpindleMesh builder(desc);
}

void RtModel::InitEffectVariables() {
    technique_ = effect_->GetTechniqueByName("Render");
    modelVariable_ = effect_->GetVariableByName("KelpoModel")->AsMatrix();
    viewVariable_ = effect_->GetVariableByName("KelpoView")->AsMatrix();
    projectionVariable_ = effect_->GetVariableByName("KelpoProjection")->AsMatrix();
}

void RtModel::CreateControllers() {}

VMath::Vector3D<float> RtModel::RadiusProfile(float t) {
    // Only the middle ring is full width; NaN falls to the narrow ends too.
    if (t == 0.0f) {
        return VMath::Vector3D<float>(1.0f, 1.0f, 1.0f);
    }
    return VMath::Vector3D<float>(0.6f, 1.0f, 0.6f);
}

void RtModel::Start(unsigned time) { startTime_ = time; }

void RtModel::Update(unsigned time) {
    // The tick difference is read as signed so a wrapped tick count still
    // gives the right elapsed time.
    const float seconds = static_cast<float>(static_cast<int>(time - startTime_) / 1000.0);
    const float angleX = static_cast<float>(static_cast<double>(seconds) * static_cast<double>(0.3f));
    const float angleY = static_cast<float>(static_cast<double>(seconds) * static_cast<double>(0.4f));
    const float angleZ = static_cast<float>(static_cast<double>(seconds) * 0.5);
    model_ = (RotationX(angleX) * RotationY(angleY)) * RotationZ(angleZ);
}

void RtModel::Render() {
    CheckResult(modelVariable_->SetMatrix(&model_.m[0][0]));
    VMath::Matrix4x4 view = camera_.ViewMatrix();
    CheckResult(viewVariable_->SetMatrix(&view.m[0][0]));
    VMath::Matrix4x4 projection = camera_.ProjectionMatrix();
    CheckResult(projectionVariable_->SetMatrix(&projection.m[0][0]));

    const D3D10_VIEWPORT viewport = {0, 0, targetSize, targetSize, 0.0f, 1.0f};
    device->RSSetViewports(1, &viewport);
    device->OMSetRenderTargets(1, &targetView_, nullptr);
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    device->ClearRenderTargetView(targetView_, white);

    CheckResult(technique_->GetPassByIndex(0)->Apply(0));
    device->Draw(range_.count, range_.first);
}

}  // namespace VRK
