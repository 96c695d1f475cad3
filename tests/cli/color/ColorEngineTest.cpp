// The colour engine behind the colour space suite: layout and conventions
// of the suite's colours, profile choice, limits, and how faithful a trip
// through CMYK is.
#include <gtest/gtest.h>

#include <lcms2.h>

#include <cmath>

#include "cli/color/ColorEngine.h"
#include "cli/image/ImageIo.h"
#include "tests/cli/CliTestFiles.h"

namespace {

// Colours in a byte vector, four samples each, as the suite lays them out.
struct ColorRow {
    std::vector<uint8_t> bytes;
    explicit ColorRow(size_t count) : bytes(count * 4) {}
    Color8* data() { return reinterpret_cast<Color8*>(bytes.data()); }
    Color8& operator[](size_t i) { return data()[i]; }
    size_t size() const { return bytes.size() / 4; }
};

std::unique_ptr<ColorEngine> MakeEngine(const ColorProfileChoice& choice = {}) {
    std::string error;
    auto engine = ColorEngine::Create(choice, error);
    EXPECT_TRUE(engine) << error;
    return engine;
}

std::vector<uint8_t> WideGamutProfileBytes() {
    // Adobe RGB (1998)-like primaries: far wider greens than sRGB.
    const cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1}, {0.21, 0.71, 1}, {0.15, 0.06, 1}};
    cmsToneCurve* curve = cmsBuildGamma(nullptr, 2.2);
    cmsToneCurve* curves[3] = {curve, curve, curve};
    cmsCIExyY white;
    cmsWhitePointFromTemp(&white, 6504);
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsFreeToneCurve(curve);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::vector<uint8_t> bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

void ToCmyk8(const ColorEngine& engine, uint8_t r, uint8_t g, uint8_t b, Color8& out) {
    out[0] = 255;
    out[1] = r;
    out[2] = g;
    out[3] = b;
    ASSERT_EQ(engine.Convert8(kColorSpaceRgb, kColorSpaceCmyk, &out, 1), ColorStatus::Ok);
}

// White is no ink (the suite's CMYK is inverted: full scale) and no ink is
// white, exactly, at both depths; black takes plenty of ink.
TEST(ColorEngine, WhiteIsNoInkAndNoInkIsWhiteAtBothDepths) {
    auto engine = MakeEngine();
    Color8 c8[3] = {{255, 255, 255, 255}, {255, 0, 0, 0}, {255, 255, 255, 255}};
    Color16 c16[2] = {{32768, 32768, 32768, 32768}, {32768, 32768, 32768, 32768}};
    ASSERT_EQ(engine->Convert8(kColorSpaceRgb, kColorSpaceCmyk, c8, 2), ColorStatus::Ok);
    ASSERT_EQ(engine->Convert8(kColorSpaceCmyk, kColorSpaceRgb, c8 + 2, 1), ColorStatus::Ok);
    ASSERT_EQ(engine->Convert16(kColorSpaceRgb, kColorSpaceCmyk, c16, 1), ColorStatus::Ok);
    ASSERT_EQ(engine->Convert16(kColorSpaceCmyk, kColorSpaceRgb, c16 + 1, 1), ColorStatus::Ok);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(c8[0][k], 255) << k;
        EXPECT_EQ(c16[0][k], 32768) << k;
        if (k == 0) continue;  // RGB is in samples 1..3
        EXPECT_EQ(c8[2][k], 255) << k;
        EXPECT_EQ(c16[1][k], 32768) << k;
    }
    EXPECT_LT(c8[1][3], 30);
    EXPECT_LT(c8[1][0] + c8[1][1] + c8[1][2] + c8[1][3], 4 * 255 - 600);
}

TEST(ColorEngine, SixteenAndEightBitAgree) {
    auto engine = MakeEngine();
    int worst = 0;
    for (int v = 0; v < 256; v += 15) {
        Color8 c8[1] = {{0, uint8_t(v), uint8_t(255 - v), uint8_t(v / 2)}};
        auto up = [](int s) { return uint16_t((s * 32768 + 127) / 255); };
        Color16 c16[1] = {{0, up(c8[0][1]), up(c8[0][2]), up(c8[0][3])}};
        ASSERT_EQ(engine->Convert8(kColorSpaceRgb, kColorSpaceCmyk, c8, 1), ColorStatus::Ok);
        ASSERT_EQ(engine->Convert16(kColorSpaceRgb, kColorSpaceCmyk, c16, 1), ColorStatus::Ok);
        for (int k = 0; k < 4; ++k) {
            worst = std::max(worst, std::abs(int(std::lround(c16[0][k] * 255.0 / 32768)) - c8[0][k]));
        }
    }
    // The 8-bit transform interpolates a coarser table.
    EXPECT_LE(worst, 3);
}

