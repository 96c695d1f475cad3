#include "cli/files/StateFile.h"

#include <cstring>

#include "cli/files/SafeOutput.h"

namespace {
constexpr char kMagic[8] = {'L', 'u', 'm', 'S', 't', 'a', 't', '1'};
constexpr size_t kMaxHandle = 1 << 20;
}  // namespace

bool ReadStateFile(const std::string& path, std::vector<uint8_t>* bytes, std::string* error) {
    bytes->clear();
    if (!PathExists(path)) return true;
    std::string data;
    if (!ReadWholeFile(path, &data, error, kMaxHandle + 16)) return false;
    uint32_t size = 0;
    if (data.size() < 12 || std::memcmp(data.data(), kMagic, 8) != 0) {
        *error = "not a lumeric state file";
        return false;
    }
    std::memcpy(&size, data.data() + 8, 4);
    if (size > kMaxHandle || data.size() != 12 + size_t(size)) {
        *error = "damaged state file (wrong length)";
        return false;
    }
    bytes->assign(data.begin() + 12, data.end());
    return true;
}

bool WriteStateFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error) {
    std::string data(kMagic, 8);
    const uint32_t size = uint32_t(bytes.size());
    data.append(reinterpret_cast<const char*>(&size), 4);
    data.append(bytes.begin(), bytes.end());
    return WriteFileSafely(path, data, true, error);
}
