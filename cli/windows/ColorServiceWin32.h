// The colour space suite's conversions through Windows colour management
// (mscms): the image's own RGB or CMYK profile when it has one, else sRGB
// and the default CMYK profile, the first of
//   1. default_cmyk.icc beside lumeric.exe (any CMYK profile the user puts there),
//   2. RSWOP.icm in the system's colour folder (shipped with Windows),
//   3. under wine, the Ghostscript profile the Linux command uses
//      (/usr/share/color/icc/ghostscript/default_cmyk.icc, Debian's libgs-common).
// With none of them the plain formulas of SuiteColors.h convert, with a
// warning. Relative colorimetric intent with black point compensation, as
// the Linux engine; Windows colour management has no such compensation, so
// it is done here around the system's conversions (SuiteColors.h). It
// follows Little CMS's closely, not exactly: CMYK engravings differ from
// the Linux command's by about 0.2 % of full scale on average.
#pragma once

#include <string>

#include "cli/image/Image.h"
#include "cli/session/HostSession.h"

// `warning` is set when CMYK colours go through the plain formulas.
bool MakeWindowsColorService(const Image& image, ColorService* service, std::string* warning, std::string* error);
