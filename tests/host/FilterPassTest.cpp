// The filter pass through the selector flow: modes, CMYK through the host's
// colour suite, the selection blend, memory failure, progress, and split
// runs that must equal a one-chunk run.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "host/PageMemory.h"
#include "tests/support/FakeHost.h"

namespace {

// Unselected, half and fully selected thirds.
std::vector<uint8_t> Stripes(int w, int h) {
    std::vector<uint8_t> mask(size_t(w) * h);
    for (size_t i = 0; i < mask.size(); ++i)
        mask[i] = uint8_t(int(i % w) < w / 3 ? 0 : int(i % w) < 2 * w / 3 ? 128 : 255);
    return mask;
}

// One whole run; maxSpace and the protocol decide how the image is split.
FakeImage Engrave(const FakeImage& image, const EngraveSettings& settings, const std::vector<uint8_t>& mask = {},
                  int32_t maxSpace = 1 << 30, bool tiled = false, int16_t expected = noErr) {
    FakeHostOptions options;
    options.maxSpace = maxSpace;
    options.advanceState = !tiled;
    FakeHost host(image, options);
    if (!mask.empty()) host.setMask(mask);
    EXPECT_EQ(host.Call(filterSelectorPrepare), noErr);
    StoreSettings(settings, host.params());
    EXPECT_EQ(host.Run(false), expected);
    if (expected == noErr) {
        EXPECT_EQ(host.lastProgress, std::make_pair(0, 100)) << "the bar is reset";
    }
    return host.image();
}

TEST(FilterPass, UnsupportedModesStopBeforeTouchingTheImage) {
    for (int16_t mode : {plugInModeGrayScale, plugInModeLabColor, plugInModeIndexedColor, plugInModeBitmap,
                         plugInModeDuotone, plugInModeMultichannel, plugInModeGray16}) {
        const int planes = mode == plugInModeLabColor || mode == plugInModeMultichannel ? 3 : 1;
        const FakeImage image = TexturedImage(8, 6, planes, mode == plugInModeGray16 ? 16 : 8, mode);
        FakeHost host(image);
        EXPECT_EQ(host.Run(false), userCanceledErr) << mode;
        EXPECT_EQ(host.image().samples, image.samples) << mode;
        std::vector<std::string> alerts = {"alert||This Mode is Not Supported by the Plug-in"};
        if (planes < 3) alerts.insert(alerts.begin(), "alert|WARNING|There are less than 3 layers");
        EXPECT_EQ(host.alerts, alerts) << mode;
    }
}

TEST(FilterPass, SelectionZeroRestoresAndHalfBlends) {
    const FakeImage before = TexturedImage(36, 20);
    const FakeImage full = Engrave(before, DefaultEngraveSettings());
    const FakeImage masked = Engrave(before, DefaultEngraveSettings(), Stripes(36, 20));
    // Away from the mask's edges and the image border: strokes sampled in the
    // unselected part (and, with a selection, outside the image) are not
    // drawn, and their ink may reach a few pixels into the selection.
    for (int y = 3; y < before.height - 3; ++y)
        for (int x = 0; x < 22; ++x)
            for (int p = 0; p < 3 && (x < 10 || x >= 16); ++p) {
                const float a = 128 * 0.003921569f;
                const int blended = int(float(before.at(x, y, p)) * (1 - a) + float(full.at(x, y, p)) * a);
                ASSERT_EQ(masked.at(x, y, p), x < 12 ? before.at(x, y, p) : blended) << x << "," << y;
            }
}

TEST(FilterPass, SelectingEverythingEngravesLikeNoSelection) {
    EngraveSettings settings = DefaultEngraveSettings();
    for (uint8_t pattern : {uint8_t(kWaves1), uint8_t(kRings), uint8_t(kSpiralWaves2)}) {
        settings.pattern = pattern;
        const FakeImage image = TexturedImage(33, 21, 4);
        EXPECT_EQ(Engrave(image, settings, std::vector<uint8_t>(33 * 21, 255)).samples,
                  Engrave(image, settings).samples)
            << int(pattern);
    }
}

TEST(FilterPass, CmykGoesThroughTheColourSuiteBothWaysInPiecesItCanCount) {
    FakeHostOptions options;
    options.bigDocument = true;
    FakeHost host(TexturedImage(40000, 2, 4, 8, plugInModeCMYKColor), options);
    ASSERT_EQ(host.Run(false), noErr);
    for (const char* call : {"convert8 2->0 32767", "convert8 0->2 32767", "convert8 2->0 7233", "convert8 0->2 7233"})
        EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), call), 2) << call;
    // The fake suite gives K = 0 on the way back: every pixel was converted.
    for (int x = 0; x < 40000; ++x) ASSERT_EQ(host.image().at(x, 1, 3), 0) << x;
}

