// Builds small, valid PE files in memory for the reader's tests: two
// sections (.edata with the export table, .rsrc with a sorted resource
// directory), PE32 or PE32+. The offsets of the interesting structures are
// returned so tests can corrupt them on purpose.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/session/PeResources.h"

struct TestResource {
    ResourceKey type;
    ResourceKey name;
    uint16_t language = 0x0409;
    std::vector<uint8_t> data;
};

struct TestPeContents {
    bool pe32Plus = true;
    uint16_t machine = 0x8664;
    std::string moduleName = "test.8bf";
    std::vector<std::string> exports;
    std::vector<TestResource> resources;
};

struct TestPe {
    std::vector<uint8_t> bytes;
    size_t peHeaderAt = 0;        // "PE\0\0"
    size_t optionalHeaderAt = 0;
    size_t sectionTableAt = 0;
    size_t exportDirectoryAt = 0;  // file offset of the export directory
    size_t resourceRootAt = 0;     // file offset of the root resource directory
    uint32_t resourceRva = 0;
    size_t dataEntriesAt = 0;      // first IMAGE_RESOURCE_DATA_ENTRY, in resource order
};

TestPe BuildTestPe(const TestPeContents& contents);

// Little-endian writes into an existing buffer (for corrupting).
void Put16(std::vector<uint8_t>& bytes, size_t at, uint16_t value);
void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value);
uint32_t Get32(const std::vector<uint8_t>& bytes, size_t at);
