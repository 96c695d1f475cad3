// Files named by UTF-8 paths on every platform. Windows' narrow file calls
// read a path in the system's code page and would garble "Préréglage ü";
// these convert to UTF-16 there and use the wide calls.
#pragma once

#include <cstdio>
#include <string>

std::FILE* OpenUtf8(const std::string& path, const char* mode);
bool RemoveUtf8(const std::string& path);
bool ExistsUtf8(const std::string& path);

#ifdef _WIN32
// UTF-8 and UTF-16 both ways; an invalid UTF-8 text gives false.
bool WideFromUtf8(const std::string& text, std::wstring* wide);
std::string Utf8FromWide(const std::wstring& wide);
#endif
