// GIMP 2.10 in batch mode, with a private home into which the install
// rules put the operation and the procedure: plug-in-lumeric-engrave
// writes what `lumeric engrave` writes, and with a selection engraves the
// selection's bounds as an image of their own and leaves the rest alone.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>

#include "tests/gegl/ProgramRuns.h"

namespace {

struct GimpRun {
    const char* name;
    const char* picture;
    std::vector<Setting> settings;
    int selection[4];  // x, y, width, height; width 0: no selection
};

const GimpRun kRuns[] = {
    {"defaults", "rgb8", {}, {0, 0, 0, 0}},
    {"spiral_split_16", "rgb16", {{"pattern", 10}, {"colorSchema", 1}, {"phaseShift", -45}}, {0, 0, 0, 0}},
    {"rings_selected", "rgb8", {{"pattern", 3}, {"noAntialias", 1}, {"randomness", 300}}, {37, 51, 120, 90}},
};

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", v);
    return text;
}

std::string ScriptFor(const GimpRun& run, const std::string& in, const std::string& out) {
    std::string values;
    for (double v : AllPropertyValues(run.settings)) values += " " + Number(v);
    std::string select;
    if (run.selection[2] > 0)
        select = "(gimp-image-select-rectangle image CHANNEL-OP-REPLACE " + std::to_string(run.selection[0]) + " " +
                 std::to_string(run.selection[1]) + " " + std::to_string(run.selection[2]) + " " +
                 std::to_string(run.selection[3]) + ")";
    return "(let* ((image (car (gimp-file-load RUN-NONINTERACTIVE \"" + in + "\" \"" + in + "\")))"
           " (drawable (car (gimp-image-get-active-drawable image))))" +
           select + " (plug-in-lumeric-engrave RUN-NONINTERACTIVE image drawable" + values + ")" +
           " (gimp-file-save RUN-NONINTERACTIVE image drawable \"" + out + "\" \"" + out + "\")" +
           " (gimp-image-delete image))";
}

bool IsFile(const std::string& path) {
    struct stat s;
    return stat(path.c_str(), &s) == 0 && S_ISREG(s.st_mode);
}

}  // namespace

TEST(GimpBatch, TheProcedureWritesWhatLumericWrites) {
    // Installed as a user would, HOME=/home/... and the prefix ~/.local, but
    // staged under a scratch folder, so that nothing can land elsewhere.
    ScratchFolder scratch;
    const std::string user = "/lumeric-test-home", stage = scratch.Path("stage");
    std::string output;
    ASSERT_EQ(RunCommand("HOME=" + user + " XDG_DATA_HOME= XDG_CONFIG_HOME= DESTDIR=" + Quote(stage) +
                             " cmake --install " + Quote(LUMERIC_BUILD_DIR) + " --component gimp --prefix " + user +
                             "/.local",
                         &output),
              0)
        << output;
    const std::string home = stage + user;
    ASSERT_TRUE(IsFile(home + "/.local/share/gegl-0.4/plug-ins/lumeric-engrave.so")) << output;
    ASSERT_TRUE(IsFile(home + "/.config/GIMP/2.10/plug-ins/plug-in-lumeric-engrave/plug-in-lumeric-engrave"));
    const std::string env = "HOME=" + Quote(home) + " XDG_DATA_HOME= XDG_CONFIG_HOME= ";

    Image astronaut, sunset;
    ASSERT_EQ(LoadImage(std::string(LUMERIC_SAMPLES_DIR) + "/astronaut.png", &astronaut), "");
    ASSERT_EQ(LoadImage(std::string(LUMERIC_SAMPLES_DIR) + "/sunset-rgb16.png", &sunset), "");
    ASSERT_EQ(SaveImage(scratch.Path("rgb8.png"), CropImage(astronaut, 120, 80, 230, 190)), "");
    ASSERT_EQ(SaveImage(scratch.Path("rgb16.png"), CropImage(sunset, 500, 200, 200, 170)), "");

    std::string batch;
    for (const GimpRun& run : kRuns)
        batch += " -b " + Quote(ScriptFor(run, scratch.Path(std::string(run.picture) + ".png"),
                                          scratch.Path(std::string(run.name) + "-gimp.png")));
    ASSERT_EQ(RunCommand(env + Quote(LUMERIC_GIMP_CONSOLE) + " -i -d -f" + batch + " -b '(gimp-quit 0)'", &output), 0)
        << output;

    for (const GimpRun& run : kRuns) {
        SCOPED_TRACE(run.name);
        Image input, fromGimp, fromLumeric;
        ASSERT_EQ(LoadImage(scratch.Path(std::string(run.picture) + ".png"), &input), "");
        ASSERT_EQ(LoadImage(scratch.Path(std::string(run.name) + "-gimp.png"), &fromGimp), "") << output;
        const int* s = run.selection;
        const bool selected = s[2] > 0;
        const std::string lumericIn = selected ? scratch.Path(std::string(run.name) + "-selection.png")
                                               : scratch.Path(std::string(run.picture) + ".png");
        if (selected) {
            ASSERT_EQ(SaveImage(lumericIn, CropImage(input, s[0], s[1], s[2], s[3])), "");
        }
        const std::string lumericOut = scratch.Path(std::string(run.name) + "-lumeric.png");
        ASSERT_EQ(RunCommand(std::string(LUMERIC_COMMAND) + " engrave " + Quote(lumericIn) + " " + Quote(lumericOut) +
                                 LumericSets(run.settings),
                             &output),
                  0)
            << output;
        ASSERT_EQ(LoadImage(lumericOut, &fromLumeric), "");
        if (!selected) {
            EXPECT_EQ(ImageDifference(fromGimp, fromLumeric), "");
            continue;
        }
        EXPECT_EQ(ImageDifference(CropImage(fromGimp, s[0], s[1], s[2], s[3]), fromLumeric), "");
        // Outside the selection: the rows above it and the columns left of it.
        EXPECT_EQ(ImageDifference(CropImage(fromGimp, 0, 0, input.width, s[1]), CropImage(input, 0, 0, input.width, s[1])), "");
        EXPECT_EQ(ImageDifference(CropImage(fromGimp, 0, 0, s[0], input.height), CropImage(input, 0, 0, s[0], input.height)), "");
    }
}
