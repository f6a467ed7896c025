#include "Growth.h"

#include "GrowthCells.h"
#include "GrowthParticles.h"
#include "GrowthRibbons.h"
#include "GrowthStub.h"
#include "SceneLayout.h"
#include "VertexRange.h"

#include "framework.h"
#include "globals.h"

namespace VRK {

namespace {

const unsigned groundVertexCount = 6;

}  // namespace

Growth::Growth()
    : ground_(nullptr),
      cells_(nullptr),
      stub_(nullptr),
      ribbons_(nullptr),
      particles_(nullptr),
      startTime_(0),
      effect_(nullptr),
      technique_(nullptr),
      mesh_(nullptr),
      vertices_(nullptr),
      vertexCount_(0) {
    effect_ = LoadEffect("data/fx/growth.fx");
    technique_ = effect_->GetTechniqueByName("Render");

    // Back to back in the order ground, cells, stub, ribbons; the particles
    // keep a buffer of their own.
    const unsigned stride = sizeof(GrowthVertex);
    VertexRange groundRange;
    groundRange.first = 0;
    groundRange.count = groundVertexCount;
    groundRange.stride = stride;
    VertexRange cellsRange;
    cellsRange.first = groundRange.first + groundRange.count;
    cellsRange.count = GrowthCells::VertexCount();
    cellsRange.stride = stride;
    VertexRange stubRange;
    stubRange.first = cellsRange.first + cellsRange.count;
    stubRange.count = 0;
    stubRange.stride = stride;
    VertexRange ribbonsRange;
    ribbonsRange.first = stubRange.first + stubRange.count;
    ribbonsRange.count = GrowthRibbons::VertexCount();
    ribbonsRange.stride = stride;

    vertexCount_ = groundRange.count + cellsRange.count + stubRange.count + ribbonsRange.count;
    vertices_ = new GrowthVertex[vertexCount_];

    // This order fixes the random pictures: the cells draw first, the
    // ribbons reseed, the particles continue after them.
    ground_ = new GrowthGround(vertices_, effect_, &groundRange, backBufferView);
    cells_ = new GrowthCells(vertices_, effect_, &cellsRange, backBufferView);
    stub_ = new GrowthStub(vertices_, effect_, &stubRange, backBufferView);
    ribbons_ = new GrowthRibbons(vertices_, effect_, &ribbonsRange, backBufferView);
    particles_ = new GrowthParticles(effect_, backBufferView);

    // Pass 0's input signature serves passes 0 to 2.
    D3D10_PASS_DESC passDesc;
    CheckResult(technique_->GetPassByIndex(0)->GetDesc(&passDesc));
    mesh_ = new Mesh(positionNormalTexcoordElements, 3, passDesc, vertices_, stride, vertexCount_, D3D10_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
}

Growth::~Growth() {
    delete ground_;
    delete cells_;
    delete stub_;
    delete ribbons_;
    delete particles_;
    delete mesh_;
    delete[] vertices_;
}

void Growth::Start(unsigned time) {
    startTime_ = time;
    ground_->Start(time);
    cells_->Start(time);
    ribbons_->Start(time);
    particles_->Start(time);
}

void Growth::Update(unsigned time) {
    ground_->Update(time);
    cells_->Update(time);
    ribbons_->Update(time);
    particles_->Update(time);
}

void Growth::Render() {
    mesh_->Bind();
    ground_->Render();
    cells_->Render();
    ribbons_->Render();
    particles_->Render();
}

}  // namespace VRK
