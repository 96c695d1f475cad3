// Little-endian reads from a resource's bytes, which come from a file
// someone else may have written: every read is bounds-checked. A read past
// the end yields zero and clears `ok`, so parsers read a whole record and
// check once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

inline uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

struct ResourceCursor {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
    bool ok = true;

    ResourceCursor(const uint8_t* d, size_t s) : data(d), size(s) { ok = d != nullptr || s == 0; }

    size_t Remaining() const { return ok ? size - pos : 0; }
    void Seek(size_t to) {
        if (to > size) ok = false;
        if (ok) pos = to;
    }
    bool Take(size_t count) {
        if (!ok || count > size - pos) return ok = false;
        pos += count;
        return true;
    }
    uint8_t U8() { return Take(1) ? data[pos - 1] : 0; }
    uint16_t U16() { return Take(2) ? Le16(data + pos - 2) : 0; }
    uint32_t U32() { return Take(4) ? Le32(data + pos - 4) : 0; }
    int16_t I16() { return int16_t(U16()); }
    int32_t I32() { return int32_t(U32()); }
    std::string Bytes(size_t count) {
        if (!Take(count)) return std::string();
        return std::string(reinterpret_cast<const char*>(data + pos - count), count);
    }
    std::string Pascal() { return Bytes(U8()); }
    // A non-negative int16 count, else the cursor fails.
    size_t Count16() {
        const int16_t count = I16();
        if (count < 0) ok = false;
        return ok ? size_t(count) : 0;
    }
};
