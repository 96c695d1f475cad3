// The "Set value" dialog's rules on its working copies, apart from any
// window: what leaving one of its number fields keeps, refuses or clamps,
// and whether the field is rewritten.
#pragma once

#include <cstddef>

enum class ValueField { Value1, Value2, Minimum, Maximum };

struct ValueWorkingCopy {
    float value1;
    float value2;
    float minimum;
    float maximum;
    bool integerMode;    // values kept and shown truncated
    bool clampValue1;    // new value 1 is kept within [minimum, maximum]
};

struct FieldOutcome {
    bool beep;     // refused: the old working value stays
    bool rewrite;  // the field's text is replaced by the working value
};

// Leaving `field` with `text` typed in it. A minimum not below the working
// maximum, or a maximum not above the working minimum, is refused with a
// beep. New value 1 is clamped silently when the control asks for it. Text
// reading exactly 0 (no number included) is rewritten formatted, and in
// integer mode a typed fraction is truncated and rewritten.
FieldOutcome LeaveValueField(ValueWorkingCopy& copy, ValueField field, const char* text, size_t length);

float WorkingValue(const ValueWorkingCopy& copy, ValueField field);
