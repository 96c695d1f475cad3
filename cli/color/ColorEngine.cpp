#include "cli/color/ColorEngine.h"

#include <lcms2.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "cli/image/SampleScale.h"

namespace {

constexpr cmsUInt32Number kIntent = INTENT_RELATIVE_COLORIMETRIC;
constexpr cmsUInt32Number kFlags = cmsFLAGS_BLACKPOINTCOMPENSATION;
constexpr int kChunk = 512;  // colours per call into Little CMS

struct LcmsErrors {
    char message[256];
};

void OnLcmsError(cmsContext context, cmsUInt32Number, const char* text) {
    auto* errors = static_cast<LcmsErrors*>(cmsGetContextUserData(context));
    if (errors) std::snprintf(errors->message, sizeof errors->message, "%s", text);
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !bytes.empty();
}

}  // namespace

struct ColorEngine::Handles {
    LcmsErrors errors{};
    cmsContext context = nullptr;
    // [direction][depth]: direction 0 RGB -> CMYK, 1 CMYK -> RGB; depth 0 8-bit, 1 16-bit.
    cmsHTRANSFORM transforms[2][2] = {};

    Handles() {
        context = cmsCreateContext(nullptr, &errors);
        if (context) cmsSetLogErrorHandlerTHR(context, OnLcmsError);
    }
    ~Handles() {
        DropTransforms();
        if (context) cmsDeleteContext(context);
    }
    void DropTransforms() {
        for (auto& direction : transforms) {
            for (cmsHTRANSFORM& t : direction) {
                if (t) cmsDeleteTransform(t);
                t = nullptr;
            }
        }
    }
    cmsHPROFILE OpenRgb(const std::vector<uint8_t>& bytes) {
        return bytes.empty() ? cmsCreate_sRGBProfileTHR(context)
                             : cmsOpenProfileFromMemTHR(context, bytes.data(), cmsUInt32Number(bytes.size()));
    }
    cmsHPROFILE OpenCmyk(const std::vector<uint8_t>& bytes) {
        if (bytes.empty()) return nullptr;
        return cmsOpenProfileFromMemTHR(context, bytes.data(), cmsUInt32Number(bytes.size()));
    }
    // All four transforms or none.
    bool Build(cmsHPROFILE rgb, cmsHPROFILE cmyk) {
        if (!rgb || !cmyk || cmsGetColorSpace(rgb) != cmsSigRgbData || cmsGetColorSpace(cmyk) != cmsSigCmykData) {
            return false;
        }
        transforms[0][0] = cmsCreateTransformTHR(context, rgb, TYPE_RGB_8, cmyk, TYPE_CMYK_8, kIntent, kFlags);
        transforms[1][0] = cmsCreateTransformTHR(context, cmyk, TYPE_CMYK_8, rgb, TYPE_RGB_8, kIntent, kFlags);
        transforms[0][1] = cmsCreateTransformTHR(context, rgb, TYPE_RGB_16, cmyk, TYPE_CMYK_16, kIntent, kFlags);
        transforms[1][1] = cmsCreateTransformTHR(context, cmyk, TYPE_CMYK_16, rgb, TYPE_RGB_16, kIntent, kFlags);
        if (transforms[0][0] && transforms[1][0] && transforms[0][1] && transforms[1][1]) return true;
        DropTransforms();
        return false;
    }
    bool BuildFrom(const std::vector<uint8_t>& rgbBytes, const std::vector<uint8_t>& cmykBytes) {
        cmsHPROFILE rgb = OpenRgb(rgbBytes);
        cmsHPROFILE cmyk = OpenCmyk(cmykBytes);
        const bool built = Build(rgb, cmyk);
        if (rgb) cmsCloseProfile(rgb);
        if (cmyk) cmsCloseProfile(cmyk);
        return built;
    }
};

ColorEngine::ColorEngine(std::unique_ptr<Handles> handles, std::string note)
    : handles_(std::move(handles)), note_(std::move(note)) {}

ColorEngine::~ColorEngine() = default;

