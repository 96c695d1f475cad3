// A 64-bit filter module whose PiPL names only a 32-bit entry point
// ('wx86'): a 64-bit host must refuse it by its PiPL, before calling it.
#include <cstdint>

extern "C" __declspec(dllexport) void PluginMain(int16_t, void*, intptr_t*, int16_t* result) {
    if (result) *result = -30100;
}
