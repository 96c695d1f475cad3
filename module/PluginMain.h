// The module's one exported entry point.
#pragma once

#include <cstdint>

#include "host/PluginInterface.h"

#if defined(_WIN32)
#define PLUGIN_EXPORT __declspec(dllexport)
#else
#define PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

extern "C" PLUGIN_EXPORT void PI_CALL PluginMain(int16_t selector, void* paramBlock, intptr_t* data,
                                                 int16_t* result);
