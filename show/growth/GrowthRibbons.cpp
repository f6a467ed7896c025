#include "GrowthRibbons.h"

#include "framework.h"
#include "globals.h"
#include "ribbonmesh.h"
#include "vector4d.h"

#include <cstdlib>

namespace VRK {

namespace {

const unsigned ribbons = 32;
const unsigned segments = 64;
const float angleStep = 0.19634955f;

VMath::Vector3D<float> Turned(const VMath::Vector4D<float>& p, const VMath::Matrix4x4& m) {
    const VMath::Vector4D<float> r = p * m;
    return VMath::Vector3D<float>(r.x, r.y, r.z);
}

}  // namespace

GrowthRibbons::GrowthRibbons(void* vertices, ID3D10Effect* effect, const VertexRange* range,
                             ID3D10RenderTargetView* target)
    : vertices_(vertices),
      range_(*range),
      effect_(effect),
      technique_(nullptr),
      ribbonTextureVariable_(nullptr),
      ribbonShiftVariable_(nullptr),
      targetView_(target),
      texture_(nullptr),
      startTime_(0),
      pack_(nullptr),
      controller_(nullptr) {
    texture_ = new Texture(L"data/images/GrowthRibbons.gif", 256, 256);
    BuildGeometry();
    InitEffectVariables();
    CreateControllers();
}

GrowthRibbons::~GrowthRibbons() {
    delete controller_;
    delete pack_;
    delete texture_;
}

unsigned GrowthRibbons::RibbonVertexCount(unsigned segmentCount) { return segmentCount * 6; }

unsigned GrowthRibbons::VertexCount() { return RibbonVertexCount(segments) * ribbons; }

void GrowthRibbons::BuildGeometry() {
    const VMath::Vector4D<float> p0(-32.0f, 10.0f, 14.0f, 1.0f);
    const VMath::Vector4D<float> p1(10.0f, 5.0f, 11.0f, 1.0f);
    const VMath::Vector4D<float> p2(22.0f, 3.0f, -15.0f, 1.0f);
    const VMath::Vector4D<float> p3(-20.0f, 2.0f, -40.0f, 1.0f);
    // The ribbons' pattern does not depend on what was drawn before them.
    std::srand(0);
    unsigned char* base = static_cast<unsigned char*>(vertices_);
    for (unsigned i = 0; i < ribbons; ++i) {
        const VMath::Matrix4x4 m = RotationY(static_cast<float>(i) * angleStep);
        const float uStart = static_cast<float>((std::rand() % 256) / 256.0);
        RibbonDesc desc = {};
        desc.output = base + static_cast<size_t>(range_.first + i * RibbonVertexCount(segments)) * range_.stride;
        desc.segments = segments;
        desc.p0 = Turned(p0, m);
        desc.p1 = Turned(p1, m);
        desc.p2 = Turned(p2, m);
        desc.p3 = Turned(p3, m);
        desc.width = 0.5f;
        desc.uStart = uStart;
        desc.uStep = 0.02f;
        desc.vCurve = 0.0f;
        desc.vEdge = 0.1f;
        desc.up = VMath::Vector3D<float>(0.0f, 1.0f, 0.0f);
        desc.flags = 3;
        RibbonMesh builder(desc);
    }
}

void GrowthRibbons::InitEffectVariables() {
    technique_ = effect_->GetTechniqueByName("Render");
    ribbonTextureVariable_ = effect_->GetVariableByName("RibbonTexture")->AsShaderResource();
    ribbonShiftVariable_ = effect_->GetVariableByName("RibbonShift")->AsScalar();
    CheckResult(ribbonTextureVariable_->SetResource(texture_->GetSourceView()));
}

void GrowthRibbons::CreateControllers() {
    pack_ = new VarPack(1);
    // From 1 down to 0 every four seconds: the bands flow one texture width.
    controller_ = new LinearController<float>(pack_, 0, 0, 4000, true, 1.0f, 0.0f);
}

void GrowthRibbons::Start(unsigned time) {
    startTime_ = time;
    controller_->Start(static_cast<int>(time));
}

void GrowthRibbons::Update(unsigned time) { controller_->Update(static_cast<int>(time)); }

void GrowthRibbons::Render() {
    CheckResult(ribbonShiftVariable_->SetFloat(pack_->Get(0)));
    // Without depth: the ribbons blend over the cells rather than hide in them.
    device->OMSetRenderTargets(1, &targetView_, nullptr);
    CheckResult(technique_->GetPassByIndex(2)->Apply(0));
    device->Draw(range_.count, range_.first);
}

}  // namespace VRK
