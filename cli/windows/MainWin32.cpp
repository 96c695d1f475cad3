// lumeric.exe: the same command as on Linux, with the Windows edges set up
// first: no system error boxes (a console run must never wait for a click),
// a crash inside the filter module reported as the filter's failure, and
// COM for the Windows Imaging Component.
#include <windows.h>
#include <objbase.h>

#include <cstdio>

#include "cli/commands/Commands.h"
#include "cli/commands/ExitCodes.h"
#include "cli/windows/FilterModuleWin32.h"

namespace {

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
    const DWORD code = info && info->ExceptionRecord ? info->ExceptionRecord->ExceptionCode : 0;
    void* where = info && info->ExceptionRecord ? info->ExceptionRecord->ExceptionAddress : nullptr;
    if (!IsInsideFilterModule(where)) return EXCEPTION_CONTINUE_SEARCH;
    std::fflush(stdout);
    std::fprintf(stderr, "lumeric: the filter module crashed (exception 0x%08lX); nothing written\n",
                 static_cast<unsigned long>(code));
    std::fflush(stderr);
    ExitProcess(kExitFilter);
}

}  // namespace

int main(int argc, char** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(ReportCrash);
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const int code = LumericMain(argc, argv);
    std::fflush(stdout);
    std::fflush(stderr);
    if (SUCCEEDED(com)) CoUninitialize();
    return code;
}
