#include "Overlay.h"

#include "Conformity.h"

#include "framework.h"
#include "globals.h"

namespace VRK {

Overlay::Overlay(void* vertices, ID3D10Effect* effect, const VertexRange* range, ID3D10RenderTargetView* target)
    : vertices_(static_cast<unsigned char*>(vertices)),
      range_(*range),
      effect_(effect),
      technique_(nullptr),
      overlayTextureVariable_(nullptr),
      gridTexture_(nullptr),
      targetView_(target) {
    gridTexture_ = new Texture(L"data/images/hexgrid.gif", 110, 184);
    BuildGeometry();
    InitEffectVariables();
    CreateControllers();
}

Overlay::~Overlay() { delete gridTexture_; }

void Overlay::BuildGeometry() {
    // Corners in clip space over the left 35 % of the screen; the texture
    // coordinates repeat the grid image 2.8 times across and 4 times down.
    ConformityVertex topLeft;
    topLeft.position = VMath::Vector3D<float>(-1.0f, 1.0f, 0.0f);
    topLeft.texcoord = VMath::Vector3D<float>(0.0f, 0.0f, 0.0f);
    ConformityVertex topRight;
    topRight.position = VMath::Vector3D<float>(-0.3f, 1.0f, 0.0f);
    topRight.texcoord = VMath::Vector3D<float>(2.8f, 0.0f, 0.0f);
    ConformityVertex bottomLeft;
    bottomLeft.position = VMath::Vector3D<float>(-1.0f, -1.0f, 0.0f);
    bottomLeft.texcoord = VMath::Vector3D<float>(0.0f, 4.0f, 0.0f);
    ConformityVertex bottomRight;
    bottomRight.position = VMath::Vector3D<float>(-0.3f, -1.0f, 0.0f);
    bottomRight.texcoord = VMath::Vector3D<float>(2.8f, 4.0f, 0.0f);

    // Both triangles are clockwise on screen, split along the other diagonal
    // than the one the shared quad writer uses.
    ConformityVertex* out = reinterpret_cast<ConformityVertex*>(vertices_ + range_.first * range_.stride);
    out[0] = topLeft;
    out[1] = topRight;
    out[2] = bottomLeft;
    out[3] = topRight;
    out[4] = bottomRight;
    out[5] = bottomLeft;
}

void Overlay::InitEffectVariables() {
    technique_ = effect_->GetTechniqueByName("Render");
    overlayTextureVariable_ = effect_->GetVariableByName("OverlayTexture")->AsShaderResource();
    CheckResult(overlayTextureVariable_->SetResource(gridTexture_->GetSourceView()));
}

void Overlay::CreateControllers() {}

void Overlay::Start(unsigned) {}

void Overlay::Update(unsigned) {}

void Overlay::Render() {
    // The viewport that the field set stays; nothing is cleared, and without
    // a depth view the quad lies over the field whatever its depth.
    device->OMSetRenderTargets(1, &targetView_, nullptr);
    CheckResult(technique_->GetPassByIndex(2)->Apply(0));
    device->Draw(range_.count, range_.first);
}

}  // namespace VRK
