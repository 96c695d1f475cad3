// Exit codes of the lumeric command (documented in --help and the README).
#pragma once

enum ExitCode {
    kExitDone = 0,
    kExitUsage = 1,        // bad command line
    kExitInput = 2,        // an input (image, mask, preset, action, state) cannot be read
    kExitOutput = 3,       // the output cannot be written (or exists without --force)
    kExitFilter = 4,       // the filter answered an error
    kExitCancelled = 5,    // interrupted (Ctrl-C)
};
