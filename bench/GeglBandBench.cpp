// lumeric:engrave rendered the way GIMP shows it on the canvas: tile by
// tile, row after row of tiles, through one node. With band caching (the
// operation as shipped) the first tile of a row of tiles renders the
// whole band and the others come from GEGL's cache; "per_tile" is the same
// operation made to cache just the tile it was asked for, so that every
// tile walks every stroke again. "whole" is one request for the image.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "gegl/BandPlan.h"
#include "gegl/EngraveOperation.h"

namespace {

constexpr int kWidth = 2400, kHeight = 1600;

GeglBuffer* Photo() {
    static GeglBuffer* buffer = [] {
        std::vector<uint8_t> pixels(size_t(kWidth) * kHeight * 3);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                for (int c = 0; c < 3; ++c)
                    pixels[(size_t(y) * kWidth + x) * 3 + c] =
                        uint8_t((x * 255 / kWidth + y * 255 / kHeight) / 2 + c * 9);
        const GeglRectangle rect{0, 0, kWidth, kHeight};
        GeglBuffer* b = gegl_buffer_new(&rect, babl_format("R'G'B' u8"));
        gegl_buffer_set(b, &rect, 0, babl_format("R'G'B' u8"), pixels.data(), GEGL_AUTO_ROWSTRIDE);
        return b;
    }();
    return buffer;
}

// lumeric:engrave, except that it caches only what it is asked for.
GeglRectangle RequestOnly(GeglOperation*, const GeglRectangle* roi) { return *roi; }
void PerTileClassInit(gpointer klass, gpointer) {
    GeglOperationClass* operation = GEGL_OPERATION_CLASS(klass);
    operation->get_cached_region = RequestOnly;
    gegl_operation_class_set_keys(operation, "name", "bench:engrave-per-tile", nullptr);
}
void RegisterPerTile() {
    GTypeInfo info{};
    info.class_size = sizeof(LumericEngraveClass);
    info.class_init = PerTileClassInit;
    info.instance_size = sizeof(LumericEngrave);
    g_type_register_static(g_type_from_name("LumericEngrave"), "BenchEngravePerTile", &info, GTypeFlags(0));
}

void RenderInTiles(benchmark::State& state, const char* operation) {
    const int tile = int(state.range(0));
    g_object_set(gegl_config(), "threads", int(state.range(1)), nullptr);
    std::vector<uint8_t> out(size_t(tile) * tile * 3);
    for (auto _ : state) {
        GeglNode* graph = gegl_node_new();
        GeglNode* source = gegl_node_new_child(graph, "operation", "gegl:buffer-source", "buffer", Photo(), nullptr);
        GeglNode* engrave = gegl_node_new_child(graph, "operation", operation, "pattern", 1, nullptr);
        gegl_node_link(source, engrave);
        for (int y = 0; y < kHeight; y += tile)
            for (int x = 0; x < kWidth; x += tile) {
                const GeglRectangle r{x, y, tile, tile};
                gegl_node_blit(engrave, 1.0, &r, babl_format("R'G'B' u8"), out.data(), GEGL_AUTO_ROWSTRIDE,
                               GEGL_BLIT_DEFAULT);
            }
        g_object_unref(graph);
    }
    state.counters["tiles"] = double((kWidth + tile - 1) / tile) * ((kHeight + tile - 1) / tile);
    state.counters["bands"] = double((kHeight + kBandRows - 1) / kBandRows);
}

void BM_Bands(benchmark::State& state) { RenderInTiles(state, "lumeric:engrave"); }
void BM_PerTile(benchmark::State& state) { RenderInTiles(state, "bench:engrave-per-tile"); }

void BM_Whole(benchmark::State& state) {
    g_object_set(gegl_config(), "threads", int(state.range(0)), nullptr);
    std::vector<uint8_t> out(size_t(kWidth) * kHeight * 3);
    for (auto _ : state) {
        GeglNode* graph = gegl_node_new();
        GeglNode* source = gegl_node_new_child(graph, "operation", "gegl:buffer-source", "buffer", Photo(), nullptr);
        GeglNode* engrave = gegl_node_new_child(graph, "operation", "lumeric:engrave", "pattern", 1, nullptr);
        gegl_node_link(source, engrave);
        const GeglRectangle r{0, 0, kWidth, kHeight};
        gegl_node_blit(engrave, 1.0, &r, babl_format("R'G'B' u8"), out.data(), GEGL_AUTO_ROWSTRIDE, GEGL_BLIT_DEFAULT);
        g_object_unref(graph);
    }
}

}  // namespace

BENCHMARK(BM_Bands)
    ->ArgNames({"tile", "threads"})
    ->ArgsProduct({{64, 256}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_PerTile)
    ->ArgNames({"tile", "threads"})
    ->ArgsProduct({{64, 256}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_Whole)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    setenv("GEGL_PATH", LUMERIC_GEGL_PATH, 1);  // GEGL's operations and the built module only
    gegl_init(nullptr, nullptr);
    RegisterPerTile();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    g_object_unref(Photo());
    gegl_exit();
    return 0;
}
