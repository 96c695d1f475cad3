#include "dialog/PresetNames.h"

#include <cctype>
#include <cstring>

namespace {

bool EndsWithExtension(const std::string& name) {
    return name.size() >= 3 && name.compare(name.size() - 3, 3, "lmv") == 0;
}

// Windows opens a device, not a file, for these base names whatever the
// extension, and ignores trailing blanks and dots before it decides.
bool IsDeviceName(const std::string& name) {
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && (base.back() == ' ' || base.back() == '.')) base.pop_back();
    for (char& c : base) c = char(std::toupper(static_cast<unsigned char>(c)));
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices)
        if (base == device) return true;
    if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0))
        return base[3] >= '1' && base[3] <= '9';
    return false;
}

}  // namespace

std::string NormalizePresetName(const std::string& name) {
    if (name.size() > 3 && EndsWithExtension(name)) return name.substr(0, name.size() - 4);
    return name;
}

std::string PresetListName(const std::string& fileName) {
    if (fileName.size() > 6 && EndsWithExtension(fileName)) return fileName.substr(0, fileName.size() - 4);
    return fileName;
}

std::string PresetFolderFromModulePath(const std::string& modulePath) {
    size_t slash = modulePath.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? std::string() : modulePath.substr(0, slash + 1);
    return folder + "Lumeric saves";
}

bool IsSafePresetName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    if (name.find_first_of(std::string("/\\:\0", 4)) != std::string::npos) return false;
    return !IsDeviceName(name);
}

bool PresetFilePath(const std::string& folder, const std::string& name, std::string* path) {
    if (!IsSafePresetName(name)) return false;
    *path = folder + kPresetPathSeparator + name + ".lmv";
    return true;
}
