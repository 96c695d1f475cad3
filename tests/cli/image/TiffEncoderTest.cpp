// The baseline TIFF writer of the Windows command, read back by libtiff.
#include <gtest/gtest.h>

#include "cli/image/ImageIo.h"
#include "cli/image/TiffEncoder.h"
#include "tests/cli/CliTestFiles.h"

namespace {

struct TiffCase {
    const char* name;
    ColorModel model;
    bool alpha;
    int depth;
    uint32_t width, height;
    bool profile, resolution;
};

void PrintTo(const TiffCase& c, std::ostream* out) { *out << c.name; }

class TiffFiles : public ScratchDir, public ::testing::WithParamInterface<TiffCase> {};

TEST_P(TiffFiles, ReadBackByLibtiffAsWritten) {
    const TiffCase& c = GetParam();
    Image image = MakeNoiseImage(FileFormat::Tiff, c.model, c.alpha, c.depth, c.width, c.height, 11);
    if (c.profile) image.iccProfile = IccProfile(c.model == ColorModel::Cmyk ? "default_cmyk.icc" : "srgb.icc");
    if (c.resolution) image.resolution = Resolution{true, 300, 118.11, ResolutionUnit::Centimetre};
    std::vector<uint8_t> file;
    ASSERT_EQ(EncodeTiff(image, [&](const void* data, size_t size) {
                  file.insert(file.end(), static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
                  return true;
              }),
              "");
    Image read;
    const ImageIoResult r = ReadImageMemory(file.data(), file.size(), "written.tif", read);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(read.width, image.width);
    EXPECT_EQ(read.model, image.model);
    EXPECT_EQ(read.hasAlpha, image.hasAlpha);
    EXPECT_EQ(read.tiff.alphaKind, 2) << "unassociated";
    EXPECT_EQ(read.depth, image.depth);
    EXPECT_EQ(read.samples8, image.samples8);
    EXPECT_EQ(read.samples16, image.samples16);
    EXPECT_EQ(read.iccProfile, image.iccProfile);
    EXPECT_EQ(read.resolution.present, c.resolution);
    if (c.resolution) {
        EXPECT_DOUBLE_EQ(read.resolution.x, 300);
        EXPECT_NEAR(read.resolution.y, 118.11, 1e-4);
        EXPECT_EQ(read.resolution.unit, ResolutionUnit::Centimetre);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, TiffFiles,
    ::testing::Values(TiffCase{"Rgba8WithProfile", ColorModel::Rgb, true, 8, 33, 21, true, true},
                      TiffCase{"CmykAlpha16ManyStrips", ColorModel::Cmyk, true, 16, 257, 77, true, true},
                      TiffCase{"OnePixel", ColorModel::Cmyk, false, 8, 1, 1, false, false}),
    [](const ::testing::TestParamInfo<TiffCase>& info) { return std::string(info.param.name); });

TEST(TiffWriter, RefusesWhatItCannotWriteAndStopsWhenWritingFails) {
    Image gray = MakeNoiseImage(FileFormat::Tiff, ColorModel::Gray, false, 8, 4, 4, 1);
    auto sink = [](const void*, size_t) { return true; };
    EXPECT_NE(EncodeTiff(gray, sink), "");
    Image rgb = MakeNoiseImage(FileFormat::Tiff, ColorModel::Rgb, false, 8, 4, 4, 1);
    rgb.samples8.pop_back();
    EXPECT_EQ(EncodeTiff(rgb, sink), "the image holds the wrong number of samples");
    rgb.samples8.push_back(0);
    rgb.width = 40000;
    EXPECT_NE(EncodeTiff(rgb, sink).find("too large"), std::string::npos);
    rgb.width = 4;
    int calls = 0;
    EXPECT_EQ(EncodeTiff(rgb, [&](const void*, size_t) { return ++calls < 2; }), "cannot write the file");
    EXPECT_EQ(calls, 2) << "nothing written after the first failure";
}

}  // namespace