// RGB -> CMYK -> RGB, worst channel difference per colour.
std::vector<int> TripDifferences(const ColorEngine& engine, ColorRow colors) {
    ColorRow trip = colors;
    EXPECT_EQ(engine.Convert8(kColorSpaceRgb, kColorSpaceCmyk, trip.data(), int32_t(trip.size())), ColorStatus::Ok);
    EXPECT_EQ(engine.Convert8(kColorSpaceCmyk, kColorSpaceRgb, trip.data(), int32_t(trip.size())), ColorStatus::Ok);
    std::vector<int> differences(colors.size());
    for (size_t i = 0; i < colors.size(); ++i) {
        for (int k = 1; k < 4; ++k) {
            differences[i] = std::max(differences[i], std::abs(int(trip[i][k]) - int(colors[i][k])));
        }
        EXPECT_EQ(trip[i][0], 0);
    }
    return differences;
}

// Greys: the inks' black is lighter than RGB black, and black point
// compensation stretches the dark end, so the darkest greys move most.
TEST(ColorEngine, GreysSurviveATripThroughCmyk) {
    auto engine = MakeEngine();
    ColorRow greys(18);
    for (int i = 0; i < 18; ++i) {
        const uint8_t v = uint8_t(std::min(255, i * 15));
        greys[i][0] = 0;
        greys[i][1] = greys[i][2] = greys[i][3] = v;
    }
    const std::vector<int> d = TripDifferences(*engine, greys);
    for (int i = 0; i < 18; ++i) EXPECT_LE(d[i], i < 2 ? 8 : 4) << "grey " << i * 15;
}

// Colours both spaces hold come back close. They are made from a CMYK grid
// of up to 63 % per ink, keeping those whose RGB is not pinned at a limit
// (the cyan ink reaches beyond sRGB). The trip costs table interpolation and
// 8-bit rounding on each leg: about 2 levels on average; strong cyans at the
// edge of sRGB lose up to 10. Colours outside the inks' gamut (saturated
// sRGB primaries) are clipped on the way in and cannot come back, so they
// are not asked to.
TEST(ColorEngine, ColoursBothSpacesHoldSurviveATripThroughCmyk) {
    auto engine = MakeEngine();
    ColorRow grid(5 * 5 * 5 * 3);
    size_t n = 0;
    for (int c = 0; c < 5; ++c) {
        for (int m = 0; m < 5; ++m) {
            for (int y = 0; y < 5; ++y) {
                for (int k = 0; k < 3; ++k, ++n) {
                    grid[n][0] = uint8_t(255 - c * 40);
                    grid[n][1] = uint8_t(255 - m * 40);
                    grid[n][2] = uint8_t(255 - y * 40);
                    grid[n][3] = uint8_t(255 - k * 40);
                }
            }
        }
    }
    ASSERT_EQ(engine->Convert8(kColorSpaceCmyk, kColorSpaceRgb, grid.data(), int32_t(n)), ColorStatus::Ok);
    std::vector<uint8_t> inner;
    for (size_t i = 0; i < n; ++i) {
        const auto within = [](uint8_t v) { return v >= 10 && v <= 245; };
        if (within(grid[i][1]) && within(grid[i][2]) && within(grid[i][3])) inner.insert(inner.end(), grid[i], grid[i] + 4);
    }
    ColorRow colors(inner.size() / 4);
    colors.bytes = inner;
    ASSERT_GT(colors.size(), 300u);
    const std::vector<int> d = TripDifferences(*engine, colors);
    double mean = 0;
    for (int v : d) mean += v;
    mean /= double(d.size());
    const int worst = *std::max_element(d.begin(), d.end());
    std::printf("RGB -> CMYK -> RGB over %zu colours: mean %.2f, worst %d\n", d.size(), mean, worst);
    EXPECT_LE(mean, 2.5);
    EXPECT_LE(worst, 10);
}

