// Fuzzes the preset reader with arbitrary file content, from memory: the
// whole-file reader (text header, legacy binary, neither) and the body reader
// on its own. Whatever was read must then save and load stably: a second
// save of the loaded record gives the same bytes as the first.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "dialog/PresetReader.h"
#include "dialog/PresetWriter.h"

namespace {

// Real presets are about 600 bytes; larger inputs only slow the search.
constexpr size_t kMaxInput = 64 * 1024;

std::string Save(const SettingValues& record) {
    StringPresetSink sink;
    WritePresetContent(record.engraving, sink);
    return sink.bytes;
}

SettingValues Load(const std::string& bytes, const SettingValues& start) {
    SettingValues record = start;
    MemoryPresetSource source(bytes.data(), bytes.size());
    if (!ReadPresetContent(&record, source)) std::abort();  // our own output must be recognised
    return record;
}

void CheckStableRoundTrip(const SettingValues& read) {
    // Non-finite reals are written as "inf"/"nan" and read back as 0, so the
    // first round may change a value; from then on nothing may change.
    std::string once = Save(Load(Save(read), read));
    std::string twice = Save(Load(once, read));
    if (once != twice) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxInput) return 0;
    SettingValues record{DefaultEngraveSettings(), DefaultDialogPreferences()};

    MemoryPresetSource whole(data, size);
    ReadPresetContent(&record, whole);
    CheckStableRoundTrip(record);

    MemoryPresetSource body(data, size);
    ReadPresetBody(&record, body);
    CheckStableRoundTrip(record);
    return 0;
}
