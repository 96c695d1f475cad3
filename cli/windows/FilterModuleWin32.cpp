// Windows: the filter module is a .8bf loaded from disk, as a host loads it:
// with its own folder on the DLL search path, its entry point named by the
// PiPL property for this process's machine ('8664' or 'wx86').
#include <windows.h>

#include <string>

#include "cli/session/FilterModule.h"
#include "cli/session/HostDescriptor.h"
#include "cli/session/Pipl.h"
#include "cli/session/ResourceCursor.h"
#include "cli/windows/FilterModuleWin32.h"
#include "cli/windows/ModuleMessages.h"
#include "cli/windows/WindowsText.h"

namespace {

#if defined(_WIN64)
constexpr uint16_t kOwnMachine = kMachineX86_64;
constexpr const char* kOwnBits = "64-bit (x64)";
constexpr const char* kOtherBits = "32-bit (x86)";
#else
constexpr uint16_t kOwnMachine = kMachineI386;
constexpr const char* kOwnBits = "32-bit (x86)";
constexpr const char* kOtherBits = "64-bit (x64)";
#endif

PluginEntryProc gEntry = nullptr;
HMODULE gModule = nullptr;
std::wstring gLoadedPath;

// Every call of the module goes through here, so that its message boxes
// reach the console while it runs.
void PI_CALL CallModule(int16_t selector, void* paramBlock, intptr_t* data, int16_t* result) {
    if (selector == filterSelectorAbout) {
        gEntry(selector, paramBlock, data, result);
        return;
    }
    ModuleMessageScope scope;
    gEntry(selector, paramBlock, data, result);
}

std::string Shown(const std::wstring& path) { return CodePageFromWide(path); }

std::wstring FullPath(const std::wstring& path) {
    const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::wstring full(n, L'\0');
    const DWORD got = GetFullPathNameW(path.c_str(), n, &full[0], nullptr);
    full.resize(got < n ? got : 0);
    return full.empty() ? path : full;
}

// The machine a module was built for, from its file: the DOS header's
// e_lfanew (offset 0x3C) leads to "PE\0\0" and the PE header's Machine
// field. Windows would map a module of the other bitness as data without
// complaint, so this is what tells a 32-bit module from a 64-bit one.
bool ReadModuleMachine(const std::wstring& path, uint16_t* machine, std::string* error) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *error = Shown(path) + ": cannot open the filter module: " + DescribeWindowsError(GetLastError());
        return false;
    }
    uint8_t dos[64] = {};
    uint8_t pe[6] = {};
    DWORD got = 0;
    const char* reason = nullptr;
    if (!ReadFile(file, dos, sizeof dos, &got, nullptr) || got != sizeof dos || dos[0] != 'M' || dos[1] != 'Z') {
        reason = "not an MZ executable";
    } else {
        LARGE_INTEGER at{};
        at.QuadPart = LONGLONG(Le32(dos + 0x3C));
        if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN) || !ReadFile(file, pe, sizeof pe, &got, nullptr) ||
            got != sizeof pe || pe[0] != 'P' || pe[1] != 'E' || pe[2] != 0 || pe[3] != 0)
            reason = "no PE signature";
    }
    CloseHandle(file);
    if (reason) {
        *error = Shown(path) + ": not a Windows filter module (" + reason + ")";
        return false;
    }
    *machine = Le16(pe + 4);
    return true;
}

bool IsFilterKind(const PiplProperty& kind) { return kind.data.size() >= 4 && Le32(kind.data.data()) == kFilterKind; }

struct PiplSearch {
    uint32_t entryKey = 0;
    bool sawPipl = false;
    std::string entryName;
};

// Called for each PiPL resource; stops at the first filter PiPL that names
// an entry point for our machine. Nothing may escape into the system's
// enumeration, so a failure to allocate ends the search instead.
BOOL CALLBACK CheckPipl(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR context) {
    PiplSearch& search = *reinterpret_cast<PiplSearch*>(context);
    HRSRC resource = FindResourceW(module, name, type);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return TRUE;
    try {
        Pipl pipl;
        if (!ParsePipl(static_cast<const uint8_t*>(bytes), SizeofResource(module, resource), pipl)) return TRUE;
        search.sawPipl = true;
        const PiplProperty* kind = FindPiplProperty(pipl, FourCC("kind"));
        const PiplProperty* entry = FindPiplProperty(pipl, search.entryKey);
        if (!entry || (kind && !IsFilterKind(*kind))) return TRUE;
        search.entryName = PiplCString(*entry);
        return search.entryName.empty();
    } catch (...) {
        return FALSE;
    }
}

