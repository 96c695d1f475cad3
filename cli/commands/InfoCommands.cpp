// lumeric about, lumeric params.
#include <cstdio>
#include <string>

#include "cli/commands/Commands.h"
#include "cli/commands/ExitCodes.h"
#include "cli/commands/Settings.h"
#include "cli/session/FilterModule.h"
#include "cli/session/HostSession.h"

int RunAbout(const CommandLine& line) {
    std::string error;
    PluginEntryProc entry = LoadFilterModule(line.plugin, &error);
    if (!entry) {
        std::fprintf(stderr, "lumeric: %s\n", error.c_str());
        return kExitUsage;
    }
    CallAbout(entry, HostWindowForDialogs());
    return kExitDone;
}

int RunParams() {
    std::printf("%-16s %-16s %-14s %s\n", "NAME", "DEFAULT", "DIALOG RANGE", "MEANING");
    for (int i = 0; i < kParamCount; ++i) {
        const SettingInfo& setting = kParamTable[i];
        if (!IsEngravingSetting(setting)) continue;
        std::string range;
        if (setting.listCount) {
            range = "0.." + std::to_string(setting.listCount - 1);
        } else if (setting.type != SettingType::Real) {
            range = "0 or 1";
        } else if (!setting.hasDialogRange) {
            range = "any";
        } else {
            range = FormatSettingValue(setting, setting.dialogMin) + ".." + FormatSettingValue(setting, setting.dialogMax);
        }
        std::printf("%-16s %-16s %-14s %s (\"%s\")\n", setting.name, FormatSettingValue(setting, setting.defaultValue).c_str(),
                    range.c_str(), setting.tooltip, setting.label);
        if (setting.listCount) {
            for (int n = 0; n < setting.listCount; ++n) std::printf("%50d = %s\n", n, setting.listNames[n]);
        }
    }
    std::printf("\nphaseShift is stored in units of 0.18 degrees (-1000..1000 = -180..180 degrees).\n"
                "invertIntensity=1 makes dark pixels give thick strokes; the dialog's \"Invert\" box sets\n"
                "invertIntensity=0 and invert=1 together.\n");
    return kExitDone;
}
