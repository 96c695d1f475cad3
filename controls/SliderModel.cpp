#include "controls/SliderModel.h"

#include "controls/ControlNumbers.h"

float ApplySliderMarks(float value, const SliderLimits& limits) {
    if (!limits.limited) return value;
    if (value < limits.lowerMark) value = limits.lowerMark;
    if (value > limits.upperMark) value = limits.upperMark;
    return value;
}

float SliderValueAt(int16_t x, int clientWidth, int margin, const SliderLimits& limits) {
    const int16_t span = int16_t(clientWidth - 2 * margin);
    const float range = limits.maximum - limits.minimum;
    float value = limits.minimum;
    if (span > 0 && range != 0.0f) {
        const int position = x - margin;
        value = FiniteOr(float(position) / (float(span) / range) + limits.minimum, limits.minimum);
    }
    return ApplySliderMarks(ClampToRange(value, limits.minimum, limits.maximum), limits);
}

int SliderThumbX(float value, float minimum, float maximum, int clientWidth, int margin) {
    const float range = maximum - minimum;
    if (range == 0.0f) return margin;
    const float x = (value - minimum) * (float(clientWidth - 2 * margin) / range) + (float(margin) + 0.5f);
    return TruncateToInt(FiniteOr(x, float(margin)));
}
