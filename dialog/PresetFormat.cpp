#include "dialog/PresetFormat.h"

#include <cstring>

// The labels are the file format's own texts, spelling included: older
// readers and users' files know them this way.
const PresetLineFormat kPresetLines[kPresetLineCount] = {
    {FourCC("Angl"), ";Rotation"},
    {FourCC("Ofst"), ";Offset"},
    {FourCC("Spac"), ";Space"},
    {FourCC("Wdth"), ";Width"},
    {FourCC("Lvls"), ";Contrast"},
    {FourCC("BRel"), ";Randomness"},
    {FourCC("Ampl"), ";Amplitude"},
    {FourCC("Frqn"), ";Frequency"},
    {FourCC("Shif"), ";Shift of phase"},
    {FourCC("Usil"), ";Threshould"},
    {FourCC("CntX"), ";Center X"},
    {FourCC("CntY"), ";Center Y"},
    {FourCC("Nois"), ";Noise"},
    {FourCC("InvI"), ";Invert intensivity"},
    {FourCC("Invr"), ";Invert"},
    {FourCC("NoBr"), ";Not break"},
    {FourCC("UsBg"), ";Use circles"},
    {FourCC("ClSt"), ";Color schema"},
    {FourCC("Geom"), ";Pattern"},
    {FourCC("FllA"), ";Fill alpha"},
    {FourCC("AntA"), ";Draw with antialiasing"},
};

void PresetFileKey(OSType code, char key[4]) {
    for (int i = 0; i < 4; ++i) key[i] = char((code >> (8 * i)) & 0xFF);
}

const PresetLineFormat* FindPresetLine(const char* bytes) {
    for (const PresetLineFormat& line : kPresetLines) {
        char key[4];
        PresetFileKey(line.code, key);
        if (std::memcmp(key, bytes, 4) == 0) return &line;
    }
    return nullptr;
}

const SettingInfo& PresetLineParam(const PresetLineFormat& line) {
    // Every code of the line table is in the settings table; the tests hold
    // the two tables to that.
    return *FindParamByKey(line.code);
}

bool IsPresetReal(const SettingInfo& setting) { return setting.type == ParamType::Float; }
