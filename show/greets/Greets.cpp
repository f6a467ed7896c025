#include "Greets.h"

#include "GreetsLetters.h"
#include "VertexRange.h"

#include "framework.h"
#include "globals.h"

namespace VRK {

namespace {

const unsigned groundVertexCount = 6;

}  // namespace

Greets::Greets()
    : ground_(nullptr),
      letters_(nullptr),
      startTime_(0),
      effect_(nullptr),
      technique_(nullptr),
      mesh_(nullptr),
      vertices_(nullptr),
      vertexCount_(0) {
    effect_ = LoadEffect("data/fx/greets.fx");
    technique_ = effect_->GetTechniqueByName("Render");

    const unsigned stride = sizeof(GreetsVertex);
    VertexRange groundRange;
    groundRange.first = 0;
    groundRange.count = groundVertexCount;
    groundRange.stride = stride;
    VertexRange lettersRange;
    lettersRange.first = groundRange.count;
    lettersRange.count = GreetsLetters::VertexCount();
    lettersRange.stride = stride;

    vertexCount_ = groundRange.count + lettersRange.count;
    vertices_ = new GreetsVertex[vertexCount_];

    ground_ = new GreetsGround(vertices_, effect_, &groundRange, backBufferView);
    // The letters make all of the scene's random draws.
    letters_ = new GreetsLetters(vertices_, effect_, &lettersRange, backBufferView);

    const D3D10_INPUT_ELEMENT_DESC elements[] = {
        {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D10_INPUT_PER_VERTEX_DATA, 0},
        {"NORMAL", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 12, D3D10_INPUT_PER_VERTEX_DATA, 0},
        {"TEXCOORD", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 24, D3D10_INPUT_PER_VERTEX_DATA, 0},
        {"TEXCOORD", 1, DXGI_FORMAT_R32G32B32_FLOAT, 0, 36, D3D10_INPUT_PER_VERTEX_DATA, 0},
        {"TEXCOORD", 2, DXGI_FORMAT_R32G32B32_FLOAT, 0, 48, D3D10_INPUT_PER_VERTEX_DATA, 0},
    };
    // Pass 0's input signature serves both passes.
    D3D10_PASS_DESC passDesc;
    CheckResult(technique_->GetPassByIndex(0)->GetDesc(&passDesc));
    mesh_ = new Mesh(elements, 5, passDesc, vertices_, stride, vertexCount_, D3D10_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
}

Greets::~Greets() {
    delete ground_;
    delete letters_;
    delete mesh_;
    delete[] vertices_;
}

void Greets::Start(unsigned time) {
    startTime_ = time;
    ground_->Start(time);
    letters_->Start(time);
}

void Greets::Update(unsigned time) {
    ground_->Update(time);
    letters_->Update(time);
}

void Greets::Render() {
    mesh_->Bind();
    ground_->Render();
    letters_->Render();
}

}  // namespace VRK
