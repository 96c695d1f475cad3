#include "gegl/PropertyDescs.h"

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

PropertyDesc SpecOf(const SettingInfo& setting) {
    PropertyDesc desc{};
    desc.setting = &setting;
    desc.name = GeglPropertyName(setting.name);
    desc.label = setting.label;
    desc.description = setting.tooltip;
    desc.unit = "";
    // In single precision, as the dialog shows them: -1000 x 0.18 is -180.
    const float shown = setting.shownScale;
    desc.defaultValue = double(setting.defaultValue * shown);
    switch (setting.type) {
        case SettingType::Switch:
        case SettingType::Flag:
            desc.kind = PropertyKind::Switch;
            desc.minimum = 0;
            desc.maximum = 1;
            break;
        case SettingType::List:
            desc.kind = PropertyKind::List;
            desc.minimum = 0;
            desc.maximum = setting.listCount - 1;
            for (int i = 0; i < setting.listCount; ++i) desc.listNicks.push_back(GeglValueNick(setting.listNames[i]));
            break;
        case SettingType::Real:
            desc.kind = PropertyKind::Number;
            if (setting.hasDialogRange) {
                desc.minimum = double(setting.dialogMin * shown);
                desc.maximum = double(setting.dialogMax * shown);
            } else {
                // The rotation, whose dial counts whole turns: ten turns
                // either way, and one turn on the slider, for which GIMP
                // draws an angle dial.
                desc.unit = "degree";
                desc.minimum = -3600;
                desc.maximum = 3600;
            }
            break;
    }
    desc.uiMinimum = desc.unit[0] ? 0.0 : desc.minimum;
    desc.uiMaximum = desc.unit[0] ? 360.0 : desc.maximum;
    if (KindTest acts = ActingKinds(setting)) desc.visibleWhen = VisibleForKinds(acts);
    return desc;
}

// The table puts `invertIntensity` and `invert` behind the dialog's one
// "Invert" box; GIMP shows a control per property, so the second one gets
// a label of its own.
void LabelTheSecondInvert(PropertyDesc* desc) {
    if (!Is(*desc->setting, "invert")) return;
    desc->label = "Swap ink and paper";
    desc->description = "Light strokes on dark paper";
}

}  // namespace

const std::vector<PropertyDesc>& EngravePropertyDescs() {
    static const std::vector<PropertyDesc> descs = [] {
        std::vector<PropertyDesc> all;
        for (int i = 0; i < kParamCount; ++i) {
            if (!kParamTable[i].engraving) continue;
            all.push_back(SpecOf(kParamTable[i]));
            LabelTheSecondInvert(&all.back());
        }
        return all;
    }();
    return descs;
}

EngraveSettings SettingsFromPropertyValues(const double* values) {
    EngraveSettings settings = DefaultEngraveSettings();
    const std::vector<PropertyDesc>& descs = EngravePropertyDescs();
    for (size_t i = 0; i < descs.size(); ++i) {
        const SettingInfo& setting = *descs[i].setting;
        SetSettingValue(&settings, setting, values[i] * double(setting.storedScale));
    }
    return settings;
}
