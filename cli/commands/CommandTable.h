// The lumeric command's commands, options and exit codes, declared once:
// the parser, --help, the manual page and the shell completion are all made
// from these tables, so they never disagree.
#pragma once

#include <cstddef>

enum class OptionArg { None, Value };

struct OptionSpec {
    const char* name;  // long name without the dashes
    char shortName;    // 0 when none
    OptionArg arg;
    const char* argName;
    const char* help;
    bool windowsOnly;
};

struct CommandSpec {
    const char* usage;    // after "lumeric "
    const char* summary;
};

struct ExitCodeSpec {
    int code;
    const char* meaning;
};

extern const OptionSpec kOptions[];
extern const size_t kOptionCount;
extern const CommandSpec kCommands[];
extern const size_t kCommandCount;
extern const ExitCodeSpec kExitCodes[];
extern const size_t kExitCodeCount;

// The paragraphs around the tables, shared by --help and the manual page.
extern const char* const kSummaryText;
extern const char* const kImagesText;
extern const char* const kSettingsText;
extern const char* const kSafetyText;
