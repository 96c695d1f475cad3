// The terminal side of the command: is standard error a terminal, and Ctrl-C.
#pragma once

#include <atomic>

bool StderrIsTerminal();

// Ctrl-C sets the flag (the filter's abort callback answers it); a second
// Ctrl-C ends the program at once.
void InstallInterruptHandler();
const std::atomic<bool>& InterruptFlag();
