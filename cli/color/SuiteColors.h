// Colours of the colour space suite (four samples: RGB in 1..3, CMYK in
// 0..3 inverted, full scale = no ink; 8-bit 0..255, 16-bit 0..32768) to and
// from the 16-bit words colour engines take (0..65535, CMYK as ink). The
// same scaling as the Linux engine's (cli/image/SampleScale.h). Portable.
#pragma once

#include <cstdint>

#include "cli/image/SampleScale.h"

inline uint16_t WordFrom8(uint8_t value) { return uint16_t(value * 257u); }
inline uint16_t InkWordFrom8(uint8_t value) { return uint16_t((255u - value) * 257u); }
inline uint8_t ValueFromWord8(uint16_t word) { return uint8_t((word + 128u) / 257u); }
inline uint8_t ValueFromInkWord8(uint16_t word) { return uint8_t(255u - (word + 128u) / 257u); }

inline uint16_t WordFrom16(uint16_t value) { return InterfaceToFile16(value); }
inline uint16_t InkWordFrom16(uint16_t value) {
    return InterfaceToFile16(uint16_t(kInterfaceMax16 - (value > kInterfaceMax16 ? kInterfaceMax16 : value)));
}
inline uint16_t ValueFromWord16(uint16_t word) { return FileToInterface16(word); }
inline uint16_t ValueFromInkWord16(uint16_t word) { return uint16_t(kInterfaceMax16 - FileToInterface16(word)); }

// Without any CMYK profile: the plain formulas, on words (0..65535, ink).
// K takes the common part of the three inks, C, M and Y what is left.
void PlainRgbToCmyk(const uint16_t rgb[3], uint16_t cmyk[4]);
void PlainCmykToRgb(const uint16_t cmyk[4], uint16_t rgb[3]);

// Black point compensation for a colour engine without it, in light
// (sRGB's curve undone): `black` is the light of the darkest colour the
// inks reach, seen as RGB (one channel). Towards the inks, RGB black
// becomes that black; from the inks, that black becomes RGB black. White
// stays white both ways.
double WordToLight(uint16_t word);
uint16_t LightToWord(double light);
uint16_t CompensateTowardsInk(uint16_t word, double black);
uint16_t CompensateFromInk(uint16_t word, double black);
