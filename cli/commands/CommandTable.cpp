#include "cli/commands/CommandTable.h"

// clang-format off
const OptionSpec kOptions[] = {
    {"output-dir", 'o', OptionArg::Value, "DIR", "batch: write each engraving into DIR under its own name", false},
    {"preset", 0, OptionArg::Value, "FILE.lmv", "start from the settings of a preset file", false},
    {"set", 0, OptionArg::Value, "NAME=VALUE", "change one setting (repeatable; names: lumeric params)", false},
    {"mask", 0, OptionArg::Value, "FILE", "selection: 8-bit gray image of the same size (0 unselected, 255 selected)", false},
    {"record", 0, OptionArg::Value, "ACTION.json", "save the settings the filter records as an action", false},
    {"replay", 0, OptionArg::Value, "ACTION.json", "play a recorded action back (--set still applies)", false},
    {"state", 0, OptionArg::Value, "FILE", "keep the filter's parameters between runs in FILE, as a host session does", false},
    {"tiled", 0, OptionArg::None, nullptr, "drive the filter as a host without advanceState (the Continue protocol)", false},
    {"max-space", 0, OptionArg::Value, "BYTES", "memory budget offered to the filter; large images then go in chunks", false},
    {"threads", 'j', OptionArg::Value, "N", "threads for rendering and PNG writing, 1 to 64 (default: one per processor)", false},
    {"force", 'f', OptionArg::None, nullptr, "replace an existing output", false},
    {"progress", 0, OptionArg::None, nullptr, "show the progress bar even when standard error is not a terminal", false},
    {"quiet", 'q', OptionArg::None, nullptr, "no progress bar, no summary", false},
    {"dialog", 0, OptionArg::None, nullptr, "show the filter's dialog (play information \"display\")", true},
    {"plugin", 0, OptionArg::Value, "PATH", "the filter module to load (default: lumeric2.8bf beside lumeric.exe)", true},
    {"help", 'h', OptionArg::None, nullptr, "show this help", false},
    {"version", 0, OptionArg::None, nullptr, "show the version", false},
};

const CommandSpec kCommands[] = {
    {"engrave IN OUT [options]", "engrave one image"},
    {"engrave IN... -o DIR [options]", "engrave many images into DIR"},
    {"about", "the filter's About box"},
    {"params", "every setting: name, default, range, names"},
    {"preset show FILE.lmv", "the 21 settings of a preset"},
    {"preset save FILE.lmv [--preset BASE] [--set NAME=VALUE]...", "write a preset file"},
};

const ExitCodeSpec kExitCodes[] = {
    {0, "done"},
    {1, "usage error"},
    {2, "an input cannot be read (image, mask, preset, action or state file)"},
    {3, "the output cannot be written, or it exists and --force was not given"},
    {4, "the filter answered an error (its code and meaning are printed)"},
    {5, "cancelled (Ctrl-C)"},
};
// clang-format on

const size_t kOptionCount = sizeof kOptions / sizeof kOptions[0];
const size_t kCommandCount = sizeof kCommands / sizeof kCommands[0];
const size_t kExitCodeCount = sizeof kExitCodes / sizeof kExitCodes[0];

const char* const kSummaryText =
    "lumeric: engrave photos into fields of strokes whose thickness follows the brightness.\n"
    "It drives the LumericII filter module through the Photoshop plug-in protocol.\n";

const char* const kImagesText =
    "Images: PNG (gray, gray+alpha, RGB, RGBA; 8 and 16 bits), TIFF (RGB, RGBA, CMYK,\n"
    "CMYK+alpha; 8 and 16 bits), JPEG (RGB, CMYK). The output keeps the input's format,\n"
    "mode, depth, alpha and colour profile; gray images are engraved and written as RGB.\n";

const char* const kSettingsText =
    "Settings: defaults, then --preset, then each --set in order. Example:\n"
    "  lumeric engrave photo.jpg out.jpg --set pattern=\"Spiral waves 2\" --set space=30\n";

const char* const kSafetyText =
    "Nothing is lost: the output is written to a temporary file beside it and renamed\n"
    "only on success; an existing output is not replaced without --force.\n";
