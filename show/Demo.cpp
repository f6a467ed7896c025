#include "Demo.h"

#include "conformity/Conformity.h"
#include "end/End.h"
#include "greets/Greets.h"
#include "growth/Growth.h"

#include "WriteQuad.h"
#include "framework.h"
#include "globals.h"

#include <cstdlib>

namespace VRK {

const unsigned conformityOffset = 0;
const unsigned growthOffset = 8000;
const unsigned greetsOffset = 16000;
const unsigned endOffset = 36000;
const unsigned demoLength = 48000;

namespace {

// The caption strip of each scene starts at this height of the caption image.
const float conformitySelect = 0.0f;
const float growthSelect = 0.15f;
const float greetsSelect = 0.28f;
const float endSelect = 0.61f;

}  // namespace

Demo::Demo()
    : startTime_(0),
      currentTime_(0),
      conformityScene_(nullptr),
      growthScene_(nullptr),
      greetsScene_(nullptr),
      endScene_(nullptr),
      textTexture_(nullptr),
      textEffect_(nullptr),
      textTechnique_(nullptr),
      textMesh_(nullptr),
      textVariable_(nullptr),
      textSelectVariable_(nullptr) {
    // The scenes draw from the one random sequence in this order, which fixes
    // every picture of the show.
    conformityScene_ = new Conformity;
    growthScene_ = new Growth;
    greetsScene_ = new Greets;
    endScene_ = new End;

    textEffect_ = LoadEffect("data/fx/text.fx");
    textTechnique_ = textEffect_->GetTechniqueByName("Render");
    textVariable_ = textEffect_->GetVariableByName("Text")->AsShaderResource();
    textSelectVariable_ = textEffect_->GetVariableByName("textSelect")->AsScalar();
    textTexture_ = new Texture(L"data/images/text.png", 512, 2048);
    textVariable_->SetResource(textTexture_->GetSourceView());

    BuildTextQuad();
}

Demo::~Demo() {
    delete conformityScene_;
    delete growthScene_;
    delete greetsScene_;
    delete endScene_;
}

void Demo::BuildTextQuad() {
    TextVertex a, b, c, d;
    a.position = VMath::Vector3D<float>(-0.5f, 0.0f, 0.0f);
    a.texcoord = VMath::Vector2D<float>(0.0f, 0.0f);
    b.position = VMath::Vector3D<float>(1.0f, 0.0f, 0.0f);
    b.texcoord = VMath::Vector2D<float>(1.0f, 0.0f);
    c.position = VMath::Vector3D<float>(1.0f, -0.5f, 0.0f);
    c.texcoord = VMath::Vector2D<float>(1.0f, growthSelect);
    d.position = VMath::Vector3D<float>(-0.5f, -0.5f, 0.0f);
    d.texcoord = VMath::Vector2D<float>(0.0f, growthSelect);
    WriteQuad(textQuad_, a, b, c, d);

    D3D10_INPUT_ELEMENT_DESC elements[] = {
        {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, 0, D3D10_INPUT_PER_VERTEX_DATA, 0},
        {"TEXCOORD", 0, DXGI_FORMAT_R32G32_FLOAT, 0, 12, D3D10_INPUT_PER_VERTEX_DATA, 0},
    };
    D3D10_PASS_DESC passDesc;
    CheckResult(textTechnique_->GetPassByIndex(0)->GetDesc(&passDesc));
    textMesh_ = new Mesh(elements, 2, passDesc, textQuad_, sizeof(TextVertex), 6,
                         D3D10_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
}

void Demo::Start(unsigned time) {
    startTime_ = currentTime_ = time;
    conformityScene_->Start(time + conformityOffset);
    growthScene_->Start(time + growthOffset);
    greetsScene_->Start(time + greetsOffset);
    endScene_->Start(time + endOffset);
}

void Demo::Update(unsigned time) {
    currentTime_ = time;
    // Unsigned sums and comparisons: each window includes its start and
    // excludes its end.
    if (time < startTime_ + growthOffset)
        conformityScene_->Update(time);
    else if (time < startTime_ + greetsOffset)
        growthScene_->Update(time);
    else if (time < startTime_ + endOffset)
        greetsScene_->Update(time);
    else if (time < startTime_ + demoLength)
        endScene_->Update(time);
    else
        exit(1);
}

void Demo::Render() {
    if (currentTime_ < startTime_ + growthOffset) {
        textSelectVariable_->SetFloat(conformitySelect);
        conformityScene_->Render();
    } else if (currentTime_ < startTime_ + greetsOffset) {
        textSelectVariable_->SetFloat(growthSelect);
        growthScene_->Render();
    } else if (currentTime_ < startTime_ + endOffset) {
        textSelectVariable_->SetFloat(greetsSelect);
        greetsScene_->Render();
    } else {
        textSelectVariable_->SetFloat(endSelect);
        endScene_->Render();
    }

    // The caption goes over whatever the scene left bound: the back buffer.
    textMesh_->Bind();
    CheckResult(textTechnique_->GetPassByIndex(0)->Apply(0));
    device->Draw(6, 0);
    CheckResult(swapChain->Present(0, 0));
}

}  // namespace VRK
