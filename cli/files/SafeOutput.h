// Nothing lost: outputs are written to a temporary file beside the target
// and moved into place only when complete; a failed or cancelled run leaves
// no partial file and never touches an existing one.
#pragma once

#include <string>

bool PathExists(const std::string& path);
bool SamePath(const std::string& a, const std::string& b);

// A fresh temporary name in the target's folder, keeping its extension (so
// format choices by extension still work). Empty on failure.
std::string TemporaryPathFor(const std::string& target);

// Moves `temporary` to `target`. Without `replace` an existing target is
// never overwritten (the move fails). The temporary is removed on failure.
bool CommitTemporary(const std::string& temporary, const std::string& target, bool replace, std::string* error);
void DiscardTemporary(const std::string& temporary);

// Whole small files (presets, actions, state) written the same safe way.
bool WriteFileSafely(const std::string& path, const std::string& bytes, bool replace, std::string* error);
bool ReadWholeFile(const std::string& path, std::string* bytes, std::string* error, size_t limit = 16u << 20);
