// Small helpers for tests that run programs on files: a whole file as
// text, a shell word, and a Linux path as wine's programs see it.
#pragma once

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Single-quoted for sh, quotes inside included.
inline std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// wine sees the Linux root as drive Z:.
inline std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
