#include "Conformity.h"

#include "HexField.h"
#include "Overlay.h"
#include "RtModel.h"
#include "SceneLayout.h"
#include "VertexRange.h"

#include "framework.h"
#include "globals.h"
#include "spindlemesh.h"

namespace VRK {

namespace {

const unsigned modelTargetSize = 256;
const unsigned fieldCells = 1600;
const unsigned overlayVertexCount = 6;

}  // namespace

Conformity::Conformity()
    : rtModel_(nullptr),
      hexField_(nullptr),
      overlay_(nullptr),
      startTime_(0),
      modelTarget_(nullptr),
      effect_(nullptr),
      technique_(nullptr),
      mesh_(nullptr),
      vertices_(nullptr),
      vertexCount_(0),
      modelTextureVariable_(nullptr) {
    modelTarget_ = new Texture(modelTargetSize, modelTargetSize, TexturePurpose::Target | TexturePurpose::Source);
    effect_ = LoadEffect("data/fx/sea.fx");
    technique_ = effect_->GetTechniqueByName("Render");
    // The later passes read the model through this variable; it is set once
    // and the result is not looked at.
    modelTextureVariable_ = effect_->GetVariableByName("KelpoTexture")->AsShaderResource();
    modelTextureVariable_->SetResource(modelTarget_->GetSourceView());

    // The array holds the field first, then the model, then the overlay,
    // although the parts are built and drawn model first.
    const unsigned stride = sizeof(ConformityVertex);
    VertexRange fieldRange;
    fieldRange.first = 0;
    fieldRange.count = SpindleMesh::VertexCount(6, 4, 0, 0) * fieldCells;
    fieldRange.stride = stride;
    VertexRange modelRange;
    modelRange.first = fieldRange.first + fieldRange.count;
    modelRange.count = SpindleMesh::VertexCount(4, 1, 0, 0);
    modelRange.stride = stride;
    VertexRange overlayRange;
    overlayRange.first = modelRange.first + modelRange.count;
    overlayRange.count = overlayVertexCount;
    overlayRange.stride = stride;

    vertexCount_ = overlayRange.first + overlayRange.count;
    vertices_ = new ConformityVertex[vertexCount_];

    rtModel_ = new RtModel(vertices_, effect_, &modelRange, modelTarget_->GetTargetView());
    hexField_ = new HexField(vertices_, effect_, &fieldRange, backBufferView, depthStencilView);
    overlay_ = new Overlay(vertices_, effect_, &overlayRange, backBufferView);

    // Pass 0's input signature serves all three passes.
    D3D10_PASS_DESC passDesc;
    CheckResult(technique_->GetPassByIndex(0)->GetDesc(&passDesc));
    mesh_ = new Mesh(positionNormalTexcoordElements, 3, passDesc, vertices_, stride, vertexCount_, D3D10_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
}

Conformity::~Conformity() {
    delete modelTarget_;
    delete[] vertices_;
    delete mesh_;
    delete rtModel_;
    delete hexField_;
    delete overlay_;
}

void Conformity::Start(unsigned time) {
    startTime_ = time;
    rtModel_->Start(time);
    hexField_->Start(time);
    overlay_->Start(time);
}

void Conformity::Update(unsigned time) {
    rtModel_->Update(time);
    hexField_->Update(time);
    overlay_->Update(time);
}

void Conformity::Render() {
    mesh_->Bind();
    rtModel_->Render();
    hexField_->Render();
    overlay_->Render();
}

}  // namespace VRK
