#include "dialog/PresetWriter.h"

#include <cstdint>
#include <string>

#include "dialog/PresetFormat.h"
#include "dialog/PresetNumbers.h"
#include "settings/ParamTable.h"

namespace {

std::string ValueText(const EngraveSettings& settings, const SettingInfo& setting) {
    double value = GetSettingValue(settings, setting);
    if (IsPresetReal(setting)) {
        char text[kPresetRealTextSize];
        FormatPresetReal(float(value), text);
        return text;
    }
    // Switches are 32-bit in the record; the file keeps their low byte.
    return std::to_string(unsigned(int64_t(value) & 0xFF));
}

}  // namespace

bool WritePresetBody(const EngraveSettings& settings, PresetSink& file) {
    for (int line = 1; line <= kCarriedSettingCount; ++line) {
        const SettingInfo* setting = ParamAtPresetLine(line);
        if (!setting) continue;
        char key[4];
        PresetFileKey(setting->code, key);
        std::string text(key, 4);
        text += ' ';
        text += ValueText(settings, *setting);
        text += " \t\t\t\t";
        text += setting->presetLabel;
        text += " \n";
        if (!file.Write(text.data(), text.size())) return false;
    }
    return true;
}

bool WritePresetContent(const EngraveSettings& settings, PresetSink& file) {
    return file.Write(kPresetHeader, kPresetHeaderSize) && WritePresetBody(settings, file);
}