TEST(ColorEngine, MostColoursPerCallAndParameterChecks) {
    auto engine = MakeEngine();
    ColorRow many(kMaxColorsPerCall);
    for (size_t i = 0; i < many.size(); ++i) {
        many[i][0] = 0;
        many[i][1] = uint8_t(i);
        many[i][2] = uint8_t(i >> 7);
        many[i][3] = uint8_t(i * 7);
    }
    ColorRow expected = many;
    ASSERT_EQ(engine->Convert8(kColorSpaceRgb, kColorSpaceCmyk, many.data(), kMaxColorsPerCall), ColorStatus::Ok);
    for (size_t i = 0; i < many.size(); i += 997) {
        ToCmyk8(*engine, expected[i][1], expected[i][2], expected[i][3], expected[i]);
        for (int k = 0; k < 4; ++k) ASSERT_EQ(many[i][k], expected[i][k]) << i;
    }
    // The last colour too: every chunk is converted.
    ToCmyk8(*engine, uint8_t(32766), uint8_t(32766 >> 7), uint8_t(32766 * 7), expected[kMaxColorsPerCall - 1]);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(many[kMaxColorsPerCall - 1][k], expected[kMaxColorsPerCall - 1][k]);

    ColorRow tooMany(kMaxColorsPerCall + 1);
    EXPECT_EQ(engine->Convert8(kColorSpaceRgb, kColorSpaceCmyk, tooMany.data(), kMaxColorsPerCall + 1),
              ColorStatus::BadParameter);
    EXPECT_EQ(engine->Convert8(kColorSpaceRgb, kColorSpaceCmyk, tooMany.data(), -1), ColorStatus::BadParameter);
    EXPECT_EQ(engine->Convert16(kColorSpaceRgb, kColorSpaceCmyk, nullptr, 1), ColorStatus::BadParameter);
    EXPECT_EQ(engine->Convert8(kColorSpaceRgb, kColorSpaceCmyk, nullptr, 0), ColorStatus::Ok);
    Color8 lab[1] = {{1, 2, 3, 4}};
    EXPECT_EQ(engine->Convert8(3, kColorSpaceRgb, lab, 1), ColorStatus::UnsupportedSpace);
    EXPECT_EQ(engine->Convert8(kColorSpaceCmyk, kColorSpaceCmyk, lab, 1), ColorStatus::Ok);
    EXPECT_EQ(lab[0][0] + lab[0][1] + lab[0][2] + lab[0][3], 10);  // same space: untouched
}

TEST(ColorProfiles, TheImagesOwnProfileIsUsedForItsOwnSpaceOnly) {
    Image rgb;
    rgb.model = ColorModel::Rgb;
    rgb.iccProfile = SrgbProfileBytes();
    ColorProfileChoice choice = ChooseProfiles(rgb);
    EXPECT_EQ(choice.rgbProfile, rgb.iccProfile);
    EXPECT_TRUE(choice.cmykProfile.empty());
    EXPECT_EQ(choice.note, "");

    Image cmyk;
    cmyk.model = ColorModel::Cmyk;
    cmyk.iccProfile = DefaultCmykProfileBytes();
    choice = ChooseProfiles(cmyk);
    EXPECT_TRUE(choice.rgbProfile.empty());
    EXPECT_EQ(choice.cmykProfile, cmyk.iccProfile);

    rgb.iccProfile = cmyk.iccProfile;  // a CMYK profile in an RGB image
    choice = ChooseProfiles(rgb);
    EXPECT_TRUE(choice.rgbProfile.empty() && choice.cmykProfile.empty());
    EXPECT_NE(choice.note, "");

    Image gray;
    gray.model = ColorModel::Gray;
    gray.iccProfile = GrayProfileBytes();
    choice = ChooseProfiles(gray);
    EXPECT_TRUE(choice.rgbProfile.empty() && choice.cmykProfile.empty());
    EXPECT_EQ(choice.note, "");
}

