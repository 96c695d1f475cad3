// Four-character codes: the names of scripting keys, preset lines and host
// properties. Stored as hosts compare them, first character in the most
// significant byte ('8BIM' == 0x3842494D).
#pragma once

#include <cstdint>

typedef uint32_t OSType;

constexpr OSType FourCC(const char (&s)[5]) {
    return (OSType(uint8_t(s[0])) << 24) | (OSType(uint8_t(s[1])) << 16) | (OSType(uint8_t(s[2])) << 8) |
           OSType(uint8_t(s[3]));
}
