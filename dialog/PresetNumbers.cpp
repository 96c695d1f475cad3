#include "dialog/PresetNumbers.h"

#include <charconv>
#include <cmath>

// std::to_chars and std::from_chars are the C locale's printf and strtod by
// definition, whatever setlocale the host or the command has made.

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsNumberChar(char c) { return IsDigit(c) || c == '.' || c == ',' || c == '-' || c == 'e' || c == 'E'; }

size_t SkipDigits(const char* text, size_t at, size_t length) {
    while (at < length && IsDigit(text[at])) ++at;
    return at;
}

}  // namespace

size_t PresetNumberRun(const char* text, size_t length) {
    size_t run = 0;
    while (run < length && run < kPresetNumberMax && IsNumberChar(text[run])) ++run;
    return run;
}

size_t FormatPresetReal(float value, char* text) {
    std::to_chars_result result =
        std::to_chars(text, text + kPresetRealTextSize - 1, double(value), std::chars_format::fixed, 6);
    // A float needs at most 47 characters, so the room always suffices.
    *result.ptr = '\0';
    return size_t(result.ptr - text);
}

double ParsePresetReal(const char* text, size_t length) {
    if (length > kPresetNumberMax) length = kPresetNumberMax;
    // Find the longest prefix of the form [+-]digits[.digits][(e|E)[+-]digits]
    // first: from_chars alone would take no leading '+', and the prefix tells
    // overflow from underflow below.
    size_t at = 0;
    bool negative = false;
    if (at < length && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    size_t mantissa = at;
    at = SkipDigits(text, at, length);
    size_t digits = at - mantissa;
    if (at < length && text[at] == '.') {
        size_t fraction = at + 1;
        at = SkipDigits(text, fraction, length);
        digits += at - fraction;
    }
    if (digits == 0) return 0.0;
    bool negativeExponent = false;
    if (at < length && (text[at] == 'e' || text[at] == 'E')) {
        size_t sign = at + 1;
        size_t exponent = sign;
        if (exponent < length && (text[exponent] == '-' || text[exponent] == '+')) ++exponent;
        size_t end = SkipDigits(text, exponent, length);
        if (end > exponent) {
            negativeExponent = text[sign] == '-';
            at = end;
        }
    }
    // from_chars accepts "1e+5" but not the leading '+'; parse the magnitude.
    double value = 0.0;
    std::from_chars_result result = std::from_chars(text + mantissa, text + at, value);
    if (result.ec == std::errc::result_out_of_range) {
        // At most 64 characters: the mantissa lies within 1e-64..1e64, so only
        // the exponent's sign can put the value beyond the double range.
        value = negativeExponent ? 0.0 : HUGE_VAL;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
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
