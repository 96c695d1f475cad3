// Replacing a file whose name the system's code page cannot spell, as a
// preset or an output named by a French or German user would be. The
// files are made and read back through the wide API, so a replacement
// that went through the ANSI one would miss them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "dialog/ReplaceFile.h"

namespace {

std::string Utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

void WriteWide(const std::wstring& path, const std::string& content) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, content.data(), DWORD(content.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, content.size());
}

// The file's content, or "(none)" when there is no such file.
std::string ReadWide(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "(none)";
    char buffer[256];
    DWORD got = 0;
    ReadFile(file, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(file);
    return std::string(buffer, got);
}

struct ReplaceCase {
    const char* name;
    const wchar_t* from;
    const wchar_t* to;
    bool targetExists;
};

class ReplaceFile : public ::testing::TestWithParam<ReplaceCase> {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir_ = std::wstring(temp) + L"lumeric-replace-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(dir_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }
    void TearDown() override {
        DeleteFileW((dir_ + GetParam().from).c_str());
        DeleteFileW((dir_ + GetParam().to).c_str());
        RemoveDirectoryW(dir_.c_str());
    }
    std::wstring dir_;
};

TEST_P(ReplaceFile, PutsTheNewContentUnderTheUnicodeName) {
    const std::wstring from = dir_ + GetParam().from, to = dir_ + GetParam().to;
    WriteWide(from, "new preset");
    if (GetParam().targetExists) WriteWide(to, "old preset");
    ASSERT_TRUE(ReplaceFileAtomically(Utf8(from), Utf8(to))) << "error " << GetLastError();
    EXPECT_EQ(ReadWide(to), "new preset");
    EXPECT_EQ(ReadWide(from), "(none)");
}

INSTANTIATE_TEST_SUITE_P(
    Names, ReplaceFile,
    ::testing::Values(ReplaceCase{"OverAnExistingPreset", L"Pr\u00e9r\u00e9glage \u00fc.lmv.tmp",
                                  L"Pr\u00e9r\u00e9glage \u00fc.lmv", true},
                      ReplaceCase{"IntoANewFile", L"\u0413\u0440\u0430\u0432\u044e\u0440\u0430.part.png",
                                  L"\u0413\u0440\u0430\u0432\u044e\u0440\u0430.png", false}),
    [](const ::testing::TestParamInfo<ReplaceCase>& info) { return info.param.name; });

TEST(ReplaceFileRefusal, ANameThatIsNotUtf8IsRefused) {
    // "\xE9" alone is Latin-1 for é, not UTF-8: refused, not guessed at.
    EXPECT_FALSE(ReplaceFileAtomically("a\xE9.tmp", "a\xE9.lmv"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_UNICODE_TRANSLATION));
}

}  // namespace
