// Reading preset content: lines, the text body, and the whole content with
// its header (text or legacy binary).
#pragma once

#include <cstddef>

#include "dialog/PresetStream.h"
#include "settings/EngraveSettings.h"

// Real lines are a few dozen bytes; anything longer is cut into pieces of
// this size rather than letting a hostile file grow a buffer.
constexpr size_t kPresetLineCapacity = 1024;

struct PresetLine {
    size_t length;
    char bytes[kPresetLineCapacity];  // last, so an overrun leaves the record
};

// Reads one line byte by byte. A tab is stored as a blank. The line ends
// after the first byte that is 0..13 or 128..255 (signed, <= 13), which
// stays at its end, or when the buffer is full. At the end of the data or on
// a read error before the line ended, returns false and drops the piece read.
bool ReadPresetLine(PresetSource& file, PresetLine* line);

// Applies one line: leading blanks skipped, ';' lines and lines with fewer
// than four bytes ignored, then a file key, blanks, and the number. Lines
// with unknown keys change nothing.
void ApplyPresetLine(SettingValues* record, const char* bytes, size_t length);

// Applies every line from the current position to the end. Fields whose
// lines are missing keep their values; a repeated key is applied again.
void ReadPresetBody(SettingValues* record, PresetSource& file);

// Reads the fixed binary record that follows the legacy magic. Fields that
// the data does not hold in full keep their values.
void ReadLegacyPresetFields(SettingValues* record, PresetSource& file);

// Recognises the header, text or legacy, and applies the content. False,
// with the record unchanged, when the data starts with neither.
bool ReadPresetContent(SettingValues* record, PresetSource& file);
