#include "ribbonmesh.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using VMath::Vector2D;
using VMath::Vector3D;

namespace {

typedef Vector3D<float> Vec3;

const unsigned char kPattern = 0x5A;
const size_t kGuard = 64;

VRK::RibbonDesc StraightDesc(unsigned segments, unsigned flags) {
    VRK::RibbonDesc desc{};
    desc.segments = segments;
    desc.p0 = Vec3(0, 0, 0);
    desc.p1 = Vec3(1, 0, 0);
    desc.p2 = Vec3(2, 0, 0);
    desc.p3 = Vec3(3, 0, 0);
    desc.width = 0.5f;
    desc.uStart = 0.5f;
    desc.uStep = 0.25f;
    desc.vCurve = 0.0f;
    desc.vEdge = 0.1f;
    desc.up = Vec3(0, 1, 0);
    desc.flags = flags;
    return desc;
}

// The caller's array with guard zones on both sides, all set to a pattern.
struct Built {
    Built(VRK::RibbonDesc desc, size_t stride)
        : count(6 * desc.segments), stride(stride),
          buffer(count * stride + 2 * kGuard, kPattern) {
        desc.output = buffer.data() + kGuard;
        VRK::RibbonMesh mesh(desc);
    }
    const unsigned char* At(size_t vertex, size_t offset) const {
        return buffer.data() + kGuard + vertex * stride + offset;
    }
    Vec3 Vector(size_t vertex, size_t offset) const {
        Vec3 v;
        std::memcpy(&v, At(vertex, offset), sizeof v);
        return v;
    }
    Vector2D<float> Texcoord(size_t vertex, size_t offset) const {
        Vector2D<float> t;
        std::memcpy(&t, At(vertex, offset), sizeof t);
        return t;
    }
    bool Untouched(size_t vertex, size_t offset, size_t bytes) const {
        for (size_t i = 0; i < bytes; ++i) {
            if (At(vertex, offset)[i] != kPattern) {
                return false;
            }
        }
        return true;
    }
    bool GuardsIntact() const {
        for (size_t i = 0; i < kGuard; ++i) {
            if (buffer[i] != kPattern || buffer[buffer.size() - 1 - i] != kPattern) {
                return false;
            }
        }
        return true;
    }

    size_t count;
    size_t stride;
    std::vector<unsigned char> buffer;
};

void ExpectSame(const Vec3& a, const Vec3& b) {
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.z, b.z);
}

}  // namespace

TEST(RibbonMesh, StraightRibbonEdgesAndNormals) {
    Built b(StraightDesc(4, 1), 24);
    ASSERT_EQ(b.count, 24u);
    EXPECT_TRUE(b.GuardsIntact());
    for (size_t k = 0; k < 4; ++k) {
        size_t v = 6 * k;
        Vec3 a = b.Vector(v, 0);
        Vec3 next = b.Vector(v + 1, 0);
        Vec3 c = b.Vector(v + 2, 0);
        Vec3 d = b.Vector(v + 5, 0);
        EXPECT_NEAR(a.x, 0.75f * k, 1e-6);
        EXPECT_NEAR(next.x, 0.75f * (k + 1), 1e-6);
        // The second edge lies 0.5 toward -z: Cross(up, +x) is -z.
        EXPECT_EQ(d.x, a.x);
        EXPECT_EQ(d.z, a.z - 0.5f);
        EXPECT_EQ(c.x, next.x);
        EXPECT_EQ(c.z, next.z - 0.5f);
        // a, b, c, a, c, d
        ExpectSame(b.Vector(v + 3, 0), a);
        ExpectSame(b.Vector(v + 4, 0), c);
        for (size_t i = 0; i < 6; ++i) {
            ExpectSame(b.Vector(v + i, 12), Vec3(0, 1, 0));
        }
        for (size_t t = v; t < v + 6; t += 3) {
            Vec3 first = b.Vector(t, 0);
            Vec3 facing = (b.Vector(t + 1, 0) - first).Cross(b.Vector(t + 2, 0) - first);
            EXPECT_GT(facing.y, 0.0f) << "triangle " << t / 3;
        }
    }
}

TEST(RibbonMesh, CurveEndsExactlyOnItsControlPoints) {
    VRK::RibbonDesc desc = StraightDesc(64, 0);
    desc.p0 = Vec3(1.1f, 2.3f, -0.7f);
    desc.p1 = Vec3(5.0f, -1.0f, 2.0f);
    desc.p2 = Vec3(-3.0f, 4.0f, 0.3f);
    desc.p3 = Vec3(0.9f, -2.2f, 7.7f);
    Built b(desc, 12);
    ASSERT_EQ(b.count, 384u);
    EXPECT_TRUE(b.GuardsIntact());
    ExpectSame(b.Vector(0, 0), desc.p0);
    ExpectSame(b.Vector(6 * 63 + 1, 0), desc.p3);
}