TEST(ColorEngine, AnEmbeddedProfileChangesTheConversion) {
    Image wide;
    wide.model = ColorModel::Rgb;
    wide.iccProfile = WideGamutProfileBytes();
    auto srgbEngine = MakeEngine();
    auto wideEngine = MakeEngine(ChooseProfiles(wide));
    Color8 a, b;
    ToCmyk8(*srgbEngine, 40, 200, 60, a);
    ToCmyk8(*wideEngine, 40, 200, 60, b);
    int difference = 0;
    for (int k = 0; k < 4; ++k) difference += std::abs(int(a[k]) - int(b[k]));
    EXPECT_GT(difference, 20);

    Image cmyk;
    cmyk.model = ColorModel::Cmyk;
    cmyk.iccProfile = ReadBytes("/usr/share/color/icc/ghostscript/ps_cmyk.icc");
    ASSERT_FALSE(cmyk.iccProfile.empty());
    auto psEngine = MakeEngine(ChooseProfiles(cmyk));
    Color8 c[1] = {{55, 200, 255, 128}}, d[1] = {{55, 200, 255, 128}};
    ASSERT_EQ(srgbEngine->Convert8(kColorSpaceCmyk, kColorSpaceRgb, c, 1), ColorStatus::Ok);
    ASSERT_EQ(psEngine->Convert8(kColorSpaceCmyk, kColorSpaceRgb, d, 1), ColorStatus::Ok);
    EXPECT_GT(std::abs(c[0][1] - d[0][1]) + std::abs(c[0][2] - d[0][2]) + std::abs(c[0][3] - d[0][3]), 10);
}

TEST(ColorEngine, ABrokenEmbeddedProfileFallsBackToTheDefaults) {
    ColorProfileChoice choice;
    choice.rgbProfile.assign(400, 0x33);
    std::copy_n("RGB ", 4, choice.rgbProfile.begin() + 16);
    auto engine = MakeEngine(choice);
    ASSERT_TRUE(engine);
    EXPECT_NE(engine->note(), "");
    Color8 white;
    ToCmyk8(*engine, 255, 255, 255, white);
    EXPECT_EQ(white[3], 255);
}

TEST(ColorEngine, AMissingDefaultCmykProfileIsAClearError) {
    ColorProfileChoice choice;
    choice.cmykPath = "/nonexistent/default_cmyk.icc";
    std::string error;
    EXPECT_EQ(ColorEngine::Create(choice, error), nullptr);
    EXPECT_NE(error.find("/nonexistent/default_cmyk.icc"), std::string::npos) << error;
    EXPECT_NE(error.find("libgs-common"), std::string::npos) << error;
}

// The CMYK sample photograph was made from the RGB one with Ghostscript's
// default profiles; converting it back lands near the original.
TEST(ColorEngine, TheCmykSamplePhotographConvertsBackToTheRgbOne) {
    Image rgb, cmyk;
    ASSERT_TRUE(ReadImageFile(SamplesDir() + "/astronaut.png", rgb).ok);
    ASSERT_TRUE(ReadImageFile(SamplesDir() + "/astronaut-cmyk8.tif", cmyk).ok);
    std::string error;
    auto engine = ColorEngine::CreateFor(cmyk, error);
    ASSERT_TRUE(engine) << error;
    const size_t pixels = size_t(cmyk.width) * cmyk.height;
    ColorRow colors(pixels);
    for (size_t i = 0; i < pixels; ++i) {
        for (int k = 0; k < 4; ++k) colors[i][k] = uint8_t(255 - cmyk.samples8[i * 4 + k]);
    }
    double total = 0;
    for (size_t start = 0; start < pixels; start += kMaxColorsPerCall) {
        const int32_t n = int32_t(std::min<size_t>(kMaxColorsPerCall, pixels - start));
        ASSERT_EQ(engine->Convert8(kColorSpaceCmyk, kColorSpaceRgb, colors.data() + start, n), ColorStatus::Ok);
    }
    for (size_t i = 0; i < pixels; ++i) {
        for (int k = 0; k < 3; ++k) total += std::abs(int(colors[i][1 + k]) - int(rgb.samples8[i * 3 + k]));
    }
    const double mean = total / (pixels * 3);
    std::printf("astronaut CMYK -> RGB: mean difference %.2f\n", mean);
    EXPECT_LT(mean, 8.0);
}

}  // namespace
