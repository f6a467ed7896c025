#include "EndSphere.h"

#include "framework.h"
#include "globals.h"
#include "spindlemesh.h"

#include <cmath>

namespace VRK {

namespace {

const unsigned slices = 12;
const unsigned halfRings = 7;

}  // namespace

EndSphere::EndSphere(ID3D10Effect* effect, ID3D10RenderTargetView* backTarget, ID3D10RenderTargetView* frontTarget)
    : vertices_(nullptr),
      vertexCount_(0),
      effect_(effect),
      technique_(nullptr),
      mesh_(nullptr),
      modelVariable_(nullptr),
      viewVariable_(nullptr),
      projectionVariable_(nullptr),
      backTargetView_(backTarget),
      frontTargetView_(frontTarget),
      startTime_(0),
      camera_(),
      pack_(nullptr),
      model_(),
      controller_(nullptr) {
    camera_.eye = VMath::Vector3D<float>(0.0f, 1.0f, -5.0f);
    camera_.aspect = aspectRatio;
    // BuildGeometry takes pass 1's input signature from the technique.
    InitEffectVariables();
    BuildGeometry();
    CreateControllers();
}

EndSphere::~EndSphere() {}

void EndSphere::InitEffectVariables() {
    technique_ = effect_->GetTechniqueByName("Render");
    modelVariable_ = effect_->GetVariableByName("Model")->AsMatrix();
    viewVariable_ = effect_->GetVariableByName("View")->AsMatrix();
    projectionVariable_ = effect_->GetVariableByName("Projection")->AsMatrix();
}

void EndSphere::BuildGeometry() {
    vertexCount_ = SpindleMesh::VertexCount(slices, halfRings, 0, 0);
    vertices_ = new SphereVertex[vertexCount_];

    // Flat normals and nothing else: the builder's 24-byte record.
    SpindleDesc desc = {};
    desc.output = vertices_;
    desc.slices = slices;
    desc.halfRings = halfRings;
    desc.reserved0 = 0;
    desc.reserved1 = 0;
    desc.smoothNormals = 0;
    desc.radiusProfile = &EndSphere::RadiusProfile;
    desc.offsetProfile = nullptr;
    desc.attributeA = VMath::Vector3D<float>(0.0f, 0.0f, 0.0f);
    desc.attributeB = VMath::Vector3D<float>(0.0f, 0.0f, 0.0f);
    desc.flags = 1;
    desc.texcoordScale = 0.1f;
    desc.size = VMath::Vector3D<float>(2.0f, 2.0f, 2.0f);
    {
        SpindleMesh builder(desc);
    }

    const D3D10_INPUT_ELEMENT_DESC elements[] = {
        {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D10_INPUT_PER_VERTEX_DATA, 0},
        {"NORMAL", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 12, D3D10_INPUT_PER_VERTEX_DATA, 0},
    };
    // Pass 2 draws with the layout built against pass 1.
    D3D10_PASS_DESC passDesc;
    CheckResult(technique_->GetPassByIndex(1)->GetDesc(&passDesc));
    mesh_ = new Mesh(elements, 2, passDesc, vertices_, sizeof(SphereVertex), vertexCount_,
                     D3D10_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
}

void EndSphere::CreateControllers() {
    pack_ = new VarPack(1);
    // One turn in 20 s; the scene ends long before the loop comes round.
    controller_ = new LinearController<float>(pack_, 0, 0, 20000, true, 0.0f, 6.2831855f);
}

VMath::Vector3D<float> EndSphere::RadiusProfile(float t) {
    // Two roundings to float, then the cosine in double; 0.95 of a quarter
    // turn keeps the outermost rings just off the axis.
    const float p = static_cast<float>(static_cast<double>(t) * 3.141592653589793 * 0.5);
    const float q = static_cast<float>(static_cast<double>(p) * static_cast<double>(0.95f));
    const float r = static_cast<float>(std::cos(static_cast<double>(q)));
    return VMath::Vector3D<float>(r, 1.0f, r);
}

void EndSphere::Start(unsigned time) {
    startTime_ = time;
    controller_->Start(static_cast<int>(time));
}

void EndSphere::Update(unsigned time) {
    controller_->Update(static_cast<int>(time));
    const float a = pack_->Get(0);
    const float twice = a * 2.0f;
    model_ = (RotationY(a) * RotationX(twice)) * RotationZ(a);
}

void EndSphere::Render() {
    mesh_->Bind();
    CheckResult(modelVariable_->SetMatrix(&model_.m[0][0]));
    VMath::Matrix4x4 view = camera_.ViewMatrix();
    CheckResult(viewVariable_->SetMatrix(&view.m[0][0]));
    VMath::Matrix4x4 projection = camera_.ProjectionMatrix();
    CheckResult(projectionVariable_->SetMatrix(&projection.m[0][0]));

    // No viewport of its own: the halo set the full-screen one this frame.
    const float transparent[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    device->OMSetRenderTargets(1, &backTargetView_, nullptr);
    device->ClearRenderTargetView(backTargetView_, transparent);
    CheckResult(technique_->GetPassByIndex(1)->Apply(0));
    device->Draw(vertexCount_, 0);

    device->OMSetRenderTargets(1, &frontTargetView_, nullptr);
    device->ClearRenderTargetView(frontTargetView_, transparent);
    CheckResult(technique_->GetPassByIndex(2)->Apply(0));
    device->Draw(vertexCount_, 0);
}

}  // namespace VRK
