#include "dialog/PresetFormat.h"

#include <cstring>

void PresetFileKey(OSType code, char key[4]) {
    for (int i = 0; i < 4; ++i) key[i] = char((code >> (8 * i)) & 0xFF);
}

const SettingInfo* FindPresetLine(const char* bytes) {
    for (int i = 0; i < kParamCount; ++i) {
        const SettingInfo& setting = kParamTable[i];
        if (setting.presetLine == 0) continue;
        char key[4];
        PresetFileKey(setting.code, key);
        if (std::memcmp(key, bytes, 4) == 0) return &setting;
    }
    return nullptr;
}
