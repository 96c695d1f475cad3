#include "tests/win/ChildProcess.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

HANDLE InheritableFile(const std::string& path, DWORD access, DWORD creation) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, creation,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::string& folder) {
    static int serial = 0;
    const std::string tag = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(serial++);
    outPath_ = folder + "\\child-" + tag + ".out";
    errPath_ = folder + "\\child-" + tag + ".err";
    std::string line = "\"" + program + "\"";
    for (const std::string& arg : args) line += " \"" + arg + "\"";

    HANDLE out = InheritableFile(outPath_, GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE err = InheritableFile(errPath_, GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE in = InheritableFile("NUL", GENERIC_READ, OPEN_EXISTING);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    std::vector<char> writable(line.begin(), line.end());
    writable.push_back('\0');
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process_)) {
        process_ = {};
    }
    CloseHandle(out);
    CloseHandle(err);
    CloseHandle(in);
}

ChildProcess::~ChildProcess() {
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    DeleteFileA(outPath_.c_str());
    DeleteFileA(errPath_.c_str());
}

ChildOutcome ChildProcess::Finish(DWORD milliseconds) {
    ChildOutcome outcome;
    if (!process_.hProcess) {
        outcome.exitCode = DWORD(-1);
        outcome.err = "cannot start the program";
        return outcome;
    }
    if (WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_TIMEOUT) {
        outcome.timedOut = true;
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    GetExitCodeProcess(process_.hProcess, &outcome.exitCode);
    outcome.out = Slurp(outPath_);
    outcome.err = Slurp(errPath_);
    return outcome;
}
