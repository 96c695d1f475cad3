#include "engine/WaveOffset.h"

#include "engine/DeterministicTrig.h"

double WaveArgument(float t, float F, float P) {
    return (F == 0.0f ? 0.0 : double(t) * double(F)) + double(P) * 3.141592653589793;
}

float WaveOffsetFromSine(RenderContext& c, double sine, int kind, float A) {
    float w = 0.0f;
    if (kind == 1) {
        w = float(sine * double(A));
    } else if (kind == 2) {
        w = float(((sine < 0 ? -sine : sine) - 0.5) * double(A));
    }
    if (c.fast && c.setup.Nz == 0.0f) {
        // Without noise the draw adds a zero (w + 0 is w; the walkers treat
        // a zero of either sign as no offset): the number is only counted.
        LcgSkip(&c.rng, 1);
        return w;
    }
    return float(double(w) + double(LcgJitter(&c.rng)) * double(0.0005f) * double(c.setup.Nz));
}

float WaveOffset(RenderContext& c, float t, int kind, float A, float F, float P) {
    return WaveOffsetFromSine(c, kind == 1 || kind == 2 ? DeterministicSin(WaveArgument(t, F, P)) : 0.0, kind, A);
}
