// Numbers as text, independent of the C locale. A host process may have set
// a locale with a decimal comma; presets, recorded actions, the command line
// and typed values must read "1.5" as one and a half under every locale.
#pragma once

#include <cstddef>

// atof on the first `length` characters: leading white space, an optional
// sign, digits with an optional '.' and fraction, an optional exponent, or
// "inf", "infinity" and "nan" in any case. Conversion stops at the first
// character that does not fit ("1,5" reads 1); text without a number reads
// 0; beyond the double range reads as infinity or zero. `used`, when given,
// receives how many characters made up the number (0 for none).
double ParseNumberPrefix(const char* text, size_t length, size_t* used = nullptr);

// printf's "%.<decimals>f" with '.' as the point. Writes at most `size`
// bytes including the terminating NUL (it truncates like snprintf) and
// returns the length of the full text.
size_t FormatFixed(double value, int decimals, char* text, size_t size);
