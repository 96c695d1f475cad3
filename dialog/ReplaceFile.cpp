#include "dialog/ReplaceFile.h"

#ifdef _WIN32
#include <windows.h>

#include "dialog/Utf8Files.h"

// The C runtime's rename refuses an existing target on Windows, and removing
// it first would lose the old file if the rename then failed. The ANSI
// MoveFileExA would garble any name outside the system's code page.
bool ReplaceFileAtomically(const std::string& fromUtf8, const std::string& toUtf8) {
    std::wstring from, to;
    if (fromUtf8.empty() || toUtf8.empty() || !WideFromUtf8(fromUtf8, &from) || !WideFromUtf8(toUtf8, &to)) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return false;
    }
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

#else
#include <cstdio>

bool ReplaceFileAtomically(const std::string& fromUtf8, const std::string& toUtf8) {
    return std::rename(fromUtf8.c_str(), toUtf8.c_str()) == 0;
}

#endif
