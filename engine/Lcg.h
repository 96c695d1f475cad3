// The engine's pseudo-random generator: a 32-bit linear congruential
// generator, reproduced exactly because every stroke's wobble depends on it.
// Seeded with 0 at the start of every render, so a render is repeatable.
//
// Draws can be deferred: a part of the engine that knows how many numbers
// a stretch of strokes would consume (without needing their values) calls
// Skip(n), and the generator jumps ahead in O(log n) before the next draw.
#pragma once

#include <cstdint>

struct Lcg {
    uint32_t state = 0;
    uint64_t pending = 0;  // draws owed before the next one that is used
};

constexpr uint32_t kLcgMultiplier = 214013u;
constexpr uint32_t kLcgIncrement = 2531011u;

inline void LcgSeed(Lcg* lcg, uint32_t seed) {
    lcg->state = seed;
    lcg->pending = 0;
}

// The state after n further steps.
uint32_t LcgAdvance(uint32_t state, uint64_t n);

inline void LcgSkip(Lcg* lcg, uint64_t n) { lcg->pending += n; }

// One draw, 0..32767.
inline int LcgNext(Lcg* lcg) {
    if (lcg->pending) {
        lcg->state = LcgAdvance(lcg->state, lcg->pending);
        lcg->pending = 0;
    }
    lcg->state = lcg->state * kLcgMultiplier + kLcgIncrement;
    return int((lcg->state >> 16) & 0x7FFF);
}

// The random term shared by waves and relief: rand() mod 1000 - 500, in -500..499.
inline int LcgJitter(Lcg* lcg) { return LcgNext(lcg) % 1000 - 500; }
