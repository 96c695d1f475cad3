// The gegl command and GIMP 2.10 write exactly the pixels that
// `lumeric engrave` writes with the same settings: every kind and schema,
// both paths, 8 and 16 bits, alpha, and GIMP's selections.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "cli/image/ImageIo.h"
#include "gegl/PropertyDescs.h"
#include "tests/support/TestFiles.h"

namespace {

struct Setting {
    const char* field;
    double shown;  // as GIMP's dialog shows it; lists by index, switches 0 or 1
};

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", v);
    return text;
}

// "pattern=rings phase-shift=90" for gegl, "--set pattern=3 ..." for lumeric.
std::string Arguments(const std::vector<Setting>& settings, bool forGegl) {
    std::string text;
    for (const Setting& s : settings)
        for (const PropertyDesc& desc : EngravePropertyDescs()) {
            if (std::strcmp(desc.setting->name, s.field) != 0) continue;
            if (!forGegl)  // the stored value, in single precision as the settings hold it
                text +=
                    " --set " + std::string(s.field) + "=" + Number(float(s.shown * double(desc.setting->storedScale)));
            else if (desc.kind == PropertyKind::List)
                text += " " + desc.name + "=" + desc.listNicks.at(size_t(s.shown));
            else
                text += " " + desc.name + "=" +
                        (desc.kind == PropertyKind::Switch ? (s.shown ? "true" : "false") : Number(s.shown));
        }
    return text;
}

// Every property's value, in order, for the GIMP procedure's parameters.
std::string ProcedureValues(const std::vector<Setting>& settings) {
    std::string text;
    for (const PropertyDesc& desc : EngravePropertyDescs()) {
        double value = desc.defaultValue;
        for (const Setting& s : settings)
            if (std::strcmp(desc.setting->name, s.field) == 0) value = s.shown;
        text += " " + Number(value);
    }
    return text;
}

