// A hexagon-grid image on a quad over the left of the screen, drawn last
// over whatever the field left in the back buffer.
#pragma once

#include "VertexRange.h"

#include "texture.h"

#include <d3d10.h>

namespace VRK {

class Overlay {
public:
    Overlay(void* vertices, ID3D10Effect* effect, const VertexRange* range, ID3D10RenderTargetView* target);
    ~Overlay();

    Overlay(const Overlay&) = delete;
    Overlay& operator=(const Overlay&) = delete;

    // The overlay does not move: nothing to start or update.
    void Start(unsigned time);
    void Update(unsigned time);
    void Render();

private:
    void BuildGeometry();
    void InitEffectVariables();
    void CreateControllers();

    unsigned char* vertices_;
    VertexRange range_;
    ID3D10Effect* effect_;
    ID3D10EffectTechnique* technique_;
    ID3D10EffectShaderResourceVariable* overlayTextureVariable_;
    Texture* gridTexture_;
    ID3D10RenderTargetView* targetView_;
};

}  // namespace VRK