TEST(FilterPass, CmykUnselectedPixelsKeepTheirSamplesExactly) {
    const FakeImage image = TexturedImage(30, 12, 5, 16, plugInModeCMYK64);
    FakeHost host(image);
    host.setMask(Stripes(30, 12));
    ASSERT_EQ(host.Run(false), noErr);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 10; ++x)
            for (int p = 0; p < 5; ++p) ASSERT_EQ(host.image().at(x, y, p), image.at(x, y, p));
}

TEST(FilterPass, CmykWithoutAColourSuiteFailsAndLeavesTheImage) {
    const FakeImage image = TexturedImage(12, 8, 4, 8, plugInModeCMYKColor);
    FakeHostOptions options;
    options.colorSuite = false;
    FakeHost host(image, options);
    EXPECT_EQ(host.Run(false), errPlugInHostInsufficient);
    EXPECT_EQ(host.image().samples, image.samples);
}

// Page memory runs out at the first raster, the second or later (an RGB
// image is read in place, without a copy): the output is untouched, and a
// later chunk does not turn the error into a cancel.
TEST(FilterPass, OutOfMemoryLeavesTheOutputUntouched) {
    const FakeImage image = TexturedImage(32, 16);
    for (size_t limit : {size_t(0), size_t(32 * 16 * 2), size_t(32 * 16 * 2 + 100)}) {
        SetPageMemoryLimitForTesting(limit);
        const FakeImage out = Engrave(image, DefaultEngraveSettings(), {}, 1 << 30, false, memFullErr);
        SetPageMemoryLimitForTesting(SIZE_MAX);
        EXPECT_EQ(out.samples, image.samples) << limit;
    }
    SetPageMemoryLimitForTesting(0);
    FakeHostOptions options;
    options.maxSpace = 400;
    FakeHost host(TexturedImage(20, 13), options);
    EXPECT_EQ(host.Run(false), memFullErr);
    SetPageMemoryLimitForTesting(SIZE_MAX);
    EXPECT_EQ(host.advanceStateCalls, 1);
}

// A run split into chunks or tiled windows gives exactly the pixels of a
// one-chunk run.
struct SplitCase { const char* name; int planes, depth; int16_t mode; int noAntialias; bool mask; };

class SplitRun : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitRun, EqualsTheOneChunkRunForEveryPatternAndSchema) {
    const SplitCase& c = GetParam();
    const int width = 37, height = 29, bytesPerRow = (2 * c.planes + 1) * width;
    const FakeImage image = TexturedImage(width, height, c.planes, c.depth, c.mode);
    const std::vector<uint8_t> mask = c.mask ? Stripes(width, height) : std::vector<uint8_t>{};
    EngraveSettings s = DefaultEngraveSettings();
    s.noAntialias = c.noAntialias;
    // With a selection also relief, noise, an offset and a centre outside;
    // at 16 bits dots, unbroken lines, inversion and no fill alpha.
    if (c.mask) s.randomness = 400, s.noise = 30, s.offset = 300, s.centerX = 250, s.centerY = -400;
    if (c.depth == 16) s.useCircles = 1, s.notBreak = 1, s.invert = 1, s.fillAlpha = 0, s.noise = 10;
    for (s.pattern = 0; s.pattern < kPatternKindCount; ++s.pattern)
        for (s.colorSchema = 0; s.colorSchema < kColorSchemaCount; ++s.colorSchema) {
            const FakeImage whole = Engrave(image, s, mask);
            const std::string what = std::string(c.name) + " pattern " + std::to_string(s.pattern) + " schema " +
                                     std::to_string(s.colorSchema);
            for (int rows : {1, 4, 7}) {
                const FakeImage chunked = Engrave(image, s, mask, rows * bytesPerRow);
                ASSERT_EQ(chunked.samples, whole.samples) << what << " rows " << rows;
            }
            ASSERT_EQ(Engrave(image, s, mask, 5 * bytesPerRow, true).samples, whole.samples) << what << " tiled";
        }
}

INSTANTIATE_TEST_SUITE_P(
    Images, SplitRun,
    ::testing::Values(SplitCase{"rgb8", 3, 8, plugInModeRGBColor, 0, false},
                      SplitCase{"rgba16", 4, 16, plugInModeRGB48, 0, false},
                      SplitCase{"rgba8_mask", 4, 8, plugInModeRGBColor, 0, true},
                      SplitCase{"rgb8_direct_mask", 3, 8, plugInModeRGBColor, 1, true},
                      SplitCase{"cmyk8", 4, 8, plugInModeCMYKColor, 0, false},
                      SplitCase{"cmyka16_direct", 5, 16, plugInModeCMYK64, 1, false}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

}  // namespace
