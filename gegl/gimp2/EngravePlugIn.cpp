// plug-in-lumeric-engrave: GIMP 2.10's procedure that applies lumeric:engrave
// to a drawable, so that Script-Fu and batch runs can engrave. Its
// parameters after run-mode, image and drawable are the operation's
// properties, in the settings table's order (reals as floats, switches and
// lists as integers). Like GIMP's own filters it engraves the selection's
// bounding box as an image of its own and lets GIMP apply the selection.
#include <libgimp/gimp.h>

#include <string>
#include <vector>

#include "gegl/PropertyDescs.h"

namespace {

constexpr char kProcedure[] = "plug-in-lumeric-engrave";
constexpr char kOperation[] = "lumeric:engrave";
constexpr int kLeadingParams = 3;  // run-mode, image, drawable

std::string Number(double v) {
    char text[32];
    g_ascii_formatd(text, sizeof text, "%g", v);
    return text;
}

std::string ParamDescription(const PropertyDesc& desc) {
    std::string label = desc.label;
    if (!label.empty() && label.back() == ':') label.pop_back();
    std::string text = label + ": " + desc.description;
    switch (desc.kind) {
        case PropertyKind::Number: return text + " (" + Number(desc.minimum) + " .. " + Number(desc.maximum) + ")";
        case PropertyKind::Switch: return text + " (0 or 1)";
        case PropertyKind::List:
            text += " (";
            for (int i = 0; i < desc.setting->listCount; ++i)
                text += (i ? ", " : "") + std::to_string(i) + " = " + desc.setting->listNames[i];
            return text + ")";
    }
    return text;
}

void Query() {
    static std::vector<std::string> descriptions;  // GIMP reads the texts during the call
    std::vector<GimpParamDef> params = {
        {GIMP_PDB_INT32, const_cast<gchar*>("run-mode"), const_cast<gchar*>("The run mode")},
        {GIMP_PDB_IMAGE, const_cast<gchar*>("image"), const_cast<gchar*>("Input image (unused)")},
        {GIMP_PDB_DRAWABLE, const_cast<gchar*>("drawable"), const_cast<gchar*>("Input drawable")},
    };
    const std::vector<PropertyDesc>& descs = EngravePropertyDescs();
    descriptions.reserve(descs.size());
    for (const PropertyDesc& desc : descs) {
        descriptions.push_back(ParamDescription(desc));
        const GimpPDBArgType type = desc.kind == PropertyKind::Number ? GIMP_PDB_FLOAT : GIMP_PDB_INT32;
        params.push_back(
            {type, const_cast<gchar*>(desc.name.c_str()), const_cast<gchar*>(descriptions.back().c_str())});
    }
    gimp_install_procedure(kProcedure, "Engrave the drawable with LumericII",
                           "Turns the drawable, or its selected part, into a field of strokes whose thickness "
                           "follows the brightness, with the GEGL operation lumeric:engrave.",
                           "The LumericII authors", "The LumericII authors", "2026", nullptr, "RGB*, GRAY*",
                           GIMP_PLUGIN, gint(params.size()), 0, params.data(), nullptr);
}

// The property values from the call; empty with a message when one is
// missing or outside what the operation accepts.
std::vector<double> ReadValues(gint nparams, const GimpParam* params, std::string* error) {
    const std::vector<PropertyDesc>& descs = EngravePropertyDescs();
    if (nparams != kLeadingParams + gint(descs.size())) {
        *error = std::string(kProcedure) + " takes " + std::to_string(kLeadingParams + descs.size()) + " arguments";
        return {};
    }
    std::vector<double> values;
    for (size_t i = 0; i < descs.size(); ++i) {
        const GimpParam& p = params[kLeadingParams + i];
        const double v = descs[i].kind == PropertyKind::Number ? p.data.d_float : double(p.data.d_int32);
        if (!(v >= descs[i].minimum && v <= descs[i].maximum)) {
            *error = descs[i].name + " must lie in " + Number(descs[i].minimum) + " .. " + Number(descs[i].maximum);
            return {};
        }
        values.push_back(v);
    }
    return values;
}

void SetProperties(GeglNode* node, const std::vector<double>& values) {
    const std::vector<PropertyDesc>& descs = EngravePropertyDescs();
    for (size_t i = 0; i < descs.size(); ++i) {
        GParamSpec* pspec = gegl_node_find_property(node, descs[i].name.c_str());
        GValue value = G_VALUE_INIT;
        g_value_init(&value, G_PARAM_SPEC_VALUE_TYPE(pspec));
        switch (descs[i].kind) {
            case PropertyKind::Number: g_value_set_double(&value, values[i]); break;
            case PropertyKind::Switch: g_value_set_boolean(&value, values[i] != 0); break;
            case PropertyKind::List: g_value_set_enum(&value, int(values[i])); break;
        }
        gegl_node_set_property(node, descs[i].name.c_str(), &value);
        g_value_unset(&value);
    }
}

// The selection's bounds become an image of their own, as GIMP's filters
// see them (the operation engraves its input's extent wherever it lies);
// merging the shadow applies the selection.
void Engrave(gint32 drawable, const std::vector<double>& values) {
    gint x, y, width, height;
    if (!gimp_drawable_mask_intersect(drawable, &x, &y, &width, &height)) return;
    GeglBuffer* source = gimp_drawable_get_buffer(drawable);
    GeglBuffer* shadow = gimp_drawable_get_shadow_buffer(drawable);

    GeglNode* graph = gegl_node_new();
    GeglNode* read = gegl_node_new_child(graph, "operation", "gegl:buffer-source", "buffer", source, nullptr);
    GeglNode* crop = gegl_node_new_child(graph, "operation", "gegl:crop", "x", double(x), "y", double(y), "width",
                                         double(width), "height", double(height), nullptr);
    GeglNode* engrave = gegl_node_new_child(graph, "operation", kOperation, nullptr);
    GeglNode* write = gegl_node_new_child(graph, "operation", "gegl:write-buffer", "buffer", shadow, nullptr);
    gegl_node_link_many(read, crop, engrave, write, nullptr);
    SetProperties(engrave, values);

    gimp_progress_init("LumericII");
    GeglProcessor* processor = gegl_node_new_processor(write, nullptr);
    double progress = 0;
    while (gegl_processor_work(processor, &progress)) gimp_progress_update(progress);
    g_object_unref(processor);
    g_object_unref(graph);
    g_object_unref(shadow);  // flushes the shadow before it is merged
    g_object_unref(source);

    gimp_drawable_merge_shadow(drawable, TRUE);
    gimp_drawable_update(drawable, x, y, width, height);
}

void Run(const gchar*, gint nparams, const GimpParam* params, gint* nreturn, GimpParam** returns) {
    static GimpParam result[2];
    static std::string message;
    *returns = result;
    *nreturn = 1;
    result[0].type = GIMP_PDB_STATUS;
    result[0].data.d_status = GIMP_PDB_SUCCESS;
    auto fail = [&](GimpPDBStatusType status, const std::string& text) {
        message = text;
        result[0].data.d_status = status;
        result[1].type = GIMP_PDB_STRING;
        result[1].data.d_string = const_cast<gchar*>(message.c_str());
        *nreturn = 2;
    };

    std::string error;
    const std::vector<double> values = ReadValues(nparams, params, &error);
    if (values.empty()) return fail(GIMP_PDB_CALLING_ERROR, error);
    gegl_init(nullptr, nullptr);
    if (!gegl_has_operation(kOperation))
        return fail(GIMP_PDB_EXECUTION_ERROR,
                    std::string("GEGL has no ") + kOperation + ": install lumeric-engrave.so in a GEGL plug-in folder");
    const gint32 drawable = params[2].data.d_drawable;
    Engrave(drawable, values);
    if (params[0].data.d_int32 != GIMP_RUN_NONINTERACTIVE) gimp_displays_flush();
}

}  // namespace

const GimpPlugInInfo PLUG_IN_INFO = {nullptr, nullptr, Query, Run};

MAIN()
