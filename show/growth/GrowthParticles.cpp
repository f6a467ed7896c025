#include "GrowthParticles.h"

#include "QuadBuilder.h"

#include "framework.h"
#include "globals.h"

#include <cstdlib>
#include <vector>

namespace VRK {

namespace {

// A coordinate from -38.4 to 37.8 in steps of 0.6.
float SpotCoordinate() { return static_cast<float>(std::rand() % 128 - 64) * 0.6f; }

}  // namespace

GrowthParticles::GrowthParticles(ID3D10Effect* effect, ID3D10RenderTargetView* target)
    : vertices_(),
      mesh_(nullptr),
      effect_(effect),
      technique_(nullptr),
      particlesShiftVariable_(nullptr),
      particleTextureVariable_(nullptr),
      texture_(nullptr),
      targetView_(target),
      startTime_(0),
      pack_(nullptr),
      controller_(nullptr) {
    texture_ = new Texture(L"data/images/particle.png", 256, 256);
    BuildGeometry();
    InitEffectVariables();
    CreateControllers();
}

GrowthParticles::~GrowthParticles() {
    delete mesh_;
    delete controller_;
    delete pack_;
    delete texture_;
}

void GrowthParticles::BuildGeometry() {
    std::vector<QuadDesc> quads;
    quads.reserve(particleCount);
    for (unsigned n = 0; n < particleCount; ++n) {
        const float x = SpotCoordinate();
        const float z = SpotCoordinate();
        const float offset = static_cast<float>((std::rand() % 64) / 64.0);
        quads.push_back(QuadDesc(0.5f, 0.5f, VMath::Vector3D<float>(x, 2.0f, z), VMath::Vector3D<float>(x, 10.0f, z),
                                 offset));
    }
    QuadBuilder builder(vertices_, quads);

    technique_ = effect_->GetTechniqueByName("Render");
    const D3D10_INPUT_ELEMENT_DESC elements[] = {
        {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D10_INPUT_PER_VERTEX_DATA, 0},
        {"TEXCOORD", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 12, D3D10_INPUT_PER_VERTEX_DATA, 0},
        {"TEXCOORD", 1, DXGI_FORMAT_R32G32B32_FLOAT, 0, 24, D3D10_INPUT_PER_VERTEX_DATA, 0},
        {"TEXCOORD", 2, DXGI_FORMAT_R32G32B32_FLOAT, 0, 36, D3D10_INPUT_PER_VERTEX_DATA, 0},
    };
    D3D10_PASS_DESC passDesc;
    CheckResult(technique_->GetPassByIndex(3)->GetDesc(&passDesc));
    mesh_ = new Mesh(elements, 4, passDesc, vertices_, sizeof(ParticleVertex), vertexCount,
                     D3D10_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
}

void GrowthParticles::InitEffectVariables() {
    particlesShiftVariable_ = effect_->GetVariableByName("ParticlesShift")->AsScalar();
    particleTextureVariable_ = effect_->GetVariableByName("ParticleTexture")->AsShaderResource();
    CheckResult(particleTextureVariable_->SetResource(texture_->GetSourceView()));
}

void GrowthParticles::CreateControllers() {
    pack_ = new VarPack(1);
    // From 0 up to 1 every four seconds: each particle's way up its path.
    controller_ = new LinearController<float>(pack_, 0, 0, 4000, true, 0.0f, 1.0f);
}

void GrowthParticles::Start(unsigned time) {
    startTime_ = time;
    controller_->Start(static_cast<int>(time));
}

void GrowthParticles::Update(unsigned time) { controller_->Update(static_cast<int>(time)); }

void GrowthParticles::Render() {
    CheckResult(particlesShiftVariable_->SetFloat(pack_->Get(0)));
    // The part's own layout and buffer replace the scene's until its next frame.
    mesh_->Bind();
    CheckResult(technique_->GetPassByIndex(3)->Apply(0));
    device->Draw(vertexCount, 0);
}

}  // namespace VRK
