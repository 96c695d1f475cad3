// The colour engine behind the colour space suite: the suite's layout and
// conventions, profile choice, limits, and how faithful a trip through CMYK
// is.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "cli/color/ColorEngine.h"
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

std::array<int, 4> ToCmyk8(const ColorEngine& engine, uint8_t r, uint8_t g, uint8_t b) {
    Color8 out[1] = {{255, r, g, b}};
    EXPECT_EQ(engine.Convert8(kColorSpaceRgb, kColorSpaceCmyk, out, 1), ColorStatus::Ok);
    return {out[0][0], out[0][1], out[0][2], out[0][3]};
}

// The suite's CMYK is inverted: white is full scale (no ink) and no ink is
// white, exactly, at both depths; black takes plenty of ink. (How the 16-bit
// scale fares on real images: Windows against Linux, CMYK 16-bit.)
TEST(ColorEngine, WhiteIsNoInkAndNoInkIsWhite) {
    auto engine = MakeEngine();
    Color8 c8[2] = {{255, 255, 255, 255}, {255, 255, 255, 255}};
    Color16 c16[2] = {{32768, 32768, 32768, 32768}, {32768, 32768, 32768, 32768}};
    ASSERT_EQ(engine->Convert8(kColorSpaceRgb, kColorSpaceCmyk, c8, 1), ColorStatus::Ok);
    ASSERT_EQ(engine->Convert8(kColorSpaceCmyk, kColorSpaceRgb, c8 + 1, 1), ColorStatus::Ok);
    ASSERT_EQ(engine->Convert16(kColorSpaceRgb, kColorSpaceCmyk, c16, 1), ColorStatus::Ok);
    ASSERT_EQ(engine->Convert16(kColorSpaceCmyk, kColorSpaceRgb, c16 + 1, 1), ColorStatus::Ok);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(c8[0][k], 255) << k;
        EXPECT_EQ(c16[0][k], 32768) << k;
        EXPECT_EQ(c8[1][k], k == 0 ? 0 : 255) << k;  // RGB is in samples 1..3
        EXPECT_EQ(c16[1][k], k == 0 ? 0 : 32768) << k;
    }
    const auto black = ToCmyk8(*engine, 0, 0, 0);
    EXPECT_LT(black[3], 30);
    EXPECT_LT(black[0] + black[1] + black[2] + black[3], 4 * 255 - 600);
}

// A call takes up to 32767 colours, converted in pieces: each as on its own.
TEST(ColorEngine, MostColoursPerCallAndParameterChecks) {
    auto engine = MakeEngine();
    ColorRow many(kMaxColorsPerCall);
    for (size_t i = 0; i < many.size(); ++i)
        many[i][1] = uint8_t(i), many[i][2] = uint8_t(i >> 7), many[i][3] = uint8_t(i * 7);
    const ColorRow given = many;
    ASSERT_EQ(engine->Convert8(kColorSpaceRgb, kColorSpaceCmyk, many.data(), kMaxColorsPerCall), ColorStatus::Ok);
    for (size_t i : {size_t(0), size_t(511), size_t(512), size_t(20000), many.size() - 1}) {
        const auto alone = ToCmyk8(*engine, given.bytes[4 * i + 1], given.bytes[4 * i + 2], given.bytes[4 * i + 3]);
        for (int k = 0; k < 4; ++k) ASSERT_EQ(many[i][k], alone[k]) << i;
    }
    EXPECT_EQ(engine->Convert8(kColorSpaceRgb, kColorSpaceCmyk, many.data(), kMaxColorsPerCall + 1),
              ColorStatus::BadParameter);
    EXPECT_EQ(engine->Convert8(kColorSpaceRgb, kColorSpaceCmyk, many.data(), -1), ColorStatus::BadParameter);
    EXPECT_EQ(engine->Convert16(kColorSpaceRgb, kColorSpaceCmyk, nullptr, 1), ColorStatus::BadParameter);
    EXPECT_EQ(engine->Convert8(kColorSpaceRgb, kColorSpaceCmyk, nullptr, 0), ColorStatus::Ok);
    Color8 lab[1] = {{1, 2, 3, 4}};
    EXPECT_EQ(engine->Convert8(3, kColorSpaceRgb, lab, 1), ColorStatus::UnsupportedSpace);
    EXPECT_EQ(engine->Convert8(kColorSpaceCmyk, kColorSpaceCmyk, lab, 1), ColorStatus::Ok);
    EXPECT_EQ(lab[0][0] + lab[0][1] + lab[0][2] + lab[0][3], 10);  // same space: untouched
}

// The image's own profile serves its own space only, and changes the
// conversion; one that does not fit is passed over with a note.
TEST(ColorProfiles, TheImagesOwnProfileIsUsedForItsOwnSpace) {
    Image image;
    image.model = ColorModel::Gray;
    image.iccProfile = IccProfile("default_gray.icc");
    ColorProfileChoice choice = ChooseProfiles(image);
    EXPECT_TRUE(choice.rgbProfile.empty() && choice.cmykProfile.empty() && choice.note.empty());
    image.model = ColorModel::Rgb;
    image.iccProfile = IccProfile("default_cmyk.icc");
    choice = ChooseProfiles(image);
    EXPECT_TRUE(choice.rgbProfile.empty() && choice.cmykProfile.empty());
    EXPECT_NE(choice.note, "");

    auto standard = MakeEngine();
    image.iccProfile = IccProfile("a98.icc");  // far wider greens than sRGB
    choice = ChooseProfiles(image);
    EXPECT_EQ(choice.rgbProfile, image.iccProfile);
    const auto a = ToCmyk8(*standard, 40, 200, 60), b = ToCmyk8(*MakeEngine(choice), 40, 200, 60);
    EXPECT_GT(std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) + std::abs(a[3] - b[3]), 20);

    image.model = ColorModel::Cmyk;
    image.iccProfile = IccProfile("ps_cmyk.icc");
    choice = ChooseProfiles(image);
    EXPECT_TRUE(choice.rgbProfile.empty());
    EXPECT_EQ(choice.cmykProfile, image.iccProfile);
    Color8 c[1] = {{55, 200, 255, 128}}, d[1] = {{55, 200, 255, 128}};
    ASSERT_EQ(standard->Convert8(kColorSpaceCmyk, kColorSpaceRgb, c, 1), ColorStatus::Ok);
    ASSERT_EQ(MakeEngine(choice)->Convert8(kColorSpaceCmyk, kColorSpaceRgb, d, 1), ColorStatus::Ok);
    EXPECT_GT(std::abs(c[0][1] - d[0][1]) + std::abs(c[0][2] - d[0][2]) + std::abs(c[0][3] - d[0][3]), 10);
}

TEST(ColorEngine, ABrokenProfileFallsBackAndAMissingDefaultIsAClearError) {
    ColorProfileChoice choice;
    choice.rgbProfile.assign(400, 0x33);
    std::copy_n("RGB ", 4, choice.rgbProfile.begin() + 16);
    auto engine = MakeEngine(choice);
    ASSERT_TRUE(engine);
    EXPECT_NE(engine->note(), "");
    EXPECT_EQ(ToCmyk8(*engine, 255, 255, 255)[3], 255);

    choice = ColorProfileChoice();
    choice.cmykPath = "/nonexistent/default_cmyk.icc";
    std::string error;
    EXPECT_EQ(ColorEngine::Create(choice, error), nullptr);
    EXPECT_NE(error.find("/nonexistent/default_cmyk.icc"), std::string::npos) << error;
    EXPECT_NE(error.find("libgs-common"), std::string::npos) << error;
}

}  // namespace
