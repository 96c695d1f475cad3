#include "dialog/PresetWriter.h"

#include <cstdint>
#include <string>

#include "dialog/PresetFormat.h"
#include "dialog/PresetNumbers.h"
#include "host/ParamTable.h"

namespace {

std::string ValueText(const EngraveParams& record, const SettingInfo& setting) {
    double value = GetParamValue(record, setting);
    if (IsPresetReal(setting)) {
        char text[kPresetRealTextSize];
        FormatPresetReal(float(value), text);
        return text;
    }
    // Switches are 32-bit in the record; the file keeps their low byte.
    return std::to_string(unsigned(int64_t(value) & 0xFF));
}

}  // namespace

bool WritePresetBody(const EngraveParams& record, PresetSink& file) {
    for (const PresetLineFormat& line : kPresetLines) {
        char key[4];
        PresetFileKey(line.code, key);
        std::string text(key, 4);
        text += ' ';
        text += ValueText(record, PresetLineParam(line));
        text += " \t\t\t\t";
        text += line.label;
        text += " \n";
        if (!file.Write(text.data(), text.size())) return false;
    }
    return true;
}

bool WritePresetContent(const EngraveParams& record, PresetSink& file) {
    return file.Write(kPresetHeader, kPresetHeaderSize) && WritePresetBody(record, file);
}
