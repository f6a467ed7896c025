// Turns a list of particle descriptions into their quads, six vertices each,
// in list order.
#pragma once

#include "ParticleVertex.h"

#include "vector3d.h"

#include <vector>

namespace VRK {

// One particle before it becomes vertices.
struct QuadDesc {
    QuadDesc(float width_, float height_, const VMath::Vector3D<float>& from_, const VMath::Vector3D<float>& to_,
             float offset_)
        : width(width_), height(height_), from(from_), to(to_), offset(offset_) {}

    float width;
    float height;
    VMath::Vector3D<float> from;
    VMath::Vector3D<float> to;
    float offset;
};

class QuadBuilder {
public:
    // Writes 6 * quads.size() vertices from out on.
    QuadBuilder(ParticleVertex* out, const std::vector<QuadDesc>& quads);

    QuadBuilder(const QuadBuilder&) = delete;
    QuadBuilder& operator=(const QuadBuilder&) = delete;

    void AddQuad(const QuadDesc& quad, ParticleVertex* out);

private:
    unsigned index_;
};

}  // namespace VRK
