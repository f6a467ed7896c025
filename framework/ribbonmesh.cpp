#include "ribbonmesh.h"

#include "WriteQuad.h"

#include <cstring>

namespace VRK {

namespace {

typedef VMath::Vector3D<float> Vec3;
typedef VMath::Vector2D<float> Vec2;

// The first and last tangents use one difference, the inner ones the
// normalised sum of the two neighbouring normalised differences.
void BuildTangents(const Vec3* points, Vec3* tangents, unsigned n) {
    tangents[0] = (points[1] - points[0]).Normalized();
    tangents[n] = (points[n] - points[n - 1]).Normalized();
    for (unsigned k = 1; k < n; ++k) {
        tangents[k] = ((points[k] - points[k - 1]).Normalized() +
                       (points[k + 1] - points[k]).Normalized()).Normalized();
    }
}

}  // namespace

RibbonMesh::RibbonMesh(RibbonDesc desc)
    : desc_(desc),
      stride_(0),
      vertexCount_(0),
      pointCount_(0),
      points_(nullptr),
      tangents_(nullptr),
      normals_(nullptr),
      texcoords_(nullptr),
      tempVertices_(nullptr),
      hasNormals_(false),
      hasTexcoords_(false) {
    Allocate();
    // Without a segment there is no curve to sample and no vertex to write;
    // the end tangents would otherwise read outside the point arrays.
    if (desc_.segments == 0) {
        return;
    }
    BuildCurve();
    Triangulate();
    WriteVertices();
}

RibbonMesh::~RibbonMesh() {
    delete[] points_;
    delete[] tangents_;
    delete[] normals_;
    delete[] texcoords_;
    delete[] tempVertices_;
}

void RibbonMesh::Allocate() {
    hasNormals_ = (desc_.flags & 1) != 0;
    hasTexcoords_ = (desc_.flags & 2) != 0;
    vertexCount_ = 6 * desc_.segments;
    // The texture coordinate occupies three floats of the stride, of which
    // only u and v are written.
    stride_ = 4 * (3 + 3 * hasNormals_ + 3 * hasTexcoords_);
    tempVertices_ = new Vertex[vertexCount_];
}

// Points 0..N lie on the curve, N+1..2N+1 on the second edge; tangents,
// normals and texture coordinates share those indices.
void RibbonMesh::BuildCurve() {
    const unsigned n = desc_.segments;
    const float step = static_cast<float>(1.0 / n);
    pointCount_ = 2 * n + 2;
    points_ = new Vec3[pointCount_];
    tangents_ = new Vec3[pointCount_];
    normals_ = new Vec3[pointCount_];
    texcoords_ = new Vec2[pointCount_];

    Vec3* curve = points_;
    Vec3* edge = points_ + n + 1;
    for (unsigned k = 0; k <= n; ++k) {
        const float t = static_cast<float>(k) * step;
        const float s = 1 - t;
        const float b0 = s * s * s;
        const float b1 = s * 3 * s * t;
        const float b2 = s * 3 * t * t;
        const float b3 = t * t * t;
        curve[k] = b0 * desc_.p0 + b1 * desc_.p1 + b2 * desc_.p2 + b3 * desc_.p3;
    }
    BuildTangents(curve, tangents_, n);

    for (unsigned k = 0; k <= n; ++k) {
        edge[k] = curve[k] + desc_.up.Cross(tangents_[k]).Normalized() * desc_.width;
    }
    BuildTangents(edge, tangents_ + n + 1, n);

    for (unsigned k = 0; k <= n; ++k) {
        const Vec3 across = edge[k] - curve[k];
        normals_[k] = tangents_[k].Cross(across).Normalized();
        normals_[n + 1 + k] = tangents_[n + 1 + k].Cross(across).Normalized();
    }

    for (unsigned k = 0; k <= n; ++k) {
        const float u = static_cast<float>(k) * desc_.uStep + desc_.uStart;
        texcoords_[k] = Vec2(u, desc_.vCurve);
        texcoords_[n + 1 + k] = Vec2(u, desc_.vEdge);
    }
}

RibbonMesh::Vertex RibbonMesh::PointVertex(unsigned index) const {
    return Vertex(points_[index], normals_[index], texcoords_[index]);
}

void RibbonMesh::Triangulate() {
    const unsigned n = desc_.segments;
    unsigned counter = 0;
    for (unsigned k = 0; k < n; ++k) {
        EmitQuad(tempVertices_ + counter, PointVertex(k), PointVertex(k + 1), PointVertex(n + 2 + k),
                 PointVertex(n + 1 + k));
        counter += 6;
    }
}

void RibbonMesh::EmitQuad(Vertex* out, const Vertex& a, const Vertex& b, const Vertex& c,
                          const Vertex& d) {
    WriteQuad(out, a, b, c, d);
}

// u and v go right behind the position or the normal; the texture
// coordinate's third float stays as the caller's array had it.
void RibbonMesh::WriteVertices() {
    unsigned char* out = static_cast<unsigned char*>(desc_.output);
    for (unsigned i = 0; i < vertexCount_; ++i) {
        unsigned char* at = out + static_cast<size_t>(i) * stride_;
        const Vertex& v = tempVertices_[i];
        std::memcpy(at, &v.position, sizeof v.position);
        at += sizeof v.position;
        if (hasNormals_) {
            std::memcpy(at, &v.normal, sizeof v.normal);
            at += sizeof v.normal;
        }
        if (hasTexcoords_) {
            std::memcpy(at, &v.texcoord, sizeof v.texcoord);
        }
    }
}

}  // namespace VRK