int RunShell(const std::string& line, std::string* output) {
    output->clear();
    FILE* pipe = popen((line + " 2>&1").c_str(), "r");
    char chunk[4096];
    for (size_t n; pipe && (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;) output->append(chunk, n);
    const int status = pipe ? pclose(pipe) : -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Image Load(const std::string& path) {
    Image image;
    EXPECT_TRUE(ReadImageFile(path, image).ok) << path;
    return image;
}

Image Crop(const Image& image, uint32_t x, uint32_t y, uint32_t width, uint32_t height) {
    Image crop;
    crop.model = image.model;
    crop.hasAlpha = image.hasAlpha;
    crop.depth = image.depth;
    crop.width = width;
    crop.height = height;
    AllocateSamples(crop);
    const size_t spp = size_t(SamplesPerPixel(image)), row = width * spp;
    for (uint32_t r = 0; r < height; ++r) {
        const size_t from = ((size_t(y) + r) * image.width + x) * spp;
        if (image.depth == 16)
            std::copy_n(image.samples16.begin() + from, row, crop.samples16.begin() + r * row);
        else
            std::copy_n(image.samples8.begin() + from, row, crop.samples8.begin() + r * row);
    }
    return crop;
}

bool Same(const Image& a, const Image& b) {
    return a.width == b.width && a.height == b.height && a.depth == b.depth && a.model == b.model &&
           a.hasAlpha == b.hasAlpha && a.samples8 == b.samples8 && a.samples16 == b.samples16;
}

struct EngraveRun {
    const char* name;
    const char* picture;  // rgb8, rgba8 or rgb16
    std::vector<Setting> settings;
};
void PrintTo(const EngraveRun& run, std::ostream* os) { *os << run.name; }

class AgainstLumeric : public ::testing::TestWithParam<EngraveRun> {
protected:
    static void SetUpTestSuite() {
        char pattern[] = "/tmp/lumeric-gegl-test-XXXXXX";
        dir_ = mkdtemp(pattern);
        const std::string samples = LUMERIC_SAMPLES_DIR;
        WriteImageFile(Path("rgb8.png"), Crop(Load(samples + "/astronaut.png"), 150, 60, 210, 300));
        WriteImageFile(Path("rgba8.png"), Crop(Load(samples + "/astronaut-rgba.png"), 100, 150, 260, 200));
        WriteImageFile(Path("rgb16.png"), Crop(Load(samples + "/sunset-rgb16.png"), 400, 150, 230, 270));
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(dir_); }
    static std::string Path(const std::string& name) { return dir_ + "/" + name; }

    // lumeric engrave of `in` with the settings, read back.
    static Image FromLumeric(const std::string& in, const std::vector<Setting>& settings, const std::string& out) {
        std::string output;
        EXPECT_EQ(RunShell(std::string(LUMERIC_COMMAND) + " engrave --force " + ShellQuote(in) + " " + ShellQuote(out) +
                               Arguments(settings, false),
                           &output),
                  0)
            << output;
        return Load(out);
    }
    static std::string dir_;
};
std::string AgainstLumeric::dir_;

}  // namespace

TEST_P(AgainstLumeric, TheGeglCommand) {
    if (!*LUMERIC_GEGL_COMMAND) GTEST_SKIP() << "the gegl command is missing (Debian: gegl)";
    const EngraveRun& run = GetParam();
    const std::string in = Path(std::string(run.picture) + ".png"), out = Path(std::string(run.name) + "-gegl.png");
    std::string output;
    ASSERT_EQ(RunShell(std::string(LUMERIC_GEGL_COMMAND) + " -- gegl:load path=" + ShellQuote(in) + " lumeric:engrave" +
                           Arguments(run.settings, true) +
                           " gegl:png-save bitdepth=" + (run.picture[3] == '1' ? "16" : "8") + " path=" + ShellQuote(out),
                       &output),
              0)
        << output;
    EXPECT_TRUE(Same(Load(out), FromLumeric(in, run.settings, Path(std::string(run.name) + "-lumeric.png"))));
}

// Kinds 0..12 in order; schemas, paths, depths and alpha rotate through
// them, and each run moves a few other settings off their defaults.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Settings, AgainstLumeric, ::testing::Values(
    EngraveRun{"lines_dots", "rgb8", {{"pattern", 0}, {"colorSchema", 0}, {"rotation", 75}, {"useCircles", 1}}},
    EngraveRun{"waves1_split_direct", "rgb16", {{"pattern", 1}, {"colorSchema", 1}, {"noAntialias", 1}}},
    EngraveRun{"waves2_notbreak", "rgba8", {{"pattern", 2}, {"notBreak", 1}, {"width", 180}, {"threshold", 100}}},
    EngraveRun{"rings_centre", "rgb16", {{"pattern", 3}, {"colorSchema", 0}, {"centerX", -300}, {"centerY", 200}}},
    EngraveRun{"rings1_split", "rgb8", {{"pattern", 4}, {"colorSchema", 1}, {"offset", 500}, {"space", 40}}},
    EngraveRun{"rings2_relief", "rgb16", {{"pattern", 5}, {"noAntialias", 1}, {"randomness", 400}, {"noise", 20}}},
    EngraveRun{"rings3_inverted", "rgba8", {{"pattern", 6}, {"colorSchema", 0}, {"invertIntensity", 0}, {"invert", 1}}},
    EngraveRun{"rings4_split", "rgba8", {{"pattern", 7}, {"colorSchema", 1}, {"noAntialias", 1}, {"fillAlpha", 0}}},
    EngraveRun{"spiral_contrast", "rgb8", {{"pattern", 8}, {"frequency", 600}, {"contrast", 300}}},
    EngraveRun{"spiral1_phase", "rgb16", {{"pattern", 9}, {"colorSchema", 0}, {"phaseShift", 90}, {"amplitude", 250}}},
    EngraveRun{"spiral2_transparent", "rgba8", {{"pattern", 10}, {"colorSchema", 1}, {"fillAlpha", 0}}},
    EngraveRun{"spiral3_direct", "rgb16", {{"pattern", 11}, {"noAntialias", 1}, {"randomness", -250}}},
    EngraveRun{"spiral4_inverted", "rgb8", {{"pattern", 12}, {"colorSchema", 0}, {"invert", 1}, {"offset", 250}}},
    EngraveRun{"defaults", "rgba8", {}}),
    [](const ::testing::TestParamInfo<EngraveRun>& info) { return std::string(info.param.name); });
