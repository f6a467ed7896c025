// The caption image is 512 x 2048 and is read one GetPixel at a time.
#include <gdiplus.h>

#include "TestImages.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

constexpr int Width = 512;
constexpr int Height = 2048;

const std::string& CaptionSizedImage() {
    static const std::string path = [] {
        testimages::Picture picture{Width, Height, {}};
        picture.argb.reserve(static_cast<size_t>(Width) * Height);
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                picture.argb.push_back(((x ^ y) & 8) ? 0xFFFFFFFFu : static_cast<uint32_t>(x * 131 + y * 7) << 8);
        std::string name = (std::filesystem::temp_directory_path() / "bench-gdiplus-XXXXXX").string();
        const int file = mkstemp(name.data());
        if (file >= 0) close(file);
        testimages::WriteFile(name, testimages::EncodePng(picture));
        return name;
    }();
    // Registered after the path's own destructor, so it runs before it.
    static const bool removedAtExit = std::atexit([] { std::remove(CaptionSizedImage().c_str()); }) == 0;
    (void)removedAtExit;
    return path;
}

struct StartedGdiplus {
    StartedGdiplus() {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token, &input, nullptr);
    }
    ULONG_PTR token = 0;
};

void ReadEveryPixel(benchmark::State& state) {
    static StartedGdiplus gdiplus;
    const std::wstring path = testimages::Wide(CaptionSizedImage());
    Gdiplus::Bitmap bitmap(path.c_str(), FALSE);
    for (auto _ : state) {
        Gdiplus::ARGB sum = 0;
        for (int y = 0; y < Height; ++y) {
            for (int x = 0; x < Width; ++x) {
                Gdiplus::Color color;
                if (bitmap.GetPixel(x, y, &color) == Gdiplus::Ok) sum += color.GetValue();
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * Width * Height);
}
BENCHMARK(ReadEveryPixel)->Unit(benchmark::kMillisecond);

void OpenAndDecode(benchmark::State& state) {
    static StartedGdiplus gdiplus;
    const std::wstring path = testimages::Wide(CaptionSizedImage());
    for (auto _ : state) {
        Gdiplus::Bitmap bitmap(path.c_str(), FALSE);
        benchmark::DoNotOptimize(bitmap.GetWidth());
    }
}
BENCHMARK(OpenAndDecode)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
