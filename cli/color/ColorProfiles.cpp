#include "cli/color/ColorProfiles.h"

std::string IccColorSpace(const std::vector<uint8_t>& profile) {
    if (profile.size() < 128) return {};  // the fixed header alone is 128 bytes
    return std::string(reinterpret_cast<const char*>(profile.data()) + 16, 4);
}

ColorProfileChoice ChooseProfiles(const Image& image) {
    ColorProfileChoice choice;
    if (image.iccProfile.empty() || image.model == ColorModel::Gray) return choice;
    const bool rgb = image.model == ColorModel::Rgb;
    const std::string wanted = rgb ? "RGB " : "CMYK";
    if (IccColorSpace(image.iccProfile) != wanted) {
        choice.note = std::string("the embedded profile is not a ") + (rgb ? "RGB" : "CMYK") + " profile; using " +
                      (rgb ? "sRGB" : "the default CMYK profile");
        return choice;
    }
    (rgb ? choice.rgbProfile : choice.cmykProfile) = image.iccProfile;
    return choice;
}
