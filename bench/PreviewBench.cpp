// The dialog's latency on a 12-megapixel photo: from a changed value to the
// preview pane's picture — the exact render of a 278 x 250 view (the pane
// at 96 DPI) and its 24-bit picture — for the default settings and the
// slowest kinds, with and without strong relief.
#include <benchmark/benchmark.h>

#include "bench/BenchPhoto.h"
#include "dialog/PanePictures.h"
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

void BM_PreviewLatency(benchmark::State& state) {
    FilterRecord record = WholeImageRecord();
    gModule.filterRecord = &record;
    EngraveSettings settings = DefaultEngraveSettings();
    settings.pattern = uint8_t(state.range(0));
    settings.randomness = float(state.range(1));
    const PreviewRequest request{&record, 1800, 1400, 278, 250};
    for (auto _ : state) {
        const PreviewPicture p = RenderPreview(settings, request, ProgressSink{nullptr, nullptr});
        const PictureSource source{p.pixels.data(), int64_t(p.width) * p.planes, p.width, p.height, p.planes, p.depth};
        benchmark::DoNotOptimize(BuildPreviewPicture(source, 278, 250, 0, 0, true));
    }
    gModule.filterRecord = nullptr;
}
BENCHMARK(BM_PreviewLatency)
    ->ArgNames({"kind", "randomness"})
    ->ArgsProduct({{kWaves1, kRings, kSpiralWaves4, kRingsWaves4}, {0, 400}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
