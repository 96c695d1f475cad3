// The dialog's latency on a 12-megapixel photo: from a changed value to the
// preview pane's picture — the exact render of a 278 x 250 view (the pane
// at 96 DPI) and its 24-bit picture — for the default settings and the
// slowest kinds, with and without strong relief. Counters: threads, the
// process's peak resident memory so far (maxrss), and
// reference_ms, the reference engine's render of the same region alone (no
// copy, no picture), timed in the same run, with ratio = latency / that.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <vector>

#include "bench/BenchPhoto.h"
#include "dialog/PanePictures.h"
#include "engine/Engrave.h"
#include "host/ModuleState.h"
#include "host/PreviewRender.h"

namespace {

// The host's record as the preview fetch leaves it: the whole image as input.
FilterRecord WholeImageRecord() {
    FilterRecord record{};
    record.filterRect = PIRect{0, 0, int16_t(kHeight), int16_t(kWidth)};
    record.inRect = record.outRect = record.maskRect = record.filterRect;
    record.inData = const_cast<uint8_t*>(Photo().data());
    record.inRowBytes = kWidth * 3;
    record.planes = 3;
    record.depth = 8;
    record.imageMode = plugInModeRGBColor;
    return record;
}

// The reference engine on the pane's region of the photo, in seconds.
double ReferenceRender(const EngraveSettings& settings, int left, int top, int width, int height) {
    const int reach = EngraveReach(settings, kWidth, kHeight);
    const int winTop = top - reach < 0 ? 0 : top - reach;
    const int winBottom = top + height + reach > kHeight ? kHeight : top + height + reach;
    std::vector<uint8_t> out(size_t(width) * height * 3), subpixels(SubpixelRasterBytes(width, height)),
        coverage(CoverageRasterBytes(width, height));
    EngraveImage image{};
    image.planes = 3;
    image.depth = 8;
    image.source = SampleWindow{Photo().data() + size_t(winTop) * kWidth * 3, kWidth * 3, 0, winTop, kWidth,
                                winBottom - winTop};
    image.out = out.data();
    image.outRowStride = width * 3;
    const auto start = std::chrono::steady_clock::now();
    EngraveRenderReference(settings, EngraveRegion{kWidth, kHeight, left, top, width, height}, image, MaskView{},
                           RenderOptions{}, EngraveScratch{subpixels.data(), coverage.data()}, EngraveProgress{});
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_PreviewLatency(benchmark::State& state) {
    FilterRecord record = WholeImageRecord();
    gModule.filterRecord = &record;
    EngraveSettings settings = DefaultEngraveSettings();
    settings.pattern = uint8_t(state.range(0));
    settings.randomness = float(state.range(1));
    const PreviewRequest request{&record, 1800, 1400, 278, 250};
    double seconds = 0;
    PreviewPicture p;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        p = RenderPreview(settings, request, ProgressSink{nullptr, nullptr});
        const PictureSource source{p.pixels.data(), int64_t(p.width) * p.planes, p.width, p.height, p.planes, p.depth};
        benchmark::DoNotOptimize(BuildPreviewPicture(source, 278, 250, 0, 0, true));
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    gModule.filterRecord = nullptr;
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        const double s = ReferenceRender(settings, p.left, p.top, p.width, p.height);
        best = s < best ? s : best;
    }
    // A pane narrower than half the image is rendered as one band, on one thread.
    state.counters["threads"] = 1;
    state.counters["reference_ms"] = best * 1000.0;
    state.counters["ratio"] = seconds / double(state.iterations()) / best;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["maxrss_MB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_PreviewLatency)
    ->ArgNames({"kind", "randomness"})
    ->ArgsProduct({{kWaves1, kRings, kSpiralWaves4, kRingsWaves4}, {0, 400}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
