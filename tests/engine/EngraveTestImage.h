// Test pictures and render drivers for the engine suites: synthetic
// images, one-piece renders, and renders of bands the way a host with a
// small memory budget delivers them.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/Engrave.h"
#include "settings/EngraveSettings.h"

struct Picture {
    int width = 0, height = 0, planes = 3, depth = 8;
    std::vector<uint8_t> bytes;  // interleaved samples, 1 or 2 bytes each

    int SampleBytes() const { return depth == 16 ? 2 : 1; }
    int32_t RowStride() const { return width * planes; }  // samples
    uint32_t Get(int x, int y, int p) const;
    void Set(int x, int y, int p, uint32_t v);
    const uint8_t* Row(int y) const { return bytes.data() + size_t(y) * RowStride() * SampleBytes(); }
    uint8_t* Row(int y) { return bytes.data() + size_t(y) * RowStride() * SampleBytes(); }
};

Picture MakePicture(int width, int height, int planes, int depth);
// A diagonal colour gradient with a few dark shapes, alpha (when planes >= 4)
// falling from opaque to half at the right; 16-bit samples scaled to 32768.
Picture MakeGradientPicture(int width, int height, int planes, int depth);
// A selection: zero in a band and a disc, full elsewhere, with soft values.
std::vector<uint8_t> MakeTestMask(int width, int height);

struct RenderSetup {
    bool densifyRelief = true;
    bool cmykConverted = false;
    const std::vector<uint8_t>* mask = nullptr;  // width x height bytes
    int threads = 1;
    bool reference = false;  // EngraveRenderReference instead of EngraveRender
};

// Renders the picture in `bands` horizontal bands and stitches them; each
// band gets the source rows the engine asks for and nothing more.
Picture RenderInBands(const EngraveSettings& params, const Picture& source, int bands, const RenderSetup& setup = {});
inline Picture RenderWhole(const EngraveSettings& params, const Picture& source, const RenderSetup& setup = {}) {
    return RenderInBands(params, source, 1, setup);
}

// Renders only the pane (left, top, width, height) of the picture, the
// way the dialog's preview asks for it; the whole picture is the source.
Picture RenderPane(const EngraveSettings& params, const Picture& source, int left, int top, int width, int height,
                   const RenderSetup& setup = {});

// 64-bit FNV-1a of the samples.
uint64_t HashPicture(const Picture& p);
// 8-bit RGBA view for PNG files (16-bit scaled down, missing alpha opaque).
std::vector<uint8_t> ToRgba8(const Picture& p);
