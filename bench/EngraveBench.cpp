// Render times of the engine on a 4000 x 3000 photo-like RGB image, every
// pattern kind, each next to the reference render of the same image timed
// in the same run. Counters: threads, reference_s (the reference render),
// ratio (this render's time over the reference's), the antialiased
// rasters' bytes and the process's peak resident memory so far (maxrss).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
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

using RenderFunction = decltype(&EngraveRender);

// Renders the region (left, top, width, rows) of the photo, as a host with
// a small memory budget or the dialog's preview pane asks for it; returns seconds.
double RenderRegion(const EngraveSettings& params, int top, int rows, std::vector<uint8_t>& out, int left = 0,
                    int width = kWidth, int threads = 1, RenderFunction render = &EngraveRender) {
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
    RenderOptions options;
    options.threads = threads;
    const auto start = std::chrono::steady_clock::now();
    render(params, region, image, MaskView{}, options, scratch, EngraveProgress{});
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The fast render with one thread per processor against the reference
// render of the same region, both timed here.
void CompareWithReference(benchmark::State& state, const EngraveSettings& p, int top, int rows, int left, int width,
                          int threads = EngraveMachineThreads()) {
    std::vector<uint8_t> out(Photo().size());
    double seconds = 0;
    for (auto _ : state) {
        const double s = RenderRegion(p, top, rows, out, left, width, threads);
        state.SetIterationTime(s);
        seconds += s;
    }
    const double reference = RenderRegion(p, top, rows, out, left, width, 1, &EngraveRenderReference);
    state.counters["threads"] = threads;
    state.counters["reference_s"] = reference;
    state.counters["ratio"] = seconds / double(state.iterations()) / reference;
    state.counters["maxrss_MB"] = MaxRssMegabytes();
}

void BM_DefaultRecord(benchmark::State& state) {
    EngraveSettings p = DefaultEngraveSettings();
    p.noAntialias = int32_t(state.range(0));
    CompareWithReference(state, p, 0, kHeight, 0, kWidth);
}
BENCHMARK(BM_DefaultRecord)->ArgName("direct")->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PatternKind(benchmark::State& state) {
    EngraveSettings p = DefaultEngraveSettings();
    p.pattern = uint8_t(state.range(0));
    CompareWithReference(state, p, 0, kHeight, 0, kWidth);
}
BENCHMARK(BM_PatternKind)->ArgName("kind")->DenseRange(0, 12)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

// What the render gains on one thread alone, without the bands.
void BM_OneThread(benchmark::State& state) {
    EngraveSettings p = DefaultEngraveSettings();
    p.pattern = uint8_t(state.range(0));
    CompareWithReference(state, p, 0, kHeight, 0, kWidth, 1);
}
BENCHMARK(BM_OneThread)->ArgName("kind")->Arg(1)->Arg(3)->Arg(4)->Arg(12)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

// A host with a small memory budget: the image in ten bands, one after the other.
void BM_Chunks(benchmark::State& state) {
    EngraveSettings p = DefaultEngraveSettings();
    p.pattern = uint8_t(state.range(0));
    std::vector<uint8_t> out(Photo().size());
    const int threads = EngraveMachineThreads();
    for (auto _ : state) {
        double seconds = 0;
        for (int i = 0, top = 0; i < 10; ++i) {
            const int bottom = kHeight * (i + 1) / 10;
            seconds += RenderRegion(p, top, bottom - top, out, 0, kWidth, threads);
            top = bottom;
        }
        state.SetIterationTime(seconds);
    }
    state.counters["threads"] = threads;
    state.counters["maxrss_MB"] = MaxRssMegabytes();
}
BENCHMARK(BM_Chunks)->ArgName("kind")->Arg(1)->Arg(12)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
