// The show: four scenes on a fixed 48-second timeline, a caption strip over
// each, one presented frame per call of Render.
#pragma once

#include "mesh.h"
#include "texture.h"
#include "vector2d.h"
#include "vector3d.h"

#include <d3d10.h>

namespace VRK {

class Conformity;
class Growth;
class Greets;
class End;

// Milliseconds after the show's start.
extern const unsigned conformityOffset;
extern const unsigned growthOffset;
extern const unsigned greetsOffset;
extern const unsigned endOffset;
extern const unsigned demoLength;

struct TextVertex {
    VMath::Vector3D<float> position;
    VMath::Vector2D<float> texcoord;
};
static_assert(sizeof(TextVertex) == 20, "the caption vertex is 20 bytes");

class Demo {
public:
    Demo();
    ~Demo();

    Demo(const Demo&) = delete;
    Demo& operator=(const Demo&) = delete;

    void Start(unsigned time);
    void Update(unsigned time);
    void Render();

private:
    void BuildTextQuad();

    unsigned startTime_;
    unsigned currentTime_;
    Conformity* conformityScene_;
    Growth* growthScene_;
    Greets* greetsScene_;
    End* endScene_;
    Texture* textTexture_;
    TextVertex textQuad_[6];
    ID3D10Effect* textEffect_;
    ID3D10EffectTechnique* textTechnique_;
    Mesh* textMesh_;
    ID3D10EffectShaderResourceVariable* textVariable_;
    ID3D10EffectScalarVariable* textSelectVariable_;
};

}  // namespace VRK
