#include "controls/ControlNumbers.h"

#include <cmath>
#include <cstdio>

#include "settings/NumberText.h"

int32_t TruncateToInt(float value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483648.0f) return INT32_MAX;
    if (value <= -2147483648.0f) return INT32_MIN;
    return int32_t(value);
}

float ParseTypedValue(const char* text, size_t length) {
    const double number = ParseNumberPrefix(text, length);
    if (!std::isfinite(number)) return 0.0f;
    return FiniteOr(float(number), 0.0f);  // beyond the float range: infinite as a float
}

float FiniteOr(float value, float fallback) { return std::isfinite(value) ? value : fallback; }

bool SameAtTwoDecimals(float a, float b) {
    return TruncateToInt(a * 100.0f + 0.5f) == TruncateToInt(b * 100.0f + 0.5f);
}

float ClampToRange(float value, float minimum, float maximum) {
    if (value > maximum) value = maximum;
    if (value < minimum) value = minimum;
    return value;
}

void FormatValueText(float value, bool integerMode, char* text, size_t size) {
    if (size == 0) return;
    if (integerMode) {
        std::snprintf(text, size, "%ld", long(TruncateToInt(value)));
    } else {
        FormatFixed(double(value), 2, text, size);
    }
}

uint16_t UpDownWord(float value) { return uint16_t(uint32_t(TruncateToInt(value))); }