TEST(RibbonMesh, TexcoordsAdvanceAlongBothEdges) {
    Built b(StraightDesc(4, 3), 36);
    for (size_t k = 0; k < 4; ++k) {
        size_t v = 6 * k;
        float u = k * 0.25f + 0.5f;
        float uNext = (k + 1) * 0.25f + 0.5f;
        Vector2D<float> a = b.Texcoord(v, 24);
        Vector2D<float> next = b.Texcoord(v + 1, 24);
        Vector2D<float> c = b.Texcoord(v + 2, 24);
        Vector2D<float> d = b.Texcoord(v + 5, 24);
        EXPECT_EQ(a.x, u);
        EXPECT_EQ(a.y, 0.0f);
        EXPECT_EQ(next.x, uNext);
        EXPECT_EQ(c.x, uNext);
        EXPECT_EQ(c.y, 0.1f);
        EXPECT_EQ(d.x, u);
        EXPECT_EQ(d.y, 0.1f);
    }
}

TEST(RibbonMesh, StrideFollowsFlagsAndSpareFloatIsUntouched) {
    Built bare(StraightDesc(4, 0), 12);
    Built normals(StraightDesc(4, 1), 24);
    Built texcoords(StraightDesc(4, 2), 24);
    Built both(StraightDesc(4, 3), 36);
    Built extraBits(StraightDesc(4, 3 | 4 | 8 | 0x100), 36);
    for (const Built* b : {&bare, &normals, &texcoords, &both, &extraBits}) {
        EXPECT_TRUE(b->GuardsIntact()) << "stride " << b->stride;
    }
    for (size_t v = 0; v < 24; ++v) {
        ExpectSame(bare.Vector(v, 0), both.Vector(v, 0));
        ExpectSame(normals.Vector(v, 12), both.Vector(v, 12));
        EXPECT_EQ(texcoords.Texcoord(v, 12).x, both.Texcoord(v, 24).x);
        EXPECT_EQ(texcoords.Texcoord(v, 12).y, both.Texcoord(v, 24).y);
        EXPECT_TRUE(texcoords.Untouched(v, 20, 4)) << v;
        EXPECT_TRUE(both.Untouched(v, 32, 4)) << v;
    }
    EXPECT_EQ(std::memcmp(both.buffer.data(), extraBits.buffer.data(), both.buffer.size()), 0);
}

TEST(RibbonMesh, TangentAlongUpCollapsesTheEdge) {
    VRK::RibbonDesc desc = StraightDesc(4, 1);
    desc.p1 = Vec3(0, 1, 0);
    desc.p2 = Vec3(0, 2, 0);
    desc.p3 = Vec3(0, 3, 0);
    Built b(desc, 24);
    for (size_t v = 0; v < b.count; ++v) {
        EXPECT_EQ(b.Vector(v, 0).x, 0.0f);
        EXPECT_EQ(b.Vector(v, 0).z, 0.0f);
        ExpectSame(b.Vector(v, 12), Vec3(0, 0, 0));
    }
}

TEST(RibbonMesh, NormalsComeFromEachEdgesOwnTangents) {
    VRK::RibbonDesc desc = StraightDesc(8, 1);
    desc.p1 = Vec3(1, 2, 1);
    desc.p2 = Vec3(2, -1, 3);
    desc.p3 = Vec3(4, 1, 2);
    desc.up = Vec3(0.3f, 1, 0.2f);
    desc.width = -0.75f;
    Built b(desc, 24);
    const unsigned n = 8;
    std::vector<Vec3> curve(n + 1), edge(n + 1), curveNormal(n + 1), edgeNormal(n + 1);
    for (unsigned k = 0; k < n; ++k) {
        curve[k] = b.Vector(6 * k, 0);
        edge[k] = b.Vector(6 * k + 5, 0);
        curveNormal[k] = b.Vector(6 * k, 12);
        edgeNormal[k] = b.Vector(6 * k + 5, 12);
    }
    curve[n] = b.Vector(6 * (n - 1) + 1, 0);
    edge[n] = b.Vector(6 * (n - 1) + 2, 0);
    curveNormal[n] = b.Vector(6 * (n - 1) + 1, 12);
    edgeNormal[n] = b.Vector(6 * (n - 1) + 2, 12);

    auto tangent = [&](const std::vector<Vec3>& p, unsigned k) {
        if (k == 0) {
            return (p[1] - p[0]).Normalized();
        }
        if (k == n) {
            return (p[n] - p[n - 1]).Normalized();
        }
        return ((p[k] - p[k - 1]).Normalized() + (p[k + 1] - p[k]).Normalized()).Normalized();
    };
    for (unsigned k = 0; k <= n; ++k) {
        Vec3 t = tangent(curve, k);
        ExpectSame(edge[k], curve[k] + desc.up.Cross(t).Normalized() * desc.width);
        Vec3 across = edge[k] - curve[k];
        ExpectSame(curveNormal[k], t.Cross(across).Normalized());
        ExpectSame(edgeNormal[k], tangent(edge, k).Cross(across).Normalized());
    }
}

TEST(RibbonMesh, NoSegmentsWritesNothing) {
    std::vector<unsigned char> buffer(256, kPattern);
    VRK::RibbonDesc desc = StraightDesc(0, 3);
    desc.output = buffer.data() + 128;
    { VRK::RibbonMesh mesh(desc); }
    EXPECT_EQ(std::vector<unsigned char>(256, kPattern), buffer);
}
