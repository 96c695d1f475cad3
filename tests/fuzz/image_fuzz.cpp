// libFuzzer target: the PNG, TIFF and JPEG readers (libpng, libtiff and
// libjpeg behind our wrappers). The first byte picks the reader, the rest is
// the file. Whatever a reader accepts must hold exactly the samples its
// size and mode say and convert to the interface's pixels.
#include <cstdlib>

#include "cli/image/Codecs.h"
#include "cli/image/InterfacePixels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > (1 << 20)) return 0;
    Image image;
    const uint8_t* file = data + 1;
    const size_t bytes = size - 1;
    std::string reason;
    switch (data[0] % 3) {
        case 0: reason = ReadPng(file, bytes, image); break;
        case 1: reason = ReadTiff(file, bytes, image); break;
        default: reason = ReadJpeg(file, bytes, image); break;
    }
    if (!reason.empty()) return 0;
    const size_t samples = SampleCount(image);
    if (samples == 0) std::abort();
    if ((image.depth == 16 ? image.samples16.size() : image.samples8.size()) != samples) std::abort();
    if (uint64_t(image.width) * image.height <= 4096 * 4096) {
        const InterfaceImage pixels = ToInterfaceImage(image);
        if (pixels.pixels.size() != size_t(pixels.width) * pixels.height * pixels.planes * pixels.bytesPerSample())
            std::abort();
    }
    return 0;
}
