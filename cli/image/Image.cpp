#include "cli/image/Image.h"

void AllocateSamples(Image& image) {
    if (image.depth == 16) {
        image.samples8.clear();
        image.samples16.assign(SampleCount(image), 0);
    } else {
        image.samples16.clear();
        image.samples8.assign(SampleCount(image), 0);
    }
}

const char* FormatName(FileFormat format) {
    switch (format) {
        case FileFormat::Png: return "PNG";
        case FileFormat::Tiff: return "TIFF";
        case FileFormat::Jpeg: return "JPEG";
    }
    return "?";
}

const char* ModelName(ColorModel model) {
    switch (model) {
        case ColorModel::Gray: return "Gray";
        case ColorModel::Rgb: return "RGB";
        case ColorModel::Cmyk: return "CMYK";
    }
    return "?";
}
