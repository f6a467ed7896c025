// The third scene: a long hexagon-patterned ground under a camera that pans
// along it, and over it the thirteen greeting names in block letters that
// burst into tumbling boxes as "Explode" rises through the scene.
#pragma once

#include "GreetsGround.h"
#include "GreetsVertex.h"

#include "mesh.h"

#include <d3d10.h>

namespace VRK {

class GreetsLetters;

class Greets {
public:
    Greets();
    virtual ~Greets();

    Greets(const Greets&) = delete;
    Greets& operator=(const Greets&) = delete;

    void Start(unsigned time);
    void Update(unsigned time);
    void Render();

    // The shared array as the parts left it (it is never written afterwards).
    const GreetsVertex* Vertices() const { return vertices_; }
    unsigned VertexCount() const { return vertexCount_; }

private:
    GreetsGround* ground_;
    GreetsLetters* letters_;
    unsigned startTime_;
    ID3D10Effect* effect_;
    ID3D10EffectTechnique* technique_;
    Mesh* mesh_;
    GreetsVertex* vertices_;
    unsigned vertexCount_;
};

}  // namespace VRK
