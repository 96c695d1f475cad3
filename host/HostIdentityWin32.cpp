// Host identification from the version resource of the process's main module.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "host/HostIdentity.h"

namespace {

bool JudgeHost() {
    char path[MAX_PATH * 2];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return false;
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0) return false;
    std::vector<uint8_t> data(size);
    if (!GetFileVersionInfoA(path, 0, size, data.data())) return false;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedLength = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedLength) || !fixed ||
        fixedLength < sizeof(VS_FIXEDFILEINFO))
        return false;

    WORD language = 0x0409, codePage = 0;
    WORD* translations = nullptr;
    UINT translationLength = 0;
    if (VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                       &translationLength) &&
        translations && translationLength >= 2 * sizeof(WORD)) {
        language = translations[0];
        codePage = translations[1];
    }
    char query[64];
    std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\InternalName", language, codePage);
    char* value = nullptr;
    UINT valueLength = 0;
    if (VerQueryValueA(data.data(), query, reinterpret_cast<void**>(&value), &valueLength) && value)
        return InternalNameIsPremiere(value);

    std::string name;
    if (FindInternalNameInRawVersion(data.data(), data.size(), &name)) return InternalNameIsPremiere(name.c_str());
    return false;
}

}  // namespace

bool IsPremiereHost() {
    static const bool answer = JudgeHost();
    return answer;
}
