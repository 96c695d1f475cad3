// The engraving engine's entry point: one render of one region.
//
// The engine is pure: no platform header, no host record, no allocation
// (beyond the threads of a render in bands).
// The caller (the filter pass) owns every buffer and hands it in; the
// engine draws the strokes, reduces and composites them into `out`.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/EngraveSettings.h"

// Where the region sits in the whole filtered image. The strokes are always
// laid out over the whole image and the region shows its part of them, so
// that any split of an image into regions (chunks, tiled windows, the
// dialog's preview pane) gives exactly the pixels of one whole render.
struct EngraveRegion {
    int imageWidth, imageHeight;  // W x H: the whole filtered image, pixels
    int left, top;                // ox, oy: the region's corner inside the image
    int width, height;            // w x h: the region, pixels
};

// What a render does beyond the settings. Each field names its effect.
struct RenderOptions {
    // Strong relief (randomness above 180) walks proportionally more
    // samples per stroke, so that displaced samples stay close together.
    // Off only for drafts that need not match the final image.
    bool densifyRelief = true;
    // Horizontal bands rendered at the same time, one per thread; the
    // caller's thread renders the first band and alone reports progress.
    // 0: one per processor. Any count gives exactly the same pixels.
    int threads = 1;
};

// Source pixels available for intensity sampling, in image coordinates.
// It covers at least the region, and should also cover EngraveReach()
// pixels around it on every side (clipped to the image), or samples there
// read as 0.
struct SampleWindow {
    const void* data;    // the window's pixel (0, 0)
    int32_t rowStride;   // samples per row
    int left, top;       // window corner in image coordinates
    int width, height;
};

// The selection, one byte per pixel, in image coordinates. Absent: null data.
struct MaskView {
    const uint8_t* data;  // mask byte of image pixel (left, top)
    int32_t rowBytes;
    int left, top, width, height;
};

struct EngraveImage {
    int planes;          // samples per pixel, >= 3
    int depth;           // 8 or 16 (full scale 255 or 32768)
    bool cmykConverted;  // the copy holds RGB converted from CMYK
    SampleWindow source;
    void* out;               // the region's pixel (0, 0)
    int32_t outRowStride;    // samples per row
};

// Working rasters of the antialiased path; null on the direct path.
// Sizes from SubpixelRasterBytes and CoverageRasterBytes. Their content on
// entry does not matter: the engine clears the subpixel raster before every
// colour pass and overwrites the coverage raster.
struct EngraveScratch {
    uint8_t* subpixels;
    uint8_t* coverage;
};

struct EngraveProgress {
    void (*report)(void* context, float done, float total);  // may be null
    void* context;
};

size_t SubpixelRasterBytes(int width, int height);  // 4h rows of ceil(w/2) bytes
size_t CoverageRasterBytes(int width, int height);  // h rows of ceil(w/2) bytes

// How many pixels beyond a region, in every direction, the strokes that
// touch the region may sample, for the given settings and image size
// (bounded by the larger image side). The same for every region of one image.
int EngraveReach(const EngraveSettings& settings, int imageWidth, int imageHeight);

// Renders the engraving of `region` into image.out: seeds the random
// generator, pre-fills the output, draws every colour pass and composites it.
// Unusable inputs leave the output untouched: fewer than 3 planes, a region
// not inside the image (or a side above 2^26 pixels), a source window that
// does not cover the region, missing rasters on the antialiased path.
// Every settings value is accepted (see engine/EngraveSetup.h).
//
// The scratch rasters are shared out between the bands (each band uses the
// rows of its own pixels), so threads need no memory beyond these.
void EngraveRender(const EngraveSettings& settings, const EngraveRegion& region, const EngraveImage& image,
                   const MaskView& mask, const RenderOptions& options, const EngraveScratch& scratch,
                   const EngraveProgress& progress);

// The same render done the plain way: one band on the caller's thread,
// every stamp drawn in full. Kept as the yardstick the faster render is
// compared against byte for byte; options.threads is ignored.
void EngraveRenderReference(const EngraveSettings& settings, const EngraveRegion& region, const EngraveImage& image,
                            const MaskView& mask, const RenderOptions& options, const EngraveScratch& scratch,
                            const EngraveProgress& progress);

// Threads a render with options.threads 0 uses: the processors the system
// reports, at least 1.
int EngraveMachineThreads();
