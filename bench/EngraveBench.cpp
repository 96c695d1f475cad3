// Render times of the engine on a 4000 x 3000 photo-like RGB image.
// Counters: the antialiased rasters' bytes and the process's peak resident
// memory so far (maxrss).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "bench/BenchPhoto.h"
#include "engine/Engrave.h"
#include "settings/EngraveSettings.h"

namespace {


double MaxRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// Renders the region (left, top, width, rows) of the photo, as a host with
// a small memory budget or the dialog's preview pane asks for it.
void RenderRegion(const EngraveSettings& params, int top, int rows, std::vector<uint8_t>& out, int left = 0,
                  int width = kWidth, benchmark::State* state = nullptr) {
    const std::vector<uint8_t>& src = Photo();
    EngraveRegion region{kWidth, kHeight, left, top, width, rows};
    const int reach = EngraveReach(params, kWidth, kHeight);
    const int winTop = std::max(0, top - reach), winBottom = std::min(kHeight, top + rows + reach);
    EngraveImage image{};
    image.planes = 3;
    image.depth = 8;
    image.source = SampleWindow{src.data() + size_t(winTop) * kWidth * 3, kWidth * 3, 0, winTop, kWidth, winBottom - winTop};
    image.out = out.data() + (size_t(top) * kWidth + left) * 3;
    image.outRowStride = kWidth * 3;
    const bool antialiased = params.noAntialias == 0;
    std::vector<uint8_t> subpixels(antialiased ? SubpixelRasterBytes(width, rows) : 0);
    std::vector<uint8_t> coverage(antialiased ? CoverageRasterBytes(width, rows) : 0);
    EngraveScratch scratch{subpixels.data(), coverage.data()};
    EngraveRender(params, region, image, MaskView{}, RenderOptions{}, scratch, EngraveProgress{});
    if (state) state->counters["raster_MB"] = double(subpixels.size() + coverage.size()) / 1048576.0;
}

EngraveSettings Defaults() { return DefaultEngraveSettings(); }

void BM_DefaultRecord(benchmark::State& state) {
    EngraveSettings p = Defaults();
    p.noAntialias = int32_t(state.range(0));
    std::vector<uint8_t> out(Photo().size());
    for (auto _ : state) RenderRegion(p, 0, kHeight, out, 0, kWidth, &state);
    state.counters["maxrss_MB"] = MaxRssMegabytes();
}
BENCHMARK(BM_DefaultRecord)->ArgName("direct")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_PatternKind(benchmark::State& state) {
    EngraveSettings p = Defaults();
    p.pattern = uint8_t(state.range(0));
    std::vector<uint8_t> out(Photo().size());
    for (auto _ : state) RenderRegion(p, 0, kHeight, out);
    state.counters["maxrss_MB"] = MaxRssMegabytes();
}
BENCHMARK(BM_PatternKind)->ArgName("kind")->DenseRange(0, 12)->Unit(benchmark::kMillisecond)->Iterations(1);

// The dialog's preview pane: a 280 x 250 view in the middle of the photo,
// rendered as that part of the whole engraving.
void BM_PreviewRegion(benchmark::State& state) {
    EngraveSettings p = Defaults();
    p.pattern = uint8_t(state.range(0));
    p.randomness = float(state.range(1));
    std::vector<uint8_t> out(Photo().size());
    for (auto _ : state) RenderRegion(p, 1400, 250, out, 1800, 280, &state);
}
BENCHMARK(BM_PreviewRegion)
    ->ArgNames({"kind", "randomness"})
    ->ArgsProduct({{1, 3, 8, 12}, {0, 400}})
    ->Unit(benchmark::kMillisecond);

void BM_Chunks(benchmark::State& state) {
    EngraveSettings p = Defaults();
    p.pattern = uint8_t(state.range(1));
    const int chunks = int(state.range(0));
    std::vector<uint8_t> out(Photo().size());
    for (auto _ : state) {
        int top = 0;
        for (int i = 0; i < chunks; ++i) {
            int bottom = kHeight * (i + 1) / chunks;
            RenderRegion(p, top, bottom - top, out, 0, kWidth, &state);
            top = bottom;
        }
    }
    state.counters["maxrss_MB"] = MaxRssMegabytes();
}
BENCHMARK(BM_Chunks)->ArgNames({"chunks", "kind"})->ArgsProduct({{1, 10}, {1, 3, 12}})->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
