// 16-bit samples: files use 0..65535, the plug-in interface 0..32768. Both
// directions round to nearest, so interface -> file -> interface gives every
// interface value back exactly, and file -> interface -> file lands within
// one step of the original (the interface simply has half the levels).
#pragma once

#include <cstdint>

constexpr uint16_t kInterfaceMax16 = 32768;

// round(f * 32768 / 65535); no value of f falls on a half.
constexpr uint16_t FileToInterface16(uint16_t f) {
    return uint16_t((uint32_t(f) * 65536u + 65535u) / 131070u);
}

// round(i * 65535 / 32768), values above 32768 taken as 32768.
constexpr uint16_t InterfaceToFile16(uint16_t i) {
    const uint32_t v = i > kInterfaceMax16 ? kInterfaceMax16 : i;
    return uint16_t((v * 65535u + 16384u) / 32768u);
}
