#include "cli/files/StateFile.h"

#include <cstring>

#include "cli/files/SafeOutput.h"

namespace {
constexpr char kMagic[8] = {'L', 'u', 'm', 'S', 't', 'a', 't', '1'};
constexpr char kMagicWithResources[8] = {'L', 'u', 'm', 'S', 't', 'a', 't', '2'};
constexpr size_t kMaxHandle = 1 << 20;
constexpr size_t kMaxResources = 256;
constexpr size_t kMaxFile = kMaxHandle * 2 + 16;

// Reads a 32-bit length and that many bytes at *at, refusing what overruns.
bool TakeBlock(const std::string& data, size_t* at, std::vector<uint8_t>* out) {
    uint32_t size = 0;
    if (data.size() - *at < 4) return false;
    std::memcpy(&size, data.data() + *at, 4);
    *at += 4;
    if (size > kMaxHandle || data.size() - *at < size) return false;
    out->assign(data.begin() + long(*at), data.begin() + long(*at + size));
    *at += size;
    return true;
}

void PutBlock(const std::vector<uint8_t>& bytes, std::string* data) {
    const uint32_t size = uint32_t(bytes.size());
    data->append(reinterpret_cast<const char*>(&size), 4);
    data->append(bytes.begin(), bytes.end());
}

bool ReadResources(const std::string& data, size_t at, std::vector<StateResource>* resources) {
    uint32_t count = 0;
    if (data.size() - at < 4) return false;
    std::memcpy(&count, data.data() + at, 4);
    at += 4;
    if (count > kMaxResources) return false;
    for (uint32_t i = 0; i < count; ++i) {
        StateResource resource{};
        if (data.size() - at < 4) return false;
        std::memcpy(&resource.type, data.data() + at, 4);
        at += 4;
        if (!TakeBlock(data, &at, &resource.bytes)) return false;
        resources->push_back(std::move(resource));
    }
    return at == data.size();
}

}  // namespace

bool ReadStateFile(const std::string& path, std::vector<uint8_t>* bytes, std::vector<StateResource>* resources,
                   std::string* error) {
    bytes->clear();
    resources->clear();
    if (!PathExists(path)) return true;
    std::string data;
    if (!ReadWholeFile(path, &data, error, kMaxFile)) return false;
    const bool plain = data.size() >= 8 && std::memcmp(data.data(), kMagic, 8) == 0;
    const bool withResources = data.size() >= 8 && std::memcmp(data.data(), kMagicWithResources, 8) == 0;
    if (!plain && !withResources) {
        *error = "not a lumeric state file";
        return false;
    }
    size_t at = 8;
    const bool ok = TakeBlock(data, &at, bytes) &&
                    (plain ? at == data.size() : ReadResources(data, at, resources));
    if (!ok) {
        bytes->clear();
        resources->clear();
        *error = "damaged state file (wrong length)";
        return false;
    }
    return true;
}

bool WriteStateFile(const std::string& path, const std::vector<uint8_t>& bytes,
                    const std::vector<StateResource>& resources, std::string* error) {
    std::string data(resources.empty() ? kMagic : kMagicWithResources, 8);
    PutBlock(bytes, &data);
    if (!resources.empty()) {
        const uint32_t count = uint32_t(resources.size());
        data.append(reinterpret_cast<const char*>(&count), 4);
        for (const StateResource& r : resources) {
            data.append(reinterpret_cast<const char*>(&r.type), 4);
            PutBlock(r.bytes, &data);
        }
    }
    return WriteFileSafely(path, data, true, error);
}
