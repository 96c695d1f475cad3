// The walkers accumulate positions and angles in float, one rounded
// addition per sample: x = fl(x + d). Samples that cannot ink the region
// still have to be stepped over exactly, and one by one that is most of a
// small region's render. Within one binade of x (and without a rounding
// tie) every addition adds the same rounded amount, so a stretch of steps
// is one multiplication: the result is bit for bit what the loop gives.
#pragma once

#include <cstdint>

constexpr uint64_t kEndless = uint64_t(1) << 62;

// How many additions fl(x + d), starting at x, are known to add exactly
// *delta each (0 when the next one is not: x at or near a binade's edge,
// zero, subnormal, not finite, or a rounding tie). *delta is fl(x + d) - x,
// and for k up to that count x + k *delta, computed in double and stored
// as float, is exactly x after k additions.
uint64_t UniformAdditions(float x, float d, float* delta);

// How many sums x + j delta (j = 1, 2, ...) stay below limit, for delta > 0
// (0 otherwise): the walker's further samples before its end.
uint64_t StepsBelow(float x, float delta, double limit);
