// Numbers in preset files. Written like C's "%f" and "%d", read like atof
// (settings/NumberText.h) and atoi, always with '.' as the decimal point: a
// preset saved under one locale must load the same under any other.
#pragma once

#include <cstddef>
#include <cstdint>

// At most this many characters of a line make up its number.
constexpr size_t kPresetNumberMax = 64;

// Room for any float written with six decimals, sign and NUL included.
constexpr size_t kPresetRealTextSize = 64;

// The length of the number at `text`: the leading run of digits, '.', ',',
// '-', 'e' and 'E', at most kPresetNumberMax characters.
size_t PresetNumberRun(const char* text, size_t length);

// "%f": six decimals, '.' as the point, '-' when negative. Writes a
// NUL-terminated text into `text` (kPresetRealTextSize bytes) and returns
// its length.
size_t FormatPresetReal(float value, char* text);

// atoi on the first `length` characters, keeping the low eight bits of the
// number: "257" is 1, "-1" is 255, "1.9" is 1, no digits give 0.
uint8_t ParsePresetByte(const char* text, size_t length);
