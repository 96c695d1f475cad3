// The spin edit's decisions: committing typed text and taking over the
// up-down arrows' position. The window shell applies the results.
#pragma once

#include <cstddef>
#include <cstdint>

struct TypedCommit {
    float value;  // clamped into [minimum, maximum]
    bool notify;  // differs from the old value at two decimals
};

// Typed text committed over `oldValue`: read like atof (no number reads 0),
// lowered to the maximum, raised to the minimum.
TypedCommit CommitTypedValue(float oldValue, const char* text, size_t length, float minimum, float maximum);

struct ArrowOutcome {
    bool setValue;  // take `value` over
    float value;
    bool notify;    // tell the owner
};

// WM_VSCROLL from the arrows: `code` is the low word, `position` the high
// word read as a signed 16-bit number. A thumb position takes the value
// over (and notifies when every step notifies); the end of an arrow action
// takes it over and notifies only when single steps do not.
ArrowOutcome ArrowScroll(int code, int16_t position, bool notifyEachStep);
