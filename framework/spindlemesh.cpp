#include "spindlemesh.h"

#include <cmath>
#include <cstring>

namespace VRK {

namespace {

typedef VMath::Vector3D<float> Vec3;
typedef VMath::Vector2D<float> Vec2;

}  // namespace

SpindleMesh::SpindleMesh(SpindleDesc desc)
    : desc_(desc),
      stride_(0),
      vertexCount_(0),
      gridCount_(0),
      texcoordGridCount_(0),
      gridPositions_(nullptr),
      gridNormals_(nullptr),
      gridTexcoords_(nullptr),
      tempVertices_(nullptr),
      hasNormals_((desc.flags & 1) != 0),
      hasTexcoords_((desc.flags & 2) != 0),
      hasAttributeA_((desc.flags & 4) != 0),
      hasAttributeB_((desc.flags & 8) != 0) {
    const unsigned S = desc_.slices;
    const unsigned H = desc_.halfRings;
    vertexCount_ = 6 * S * (2 * H + 1);
    stride_ = 4 * (3 + 3 * hasNormals_ + 2 * hasTexcoords_ + 3 * hasAttributeA_ + 3 * hasAttributeB_);
    gridCount_ = 2 + (2 * H + 1) * S;
    texcoordGridCount_ = gridCount_ + 2 * H + 1;

    tempVertices_ = new Vertex[vertexCount_];
    for (unsigned k = 0; k < vertexCount_; ++k) {
        tempVertices_[k].attributeA = desc_.attributeA;
        tempVertices_[k].attributeB = desc_.attributeB;
    }

    BuildPositions();
    TriangulatePositions();
    if (hasNormals_) {
        BuildGridNormals();
        TriangulateNormals();
    }
    if (hasTexcoords_) {
        BuildGridTexcoords();
        TriangulateTexcoords();
    }
    WriteVertices();
}

SpindleMesh::~SpindleMesh() {
    delete[] gridPositions_;
    delete[] tempVertices_;
    // Null when their flag is not set.
    delete[] gridNormals_;
    delete[] gridTexcoords_;
}

unsigned SpindleMesh::VertexCount(unsigned slices, unsigned halfRings, unsigned, unsigned) {
    return 6 * slices * (2 * halfRings + 1);
}

unsigned SpindleMesh::GridIndex(int ring, unsigned column) const {
    return 1 + static_cast<unsigned>(ring + static_cast<int>(desc_.halfRings)) * desc_.slices + column;
}

unsigned SpindleMesh::TexcoordGridIndex(int ring, unsigned column) const {
    return 1 + static_cast<unsigned>(ring + static_cast<int>(desc_.halfRings)) * (desc_.slices + 1) +
           column;
}

void SpindleMesh::BuildPositions() {
    const unsigned S = desc_.slices;
    const int H = static_cast<int>(desc_.halfRings);
    gridPositions_ = new Vec3[gridCount_];

    // 2*pi is rounded to single precision before the division, which is done
    // in double; every ring shares these angles.
    const float step = static_cast<float>(static_cast<double>(6.2831855f) / S);
    const float halfStep = step / 2;

    gridPositions_[0] = Vec3(0, -desc_.size.y, 0);
    gridPositions_[gridCount_ - 1] = Vec3(0, desc_.size.y, 0);

    for (int i = -H; i <= H; ++i) {
        for (unsigned j = 0; j < S; ++j) {
            const float angle = static_cast<float>(j) * step + halfStep;
            const float t = static_cast<float>(i) / static_cast<float>(H);
            // The profiles are asked once per use, radius before offset, x
            // before z.
            const float rx = desc_.radiusProfile ? desc_.radiusProfile(t).x : 1.0f;
            const float ox = desc_.offsetProfile ? desc_.offsetProfile(t).x : 0.0f;
            const float rz = desc_.radiusProfile ? desc_.radiusProfile(t).z : 1.0f;
            const float oz = desc_.offsetProfile ? desc_.offsetProfile(t).z : 0.0f;
            const float c = static_cast<float>(std::cos(static_cast<double>(angle)));
            const float s = static_cast<float>(std::sin(static_cast<double>(angle)));
            const float x = rx * desc_.size.x * c + ox;
            const float y = desc_.size.y * t;
            const float z = rz * desc_.size.z * s + oz;
            gridPositions_[GridIndex(i, j)] = Vec3(x, y, z);
        }
    }
}

// Every band emits its quads column by column; the first band puts each
// column's bottom-cap triangle before its quad, the last band each column's
// top-cap triangle after it. The normal and texture-coordinate passes follow
// the same order.
void SpindleMesh::TriangulatePositions() {
    const unsigned S = desc_.slices;
    const int H = static_cast<int>(desc_.halfRings);
    const Vec3* g = gridPositions_;
    const Vec3& bottom = g[0];
    const Vec3& top = g[gridCount_ - 1];
    unsigned n = 0;
    for (int i = -H; i < H; ++i) {
        for (unsigned j = 0; j < S; ++j) {
            const Vec3& p = g[GridIndex(i, j)];
            const Vec3& q = g[GridIndex(i, (j + 1) % S)];
            const Vec3& r = g[GridIndex(i + 1, j)];
            const Vec3& s = g[GridIndex(i + 1, (j + 1) % S)];
            if (i == -H) {
                tempVertices_[n++].position = bottom;
                tempVertices_[n++].position = p;
                tempVertices_[n++].position = q;
            }
            tempVertices_[n++].position = p;
            tempVertices_[n++].position = r;
            tempVertices_[n++].position = q;
            tempVertices_[n++].position = q;
            tempVertices_[n++].position = r;
            tempVertices_[n++].position = s;
            if (i == H - 1) {
                tempVertices_[n++].position = top;
                tempVertices_[n++].position = s;
                tempVertices_[n++].position = r;
            }
        }
    }
}

void SpindleMesh::BuildGridNormals() {
    gridNormals_ = new Vec3[gridCount_];
    gridNormals_[0] = Vec3(0, -1, 0);
    gridNormals_[gridCount_ - 1] = Vec3(0, 1, 0);
    const unsigned S = desc_.slices;
    for (unsigned ringStart = 1; ringStart + 1 < gridCount_; ringStart += S) {
        for (unsigned j = 0; j < S; ++j) {
            gridNormals_[ringStart + j] = GridNormal(ringStart + j, ringStart);
        }
    }
}

// The averaged direction up the surface crossed with the averaged direction
// around the ring points outward.
VMath::Vector3D<float> SpindleMesh::GridNormal(unsigned a, unsigned b) const {
    const unsigned S = desc_.slices;
    const unsigned left = b + (a - b + S - 1) % S;
    const unsigned right = b + (a - b + 1) % S;
    const unsigned below = (b == 1) ? 0 : a - S;
    const unsigned above = (b == gridCount_ - S - 1) ? gridCount_ - 1 : a + S;
    const Vec3& c = gridPositions_[a];
    const Vec3 along = (c - gridPositions_[below]).Normalized() + (gridPositions_[above] - c).Normalized();
    const Vec3 around = (c - gridPositions_[left]).Normalized() + (gridPositions_[right] - c).Normalized();
    return along.Cross(around).Normalized();
}

void SpindleMesh::TriangulateNormals() {
    const unsigned S = desc_.slices;
    const int H = static_cast<int>(desc_.halfRings);
    const Vec3* g = gridNormals_;
    const Vec3& bottom = g[0];
    const Vec3& top = g[gridCount_ - 1];
    const bool smooth = desc_.smoothNormals != 0;
    unsigned n = 0;
    for (int i = -H; i < H; ++i) {
        for (unsigned j = 0; j < S; ++j) {
            const Vec3& p = g[GridIndex(i, j)];
            const Vec3& q = g[GridIndex(i, (j + 1) % S)];
            const Vec3& r = g[GridIndex(i + 1, j)];
            const Vec3& s = g[GridIndex(i + 1, (j + 1) % S)];
            if (i == -H) {
                if (smooth) {
                    tempVertices_[n++].normal = bottom;
                    tempVertices_[n++].normal = p;
                    tempVertices_[n++].normal = q;
                } else {
                    const Vec3 flat = ((bottom + p) + q).Normalized();
                    for (int k = 0; k < 3; ++k) {
                        tempVertices_[n++].normal = flat;
                    }
                }
            }
            if (smooth) {
                tempVertices_[n++].normal = p;
                tempVertices_[n++].normal = r;
                tempVertices_[n++].normal = q;
                tempVertices_[n++].normal = q;
                tempVertices_[n++].normal = r;
                tempVertices_[n++].normal = s;
            } else {
                const Vec3 flat = (((p + q) + r) + s).Normalized();
                for (int k = 0; k < 6; ++k) {
                    tempVertices_[n++].normal = flat;
                }
            }
            if (i == H - 1) {
                if (smooth) {
                    tempVertices_[n++].normal = top;
                    tempVertices_[n++].normal = s;
                    tempVertices_[n++].normal = r;
                } else {
                    const Vec3 flat = ((top + r) + s).Normalized();
                    for (int k = 0; k < 3; ++k) {
                        tempVertices_[n++].normal = flat;
                    }
                }
            }
        }
    }
}

void SpindleMesh::BuildGridTexcoords() {
    const unsigned S = desc_.slices;
    const int H = static_cast<int>(desc_.halfRings);
    gridTexcoords_ = new Vec2[texcoordGridCount_];
    gridTexcoords_[0] = Vec2(0, 0);
    gridTexcoords_[texcoordGridCount_ - 1] =
        Vec2(0, static_cast<float>(2 * H + 2) * desc_.texcoordScale);
    const float inverseSlices = 1.0f / static_cast<float>(S);
    for (int i = -H; i <= H; ++i) {
        for (unsigned j = 0; j <= S; ++j) {
            gridTexcoords_[TexcoordGridIndex(i, j)] =
                Vec2(static_cast<float>(j) * inverseSlices,
                     static_cast<float>(i + H + 1) * desc_.texcoordScale);
        }
    }
}

// Column S repeats column 0 with u = 1, so the seam's quads take j + 1
// without wrapping.
void SpindleMesh::TriangulateTexcoords() {
    const unsigned S = desc_.slices;
    const int H = static_cast<int>(desc_.halfRings);
    const Vec2* g = gridTexcoords_;
    const Vec2& bottom = g[0];
    const Vec2& top = g[texcoordGridCount_ - 1];
    unsigned n = 0;
    for (int i = -H; i < H; ++i) {
        for (unsigned j = 0; j < S; ++j) {
            const Vec2& p = g[TexcoordGridIndex(i, j)];
            const Vec2& q = g[TexcoordGridIndex(i, j + 1)];
            const Vec2& r = g[TexcoordGridIndex(i + 1, j)];
            const Vec2& s = g[TexcoordGridIndex(i + 1, j + 1)];
            if (i == -H) {
                tempVertices_[n++].texcoord = bottom;
                tempVertices_[n++].texcoord = p;
                tempVertices_[n++].texcoord = q;
            }
            tempVertices_[n++].texcoord = p;
            tempVertices_[n++].texcoord = r;
            tempVertices_[n++].texcoord = q;
            tempVertices_[n++].texcoord = q;
            tempVertices_[n++].texcoord = r;
            tempVertices_[n++].texcoord = s;
            if (i == H - 1) {
                tempVertices_[n++].texcoord = top;
                tempVertices_[n++].texcoord = s;
                tempVertices_[n++].texcoord = r;
            }
        }
    }
}

// Only the elements the flags ask for, packed; nothing else in the caller's
// array is touched.
void SpindleMesh::WriteVertices() {
    unsigned char* out = static_cast<unsigned char*>(desc_.output);
    for (unsigned k = 0; k < vertexCount_; ++k) {
        unsigned char* at = out + static_cast<size_t>(k) * stride_;
        const Vertex& v = tempVertices_[k];
        std::memcpy(at, &v.position, sizeof v.position);
        at += sizeof v.position;
        if (hasNormals_) {
            std::memcpy(at, &v.normal, sizeof v.normal);
            at += sizeof v.normal;
        }
        if (hasTexcoords_) {
            std::memcpy(at, &v.texcoord, sizeof v.texcoord);
            at += sizeof v.texcoord;
        }
        if (hasAttributeA_) {
            std::memcpy(at, &v.attributeA, sizeof v.attributeA);
            at += sizeof v.attributeA;
        }
        if (hasAttributeB_) {
            std::memcpy(at, &v.attributeB, sizeof v.attributeB);
        }
    }
}

}  // namespace VRK
