// ICC profiles found in JPEGs, and put into them, against what libjpeg
// writes and reads. (lumeric.exe embeds and finds them end to end under
// wine, PNG and JPEG, with profiles of one and several segments.)
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/image/ImageIo.h"
#include "cli/image/ProfileEmbedding.h"
#include "tests/cli/CliTestFiles.h"

namespace {

using Profiles = ScratchDir;

TEST_F(Profiles, AJpegsProfileIsFoundWhenWholeAndEmbeddedInSegments) {
    Image image = MakeGradientImage(FileFormat::Jpeg, ColorModel::Cmyk, 24, 16);
    image.iccProfile = IccProfile("default_cmyk.icc");
    ASSERT_TRUE(WriteImageFile(Path("with.jpg"), image).ok);
    const std::vector<uint8_t> written = ReadBytes(Path("with.jpg"));
    EXPECT_EQ(FindJpegProfile(written.data(), written.size()), image.iccProfile) << "as libjpeg stores it";
    ASSERT_TRUE(WriteImageFile(Path("plain.jpg"), MakeGradientImage(FileFormat::Jpeg, ColorModel::Rgb, 40, 30)).ok);
    std::vector<uint8_t> plain = ReadBytes(Path("plain.jpg"));
    EXPECT_TRUE(FindJpegProfile(plain.data(), plain.size()).empty());
    ASSERT_TRUE(EmbedJpegProfile(plain, image.iccProfile));
    Image read;
    ASSERT_TRUE(ReadImageMemory(plain.data(), plain.size(), "embedded", read).ok);
    EXPECT_EQ(read.iccProfile, image.iccProfile) << "as libjpeg reads it";
    EXPECT_FALSE(EmbedJpegProfile(plain, std::vector<uint8_t>(256 * 65519 + 1, 7))) << "more than 255 segments";

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
