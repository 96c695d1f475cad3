// Runs lumeric.exe (or any program) as a child process with its output in
// files, never waiting longer than a limit: a test must not hang on a
// window nobody clicks.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/TestFiles.h"  // WindowsPath, for the arguments

struct ChildOutcome {
    DWORD exitCode = 0;
    bool timedOut = false;
    std::string out, err;
};

// Runs `program` with `args` (each quoted), its output in files in `folder`,
// killing it after `milliseconds`.
ChildOutcome RunChild(const std::string& program, const std::vector<std::string>& args, const std::string& folder,
                      DWORD milliseconds);
