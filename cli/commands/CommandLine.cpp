#include "cli/commands/CommandLine.h"

#include "cli/commands/CommandTable.h"
#include "host/RenderThreads.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

const OptionSpec* FindOption(const std::string& text) {
    for (size_t i = 0; i < kOptionCount; ++i) {
        const OptionSpec& o = kOptions[i];
        if (text == std::string("--") + o.name) return &o;
        if (o.shortName && text.size() == 2 && text[0] == '-' && text[1] == o.shortName) return &o;
    }
    return nullptr;
}

bool ParseBytes(const std::string& text, int64_t* bytes) {
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (end == text.c_str() || errno == ERANGE || value <= 0) return false;
    int64_t scale = 1;
    const std::string suffix = end;
    if (suffix == "k" || suffix == "K") scale = 1 << 10;
    else if (suffix == "m" || suffix == "M") scale = 1 << 20;
    else if (suffix == "g" || suffix == "G") scale = int64_t(1) << 30;
    else if (!suffix.empty()) return false;
    if (value > INT64_MAX / scale) return false;
    *bytes = value * scale;
    return true;
}

bool Apply(const OptionSpec& o, const std::string& value, CommandLine* line, std::string* error) {
    const std::string name = o.name;
    if (name == "output-dir") line->outputDir = value;
    else if (name == "preset") line->preset = value;
    else if (name == "set") line->sets.push_back(value);
    else if (name == "mask") line->mask = value;
    else if (name == "record") line->record = value;
    else if (name == "replay") line->replay = value;
    else if (name == "state") line->state = value;
    else if (name == "plugin") line->plugin = value;
    else if (name == "tiled") line->tiled = true;
    else if (name == "force") line->force = true;
    else if (name == "progress") line->progress = 1;
    else if (name == "quiet") line->quiet = true;
    else if (name == "dialog") line->dialog = true;
    else if (name == "help") line->kind = CommandKind::Help;
    else if (name == "version") line->kind = CommandKind::Version;
    else if (name == "threads") {
        if (!(line->threads = ParseThreadCount(value))) {
            *error = "--threads wants a whole number from 1 to 64, not \"" + value + "\"";
            return false;
        }
    }
    else if (name == "max-space") {
        if (!ParseBytes(value, &line->maxSpace)) {
            *error = "--max-space wants a positive number of bytes (suffix k, M or G allowed), not \"" + value + "\"";
            return false;
        }
    }
    return true;
}

}  // namespace

bool ParseCommandLine(int argc, char** argv, CommandLine* line, std::string* error) {
    *line = CommandLine{};
    std::vector<std::string> words;
    bool helpOrVersion = false;
    CommandKind early = CommandKind::Help;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            std::string name = arg, value;
            const size_t equals = arg.find('=');
            if (arg.compare(0, 2, "--") == 0 && equals != std::string::npos) {
                name = arg.substr(0, equals);
                value = arg.substr(equals + 1);
            }
            const OptionSpec* o = FindOption(name);
            if (!o) {
                *error = "unknown option " + name;
                return false;
            }
            if (o->arg == OptionArg::Value && equals == std::string::npos) {
                if (i + 1 >= argc) {
                    *error = name + " needs " + o->argName;
                    return false;
                }
                value = argv[++i];
            } else if (o->arg == OptionArg::None && equals != std::string::npos) {
                *error = name + " takes no value";
                return false;
            }
            if (!Apply(*o, value, line, error)) return false;
            if (std::strcmp(o->name, "help") == 0 || std::strcmp(o->name, "version") == 0) {
                helpOrVersion = true;
                early = line->kind;
            }
            continue;
        }
        words.push_back(arg);
    }
    if (helpOrVersion) {
        line->kind = early;
        return true;
    }
    if (words.empty()) {
        line->kind = CommandKind::Help;
        return true;
    }
    const std::string command = words[0];
    words.erase(words.begin());
    if (command == "engrave") {
        line->kind = CommandKind::Engrave;
        if (!line->outputDir.empty()) {
            if (words.empty()) return *error = "engrave -o DIR needs at least one input image", false;
            line->inputs = words;
        } else {
            if (words.size() != 2)
                return *error = "engrave needs an input and an output (or several inputs with -o DIR)", false;
            line->inputs = {words[0]};
            line->output = words[1];
        }
        if (!line->replay.empty() && !line->preset.empty())
            return *error = "--replay and --preset cannot be combined (the action holds the settings)", false;
    } else if (command == "about") {
        line->kind = CommandKind::About;
        if (!words.empty()) return *error = "about takes no arguments", false;
    } else if (command == "params") {
        line->kind = CommandKind::Params;
        if (!words.empty()) return *error = "params takes no arguments", false;
    } else if (command == "preset") {
        if (words.size() != 2 || (words[0] != "show" && words[0] != "save"))
            return *error = "use: lumeric preset show FILE, or lumeric preset save FILE [--preset BASE] [--set ...]",
                   false;
        line->kind = words[0] == "show" ? CommandKind::PresetShow : CommandKind::PresetSave;
        line->inputs = {words[1]};
        if (line->kind == CommandKind::PresetShow && (!line->preset.empty() || !line->sets.empty()))
            return *error = "preset show takes no --preset or --set", false;
    } else {
        *error = "unknown command \"" + command + "\" (try: lumeric --help)";
        return false;
    }
    return true;
}

std::string HelpText(bool windows) {
    std::string text = std::string(kSummaryText) + "\nUsage:\n";
    for (size_t i = 0; i < kCommandCount; ++i) {
        std::string left = std::string("  lumeric ") + kCommands[i].usage;
        if (left.size() < 42) left.resize(42, ' ');
        else left += "\n" + std::string(42, ' ');
        text += left + kCommands[i].summary + "\n";
    }
    text += std::string("\n") + kImagesText + "\n" + kSettingsText + "\nOptions:\n";
    for (size_t i = 0; i < kOptionCount; ++i) {
        const OptionSpec& o = kOptions[i];
        if (o.windowsOnly && !windows) continue;
        std::string left = "  ";
        left += o.shortName ? std::string("-") + o.shortName + ", " : "    ";
        left += std::string("--") + o.name;
        if (o.arg == OptionArg::Value) left += std::string(" ") + o.argName;
        if (left.size() < 30) left.resize(30, ' ');
        else left += "\n" + std::string(30, ' ');
        text += left + o.help + "\n";
    }
    text += std::string("\n") + kSafetyText + "\nExit codes:\n";
    for (size_t i = 0; i < kExitCodeCount; ++i)
        text += "  " + std::to_string(kExitCodes[i].code) + "  " + kExitCodes[i].meaning + "\n";
    return text;
}
