#include "QuadBuilder.h"

#include "WriteQuad.h"

#include <boost/bind/bind.hpp>

#include <algorithm>

namespace VRK {

QuadBuilder::QuadBuilder(ParticleVertex* out, const std::vector<QuadDesc>& quads) : index_(0) {
    std::for_each(quads.begin(), quads.end(),
                  boost::bind(&QuadBuilder::AddQuad, this, boost::placeholders::_1, out));
}

void QuadBuilder::AddQuad(const QuadDesc& quad, ParticleVertex* out) {
    const float hw = quad.width * 0.5f;
    const float hh = quad.height * 0.5f;
    ParticleVertex a, b, c, d;
    a.position = VMath::Vector3D<float>(-hw, hh, 0.0f);
    b.position = VMath::Vector3D<float>(hw, hh, 0.0f);
    c.position = VMath::Vector3D<float>(hw, -hh, 0.0f);
    d.position = VMath::Vector3D<float>(-hw, -hh, 0.0f);
    a.texcoord0 = VMath::Vector3D<float>(0.0f, 0.0f, quad.offset);
    b.texcoord0 = VMath::Vector3D<float>(1.0f, 0.0f, quad.offset);
    c.texcoord0 = VMath::Vector3D<float>(1.0f, 1.0f, quad.offset);
    d.texcoord0 = VMath::Vector3D<float>(0.0f, 1.0f, quad.offset);
    for (ParticleVertex* corner : {&a, &b, &c, &d}) {
        corner->texcoord1 = quad.from;
        corner->texcoord2 = quad.to;
    }
    WriteQuad(out + index_, a, b, c, d);
    index_ += 6;
}

}  // namespace VRK
