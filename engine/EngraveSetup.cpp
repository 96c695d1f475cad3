#include "engine/EngraveSetup.h"

#include "engine/DeterministicTrig.h"
#include "engine/Truncate.h"

namespace {

float FiniteOr(float value, float fallback) { return IsFiniteValue(value) ? value : fallback; }

// Every derived value stays within this, so products of two of them are finite doubles.
constexpr double kValueLimit = 1e30;

float Stored(double value) { return float(ClampValue(value, -kValueLimit, kValueLimit)); }

float Limited(double value, double limit) { return float(ClampValue(value, -limit, limit)); }

// Centre settings beyond +-4500 per mille put the centre more than four
// image sizes away; the rings there are all but straight, and the number of
// samples would grow with the distance.
constexpr float kCenterLimit = 4500;
// Densification above 84 (5.6 times the samples) lies beyond the dialog's
// randomness range (at most 83.333336).
constexpr float kDensifyLimit = 84;
// Contrast gain: the dialog reaches 2.
constexpr double kContrastLimit = 1024;

}  // namespace

EngraveSettings SanitizedSettings(const EngraveSettings& settings) {
    static const EngraveSettings d = DefaultEngraveSettings();
    EngraveSettings p = settings;
    p.rotation = FiniteOr(p.rotation, d.rotation);
    p.space = FiniteOr(p.space, d.space);
    p.offset = FiniteOr(p.offset, d.offset);
    p.width = FiniteOr(p.width, d.width);
    p.contrast = FiniteOr(p.contrast, d.contrast);
    p.randomness = FiniteOr(p.randomness, d.randomness);
    p.amplitude = FiniteOr(p.amplitude, d.amplitude);
    p.frequency = FiniteOr(p.frequency, d.frequency);
    p.phaseShift = FiniteOr(p.phaseShift, d.phaseShift);
    p.threshold = FiniteOr(p.threshold, d.threshold);
    p.centerX = FiniteOr(p.centerX, d.centerX);
    p.centerY = FiniteOr(p.centerY, d.centerY);
    p.noise = FiniteOr(p.noise, d.noise);
    if (p.pattern >= kPatternKindCount) p.pattern = d.pattern;
    if (p.colorSchema >= kColorSchemaCount) p.colorSchema = kInitialColor;
    return p;
}

float DisplacementLimit(const LayoutFrame& frame) {
    float m = frame.rasterWidth > frame.rasterHeight ? frame.rasterWidth : frame.rasterHeight;
    return m > 256.0f ? m : 256.0f;
}

EngraveSetup ComputeEngraveSetup(const EngraveSettings& settings, const LayoutFrame& frame) {
    const EngraveSettings p = SanitizedSettings(settings);
    EngraveSetup s{};
    s.antialiased = p.noAntialias == 0;
    const double q = s.antialiased ? 1.0 : 0.25;
    s.q = float(q);
    const double limit = DisplacementLimit(frame);

    s.T = Stored(double(p.threshold) * double(0.04f) * q);
    s.Wd = Stored(double(p.width) * double(0.14285715f) * q);
    s.O = Stored(double(p.space) * double(p.offset) * double(-0.001f) * q);
    s.Rf = Limited(double(p.randomness) * double(0.083333336f) * q, limit);
    s.RfDensify = s.Rf > kDensifyLimit ? kDensifyLimit : s.Rf;
    s.A = Limited(double(p.amplitude) * double(0.1f) * q, limit);
    s.Fs = Stored(double(p.frequency) * double(0.0002f) * (s.antialiased ? 1.0 : 4.0));
    s.Fa = Stored(double(p.frequency) * double(0.1f));
    s.P = Stored(double(p.phaseShift) * double(0.001f));
    s.Kc = Limited(double(p.contrast) * double(0.002f), kContrastLimit);
    s.Nz = Limited(double(p.noise) * double(0.33333334f), 4.0 * limit);
    float space = Stored(double(p.space) * q);
    s.S = space < 1.0f ? 1.0f : space;

    // Any finite rotation is kept: |rotation| * pi/180 stays within the float range.
    s.theta = float(double(p.rotation) * 0.017453292519943295);
    s.cosTheta = float(DeterministicCos(s.theta));
    s.sinTheta = float(DeterministicSin(s.theta));

    // Centre: per mille of the image size from the image's middle, in the
    // frame's raster units.
    double centerX = ClampValue(p.centerX, -kCenterLimit, kCenterLimit);
    double centerY = ClampValue(p.centerY, -kCenterLimit, kCenterLimit);
    double cx = (centerX * double(0.001f) + 0.5) * double(frame.width) * 4.0;
    double cy = (centerY * double(0.001f) + 0.5) * double(frame.height) * 4.0;
    if (!s.antialiased) cx *= 0.25, cy *= 0.25;
    s.cx = Stored(cx);
    s.cy = Stored(cy);

    s.pattern = p.pattern;
    s.colorSchema = p.colorSchema;
    s.passes = p.colorSchema == kSplitColor ? 3 : 1;
    s.useCircles = p.useCircles != 0;
    s.invertIntensity = p.invertIntensity != 0;
    s.notBreak = p.notBreak != 0;
    s.invert = p.invert != 0;
    s.fillAlpha = p.fillAlpha != 0;
    return s;
}
