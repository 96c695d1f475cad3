// A host may deliver an image in horizontal bands; every split must give
// exactly the bytes of a one-piece render.
#include <gtest/gtest.h>

#include "tests/engine/EngraveTestImage.h"

namespace {

struct ChunkCase {
    int pattern, schema;
    bool direct;
};

std::string CaseName(const testing::TestParamInfo<ChunkCase>& info) {
    return "Kind" + std::to_string(info.param.pattern) + "Schema" + std::to_string(info.param.schema) +
           (info.param.direct ? "Direct" : "Antialiased");
}

std::vector<ChunkCase> AllCases() {
    std::vector<ChunkCase> cases;
    for (int k = 0; k < kPatternKindCount; ++k)
        for (int s = 0; s < kColorSchemaCount; ++s)
            for (int d = 0; d < 2; ++d) cases.push_back({k, s, d == 1});
    return cases;
}

class ChunkExactness : public testing::TestWithParam<ChunkCase> {};

void ExpectBandsMatch(const EngraveSettings& params, const Picture& source, const RenderSetup& setup) {
    Picture whole = RenderWhole(params, source, setup);
    for (int bands : {2, 3, 7}) {
        Picture split = RenderInBands(params, source, bands, setup);
        ASSERT_EQ(split.bytes, whole.bytes) << bands << " bands differ from the one-piece render";
    }
}

TEST_P(ChunkExactness, BandsGiveTheWholeRender) {
    EngraveSettings params = DefaultParams();
    params.pattern = uint8_t(GetParam().pattern);
    params.colorSchema = uint8_t(GetParam().schema);
    params.noAntialias = GetParam().direct;
    params.space = 14;
    ExpectBandsMatch(params, MakeGradientPicture(40, 36, 3, 8), {});
}

TEST_P(ChunkExactness, BandsGiveTheWholeRenderWithReliefNoiseAlphaAndMask) {
    EngraveSettings params = DefaultParams();
    params.pattern = uint8_t(GetParam().pattern);
    params.colorSchema = uint8_t(GetParam().schema);
    params.noAntialias = GetParam().direct;
    params.randomness = 400;  // relief with densification
    params.noise = 30;
    params.offset = 300;
    params.centerX = 250;
    params.centerY = -400;
    std::vector<uint8_t> mask = MakeTestMask(44, 38);
    RenderSetup setup;
    setup.mask = &mask;
    ExpectBandsMatch(params, MakeGradientPicture(44, 38, 4, 8), setup);
}

TEST_P(ChunkExactness, BandsGiveTheWholeRenderAt16BitsWithDots) {
    EngraveSettings params = DefaultParams();
    params.pattern = uint8_t(GetParam().pattern);
    params.colorSchema = uint8_t(GetParam().schema);
    params.noAntialias = GetParam().direct;
    params.useCircles = 1;
    params.notBreak = 1;
    params.invert = 1;
    params.fillAlpha = 0;
    params.noise = 10;
    RenderSetup setup;
    setup.cmykConverted = true;
    ExpectBandsMatch(params, MakeGradientPicture(38, 41, 5, 16), setup);
}

INSTANTIATE_TEST_SUITE_P(AllKinds, ChunkExactness, testing::ValuesIn(AllCases()), CaseName);

TEST(ChunkExactness, MaskWithoutReliefAndSingleRowBands) {
    EngraveSettings params = DefaultParams();
    params.pattern = kRingsWaves3;
    std::vector<uint8_t> mask = MakeTestMask(30, 20);
    RenderSetup setup;
    setup.mask = &mask;
    Picture source = MakeGradientPicture(30, 20, 3, 8);
    EXPECT_EQ(RenderInBands(params, source, 20, setup).bytes, RenderWhole(params, source, setup).bytes);
}

TEST(ChunkExactness, LargerRingsAndSpiralsInBands) {
    // Bigger radii, where far samples are skipped in runs; a large rotation
    // makes the angle coarse in float.
    struct Case {
        int kind;
        float rotation, centerX, randomness;
    };
    for (Case k : {Case{3, 30, 0, 0}, Case{12, 30, 300, 0}, Case{9, 1e5f, -200, 200}, Case{8, -77, 900, 500}}) {
        EngraveSettings params = DefaultParams();
        params.pattern = uint8_t(k.kind);
        params.rotation = k.rotation;
        params.centerX = k.centerX;
        params.randomness = k.randomness;
        Picture source = MakeGradientPicture(200, 150, 3, 8);
        Picture whole = RenderWhole(params, source);
        EXPECT_EQ(RenderInBands(params, source, 6, {}).bytes, whole.bytes) << "kind " << k.kind;
    }
}

TEST(ChunkExactness, TiledWindowsGiveTheWholeRender) {
    for (int kind : {0, 2, 3, 7, 8, 11})
        for (int direct = 0; direct < 2; ++direct) {
            EngraveSettings params = DefaultParams();
            params.pattern = uint8_t(kind);
            params.noAntialias = direct;
            params.useCircles = kind == 3;
            params.randomness = 250;
            Picture source = MakeGradientPicture(41, 27, 4, 8);
            Picture whole = RenderWhole(params, source);
            Picture tiled = MakePicture(41, 27, 4, 8);
            const int xs[] = {0, 13, 20, 41}, ys[] = {0, 9, 27};
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 2; ++j)
                    RenderTileInto(params, source, xs[i], ys[j], xs[i + 1] - xs[i], ys[j + 1] - ys[j], {}, &tiled);
            EXPECT_EQ(tiled.bytes, whole.bytes) << "kind " << kind << " direct " << direct;
        }
}

TEST(ChunkExactness, ReachIsBoundedByTheImage) {
    EngraveSettings params = DefaultParams();
    int reach = EngraveReach(params, 100, 80);
    EXPECT_GT(reach, 0);
    EXPECT_LT(reach, 80);
    params.amplitude = 1e30f;
    EXPECT_EQ(EngraveReach(params, 100, 80), 100);
}

}  // namespace
