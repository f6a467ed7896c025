// Builds a closed spindle (rings around the y axis between two poles) as a
// triangle list straight into the caller's vertex array.
#pragma once

#include "vector2d.h"
#include "vector3d.h"

namespace VRK {

// Ring parameter t (-1 bottom ring .. 1 top ring) to a radius factor or an
// offset; only x and z are read.
typedef VMath::Vector3D<float> (*SpindleProfile)(float t);

struct SpindleDesc {
    void* output;           // first output vertex
    unsigned slices;        // points per ring
    unsigned halfRings;     // rings run from -halfRings to halfRings
    unsigned reserved0;
    unsigned reserved1;
    int smoothNormals;      // zero: one normal per quad and per cap triangle
    SpindleProfile radiusProfile;  // null: factor 1
    SpindleProfile offsetProfile;  // null: no shift
    VMath::Vector3D<float> attributeA;
    VMath::Vector3D<float> attributeB;
    unsigned flags;         // 1 normals, 2 texture coordinates, 4 attributeA, 8 attributeB
    float texcoordScale;    // step of v from one ring to the next
    VMath::Vector3D<float> size;  // radius along x, half height, radius along z
};

class SpindleMesh {
public:
    struct Vertex {
        VMath::Vector3D<float> position;
        VMath::Vector3D<float> normal;
        VMath::Vector2D<float> texcoord;
        VMath::Vector3D<float> attributeA;
        VMath::Vector3D<float> attributeB;
    };

    // Writes VertexCount(slices, halfRings, 0, 0) vertices from desc.output on.
    explicit SpindleMesh(SpindleDesc desc);
    ~SpindleMesh();

    // The last two arguments stand where the descriptor's reserved words are
    // and are ignored.
    static unsigned VertexCount(unsigned slices, unsigned halfRings, unsigned reserved0,
                                unsigned reserved1);

private:
    SpindleMesh(const SpindleMesh&) = delete;
    SpindleMesh& operator=(const SpindleMesh&) = delete;

    void BuildPositions();
    void TriangulatePositions();
    void BuildGridNormals();
    void TriangulateNormals();
    void BuildGridTexcoords();
    void TriangulateTexcoords();
    VMath::Vector3D<float> GridNormal(unsigned pointIndex, unsigned ringStart) const;
    void WriteVertices();

    unsigned GridIndex(int ring, unsigned column) const;
    unsigned TexcoordGridIndex(int ring, unsigned column) const;

    SpindleDesc desc_;
    unsigned stride_;
    unsigned vertexCount_;
    unsigned gridCount_;
    unsigned texcoordGridCount_;
    VMath::Vector3D<float>* gridPositions_;
    VMath::Vector3D<float>* gridNormals_;
    VMath::Vector2D<float>* gridTexcoords_;
    Vertex* tempVertices_;
    bool hasNormals_;
    bool hasTexcoords_;
    bool hasAttributeA_;
    bool hasAttributeB_;
};

}  // namespace VRK
