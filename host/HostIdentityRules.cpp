#include <cstring>

#include "host/HostIdentity.h"

namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// Reads a zero-terminated UTF-16LE string at `pos`; non-ASCII becomes '?'.
std::string ReadUtf16(const uint8_t* data, size_t size, size_t pos) {
    std::string out;
    for (; pos + 1 < size; pos += 2) {
        uint16_t unit = uint16_t(data[pos] | (data[pos + 1] << 8));
        if (unit == 0) break;
        out.push_back(unit < 0x80 ? char(unit) : '?');
    }
    return out;
}

}  // namespace

bool InternalNameIsPremiere(const char* internalName) {
    static const char kPrefix[] = "Adobe Premiere";
    if (!internalName) return false;
    for (size_t i = 0; kPrefix[i]; ++i)
        if (UpperAscii(internalName[i]) != UpperAscii(kPrefix[i])) return false;
    return true;
}

bool FindInternalNameInRawVersion(const uint8_t* data, size_t size, std::string* name) {
    static const char kKey[] = "InternalName";
    const size_t keyLength = sizeof kKey - 1;
    if (!data) return false;
    // Unicode version resources: the key, its terminator, padding to 32 bits.
    for (size_t pos = 0; pos + 2 * keyLength + 2 <= size; pos += 2) {
        bool match = true;
        for (size_t i = 0; i < keyLength && match; ++i)
            match = data[pos + 2 * i] == uint8_t(kKey[i]) && data[pos + 2 * i + 1] == 0;
        if (!match) continue;
        size_t value = pos + 2 * keyLength + 2;
        while (value + 1 < size && data[value] == 0 && data[value + 1] == 0) value += 2;
        *name = ReadUtf16(data, size, value);
        return true;
    }
    // 8-bit version resources of 16-bit era files.
    for (size_t pos = 0; pos + keyLength < size; ++pos) {
        if (std::memcmp(data + pos, kKey, keyLength) != 0) continue;
        size_t value = pos + keyLength;
        while (value < size && data[value] == 0) ++value;
        name->clear();
        while (value < size && data[value]) name->push_back(char(data[value++]));
        return true;
    }
    return false;
}
