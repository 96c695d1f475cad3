#include "cli/windows/ColorServiceWin32.h"

#include <windows.h>
#include <icm.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "cli/color/ColorEngine.h"
#include "cli/color/ColorProfiles.h"
#include "cli/color/SuiteColors.h"
#include "cli/windows/WindowsText.h"

namespace {

constexpr int kChunk = 1024;  // colours per TranslateColors call

// The system headers spell these as multi-character constants.
constexpr DWORD kSpaceRgb = 0x52474220;   // 'RGB '
constexpr DWORD kSpaceCmyk = 0x434D594B;  // 'CMYK'
constexpr LCSCSTYPE kSrgbSpace = 0x73524742;  // 'sRGB'

struct Profile {
    HPROFILE handle = nullptr;
    std::vector<uint8_t> bytes;  // a memory profile must outlive its handle
    Profile() = default;
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;
    ~Profile() {
        if (handle) CloseColorProfile(handle);
    }
};

bool OpenFromBytes(const std::vector<uint8_t>& bytes, Profile* profile) {
    if (bytes.empty()) return false;
    profile->bytes = bytes;
    PROFILE source = {PROFILE_MEMBUFFER, profile->bytes.data(), DWORD(profile->bytes.size())};
    profile->handle = OpenColorProfileW(&source, PROFILE_READ, FILE_SHARE_READ, OPEN_EXISTING);
    return profile->handle != nullptr;
}

bool OpenFromFile(const std::wstring& path, Profile* profile) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    std::wstring copy = path;
    PROFILE source = {PROFILE_FILENAME, &copy[0], DWORD((copy.size() + 1) * sizeof(wchar_t))};
    profile->handle = OpenColorProfileW(&source, PROFILE_READ, FILE_SHARE_READ, OPEN_EXISTING);
    return profile->handle != nullptr;
}

bool HasColorSpace(const Profile& profile, DWORD space) {
    PROFILEHEADER header = {};
    return profile.handle && GetColorProfileHeader(profile.handle, &header) && header.phDataColorSpace == space;
}

bool OpenSrgb(Profile* profile) {
    wchar_t path[MAX_PATH] = {};
    DWORD size = sizeof path;
    return GetStandardColorSpaceProfileW(nullptr, kSrgbSpace, path, &size) && OpenFromFile(path, profile);
}

bool OpenDefaultCmyk(Profile* profile) {
    std::vector<std::wstring> candidates = {ExecutableFolder() + L"default_cmyk.icc"};
    wchar_t folder[MAX_PATH] = {};
    DWORD size = sizeof folder;
    if (GetColorDirectoryW(nullptr, folder, &size)) candidates.push_back(std::wstring(folder) + L"\\RSWOP.icm");
    if (RunningUnderWine()) {
        std::wstring linuxPath = L"Z:" + WideFromCodePage(kDefaultCmykProfilePath);
        std::replace(linuxPath.begin(), linuxPath.end(), L'/', L'\\');
        candidates.push_back(linuxPath);
    }
    for (const std::wstring& path : candidates) {
        Profile candidate;
        if (OpenFromFile(path, &candidate) && HasColorSpace(candidate, kSpaceCmyk)) {
            std::swap(profile->handle, candidate.handle);
            return true;
        }
    }
    return false;
}

// Both directions between one RGB and one CMYK profile, or the plain formulas.
struct Transforms {
    HTRANSFORM toCmyk = nullptr;
    HTRANSFORM toRgb = nullptr;
    bool plain = false;
    double black[3] = {};  // the inks' black point in light, per RGB channel
    ~Transforms() {
        if (toCmyk) DeleteColorTransform(toCmyk);
        if (toRgb) DeleteColorTransform(toRgb);
    }
    bool Build(const Profile& rgb, const Profile& cmyk) {
        if (!HasColorSpace(rgb, kSpaceRgb) || !HasColorSpace(cmyk, kSpaceCmyk)) return false;
        DWORD intents[2] = {INTENT_RELATIVE_COLORIMETRIC, INTENT_RELATIVE_COLORIMETRIC};
        HPROFILE forward[2] = {rgb.handle, cmyk.handle};
        HPROFILE backward[2] = {cmyk.handle, rgb.handle};
        toCmyk = CreateMultiProfileTransform(forward, 2, intents, 2, BEST_MODE, INDEX_DONT_CARE);
        toRgb = CreateMultiProfileTransform(backward, 2, intents, 2, BEST_MODE, INDEX_DONT_CARE);
        if (!toCmyk || !toRgb) return false;
        // The darkest the inks reach, as RGB: where RGB black goes and back.
        COLOR darkest = {};
        COLOR back = {};
        if (!TranslateColors(toCmyk, &darkest, 1, COLOR_RGB, &back, COLOR_CMYK) ||
            !TranslateColors(toRgb, &back, 1, COLOR_CMYK, &darkest, COLOR_RGB))
            return false;
        black[0] = WordToLight(darkest.rgb.red);
        black[1] = WordToLight(darkest.rgb.green);
        black[2] = WordToLight(darkest.rgb.blue);
        return true;
    }
};

bool TranslateRaw(const Transforms& t, bool fromRgb, COLOR* colors, int count);

// Black point compensation, which Windows colour management lacks: RGB
// black goes to the darkest the inks reach, and that comes back as black.
bool Translate(const Transforms& t, bool fromRgb, COLOR* colors, int count) {
    if (t.plain) return TranslateRaw(t, fromRgb, colors, count);
    if (fromRgb) {
        for (int i = 0; i < count; ++i) {
            WORD* c[3] = {&colors[i].rgb.red, &colors[i].rgb.green, &colors[i].rgb.blue};
            for (int k = 0; k < 3; ++k) *c[k] = CompensateTowardsInk(*c[k], t.black[k]);
        }
        return TranslateRaw(t, true, colors, count);
    }
    if (!TranslateRaw(t, false, colors, count)) return false;
    for (int i = 0; i < count; ++i) {
        WORD* c[3] = {&colors[i].rgb.red, &colors[i].rgb.green, &colors[i].rgb.blue};
        for (int k = 0; k < 3; ++k) *c[k] = CompensateFromInk(*c[k], t.black[k]);
    }
    return true;
}

