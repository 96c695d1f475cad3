#include "dialog/Utf8Files.h"

#ifdef _WIN32
#include <windows.h>

bool WideFromUtf8(const std::string& text, std::wstring* wide) {
    wide->clear();
    if (text.empty()) return true;
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), int(text.size()), nullptr, 0);
    if (n <= 0) return false;
    wide->assign(size_t(n), L'\0');
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), int(text.size()), &(*wide)[0], n) == n;
}

std::string Utf8FromWide(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string text(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), &text[0], n, nullptr, nullptr);
    return text;
}

std::FILE* OpenUtf8(const std::string& path, const char* mode) {
    std::wstring widePath, wideMode;
    if (!WideFromUtf8(path, &widePath) || !WideFromUtf8(mode, &wideMode)) return nullptr;
    return _wfopen(widePath.c_str(), wideMode.c_str());
}

bool RemoveUtf8(const std::string& path) {
    std::wstring wide;
    return WideFromUtf8(path, &wide) && DeleteFileW(wide.c_str()) != 0;
}

bool ExistsUtf8(const std::string& path) {
    std::wstring wide;
    return WideFromUtf8(path, &wide) && GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

#else
#include <sys/stat.h>

std::FILE* OpenUtf8(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

bool RemoveUtf8(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool ExistsUtf8(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

#endif
