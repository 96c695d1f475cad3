// libFuzzer target: the action-file reader (JSON from outside). Whatever it
// accepts must format and read back to the same descriptor.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cli/files/ActionFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1 << 16)) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    ActionFile action;
    std::string error;
    if (!ParseActionFile(text, &action, &error)) {
        if (error.empty()) std::abort();  // every refusal says why
        return 0;
    }
    ActionFile again;
    if (!ParseActionFile(FormatActionFile(action), &again, &error)) std::abort();
    if (again.descriptor.items.size() != action.descriptor.items.size()) std::abort();
    for (size_t i = 0; i < again.descriptor.items.size(); ++i) {
        const DescriptorItem& a = action.descriptor.items[i];
        const DescriptorItem& b = again.descriptor.items[i];
        if (a.key != b.key || a.type != b.type || a.unit != b.unit) std::abort();
        if (!(a.number == b.number || (std::isnan(a.number) && std::isnan(b.number)))) std::abort();
    }
    return 0;
}
