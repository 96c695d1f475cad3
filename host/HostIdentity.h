// Is the running host Adobe Premiere? Judged once per loaded module from the
// InternalName in the host executable's version resource.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

bool IsPremiereHost();

// The rule itself, portable so that it is tested everywhere: the name must
// begin with "Adobe Premiere", letters compared without regard to case.
bool InternalNameIsPremiere(const char* internalName);

// Fallback when the string table cannot be queried: the text that follows
// the word "InternalName" in the raw version data (UTF-16 or 8-bit).
bool FindInternalNameInRawVersion(const uint8_t* data, size_t size, std::string* name);
