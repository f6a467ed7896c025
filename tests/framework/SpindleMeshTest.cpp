#include "spindlemesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

using VMath::Vector2D;
using VMath::Vector3D;

namespace {

typedef Vector3D<float> Vec3;

VRK::SpindleDesc MakeDesc(unsigned slices, unsigned halfRings, unsigned flags) {
    VRK::SpindleDesc desc{};
    desc.slices = slices;
    desc.halfRings = halfRings;
    desc.smoothNormals = 1;
    desc.flags = flags;
    desc.texcoordScale = 0.25f;
    desc.size = Vec3(1, 1, 1);
    return desc;
}

// Builds into a byte buffer with guard zones before and after, filled with a
// pattern the builder never writes.
class Output {
public:
    static constexpr size_t kGuard = 64;
    static constexpr unsigned char kPattern = 0xA5;

    Output(size_t bytes) : bytes_(bytes), buffer_(bytes + 2 * kGuard, kPattern) {}
    void* Data() { return buffer_.data() + kGuard; }
    const unsigned char* Bytes() const { return buffer_.data() + kGuard; }

    bool GuardsIntact() const {
        for (size_t i = 0; i < kGuard; ++i) {
            if (buffer_[i] != kPattern || buffer_[kGuard + bytes_ + i] != kPattern) {
                return false;
            }
        }
        return true;
    }

    Vec3 Vector(size_t vertex, size_t stride, size_t offset) const {
        Vec3 v;
        std::memcpy(&v, Bytes() + vertex * stride + offset, sizeof v);
        return v;
    }

    Vector2D<float> Texcoord(size_t vertex, size_t stride, size_t offset) const {
        Vector2D<float> t;
        std::memcpy(&t, Bytes() + vertex * stride + offset, sizeof t);
        return t;
    }

private:
    size_t bytes_;
    std::vector<unsigned char> buffer_;
};

struct Built {
    Built(VRK::SpindleDesc desc, unsigned stride)
        : count(VRK::SpindleMesh::VertexCount(desc.slices, desc.halfRings, 0, 0)),
          stride(stride),
          out(count * stride) {
        desc.output = out.Data();
        VRK::SpindleMesh mesh(desc);
    }
    Vec3 Position(size_t k) const { return out.Vector(k, stride, 0); }
    Vec3 Normal(size_t k) const { return out.Vector(k, stride, 12); }

    unsigned count;
    unsigned stride;
    Output out;
};

void ExpectSame(const Vec3& a, const Vec3& b) {
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.z, b.z);
}

float Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 ClosedAtBottom(float t) { return t == -1.0f ? Vec3(0, 7, 0) : Vec3(1, 7, 1); }
Vec3 Tapered(float t) { return Vec3(1.0f - 0.3f * t + 0.1f * t * t, 7, 1.0f + 0.17f * t); }
Vec3 ShiftAlongX(float t) { return Vec3(t + 2.0f, 9, 0.5f); }

std::vector<char> profileCalls;
Vec3 RecordRadius(float) {
    profileCalls.push_back('r');
    return Vec3(1, 0, 1);
}
Vec3 RecordOffset(float) {
    profileCalls.push_back('o');
    return Vec3(0, 0, 0);
}

}  // namespace

TEST(SpindleMesh, VertexCount) {
    EXPECT_EQ(VRK::SpindleMesh::VertexCount(4, 1, 0, 0), 72u);
    EXPECT_EQ(VRK::SpindleMesh::VertexCount(6, 4, 0, 0), 324u);
    EXPECT_EQ(VRK::SpindleMesh::VertexCount(6, 4, 7, 9), 324u);
}

TEST(SpindleMesh, RingsSitHalfAStepPastXAtEvenHeights) {
    VRK::SpindleDesc desc = MakeDesc(4, 1, 0);
    desc.size = Vec3(1, 3, 1);
    Built b(desc, 12);
    ASSERT_TRUE(b.out.GuardsIntact());
    // Band -1, column j: vertices 9j .. 9j + 8 are the bottom-cap triangle
    // (pole, p, q) and the quad (p, r, q), (q, r, s).
    const float expectedX[4] = {0x1.6a09e6p-1f, -0x1.6a09e6p-1f, -0x1.6a09e2p-1f, 0x1.6a09e2p-1f};
    const float expectedZ[4] = {0x1.6a09e6p-1f, 0x1.6a09e6p-1f, -0x1.6a09eap-1f, -0x1.6a09eap-1f};
    for (int j = 0; j < 4; ++j) {
        Vec3 p = b.Position(9 * j + 1);
        Vec3 r = b.Position(9 * j + 4);
        // The angle is formed in single precision: at 225 degrees x is
        // -0.70710665, not the nearer -0.70710683.
        EXPECT_EQ(p.x, expectedX[j]) << "column " << j;
        EXPECT_EQ(p.z, expectedZ[j]) << "column " << j;
        EXPECT_EQ(p.y, -3.0f);
        EXPECT_EQ(r.x, expectedX[j]);
        EXPECT_EQ(r.y, 0.0f);
    }
    // Band 0 ends each column with (top pole, s, r) on the top ring.
    Vec3 top = b.Position(71 - 2);
    ExpectSame(top, Vec3(0, 3, 0));
    EXPECT_EQ(b.Position(71).y, 3.0f);
}

