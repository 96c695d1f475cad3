// --state FILE keeps the module's parameters handle between runs, as a host
// session does: the handle's bytes behind a small header, then the
// resources the module added to the document (a second format, written only
// when there are any, so files of modules without resources stay as they were).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct StateResource {
    uint32_t type;  // four-char code
    std::vector<uint8_t> bytes;
};

// A missing file is not an error: it means a first run (empty bytes).
bool ReadStateFile(const std::string& path, std::vector<uint8_t>* bytes, std::vector<StateResource>* resources,
                   std::string* error);
bool WriteStateFile(const std::string& path, const std::vector<uint8_t>& bytes,
                    const std::vector<StateResource>& resources, std::string* error);
