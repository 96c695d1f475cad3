// The filter pass through the selector flow: modes, CMYK through the host's
// colour suite, the selection blend, memory failure, progress, and split
// runs that must equal a one-chunk run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "engine/Engrave.h"
#include "host/FilterPass.h"
#include "host/ModuleState.h"
#include "host/PageMemory.h"
#include "tests/support/FakeHost.h"

namespace {

FakeImage Picture(int width, int height, int planes, int depth, int16_t mode) {
    FakeImage image;
    image.width = width;
    image.height = height;
    image.planes = planes;
    image.depth = depth;
    image.mode = mode;
    image.samples.resize(size_t(width) * height * planes);
    const int full = depth == 16 ? 32768 : 255;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int p = 0; p < planes; ++p) {
                // Smooth ramps with some texture, alpha ramping across.
                const int v = (x * 255 / std::max(1, width - 1) + y * 3 + p * 40 + ((x * y) % 17)) % 256;
                image.at(x, y, p) = uint16_t(depth == 16 ? v * 128 + (x % 128) : v);
                if (p == 3) image.at(x, y, p) = uint16_t(full * x / std::max(1, width - 1));
            }
    return image;
}

FakeImage Rgb(int w, int h, int planes = 3, int depth = 8) {
    return Picture(w, h, planes, depth, depth == 16 ? plugInModeRGB48 : plugInModeRGBColor);
}

std::vector<uint8_t> Stripes(int w, int h) {
    std::vector<uint8_t> mask(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) mask[size_t(y) * w + x] = uint8_t(x < w / 3 ? 0 : x < 2 * w / 3 ? 128 : 255);
    return mask;
}

struct RunSetup {
    FakeImage image;
    uint8_t pattern = kWaves1;
    uint8_t schema = kBlackAndWhite;
    int noAntialias = 0;
    bool mask = false;
};

// One whole run; maxSpace and the protocol decide how the image is split.
FakeImage Engrave(const RunSetup& setup, int32_t maxSpace, bool tiled, int16_t* error = nullptr) {
    FakeHostOptions options;
    options.maxSpace = maxSpace;
    options.advanceState = !tiled;
    FakeHost host(setup.image, options);
    if (setup.mask) host.setMask(Stripes(setup.image.width, setup.image.height));
    EXPECT_EQ(host.Call(filterSelectorPrepare), noErr);
    host.params()->pattern = setup.pattern;
    host.params()->colorSchema = setup.schema;
    host.params()->noAntialias = setup.noAntialias;
    const int16_t result = host.Run(false);
    if (error) *error = result;
    EXPECT_EQ(host.lastProgress, std::make_pair(0, 100));
    return host.image();
}

TEST(FilterPass, UnsupportedModesStopBeforeTouchingTheImage) {
    for (int16_t mode : {plugInModeGrayScale, plugInModeLabColor, plugInModeIndexedColor, plugInModeBitmap,
                         plugInModeDuotone, plugInModeMultichannel, plugInModeGray16}) {
        const int planes = mode == plugInModeLabColor || mode == plugInModeMultichannel ? 3 : 1;
        const FakeImage image = Picture(8, 6, planes, mode == plugInModeGray16 ? 16 : 8, mode);
        FakeHost host(image);
        EXPECT_EQ(host.Run(false), userCanceledErr) << mode;
        EXPECT_EQ(host.image().samples, image.samples) << mode;
        ASSERT_FALSE(host.alerts.empty());
        EXPECT_EQ(host.alerts.back(), "alert||This Mode is Not Supported by the Plug-in");
        if (planes < 3) EXPECT_EQ(host.alerts.front(), "alert|WARNING|There are less than 3 layers");
        else EXPECT_EQ(host.alerts.size(), 1u);
    }
}

