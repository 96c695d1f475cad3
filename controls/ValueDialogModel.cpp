#include "controls/ValueDialogModel.h"

#include "controls/ControlNumbers.h"

float WorkingValue(const ValueWorkingCopy& copy, ValueField field) {
    switch (field) {
        case ValueField::Value1: return copy.value1;
        case ValueField::Value2: return copy.value2;
        case ValueField::Minimum: return copy.minimum;
        case ValueField::Maximum: return copy.maximum;
    }
    return 0.0f;
}

FieldOutcome LeaveValueField(ValueWorkingCopy& copy, ValueField field, const char* text, size_t length) {
    const float typed = ParseTypedValue(text, length);
    float kept = copy.integerMode ? float(TruncateToInt(typed)) : typed;
    FieldOutcome outcome = {false, typed == 0.0f || kept != typed};
    switch (field) {
        case ValueField::Minimum:
            // Compared as it would be kept: in integer mode -0.5 below a
            // maximum of 0 would still make an empty range.
            if (kept >= copy.maximum) return {true, true};
            copy.minimum = kept;
            break;
        case ValueField::Maximum:
            if (kept <= copy.minimum) return {true, true};
            copy.maximum = kept;
            break;
        case ValueField::Value1:
            if (copy.clampValue1) {
                const float clamped = ClampToRange(kept, copy.minimum, copy.maximum);
                outcome.rewrite = outcome.rewrite || clamped != kept;
                kept = clamped;
            }
            copy.value1 = kept;
            break;
        case ValueField::Value2:
            copy.value2 = kept;
            break;
    }
    return outcome;
}
