#include "dialog/PresetReplaceFile.h"

#ifdef _WIN32
#include <windows.h>

// The C runtime's rename refuses an existing target on Windows; removing it
// first would lose the old preset if the rename then failed.
bool ReplaceFileWith(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

#else
#include <cstdio>

bool ReplaceFileWith(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

#endif
