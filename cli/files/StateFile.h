// --state FILE keeps the module's parameters handle between runs, as a host
// session does: the handle's bytes behind a small header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A missing file is not an error: it means a first run (empty bytes).
bool ReadStateFile(const std::string& path, std::vector<uint8_t>* bytes, std::string* error);
bool WriteStateFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error);