TEST(FilterPass, EngravesAnRgbImage) {
    RunSetup setup{Rgb(40, 30)};
    int16_t error = 1;
    const FakeImage out = Engrave(setup, 1 << 30, false, &error);
    EXPECT_EQ(error, noErr);
    // Black and white: every sample is ink or paper, and both occur.
    int ink = 0, paper = 0;
    for (size_t i = 0; i < out.samples.size(); i += 3) {
        EXPECT_TRUE(out.samples[i] == out.samples[i + 1] && out.samples[i + 1] == out.samples[i + 2]);
        ink += out.samples[i] == 0;
        paper += out.samples[i] == 255;
    }
    EXPECT_GT(ink, 0);
    EXPECT_GT(paper, 0);
}

TEST(FilterPass, SelectionZeroRestoresAndHalfBlends) {
    RunSetup setup{Rgb(36, 20)};
    const FakeImage full = Engrave(setup, 1 << 30, false);
    setup.mask = true;
    const FakeImage masked = Engrave(setup, 1 << 30, false);
    const FakeImage& before = setup.image;
    // Away from the mask's edges and the image border: strokes sampled in the
    // unselected part (and, with a selection, outside the image) are not
    // drawn, and their ink may reach a few pixels into the selection.
    for (int y = 3; y < before.height - 3; ++y)
        for (int x = 0; x < before.width; ++x)
            for (int p = 0; p < 3; ++p) {
                if ((x >= 10 && x < 16) || (x >= 22 && x < 28)) continue;
                const int m = x < 12 ? 0 : x < 24 ? 128 : 255;
                if (m == 0) {
                    ASSERT_EQ(masked.at(x, y, p), before.at(x, y, p)) << x << "," << y;
                } else if (m == 128) {
                    const float a = 128 * 0.003921569f;
                    const int blended = int(float(before.at(x, y, p)) * (1 - a) + float(full.at(x, y, p)) * a);
                    ASSERT_EQ(masked.at(x, y, p), blended) << x << "," << y;
                }
            }
}

TEST(FilterPass, SelectingEverythingEngravesLikeNoSelection) {
    for (uint8_t pattern : {uint8_t(kWaves1), uint8_t(kRings), uint8_t(kSpiralWaves2)}) {
        RunSetup setup{Rgb(33, 21, 4), pattern};
        const FakeImage none = Engrave(setup, 1 << 30, false);
        FakeHost host(setup.image);
        host.setMask(std::vector<uint8_t>(33 * 21, 255));
        ASSERT_EQ(host.Call(filterSelectorPrepare), noErr);
        host.params()->pattern = pattern;
        ASSERT_EQ(host.Run(false), noErr);
        EXPECT_EQ(host.image().samples, none.samples) << int(pattern);
    }
}

TEST(FilterPass, CmykGoesThroughTheColourSuiteBothWays) {
    FakeImage image = Picture(30, 10, 4, 8, plugInModeCMYKColor);
    FakeHost host(image);
    ASSERT_EQ(host.Run(false), noErr);
    int toRgb = 0, toCmyk = 0;
    for (const auto& c : host.calls) {
        toRgb += c == "convert8 2->0 30";
        toCmyk += c == "convert8 0->2 30";
    }
    EXPECT_EQ(toRgb, 10);
    EXPECT_EQ(toCmyk, 10);
    // The fake suite maps RGB back to CMYK with K = 0 and C = 255 - R: the
    // engraving's paper (white) comes back as no ink.
    int paper = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 30; ++x) {
            EXPECT_EQ(host.image().at(x, y, 3), 0);
            paper += host.image().at(x, y, 0) == 0 && host.image().at(x, y, 1) == 0;
        }
    EXPECT_GT(paper, 0);
}

TEST(FilterPass, CmykUnselectedPixelsKeepTheirSamplesExactly) {
    FakeImage image = Picture(30, 12, 5, 16, plugInModeCMYK64);
    FakeHost host(image);
    host.setMask(Stripes(30, 12));
    ASSERT_EQ(host.Run(false), noErr);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 10; ++x)
            for (int p = 0; p < 5; ++p) ASSERT_EQ(host.image().at(x, y, p), image.at(x, y, p));
}

