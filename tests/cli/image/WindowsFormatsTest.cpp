// The formats the Windows command reads and writes: names, signatures and
// what each can hold.
#include <gtest/gtest.h>

#include <vector>

#include "cli/image/WindowsFormats.h"

namespace {

constexpr auto kNone = static_cast<WindowsFormat>(99);  // so that a format left unset shows

TEST(WindowsFormats, ExtensionsAndSignaturesNameTheFormat) {
    const std::pair<const char*, WindowsFormat> names[] = {
        {"a.png", WindowsFormat::Png},  {"A.TIF", WindowsFormat::Tiff}, {"b.tiff", WindowsFormat::Tiff},
        {"c.Jpg", WindowsFormat::Jpeg}, {"e.jpe", WindowsFormat::Jpeg}, {"f.BMP", WindowsFormat::Bmp},
        {"g.gif", kNone},               {"dir.png\\name", kNone},       {"noext", kNone}};
    for (const auto& [path, expected] : names) {
        WindowsFormat format = kNone;
        EXPECT_EQ(WindowsFormatFromExtension(path, &format), expected != kNone) << path;
        EXPECT_EQ(format, expected) << path;
    }
    const std::pair<std::vector<uint8_t>, WindowsFormat> heads[] = {
        {{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, WindowsFormat::Png},
        {{'I', 'I', 42, 0}, WindowsFormat::Tiff},
        {{'M', 'M', 0, 42}, WindowsFormat::Tiff},
        {{'I', 'I', 43, 0}, WindowsFormat::Tiff},  // BigTIFF
        {{0xFF, 0xD8, 0xFF, 0xE0}, WindowsFormat::Jpeg},
        {{'B', 'M', 0x36, 0}, WindowsFormat::Bmp},
        {{'G', 'I', 'F', '8', '9', 'a'}, kNone},
        {{0x89, 'P', 'N', 'G'}, kNone},  // too short to tell
        {{}, kNone}};
    for (const auto& [head, expected] : heads) {
        WindowsFormat format = kNone;
        EXPECT_EQ(DetectWindowsFormat(head.data(), head.size(), &format), expected != kNone) << head.size();
        EXPECT_EQ(format, expected) << head.size();
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
