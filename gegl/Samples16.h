// GEGL's 16-bit samples run 0..65535, the engine's 0..32768. Both
// directions round exactly as the lumeric command does for 16-bit files,
// so that the operation and the command give identical engravings.
#pragma once

#include <cstdint>

constexpr uint16_t kEngineMax16 = 32768;

// round(v * 32768 / 65535); no value falls on a half.
constexpr uint16_t ToEngine16(uint16_t v) { return uint16_t((uint32_t(v) * 65536u + 65535u) / 131070u); }

// round(e * 65535 / 32768), values above 32768 taken as 32768.
constexpr uint16_t FromEngine16(uint16_t e) {
    const uint32_t v = e > kEngineMax16 ? kEngineMax16 : e;
    return uint16_t((v * 65535u + 16384u) / 32768u);
}