TEST(FilterPass, WideRowsAreConvertedInPiecesTheSuiteCanCount) {
    FakeImage image = Picture(40000, 2, 4, 8, plugInModeCMYKColor);
    FakeHostOptions options;
    options.bigDocument = true;
    FakeHost host(image, options);
    ASSERT_EQ(host.Run(false), noErr);
    int full = 0, rest = 0;
    for (const auto& c : host.calls) {
        full += c == "convert8 2->0 32767" || c == "convert8 0->2 32767";
        rest += c == "convert8 2->0 7233" || c == "convert8 0->2 7233";
    }
    EXPECT_EQ(full, 4);
    EXPECT_EQ(rest, 4);
}

TEST(FilterPass, CmykWithoutAColourSuiteFailsAndLeavesTheImage) {
    FakeImage image = Picture(12, 8, 4, 8, plugInModeCMYKColor);
    FakeHostOptions options;
    options.colorSuite = false;
    FakeHost host(image, options);
    EXPECT_EQ(host.Run(false), errPlugInHostInsufficient);
    EXPECT_EQ(host.image().samples, image.samples);
}

TEST(FilterPass, OutOfMemoryLeavesTheOutputUntouched) {
    const FakeImage image = Rgb(32, 16);
    for (size_t limit : {size_t(0), size_t(32 * 16 * 3), size_t(32 * 16 * 3 + 100)}) {
        SetPageMemoryLimitForTesting(limit);
        FakeHost host(image);
        EXPECT_EQ(host.Run(false), memFullErr) << limit;
        SetPageMemoryLimitForTesting(SIZE_MAX);
        EXPECT_EQ(host.image().samples, image.samples) << limit;
    }
}

TEST(FilterPass, EarlierChunkErrorIsNotReportedAsCancel) {
    const FakeImage image = Rgb(20, 13);
    SetPageMemoryLimitForTesting(0);
    FakeHostOptions options;
    options.maxSpace = 400;
    FakeHost host(image, options);
    EXPECT_EQ(host.Run(false), memFullErr);
    SetPageMemoryLimitForTesting(SIZE_MAX);
    EXPECT_EQ(host.advanceStateCalls, 1);
}

// A run split into chunks or tiled windows gives exactly the pixels of a
// one-chunk run.
struct SplitCase {
    const char* name;
    int planes, depth;
    int16_t mode;
    int noAntialias;
    bool mask;
};

class SplitRun : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitRun, EqualsTheOneChunkRunForEveryPatternAndSchema) {
    const SplitCase& c = GetParam();
    const int width = 37, height = 29;
    const int bytesPerRow = (2 * c.planes + 1) * width;
    for (uint8_t pattern = 0; pattern < kPatternKindCount; ++pattern) {
        for (uint8_t schema = 0; schema < kColorSchemaCount; ++schema) {
            RunSetup setup{Picture(width, height, c.planes, c.depth, c.mode), pattern, schema, c.noAntialias, c.mask};
            const FakeImage whole = Engrave(setup, 1 << 30, false);
            for (int rows : {1, 4, 7}) {
                const FakeImage chunked = Engrave(setup, rows * bytesPerRow, false);
                ASSERT_EQ(chunked.samples, whole.samples)
                    << c.name << " pattern " << int(pattern) << " schema " << int(schema) << " rows " << rows;
            }
            const FakeImage tiled = Engrave(setup, 5 * bytesPerRow, true);
            ASSERT_EQ(tiled.samples, whole.samples)
                << c.name << " tiled pattern " << int(pattern) << " schema " << int(schema);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Images, SplitRun,
    ::testing::Values(SplitCase{"rgb8", 3, 8, plugInModeRGBColor, 0, false},
                      SplitCase{"rgb8_direct", 3, 8, plugInModeRGBColor, 1, false},
                      SplitCase{"rgba16", 4, 16, plugInModeRGB48, 0, false},
                      SplitCase{"rgba8_mask", 4, 8, plugInModeRGBColor, 0, true},
                      SplitCase{"rgb8_direct_mask", 3, 8, plugInModeRGBColor, 1, true},
                      SplitCase{"cmyk8", 4, 8, plugInModeCMYKColor, 0, false},
                      SplitCase{"cmyka16_direct", 5, 16, plugInModeCMYK64, 1, false}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

}  // namespace
