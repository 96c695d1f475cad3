// Image files and colour management on Linux: libpng, libtiff, libjpeg and
// Little CMS through the image and colour layers.
#include <memory>

#include "cli/color/ColorEngine.h"
#include "cli/image/Image.h"
#include "cli/image/ImageBackend.h"
#include "cli/image/ImageIo.h"
#include "cli/image/InterfacePixels.h"

struct ImageFileInfo {
    Image image;  // everything about the file except its samples
};

namespace {

// The image layer names the file itself; the commands add the name once.
std::string WithoutPath(const std::string& message, const std::string& path) {
    const std::string prefix = path + ": ";
    return message.compare(0, prefix.size(), prefix) == 0 ? message.substr(prefix.size()) : message;
}

}  // namespace

bool LoadImageFile(const std::string& path, LoadedImage* loaded, std::string* error) {
    auto info = std::make_shared<ImageFileInfo>();
    const ImageIoResult result = ReadImageFile(path, info->image);
    if (!result.ok) {
        *error = WithoutPath(result.message, path);
        return false;
    }
    loaded->description = DescribeImage(FormatName(info->image.format), info->image);
    // The samples live on in the interface image; keep only the description.
    loaded->image = TakeInterfaceImage(info->image);
    loaded->file = info;
    return true;
}

bool SaveImageFile(const std::string& path, const LoadedImage& original, const InterfaceImage& result,
                   std::string* error) {
    Image image = original.file->image;
    MakeGrayRgb(image);
    // A different known extension asks for that format, when it can hold the image.
    FileFormat wanted;
    if (FormatFromExtension(path, wanted) && wanted != image.format) {
        const std::string reason = CheckWritable(image, wanted);
        if (!reason.empty()) {
            *error = reason;
            return false;
        }
        image.format = wanted;
    }
    const std::string reason = FromInterfaceImage(result, image);
    if (!reason.empty()) {
        *error = reason;
        return false;
    }
    const ImageIoResult written = WriteImageFile(path, image);
    if (!written.ok) *error = WithoutPath(written.message, path);
    return written.ok;
}

bool LoadMaskFile(const std::string& path, int width, int height, std::vector<uint8_t>* mask, std::string* error) {
    Image image;
    const ImageIoResult result = ReadImageFile(path, image);
    if (!result.ok) {
        *error = WithoutPath(result.message, path);
        return false;
    }
    if (image.model != ColorModel::Gray) {
        *error = "a selection mask must be a gray image (0 unselected, 255 selected)";
        return false;
    }
    if (int64_t(image.width) != width || int64_t(image.height) != height) {
        *error = "the mask is " + std::to_string(image.width) + "x" + std::to_string(image.height) +
                 ", the image " + std::to_string(width) + "x" + std::to_string(height);
        return false;
    }
    const int step = image.hasAlpha ? 2 : 1;
    mask->resize(size_t(width) * height);
    for (size_t i = 0; i < mask->size(); ++i)
        (*mask)[i] = image.depth == 16 ? uint8_t(image.samples16[i * step] >> 8) : image.samples8[i * step];
    return true;
}

bool MakeColorService(const LoadedImage& loaded, ColorService* service, std::string* error) {
    // Building the transforms takes tens of milliseconds: an RGB image gets
    // them on the first conversion a filter asks for, usually never. A CMYK
    // image needs them, so a failure is reported before anything runs.
    struct Lazy {
        Image image;
        std::unique_ptr<ColorEngine> engine;
        bool tried = false;
        ColorEngine* Get() {
            if (!tried) {
                tried = true;
                std::string ignored;
                engine = ColorEngine::CreateFor(image, ignored);
            }
            return engine.get();
        }
    };
    auto lazy = std::make_shared<Lazy>();
    lazy->image = loaded.file->image;
    if (loaded.image.mode == plugInModeCMYKColor || loaded.image.mode == plugInModeCMYK64) {
        lazy->tried = true;
        lazy->engine = ColorEngine::CreateFor(lazy->image, *error);
        if (!lazy->engine) return false;
    }
    service->convert8 = [lazy](int16_t from, int16_t to, Color8* colors, int count) {
        ColorEngine* engine = lazy->Get();
        return engine && engine->Convert8(from, to, colors, count) == ColorStatus::Ok;
    };
    service->convert16 = [lazy](int16_t from, int16_t to, Color16* colors, int count) {
        ColorEngine* engine = lazy->Get();
        return engine && engine->Convert16(from, to, colors, count) == ColorStatus::Ok;
    };
    return true;
}
