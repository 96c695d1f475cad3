// The angle dial's arithmetic: the direction of a point, turn counting
// while dragging, typed and stepped values, and where the marker goes.
// Angles are degrees, clockwise from straight up.
#pragma once

#include <cstddef>

// The dial's own constants (pi taken as 3.141592).
constexpr float kDegreesToRadians = 0.01745328888888889f;
constexpr float kRadiansToDegrees = 57.29579143313326f;

// Direction of client point (x, y) seen from centre (cx, cy), in [0, 360):
// up 0, right 90, down 180, left 270; a point level with the centre
// (the centre itself included) is 90 or 270.
float PointDirection(int x, int y, int cx, int cy);

struct RotorTurning {
    float value;              // turns * 360 + direction
    float turns;
    float direction;
    float previousDirection;
};

// A button press: the value jumps to the pressed direction in the current
// turn (a limited dial starts again at turn 0).
void RotorPress(RotorTurning& turning, float direction, bool limited);

// A drag step: crossing the top clockwise (from above 300 to below 90)
// counts a turn up, counter-clockwise a turn down.
void RotorDrag(RotorTurning& turning, float direction);

struct AngleRange {
    float minimum;
    float maximum;
    bool limited;  // only a limited dial clamps typed and stepped values
};

float ClampAngle(float value, const AngleRange& range);

// One whole step up (+1) or down (-1): truncate(value +- 1), clamped when
// limited.
float RotorStep(float value, int step, const AngleRange& range);

struct Point2 {
    int x;
    int y;
};

// Where the marker cross goes for `value` on a dial of client size w x h
// and circle radius r.
Point2 RotorMarker(float value, int width, int height, int radius);
