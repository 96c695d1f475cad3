// Preset names, the preset folder and the paths of preset files.
#pragma once

#include <string>

// Paths built here use the platform's separator.
#ifdef _WIN32
constexpr char kPresetPathSeparator = '\\';
#else
constexpr char kPresetPathSeparator = '/';
#endif

// The name as typed may carry the extension: a name longer than three
// characters that ends in "lmv" loses its last four ("abc.lmv" -> "abc",
// "mylmv" -> "m").
std::string NormalizePresetName(const std::string& name);

// The list shows a file name without its extension only when the name is
// longer than six characters and ends in "lmv" ("abc.lmv" -> "abc", but
// "ab.lmv" stays whole).
std::string PresetListName(const std::string& fileName);

// "Lumeric saves" in the folder of the module: the module's path up to its
// last '\' or '/', so the module may bear any file name.
std::string PresetFolderFromModulePath(const std::string& modulePath);

// True when a (normalised) name may become a file name in the preset folder:
// not empty, no '/', '\', ':' or NUL, not "." or "..", and not a Windows
// device name such as "CON" or "com1". Anything else could reach outside the
// folder or open a device.
bool IsSafePresetName(const std::string& name);

// folder + separator + name + ".lmv" for a name already normalised; false,
// and no path, when the name is not safe.
bool PresetFilePath(const std::string& folder, const std::string& name, std::string* path);
