// The commands of lumeric; each returns its exit code.
#pragma once

#include <cstdint>

#include "cli/commands/CommandLine.h"

int RunEngrave(const CommandLine& line);
int RunAbout(const CommandLine& line);
int RunParams();
int RunPresetShow(const CommandLine& line);
int RunPresetSave(const CommandLine& line);

bool IsCmykMode(int16_t mode);

// The whole program, for main() and for tests.
int LumericMain(int argc, char** argv);
