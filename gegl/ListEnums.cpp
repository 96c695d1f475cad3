#include "gegl/ListEnums.h"

#include <cctype>
#include <string>

GType ListEnumType(const PropertyDesc& desc) {
    const SettingInfo& setting = *desc.setting;
    const std::string typeName = std::string("Lumeric") + char(std::toupper(setting.name[0])) + (setting.name + 1);
    // GEGL may register the module again after unloading it; the type stays.
    if (GType existing = g_type_from_name(typeName.c_str())) return existing;

    // GLib keeps the values for the life of the process.
    GEnumValue* values = g_new0(GEnumValue, setting.listCount + 1);
    for (int i = 0; i < setting.listCount; ++i) {
        values[i].value = i;
        values[i].value_name = g_intern_string(setting.listNames[i]);  // what GIMP's combo shows
        values[i].value_nick = g_intern_string(desc.listNicks[size_t(i)].c_str());
    }
    return g_enum_register_static(g_intern_string(typeName.c_str()), values);
}
