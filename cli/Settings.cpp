#include "cli/Settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/ScriptParams.h"

bool IsEngravingSetting(const ParamSpec& spec) { return spec.carriers == kCarriedByScriptAndPreset; }

bool ParseSetting(const std::string& text, SettingAssignment* assignment, std::string* error) {
    const size_t equals = text.find('=');
    if (equals == std::string::npos) {
        *error = "\"" + text + "\" is not NAME=VALUE";
        return false;
    }
    const std::string name = text.substr(0, equals), value = text.substr(equals + 1);
    const ParamSpec* spec = FindParam(name.c_str());
    if (!spec || !IsEngravingSetting(*spec)) {
        *error = "unknown setting \"" + name + "\" (see: lumeric params)";
        return false;
    }
    double parsed = 0;
    if (!ParseParamValue(*spec, value.c_str(), &parsed)) {
        *error = "bad value \"" + value + "\" for " + name;
        if (spec->listCount) *error += " (a number 0.." + std::to_string(spec->listCount - 1) + " or a name from: lumeric params)";
        else if (spec->type != ParamType::Float) *error += " (a whole number)";
        else *error += " (a number)";
        return false;
    }
    assignment->spec = spec;
    assignment->value = parsed;
    return true;
}

Descriptor DescriptorFromParams(const EngraveParams& params) {
    Descriptor descriptor;
    for (OSType key : kScriptKeyOrder) {
        const ParamSpec* spec = FindParamByKey(key);
        if (!spec) continue;
        const ScriptValue v = ScriptValueOf(params, *spec);
        DescriptorItem item;
        item.key = key;
        item.type = v.type;
        item.unit = v.type == typeUnitFloat ? unitPercent : 0;
        item.number = v.value;
        descriptor.items.push_back(item);
    }
    return descriptor;
}

void SetDescriptorValue(Descriptor* descriptor, const SettingAssignment& assignment) {
    EngraveParams scratch{};
    SetParamValue(&scratch, *assignment.spec, assignment.value);
    const ScriptValue v = ScriptValueOf(scratch, *assignment.spec);
    DescriptorItem item;
    item.key = assignment.spec->key;
    item.type = v.type;
    item.unit = v.type == typeUnitFloat ? unitPercent : 0;
    item.number = v.value;
    descriptor->Set(item);
}

std::string FormatSettingValue(const ParamSpec& spec, double value) {
    if (spec.listCount && value >= 0 && value < spec.listCount) return spec.listNames[int(value)];
    char text[64];
    if (spec.type == ParamType::Float)
        std::snprintf(text, sizeof text, "%.9g", value);
    else
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    return text;
}