TEST(SpindleMesh, CapsComeBeforeFirstAndAfterLastBandQuads) {
    VRK::SpindleDesc desc = MakeDesc(3, 2, 0);
    desc.size = Vec3(1, 2, 1);
    Built b(desc, 12);
    ASSERT_EQ(b.count, 90u);
    // First band: 3 columns of (cap, quad) = 9 vertices each.
    for (int j = 0; j < 3; ++j) {
        ExpectSame(b.Position(9 * j), Vec3(0, -2, 0));
        EXPECT_EQ(b.Position(9 * j + 1).y, -2.0f);
        EXPECT_EQ(b.Position(9 * j + 3).y, -2.0f);  // quad starts with p
        EXPECT_EQ(b.Position(9 * j + 4).y, -1.0f);  // then r
    }
    // Two middle bands of 6 per column, then the last band: (quad, cap).
    const int last = 27 + 18 + 18;
    for (int j = 0; j < 3; ++j) {
        EXPECT_EQ(b.Position(last + 9 * j).y, 1.0f);
        ExpectSame(b.Position(last + 9 * j + 6), Vec3(0, 2, 0));
        // (top pole, s, r): s is the next column of r.
        ExpectSame(b.Position(last + 9 * j + 7), b.Position(last + 9 * j + 5));
        ExpectSame(b.Position(last + 9 * j + 8), b.Position(last + 9 * j + 1));
    }
    // The last column's q wraps to column 0.
    ExpectSame(b.Position(9 * 2 + 2), b.Position(1));
}

TEST(SpindleMesh, EveryTriangleFacesOutward) {
    VRK::SpindleDesc desc = MakeDesc(6, 3, 0);
    desc.size = Vec3(0.5f, 1.5f, 2.0f);
    Built b(desc, 12);
    for (unsigned t = 0; t < b.count; t += 3) {
        Vec3 a = b.Position(t);
        Vec3 facing = (b.Position(t + 1) - a).Cross(b.Position(t + 2) - a);
        Vec3 centroid = (a + b.Position(t + 1)) + b.Position(t + 2);
        EXPECT_GT(Dot(facing, centroid), 0.0f) << "triangle " << t / 3;
    }
}

TEST(SpindleMesh, SmoothNormalsPointOutwardWithExactPoles) {
    VRK::SpindleDesc desc = MakeDesc(8, 2, 1);
    Built b(desc, 24);
    ASSERT_TRUE(b.out.GuardsIntact());
    ExpectSame(b.Normal(0), Vec3(0, -1, 0));
    ExpectSame(b.Normal(b.count - 3), Vec3(0, 1, 0));
    for (unsigned k = 0; k < b.count; ++k) {
        Vec3 p = b.Position(k);
        Vec3 n = b.Normal(k);
        EXPECT_NEAR(n.Length(), 1.0f, 1e-6) << k;
        if (p.y == 0.0f) {
            // On the middle ring of a cylinder the normal is radial.
            EXPECT_NEAR(n.x, p.x, 1e-6) << k;
            EXPECT_NEAR(n.y, 0.0f, 1e-6) << k;
            EXPECT_NEAR(n.z, p.z, 1e-6) << k;
        }
        EXPECT_GT(Dot(n, p), 0.0f) << k;
    }
}

