// Numbers as the value controls keep, compare, read and show them: single
// precision, truncation toward zero, typed text read like atof but never
// producing a value that is not finite.
#pragma once

#include <cstddef>
#include <cstdint>

// Toward zero, saturated at the 32-bit range; NaN gives 0. A value typed as
// 1e30 must become a number a window message can carry, not undefined
// behaviour.
int32_t TruncateToInt(float value);

// Typed text as a value: atof semantics on at most `length` characters
// (text that is no number reads 0). Text that reads as NaN or infinity, or
// beyond the float range ("nan", "inf", "1e999", "1e300"), also reads 0, so
// nothing that is not finite reaches a control's record.
float ParseTypedValue(const char* text, size_t length);

// `value` when finite, else `fallback`.
float FiniteOr(float value, float fallback);

// The controls' "changed" test: equal when shown with two decimals, that is
// truncate(a * 100 + 0.5) == truncate(b * 100 + 0.5) in single precision.
bool SameAtTwoDecimals(float a, float b);

// Lowered to the maximum when above, then raised to the minimum when below.
float ClampToRange(float value, float minimum, float maximum);

// "%0.2f" (with '.' whatever the locale) or, in integer mode, the value
// truncated toward zero in decimal.
void FormatValueText(float value, bool integerMode, char* text, size_t size);

// The up-down control's 16-bit word for a value: truncated, low 16 bits.
uint16_t UpDownWord(float value);
