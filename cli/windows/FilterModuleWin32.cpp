// Windows: the filter module is a .8bf loaded from disk, as a host loads it:
// with its own folder on the DLL search path, its entry point named by the
// PiPL property for this process's machine ('8664' or 'wx86').
#include <windows.h>

#include <string>
#include <vector>

#include "cli/session/FilterModule.h"
#include "cli/session/PeResources.h"
#include "cli/windows/FilterModuleWin32.h"
#include "cli/windows/ModuleMessages.h"
#include "cli/windows/WindowsText.h"

namespace {

#if defined(_WIN64)
constexpr PeMachine kOwnMachine = PeMachine::X86_64;
constexpr const char* kOwnBits = "64-bit (x64)";
constexpr const char* kOtherBits = "32-bit (x86)";
#else
constexpr PeMachine kOwnMachine = PeMachine::I386;
constexpr const char* kOwnBits = "32-bit (x86)";
constexpr const char* kOtherBits = "64-bit (x64)";
#endif

PluginEntryProc gEntry = nullptr;
HMODULE gModule = nullptr;
std::wstring gLoadedPath;

// Every call of the module goes through here, so that its message boxes
// reach the console while it runs.
void PI_CALL CallModule(int16_t selector, void* paramBlock, intptr_t* data, int16_t* result) {
    // The host asks for Parameters only when the user wants the dialog
    // (--dialog): from then on the module's windows belong to the user.
    if (selector == filterSelectorParameters) SetModuleMessagesToConsole(false);
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

bool ReadModuleFile(const std::wstring& path, std::vector<uint8_t>* bytes, std::string* error) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *error = Shown(path) + ": cannot open the filter module: " + DescribeWindowsError(GetLastError());
        return false;
    }
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (LONGLONG(1) << 30);
    if (ok) {
        bytes->resize(size_t(size.QuadPart));
        DWORD got = 0;
        ok = ReadFile(file, bytes->data(), DWORD(bytes->size()), &got, nullptr) && got == bytes->size();
    }
    CloseHandle(file);
    if (!ok) *error = Shown(path) + ": cannot read the filter module";
    return ok;
}

bool IsFilterKind(const PiplProperty& kind) {
    if (kind.data.size() < 4) return false;
    const uint32_t code = uint32_t(kind.data[0]) | uint32_t(kind.data[1]) << 8 | uint32_t(kind.data[2]) << 16 |
                          uint32_t(kind.data[3]) << 24;
    return code == kFilterKind;
}

// The entry point's name from the first filter PiPL that has one for our machine.
bool EntryPointName(const std::wstring& path, std::string* name, std::string* error) {
    std::vector<uint8_t> bytes;
    if (!ReadModuleFile(path, &bytes, error)) return false;
    PeImage image;
    std::string reason;
    if (!OpenPeImage(bytes.data(), bytes.size(), image, &reason)) {
        *error = Shown(path) + ": not a Windows filter module (" + reason + ")";
        return false;
    }
    if (image.machine != kOwnMachine) {
        *error = Shown(path) + ": a " + (image.machine == PeMachine::Unknown ? "non-x86" : kOtherBits) +
                 " module; this lumeric.exe is " + kOwnBits + " and loads only " + kOwnBits +
                 " filter modules (use the lumeric.exe of the same bitness)";
        return false;
    }
    std::vector<PeResource> resources;
    if (!ListPeResources(image, resources, &reason)) {
        *error = Shown(path) + ": its resources cannot be read (" + reason + ")";
        return false;
    }
    const uint32_t key = EntryPointKeyFor(kOwnMachine);
    bool sawPipl = false;
    for (const PeResource& resource : resources) {
        if (!resource.type.Matches(ResourceKey::Name("PIPL"))) continue;
        std::vector<uint8_t> data;
        Pipl pipl;
        if (!ReadPeResourceData(image, resource, data) || !ParsePipl(data.data(), data.size(), pipl)) continue;
        sawPipl = true;
        const PiplProperty* kind = FindPiplProperty(pipl, FourCC("kind"));
        const PiplProperty* entry = FindPiplProperty(pipl, key);
        if (!entry || (kind && !IsFilterKind(*kind))) continue;
        *name = PiplCString(*entry);
        if (!name->empty()) return true;
    }
    *error = Shown(path) + (sawPipl ? ": its PiPL names no entry point for " + std::string(kOwnBits) + " Windows ('" +
                                          pe::FourCCText(key) + "' property)"
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

void RouteModuleMessagesToConsole() { SetModuleMessagesToConsole(true); }
