#include "cli/files/PresetAccess.h"

#include "cli/files/SafeOutput.h"
#include "dialog/PresetReader.h"
#include "dialog/PresetStream.h"
#include "dialog/PresetWriter.h"

bool LoadPresetFile(const std::string& path, EngraveParams* params, std::string* error) {
    std::string bytes;
    if (!ReadWholeFile(path, &bytes, error, 1 << 20)) return false;
    MemoryPresetSource source(bytes.data(), bytes.size());
    EngraveParams loaded = *params;
    if (!ReadPresetContent(&loaded, source)) {
        *error = "not a LumericII preset (no \"Corvessa Lumeric\" header)";
        return false;
    }
    *params = loaded;
    return true;
}

std::string FormatPresetText(const EngraveParams& params) {
    StringPresetSink sink;
    WritePresetContent(params, sink);
    return sink.bytes;
}