// The entry point's name from the first filter PiPL that has one for our machine.
bool EntryPointName(const std::wstring& path, std::string* name, std::string* error) {
    uint16_t machine = 0;
    if (!ReadModuleMachine(path, &machine, error)) return false;
    if (machine != kOwnMachine) {
        const bool x86 = machine == kMachineI386 || machine == kMachineX86_64;
        *error = Shown(path) + ": a " + (x86 ? kOtherBits : "non-x86") + " module; this lumeric.exe is " + kOwnBits +
                 " and loads only " + kOwnBits + " filter modules (use the lumeric.exe of the same bitness)";
        return false;
    }
    // As data only: nothing of the module runs until its PiPL says how.
    HMODULE data = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!data) {
        *error = Shown(path) + ": its resources cannot be read (" + DescribeWindowsError(GetLastError()) + ")";
        return false;
    }
    PiplSearch search;
    search.entryKey = EntryPointKeyFor(kOwnMachine);
    EnumResourceNamesW(data, L"PIPL", &CheckPipl, reinterpret_cast<LONG_PTR>(&search));
    FreeLibrary(data);
    if (!search.entryName.empty()) {
        *name = search.entryName;
        return true;
    }
    *error = Shown(path) + (search.sawPipl ? ": its PiPL names no entry point for " + std::string(kOwnBits) +
                                                 " Windows ('" + FourCCText(search.entryKey) + "' property)"
                                           : ": no PiPL resource; not a filter module");
    return false;
}

}  // namespace

PluginEntryProc LoadFilterModule(const std::string& path, std::string* error) {
    const std::wstring wanted = FullPath(path.empty() ? ExecutableFolder() + L"lumeric2.8bf" : WideFromCodePage(path));
    if (gEntry) {
        if (lstrcmpiW(wanted.c_str(), gLoadedPath.c_str()) == 0) return &CallModule;
        *error = "only one filter module can be loaded per run";
        return nullptr;
    }
    if (GetFileAttributesW(wanted.c_str()) == INVALID_FILE_ATTRIBUTES) {
        *error = Shown(wanted) + ": no such filter module" +
                 (path.empty() ? " (lumeric2.8bf belongs beside lumeric.exe; or give --plugin PATH)" : "");
        return nullptr;
    }
    std::string entryName;
    if (!EntryPointName(wanted, &entryName, error)) return nullptr;

    HMODULE module = LoadLibraryExW(wanted.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module) {
        const DWORD code = GetLastError();
        *error = Shown(wanted) + ": cannot load the filter module: " +
                 (code == ERROR_BAD_EXE_FORMAT ? std::string("not a module for ") + kOwnBits + " Windows"
                                               : DescribeWindowsError(code));
        return nullptr;
    }
    FARPROC entry = GetProcAddress(module, entryName.c_str());
    if (!entry) {
        *error = Shown(wanted) + ": its PiPL names the entry point \"" + entryName + "\", which it does not export";
        FreeLibrary(module);
        return nullptr;
    }
    gEntry = reinterpret_cast<PluginEntryProc>(reinterpret_cast<void*>(entry));
    gModule = module;
    gLoadedPath = wanted;
    return &CallModule;
}

bool IsInsideFilterModule(const void* address) {
    HMODULE owner = nullptr;
    return gModule && address &&
           GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCWSTR>(address), &owner) &&
           owner == gModule;
}

namespace {

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

intptr_t HostWindowForDialogs() {
    // One hidden top-level window owns the module's dialogs, as a host's
    // main window would; the dialogs centre themselves on the screen.
    static HWND window = [] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = HostWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"LumericHostWindow";
        RegisterClassW(&windowClass);
        return CreateWindowExW(0, L"LumericHostWindow", L"lumeric", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                               CW_USEDEFAULT, 320, 240, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }();
    return reinterpret_cast<intptr_t>(window);
}

// Parameters alone does not mean the dialog: the session also asks a module
// without parameters for them, as real hosts do.
void RouteModuleMessagesToConsole(bool dialogWanted) { SetModuleMessagesToConsole(!dialogWanted); }
