#include "controls/SpinModel.h"

#include "controls/ControlNumbers.h"

namespace {

const int kThumbPosition = 4;  // SB_THUMBPOSITION
const int kEndScroll = 8;      // SB_ENDSCROLL

}  // namespace

TypedCommit CommitTypedValue(float oldValue, const char* text, size_t length, float minimum, float maximum) {
    const float value = ClampToRange(ParseTypedValue(text, length), minimum, maximum);
    return {value, !SameAtTwoDecimals(oldValue, value)};
}

ArrowOutcome ArrowScroll(int code, int16_t position, bool notifyEachStep) {
    if (code == kThumbPosition) return {true, float(position), notifyEachStep};
    if (code == kEndScroll && !notifyEachStep) return {true, float(position), true};
    return {false, 0.0f, false};
}
