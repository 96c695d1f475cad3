// The flat slider's arithmetic: mouse x to value and value to thumb x.
// `margin` is the distance of both track ends from the client edges (5
// pixels at 96 DPI); the thumb's tip sits on the value's x.
#pragma once

#include <cstdint>

struct SliderLimits {
    float minimum;
    float maximum;
    float lowerMark;
    float upperMark;
    bool limited;  // also kept within [lowerMark, upperMark]
};

// A value raised to the lower mark and lowered to the upper mark when the
// slider is limited; unchanged otherwise.
float ApplySliderMarks(float value, const SliderLimits& limits);

// The value under client x (the signed 16-bit x of the mouse message). The
// span (width - 2 margins) is 16-bit arithmetic. A slider too narrow to
// have a span, or a range of no width, keeps the value at the minimum
// instead of dividing by zero.
float SliderValueAt(int16_t x, int clientWidth, int margin, const SliderLimits& limits);

// The thumb tip's x: truncate((value - min) * ((w - 2 margins) / (max - min))
// + margin + 0.5); the left track end where the range has no width.
int SliderThumbX(float value, float minimum, float maximum, int clientWidth, int margin);
