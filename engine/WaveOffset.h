// Wave displacement of a stroke sample, with the noise jitter added. Draws
// one random number on every call, also when the result is 0.
#pragma once

#include "engine/RenderContext.h"

// kind 1: sin(arg) * A; kind 2: (|sin(arg)| - 0.5) * A; other kinds 0;
// arg = t * F (0 when F = 0) + P * pi.
float WaveOffset(RenderContext& c, float t, int kind, float A, float F, float P);

// The two halves of WaveOffset, for walkers that compute the sines of
// several samples ahead (their chains then overlap): arg, and the offset
// from sin(arg) with the random draw.
double WaveArgument(float t, float F, float P);
float WaveOffsetFromSine(RenderContext& c, double sine, int kind, float A);
