#include "cli/files/PresetAccess.h"

#include "cli/files/SafeOutput.h"
#include "dialog/PresetReader.h"
#include "dialog/PresetStream.h"
#include "dialog/PresetWriter.h"

bool LoadPresetFile(const std::string& path, SettingValues* values, std::string* error) {
    std::string bytes;
    if (!ReadWholeFile(path, &bytes, error, 1 << 20)) return false;
    MemoryPresetSource source(bytes.data(), bytes.size());
    SettingValues loaded = *values;
    if (!ReadPresetContent(&loaded, source)) {
        *error = "not a LumericII preset (no \"Corvessa Lumeric\" header)";
        return false;
    }
    *values = loaded;
    return true;
}

std::string FormatPresetText(const EngraveSettings& settings) {
    StringPresetSink sink;
    WritePresetContent(settings, sink);
    return sink.bytes;
}
