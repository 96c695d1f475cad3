#include "dialog/PresetReader.h"

#include <cstdint>
#include <cstring>

#include "dialog/PresetFormat.h"
#include "dialog/PresetNumbers.h"
#include "host/ParamTable.h"

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

void ApplyPresetLine(EngraveParams* record, const char* bytes, size_t length) {
    size_t at = 0;
    while (at < length && bytes[at] == ' ') ++at;
    if (length - at < 4 || bytes[at] == ';') return;
    const PresetLineFormat* line = FindPresetLine(bytes + at);
    if (!line) return;
    at += 4;
    while (at < length && bytes[at] == ' ') ++at;
    size_t run = PresetNumberRun(bytes + at, length - at);
    const SettingInfo& setting = PresetLineParam(*line);
    if (IsPresetReal(setting))
        SetParamValue(record, setting, ParsePresetReal(bytes + at, run));
    else
        SetParamValue(record, setting, ParsePresetByte(bytes + at, run));
}

void ReadPresetBody(EngraveParams* record, PresetSource& file) {
    PresetLine line;
    while (ReadPresetLine(file, &line)) ApplyPresetLine(record, line.bytes, line.length);
}

bool ReadPresetContent(EngraveParams* record, PresetSource& file) {
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
