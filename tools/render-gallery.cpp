// Engraves a sample photo with every pattern kind and colour schema
// (default settings otherwise) into a folder of PNG files, plus a contact
// sheet of them all, so that a person can look the engine over; or makes
// the help page's pictures: each kind, each schema and each starter preset.
//
//   render-gallery input.png output-folder [scale]
//   render-gallery --help-pictures input.png presets-folder output-folder
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "dialog/PresetFiles.h"
#include "dialog/PresetNames.h"

#include "engine/Engrave.h"
#include "settings/ParamTable.h"

namespace {

struct Rgb {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;  // RGB
};

bool ReadPng(const char* path, Rgb* image) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path)) return false;
    png.format = PNG_FORMAT_RGB;
    image->width = int(png.width);
    image->height = int(png.height);
    image->pixels.resize(PNG_IMAGE_SIZE(png));
    return png_image_finish_read(&png, nullptr, image->pixels.data(), 0, nullptr) != 0;
}

bool WritePngFile(const std::string& path, const Rgb& image) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(image.width);
    png.height = png_uint_32(image.height);
    png.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&png, path.c_str(), 0, image.pixels.data(), 0, nullptr) != 0;
}

Rgb Engrave(const Rgb& source, const EngraveSettings& settings) {
    Rgb out = source;
    EngraveRegion region{source.width, source.height, 0, 0, source.width, source.height};
    EngraveImage image{};
    image.planes = 3;
    image.depth = 8;
    image.source = SampleWindow{source.pixels.data(), source.width * 3, 0, 0, source.width, source.height};
    image.out = out.pixels.data();
    image.outRowStride = source.width * 3;
    std::vector<uint8_t> subpixels(SubpixelRasterBytes(source.width, source.height));
    std::vector<uint8_t> coverage(CoverageRasterBytes(source.width, source.height));
    EngraveScratch scratch{subpixels.data(), coverage.data()};
    EngraveRender(settings, region, image, MaskView{}, RenderOptions{}, scratch, EngraveProgress{});
    return out;
}

// Box-filtered reduction for the contact sheet.
Rgb Shrink(const Rgb& in, int factor) {
    Rgb out;
    out.width = in.width / factor;
    out.height = in.height / factor;
    out.pixels.resize(size_t(out.width) * out.height * 3);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int dy = 0; dy < factor; ++dy)
                    for (int dx = 0; dx < factor; ++dx)
                        sum += in.pixels[(size_t(y * factor + dy) * in.width + x * factor + dx) * 3 + c];
                out.pixels[(size_t(y) * out.width + x) * 3 + c] = uint8_t(sum / (factor * factor));
            }
    return out;
}

}  // namespace

// The part of a picture around (x, y), at most `size` pixels square.
Rgb Crop(const Rgb& in, int x, int y, int size) {
    Rgb out;
    out.width = std::min(size, in.width - x);
    out.height = std::min(size, in.height - y);
    out.pixels.resize(size_t(out.width) * out.height * 3);
    for (int row = 0; row < out.height; ++row)
        std::memcpy(&out.pixels[size_t(row) * out.width * 3], &in.pixels[(size_t(y + row) * in.width + x) * 3],
                    size_t(out.width) * 3);
    return out;
}

// The help page's pictures, the engraving's strokes at full size around the
// photo's middle: kind00..kind12 (black and white),
// schema0..2 ("Waves 1"), and preset-<name> for every starter preset.
int HelpPictures(const char* input, const std::string& presets, const std::string& folder) {
    Rgb source;
    if (!ReadPng(input, &source)) {
        std::fprintf(stderr, "cannot read %s\n", input);
        return 1;
    }
    auto write = [&](const EngraveSettings& settings, const std::string& name) {
        const int size = std::min({256, source.width, source.height});
        return WritePngFile(folder + "/" + name + ".png",
                            Crop(Engrave(source, settings), (source.width - size) / 2, (source.height - size) / 4, size));
    };
    for (int kind = 0; kind < kPatternKindCount; ++kind) {
        EngraveSettings settings = DefaultEngraveSettings();
        settings.pattern = uint8_t(kind);
        char name[16];
        std::snprintf(name, sizeof name, "kind%02d", kind);
        if (!write(settings, name)) return 1;
    }
    for (int schema = 0; schema < kColorSchemaCount; ++schema) {
        EngraveSettings settings = DefaultEngraveSettings();
        settings.colorSchema = uint8_t(schema);
        if (!write(settings, "schema" + std::to_string(schema))) return 1;
    }
    for (const auto& entry : std::filesystem::directory_iterator(presets)) {
        const std::string file = entry.path().filename().string();
        if (entry.path().extension() != ".lmv") continue;
        SettingValues values{DefaultEngraveSettings(), DefaultDialogPreferences()};
        if (!LoadPreset(presets, file, &values) || !write(values.engraving, "preset-" + NormalizePresetName(file))) {
            std::fprintf(stderr, "cannot render preset %s\n", file.c_str());
            return 1;
        }
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--help-pictures") return HelpPictures(argv[2], argv[3], argv[4]);
    if (argc < 3) {
        std::fprintf(stderr, "usage: render-gallery input.png output-folder [sheet-shrink]\n");
        return 2;
    }
    Rgb source;
    if (!ReadPng(argv[1], &source)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const std::string folder = argv[2];
    const int shrink = argc > 3 ? std::atoi(argv[3]) : 4;
    Rgb small = Shrink(source, shrink);
    Rgb sheet;
    sheet.width = small.width * kColorSchemaCount;
    sheet.height = small.height * kPatternKindCount;
    sheet.pixels.assign(size_t(sheet.width) * sheet.height * 3, 0);
    for (int kind = 0; kind < kPatternKindCount; ++kind) {
        for (int schema = 0; schema < kColorSchemaCount; ++schema) {
            EngraveSettings settings = DefaultEngraveSettings();
            settings.pattern = uint8_t(kind);
            settings.colorSchema = uint8_t(schema);
            Rgb out = Engrave(source, settings);
            char name[64];
            std::snprintf(name, sizeof name, "/kind%02d-schema%d.png", kind, schema);
            if (!WritePngFile(folder + name, out)) {
                std::fprintf(stderr, "cannot write %s%s\n", folder.c_str(), name);
                return 1;
            }
            Rgb tile = Shrink(out, shrink);
            for (int y = 0; y < tile.height; ++y)
                std::memcpy(&sheet.pixels[(size_t(kind * tile.height + y) * sheet.width + schema * tile.width) * 3],
                            &tile.pixels[size_t(y) * tile.width * 3], size_t(tile.width) * 3);
            std::printf("%s: %s, %s\n", name + 1, kPatternNames[kind], kColorSchemaNames[schema]);
        }
    }
    return WritePngFile(folder + "/contact-sheet.png", sheet) ? 0 : 1;
}
