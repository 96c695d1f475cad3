#include "cli/image/ImageLimits.h"

std::string CheckImageSize(uint64_t width, uint64_t height) {
    if (width == 0 || height == 0) return "the image has no pixels";
    if (width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels) {
        return "the image is too large (" + std::to_string(width) + " x " + std::to_string(height) +
               " pixels; at most " + std::to_string(kMaxImageSide) + " pixels a side and " +
               std::to_string(kMaxImagePixels) + " pixels in all)";
    }
    return {};
}

std::string CheckDataCanFill(uint64_t decodedBytes, uint64_t inputBytes, uint64_t maxRatio) {
    // The margin covers headers and tiny images; the ratio the codec's bound.
    if (decodedBytes <= inputBytes * maxRatio + 65536) return {};
    return "the file is truncated or corrupt (" + std::to_string(inputBytes) +
           " bytes cannot hold the " + std::to_string(decodedBytes) + " bytes of samples its header announces)";
}
