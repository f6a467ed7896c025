// Four corners, given in order around a quad, as the two triangles (a, b, c)
// and (a, c, d) that share the diagonal from a to c.
#pragma once

namespace VRK {

template <typename Vertex>
void WriteQuad(Vertex* out, const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d) {
    out[0] = a;
    out[1] = b;
    out[2] = c;
    out[3] = a;
    out[4] = c;
    out[5] = d;
}

}  // namespace VRK
