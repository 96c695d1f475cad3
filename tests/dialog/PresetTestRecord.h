// Shared by the preset tests: a preset written out by hand with the values
// it carries, and records whose every field holds a value no preset would
// write, so a test can tell exactly which fields a read changed.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "settings/ParamTable.h"

struct FieldValue { const char* field; double value; };

// Per line key, blank, value ("%f" or a byte's "%d"), blank, four tabs,
// ';' label, blank, line feed.
const std::string kHeader = "Corvessa Lumeric\n";
const std::string kAllLines =
    "lgnA 12.500000 \t\t\t\t;Rotation \n"
    "tsfO 250.000000 \t\t\t\t;Offset \n"
    "capS 33.000000 \t\t\t\t;Space \n"
    "htdW 150.000000 \t\t\t\t;Width \n"
    "slvL -40.000000 \t\t\t\t;Contrast \n"
    "leRB 500.000000 \t\t\t\t;Randomness \n"
    "lpmA 321.000000 \t\t\t\t;Amplitude \n"
    "nqrF 654.000000 \t\t\t\t;Frequency \n"
    "fihS -1000.000000 \t\t\t\t;Shift of phase \n"
    "lisU 7.250000 \t\t\t\t;Threshould \n"
    "XtnC -500.000000 \t\t\t\t;Center X \n"
    "YtnC 499.500000 \t\t\t\t;Center Y \n"
    "sioN 3.000000 \t\t\t\t;Noise \n"
    "IvnI 0 \t\t\t\t;Invert intensivity \n"
    "rvnI 1 \t\t\t\t;Invert \n"
    "rBoN 1 \t\t\t\t;Not break \n"
    "gBsU 1 \t\t\t\t;Use circles \n"
    "tSlC 1 \t\t\t\t;Color schema \n"
    "moeG 12 \t\t\t\t;Pattern \n"
    "AllF 0 \t\t\t\t;Fill alpha \n"
    "AtnA 1 \t\t\t\t;Draw with antialiasing \n";
const std::vector<FieldValue> kAllValues = {
    {"rotation", 12.5},    {"offset", 250},        {"space", 33},     {"width", 150},      {"contrast", -40},
    {"randomness", 500},   {"amplitude", 321},     {"frequency", 654}, {"phaseShift", -1000}, {"threshold", 7.25},
    {"centerX", -500},     {"centerY", 499.5},     {"noise", 3},      {"invertIntensity", 0}, {"invert", 1},
    {"notBreak", 1},       {"useCircles", 1},      {"colorSchema", 1}, {"pattern", 12},     {"fillAlpha", 0},
    {"noAntialias", 1},
};

inline SettingValues DefaultValues() { return SettingValues{DefaultEngraveSettings(), DefaultDialogPreferences()}; }

inline SettingValues WithFields(SettingValues record, const std::vector<FieldValue>& fields) {
    for (const FieldValue& f : fields) SetSettingValue(&record, *FindParam(f.field), f.value);
    return record;
}

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

// Names the fields where two records differ, bit for bit (a NaN equals the
// same NaN), for failure messages: empty when they are the same.
inline std::string DifferingFields(const SettingValues& a, const SettingValues& b) {
    std::string names;
    for (int i = 0; i < kParamCount; ++i) {
        const SettingInfo& s = kParamTable[i];
        const size_t bytes = s.type == SettingType::Real || s.type == SettingType::Switch ? 4 : 1;
        if (std::memcmp(reinterpret_cast<const char*>(&a) + s.offset, reinterpret_cast<const char*>(&b) + s.offset,
                        bytes) != 0)
            names += std::string(s.name) + "=" + std::to_string(GetSettingValue(a, s)) + " (want " +
                     std::to_string(GetSettingValue(b, s)) + ") ";
    }
    return names;
}
