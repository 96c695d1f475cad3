// Preset files on disk: load, exists, write, delete, by UTF-8 paths. Portable (stdio and
// one rename seam); the dialog adds the naming dialog and the list around
// these, and the lumeric command uses them as they are.
//
// `folder` is the preset folder (PresetFolderFromModulePath). A name that is
// not safe (IsSafePresetName) is refused like a file that cannot be opened
// or created: nothing outside the folder is ever read, written or deleted.
#pragma once

#include <functional>
#include <string>

#include "dialog/PresetStream.h"
#include "settings/EngraveSettings.h"

// Normalises the name (as typed or as the list shows it) and applies the
// preset to the record in place. False, silently, when the name is empty or
// unsafe, the file cannot be opened, or it starts with neither header.
bool LoadPreset(const std::string& folder, const std::string& name, SettingValues* record);

// Whether a preset file exists for a name already normalised (the overwrite
// check of saving, which normalises once before asking).
bool PresetExists(const std::string& folder, const std::string& normalizedName);

// Writes header and body for a name already normalised, replacing any file
// of that name. False when the name is unsafe, the file cannot be created,
// or any write fails; the previous file is then left as it was.
bool WritePresetFile(const std::string& folder, const std::string& normalizedName,
                     const EngraveSettings& settings);

// Normalises the name and deletes its file. The dialog ignores the result.
bool DeletePreset(const std::string& folder, const std::string& name);

// Writes `path` through a temporary file beside it and renames that over
// `path` only when `write` and the close succeeded, so a failed write never
// leaves a truncated file in place of a good one.
bool ReplaceFileContent(const std::string& path, const std::function<bool(PresetSink&)>& write);