// clang-format on

// Installed by make install's rules into a user's folders (HOME=/..., the
// prefix ~/.local), staged under the scratch folder so that nothing lands
// elsewhere; then one gimp-console run applies the procedure to each file,
// the last one with a selection: its bounds are engraved as an image of
// their own and the rest is left alone.
TEST_F(AgainstLumeric, TheGimpProcedure) {
    if (!*LUMERIC_GIMP_CONSOLE) GTEST_SKIP() << "GIMP 2.10 or its development files are missing (gimp, libgimp2.0-dev)";
    const std::string user = "/lumeric-test-home", home = Path("stage") + user;
    std::string output;
    ASSERT_EQ(
        RunShell("HOME=" + user + " XDG_DATA_HOME= XDG_CONFIG_HOME= DESTDIR=" + ShellQuote(Path("stage")) +
                     " cmake --install " + ShellQuote(LUMERIC_BUILD_DIR) + " --component gimp --prefix " + user + "/.local",
                 &output),
        0)
        << output;
    struct stat file;
    ASSERT_EQ(stat((home + "/.local/share/gegl-0.4/plug-ins/lumeric-engrave.so").c_str(), &file), 0) << output;
    const EngraveRun runs[] = {{"gimp_defaults", "rgb8", {}},
                               {"gimp_split_16", "rgb16", {{"pattern", 10}, {"colorSchema", 1}, {"phaseShift", -45}}},
                               {"gimp_selected", "rgb8", {{"pattern", 3}, {"noAntialias", 1}, {"randomness", 300}}}};
    const int x = 37, y = 51, w = 120, h = 90;  // the selection of the last run
    std::string batch;
    const std::string select = "(gimp-image-select-rectangle image CHANNEL-OP-REPLACE " + Number(x) + " " + Number(y) +
                               " " + Number(w) + " " + Number(h) + ")";
    for (const EngraveRun& run : runs) {
        const std::string in = Path(std::string(run.picture) + ".png"), out = Path(std::string(run.name) + ".png");
        batch += " -b " + ShellQuote("(let* ((image (car (gimp-file-load RUN-NONINTERACTIVE \"" + in + "\" \"" + in +
                                "\"))) (layer (car (gimp-image-get-active-drawable image))))" +
                                (&run == &runs[2] ? select : "") + " (plug-in-lumeric-engrave RUN-NONINTERACTIVE" +
                                " image layer" + ProcedureValues(run.settings) + ") (gimp-file-save " +
                                "RUN-NONINTERACTIVE image layer \"" + out + "\" \"" + out + "\"))");
    }
    ASSERT_EQ(RunShell("HOME=" + ShellQuote(home) + " XDG_DATA_HOME= XDG_CONFIG_HOME= " + ShellQuote(LUMERIC_GIMP_CONSOLE) +
                           " -i -d -f" + batch + " -b '(gimp-quit 0)'",
                       &output),
              0)
        << output;

    for (const EngraveRun& run : {runs[0], runs[1]})
        EXPECT_TRUE(Same(Load(Path(std::string(run.name) + ".png")),
                         FromLumeric(Path(std::string(run.picture) + ".png"), run.settings, Path("expected.png"))))
            << run.name;
    const Image input = Load(Path("rgb8.png")), fromGimp = Load(Path("gimp_selected.png"));
    WriteImageFile(Path("selection.png"), Crop(input, x, y, w, h));
    EXPECT_TRUE(
        Same(Crop(fromGimp, x, y, w, h), FromLumeric(Path("selection.png"), runs[2].settings, Path("expected.png"))));
    EXPECT_TRUE(Same(Crop(fromGimp, 0, 0, input.width, y), Crop(input, 0, 0, input.width, y)));    // above it
    EXPECT_TRUE(Same(Crop(fromGimp, 0, 0, x, input.height), Crop(input, 0, 0, x, input.height)));  // left of it
}
