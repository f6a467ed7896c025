// A part that takes an empty slice of the Growth scene's array and does
// nothing with it: it is constructed and deleted with its siblings, never
// started, updated or drawn.
#pragma once

#include "GrowthVertex.h"
#include "VertexRange.h"

#include <d3d10.h>

namespace VRK {

class GrowthStub {
public:
    GrowthStub(GrowthVertex* vertices, ID3D10Effect* effect, const VertexRange* range,
               ID3D10RenderTargetView* target);
    ~GrowthStub();

    GrowthStub(const GrowthStub&) = delete;
    GrowthStub& operator=(const GrowthStub&) = delete;

private:
    // Left as its default constructor sets it; nothing reads it.
    VertexRange range_;
};

}  // namespace VRK