TEST(SpindleMesh, FlatNormalsAreNormalisedSumsOfGridNormals) {
    VRK::SpindleDesc desc = MakeDesc(7, 2, 1);
    desc.size = Vec3(1.0f, 0.7f, 1.3f);
    desc.radiusProfile = Tapered;
    desc.offsetProfile = ShiftAlongX;
    Built smooth(desc, 24);
    desc.smoothNormals = 0;
    Built flat(desc, 24);
    ASSERT_EQ(std::memcmp(smooth.out.Bytes(), flat.out.Bytes(), 12), 0);
    for (unsigned j = 0; j < 7; ++j) {
        // Bottom-cap triangle: (pole, p, q) at 9j, then the quad (p, r, q, q, r, s).
        unsigned c = 9 * j;
        Vec3 cap = ((smooth.Normal(c) + smooth.Normal(c + 1)) + smooth.Normal(c + 2)).Normalized();
        for (unsigned k = 0; k < 3; ++k) {
            ExpectSame(flat.Normal(c + k), cap);
        }
        unsigned q = c + 3;
        Vec3 quad = (((smooth.Normal(q) + smooth.Normal(q + 2)) + smooth.Normal(q + 1)) +
                     smooth.Normal(q + 5)).Normalized();
        for (unsigned k = 0; k < 6; ++k) {
            ExpectSame(flat.Normal(q + k), quad);
        }
    }
    // Top caps (pole, s, r), one after each last-band quad: the sum runs
    // pole, r, s.
    for (unsigned j = 0; j < 7; ++j) {
        unsigned t = flat.count - 9 * (7 - j) + 6;
        Vec3 top = ((smooth.Normal(t) + smooth.Normal(t + 2)) + smooth.Normal(t + 1)).Normalized();
        for (unsigned k = 0; k < 3; ++k) {
            ExpectSame(flat.Normal(t + k), top);
        }
    }
}

TEST(SpindleMesh, AnyNonZeroSmoothFlagIsSmooth) {
    VRK::SpindleDesc desc = MakeDesc(6, 2, 1);
    Built one(desc, 24);
    desc.smoothNormals = -1;
    Built minusOne(desc, 24);
    desc.smoothNormals = 2;
    Built two(desc, 24);
    size_t bytes = one.count * 24;
    EXPECT_EQ(std::memcmp(one.out.Bytes(), minusOne.out.Bytes(), bytes), 0);
    EXPECT_EQ(std::memcmp(one.out.Bytes(), two.out.Bytes(), bytes), 0);
}

TEST(SpindleMesh, StrideFollowsFlagsAndAttributesReachEveryVertex) {
    VRK::SpindleDesc desc = MakeDesc(4, 2, 5);
    desc.attributeA = Vec3(7, 8, 9);
    desc.attributeB = Vec3(-1, -2, -3);
    Built five(desc, 36);
    EXPECT_TRUE(five.out.GuardsIntact());
    for (unsigned k = 0; k < five.count; ++k) {
        ExpectSame(five.out.Vector(k, 36, 24), desc.attributeA);
    }

    desc.flags = 15;
    Built all(desc, 56);
    EXPECT_TRUE(all.out.GuardsIntact());
    for (unsigned k = 0; k < all.count; ++k) {
        ExpectSame(all.out.Vector(k, 56, 0), five.Position(k));
        ExpectSame(all.out.Vector(k, 56, 12), five.Normal(k));
        ExpectSame(all.out.Vector(k, 56, 32), desc.attributeA);
        ExpectSame(all.out.Vector(k, 56, 44), desc.attributeB);
    }

    desc.flags = 8;
    Built onlyB(desc, 24);
    EXPECT_TRUE(onlyB.out.GuardsIntact());
    ExpectSame(onlyB.out.Vector(onlyB.count - 1, 24, 12), desc.attributeB);
}

TEST(SpindleMesh, UnknownFlagBitsChangeNothing) {
    VRK::SpindleDesc desc = MakeDesc(4, 2, 1);
    Built plain(desc, 24);
    desc.flags = 1 | 16 | 32 | 0x80000000u;
    Built extra(desc, 24);
    EXPECT_TRUE(extra.out.GuardsIntact());
    EXPECT_EQ(std::memcmp(plain.out.Bytes(), extra.out.Bytes(), plain.count * 24), 0);

    desc.flags = 0;
    Built bare(desc, 12);
    EXPECT_TRUE(bare.out.GuardsIntact());
    ExpectSame(bare.Position(bare.count - 1), plain.Position(plain.count - 1));
}

TEST(SpindleMesh, WritesOnlyTheCallersRange) {
    // Two meshes side by side: the second must leave the first's bytes alone.
    VRK::SpindleDesc desc = MakeDesc(6, 4, 5);
    unsigned n = VRK::SpindleMesh::VertexCount(6, 4, 0, 0);
    Output out(3 * n * 36);
    desc.output = static_cast<unsigned char*>(out.Data()) + n * 36;
    { VRK::SpindleMesh mesh(desc); }
    EXPECT_TRUE(out.GuardsIntact());
    for (size_t i = 0; i < n * 36; ++i) {
        ASSERT_EQ(out.Bytes()[i], Output::kPattern) << "byte " << i;
        ASSERT_EQ(out.Bytes()[2 * n * 36 + i], Output::kPattern) << "byte " << i;
    }
}

