#include "dialog/PresetFiles.h"

#include <cstdio>

#include "dialog/PresetNames.h"
#include "dialog/PresetReader.h"
#include "dialog/PresetWriter.h"
#include "dialog/ReplaceFile.h"
#include "dialog/Utf8Files.h"

bool LoadPreset(const std::string& folder, const std::string& name, SettingValues* record) {
    std::string path;
    if (!PresetFilePath(folder, NormalizePresetName(name), &path)) return false;
    std::FILE* file = OpenUtf8(path, "rb");
    if (!file) return false;
    FilePresetSource source(file);
    bool loaded = ReadPresetContent(record, source);
    std::fclose(file);
    return loaded;
}

bool PresetExists(const std::string& folder, const std::string& normalizedName) {
    std::string path;
    if (!PresetFilePath(folder, normalizedName, &path)) return false;
    return ExistsUtf8(path);
}

bool WritePresetFile(const std::string& folder, const std::string& normalizedName,
                     const EngraveSettings& settings) {
    std::string path;
    if (!PresetFilePath(folder, normalizedName, &path)) return false;
    return ReplaceFileContent(path, [&settings](PresetSink& sink) { return WritePresetContent(settings, sink); });
}

bool DeletePreset(const std::string& folder, const std::string& name) {
    std::string path;
    if (!PresetFilePath(folder, NormalizePresetName(name), &path)) return false;
    return RemoveUtf8(path);
}

bool ReplaceFileContent(const std::string& path, const std::function<bool(PresetSink&)>& write) {
    // The temporary's extension is not "lmv" (not even in an 8.3 short name),
    // so a leftover never shows up in the preset list.
    std::string temporary = path + ".tmp";
    std::FILE* file = OpenUtf8(temporary, "wb");
    if (!file) return false;
    FilePresetSink sink(file);
    bool written = write(sink);
    // Disk full may show only when the buffer goes out at flush or close.
    written = std::fflush(file) == 0 && written;
    written = std::fclose(file) == 0 && written;
    if (written && ReplaceFileAtomically(temporary, path)) return true;
    RemoveUtf8(temporary);
    return false;
}
