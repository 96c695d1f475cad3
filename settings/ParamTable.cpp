#include "settings/ParamTable.h"

#include <cstring>

const char* const kPatternNames[kPatternKindCount] = {
    "Lines",          "Waves 1",        "Waves 2",        "Rings",          "Rings waves 1",
    "Rings waves 2",  "Rings waves 3",  "Rings waves 4",  "Spiral",         "Spiral waves 1",
    "Spiral waves 2", "Spiral waves 3", "Spiral waves 4",
};

const char* const kColorSchemaNames[kColorSchemaCount] = {
    "Initial color",
    "Split color",
    "Black and white",
};

namespace {

constexpr size_t kEngraving = offsetof(SettingValues, engraving);
constexpr size_t kDialog = offsetof(SettingValues, dialog);

constexpr SettingInfo Row(const char* name, SettingType type, size_t offset, bool engraving, float defaultValue) {
    SettingInfo s;
    s.name = name;
    s.type = type;
    s.offset = offset;
    s.engraving = engraving;
    s.defaultValue = defaultValue;
    return s;
}

#define SETTING(field, type, def) Row(#field, SettingType::type, kEngraving + offsetof(EngraveSettings, field), true, def)
#define PREFERENCE(field, type, def) Row(#field, SettingType::type, kDialog + offsetof(DialogPreferences, field), false, def)

constexpr SettingInfo List(SettingInfo s, const char* const* names, int count) {
    s.listNames = names;
    s.listCount = count;
    s.hasDialogRange = true;
    s.dialogMin = 0;
    s.dialogMax = float(count - 1);
    return s;
}

}  // namespace