TEST(SpindleMesh, TexcoordsFollowTheirGridCorner) {
    VRK::SpindleDesc desc = MakeDesc(4, 1, 3);
    desc.texcoordScale = 0.25f;
    desc.size = Vec3(1, 2, 1);
    Built b(desc, 32);
    const float kTwoPi = 6.2831855f;
    for (unsigned k = 0; k < b.count; ++k) {
        Vec3 p = b.Position(k);
        Vector2D<float> uv = b.out.Texcoord(k, 32, 24);
        bool pole = p.x == 0.0f && p.z == 0.0f;
        if (pole) {
            EXPECT_EQ(uv.x, 0.0f) << k;
            EXPECT_EQ(uv.y, p.y < 0 ? 0.0f : 1.0f) << k;  // (2H + 2) * scale
            continue;
        }
        // Ring -1, 0, 1 at y = -2, 0, 2 get v = 0.25, 0.5, 0.75.
        EXPECT_FLOAT_EQ(uv.y, (p.y / 2.0f + 2.0f) * 0.25f) << k;
        float angle = std::atan2(p.z, p.x);
        if (angle < 0) {
            angle += kTwoPi;
        }
        float column = (angle - kTwoPi / 8) / (kTwoPi / 4);
        float expected = std::round(column) * 0.25f;
        // Column 0 reached from column 3 is the seam: u = 1 there.
        if (expected == 0.0f && uv.x == 1.0f) {
            expected = 1.0f;
        }
        EXPECT_FLOAT_EQ(uv.x, expected) << k;
    }
    // The seam quad of the first band: (p, r, q) with q at u = 1.
    unsigned seam = 9 * 3 + 3;
    EXPECT_EQ(b.out.Texcoord(seam, 32, 24).x, 0.75f);
    EXPECT_EQ(b.out.Texcoord(seam + 2, 32, 24).x, 1.0f);
    EXPECT_EQ(b.out.Texcoord(seam + 5, 32, 24).x, 1.0f);
    // Top cap: (pole, s, r) with s at column j + 1.
    unsigned topCap = b.count - 3;
    EXPECT_EQ(b.out.Texcoord(topCap + 1, 32, 24).x, 1.0f);
    EXPECT_EQ(b.out.Texcoord(topCap + 2, 32, 24).x, 0.75f);
    EXPECT_EQ(b.out.Texcoord(topCap + 2, 32, 24).y, 0.75f);
}

TEST(SpindleMesh, OffsetProfileMovesRingsButNotPoles) {
    VRK::SpindleDesc desc = MakeDesc(4, 1, 0);
    Built plain(desc, 12);
    desc.offsetProfile = ShiftAlongX;
    Built shifted(desc, 12);
    ExpectSame(shifted.Position(0), Vec3(0, -1, 0));
    ExpectSame(shifted.Position(shifted.count - 3), Vec3(0, 1, 0));
    // Bottom ring t = -1 moves by 1 in x, the middle ring t = 0 by 2; z by 0.5.
    Vec3 p = shifted.Position(1);
    Vec3 p0 = plain.Position(1);
    EXPECT_EQ(p.x, p0.x + 1.0f);
    EXPECT_EQ(p.y, p0.y);
    EXPECT_EQ(p.z, p0.z + 0.5f);
    EXPECT_EQ(shifted.Position(4).x, plain.Position(4).x + 2.0f);
}

TEST(SpindleMesh, ZeroRadiusPutsTheRingOnThePole) {
    VRK::SpindleDesc desc = MakeDesc(4, 1, 1);
    desc.radiusProfile = ClosedAtBottom;
    Built b(desc, 24);
    for (int j = 0; j < 4; ++j) {
        ExpectSame(b.Position(9 * j + 1), Vec3(0, -1, 0));
        ExpectSame(b.Position(9 * j + 2), Vec3(0, -1, 0));
    }
}

TEST(SpindleMesh, ProfilesAreAskedRadiusThenOffsetForXThenZ) {
    VRK::SpindleDesc desc = MakeDesc(3, 1, 0);
    desc.radiusProfile = RecordRadius;
    desc.offsetProfile = RecordOffset;
    profileCalls.clear();
    Built b(desc, 12);
    ASSERT_EQ(profileCalls.size(), 3u * 3u * 4u);
    for (size_t i = 0; i < profileCalls.size(); i += 4) {
        EXPECT_EQ(std::string(profileCalls.begin() + i, profileCalls.begin() + i + 4), "roro");
    }
}
