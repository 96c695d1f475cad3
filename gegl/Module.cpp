// The module's only exports: the two entry points GEGL looks up when it
// loads a plug-in from its folders.
#include "gegl/EngraveOperation.h"

extern "C" {

G_MODULE_EXPORT const GeglModuleInfo* gegl_module_query(GTypeModule*) {
    static const GeglModuleInfo info = {GEGL_MODULE_ABI_VERSION};
    return &info;
}

G_MODULE_EXPORT gboolean gegl_module_register(GTypeModule* module) {
    RegisterEngraveOperation(module);
    return TRUE;
}
}
