#include "cli/commands/Settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/ScriptParams.h"

bool ParseSetting(const std::string& text, SettingAssignment* assignment, std::string* error) {
    const size_t equals = text.find('=');
    if (equals == std::string::npos) {
        *error = "\"" + text + "\" is not NAME=VALUE";
        return false;
    }
    const std::string name = text.substr(0, equals), value = text.substr(equals + 1);
    const SettingInfo* setting = FindParam(name.c_str());
    if (!setting || !IsEngravingSetting(*setting)) {
        *error = "unknown setting \"" + name + "\" (see: lumeric params)";
        return false;
    }
    double parsed = 0;
    if (!ParseSettingText(*setting, value.c_str(), &parsed)) {
        *error = "bad value \"" + value + "\" for " + name;
        if (setting->listCount) *error += " (a number 0.." + std::to_string(setting->listCount - 1) + " or a name from: lumeric params)";
        else if (setting->type != SettingType::Real) *error += " (a whole number)";
        else *error += " (a number)";
        return false;
    }
    assignment->setting = setting;
    assignment->value = parsed;
    return true;
}

Descriptor DescriptorFromSettings(const EngraveSettings& settings) {
    Descriptor descriptor;
    for (int order = 1; order <= kCarriedSettingCount; ++order) {
        const SettingInfo* setting = ParamAtDescriptorOrder(order);
        if (!setting) continue;
        const ScriptValue v = ScriptValueOf(settings, *setting);
        DescriptorItem item;
        item.key = setting->code;
        item.type = v.type;
        item.unit = v.type == typeUnitFloat ? unitPercent : 0;
        item.number = v.value;
        descriptor.items.push_back(item);
    }
    return descriptor;
}

void SetDescriptorValue(Descriptor* descriptor, const SettingAssignment& assignment) {
    EngraveSettings scratch{};
    SetSettingValue(&scratch, *assignment.setting, assignment.value);
    const ScriptValue v = ScriptValueOf(scratch, *assignment.setting);
    DescriptorItem item;
    item.key = assignment.setting->code;
    item.type = v.type;
    item.unit = v.type == typeUnitFloat ? unitPercent : 0;
    item.number = v.value;
    descriptor->Set(item);
}

std::string FormatSettingValue(const SettingInfo& setting, double value) {
    if (setting.listCount && value >= 0 && value < setting.listCount) return setting.listNames[int(value)];
    char text[64];
    if (setting.type == SettingType::Real)
        std::snprintf(text, sizeof text, "%.9g", value);
    else
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    return text;
}
