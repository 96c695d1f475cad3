#include "cli/windows/WindowsText.h"

#include <cstdio>
#include <vector>

std::wstring WideFromCodePage(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), &wide[0], n);
    return wide;
}

std::string CodePageFromWide(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(size_t(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), &narrow[0], n, nullptr, nullptr);
    return narrow;
}

namespace {

// The system's sentence without its trailing full stop and line break, in
// lower case first letter so it reads inside our own messages.
std::string SystemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n && buffer ? std::wstring(buffer, n) : std::wstring();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L'.' ||
                             text.back() == L' '))
        text.pop_back();
    if (!text.empty() && text[0] >= L'A' && text[0] <= L'Z' && (text.size() < 2 || text[1] > L'Z'))
        text[0] = wchar_t(text[0] - L'A' + L'a');
    return CodePageFromWide(text);
}

}  // namespace

std::string DescribeWindowsError(DWORD code) {
    const std::string text = SystemMessage(code);
    return (text.empty() ? std::string("system error") : text) + " (error " + std::to_string(code) + ")";
}

std::string DescribeHresult(HRESULT hr) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(hr));
    const std::string text = SystemMessage(DWORD(hr));
    return text.empty() ? std::string("error ") + hex : text + " (" + hex + ")";
}

std::wstring ExecutableFolder() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n == 0) return std::wstring();
        if (n < path.size()) break;
        path.resize(path.size() * 2);
    }
    std::wstring full(path.data());
    const size_t slash = full.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : full.substr(0, slash + 1);
}

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
