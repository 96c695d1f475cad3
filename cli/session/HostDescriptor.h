// The host's scripting descriptors: an ordered list of keys with typed
// values, handed to the module as a handle through the read and write
// descriptor procedures (18 and 16 of them).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/PluginInterface.h"

struct DescriptorItem {
    DescriptorKeyID key = 0;
    DescriptorTypeID type = 0;  // typeUnitFloat, typeFloat, typeBoolean, typeInteger
    DescriptorUnitID unit = 0;  // unit floats only
    double number = 0;          // floats; integers and booleans as whole numbers
};

struct Descriptor {
    std::vector<DescriptorItem> items;
    const DescriptorItem* Find(DescriptorKeyID key) const;
    void Set(const DescriptorItem& item);  // replaces the key's item or appends
};

const ReadDescriptorProcs* HostReadDescriptorProcs();
const WriteDescriptorProcs* HostWriteDescriptorProcs();

// A descriptor handle owns a copy of the descriptor until it is disposed
// (through the handle procedures, like any host handle).
Handle NewDescriptorHandle(const Descriptor& descriptor);
bool DescriptorFromHandle(Handle handle, Descriptor* descriptor);

// Four-character codes as text ("Angl") and back.
std::string FourCCText(uint32_t code);
bool ParseFourCC(const std::string& text, uint32_t* code);
