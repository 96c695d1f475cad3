// The formats the Windows command reads and writes, by name and by
// signature. (What each can hold is checked end to end under wine.)
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

}  // namespace
