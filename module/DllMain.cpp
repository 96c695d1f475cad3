// Library attach: remember the module instance (dialog templates, own path).
#include <windows.h>

#include "host/ModuleState.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    gModule.moduleInstance = instance;
    return TRUE;
}
