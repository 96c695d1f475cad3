#include "gegl/PropertySpecs.h"

#include <cstring>

#include "gegl/PropertyNames.h"

namespace {

bool Is(const SettingInfo& setting, const char* name) { return std::strcmp(setting.name, name) == 0; }

// Settings that act only for some kinds: GIMP hides their controls for the others.
using KindTest = bool (*)(int);
KindTest ActingKinds(const SettingInfo& setting) {
    if (Is(setting, "centerX") || Is(setting, "centerY")) return PatternHasCenter;
    if (Is(setting, "amplitude") || Is(setting, "frequency") || Is(setting, "phaseShift")) return PatternIsWaved;
    return nullptr;
}

// GIMP's expression for "pattern is one of these kinds": "pattern {rings, spiral}".
std::string VisibleForKinds(KindTest acts) {
    std::string kinds;
    for (int kind = 0; kind < kPatternKindCount; ++kind) {
        if (!acts(kind)) continue;
        if (!kinds.empty()) kinds += ", ";
        kinds += GeglValueNick(kPatternNames[kind]);
    }
    return GeglPropertyName(FindParam("pattern")->name) + " {" + kinds + "}";
}

PropertySpec SpecOf(const SettingInfo& setting) {
    PropertySpec spec{};
    spec.setting = &setting;
    spec.name = GeglPropertyName(setting.name);
    spec.label = setting.label;
    spec.description = setting.tooltip;
    spec.unit = "";
    // In single precision, as the dialog shows them: -1000 x 0.18 is -180.
    const float shown = setting.shownScale;
    spec.defaultValue = double(setting.defaultValue * shown);
    switch (setting.type) {
        case SettingType::Switch:
        case SettingType::Flag:
            spec.kind = PropertyKind::Switch;
            spec.minimum = 0;
            spec.maximum = 1;
            break;
        case SettingType::List:
            spec.kind = PropertyKind::List;
            spec.minimum = 0;
            spec.maximum = setting.listCount - 1;
            for (int i = 0; i < setting.listCount; ++i) spec.listNicks.push_back(GeglValueNick(setting.listNames[i]));
            break;
        case SettingType::Real:
            spec.kind = PropertyKind::Number;
            if (setting.hasDialogRange) {
                spec.minimum = double(setting.dialogMin * shown);
                spec.maximum = double(setting.dialogMax * shown);
            } else {
                // The rotation, whose dial counts whole turns: ten turns
                // either way, and one turn on the slider, for which GIMP
                // draws an angle dial.
                spec.unit = "degree";
                spec.minimum = -3600;
                spec.maximum = 3600;
            }
            break;
    }
    spec.uiMinimum = spec.unit[0] ? 0.0 : spec.minimum;
    spec.uiMaximum = spec.unit[0] ? 360.0 : spec.maximum;
    if (KindTest acts = ActingKinds(setting)) spec.visibleWhen = VisibleForKinds(acts);
    return spec;
}

// The table puts `invertIntensity` and `invert` behind the dialog's one
// "Invert" box; GIMP shows a control per property, so the second one gets
// a label of its own.
void LabelTheSecondInvert(PropertySpec* spec) {
    if (!Is(*spec->setting, "invert")) return;
    spec->label = "Swap ink and paper";
    spec->description = "Light strokes on dark paper";
}

}  // namespace

const std::vector<PropertySpec>& EngravePropertySpecs() {
    static const std::vector<PropertySpec> specs = [] {
        std::vector<PropertySpec> all;
        for (int i = 0; i < kParamCount; ++i) {
            if (!kParamTable[i].engraving) continue;
            all.push_back(SpecOf(kParamTable[i]));
            LabelTheSecondInvert(&all.back());
        }
        return all;
    }();
    return specs;
}

EngraveSettings SettingsFromPropertyValues(const double* values) {
    EngraveSettings settings = DefaultEngraveSettings();
    const std::vector<PropertySpec>& specs = EngravePropertySpecs();
    for (size_t i = 0; i < specs.size(); ++i) {
        const SettingInfo& setting = *specs[i].setting;
        SetSettingValue(&settings, setting, values[i] * double(setting.storedScale));
    }
    return settings;
}
