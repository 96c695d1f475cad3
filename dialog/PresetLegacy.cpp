// The legacy binary preset: after "Max Vantor", eight one-byte fields and
// twelve little-endian IEEE floats, 66 bytes in all.
#include <cstdint>
#include <cstring>

#include "dialog/PresetReader.h"
#include "host/ParamTable.h"

namespace {

const char* const kLegacyFields[] = {
    "colorSchema", "pattern",    "autoUpdate", "invertIntensity", "noAntialias", "invert",    "notBreak",
    "useCircles",  "rotation",   "space",      "offset",          "width",       "contrast",  "randomness",
    "amplitude",   "frequency",  "phaseShift", "threshold",       "centerX",     "centerY",
};

// The float's bits go into the field as they are; a detour through double
// could alter a NaN's payload.
void StoreFloatBits(EngraveParams* record, const SettingInfo& setting, const uint8_t bytes[4]) {
    uint32_t bits = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                    uint32_t(bytes[3]) << 24;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    std::memcpy(reinterpret_cast<char*>(record) + setting.offset, &value, sizeof value);
}

}  // namespace

void ReadLegacyPresetFields(EngraveParams* record, PresetSource& file) {
    for (const char* name : kLegacyFields) {
        const SettingInfo& setting = *FindParam(name);
        uint8_t bytes[4];
        size_t size = setting.type == ParamType::Float ? 4 : 1;
        // A field cut short by the end of the file keeps its value rather
        // than taking a half-written one.
        if (file.Read(bytes, size) != size) return;
        if (size == 4)
            StoreFloatBits(record, setting, bytes);
        else
            SetParamValue(record, setting, bytes[0]);
    }
}
