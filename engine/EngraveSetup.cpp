#include "engine/EngraveSetup.h"

#include "engine/DeterministicTrig.h"
#include "engine/Truncate.h"

namespace {

// The defaults of the parameter record, for settings that are not numbers.
constexpr float kDefaultRotation = 30, kDefaultSpace = 20, kDefaultOffset = 0, kDefaultWidth = 100,
                kDefaultContrast = 0, kDefaultRandomness = 0, kDefaultAmplitude = 100, kDefaultFrequency = 100,
                kDefaultPhaseShift = 0, kDefaultThreshold = 0, kDefaultCenter = 0, kDefaultNoise = 0;
constexpr int kDefaultPattern = kWaves1;

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

EngraveParams SanitizedSettings(const EngraveParams& params) {
    EngraveParams p = params;
    p.rotation = FiniteOr(p.rotation, kDefaultRotation);
    p.space = FiniteOr(p.space, kDefaultSpace);
    p.offset = FiniteOr(p.offset, kDefaultOffset);
    p.width = FiniteOr(p.width, kDefaultWidth);
    p.contrast = FiniteOr(p.contrast, kDefaultContrast);
    p.randomness = FiniteOr(p.randomness, kDefaultRandomness);
    p.amplitude = FiniteOr(p.amplitude, kDefaultAmplitude);
    p.frequency = FiniteOr(p.frequency, kDefaultFrequency);
    p.phaseShift = FiniteOr(p.phaseShift, kDefaultPhaseShift);
    p.threshold = FiniteOr(p.threshold, kDefaultThreshold);
    p.centerX = FiniteOr(p.centerX, kDefaultCenter);
    p.centerY = FiniteOr(p.centerY, kDefaultCenter);
    p.noise = FiniteOr(p.noise, kDefaultNoise);
    if (p.pattern >= kPatternKindCount) p.pattern = kDefaultPattern;
    if (p.colorSchema >= kColorSchemaCount) p.colorSchema = kInitialColor;
    return p;
}

float DisplacementLimit(const LayoutFrame& frame) {
    float m = frame.rasterWidth > frame.rasterHeight ? frame.rasterWidth : frame.rasterHeight;
    return m > 256.0f ? m : 256.0f;
}

EngraveSetup ComputeEngraveSetup(const EngraveParams& params, const LayoutFrame& frame) {
    const EngraveParams p = SanitizedSettings(params);
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

    // Centre: per mille of the image size from the image's middle, then into
    // the frame (whose origin is the region's corner in the preview).
    double centerX = ClampValue(p.centerX, -kCenterLimit, kCenterLimit);
    double centerY = ClampValue(p.centerY, -kCenterLimit, kCenterLimit);
    double cx = (centerX * double(0.001f) + 0.5) * double(frame.imageWidth) * 4.0 - double(frame.originX) * 4.0;
    double cy = (centerY * double(0.001f) + 0.5) * double(frame.imageHeight) * 4.0 - double(frame.originY) * 4.0;
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
