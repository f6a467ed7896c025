// Builds a flat ribbon along a cubic Bezier curve as a triangle list straight
// into the caller's vertex array.
#pragma once

#include "vector2d.h"
#include "vector3d.h"

namespace VRK {

struct RibbonDesc {
    void* output;       // first output vertex
    unsigned segments;  // N: the ribbon has 6N vertices
    VMath::Vector3D<float> p0;
    VMath::Vector3D<float> p1;
    VMath::Vector3D<float> p2;
    VMath::Vector3D<float> p3;
    float width;        // distance from the curve to the second edge
    float uStart;
    float uStep;        // increase of u per segment
    float vCurve;       // v along the curve edge
    float vEdge;        // v along the second edge
    VMath::Vector3D<float> up;  // the second edge lies along Cross(up, tangent)
    unsigned flags;     // 1 normals, 2 texture coordinates
};

class RibbonMesh {
public:
    struct Vertex {
        Vertex() {}
        Vertex(const VMath::Vector3D<float>& position_, const VMath::Vector3D<float>& normal_,
               const VMath::Vector2D<float>& texcoord_)
            : position(position_), normal(normal_), texcoord(texcoord_) {}

        VMath::Vector3D<float> position;
        VMath::Vector3D<float> normal;
        VMath::Vector2D<float> texcoord;
    };

    // Writes 6 * desc.segments vertices from desc.output on.
    explicit RibbonMesh(RibbonDesc desc);
    ~RibbonMesh();

private:
    RibbonMesh(const RibbonMesh&) = delete;
    RibbonMesh& operator=(const RibbonMesh&) = delete;

    void Allocate();
    void BuildCurve();
    void Triangulate();
    void WriteVertices();
    void EmitQuad(Vertex* out, const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d);
    Vertex PointVertex(unsigned index) const;

    RibbonDesc desc_;
    unsigned stride_;
    unsigned vertexCount_;
    unsigned pointCount_;
    VMath::Vector3D<float>* points_;
    VMath::Vector3D<float>* tangents_;
    VMath::Vector3D<float>* normals_;
    VMath::Vector2D<float>* texcoords_;
    Vertex* tempVertices_;
    bool hasNormals_;
    bool hasTexcoords_;
};

}  // namespace VRK
