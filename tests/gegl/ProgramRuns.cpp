#include "tests/gegl/ProgramRuns.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "cli/image/ImageIo.h"
#include "gegl/PropertySpecs.h"

ScratchFolder::ScratchFolder() {
    char pattern[] = "/tmp/lumeric-gegl-test-XXXXXX";
    dir_ = mkdtemp(pattern) ? pattern : "";
    EXPECT_FALSE(dir_.empty());
}

ScratchFolder::~ScratchFolder() {
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
}

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

int RunCommand(const std::string& line, std::string* output) {
    output->clear();
    FILE* pipe = popen((line + " 2>&1").c_str(), "r");
    if (!pipe) return -1;
    std::array<char, 4096> chunk;
    size_t n;
    while ((n = fread(chunk.data(), 1, chunk.size(), pipe)) > 0) output->append(chunk.data(), n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string LoadImage(const std::string& path, Image* image) {
    const ImageIoResult result = ReadImageFile(path, *image);
    return result.ok ? "" : result.message;
}

std::string SaveImage(const std::string& path, const Image& image) {
    const ImageIoResult result = WriteImageFile(path, image);
    return result.ok ? "" : result.message;
}

Image CropImage(const Image& image, uint32_t x, uint32_t y, uint32_t width, uint32_t height) {
    Image crop;
    crop.model = image.model;
    crop.hasAlpha = image.hasAlpha;
    crop.depth = image.depth;
    crop.width = width;
    crop.height = height;
    AllocateSamples(crop);
    const size_t spp = size_t(SamplesPerPixel(image));
    for (uint32_t row = 0; row < height; ++row) {
        const size_t from = ((size_t(y) + row) * image.width + x) * spp, to = size_t(row) * width * spp;
        if (image.depth == 16)
            std::copy_n(image.samples16.begin() + from, width * spp, crop.samples16.begin() + to);
        else
            std::copy_n(image.samples8.begin() + from, width * spp, crop.samples8.begin() + to);
    }
    return crop;
}

std::string ImageDifference(const Image& actual, const Image& expected) {
    if (actual.width != expected.width || actual.height != expected.height || actual.depth != expected.depth ||
        actual.model != expected.model || actual.hasAlpha != expected.hasAlpha)
        return "the images differ in size, depth, mode or alpha";
    const size_t count = SampleCount(expected), spp = size_t(SamplesPerPixel(expected));
    for (size_t i = 0; i < count; ++i) {
        const int a = expected.depth == 16 ? actual.samples16[i] : actual.samples8[i];
        const int e = expected.depth == 16 ? expected.samples16[i] : expected.samples8[i];
        if (a == e) continue;
        const size_t pixel = i / spp;
        return "first difference at x " + std::to_string(pixel % expected.width) + ", y " +
               std::to_string(pixel / expected.width) + ": " + std::to_string(a) + " instead of " + std::to_string(e);
    }
    return "";
}

namespace {

const PropertySpec& SpecOfField(const char* field) {
    for (const PropertySpec& spec : EngravePropertySpecs())
        if (std::strcmp(spec.setting->name, field) == 0) return spec;
    ADD_FAILURE() << "no setting " << field;
    return EngravePropertySpecs().front();
}

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", v);
    return text;
}

}  // namespace

std::string GeglProperties(const std::vector<Setting>& settings) {
    std::string text;
    for (const Setting& s : settings) {
        const PropertySpec& spec = SpecOfField(s.field);
        text += " " + spec.name + "=";
        switch (spec.kind) {
            case PropertyKind::Number: text += Number(s.shown); break;
            case PropertyKind::Switch: text += s.shown != 0 ? "true" : "false"; break;
            case PropertyKind::List: text += spec.listNicks.at(size_t(s.shown)); break;
        }
    }
    return text;
}

std::string LumericSets(const std::vector<Setting>& settings) {
    std::string text;
    for (const Setting& s : settings) {
        const SettingInfo& setting = *SpecOfField(s.field).setting;
        // The stored value, in single precision as the settings hold it.
        text += " --set " + std::string(setting.name) + "=" + Number(float(s.shown * double(setting.storedScale)));
    }
    return text;
}

std::vector<double> AllPropertyValues(const std::vector<Setting>& settings) {
    std::vector<double> values;
    for (const PropertySpec& spec : EngravePropertySpecs()) {
        values.push_back(spec.defaultValue);
        for (const Setting& s : settings)
            if (std::strcmp(spec.setting->name, s.field) == 0) values.back() = s.shown;
    }
    return values;
}
