// The formats the Windows command reads and writes: names, signatures and
// what each can hold.
#include <gtest/gtest.h>

#include "cli/image/WindowsFormats.h"

namespace {

TEST(WindowsFormats, ExtensionsNameTheFourFormatsInAnyCase) {
    struct {
        const char* path;
        bool known;
        WindowsFormat format;
    } cases[] = {{"a.png", true, WindowsFormat::Png},     {"A.TIF", true, WindowsFormat::Tiff},
                 {"b.tiff", true, WindowsFormat::Tiff},   {"c.Jpg", true, WindowsFormat::Jpeg},
                 {"d.jpeg", true, WindowsFormat::Jpeg},   {"e.jpe", true, WindowsFormat::Jpeg},
                 {"f.BMP", true, WindowsFormat::Bmp},     {"g.gif", false, WindowsFormat::Png},
                 {"dir.png\\name", false, WindowsFormat::Png}, {"noext", false, WindowsFormat::Png}};
    for (const auto& c : cases) {
        WindowsFormat format = WindowsFormat::Png;
        EXPECT_EQ(WindowsFormatFromExtension(c.path, &format), c.known) << c.path;
        if (c.known) {
            EXPECT_EQ(format, c.format) << c.path;
        }
    }
}

TEST(WindowsFormats, SignaturesNameTheFormatWhateverTheName) {
    const uint8_t png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const uint8_t tiffIntel[] = {'I', 'I', 42, 0}, tiffMotorola[] = {'M', 'M', 0, 42}, bigTiff[] = {'I', 'I', 43, 0};
    const uint8_t jpeg[] = {0xFF, 0xD8, 0xFF, 0xE0}, bmp[] = {'B', 'M', 0x36, 0};
    const uint8_t gif[] = {'G', 'I', 'F', '8', '9', 'a'}, shortPng[] = {0x89, 'P', 'N', 'G'};
    WindowsFormat format;
    ASSERT_TRUE(DetectWindowsFormat(png, sizeof png, &format));
    EXPECT_EQ(format, WindowsFormat::Png);
    ASSERT_TRUE(DetectWindowsFormat(tiffIntel, sizeof tiffIntel, &format));
    EXPECT_EQ(format, WindowsFormat::Tiff);
    ASSERT_TRUE(DetectWindowsFormat(tiffMotorola, sizeof tiffMotorola, &format));
    EXPECT_EQ(format, WindowsFormat::Tiff);
    ASSERT_TRUE(DetectWindowsFormat(bigTiff, sizeof bigTiff, &format));
    EXPECT_EQ(format, WindowsFormat::Tiff);
    ASSERT_TRUE(DetectWindowsFormat(jpeg, sizeof jpeg, &format));
    EXPECT_EQ(format, WindowsFormat::Jpeg);
    ASSERT_TRUE(DetectWindowsFormat(bmp, sizeof bmp, &format));
    EXPECT_EQ(format, WindowsFormat::Bmp);
    EXPECT_FALSE(DetectWindowsFormat(gif, sizeof gif, &format));
    EXPECT_FALSE(DetectWindowsFormat(shortPng, sizeof shortPng, &format));
    EXPECT_FALSE(DetectWindowsFormat(png, 0, &format));
}

TEST(WindowsFormats, EachFormatTakesOnlyWhatItCanHold) {
    struct {
        ColorModel model;
        bool alpha;
        int depth;
        bool png, tiff, jpeg, bmp;
    } cases[] = {
        {ColorModel::Rgb, false, 8, true, true, true, true},     {ColorModel::Rgb, true, 8, true, true, false, false},
        {ColorModel::Rgb, false, 16, true, true, false, false},  {ColorModel::Cmyk, false, 8, false, true, true, false},
        {ColorModel::Cmyk, true, 16, false, true, false, false},
    };
    for (const auto& c : cases) {
        Image image;
        image.model = c.model;
        image.hasAlpha = c.alpha;
        image.depth = c.depth;
        EXPECT_EQ(CheckWindowsWritable(image, WindowsFormat::Png).empty(), c.png);
        EXPECT_EQ(CheckWindowsWritable(image, WindowsFormat::Tiff).empty(), c.tiff);
        EXPECT_EQ(CheckWindowsWritable(image, WindowsFormat::Jpeg).empty(), c.jpeg);
        EXPECT_EQ(CheckWindowsWritable(image, WindowsFormat::Bmp).empty(), c.bmp);
    }
}

}  // namespace
