// One scene part's slice of the vertex array that the parts of a scene share.
#pragma once

namespace VRK {

struct VertexRange {
    VertexRange() : first(0), count(0), stride(0) {}

    unsigned first;
    unsigned count;
    unsigned stride;
};

}  // namespace VRK
