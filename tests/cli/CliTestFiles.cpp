#include "tests/cli/CliTestFiles.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli/image/ImageIo.h"

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

std::vector<uint8_t> IccProfile(const std::string& name) {
    std::vector<uint8_t> bytes = ReadBytes("/usr/share/color/icc/ghostscript/" + name);
    EXPECT_FALSE(bytes.empty()) << name << " (Debian: libgs-common)";
    return bytes;
}

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

void ExpectReadRefused(const std::string& path, const std::string& words) {
    Image image;
    image.width = 7;  // a sentinel the reader must not touch
    const ImageIoResult result = ReadImageFile(path, image);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message.rfind(path + ": ", 0), 0u) << result.message;
    EXPECT_NE(result.message.find(words), std::string::npos) << result.message;
    EXPECT_EQ(image.width, 7u);
    EXPECT_TRUE(image.samples8.empty() && image.samples16.empty());
}
