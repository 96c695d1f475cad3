// Moves a file over another in one step, so the target is always either the
// old file or the new one.
#pragma once

#include <string>

bool ReplaceFileWith(const std::string& from, const std::string& to);
