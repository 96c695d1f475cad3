#include "cli/commands/CommandDocs.h"

#include "cli/commands/CommandTable.h"
#include "cli/commands/Settings.h"
#include "settings/ParamTable.h"

namespace {

// Text as troff reads it: a backslash doubled, a hyphen kept a hyphen (so
// that "--set" can be copied from the page), a leading dot or quote escaped.
std::string Roff(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool lineStart = i == 0 || text[i - 1] == '\n';
        if (c == '\\') out += "\\e";
        else if (c == '-') out += "\\-";
        else if (lineStart && (c == '.' || c == '\'')) out += std::string("\\&") + c;
        else out += c;
    }
    return out;
}

// A paragraph of the help text as running troff text (an indented example
// line stays a line of its own).
std::string Paragraph(const char* text) {
    std::string out, line;
    for (const char* p = text; *p; ++p) {
        if (*p != '\n') {
            line += *p;
            continue;
        }
        if (line.compare(0, 2, "  ") == 0) out += ".PP\n.RS\n" + Roff(line.substr(2)) + "\n.RE\n";
        else out += Roff(line) + "\n";
        line.clear();
    }
    return out;
}

}  // namespace

std::string ManPage(const char* version) {
    std::string page = std::string(".TH LUMERIC 1 \"\" \"lumeric ") + version + "\" \"LumericII\"\n";
    page += ".SH NAME\nlumeric \\- engrave photos into fields of strokes\n";
    page += ".SH SYNOPSIS\n";
    for (size_t i = 0; i < kCommandCount; ++i) page += ".B lumeric\n" + Roff(kCommands[i].usage) + "\n.br\n";
    page += ".SH DESCRIPTION\n" + Paragraph(kSummaryText);
    page += ".SH COMMANDS\n";
    for (size_t i = 0; i < kCommandCount; ++i)
        page += ".TP\n.B lumeric " + Roff(kCommands[i].usage) + "\n" + Roff(kCommands[i].summary) + "\n";
    page += ".SH OPTIONS\n";
    for (size_t i = 0; i < kOptionCount; ++i) {
        const OptionSpec& o = kOptions[i];
        page += ".TP\n";
        if (o.shortName) page += std::string("\\fB\\-") + o.shortName + "\\fR, ";
        page += std::string("\\fB\\-\\-") + Roff(o.name) + "\\fR";
        if (o.arg == OptionArg::Value) page += std::string(" \\fI") + Roff(o.argName) + "\\fR";
        page += "\n" + Roff(o.help);
        if (o.windowsOnly) page += " (lumeric.exe on Windows only)";
        page += "\n";
    }
    page += ".SH IMAGES\n" + Paragraph(kImagesText);
    page += ".SH SETTINGS\n" + Paragraph(kSettingsText);
    page += ".PP\nThe settings, their defaults and ranges:\n";
    for (int i = 0; i < kParamCount; ++i) {
        const SettingInfo& s = kParamTable[i];
        if (!IsEngravingSetting(s)) continue;
        page += ".TP\n.B " + Roff(s.name) + "\n" + Roff(s.tooltip) + " (\\(lq" + Roff(s.label) + "\\(rq), default " +
                Roff(FormatSettingValue(s, s.defaultValue)) + "\n";
    }
    page += ".SH FILES\n" + Paragraph(kSafetyText);
    page += ".SH EXIT STATUS\n";
    for (size_t i = 0; i < kExitCodeCount; ++i)
        page += ".TP\n.B " + std::to_string(kExitCodes[i].code) + "\n" + Roff(kExitCodes[i].meaning) + "\n";
    page += ".SH SEE ALSO\nThe README and ARCHITECTURE files of the LumericII sources.\n";
    return page;
}

std::string BashCompletion() {
    std::string options, valued, settings;
    for (size_t i = 0; i < kOptionCount; ++i) {
        const OptionSpec& o = kOptions[i];
        if (o.windowsOnly) continue;
        options += std::string(" --") + o.name;
        if (o.shortName) options += std::string(" -") + o.shortName;
        if (o.arg == OptionArg::Value && std::string(o.name) != "set") {
            valued += std::string("|--") + o.name;
            if (o.shortName) valued += std::string("|-") + o.shortName;
        }
    }
    for (int i = 0; i < kParamCount; ++i)
        if (IsEngravingSetting(kParamTable[i])) settings += std::string(" ") + kParamTable[i].name + "=";
    // The commands are the first words of the usages, once each.
    std::string commands;
    for (size_t i = 0; i < kCommandCount; ++i) {
        const std::string usage = kCommands[i].usage;
        const std::string word = usage.substr(0, usage.find(' '));
        if ((" " + commands + " ").find(" " + word + " ") == std::string::npos) commands += (commands.empty() ? "" : " ") + word;
    }
    std::string script =
        "# bash completion for lumeric, generated from its command and settings tables.\n"
        "_lumeric() {\n"
        "    local cur prev words cword\n"
        "    _init_completion -n = || return\n"
        "    case $prev in\n"
        "        --set)\n"
        "            compopt -o nospace\n"
        "            COMPREPLY=($(compgen -W '" + settings.substr(1) + "' -- \"$cur\"))\n"
        "            return ;;\n"
        "        " + valued.substr(1) + ")\n"
        "            _filedir\n"
        "            return ;;\n"
        "    esac\n"
        "    if [[ $cur == -* ]]; then\n"
        "        COMPREPLY=($(compgen -W '" + options.substr(1) + "' -- \"$cur\"))\n"
        "    elif [[ $cword -eq 1 ]]; then\n"
        "        COMPREPLY=($(compgen -W '" + commands + "' -- \"$cur\"))\n"
        "    elif [[ $cword -eq 2 && ${words[1]} == preset ]]; then\n"
        "        COMPREPLY=($(compgen -W 'show save' -- \"$cur\"))\n"
        "    else\n"
        "        _filedir\n"
        "    fi\n"
        "} && complete -F _lumeric lumeric\n";
    return script;
}
