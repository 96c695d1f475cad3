#include "engine/WaveOffset.h"

#include "engine/DeterministicTrig.h"

float WaveOffset(RenderContext& c, float t, int kind, float A, float F, float P) {
    double arg = (F == 0.0f ? 0.0 : double(t) * double(F)) + double(P) * 3.141592653589793;
    float w = 0.0f;
    if (kind == 1) {
        w = float(DeterministicSin(arg) * double(A));
    } else if (kind == 2) {
        double s = DeterministicSin(arg);
        w = float(((s < 0 ? -s : s) - 0.5) * double(A));
    }
    return float(double(w) + double(LcgJitter(&c.rng)) * double(0.0005f) * double(c.setup.Nz));
}
