// The colour conversions behind the colour space suite, on Little CMS.
// Colours travel as the suite has them: four samples, RGB in 1..3 (0
// unused), CMYK in 0..3 inverted (full scale = no ink), 8-bit 0..255 or
// 16-bit 0..32768; converted in place.
//
// Rendering intent: relative colorimetric with black point compensation,
// the usual choice for photographs going to press: in-gamut colours keep
// their appearance, paper white stays paper white (white = no ink), and
// the darkest RGB maps onto the darkest the inks reach.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "cli/color/ColorProfiles.h"
#include "host/PluginInterface.h"

constexpr int16_t kColorSpaceRgb = 0;   // the suite's codes
constexpr int16_t kColorSpaceCmyk = 2;
constexpr int32_t kMaxColorsPerCall = 32767;  // the suite's count is an int16

enum class ColorStatus {
    Ok,
    BadParameter,      // count outside 0..32767, or no colours
    UnsupportedSpace,  // a space other than RGB and CMYK
};

class ColorEngine {
public:
    // Opens the chosen profiles and builds the transforms. An embedded
    // profile Little CMS cannot use is replaced by the default (see note());
    // fails only when the defaults themselves are unusable, e.g. the
    // default CMYK profile is missing.
    static std::unique_ptr<ColorEngine> Create(const ColorProfileChoice& choice, std::string& error);
    // The same with the profiles ChooseProfiles picks for `image`.
    static std::unique_ptr<ColorEngine> CreateFor(const Image& image, std::string& error) {
        return Create(ChooseProfiles(image), error);
    }
    ~ColorEngine();
    ColorEngine(const ColorEngine&) = delete;
    ColorEngine& operator=(const ColorEngine&) = delete;

    ColorStatus Convert8(int16_t inSpace, int16_t outSpace, Color8* colors, int32_t count) const;
    ColorStatus Convert16(int16_t inSpace, int16_t outSpace, Color16* colors, int32_t count) const;

    // What was passed over while choosing and opening the profiles, if anything.
    const std::string& note() const { return note_; }

private:
    struct Handles;
    explicit ColorEngine(std::unique_ptr<Handles> handles, std::string note);
    std::unique_ptr<Handles> handles_;
    std::string note_;
};
