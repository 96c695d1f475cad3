// The gegl command running lumeric:engrave writes exactly the pixels that
// `lumeric engrave` writes with the same settings: every kind and schema,
// both paths, 8 and 16 bits, with and without alpha.
#include <gtest/gtest.h>

#include "tests/gegl/ProgramRuns.h"

namespace {

struct EngraveRun {
    const char* name;
    const char* picture;  // rgb8, rgba8, rgb16, rgba16
    std::vector<Setting> settings;
};
void PrintTo(const EngraveRun& run, std::ostream* os) { *os << run.name; }

class GeglCommand : public ::testing::TestWithParam<EngraveRun> {
protected:
    static void SetUpTestSuite() {
        folder_ = new ScratchFolder;
        Image astronaut, astronautAlpha, sunset;
        ASSERT_EQ(LoadImage(std::string(LUMERIC_SAMPLES_DIR) + "/astronaut.png", &astronaut), "");
        ASSERT_EQ(LoadImage(std::string(LUMERIC_SAMPLES_DIR) + "/astronaut-rgba.png", &astronautAlpha), "");
        ASSERT_EQ(LoadImage(std::string(LUMERIC_SAMPLES_DIR) + "/sunset-rgb16.png", &sunset), "");
        Image sunsetAlpha = CropImage(sunset, 400, 150, 230, 270);
        sunsetAlpha.hasAlpha = true;  // the same colours under a diagonal alpha ramp
        const Image sunsetCrop = CropImage(sunset, 400, 150, 230, 270);
        AllocateSamples(sunsetAlpha);
        for (size_t i = 0; i < size_t(230) * 270; ++i) {
            for (int c = 0; c < 3; ++c) sunsetAlpha.samples16[i * 4 + c] = sunsetCrop.samples16[i * 3 + c];
            sunsetAlpha.samples16[i * 4 + 3] = uint16_t(65535 - (i % 230 + i / 230) * 120);
        }
        ASSERT_EQ(SaveImage(folder_->Path("rgb8.png"), CropImage(astronaut, 150, 60, 210, 300)), "");
        ASSERT_EQ(SaveImage(folder_->Path("rgba8.png"), CropImage(astronautAlpha, 100, 150, 260, 200)), "");
        ASSERT_EQ(SaveImage(folder_->Path("rgb16.png"), sunsetCrop), "");
        ASSERT_EQ(SaveImage(folder_->Path("rgba16.png"), sunsetAlpha), "");
    }
    static void TearDownTestSuite() { delete folder_; }
    static ScratchFolder* folder_;
};
ScratchFolder* GeglCommand::folder_ = nullptr;

}  // namespace

TEST_P(GeglCommand, WritesWhatLumericWrites) {
    const EngraveRun& run = GetParam();
    const std::string in = folder_->Path(std::string(run.picture) + ".png");
    const std::string viaGegl = folder_->Path(std::string(run.name) + "-gegl.png");
    const std::string viaLumeric = folder_->Path(std::string(run.name) + "-lumeric.png");
    const char* depth = std::string(run.picture).find("16") != std::string::npos ? "16" : "8";
    std::string output;
    ASSERT_EQ(RunCommand(std::string(LUMERIC_GEGL_COMMAND) + " -- gegl:load path=" + Quote(in) + " lumeric:engrave" +
                             GeglProperties(run.settings) + " gegl:png-save bitdepth=" + depth +
                             " path=" + Quote(viaGegl),
                         &output),
              0)
        << output;
    ASSERT_EQ(RunCommand(std::string(LUMERIC_COMMAND) + " engrave " + Quote(in) + " " + Quote(viaLumeric) +
                             LumericSets(run.settings),
                         &output),
              0)
        << output;
    Image fromGegl, fromLumeric;
    ASSERT_EQ(LoadImage(viaGegl, &fromGegl), "");
    ASSERT_EQ(LoadImage(viaLumeric, &fromLumeric), "");
    EXPECT_EQ(ImageDifference(fromGegl, fromLumeric), "");
}

// Kinds 0..12 in order; schemas, paths, depths and alpha rotate through
// them, and each run also moves a few other settings off their defaults.
INSTANTIATE_TEST_SUITE_P(
    Settings, GeglCommand,
    ::testing::Values(
        EngraveRun{"lines_dots", "rgb8", {{"pattern", 0}, {"colorSchema", 0}, {"rotation", 75}, {"useCircles", 1}}},
        EngraveRun{"waves1_split_direct", "rgb16", {{"pattern", 1}, {"colorSchema", 1}, {"noAntialias", 1}}},
        EngraveRun{"waves2_bw_notbreak", "rgba8", {{"pattern", 2}, {"notBreak", 1}, {"width", 180}, {"threshold", 100}}},
        EngraveRun{"rings_centre", "rgba16", {{"pattern", 3}, {"colorSchema", 0}, {"centerX", -300}, {"centerY", 200}}},
        EngraveRun{"rings1_split", "rgb8", {{"pattern", 4}, {"colorSchema", 1}, {"offset", 500}, {"space", 40}}},
        EngraveRun{"rings2_relief_direct", "rgb16", {{"pattern", 5}, {"noAntialias", 1}, {"randomness", 400}, {"noise", 20}}},
        EngraveRun{"rings3_inverted", "rgba8", {{"pattern", 6}, {"colorSchema", 0}, {"invertIntensity", 0}, {"invert", 1}}},
        EngraveRun{"rings4_split_direct", "rgba16", {{"pattern", 7}, {"colorSchema", 1}, {"noAntialias", 1}, {"fillAlpha", 0}}},
        EngraveRun{"spiral_frequency", "rgb8", {{"pattern", 8}, {"frequency", 600}, {"contrast", 300}}},
        EngraveRun{"spiral1_phase", "rgb16", {{"pattern", 9}, {"colorSchema", 0}, {"phaseShift", 90}, {"amplitude", 250}}},
        EngraveRun{"spiral2_split_transparent", "rgba8", {{"pattern", 10}, {"colorSchema", 1}, {"fillAlpha", 0}}},
        EngraveRun{"spiral3_direct_relief", "rgba16", {{"pattern", 11}, {"noAntialias", 1}, {"randomness", -250}}},
        EngraveRun{"spiral4_both_inverted", "rgb8", {{"pattern", 12}, {"colorSchema", 0}, {"invert", 1}, {"offset", 250}}},
        EngraveRun{"defaults_rgba8", "rgba8", {}}),
    [](const ::testing::TestParamInfo<EngraveRun>& info) { return std::string(info.param.name); });
