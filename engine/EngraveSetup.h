// The engine's working values, derived once per render from the settings
// (user units: quarter pixels, per-mille, degrees) and the layout frame.
//
// Arithmetic: every formula is evaluated in double precision from its
// single-precision inputs and constants, and rounded to single precision
// where the value is stored (all values here are floats). Constants written
// with float digits (0.04, 0.14285715, ...) are used as the float they
// denote; the few given to double precision (pi, 2*pi, 1/(2*pi), pi/180)
// are doubles.
//
// Settings arrive unvalidated. Non-finite settings count as their defaults;
// every value is then limited so that no conversion overflows and the work
// stays proportional to the frame. The limits lie outside what the
// dialog's ranges can produce, so they never change an in-range render.
#pragma once

#include <cstdint>

#include "engine/LayoutFrame.h"
#include "settings/EngraveSettings.h"

struct EngraveSetup {
    bool antialiased;
    float q;   // 1 antialiased, 0.25 direct
    float T;   // threshold term, added to the maximum stroke width
    float Wd;  // width term
    float O;   // offset term: shift of the first stroke
    float Rf;  // relief factor
    float RfDensify;  // Rf as densification reads it (limited to 84)
    float A;   // wave amplitude
    float Fs;  // wave frequency per raster unit of path
    float Fa;  // wave frequency per radian
    float P;   // wave phase, half turns
    float Kc;  // contrast factor
    float Nz;  // noise amount
    float S;   // stroke spacing, at least 1
    float theta, cosTheta, sinTheta;
    float cx, cy;  // pattern centre in frame raster units
    int pattern;      // 0..12 (unknown values fall back to the default, 1)
    int colorSchema;  // 0..2 (unknown values behave as 0, "Initial color")
    int passes;       // 3 for "Split color", else 1
    bool useCircles, invertIntensity, notBreak, invert, fillAlpha;
};

// The settings with non-finite floats replaced by their defaults.
EngraveSettings SanitizedSettings(const EngraveSettings& settings);

EngraveSetup ComputeEngraveSetup(const EngraveSettings& settings, const LayoutFrame& frame);

// Limits that depend on the frame's size (raster units): amplitude and
// relief factor at most max(RW, RH, 256), noise at most four times that.
float DisplacementLimit(const LayoutFrame& frame);
