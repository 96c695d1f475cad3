// The manual page and the bash completion of the lumeric command, made from
// the command table and the settings table at build time.
#pragma once

#include <string>

// troff (man macros) for section 1.
std::string ManPage(const char* version);

// A bash completion script: the commands, the options, and after --set the
// setting names.
std::string BashCompletion();
