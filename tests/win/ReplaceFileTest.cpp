// Replacing a file whose name the system's code page cannot spell, as a
// preset or an output named by a French or Russian user would be. The
// files are made and read back through the wide API, so a replacement that
// went through the ANSI one would miss them.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "dialog/ReplaceFile.h"

namespace {

std::string Utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

// mingw's streams take wide names: the wide API underneath.
std::string ReadWide(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "(none)";
}

TEST(AtomicReplace, PutsTheNewContentUnderAUnicodeName) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + L"lumeric-replace-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    const struct {
        const wchar_t *from, *to;
        bool targetExists;
    } cases[] = {
        {L"Pr\u00e9r\u00e9glage \u00fc.lmv.tmp", L"Pr\u00e9r\u00e9glage \u00fc.lmv", true},
        {L"\u0413\u0440\u0430\u0432.part.png", L"\u0413\u0440\u0430\u0432.png", false}};
    for (const auto& c : cases) {
        const std::wstring from = dir + c.from, to = dir + c.to;
        std::ofstream(from.c_str(), std::ios::binary) << "new preset";
        if (c.targetExists) std::ofstream(to.c_str(), std::ios::binary) << "old preset";
        EXPECT_TRUE(ReplaceFileAtomically(Utf8(from), Utf8(to))) << "error " << GetLastError();
        EXPECT_EQ(ReadWide(to), "new preset");
        EXPECT_EQ(ReadWide(from), "(none)");
        DeleteFileW(from.c_str());
        DeleteFileW(to.c_str());
    }
    RemoveDirectoryW(dir.c_str());
    // "\xE9" alone is Latin-1 for é, not UTF-8: refused, not guessed at.
    EXPECT_FALSE(ReplaceFileAtomically("a\xE9.tmp", "a\xE9.lmv"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_UNICODE_TRANSLATION));
}

}  // namespace
