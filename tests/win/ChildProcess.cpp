#include "tests/win/ChildProcess.h"

namespace {

HANDLE InheritableFile(const std::string& path, DWORD access, DWORD creation) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, creation,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ChildOutcome RunChild(const std::string& program, const std::vector<std::string>& args, const std::string& folder,
                      DWORD milliseconds) {
    static int serial = 0;
    const std::string tag = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(serial++);
    const std::string outPath = folder + "\\child-" + tag + ".out", errPath = folder + "\\child-" + tag + ".err";
    std::string line = "\"" + program + "\"";
    for (const std::string& arg : args) line += " \"" + arg + "\"";
    line.push_back('\0');

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = InheritableFile("NUL", GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = InheritableFile(outPath, GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = InheritableFile(errPath, GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION process = {};
    const bool started =
        CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    for (HANDLE h : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) CloseHandle(h);
    ChildOutcome outcome;
    if (!started) {
        outcome.exitCode = DWORD(-1);
        outcome.err = "cannot start the program";
    } else {
        if (WaitForSingleObject(process.hProcess, milliseconds) == WAIT_TIMEOUT) {
            outcome.timedOut = true;
            TerminateProcess(process.hProcess, 99);
            WaitForSingleObject(process.hProcess, 5000);
        }
        GetExitCodeProcess(process.hProcess, &outcome.exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        outcome.out = ReadText(outPath);
        outcome.err = ReadText(errPath);
    }
    DeleteFileA(outPath.c_str());
    DeleteFileA(errPath.c_str());
    return outcome;
}
