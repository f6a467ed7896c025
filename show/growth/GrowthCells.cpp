#include "GrowthCells.h"

#include "GrowthVertex.h"

#include "framework.h"
#include "globals.h"
#include "spindlemesh.h"
#include "vector4d.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace VRK {

namespace {

const unsigned clusters = 32;
const unsigned spindlesPerCluster = 6;
const unsigned slices = 6;
const unsigned halfRings = 16;
const float pi = 3.14159274f;

unsigned SpindleVertices() { return SpindleMesh::VertexCount(slices, halfRings, 0, 0); }

VMath::Vector3D<float> Turned(const VMath::Vector3D<float>& v, const VMath::Matrix4x4& m) {
    const VMath::Vector4D<float> r = VMath::Vector4D<float>(v, 1.0f) * m;
    return VMath::Vector3D<float>(r.x, r.y, r.z);
}

}  // namespace

GrowthCells::GrowthCells(void* vertices, ID3D10Effect* effect, const VertexRange* range,
                         ID3D10RenderTargetView* target)
    : vertices_(vertices),
      range_(*range),
      effect_(effect),
      technique_(nullptr),
      timeVariable_(nullptr),
      targetView_(target),
      startTime_(0),
      seconds_(0.0f) {
    BuildGeometry();
    InitEffectVariables();
    CreateControllers();
}

GrowthCells::~GrowthCells() {}

unsigned GrowthCells::VertexCount() { return SpindleVertices() * clusters * spindlesPerCluster; }

VMath::Vector3D<float> GrowthCells::RadiusProfile(float t) {
    // The two top rings flare out to four times the stem: a cap on a stalk.
    if (t > 0.9f)
        return VMath::Vector3D<float>(4.0f, 1.0f, 4.0f);
    return VMath::Vector3D<float>(1.0f, 1.0f, 1.0f);
}

void GrowthCells::BuildGeometry() {
    const unsigned spindleVertices = SpindleVertices();
    const unsigned clusterVertices = spindleVertices * spindlesPerCluster;
    GrowthVertex* out = static_cast<GrowthVertex*>(vertices_) + range_.first;
    std::vector<GrowthVertex> scratch(spindleVertices);
    for (unsigned i = 0; i < clusters; ++i) {
        // z is drawn before x.
        const int zDraw = std::rand() % 16;
        const int xDraw = std::rand() % 16;
        VMath::Vector3D<float> centre((static_cast<float>(xDraw) - 7.5f) * 4.0f, 0.0f,
                                      (static_cast<float>(zDraw) - 7.5f) * 4.0f);
        // The first cluster stands at the origin, yet its draws are made.
        if (i == 0)
            centre = VMath::Vector3D<float>(0.0f, 0.0f, 0.0f);
        for (unsigned j = 0; j < spindlesPerCluster; ++j) {
            const int a = std::rand() % 8;
            const int b = std::rand() % 4;
            const int c = std::rand() % 8;
            const float height = static_cast<float>(a - 4) * 0.25f + 3.0f;
            const float tilt = (static_cast<float>(b) - 1.5f) * pi / 8.0f;
            const float turn = static_cast<float>(c) * pi / 8.0f;
            const VMath::Matrix4x4 m = RotationX(tilt) * RotationY(turn);

            std::fill(scratch.begin(), scratch.end(), GrowthVertex());
            SpindleDesc desc = {};
            desc.output = scratch.data();
            desc.slices = slices;
            desc.halfRings = halfRings;
            desc.reserved0 = 0;
            desc.reserved1 = 0;
            desc.smoothNormals = 1;
            desc.radiusProfile = &GrowthCells::RadiusProfile;
            desc.offsetProfile = nullptr;
            desc.attributeA = centre;
            desc.attributeB = VMath::Vector3D<float>(0.0f, 0.0f, 0.0f);
            desc.flags = 5;
            desc.texcoordScale = 0.1f;
            desc.size = VMath::Vector3D<float>(0.1f, height, 0.1f);
            { SpindleMesh builder(desc); }

            GrowthVertex* spindle = out + i * clusterVertices + j * spindleVertices;
            for (unsigned k = 0; k < spindleVertices; ++k) {
                // Raised by half its height: the lower pole sinks below the
                // ground, the rest stands above it.
                VMath::Vector3D<float> position = scratch[k].position;
                position.y += height * 0.5f;
                spindle[k].position = Turned(position, m);
                spindle[k].normal = Turned(scratch[k].normal, m);
                spindle[k].texcoord = scratch[k].texcoord;
            }
        }
    }
}

void GrowthCells::InitEffectVariables() {
    technique_ = effect_->GetTechniqueByName("Render");
    timeVariable_ = effect_->GetVariableByName("Time")->AsScalar();
}

void GrowthCells::CreateControllers() {}

void GrowthCells::Start(unsigned time) { startTime_ = time; }

void GrowthCells::Update(unsigned time) {
    seconds_ = static_cast<float>(static_cast<int>(time - startTime_) / 1000.0);
}

void GrowthCells::Render() {
    // The one effect variable whose result the part does not look at.
    timeVariable_->SetFloat(seconds_);
    CheckResult(technique_->GetPassByIndex(1)->Apply(0));
    device->Draw(range_.count, range_.first);
}

}  // namespace VRK