// The labels cross on purpose: the field `contrast` is edited by the control
// labelled "Threshold" and `threshold` by the one labelled "Contrast"; both
// `invertIntensity` and `invert` sit behind the one "Invert" box. Preset
// labels are the file format's own texts, spelling included.
// clang-format off
const SettingInfo kParamTable[] = {
    List(SETTING(colorSchema, List, 2), kColorSchemaNames, kColorSchemaCount)
        .Script("ClSt", 18).Announced().Preset(18, ";Color schema").Legacy()
        .Dialog("Color schema:", "Color Schema"),
    List(SETTING(pattern, List, 1), kPatternNames, kPatternKindCount)
        .Script("Geom", 19).Announced().Preset(19, ";Pattern").Legacy()
        .Dialog("Pattern:", "Geometry elements for lumeric pattern"),
    PREFERENCE(autoUpdate, Switch, 1).Legacy()
        .Dialog("Auto update", "Automatically update preview window when any parameter is changed"),
    SETTING(invertIntensity, Switch, 1)
        .Script("InvI", 13).Announced().Preset(14, ";Invert intensivity").Legacy()
        .Dialog("Invert", "Invert finally pattern"),
    SETTING(noAntialias, Switch, 0)
        .Script("AntA", 15).Announced().InvertedInScript().Preset(21, ";Draw with antialiasing").Legacy()
        .Dialog("Solid Ink", "Draw without antialiasing for screen printing i.e."),
    SETTING(invert, Switch, 0)
        .Script("Invr", 14).Announced().Preset(15, ";Invert").Legacy()
        .Dialog("Invert", "Invert finally pattern"),
    SETTING(notBreak, Switch, 0)
        .Script("NoBr", 16).Announced().Preset(16, ";Not break").Legacy()
        .Dialog("Not break", "Lines will have no breaks"),
    SETTING(useCircles, Switch, 0)
        .Script("UsBg", 17).Announced().Preset(17, ";Use circles").Legacy()
        .Dialog("Use dots", "Use big elements for pattern"),
    SETTING(rotation, Real, 30)
        .Script("Angl", 1).Announced().Preset(1, ";Rotation").Legacy()
        .Dialog("Rotation", "Angle for pattern direction"),
    SETTING(space, Real, 20)
        .Script("Spac", 3).Announced().Preset(3, ";Space").Legacy()
        .Dialog("Space", "Distance between elements").Range(5, 100),
    SETTING(offset, Real, 0)
        .Script("Ofst", 2).Preset(2, ";Offset").Legacy()
        .Dialog("Offset", "Shift of geometry elements").Range(0, 1000),
    SETTING(width, Real, 100)
        .Script("Wdth", 4).Announced().Preset(4, ";Width").Legacy()
        .Dialog("Width", "Width of geometry elements").Range(15, 200),
    SETTING(contrast, Real, 0)
        .Script("Lvls", 5).Preset(5, ";Contrast").Legacy()
        .Dialog("Threshold", "Retouch lumeric picture").Caption("Retouch").Range(-100, 1000),
    SETTING(randomness, Real, 0)
        .Script("BRel", 6).Announced().Preset(6, ";Randomness").Legacy()
        .Dialog("Randomness", "Additional artistic distortion").Caption("Add relief").Range(-1000, 1000),
    SETTING(amplitude, Real, 100)
        .Script("Ampl", 7).Announced().Preset(7, ";Amplitude").Legacy()
        .Dialog("Amplitude", "Waves amplitude").Range(0, 1000),
    SETTING(frequency, Real, 100)
        .Script("Frqn", 8).Preset(8, ";Frequency").Legacy()
        .Dialog("Frequency", "Waves frequency").Range(0, 1000),
    SETTING(phaseShift, Real, 0)
        .Script("Shif", 9).Announced().Preset(9, ";Shift of phase").Legacy()
        .Dialog("Shift of phase", "Shift of wave phase").Caption("Shift").Range(-1000, 1000).Shown(0.18f, 5.5555553f),
    SETTING(threshold, Real, 0)
        .Script("Usil", 10).Announced().Preset(10, ";Threshould").Legacy()
        .Dialog("Contrast", "Amplify contrast of lumeric picture").Caption("Amplification").Range(-300, 300),
    SETTING(centerX, Real, 0)
        .Script("CntX", 11).Announced().Preset(11, ";Center X").Legacy()
        .Dialog("Center X", "Pattern center by X").Range(-1000, 1000),
    SETTING(centerY, Real, 0)
        .Script("CntY", 12).Announced().Preset(12, ";Center Y").Legacy()
        .Dialog("Center Y", "Pattern center by Y").Range(-1000, 1000),
    SETTING(fillAlpha, Flag, 1)
        .Script("FllA", 20).Announced().Preset(20, ";Fill alpha")
        .Dialog("Fill alpha", "Set alpha channel as opaque or transparent"),
    SETTING(noise, Real, 0)
        .Script("Nois", 21).Announced().Preset(13, ";Noise")
        .Dialog("Noise", "Add noise").Range(0, 100),
    PREFERENCE(checkerboard, Flag, 1)
        .Dialog("Checkboard background", "Show preview as checkboard or solid"),
};
// clang-format on

const int kParamCount = int(sizeof(kParamTable) / sizeof(kParamTable[0]));

const SettingInfo* FindParam(const char* name) {
    for (const SettingInfo& setting : kParamTable)
        if (std::strcmp(setting.name, name) == 0) return &setting;
    return nullptr;
}

const SettingInfo* FindParamByCode(OSType code) {
    if (code == 0) return nullptr;
    for (const SettingInfo& setting : kParamTable)
        if (setting.code == code) return &setting;
    return nullptr;
}

const SettingInfo* ParamAtDescriptorOrder(int order) {
    for (const SettingInfo& setting : kParamTable)
        if (setting.code != 0 && setting.descriptorOrder == order) return &setting;
    return nullptr;
}

const SettingInfo* ParamAtPresetLine(int line) {
    for (const SettingInfo& setting : kParamTable)
        if (setting.presetLine != 0 && setting.presetLine == line) return &setting;
    return nullptr;
}
