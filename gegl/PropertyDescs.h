// The operation's properties, derived from the settings table: one per
// engraving setting, named in GEGL's style, with the table's defaults,
// dialog ranges, labels, tooltips and list names. Values are held as the
// dialog shows them (the phase in degrees) and stored into the settings
// with the table's scale. Plain data, so that the derivation is tested
// without GEGL; the GEGL and GIMP glue turn it into their own types.
#pragma once

#include <string>
#include <vector>

#include "settings/EngraveSettings.h"
#include "settings/ParamTable.h"

enum class PropertyKind { Number, Switch, List };

struct PropertyDesc {
    const SettingInfo* setting;
    PropertyKind kind;
    std::string name;                    // "color-schema"
    std::string label;                   // GIMP's label for the control
    std::string description;             // its tooltip
    double minimum, maximum;             // what the property accepts (shown units)
    double uiMinimum, uiMaximum;         // the slider's range
    double defaultValue;                 // shown units; lists by index, switches 0 or 1
    const char* unit;                    // "degree" for an angle, else empty
    std::string visibleWhen;             // GIMP's condition for showing the control, empty: always
    std::vector<std::string> listNicks;  // lists: the entries' nicks, in table order
};

// In the table's order of the engraving settings.
const std::vector<PropertyDesc>& EngravePropertyDescs();

// Settings from one value per property (shown units; switches and lists as
// 0/1 and indices).
EngraveSettings SettingsFromPropertyValues(const double* values);
