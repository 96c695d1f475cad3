#include "cli/files/SafeOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "dialog/ReplaceFile.h"

namespace fs = std::filesystem;

bool PathExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::u8path(path), ec);
}

bool SamePath(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (fs::equivalent(fs::u8path(a), fs::u8path(b), ec)) return true;
    const fs::path pa = fs::weakly_canonical(fs::u8path(a), ec);
    const fs::path pb = fs::weakly_canonical(fs::u8path(b), ec);
    return !ec && pa == pb;
}

std::string TemporaryPathFor(const std::string& target) {
    const fs::path path = fs::u8path(target);
    std::random_device device;
    std::mt19937_64 random(device() ^ (uint64_t(device()) << 32));
    for (int attempt = 0; attempt < 100; ++attempt) {
        char tag[32];
        std::snprintf(tag, sizeof tag, ".%012llx.part", static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
        fs::path candidate = path;
        // "name.part-xxxx.png" keeps the extension at the end.
        candidate.replace_filename(path.stem().u8string() + tag + path.extension().u8string());
        if (!PathExists(candidate.u8string())) return candidate.u8string();
    }
    return std::string();
}

void DiscardTemporary(const std::string& temporary) {
    if (temporary.empty()) return;
    std::error_code ec;
    fs::remove(fs::u8path(temporary), ec);
}

namespace {

constexpr const char* kExists = "already exists (use --force to replace it)";

#if defined(_WIN32)
std::string LastFileError() {
    const DWORD code = GetLastError();
    return code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS ? kExists
                                                                     : "cannot be written (error " + std::to_string(code) + ")";
}

bool MoveWithoutReplacing(const std::string& temporary, const std::string& target, std::string* error) {
    const std::wstring from = fs::u8path(temporary).wstring(), to = fs::u8path(target).wstring();
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) return true;
    *error = LastFileError();
    return false;
}
#else
std::string LastFileError() { return std::strerror(errno); }

bool MoveWithoutReplacing(const std::string& temporary, const std::string& target, std::string* error) {
    // A hard link never replaces an existing file: the check and the move are one step.
    if (link(temporary.c_str(), target.c_str()) == 0) {
        unlink(temporary.c_str());
        return true;
    }
    *error = errno == EEXIST ? kExists : std::strerror(errno);
    return false;
}
#endif

}  // namespace

bool CommitTemporary(const std::string& temporary, const std::string& target, bool replace, std::string* error) {
    if (replace) {
        if (ReplaceFileAtomically(temporary, target)) return true;
        *error = LastFileError();
    } else if (MoveWithoutReplacing(temporary, target, error)) {
        return true;
    }
    DiscardTemporary(temporary);
    return false;
}

bool WriteFileSafely(const std::string& path, const std::string& bytes, bool replace, std::string* error) {
    if (!replace && PathExists(path)) {
        *error = kExists;
        return false;
    }
    const std::string temporary = TemporaryPathFor(path);
    if (temporary.empty()) {
        *error = "cannot create a temporary file beside it";
        return false;
    }
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        *error = std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        *error = "write failed (disk full?)";
        DiscardTemporary(temporary);
        return false;
    }
    return CommitTemporary(temporary, path, replace, error);
}

bool ReadWholeFile(const std::string& path, std::string* bytes, std::string* error, size_t limit) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        *error = std::strerror(errno);
        return false;
    }
    bytes->clear();
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (bytes->size() + n > limit) {
            std::fclose(file);
            *error = "file too large";
            return false;
        }
        bytes->append(buffer, n);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) *error = "read error";
    return !failed;
}
