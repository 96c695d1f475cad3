#include "engine/Lcg.h"

uint32_t LcgAdvance(uint32_t state, uint64_t n) {
    // Compose the affine step s -> a*s + c with itself by squaring:
    // (a1, c1) then (a2, c2) is (a2*a1, a2*c1 + c2), all modulo 2^32.
    uint32_t accMul = 1, accAdd = 0;
    uint32_t stepMul = kLcgMultiplier, stepAdd = kLcgIncrement;
    while (n) {
        if (n & 1) {
            accMul = accMul * stepMul;
            accAdd = accAdd * stepMul + stepAdd;
        }
        stepAdd = stepAdd * stepMul + stepAdd;
        stepMul = stepMul * stepMul;
        n >>= 1;
    }
    return state * accMul + accAdd;
}
