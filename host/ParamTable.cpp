#include "host/ParamTable.h"

#include <cctype>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>

const char* const kPatternNames[kPatternKindCount] = {
    "Lines",          "Waves 1",        "Waves 2",        "Rings",          "Rings waves 1",
    "Rings waves 2",  "Rings waves 3",  "Rings waves 4",  "Spiral",         "Spiral waves 1",
    "Spiral waves 2", "Spiral waves 3", "Spiral waves 4",
};

const char* const kColorSchemaNames[kColorSchemaCount] = {
    "Initial color",
    "Split color",
    "Black and white",
};

namespace {

#define FIELD(f) offsetof(EngraveParams, f)
constexpr ParamCarriers kBoth = kCarriedByScriptAndPreset;
constexpr ParamCarriers kHandle = kCarriedByHandleOnly;

}  // namespace

// clang-format off
const SettingInfo kParamTable[] = {
 {"colorSchema", ParamType::List, FIELD(colorSchema), 2, true, 0, 2, 1, kColorSchemaNames, kColorSchemaCount, kBoth, FourCC("ClSt"), "Color schema:", "Color Schema"},
 {"pattern", ParamType::List, FIELD(pattern), 1, true, 0, 12, 1, kPatternNames, kPatternKindCount, kBoth, FourCC("Geom"), "Pattern:", "Geometry elements for lumeric pattern"},
 {"autoUpdate", ParamType::Switch, FIELD(autoUpdate), 1, true, 0, 1, 1, nullptr, 0, kHandle, 0, "Auto update", "Automatically update preview window when any parameter is changed"},
 {"invertIntensity", ParamType::Switch, FIELD(invertIntensity), 1, true, 0, 1, 1, nullptr, 0, kBoth, FourCC("InvI"), "Invert", "Invert finally pattern"},
 {"noAntialias", ParamType::Switch, FIELD(noAntialias), 0, true, 0, 1, 1, nullptr, 0, kBoth, FourCC("AntA"), "Solid Ink", "Draw without antialiasing for screen printing i.e."},
 {"invert", ParamType::Switch, FIELD(invert), 0, true, 0, 1, 1, nullptr, 0, kBoth, FourCC("Invr"), "Invert", "Invert finally pattern"},
 {"notBreak", ParamType::Switch, FIELD(notBreak), 0, true, 0, 1, 1, nullptr, 0, kBoth, FourCC("NoBr"), "Not break", "Lines will have no breaks"},
 {"useCircles", ParamType::Switch, FIELD(useCircles), 0, true, 0, 1, 1, nullptr, 0, kBoth, FourCC("UsBg"), "Use dots", "Use big elements for pattern"},
 {"viewX", ParamType::Int, FIELD(viewX), 0, false, 0, 0, 1, nullptr, 0, kHandle, 0, "", ""},
 {"viewY", ParamType::Int, FIELD(viewY), 0, false, 0, 0, 1, nullptr, 0, kHandle, 0, "", ""},
 {"rotation", ParamType::Float, FIELD(rotation), 30, false, 0, 0, 1, nullptr, 0, kBoth, FourCC("Angl"), "Rotation", "Angle for pattern direction"},
 {"space", ParamType::Float, FIELD(space), 20, true, 5, 100, 1, nullptr, 0, kBoth, FourCC("Spac"), "Space", "Distance between elements"},
 {"offset", ParamType::Float, FIELD(offset), 0, true, 0, 1000, 1, nullptr, 0, kBoth, FourCC("Ofst"), "Offset", "Shift of geometry elements"},
 {"width", ParamType::Float, FIELD(width), 100, true, 15, 200, 1, nullptr, 0, kBoth, FourCC("Wdth"), "Width", "Width of geometry elements"},
 {"contrast", ParamType::Float, FIELD(contrast), 0, true, -100, 1000, 1, nullptr, 0, kBoth, FourCC("Lvls"), "Threshold", "Retouch lumeric picture"},
 {"randomness", ParamType::Float, FIELD(randomness), 0, true, -1000, 1000, 1, nullptr, 0, kBoth, FourCC("BRel"), "Randomness", "Additional artistic distortion"},
 {"amplitude", ParamType::Float, FIELD(amplitude), 100, true, 0, 1000, 1, nullptr, 0, kBoth, FourCC("Ampl"), "Amplitude", "Waves amplitude"},
 {"frequency", ParamType::Float, FIELD(frequency), 100, true, 0, 1000, 1, nullptr, 0, kBoth, FourCC("Frqn"), "Frequency", "Waves frequency"},
 {"phaseShift", ParamType::Float, FIELD(phaseShift), 0, true, -1000, 1000, 0.18f, nullptr, 0, kBoth, FourCC("Shif"), "Shift of phase", "Shift of wave phase"},
 {"threshold", ParamType::Float, FIELD(threshold), 0, true, -300, 300, 1, nullptr, 0, kBoth, FourCC("Usil"), "Contrast", "Amplify contrast of lumeric picture"},
 {"centerX", ParamType::Float, FIELD(centerX), 0, true, -1000, 1000, 1, nullptr, 0, kBoth, FourCC("CntX"), "Center X", "Pattern center by X"},
 {"centerY", ParamType::Float, FIELD(centerY), 0, true, -1000, 1000, 1, nullptr, 0, kBoth, FourCC("CntY"), "Center Y", "Pattern center by Y"},
 {"fillAlpha", ParamType::Byte, FIELD(fillAlpha), 1, true, 0, 1, 1, nullptr, 0, kBoth, FourCC("FllA"), "Fill alpha", "Set alpha channel as opaque or transparent"},
 {"noise", ParamType::Float, FIELD(noise), 0, true, 0, 100, 1, nullptr, 0, kBoth, FourCC("Nois"), "Noise", "Add noise"},
 {"checkerboard", ParamType::Byte, FIELD(checkerboard), 1, true, 0, 1, 1, nullptr, 0, kHandle, 0, "Checkboard background", "Show preview as checkboard or solid"},
 {"presetApplied", ParamType::Byte, FIELD(presetApplied), 0, true, 0, 1, 1, nullptr, 0, kHandle, 0, "", ""},
};
// clang-format on

