// The hexagon field's build: 40 x 40 cells, each a six-sided spindle of nine
// rings with smooth normals and its centre as attribute A.
#include "spindlemesh.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

const unsigned kRows = 40;
const unsigned kColumns = 40;
const unsigned kStride = 36;

// Bulges at the middle ring, narrows to cos(pi/4) at both ends.
VMath::Vector3D<float> CellRadius(float t) {
    float c = static_cast<float>(std::cos(static_cast<double>(t) * 0.7853982f));
    return VMath::Vector3D<float>(c, 1.0f, c);
}

void BuildCells(unsigned char* out, unsigned cellVertices) {
    for (unsigned i = 0; i < kRows; ++i) {
        for (int j = -20; j < 20; ++j) {
            float shift = 0.5f * static_cast<float>(i % 2);
            VRK::SpindleDesc desc{};
            desc.output = out;
            desc.slices = 6;
            desc.halfRings = 4;
            desc.smoothNormals = 1;
            desc.radiusProfile = CellRadius;
            desc.attributeA = VMath::Vector3D<float>(static_cast<float>(j) + shift, 0.0f,
                                                     static_cast<float>(i) - 20.0f);
            desc.flags = 5;
            desc.texcoordScale = 0.1f;
            desc.size = VMath::Vector3D<float>(0.58f, 0.2f, 0.58f);
            VRK::SpindleMesh mesh(desc);
            out += kStride * cellVertices;
        }
    }
}

void BM_HexFieldSpindles(benchmark::State& state) {
    const unsigned cellVertices = VRK::SpindleMesh::VertexCount(6, 4, 0, 0);
    std::vector<unsigned char> vertices(static_cast<size_t>(kRows) * kColumns * cellVertices * kStride);
    for (auto _ : state) {
        BuildCells(vertices.data(), cellVertices);
        benchmark::DoNotOptimize(vertices.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kRows * kColumns);
}

}  // namespace

BENCHMARK(BM_HexFieldSpindles)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
