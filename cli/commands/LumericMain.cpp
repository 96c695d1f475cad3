// The lumeric command: parses the command line and runs one command.
#include <cstdio>
#include <string>

#include "cli/commands/CommandLine.h"
#include "cli/commands/Commands.h"
#include "cli/commands/ExitCodes.h"
#include "cli/session/FilterModule.h"
#include "host/Alert.h"

int LumericMain(int argc, char** argv) {
    CommandLine line;
    std::string error;
    if (!ParseCommandLine(argc, argv, &line, &error)) {
        std::fprintf(stderr, "lumeric: %s\n(try: lumeric --help)\n", error.c_str());
        return kExitUsage;
    }
#if defined(_WIN32)
    const bool windows = true;
#else
    const bool windows = false;
#endif
    RouteModuleMessagesToConsole(line.dialog);
    switch (line.kind) {
        case CommandKind::Help: std::fputs(HelpText(windows).c_str(), stdout); return kExitDone;
        case CommandKind::Version: std::printf("lumeric %s (%s)\n", kProductVersion, kProductName); return kExitDone;
        case CommandKind::Engrave: return RunEngrave(line);
        case CommandKind::About: return RunAbout(line);
        case CommandKind::Params: return RunParams();
        case CommandKind::PresetShow: return RunPresetShow(line);
        case CommandKind::PresetSave: return RunPresetSave(line);
    }
    return kExitUsage;
}
