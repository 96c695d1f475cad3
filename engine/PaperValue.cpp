#include "engine/Compositor.h"
#include "engine/ExactScale.h"

uint32_t PaperValue(int cov, bool invert, bool is16) {
    uint32_t k8 = uint32_t(invert ? cov : 15 - cov) * 17u;
    return is16 ? TruncProduct(k8, kScale8To16) : k8;
}

uint32_t ScaleSample(uint32_t v, uint32_t k, bool is16) {
    if (is16) return uint32_t((uint64_t(v) * k) >> 15);
    return TruncProduct(uint64_t(v) * k, kScale255);
}
