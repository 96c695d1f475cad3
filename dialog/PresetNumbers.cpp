#include "dialog/PresetNumbers.h"

#include "settings/NumberText.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsNumberChar(char c) { return IsDigit(c) || c == '.' || c == ',' || c == '-' || c == 'e' || c == 'E'; }

}  // namespace

size_t PresetNumberRun(const char* text, size_t length) {
    size_t run = 0;
    while (run < length && run < kPresetNumberMax && IsNumberChar(text[run])) ++run;
    return run;
}

size_t FormatPresetReal(float value, char* text) {
    // A float needs at most 47 characters, so the room always suffices.
    return FormatFixed(double(value), 6, text, kPresetRealTextSize);
}

uint8_t ParsePresetByte(const char* text, size_t length) {
    if (length > kPresetNumberMax) length = kPresetNumberMax;
    size_t at = 0;
    bool negative = false;
    if (at < length && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    // Only the low eight bits are kept, so the number is taken modulo 256 as it
    // is read: exact for any length, with no overflow on the way.
    unsigned value = 0;
    for (; at < length && IsDigit(text[at]); ++at) value = (value * 10 + unsigned(text[at] - '0')) & 0xFFu;
    if (negative) value = (256u - value) & 0xFFu;
    return uint8_t(value);
}
