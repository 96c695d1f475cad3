// The plug-in property list (PiPL) of a filter module: what a host reads
// before loading it (kind, menu name, category, the entry point for its own
// machine). Parses the resource's bytes in their Windows form; the input is
// outside data, so a malformed list yields `false` with a reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct PiplProperty {
    uint32_t vendor = 0;
    uint32_t key = 0;
    int32_t id = 0;
    std::vector<uint8_t> data;  // the declared length, padding included when declared
};

struct Pipl {
    int32_t version = 0;
    std::vector<PiplProperty> properties;
};

// int16 prelude 1, version, count, properties.
bool ParsePipl(const uint8_t* bytes, size_t size, Pipl& pipl, std::string* error = nullptr);
const PiplProperty* FindPiplProperty(const Pipl& pipl, uint32_t key);
std::string PiplCString(const PiplProperty& property);       // up to the first NUL
std::string PiplPascalString(const PiplProperty& property);  // length byte, then text

// Machine codes of a module file's PE header.
constexpr uint16_t kMachineI386 = 0x014C;
constexpr uint16_t kMachineX86_64 = 0x8664;

// The PiPL key naming the entry point a process of `machine` calls:
// '8664' for x86-64, 'wx86' for i386, 0 for anything else.
uint32_t EntryPointKeyFor(uint16_t machine);
