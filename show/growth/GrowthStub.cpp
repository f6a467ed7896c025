#include "GrowthStub.h"

namespace VRK {

GrowthStub::GrowthStub(GrowthVertex*, ID3D10Effect*, const VertexRange*, ID3D10RenderTargetView*) {}

GrowthStub::~GrowthStub() {}

}  // namespace VRK
