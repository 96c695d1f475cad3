#include "tests/cli/CliTestFiles.h"

#include <lcms2.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli/color/ColorProfiles.h"

std::string SamplesDir() { return LUMERIC_SAMPLES_DIR; }

void ScratchDir::SetUp() {
    char pattern[] = "/tmp/lumeric-cli-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
}

void ScratchDir::TearDown() { std::filesystem::remove_all(dir_); }

namespace {

uint32_t NextRandom(uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

std::vector<uint8_t> SaveProfile(cmsHPROFILE profile) {
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::vector<uint8_t> bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

}  // namespace

Image MakeNoiseImage(FileFormat format, ColorModel model, bool alpha, int depth, uint32_t width, uint32_t height,
                     uint32_t seed) {
    Image image;
    image.format = format;
    image.model = model;
    image.hasAlpha = alpha;
    image.depth = depth;
    image.width = width;
    image.height = height;
    AllocateSamples(image);
    uint32_t state = seed;
    for (auto& s : image.samples8) s = uint8_t(NextRandom(state));
    for (auto& s : image.samples16) s = uint16_t(NextRandom(state));
    // The extremes must be there too.
    if (depth == 16) {
        image.samples16.front() = 0;
        image.samples16.back() = 65535;
    } else {
        image.samples8.front() = 0;
        image.samples8.back() = 255;
    }
    return image;
}

Image MakeGradientImage(FileFormat format, ColorModel model, uint32_t width, uint32_t height) {
    Image image;
    image.format = format;
    image.model = model;
    image.width = width;
    image.height = height;
    AllocateSamples(image);
    const int spp = SamplesPerPixel(image);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            for (int c = 0; c < spp; ++c) {
                const uint32_t v = (x * 255 / (width - 1) * (c + 1) + y * 255 / (height - 1) * (spp - c)) / (spp + 1);
                image.samples8[(size_t(y) * width + x) * spp + c] = uint8_t(v);
            }
        }
    }
    return image;
}

std::vector<uint8_t> SrgbProfileBytes() { return SaveProfile(cmsCreate_sRGBProfile()); }

std::vector<uint8_t> GrayProfileBytes() {
    cmsToneCurve* curve = cmsBuildGamma(nullptr, 2.2);
    cmsHPROFILE profile = cmsCreateGrayProfile(cmsD50_xyY(), curve);
    cmsFreeToneCurve(curve);
    return SaveProfile(profile);
}

std::vector<uint8_t> DefaultCmykProfileBytes() { return ReadBytes(kDefaultCmykProfilePath); }

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

int MaxSampleDifference(const Image& a, const Image& b) {
    int worst = 0;
    for (size_t i = 0; i < a.samples8.size() && i < b.samples8.size(); ++i) {
        worst = std::max(worst, std::abs(int(a.samples8[i]) - int(b.samples8[i])));
    }
    for (size_t i = 0; i < a.samples16.size() && i < b.samples16.size(); ++i) {
        worst = std::max(worst, std::abs(int(a.samples16[i]) - int(b.samples16[i])));
    }
    return worst;
}
