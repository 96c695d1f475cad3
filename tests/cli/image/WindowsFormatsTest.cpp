// The formats the Windows command reads and writes: names, signatures and
// what each can hold.
#include <gtest/gtest.h>

#include <vector>

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
        WindowsFormat format = static_cast<WindowsFormat>(99);  // none, so a format left unset shows
        EXPECT_EQ(WindowsFormatFromExtension(c.path, &format), c.known) << c.path;
        if (c.known) {
            EXPECT_EQ(format, c.format) << c.path;
        }
    }
}

TEST(WindowsFormats, SignaturesNameTheFormatWhateverTheName) {
    const struct {
        std::vector<uint8_t> head;
        bool known;
        WindowsFormat format;
    } cases[] = {{{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, true, WindowsFormat::Png},
                 {{'I', 'I', 42, 0}, true, WindowsFormat::Tiff},
                 {{'M', 'M', 0, 42}, true, WindowsFormat::Tiff},
                 {{'I', 'I', 43, 0}, true, WindowsFormat::Tiff},  // BigTIFF
                 {{0xFF, 0xD8, 0xFF, 0xE0}, true, WindowsFormat::Jpeg},
                 {{'B', 'M', 0x36, 0}, true, WindowsFormat::Bmp},
                 {{'G', 'I', 'F', '8', '9', 'a'}, false, WindowsFormat::Png},
                 {{0x89, 'P', 'N', 'G'}, false, WindowsFormat::Png},  // too short to tell
                 {{}, false, WindowsFormat::Png}};
    for (const auto& c : cases) {
        WindowsFormat format = static_cast<WindowsFormat>(99);
        ASSERT_EQ(DetectWindowsFormat(c.head.data(), c.head.size(), &format), c.known) << c.head.size();
        if (c.known) {
            EXPECT_EQ(format, c.format) << int(c.head[0]);
        }
    }
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
