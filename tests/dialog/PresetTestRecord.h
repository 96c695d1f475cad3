// Records for preset tests: one whose every field holds a value no preset
// would write, so a test can tell exactly which fields a read changed.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "settings/ParamTable.h"

struct FieldValue {
    const char* field;
    double value;
};

inline SettingValues DefaultValues() { return SettingValues{DefaultEngraveSettings(), DefaultDialogPreferences()}; }

// Every field holds a value such as 77 and 1234.5 + its index.
inline SettingValues SentinelRecord() {
    SettingValues record;
    std::memset(&record, 0, sizeof record);
    for (int i = 0; i < kParamCount; ++i) {
        const SettingInfo& setting = kParamTable[i];
        SetSettingValue(&record, setting, setting.type == SettingType::Real ? 1234.5 + i : 77 + i);
    }
    return record;
}

inline SettingValues WithFields(SettingValues record, const std::vector<FieldValue>& fields) {
    for (const FieldValue& f : fields) SetSettingValue(&record, *FindParam(f.field), f.value);
    return record;
}

inline size_t FieldBytes(const SettingInfo& s) {
    return s.type == SettingType::Real || s.type == SettingType::Switch ? 4 : 1;
}

// Names the fields where two records differ, for failure messages.
inline std::string DifferingFields(const SettingValues& a, const SettingValues& b) {
    std::string names;
    for (int i = 0; i < kParamCount; ++i) {
        const SettingInfo& setting = kParamTable[i];
        if (std::memcmp(reinterpret_cast<const char*>(&a) + setting.offset,
                        reinterpret_cast<const char*>(&b) + setting.offset, FieldBytes(setting)) != 0)
            names += std::string(setting.name) + "=" + std::to_string(GetSettingValue(a, setting)) + " (want " +
                     std::to_string(GetSettingValue(b, setting)) + ") ";
    }
    return names;
}

// Bit for bit, field by field (a NaN equals the same NaN).
inline bool SameRecord(const SettingValues& a, const SettingValues& b) { return DifferingFields(a, b).empty(); }
