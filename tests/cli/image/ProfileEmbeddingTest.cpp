// ICC profiles put into encoded PNG and JPEG files and found in JPEGs,
// checked against what libpng and libjpeg read back.
#include <gtest/gtest.h>
#include <lcms2.h>

#include <algorithm>
#include <cmath>

#include "cli/image/ImageIo.h"
#include "cli/image/ProfileEmbedding.h"
#include "tests/cli/CliTestFiles.h"

namespace {

class Profiles : public ScratchDir {
protected:
    std::vector<uint8_t> Encoded(FileFormat format, ColorModel model) {
        Image image = format == FileFormat::Jpeg ? MakeGradientImage(format, model, 40, 30)
                                                 : MakeNoiseImage(format, model, false, 8, 40, 30, 5);
        EXPECT_TRUE(WriteImageFile(Path("plain"), image).ok);
        return ReadBytes(Path("plain"));
    }
    Image Decoded(const std::vector<uint8_t>& bytes) {
        Image image;
        const ImageIoResult r = ReadImageMemory(bytes.data(), bytes.size(), "embedded", image);
        EXPECT_TRUE(r.ok) << r.message;
        return image;
    }
};

// An RGB profile of about 240 KB: three tone curves of 40000 entries.
std::vector<uint8_t> LargeRgbProfile() {
    cmsToneCurve* curves[3];
    for (int c = 0; c < 3; ++c) {
        std::vector<cmsUInt16Number> table(40000);
        for (size_t i = 0; i < table.size(); ++i)
            table[i] = cmsUInt16Number(65535.0 * std::pow(i / 39999.0, 2.2 + 0.1 * c));
        curves[c] = cmsBuildTabulatedToneCurve16(nullptr, cmsUInt32Number(table.size()), table.data());
    }
    cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1}, {0.30, 0.60, 1}, {0.15, 0.06, 1}};
    cmsHPROFILE profile = cmsCreateRGBProfile(cmsD50_xyY(), &primaries, curves);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::vector<uint8_t> bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    for (cmsToneCurve* curve : curves) cmsFreeToneCurve(curve);
    return bytes;
}

TEST_F(Profiles, APngCarriesTheProfileInItsIccpChunk) {
    const std::vector<uint8_t> large = LargeRgbProfile();
    ASSERT_GT(large.size(), 3u * 65535) << "a profile far beyond 64 KiB";
    for (const std::vector<uint8_t>& profile : {SrgbProfileBytes(), large}) {
        ASSERT_FALSE(profile.empty());
        std::vector<uint8_t> png = Encoded(FileFormat::Png, ColorModel::Rgb);
        const Image before = Decoded(png);
        ASSERT_TRUE(EmbedPngProfile(png, profile));
        const Image after = Decoded(png);
        EXPECT_EQ(after.iccProfile, profile);
        EXPECT_EQ(after.samples8, before.samples8);
        EXPECT_FALSE(EmbedPngProfile(png, profile)) << "a second profile";
    }
    std::vector<uint8_t> notPng = {1, 2, 3};
    EXPECT_FALSE(EmbedPngProfile(notPng, SrgbProfileBytes()));
}

TEST_F(Profiles, AJpegCarriesTheProfileInNumberedSegments) {
    for (ColorModel model : {ColorModel::Rgb, ColorModel::Cmyk}) {
        const std::vector<uint8_t> profile = model == ColorModel::Cmyk ? DefaultCmykProfileBytes() : SrgbProfileBytes();
        std::vector<uint8_t> jpeg = Encoded(FileFormat::Jpeg, model);
        const Image before = Decoded(jpeg);
        ASSERT_TRUE(EmbedJpegProfile(jpeg, profile));
        const Image after = Decoded(jpeg);
        EXPECT_EQ(after.iccProfile, profile);
        EXPECT_EQ(after.samples8, before.samples8);
    }
    std::vector<uint8_t> huge(256 * 65519 + 1, 7);
    std::vector<uint8_t> jpeg = Encoded(FileFormat::Jpeg, ColorModel::Rgb);
    EXPECT_FALSE(EmbedJpegProfile(jpeg, huge)) << "more than 255 segments";
}

TEST_F(Profiles, AJpegsProfileIsFoundInItsSegments) {
    // As the Linux writer stores it, and as EmbedJpegProfile does.
    Image image = MakeGradientImage(FileFormat::Jpeg, ColorModel::Cmyk, 24, 16);
    image.iccProfile = DefaultCmykProfileBytes();
    ASSERT_TRUE(WriteImageFile(Path("with.jpg"), image).ok);
    const std::vector<uint8_t> written = ReadBytes(Path("with.jpg"));
    EXPECT_EQ(FindJpegProfile(written.data(), written.size()), image.iccProfile);

    std::vector<uint8_t> embedded = Encoded(FileFormat::Jpeg, ColorModel::Rgb);
    EXPECT_TRUE(FindJpegProfile(embedded.data(), embedded.size()).empty());
    ASSERT_TRUE(EmbedJpegProfile(embedded, image.iccProfile));
    EXPECT_EQ(FindJpegProfile(embedded.data(), embedded.size()), image.iccProfile);

    // A missing middle segment: no profile rather than a wrong one.
    std::vector<uint8_t> broken = written;
    const uint8_t second[] = {'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0, 2};
    for (size_t at = 0; at + sizeof second < broken.size(); ++at) {
        if (std::equal(second, second + sizeof second, broken.begin() + std::ptrdiff_t(at))) {
            broken[at + 12] = 1;  // now two segments claim to be the first
            break;
        }
    }
    EXPECT_TRUE(FindJpegProfile(broken.data(), broken.size()).empty());
    const uint8_t tiny[] = {0xFF, 0xD8};
    EXPECT_TRUE(FindJpegProfile(tiny, sizeof tiny).empty());
}

}  // namespace
