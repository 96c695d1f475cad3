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

class ChildProcess {
public:
    // Starts `program` with `args` (each quoted); output goes to files in `folder`.
    ChildProcess(const std::string& program, const std::vector<std::string>& args, const std::string& folder);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return process_.hProcess != nullptr; }
    DWORD id() const { return process_.dwProcessId; }
    // Waits for the end (killing the child after `milliseconds`) and reads its output.
    ChildOutcome Finish(DWORD milliseconds);

private:
    PROCESS_INFORMATION process_ = {};
    std::string outPath_, errPath_;
};

// A Linux path as wine's programs see it (the root is drive Z:).
std::string WindowsPath(std::string path);
