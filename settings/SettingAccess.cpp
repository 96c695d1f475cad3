// Reading, storing and parsing one setting's value through its table row.
#include <cfloat>
#include <cmath>
#include <cstring>

#include "settings/NumberText.h"
#include "settings/ParamTable.h"

namespace {

// Conversion that never hits undefined behaviour: out-of-range and NaN map
// to 0 rather than to whatever the hardware produces.
int64_t SaturatingInteger(double value) {
    if (!(value == value)) return 0;
    if (value >= 9.2e18) return INT64_MAX;
    if (value <= -9.2e18) return INT64_MIN;
    return int64_t(value);
}

bool EqualsIgnoringCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        const char x = (*a >= 'A' && *a <= 'Z') ? char(*a - 'A' + 'a') : *a;
        const char y = (*b >= 'A' && *b <= 'Z') ? char(*b - 'A' + 'a') : *b;
        if (x != y) return false;
    }
    return *a == *b;
}

}  // namespace

float NarrowToFloat(double value) {
    // Beyond the float range the conversion is undefined in C++; IEEE says infinity.
    if (value > FLT_MAX) return HUGE_VALF;
    if (value < -FLT_MAX) return -HUGE_VALF;
    return float(value);
}

double GetSettingValue(const SettingValues& values, const SettingInfo& setting) {
    const char* base = reinterpret_cast<const char*>(&values) + setting.offset;
    switch (setting.type) {
        case SettingType::Real: {
            float f;
            std::memcpy(&f, base, sizeof f);
            return f;
        }
        case SettingType::Switch: {
            int32_t i;
            std::memcpy(&i, base, sizeof i);
            return i;
        }
        case SettingType::Flag:
        case SettingType::List: return uint8_t(*base);
    }
    return 0;
}

void SetSettingValue(SettingValues* values, const SettingInfo& setting, double value) {
    char* base = reinterpret_cast<char*>(values) + setting.offset;
    switch (setting.type) {
        case SettingType::Real: {
            const float f = NarrowToFloat(value);
            std::memcpy(base, &f, sizeof f);
            break;
        }
        case SettingType::Switch: {
            const int64_t wide = SaturatingInteger(value);
            const int32_t i = wide > INT32_MAX ? INT32_MAX : wide < INT32_MIN ? INT32_MIN : int32_t(wide);
            std::memcpy(base, &i, sizeof i);
            break;
        }
        case SettingType::Flag:
        case SettingType::List: *base = char(uint8_t(uint64_t(SaturatingInteger(value)) & 0xFF)); break;
    }
}

double GetSettingValue(const EngraveSettings& settings, const SettingInfo& setting) {
    if (!setting.engraving) return 0;
    SettingValues values{};
    values.engraving = settings;
    return GetSettingValue(values, setting);
}

void SetSettingValue(EngraveSettings* settings, const SettingInfo& setting, double value) {
    if (!setting.engraving) return;
    SettingValues values{};
    values.engraving = *settings;
    SetSettingValue(&values, setting, value);
    *settings = values.engraving;
}

bool ParseSettingText(const SettingInfo& setting, const char* text, double* value) {
    if (!text || !*text) return false;
    for (int i = 0; i < setting.listCount; ++i) {
        if (EqualsIgnoringCase(text, setting.listNames[i])) {
            *value = i;
            return true;
        }
    }
    const size_t length = std::strlen(text);
    size_t used = 0;
    const double parsed = ParseNumberPrefix(text, length, &used);
    // The whole text must be the number, and a finite one: "12x" and "1e400" are typos.
    if (used == 0 || used != length || !std::isfinite(parsed)) return false;
    if (setting.type != SettingType::Real) {
        // Integral fields take whole numbers only: "1.5" for a switch is a typo.
        if (parsed != std::floor(parsed)) return false;
        if (setting.type == SettingType::List && (parsed < 0 || parsed >= setting.listCount)) return false;
    }
    *value = parsed;
    return true;
}

namespace {

SettingValues DefaultValues() {
    SettingValues values;
    std::memset(&values, 0, sizeof values);
    for (int i = 0; i < kParamCount; ++i) SetSettingValue(&values, kParamTable[i], kParamTable[i].defaultValue);
    return values;
}

}  // namespace

EngraveSettings DefaultEngraveSettings() { return DefaultValues().engraving; }

DialogPreferences DefaultDialogPreferences() { return DefaultValues().dialog; }
