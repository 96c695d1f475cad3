// The legacy binary preset: after "Max Vantor", one byte per switch and list
// and a little-endian IEEE float per real, for the settings the table marks
// as legacy, in table order: 66 bytes in all.
#include <cstdint>
#include <cstring>

#include "dialog/PresetReader.h"
#include "settings/ParamTable.h"

namespace {

// The float's bits go into the field as they are; a detour through double
// could alter a NaN's payload.
void StoreFloatBits(SettingValues* record, const SettingInfo& setting, const uint8_t bytes[4]) {
    uint32_t bits = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                    uint32_t(bytes[3]) << 24;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    std::memcpy(reinterpret_cast<char*>(record) + setting.offset, &value, sizeof value);
}

}  // namespace

void ReadLegacyPresetFields(SettingValues* record, PresetSource& file) {
    for (int i = 0; i < kParamCount; ++i) {
        const SettingInfo& setting = kParamTable[i];
        if (!setting.inLegacyPreset) continue;
        uint8_t bytes[4];
        const size_t size = setting.type == SettingType::Real ? 4 : 1;
        // A field cut short by the end of the file keeps its value rather
        // than taking a half-written one.
        if (file.Read(bytes, size) != size) return;
        if (size == 4)
            StoreFloatBits(record, setting, bytes);
        else
            SetSettingValue(record, setting, bytes[0]);
    }
}
