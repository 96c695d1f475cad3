// Moves a file over another in one step, so the target is always either the
// old file or the new one: how presets and the command's outputs are saved.
// Paths are UTF-8 on every platform, so names like "Préréglage ü.lmv" work
// on Windows whatever the system's code page.
#pragma once

#include <string>

// False when the move fails; the system's error code (errno or
// GetLastError) then tells why, and both files are as they were.
bool ReplaceFileAtomically(const std::string& fromUtf8, const std::string& toUtf8);
