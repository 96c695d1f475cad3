// Records for preset tests: one whose every field holds a value no preset
// would write, so a test can tell exactly which fields a read changed.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "host/EngraveParams.h"
#include "host/ParamTable.h"

struct FieldValue {
    const char* field;
    double value;
};

// Settings 1..26 hold values such as 77 and 1234.5 + index, the run state
// 0x5A; padding is zero so whole records compare with memcmp.
inline EngraveParams SentinelRecord() {
    EngraveParams record;
    std::memset(&record, 0, sizeof record);
    for (int i = 0; i < kParamCount; ++i) {
        const SettingInfo& setting = kParamTable[i];
        SetParamValue(&record, setting, setting.type == ParamType::Float ? 1234.5 + i : 77 + i);
    }
    record.showDialog = 0x5A;
    record.rowSkip = 0x5A5A;
    record.canPreview = 0x5A;
    record.isPremiereHost = 0x5A;
    return record;
}

inline EngraveParams WithFields(EngraveParams record, const std::vector<FieldValue>& fields) {
    for (const FieldValue& f : fields) SetParamValue(&record, *FindParam(f.field), f.value);
    return record;
}

// Names the fields where two records differ, for failure messages.
inline std::string DifferingFields(const EngraveParams& a, const EngraveParams& b) {
    std::string names;
    for (int i = 0; i < kParamCount; ++i) {
        const SettingInfo& setting = kParamTable[i];
        if (std::memcmp(reinterpret_cast<const char*>(&a) + setting.offset,
                        reinterpret_cast<const char*>(&b) + setting.offset,
                        setting.type == ParamType::Float || setting.type == ParamType::Switch ||
                                setting.type == ParamType::Int
                            ? 4
                            : 1) != 0)
            names += std::string(setting.name) + "=" + std::to_string(GetParamValue(a, setting)) + " (want " +
                     std::to_string(GetParamValue(b, setting)) + ") ";
    }
    if (names.empty() && std::memcmp(&a, &b, sizeof a) != 0) names = "run state or padding";
    return names;
}

inline bool SameRecord(const EngraveParams& a, const EngraveParams& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
