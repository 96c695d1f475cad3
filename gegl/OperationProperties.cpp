// GParamSpecs from the property descriptions, and the values behind them.
#include <cstring>

#include "gegl/EngraveOperation.h"
#include "gegl/ListEnums.h"
#include "gegl/PropertyDescs.h"

namespace {

const PropertyDesc* DescOfId(guint id) {
    const std::vector<PropertyDesc>& descs = EngravePropertyDescs();
    return id >= 1 && id <= descs.size() ? &descs[id - 1] : nullptr;
}

void SetProperty(GObject* object, guint id, const GValue* value, GParamSpec* pspec) {
    const PropertyDesc* desc = DescOfId(id);
    if (!desc) {
        G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
        return;
    }
    double& slot = reinterpret_cast<LumericEngrave*>(object)->values[id - 1];
    switch (desc->kind) {
        case PropertyKind::Number: slot = g_value_get_double(value); break;
        case PropertyKind::Switch: slot = g_value_get_boolean(value) ? 1 : 0; break;
        case PropertyKind::List: slot = g_value_get_enum(value); break;
    }
}

void GetProperty(GObject* object, guint id, GValue* value, GParamSpec* pspec) {
    const PropertyDesc* desc = DescOfId(id);
    if (!desc) {
        G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
        return;
    }
    const double slot = reinterpret_cast<LumericEngrave*>(object)->values[id - 1];
    switch (desc->kind) {
        case PropertyKind::Number: g_value_set_double(value, slot); break;
        case PropertyKind::Switch: g_value_set_boolean(value, slot != 0); break;
        case PropertyKind::List: g_value_set_enum(value, int(slot)); break;
    }
}

// GEGL's usual slider steps and digits for a range (as its own operations get them).
void SetSliderSteps(GParamSpec* pspec, const PropertyDesc& desc) {
    GeglParamSpecDouble* slider = GEGL_PARAM_SPEC_DOUBLE(pspec);
    if (desc.unit[0]) {
        gegl_param_spec_double_set_steps(slider, 1.0, 15.0);
        gegl_param_spec_double_set_digits(slider, 2);
        return;
    }
    const double span = desc.uiMaximum - desc.uiMinimum;
    gegl_param_spec_double_set_steps(slider, 1.0, span > 500 ? 100.0 : 10.0);
    gegl_param_spec_double_set_digits(slider, span > 500 ? 1 : 2);
}

GParamSpec* ParamSpecOf(const PropertyDesc& desc) {
    // As GEGL's own operations declare theirs: settable at construction and
    // usable as input pads.
    const auto flags = GParamFlags(G_PARAM_READWRITE | G_PARAM_CONSTRUCT | GEGL_PARAM_PAD_INPUT);
    const char* name = desc.name.c_str();
    const char* label = desc.label.c_str();
    const char* blurb = desc.description.c_str();
    GParamSpec* pspec = nullptr;
    switch (desc.kind) {
        case PropertyKind::Number:
            pspec = gegl_param_spec_double(name, label, blurb, desc.minimum, desc.maximum, desc.defaultValue,
                                           desc.uiMinimum, desc.uiMaximum, 1.0, flags);
            SetSliderSteps(pspec, desc);
            break;
        case PropertyKind::Switch:
            pspec = g_param_spec_boolean(name, label, blurb, desc.defaultValue != 0, flags);
            break;
        case PropertyKind::List:
            pspec = gegl_param_spec_enum(name, label, blurb, ListEnumType(desc), int(desc.defaultValue), flags);
            break;
    }
    if (desc.unit[0]) {
        gegl_param_spec_set_property_key(pspec, "unit", desc.unit);
        // The rotation turns clockwise on the image (y grows downwards).
        gegl_param_spec_set_property_key(pspec, "direction", "cw");
    }
    if (!desc.visibleWhen.empty()) gegl_param_spec_set_property_key(pspec, "visible", desc.visibleWhen.c_str());
    return pspec;
}

}  // namespace

void InstallEngraveProperties(GObjectClass* klass) {
    klass->set_property = SetProperty;
    klass->get_property = GetProperty;
    const std::vector<PropertyDesc>& descs = EngravePropertyDescs();
    g_assert(descs.size() <= size_t(kMaxEngraveProperties));
    for (size_t i = 0; i < descs.size(); ++i)
        g_object_class_install_property(klass, guint(i + 1), ParamSpecOf(descs[i]));
}

EngraveSettings EngraveSettingsOf(GeglOperation* operation) {
    return SettingsFromPropertyValues(reinterpret_cast<LumericEngrave*>(operation)->values);
}
