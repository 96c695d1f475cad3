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

Image Blank(FileFormat format, ColorModel model, bool alpha, int depth, uint32_t width, uint32_t height) {
    Image image;
    image.format = format, image.model = model, image.hasAlpha = alpha, image.depth = depth;
    image.width = width, image.height = height;
    AllocateSamples(image);
    return image;
}

}  // namespace

Image MakeNoiseImage(FileFormat format, ColorModel model, bool alpha, int depth, uint32_t width, uint32_t height,
                     uint32_t seed) {
    Image image = Blank(format, model, alpha, depth, width, height);
    uint32_t state = seed;
    auto next = [&state] { return (state = state * 1664525u + 1013904223u) >> 8; };
    for (auto& s : image.samples8) s = uint8_t(next());
    for (auto& s : image.samples16) s = uint16_t(next());
    // The extremes must be there too.
    if (depth == 16) image.samples16.front() = 0, image.samples16.back() = 65535;
    else image.samples8.front() = 0, image.samples8.back() = 255;
    return image;
}

Image MakeGradientImage(FileFormat format, ColorModel model, uint32_t width, uint32_t height) {
    Image image = Blank(format, model, false, 8, width, height);
    const uint32_t spp = uint32_t(SamplesPerPixel(image));
    for (size_t i = 0; i < image.samples8.size(); ++i) {
        const uint32_t x = uint32_t(i / spp % width), y = uint32_t(i / spp / width), c = uint32_t(i % spp);
        image.samples8[i] = uint8_t((x * 255 / (width - 1) * (c + 1) + y * 255 / (height - 1) * (spp - c)) / (spp + 1));
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
