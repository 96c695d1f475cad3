// lumeric preset show, lumeric preset save.
#include <cstdio>

#include "cli/commands/Commands.h"
#include "cli/commands/ExitCodes.h"
#include "cli/commands/Settings.h"
#include "cli/files/PresetAccess.h"
#include "cli/files/SafeOutput.h"
#include "dialog/PresetFormat.h"

int RunPresetShow(const CommandLine& line) {
    SettingValues values{DefaultEngraveSettings(), DefaultDialogPreferences()};
    std::string error;
    if (!LoadPresetFile(line.inputs[0], &values, &error)) {
        std::fprintf(stderr, "lumeric: %s: %s\n", line.inputs[0].c_str(), error.c_str());
        return kExitInput;
    }
    for (int presetLine = 1; presetLine <= kCarriedSettingCount; ++presetLine) {
        const SettingInfo* setting = ParamAtPresetLine(presetLine);
        if (!setting) continue;
        std::printf("%s = %s\n", setting->name, FormatSettingValue(*setting, GetSettingValue(values, *setting)).c_str());
    }
    return kExitDone;
}

int RunPresetSave(const CommandLine& line) {
    SettingValues values{DefaultEngraveSettings(), DefaultDialogPreferences()};
    std::string error;
    if (!line.preset.empty() && !LoadPresetFile(line.preset, &values, &error)) {
        std::fprintf(stderr, "lumeric: %s: %s\n", line.preset.c_str(), error.c_str());
        return kExitInput;
    }
    for (const std::string& text : line.sets) {
        SettingAssignment a;
        if (!ParseSetting(text, &a, &error)) {
            std::fprintf(stderr, "lumeric: --set %s\n", error.c_str());
            return kExitUsage;
        }
        SetSettingValue(&values, *a.setting, a.value);
    }
    const std::string& path = line.inputs[0];
    if (!WriteFileSafely(path, FormatPresetText(values.engraving), line.force, &error)) {
        std::fprintf(stderr, "lumeric: %s: %s\n", path.c_str(), error.c_str());
        return kExitOutput;
    }
    return kExitDone;
}
