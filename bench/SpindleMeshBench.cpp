// The hexagon field's build, cell by cell as the scene builds it.
#include "HexFieldCells.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

void BM_HexFieldSpindles(benchmark::State& state) {
    std::vector<unsigned char> vertices(static_cast<size_t>(bench::kFieldCells) * bench::CellVertexCount() *
                                        bench::kFieldStride);
    for (auto _ : state) {
        bench::BuildHexFieldCells(vertices.data());
        benchmark::DoNotOptimize(vertices.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * bench::kFieldCells);
}

}  // namespace

BENCHMARK(BM_HexFieldSpindles)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