std::unique_ptr<ColorEngine> ColorEngine::Create(const ColorProfileChoice& choice, std::string& error) {
    auto handles = std::make_unique<Handles>();
    if (!handles->context) {
        error = "cannot start the colour engine";
        return nullptr;
    }
    std::vector<uint8_t> defaultCmyk;
    const bool needDefaultCmyk = choice.cmykProfile.empty();
    if (needDefaultCmyk && !ReadWholeFile(choice.cmykPath, defaultCmyk)) {
        error = "the default CMYK profile " + choice.cmykPath + " is missing (Debian package libgs-common)";
        return nullptr;
    }
    std::string note = choice.note;
    if (handles->BuildFrom(choice.rgbProfile, needDefaultCmyk ? defaultCmyk : choice.cmykProfile)) {
        return std::unique_ptr<ColorEngine>(new ColorEngine(std::move(handles), note));
    }
    // An embedded profile let us down: fall back to the defaults.
    if (!choice.rgbProfile.empty() || !choice.cmykProfile.empty()) {
        if (defaultCmyk.empty() && !ReadWholeFile(choice.cmykPath, defaultCmyk)) {
            error = "the default CMYK profile " + choice.cmykPath + " is missing (Debian package libgs-common)";
            return nullptr;
        }
        if (handles->BuildFrom({}, defaultCmyk)) {
            note = "the embedded profile cannot be used; using sRGB and the default CMYK profile";
            return std::unique_ptr<ColorEngine>(new ColorEngine(std::move(handles), note));
        }
    }
    error = std::string("cannot build the colour transforms");
    if (handles->errors.message[0]) error += std::string(" (") + handles->errors.message + ")";
    return nullptr;
}

namespace {

ColorStatus CheckCall(int16_t inSpace, int16_t outSpace, const void* colors, int32_t count) {
    if (count < 0 || count > kMaxColorsPerCall || (count > 0 && !colors)) return ColorStatus::BadParameter;
    const auto known = [](int16_t space) { return space == kColorSpaceRgb || space == kColorSpaceCmyk; };
    if (!known(inSpace) || !known(outSpace)) return ColorStatus::UnsupportedSpace;
    return ColorStatus::Ok;
}

// Suite samples <-> Little CMS samples (8-bit: 0..255 as is; 16-bit:
// 0..32768 <-> 0..65535). CMYK is inverted on the way in and out.
uint8_t InkIn8(uint8_t s) { return uint8_t(255 - s); }
uint16_t ValueIn16(uint16_t s) { return InterfaceToFile16(s); }
uint16_t InkIn16(uint16_t s) { return InterfaceToFile16(uint16_t(kInterfaceMax16 - std::min(s, kInterfaceMax16))); }
uint16_t ValueOut16(uint16_t v) { return FileToInterface16(v); }
uint16_t InkOut16(uint16_t v) { return uint16_t(kInterfaceMax16 - FileToInterface16(v)); }

template <typename Sample, typename Color, typename In, typename Out>
void ConvertChunks(cmsHTRANSFORM transform, bool fromRgb, Color* colors, int32_t count, In valueIn, In inkIn,
                   Out valueOut, Out inkOut) {
    Sample source[kChunk * 4], target[kChunk * 4];
    for (int32_t start = 0; start < count; start += kChunk) {
        const int n = std::min<int32_t>(kChunk, count - start);
        Color* chunk = colors + start;
        for (int i = 0; i < n; ++i) {
            if (fromRgb) {
                for (int k = 0; k < 3; ++k) source[3 * i + k] = valueIn(chunk[i][1 + k]);
            } else {
                for (int k = 0; k < 4; ++k) source[4 * i + k] = inkIn(chunk[i][k]);
            }
        }
        cmsDoTransform(transform, source, target, cmsUInt32Number(n));
        for (int i = 0; i < n; ++i) {
            if (fromRgb) {
                for (int k = 0; k < 4; ++k) chunk[i][k] = inkOut(target[4 * i + k]);
            } else {
                chunk[i][0] = 0;  // unused in "0RGB"
                for (int k = 0; k < 3; ++k) chunk[i][1 + k] = valueOut(target[3 * i + k]);
            }
        }
    }
}

}  // namespace

ColorStatus ColorEngine::Convert8(int16_t inSpace, int16_t outSpace, Color8* colors, int32_t count) const {
    const ColorStatus status = CheckCall(inSpace, outSpace, colors, count);
    if (status != ColorStatus::Ok || inSpace == outSpace || count == 0) return status;
    const bool fromRgb = inSpace == kColorSpaceRgb;
    auto same = [](uint8_t s) { return s; };
    ConvertChunks<uint8_t>(handles_->transforms[fromRgb ? 0 : 1][0], fromRgb, colors, count, +same, InkIn8, +same,
                           InkIn8);
    return ColorStatus::Ok;
}

ColorStatus ColorEngine::Convert16(int16_t inSpace, int16_t outSpace, Color16* colors, int32_t count) const {
    const ColorStatus status = CheckCall(inSpace, outSpace, colors, count);
    if (status != ColorStatus::Ok || inSpace == outSpace || count == 0) return status;
    const bool fromRgb = inSpace == kColorSpaceRgb;
    ConvertChunks<uint16_t>(handles_->transforms[fromRgb ? 0 : 1][1], fromRgb, colors, count, ValueIn16, InkIn16,
                            ValueOut16, InkOut16);
    return ColorStatus::Ok;
}
