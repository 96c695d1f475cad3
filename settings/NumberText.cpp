#include "settings/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstring>

// std::from_chars and std::to_chars are the C locale's strtod and printf by
// definition, whatever setlocale the host or the command has made.

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

size_t SkipDigits(const char* text, size_t at, size_t length) {
    while (at < length && IsDigit(text[at])) ++at;
    return at;
}

// True when the characters at `at` spell `word` (lower case) in any case.
bool Spells(const char* text, size_t at, size_t length, const char* word) {
    const size_t n = std::strlen(word);
    if (length - at < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (Lower(text[at + i]) != word[i]) return false;
    return true;
}

// Power of ten of the first non-zero digit of digits[.digits], before any
// exponent: "120.5" is 2, "0.003" is -3.
long DecimalExponent(const char* text, size_t from, size_t to) {
    size_t at = from;
    while (at < to && text[at] == '0') ++at;
    const size_t end = SkipDigits(text, at, to);
    if (end > at) return long(end - at) - 1;
    if (at < to && text[at] == '.') ++at;
    long zeros = 0;
    while (at < to && text[at] == '0') ++at, ++zeros;
    return -zeros - 1;
}

}  // namespace

double ParseNumberPrefix(const char* text, size_t length, size_t* used) {
    if (used) *used = 0;
    size_t at = 0;
    while (at < length && IsSpace(text[at])) ++at;
    bool negative = false;
    if (at < length && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';

    if (Spells(text, at, length, "inf")) {
        at += Spells(text, at, length, "infinity") ? 8 : 3;
        if (used) *used = at;
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    if (Spells(text, at, length, "nan")) {
        if (used) *used = at + 3;
        return negative ? -NAN : NAN;
    }

    // The longest prefix of the form digits[.digits][(e|E)[+-]digits].
    const size_t mantissa = at;
    at = SkipDigits(text, at, length);
    size_t digits = at - mantissa;
    if (at < length && text[at] == '.') {
        const size_t fraction = at + 1;
        at = SkipDigits(text, fraction, length);
        digits += at - fraction;
    }
    if (digits == 0) return 0.0;
    long exponentValue = 0;  // saturated: only its sign and rough size matter
    if (at < length && (text[at] == 'e' || text[at] == 'E')) {
        size_t exponent = at + 1;
        const bool negativeExponent = exponent < length && text[exponent] == '-';
        if (exponent < length && (text[exponent] == '-' || text[exponent] == '+')) ++exponent;
        const size_t end = SkipDigits(text, exponent, length);
        if (end > exponent) {
            for (size_t i = exponent; i < end && exponentValue < 100000; ++i)
                exponentValue = exponentValue * 10 + (text[i] - '0');
            if (negativeExponent) exponentValue = -exponentValue;
            at = end;
        }
    }
    double value = 0.0;
    const std::from_chars_result result = std::from_chars(text + mantissa, text + at, value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone there; strtod gives infinity on
        // overflow and zero on underflow. The decimal exponent of the first
        // significant digit tells which.
        value = DecimalExponent(text, mantissa, at) + exponentValue > 0 ? HUGE_VAL : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    if (used) *used = at;
    return negative ? -value : value;
}

size_t FormatFixed(double value, int decimals, char* text, size_t size) {
    // Room for any double in fixed notation: 309 integer digits, sign, point.
    char buffer[400];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    const size_t length = result.ec == std::errc() ? size_t(result.ptr - buffer) : 0;
    if (size > 0) {
        const size_t copied = length < size - 1 ? length : size - 1;
        std::memcpy(text, buffer, copied);
        text[copied] = '\0';
    }
    return length;
}
