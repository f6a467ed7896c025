#include "HexField.h"

#include "framework.h"
#include "globals.h"
#include "spindlemesh.h"

#include <cmath>

namespace VRK {

namespace {

const int rows = 40;
const int firstColumn = -20;
const int lastColumn = 19;
const int rowOffset = 20;

}  // namespace

HexField::HexField(void* vertices, ID3D10Effect* effect, const VertexRange* range, ID3D10RenderTargetView* target,
                   ID3D10DepthStencilView* depth)
    : vertices_(static_cast<unsigned char*>(vertices)),
      range_(*range),
      effect_(effect),
      technique_(nullptr),
      viewVariable_(nullptr),
      projectionVariable_(nullptr),
      timeVariable_(nullptr),
      targetView_(target),
      depthView_(depth),
      startTime_(0),
      seconds_(0.0f),
      camera_(),
      pack_(nullptr),
      controller_(nullptr) {
    BuildGeometry();
    InitEffectVariables();
    CreateControllers();
    // Only the height changes afterwards; the controller supplies it.
    camera_.eye = VMath::Vector3D<float>(-8.0f, 14.0f, -6.0f);
}

HexField::~HexField() {
    delete pack_;
    delete controller_;
}

void HexField::BuildGeometry() {
    unsigned char* out = vertices_ + range_.first * range_.stride;
    const unsigned cellVertices = SpindleMesh::VertexCount(6, 4, 0, 0);
    for (int i = 0; i < rows; ++i) {
        for (int j = firstColumn; j <= lastColumn; ++j) {
            const float shift = 0.5f * static_cast<float>(i % 2);
            // Every cell is built about the origin; the effect places it by
            // the centre it finds in the texture coordinate.
            const VMath::Vector3D<float> centre(static_cast<float>(j) + shift, 0.0f,
                                                static_cast<float>(i - rowOffset));
            SpindleDesc desc = {};
            desc.output = out;
            desc.slices = 6;
            desc.halfRings = 4;
            desc.reserved0 = 0;
            desc.reserved1 = 0;
            desc.smoothNormals = 1;
            desc.radiusProfile = &HexField::RadiusProfile;
            desc.offsetProfile = nullptr;
            desc.attributeA = centre;
            desc.attributeB = VMath::Vector3D<float>(0.0f, 0.0f, 0.0f);
            desc.flags = 5;
            desc.texcoordScale = 0.1f;
            desc.size = VMath::Vector3D<float>(0.58f, 0.2f, 0.58f);
            SpindleMesh builder(desc);
            out += range_.stride * cellVertices;
        }
    }
}

void HexField::InitEffectVariables() {
    technique_ = effect_->GetTechniqueByName("Render");
    viewVariable_ = effect_->GetVariableByName("View")->AsMatrix();
    projectionVariable_ = effect_->GetVariableByName("Projection")->AsMatrix();
    timeVariable_ = effect_->GetVariableByName("time")->AsScalar();
}

void HexField::CreateControllers() {
    pack_ = new VarPack(1);
    // The camera climbs from height 1 to 10 over ten seconds; the scene ends
    // at eight, before the loop comes round.
    controller_ = new LinearController<float>(pack_, 0, 0, 10000, true, 1.0f, 10.0f);
}

VMath::Vector3D<float> HexField::RadiusProfile(float t) {
    // The product of two floats is exact in double, so rounding it once
    // gives the float product; the cosine is the single-precision one.
    const float angle = static_cast<float>(static_cast<double>(t) * static_cast<double>(0.78539819f));
    const float c = std::cos(angle);
    return VMath::Vector3D<float>(c, 1.0f, c);
}

void HexField::Start(unsigned time) {
    startTime_ = time;
    controller_->Start(static_cast<int>(time));
}

void HexField::Update(unsigned time) {
    controller_->Update(static_cast<int>(time));
    seconds_ = static_cast<float>(static_cast<int>(time - startTime_) / 1000.0);
    camera_.eye.y = pack_->Get(0);
}

void HexField::Render() {
    VMath::Matrix4x4 view = camera_.ViewMatrix();
    CheckResult(viewVariable_->SetMatrix(&view.m[0][0]));
    VMath::Matrix4x4 projection = camera_.ProjectionMatrix();
    CheckResult(projectionVariable_->SetMatrix(&projection.m[0][0]));
    CheckResult(timeVariable_->SetFloat(seconds_));

    const D3D10_VIEWPORT viewport = {0, 0, static_cast<UINT>(screenWidth), static_cast<UINT>(screenHeight), 0.0f,
                                     1.0f};
    device->RSSetViewports(1, &viewport);
    device->OMSetRenderTargets(1, &targetView_, depthView_);
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    device->ClearRenderTargetView(targetView_, white);
    device->ClearDepthStencilView(depthView_, D3D10_CLEAR_DEPTH, 1.0f, 0);

    CheckResult(technique_->GetPassByIndex(1)->Apply(0));
    device->Draw(range_.count, range_.first);
}

}  // namespace VRK
