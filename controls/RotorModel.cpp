#include "controls/RotorModel.h"

#include <cmath>

#include "controls/ControlNumbers.h"

float PointDirection(int x, int y, int cx, int cy) {
    if (y == cy) return x >= cx ? 90.0f : 270.0f;
    float direction = -std::atan(float(x - cx) / float(y - cy)) * kRadiansToDegrees;
    if (y > cy) {
        direction += 180.0f;
    } else if (x < cx) {
        direction += 360.0f;
    }
    // A float just below 360 can round up to it; the range is [0, 360).
    return direction >= 360.0f ? 0.0f : direction;
}

void RotorPress(RotorTurning& turning, float direction, bool limited) {
    if (limited) turning.turns = 0.0f;
    turning.direction = direction;
    turning.value = turning.turns * 360.0f + direction;
}

void RotorDrag(RotorTurning& turning, float direction) {
    turning.previousDirection = turning.direction;
    turning.direction = direction;
    if (turning.previousDirection > 300.0f && direction < 90.0f) turning.turns += 1.0f;
    if (turning.previousDirection < 90.0f && direction > 300.0f) turning.turns -= 1.0f;
    turning.value = turning.turns * 360.0f + direction;
}

float ClampAngle(float value, const AngleRange& range) {
    return range.limited ? ClampToRange(value, range.minimum, range.maximum) : value;
}

float RotorStep(float value, int step, const AngleRange& range) {
    return ClampAngle(float(TruncateToInt(value + float(step))), range);
}

Point2 RotorMarker(float value, int width, int height, int radius) {
    const float angle = (180.0f - value) * kDegreesToRadians;
    return {TruncateToInt(std::sin(angle) * float(radius) + float(width / 2)),
            TruncateToInt(std::cos(angle) * float(radius) + float(height / 2))};
}
