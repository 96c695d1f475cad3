#include "dialog/PresetReader.h"

#include <cstdint>
#include <cstring>

#include "dialog/PresetFormat.h"
#include "dialog/PresetNumbers.h"
#include "settings/NumberText.h"
#include "settings/ParamTable.h"

bool ReadPresetLine(PresetSource& file, PresetLine* line) {
    line->length = 0;
    for (;;) {
        char byte;
        if (file.Read(&byte, 1) != 1) return false;
        if (byte == '\t') byte = ' ';
        line->bytes[line->length++] = byte;
        if (int8_t(byte) <= 13 || line->length == kPresetLineCapacity) return true;
    }
}

void ApplyPresetLine(SettingValues* record, const char* bytes, size_t length) {
    size_t at = 0;
    while (at < length && bytes[at] == ' ') ++at;
    if (length - at < 4 || bytes[at] == ';') return;
    const SettingInfo* setting = FindPresetLine(bytes + at);
    if (!setting) return;
    at += 4;
    while (at < length && bytes[at] == ' ') ++at;
    size_t run = PresetNumberRun(bytes + at, length - at);
    if (IsPresetReal(*setting))
        SetSettingValue(record, *setting, ParseNumberPrefix(bytes + at, run));
    else
        SetSettingValue(record, *setting, ParsePresetByte(bytes + at, run));
}

void ReadPresetBody(SettingValues* record, PresetSource& file) {
    PresetLine line;
    while (ReadPresetLine(file, &line)) ApplyPresetLine(record, line.bytes, line.length);
}

bool ReadPresetContent(SettingValues* record, PresetSource& file) {
    char head[kPresetHeaderSize];
    if (file.Read(head, kPresetHeaderSize) == kPresetHeaderSize &&
        std::memcmp(head, kPresetHeader, kPresetHeaderSize) == 0) {
        ReadPresetBody(record, file);
        return true;
    }
    if (!file.Rewind()) return false;
    if (file.Read(head, kLegacyPresetMagicSize) == kLegacyPresetMagicSize &&
        std::memcmp(head, kLegacyPresetMagic, kLegacyPresetMagicSize) == 0) {
        ReadLegacyPresetFields(record, file);
        return true;
    }
    return false;
}