bool TranslateRaw(const Transforms& t, bool fromRgb, COLOR* colors, int count) {
    if (t.plain) {
        for (int i = 0; i < count; ++i) {
            uint16_t rgb[3], cmyk[4];
            if (fromRgb) {
                rgb[0] = colors[i].rgb.red, rgb[1] = colors[i].rgb.green, rgb[2] = colors[i].rgb.blue;
                PlainRgbToCmyk(rgb, cmyk);
                colors[i].cmyk = {cmyk[0], cmyk[1], cmyk[2], cmyk[3]};
            } else {
                cmyk[0] = colors[i].cmyk.cyan, cmyk[1] = colors[i].cmyk.magenta;
                cmyk[2] = colors[i].cmyk.yellow, cmyk[3] = colors[i].cmyk.black;
                PlainCmykToRgb(cmyk, rgb);
                colors[i].rgb = {rgb[0], rgb[1], rgb[2]};
            }
        }
        return true;
    }
    std::vector<COLOR> out(static_cast<size_t>(count));
    if (!TranslateColors(fromRgb ? t.toCmyk : t.toRgb, colors, DWORD(count), fromRgb ? COLOR_RGB : COLOR_CMYK,
                         out.data(), fromRgb ? COLOR_CMYK : COLOR_RGB))
        return false;
    std::copy(out.begin(), out.end(), colors);
    return true;
}

bool CallIsValid(int16_t from, int16_t to, const void* colors, int count) {
    const auto known = [](int16_t space) { return space == kColorSpaceRgb || space == kColorSpaceCmyk; };
    return count >= 0 && count <= kMaxColorsPerCall && (count == 0 || colors) && known(from) && known(to);
}

// One conversion call of the suite, for either sample size.
template <typename Sample, typename Color, typename In, typename InInk, typename Out, typename OutInk>
bool Convert(const Transforms& t, int16_t from, int16_t to, Color* colors, int count, In in, InInk inInk, Out out,
             OutInk outInk) {
    if (!CallIsValid(from, to, colors, count)) return false;
    if (from == to || count == 0) return true;
    const bool fromRgb = from == kColorSpaceRgb;
    COLOR words[kChunk];
    for (int start = 0; start < count; start += kChunk) {
        const int n = std::min(kChunk, count - start);
        Color* chunk = colors + start;
        for (int i = 0; i < n; ++i) {
            if (fromRgb) {
                words[i].rgb = {in(chunk[i][1]), in(chunk[i][2]), in(chunk[i][3])};
            } else {
                words[i].cmyk = {inInk(chunk[i][0]), inInk(chunk[i][1]), inInk(chunk[i][2]), inInk(chunk[i][3])};
            }
        }
        if (!Translate(t, fromRgb, words, n)) return false;
        for (int i = 0; i < n; ++i) {
            if (fromRgb) {
                const CMYKCOLOR& c = words[i].cmyk;
                chunk[i][0] = outInk(c.cyan), chunk[i][1] = outInk(c.magenta);
                chunk[i][2] = outInk(c.yellow), chunk[i][3] = outInk(c.black);
            } else {
                const RGBCOLOR& c = words[i].rgb;
                chunk[i][0] = 0;  // unused in "0RGB"
                chunk[i][1] = out(c.red), chunk[i][2] = out(c.green), chunk[i][3] = out(c.blue);
            }
        }
    }
    return true;
}

}  // namespace

bool MakeWindowsColorService(const Image& image, ColorService* service, std::string* warning, std::string* error) {
    const ColorProfileChoice choice = ChooseProfiles(image);
    auto transforms = std::make_shared<Transforms>();
    Profile rgb, cmyk;
    const bool ownRgb = OpenFromBytes(choice.rgbProfile, &rgb);
    const bool ownCmyk = OpenFromBytes(choice.cmykProfile, &cmyk);
    if (!ownRgb && !OpenSrgb(&rgb)) {
        *error = "Windows colour management has no sRGB profile";
        return false;
    }
    if (!ownCmyk) OpenDefaultCmyk(&cmyk);
    if (!transforms->Build(rgb, cmyk)) {
        // An embedded profile let us down: the defaults, as the Linux engine does.
        Profile srgb, defaultCmyk;
        transforms = std::make_shared<Transforms>();
        if (!(OpenSrgb(&srgb) && OpenDefaultCmyk(&defaultCmyk) && transforms->Build(srgb, defaultCmyk))) {
            transforms = std::make_shared<Transforms>();
            transforms->plain = true;
            *warning = "no CMYK colour profile found; CMYK converted by the plain formulas "
                       "(put a CMYK profile named default_cmyk.icc beside lumeric.exe)";
        }
    }
    service->convert8 = [transforms](int16_t from, int16_t to, Color8* colors, int count) {
        return Convert<uint8_t>(*transforms, from, to, colors, count, WordFrom8, InkWordFrom8, ValueFromWord8,
                                ValueFromInkWord8);
    };
    service->convert16 = [transforms](int16_t from, int16_t to, Color16* colors, int count) {
        return Convert<uint16_t>(*transforms, from, to, colors, count, WordFrom16, InkWordFrom16, ValueFromWord16,
                                 ValueFromInkWord16);
    };
    return true;
}
