// Runs lumeric.exe (or any program) as a child process with its output in
// files, never waiting longer than a limit: a test must not hang on a
// window nobody clicks.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ChildOutcome {
    DWORD exitCode = 0;
    bool timedOut = false;
    std::string out, err;
};

// Runs `program` with `args` (each quoted), its output in files in `folder`,
// killing it after `milliseconds`.
ChildOutcome RunChild(const std::string& program, const std::vector<std::string>& args, const std::string& folder,
                      DWORD milliseconds);

// A Linux path as wine's programs see it (the root is drive Z:).
std::string WindowsPath(std::string path);
