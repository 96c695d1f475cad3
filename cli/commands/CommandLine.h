// The lumeric command line: commands and options, declared once for the
// parser and the help text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class CommandKind { Help, Version, Engrave, About, PresetShow, PresetSave, Params };

struct CommandLine {
    CommandKind kind = CommandKind::Help;
    std::vector<std::string> inputs;  // engrave: images; preset show/save: the preset file
    std::string output;               // engrave IN OUT
    std::string outputDir;            // engrave IN... -o DIR
    std::string preset;
    std::vector<std::string> sets;
    std::string mask;
    std::string record;
    std::string replay;
    std::string state;
    std::string plugin;  // Windows: the filter module to load
    bool tiled = false;
    int64_t maxSpace = 0;
    int threads = 0;  // 0: one per processor
    bool force = false;
    int progress = -1;  // -1: when standard error is a terminal
    bool quiet = false;
    bool dialog = false;
};

// Parses argv; on a usage error returns false with a message.
bool ParseCommandLine(int argc, char** argv, CommandLine* line, std::string* error);

// The whole --help text.
std::string HelpText(bool windows);
