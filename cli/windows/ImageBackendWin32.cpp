// Image files and colour management on Windows: the Windows Imaging
// Component (WicFiles.h) and Windows colour management (ColorServiceWin32.h),
// with the same conversions to and from the filter's buffers as on Linux
// (cli/image/InterfacePixels.h).
#include <cstdio>
#include <memory>

#include "cli/image/Image.h"
#include "cli/image/ImageBackend.h"
#include "cli/image/InterfacePixels.h"
#include "cli/windows/ColorServiceWin32.h"
#include "cli/windows/WicFiles.h"
#include "cli/windows/WindowsText.h"

struct ImageFileInfo {
    Image image;  // everything about the file except its samples
    WindowsFormat format = WindowsFormat::Png;
};

bool LoadImageFile(const std::string& path, LoadedImage* loaded, std::string* error) {
    auto info = std::make_shared<ImageFileInfo>();
    const std::string reason = ReadImageWithWic(WideFromCodePage(path), &info->image, &info->format);
    if (!reason.empty()) {
        *error = reason;
        return false;
    }
    loaded->description = DescribeImage(WindowsFormatName(info->format), info->image);
    loaded->image = TakeInterfaceImage(info->image);
    loaded->file = info;
    return true;
}

bool SaveImageFile(const std::string& path, const LoadedImage& original, const InterfaceImage& result,
                   std::string* error) {
    Image image = original.file->image;
    WindowsFormat format = original.file->format;
    MakeGrayRgb(image);
    WindowsFormat wanted;
    if (WindowsFormatFromExtension(path, &wanted) && wanted != format) {
        const std::string reason = CheckWindowsWritable(image, wanted);
        if (!reason.empty()) {
            *error = reason;
            return false;
        }
        format = wanted;
    }
    std::string reason = FromInterfaceImage(result, image);
    if (reason.empty()) reason = WriteImageWithWic(WideFromCodePage(path), image, format);
    if (!reason.empty()) *error = reason;
    return reason.empty();
}

bool LoadMaskFile(const std::string& path, int width, int height, std::vector<uint8_t>* mask, std::string* error) {
    Image image;
    WindowsFormat format;
    const std::string reason = ReadImageWithWic(WideFromCodePage(path), &image, &format);
    if (!reason.empty()) {
        *error = reason;
        return false;
    }
    if (int64_t(image.width) != width || int64_t(image.height) != height) {
        *error = "the mask is " + std::to_string(image.width) + "x" + std::to_string(image.height) + ", the image " +
                 std::to_string(width) + "x" + std::to_string(height);
        return false;
    }
    // The system hands gray with transparency over as RGBA: take RGB whose
    // three samples agree everywhere as gray.
    const int spp = SamplesPerPixel(image);
    auto sample = [&](size_t at) -> uint32_t {
        return image.depth == 16 ? uint32_t(image.samples16[at] >> 8) : image.samples8[at];
    };
    mask->resize(size_t(width) * height);
    for (size_t i = 0; i < mask->size(); ++i) {
        const size_t at = i * size_t(spp);
        if (image.model == ColorModel::Cmyk ||
            (image.model == ColorModel::Rgb && (sample(at) != sample(at + 1) || sample(at) != sample(at + 2)))) {
            *error = "a selection mask must be a gray image (0 unselected, 255 selected)";
            return false;
        }
        (*mask)[i] = uint8_t(sample(at));
    }
    return true;
}

bool MakeColorService(const LoadedImage& loaded, ColorService* service, std::string* error) {
    std::string warning;
    if (!MakeWindowsColorService(loaded.file->image, service, &warning, error)) return false;
    if (!warning.empty() && loaded.file->image.model == ColorModel::Cmyk)
        std::fprintf(stderr, "lumeric: warning: %s\n", warning.c_str());
    return true;
}
