#include "ProgramFixture.h"
#include "RandomSequence.h"

#include "conformity/Conformity.h"
#include "greets/DotFont.h"
#include "greets/Greets.h"
#include "greets/GreetsGround.h"
#include "greets/GreetsLetters.h"
#include "growth/Growth.h"

#include "framework.h"
#include "globals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

using VMath::Vector3D;
using VRK::GreetsVertex;

namespace {

struct Name {
    const char* text;
    float x, y, z;
};

// The names in the order they are written, each at its first letter's
// bottom-left dot.
const Name writtenNames[13] = {
    {"yib", -40, 2, 0},      {"vemna", -30, 2, -10},     {"mulvanet", -30, 2, 20}, {"sirkolan", -20, 2, 10},
    {"quenbarth", 20, 2, 20}, {"prisol", 0, 2, 0},       {"gavrinel", 10, 2, -10}, {"zuv", 40, 2, 5},
    {"dolvemiric", 60, 2, 10}, {"hulta", 70, 2, 0},      {"ostem", 50, 2, -10},    {"torpe", 80, 2, -10},
    {"wum", 70, 2, 20},
};

unsigned TotalDots() {
    unsigned dots = 0;
    for (const Name& name : writtenNames)
        for (const char* c = name.text; *c; ++c) dots += VRK::dotFont.PointCount(*c);
    return dots;
}

bool Same(const Vector3D<float>& a, const Vector3D<float>& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

float Dot(const Vector3D<float>& a, const Vector3D<float>& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// One box of the array as its 36 vertices carry it.
struct Box {
    explicit Box(const GreetsVertex* v)
        : vertices(v),
          centre(v[0].texcoord0),
          size(2 * std::fabs(v[0].position.x), 2 * std::fabs(v[0].position.y), 2 * std::fabs(v[0].position.z)) {}
    const GreetsVertex* vertices;
    Vector3D<float> centre;
    Vector3D<float> size;
};

std::unique_ptr<VRK::Greets> MakeScene() {
    EnsureDeviceObjects();
    LeaveGeneratorAsGrowthDoes();
    return std::unique_ptr<VRK::Greets>(new VRK::Greets);
}

void ExpectClosedOutwardBox(const Box& box, unsigned index) {
    SCOPED_TRACE("box " + std::to_string(index));
    const GreetsVertex* v = box.vertices;
    ASSERT_GT(box.size.x, 0.0f);
    ASSERT_GT(box.size.y, 0.0f);
    ASSERT_GT(box.size.z, 0.0f);
    bool seen[6] = {};
    for (int face = 0; face < 6; ++face) {
        const GreetsVertex* f = v + 6 * face;
        const Vector3D<float> n = f[0].normal;
        int axis = -1, nonZero = 0;
        for (int k = 0; k < 3; ++k) {
            const float c = (&n.x)[k];
            if (c != 0.0f) {
                ASSERT_EQ(1.0f, std::fabs(c)) << "face " << face;
                axis = k;
                ++nonZero;
            }
        }
        ASSERT_EQ(1, nonZero) << "face " << face;
        const int direction = 2 * axis + ((&n.x)[axis] > 0 ? 1 : 0);
        ASSERT_FALSE(seen[direction]) << "face " << face;
        seen[direction] = true;
        for (int k = 0; k < 6; ++k) {
            ASSERT_TRUE(Same(n, f[k].normal)) << "face " << face << ", vertex " << k;
            // On the face the normal points out of.
            ASSERT_EQ(0.5f * (&box.size.x)[axis], Dot(n, f[k].position)) << "face " << face;
        }
        // Clockwise seen from outside in a left-handed frame: the usual cross
        // product of the edges points out.
        for (int t = 0; t < 2; ++t) {
            const Vector3D<float>& p = f[3 * t].position;
            const Vector3D<float> edge1 = f[3 * t + 1].position - p, edge2 = f[3 * t + 2].position - p;
            ASSERT_GT(Dot(edge1.Cross(edge2), n), 0.0f) << "face " << face << ", triangle " << t;
        }
    }
    for (int k = 0; k < 36; ++k) {
        for (int c = 0; c < 3; ++c)
            ASSERT_EQ(0.5f * (&box.size.x)[c], std::fabs((&v[k].position.x)[c])) << "vertex " << k;
        ASSERT_TRUE(Same(v[0].texcoord0, v[k].texcoord0)) << "vertex " << k;
        ASSERT_TRUE(Same(v[0].texcoord1, v[k].texcoord1)) << "vertex " << k;
        ASSERT_TRUE(Same(v[0].texcoord2, v[k].texcoord2)) << "vertex " << k;
    }

    // Where it flies: whole-number offsets in their ranges.
    const Vector3D<float> offset = v[0].texcoord1 - box.centre;
    const Vector3D<float> whole(std::round(offset.x), std::round(offset.y), std::round(offset.z));
    EXPECT_TRUE(Same(box.centre + whole, v[0].texcoord1));
    EXPECT_TRUE(whole.x >= -16 && whole.x <= -1 && whole.y >= 8 && whole.y <= 23 && whole.z >= -8 && whole.z <= 7);
    const Vector3D<float>& t2 = v[0].texcoord2;
    for (float e : {t2.y, t2.z}) EXPECT_TRUE(e == std::round(e) && e >= 4 && e <= 19) << e;
    const double moment = (static_cast<double>(box.centre.x) + 40 + 6 - box.centre.y) * static_cast<double>(0.02f);
    EXPECT_EQ(static_cast<float>(moment), t2.x);
}

}  // namespace

TEST(GreetsScene, ArrayHoldsTheGroundThenEveryBoxOfTheNames) {
    std::unique_ptr<VRK::Greets> scene = MakeScene();
    const unsigned boxes = 3 * TotalDots();
    ASSERT_EQ(6 + 36 * boxes, scene->VertexCount());
    EXPECT_EQ(36 * boxes, VRK::GreetsLetters::VertexCount());
    EXPECT_EQ(540u, VRK::GreetsLetters::GlyphVertexCount('i'));
    EXPECT_EQ(1728u, VRK::GreetsLetters::GlyphVertexCount('w'));
    EXPECT_EQ(108u * (12 + 11 + 9), VRK::GreetsLetters::NameVertexCount("zuv"));

    // The ground: (A, B, C), (B, D, C), its texture extent in texcoord0.
    const GreetsVertex* v = scene->Vertices();
    const float ground[6][5] = {{-300, 100, 0, 0}, {300, 100, 150, 0}, {-300, -100, 0, 40},
                                {300, 100, 150, 0}, {300, -100, 150, 40}, {-300, -100, 0, 40}};
    for (int k = 0; k < 6; ++k) {
        EXPECT_TRUE(Same(Vector3D<float>(ground[k][0], 0, ground[k][1]), v[k].position)) << k;
        EXPECT_TRUE(Same(Vector3D<float>(ground[k][2], ground[k][3], 0), v[k].texcoord0)) << k;
        EXPECT_TRUE(Same(Vector3D<float>(), v[k].normal)) << k;
        EXPECT_TRUE(Same(Vector3D<float>(), v[k].texcoord1)) << k;
        EXPECT_TRUE(Same(Vector3D<float>(), v[k].texcoord2)) << k;
    }

    // Every box to the array's end, dot by dot in the names' order: the
    // three boxes of a dot fill its unit cell without overlap.
    unsigned box = 0, cutsSeen = 0;
    for (const Name& name : writtenNames) {
        Vector3D<float> cursor(name.x, name.y, name.z);
        for (const char* c = name.text; *c; ++c) {
            for (const Vector3D<float>& d : VRK::dotFont.Glyph(*c)) {
                SCOPED_TRACE(std::string(name.text) + " '" + *c + "'");
                const Vector3D<float> base = d + cursor - Vector3D<float>(0.5f, 0.5f, 0.5f);
                const Box b1(v + 6 + 36 * box), b2(v + 6 + 36 * (box + 1)), b3(v + 6 + 36 * (box + 2));
                for (unsigned k = 0; k < 3; ++k) ExpectClosedOutwardBox(Box(v + 6 + 36 * (box + k)), box + k);
                const float a = b1.size.x, b = b2.size.y;
                ASSERT_TRUE(Same(Vector3D<float>(a, 1, 1), b1.size));
                ASSERT_TRUE(Same(Vector3D<float>(1 - a, b, 1), b2.size));
                ASSERT_TRUE(Same(Vector3D<float>(1 - a, 1 - b, 1), b3.size));
                const int tenthsA = static_cast<int>(std::lround(a * 10)), tenthsB = static_cast<int>(std::lround(b * 10));
                ASSERT_TRUE(tenthsA >= 1 && tenthsA <= 8 && tenthsB >= 1 && tenthsB <= 8) << a << " " << b;
                ASSERT_EQ(static_cast<float>(tenthsA * 0.1), a);
                ASSERT_EQ(static_cast<float>(tenthsB * 0.1), b);
                ASSERT_TRUE(Same(base + Vector3D<float>(a * 0.5f, 0.5f, 0.5f), b1.centre));
                ASSERT_TRUE(Same(base + Vector3D<float>((1 - a) * 0.5f + a, b * 0.5f, 0.5f), b2.centre));
                ASSERT_TRUE(Same(base + Vector3D<float>((1 - a) * 0.5f + a, (1 - b) * 0.5f + b, 0.5f), b3.centre));
                // Side by side: the slab's right face is the others' left, the
                // lower box's top the upper's bottom, all within the cell.
                EXPECT_NEAR(b1.centre.x + 0.5f * a, b2.centre.x - 0.5f * b2.size.x, 1e-5);
                EXPECT_NEAR(b2.centre.y + 0.5f * b, b3.centre.y - 0.5f * b3.size.y, 1e-5);
                EXPECT_NEAR(base.x, b1.centre.x - 0.5f * a, 1e-5);
                EXPECT_NEAR(base.x + 1, b3.centre.x + 0.5f * b3.size.x, 1e-5);
                EXPECT_NEAR(base.y + 1, b3.centre.y + 0.5f * b3.size.y, 1e-5);
                if (a == 0.1f && b == 0.8f) {
                    ++cutsSeen;
                    EXPECT_TRUE(Same(Vector3D<float>(0.1f, 1, 1), b1.size));
                    EXPECT_TRUE(Same(Vector3D<float>(1 - 0.1f, 0.8f, 1), b2.size));
                    EXPECT_TRUE(Same(Vector3D<float>(1 - 0.1f, 1 - 0.8f, 1), b3.size));
                }
                box += 3;
            }
            const float before = cursor.x;
            cursor.x += static_cast<float>(VRK::dotFont.Width(*c) + 1);
            EXPECT_EQ(*c == 'i' ? 2.0f : std::string("mqtw").find(*c) != std::string::npos ? 6.0f : 5.0f,
                      cursor.x - before);
        }
    }
    EXPECT_EQ(boxes, box);
    EXPECT_GT(cutsSeen, 0u) << "no dot was cut at 0.1 and 0.8";
    // The 'i' of "yib" (after the ten dots of the 'y') stands in the one
    // column x = -35; the 'b' starts at -33.
    const Box i(v + 6 + 36 * 3 * 10), b(v + 6 + 36 * 3 * 15);
    EXPECT_NEAR(-35.0f, i.centre.x - 0.5f * i.size.x + 0.5f, 1e-5);
    EXPECT_NEAR(-33.0f, b.centre.x - 0.5f * b.size.x + 0.5f, 1e-5);
}

TEST(GreetsScene, BoxesContinueTheRandomSequenceWhereGrowthLeavesIt) {
    std::unique_ptr<VRK::Greets> scene = MakeScene();
    // The Growth ribbons reseed with 0; 32 of their draws and the particles'
    // 3,000 come before the letters' first.
    GeneratorModel model(0);
    for (int k = 0; k < 3032; ++k) model.Next();
    const GreetsVertex* v = scene->Vertices() + 6;
    const float a = static_cast<float>((model.Next() % 8 + 1) * 0.1);
    const float b = static_cast<float>((model.Next() % 8 + 1) * 0.1);
    EXPECT_EQ(a, 2 * std::fabs(v[0].position.x));
    EXPECT_EQ(b, 2 * std::fabs(v[36].position.y));
    // Five draws per box, the three boxes of the dot in turn.
    for (int box = 0; box < 3; ++box) {
        const GreetsVertex& first = v[36 * box];
        const float dx = static_cast<float>(model.Next() % 16 - 16);
        const float dy = static_cast<float>(model.Next() % 16 + 8);
        const float dz = static_cast<float>(model.Next() % 16 - 8);
        EXPECT_TRUE(Same(first.texcoord0 + Vector3D<float>(dx, dy, dz), first.texcoord1)) << box;
        EXPECT_EQ(static_cast<float>(model.Next() % 16 + 4), first.texcoord2.y) << box;
        EXPECT_EQ(static_cast<float>(model.Next() % 16 + 4), first.texcoord2.z) << box;
    }
    // Seventeen draws for every dot: the last box's last draw is the
    // sequence's 17 x dots-th after Growth's.
    for (unsigned k = 17; k < 17 * TotalDots() - 1; ++k) model.Next();
    const GreetsVertex& last = scene->Vertices()[scene->VertexCount() - 1];
    EXPECT_EQ(static_cast<float>(model.Next() % 16 + 4), last.texcoord2.z);
}

TEST(GreetsScene, CameraPansAlongTheNamesAsTheExplosionRises) {
    EnsureDeviceObjects();
    ID3D10Effect* effect = VRK::LoadEffect("data/fx/greets.fx");
    const unsigned start = 0xFFFFF000u;  // the pan runs across the tick count's wrap

    GreetsVertex groundVertices[6];
    VRK::VertexRange groundRange;
    groundRange.count = 6;
    groundRange.stride = sizeof(GreetsVertex);
    VRK::GreetsGround ground(groundVertices, effect, &groundRange, backBufferView);
    ground.Start(start);
    ground.Update(start);
    EXPECT_TRUE(Same(Vector3D<float>(-44, 15, -20), ground.GetCamera().eye));
    EXPECT_TRUE(Same(Vector3D<float>(-40, 0, 0), ground.GetCamera().at));
    EXPECT_TRUE(Same(Vector3D<float>(0, 1, 0), ground.GetCamera().up));
    ground.Update(start + 10000);
    EXPECT_TRUE(Same(Vector3D<float>(36, 15, -20), ground.GetCamera().eye));
    EXPECT_TRUE(Same(Vector3D<float>(40, 0, 0), ground.GetCamera().at));
    ground.Update(start + 19999);
    EXPECT_NEAR(120.0f, ground.GetCamera().at.x, 0.01f);

    // The letters write exactly their range, here after six records of their
    // own, and leave what lies before it alone.
    LeaveGeneratorAsGrowthDoes();
    const unsigned count = VRK::GreetsLetters::VertexCount();
    std::vector<GreetsVertex> vertices(6 + count);
    VRK::VertexRange range;
    range.first = 6;
    range.count = count;
    range.stride = sizeof(GreetsVertex);
    VRK::GreetsLetters letters(vertices.data(), effect, &range, backBufferView);
    EXPECT_EQ(6 + count, letters.WriteIndex());
    for (int k = 0; k < 6; ++k) EXPECT_TRUE(Same(Vector3D<float>(), vertices[k].position)) << k;
    EXPECT_NE(0.0f, vertices[6 + count - 1].texcoord2.y);

    letters.Start(start);
    letters.Update(start);
    EXPECT_EQ(0.0f, letters.Explode());
    letters.Update(start + 10000);
    EXPECT_EQ(1.75f, letters.Explode());
    letters.Update(start + 19999);
    EXPECT_NEAR(3.5f, letters.Explode(), 0.001f);
    EXPECT_LT(letters.Explode(), 3.5f);
}

TEST(GreetsSceneDeathTest, TwoRunsOfTheShowBuildTheSameArray) {
    // Each run a process of its own, from the generator's initial state, with
    // the scenes built in the timeline's order.
    const std::string paths[2] = {testing::TempDir() + "greets-array-1.bin", testing::TempDir() + "greets-array-2.bin"};
    // Whatever runs before the statement runs again in each child: the
    // files are removed only at the end.
    for (const std::string& path : paths) {
        EXPECT_EXIT(
            {
                EnsureDeviceObjects();
                VRK::Conformity conformity;
                VRK::Growth growth;
                VRK::Greets greets;
                std::ofstream out(path, std::ios::binary);
                out.write(reinterpret_cast<const char*>(greets.Vertices()),
                          static_cast<std::streamsize>(greets.VertexCount() * sizeof(GreetsVertex)));
                out.close();
                std::exit(out ? 0 : 2);
            },
            ::testing::ExitedWithCode(0), "");
    }
    std::string arrays[2];
    for (int k = 0; k < 2; ++k) {
        std::ifstream in(paths[k], std::ios::binary);
        arrays[k].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    EXPECT_EQ((6 + 108 * TotalDots()) * sizeof(GreetsVertex), arrays[0].size());
    EXPECT_TRUE(arrays[0] == arrays[1]);
    for (const std::string& path : paths) std::remove(path.c_str());
}