const int kParamCount = int(sizeof(kParamTable) / sizeof(kParamTable[0]));

const SettingInfo* FindParam(const char* name) {
    for (const SettingInfo& setting : kParamTable)
        if (std::strcmp(setting.name, name) == 0) return &setting;
    return nullptr;
}

const SettingInfo* FindParamByKey(OSType key) {
    if (key == 0) return nullptr;
    for (const SettingInfo& setting : kParamTable)
        if (setting.key == key) return &setting;
    return nullptr;
}

double GetParamValue(const EngraveParams& record, const SettingInfo& setting) {
    const char* base = reinterpret_cast<const char*>(&record) + setting.offset;
    switch (setting.type) {
        case ParamType::Float: {
            float f;
            std::memcpy(&f, base, sizeof f);
            return f;
        }
        case ParamType::Switch:
        case ParamType::Int: {
            int32_t i;
            std::memcpy(&i, base, sizeof i);
            return i;
        }
        case ParamType::Byte:
        case ParamType::List:
            return uint8_t(*base);
    }
    return 0;
}

namespace {

// Conversion that never hits undefined behaviour: out-of-range and NaN map
// to 0 rather than to whatever the hardware produces.
int64_t SaturatingInteger(double value) {
    if (!(value == value)) return 0;
    if (value >= 9.2e18) return INT64_MAX;
    if (value <= -9.2e18) return INT64_MIN;
    return int64_t(value);
}

}  // namespace

float NarrowToFloat(double value) {
    // Beyond the float range the conversion is undefined in C++; IEEE says infinity.
    if (value > FLT_MAX) return HUGE_VALF;
    if (value < -FLT_MAX) return -HUGE_VALF;
    return float(value);
}

void SetParamValue(EngraveParams* record, const SettingInfo& setting, double value) {
    char* base = reinterpret_cast<char*>(record) + setting.offset;
    switch (setting.type) {
        case ParamType::Float: {
            float f = NarrowToFloat(value);
            std::memcpy(base, &f, sizeof f);
            break;
        }
        case ParamType::Switch:
        case ParamType::Int: {
            int64_t wide = SaturatingInteger(value);
            int32_t i = wide > INT32_MAX ? INT32_MAX : wide < INT32_MIN ? INT32_MIN : int32_t(wide);
            std::memcpy(base, &i, sizeof i);
            break;
        }
        case ParamType::Byte:
        case ParamType::List:
            *base = char(uint8_t(uint64_t(SaturatingInteger(value)) & 0xFF));
            break;
    }
}

namespace {

bool EqualsIgnoringCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (std::tolower(uint8_t(*a)) != std::tolower(uint8_t(*b))) return false;
    return *a == *b;
}

}  // namespace

bool ParseParamValue(const SettingInfo& setting, const char* text, double* value) {
    if (!text || !*text) return false;
    for (int i = 0; i < setting.listCount; ++i) {
        if (EqualsIgnoringCase(text, setting.listNames[i])) {
            *value = i;
            return true;
        }
    }
    char* end = nullptr;
    errno = 0;
    double parsed = std::strtod(text, &end);
    if (end == text || *end != '\0' || errno == ERANGE) return false;
    if (setting.type != ParamType::Float) {
        // Integral fields take whole numbers only: "1.5" for a switch is a typo.
        if (!std::isfinite(parsed) || parsed != std::floor(parsed)) return false;
        if (setting.type == ParamType::List && (parsed < 0 || parsed >= setting.listCount)) return false;
    }
    *value = parsed;
    return true;
}

const OSType kScriptKeyOrder[21] = {
    FourCC("Angl"), FourCC("Ofst"), FourCC("Spac"), FourCC("Wdth"), FourCC("Lvls"), FourCC("BRel"),
    FourCC("Ampl"), FourCC("Frqn"), FourCC("Shif"), FourCC("Usil"), FourCC("CntX"), FourCC("CntY"),
    FourCC("InvI"), FourCC("Invr"), FourCC("AntA"), FourCC("NoBr"), FourCC("UsBg"), FourCC("ClSt"),
    FourCC("Geom"), FourCC("FllA"), FourCC("Nois"),
};
