// ICC profiles put into encoded PNG and JPEG files and found in JPEGs,
// checked against what libpng and libjpeg read back.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/image/ImageIo.h"
#include "cli/image/ProfileEmbedding.h"
#include "tests/cli/CliTestFiles.h"

namespace {

class Profiles : public ScratchDir {
protected:
    std::vector<uint8_t> Encoded(FileFormat format, ColorModel model) {
        EXPECT_TRUE(WriteImageFile(Path("plain"), MakeGradientImage(format, model, 40, 30)).ok);
        return ReadBytes(Path("plain"));
    }
    Image Decoded(const std::vector<uint8_t>& bytes) {
        Image image;
        const ImageIoResult r = ReadImageMemory(bytes.data(), bytes.size(), "embedded", image);
        EXPECT_TRUE(r.ok) << r.message;
        return image;
    }
};

// The JPEG profile spans numbered segments: the CMYK one needs three.
TEST_F(Profiles, EmbeddedOnceTheProfileReadsBackAndThePixelsStay) {
    const struct {
        FileFormat format;
        ColorModel model;
        const char* profile;
    } cases[] = {{FileFormat::Png, ColorModel::Rgb, "srgb.icc"},
                 {FileFormat::Jpeg, ColorModel::Rgb, "srgb.icc"},
                 {FileFormat::Jpeg, ColorModel::Cmyk, "default_cmyk.icc"}};
    for (const auto& c : cases) {
        const std::vector<uint8_t> profile = IccProfile(c.profile);
        std::vector<uint8_t> file = Encoded(c.format, c.model);
        const Image before = Decoded(file);
        const auto embed = c.format == FileFormat::Png ? EmbedPngProfile : EmbedJpegProfile;
        ASSERT_TRUE(embed(file, profile)) << c.profile;
        const Image after = Decoded(file);
        EXPECT_EQ(after.iccProfile, profile) << c.profile;
        EXPECT_EQ(after.samples8, before.samples8) << c.profile;
        if (c.format == FileFormat::Png) {
            EXPECT_FALSE(embed(file, profile)) << "a second profile";
        } else {
            EXPECT_EQ(FindJpegProfile(file.data(), file.size()), profile);
        }
    }
    std::vector<uint8_t> notPng = {1, 2, 3};
    EXPECT_FALSE(EmbedPngProfile(notPng, IccProfile("srgb.icc")));
    std::vector<uint8_t> jpeg = Encoded(FileFormat::Jpeg, ColorModel::Rgb);
    EXPECT_FALSE(EmbedJpegProfile(jpeg, std::vector<uint8_t>(256 * 65519 + 1, 7))) << "more than 255 segments";
}

TEST_F(Profiles, AJpegsProfileIsFoundOnlyWhenWhole) {
    Image image = MakeGradientImage(FileFormat::Jpeg, ColorModel::Cmyk, 24, 16);
    image.iccProfile = IccProfile("default_cmyk.icc");
    ASSERT_TRUE(WriteImageFile(Path("with.jpg"), image).ok);
    const std::vector<uint8_t> written = ReadBytes(Path("with.jpg"));
    EXPECT_EQ(FindJpegProfile(written.data(), written.size()), image.iccProfile) << "as libjpeg stores it";
    const std::vector<uint8_t> plain = Encoded(FileFormat::Jpeg, ColorModel::Rgb);
    EXPECT_TRUE(FindJpegProfile(plain.data(), plain.size()).empty());

    // A missing middle segment: no profile rather than a wrong one.
    std::vector<uint8_t> broken = written;
    const uint8_t second[] = {'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0, 2};
    const auto at = std::search(broken.begin(), broken.end(), second, second + sizeof second);
    ASSERT_NE(at, broken.end());
    at[12] = 1;  // now two segments claim to be the first
    EXPECT_TRUE(FindJpegProfile(broken.data(), broken.size()).empty());
    const uint8_t tiny[] = {0xFF, 0xD8};
    EXPECT_TRUE(FindJpegProfile(tiny, sizeof tiny).empty());
}

}  // namespace
