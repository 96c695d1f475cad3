// The PiPL and AETE bytes the module must carry, written out by hand from
// the property list and the terminology the filter declares, and from the
// Windows byte layout hosts read (little-endian; four-character codes as
// little-endian integers, so '8BIM' reads "MIB8"). Independent of how the
// resource files produce them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A string literal with its embedded NULs, without the terminating one.
template <size_t N>
std::string Raw(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

inline std::vector<uint8_t> ToBytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

// The enable expression, verbatim: 158 characters.
inline const char* ExpectedEnableExpression() {
    return "in (PSHOP_ImageMode, RGBMode, GrayScaleMode,CMYKMode, HSLMode, HSBMode, MultichannelMode,"
           "DuotoneMode, LabMode, RGB48Mode, Gray16Mode) ||PSHOP_ImageDepth == 16";
}

// `entryKeyAsStored` is "4668" ('8664') for the 64-bit module and "68xw"
// ('wx86') for the 32-bit one.
inline std::string ExpectedPipl(const std::string& entryKeyAsStored) {
    std::string out;
    out += Raw("\x01\x00");              // prelude
    out += Raw("\x00\x00\x00\x00");      // version 0
    out += Raw("\x09\x00\x00\x00");      // nine properties
    // kind '8BFM'
    out += Raw("MIB8" "dnik" "\0\0\0\0" "\x04\0\0\0" "MFB8");
    // name: Pascal "LumericII..." (12) + 3 pad = 16
    out += Raw("MIB8" "eman" "\0\0\0\0" "\x10\0\0\0" "\x0C" "LumericII..." "\0\0\0");
    // catg: Pascal "Corvessa" (8) + 3 pad = 12
    out += Raw("MIB8" "gtac" "\0\0\0\0" "\x0C\0\0\0" "\x08" "Corvessa" "\0\0\0");
    // vers 4.0: (4 << 16) | 0
    out += Raw("MIB8" "srev" "\0\0\0\0" "\x04\0\0\0" "\x00\x00\x04\x00");
    // entry point "PluginMain" NUL + 1 pad = 12
    out += Raw("MIB8") + entryKeyAsStored + Raw("\0\0\0\0" "\x0C\0\0\0" "PluginMain\0\0");
    // mode: byte 0 Gray 0x40 | RGB 0x10 | CMYK 0x08 | HSL 0x04 | HSB 0x02 |
    // Multichannel 0x01 = 0x5F; byte 1 Duotone 0x80 | Lab 0x40 | RGB48 0x10 |
    // CMYK64 0x04 = 0xD4
    out += Raw("MIB8" "edom" "\0\0\0\0" "\x04\0\0\0" "\x5F\xD4\x00\x00");
    // hstm: version 0, 'sdK2', 'PVtr', int16 16000 (0x3E80), "" NUL, 1 pad
    out += Raw("MIB8" "mtsh" "\0\0\0\0" "\x10\0\0\0" "\0\0\0\0" "2Kds" "rtVP" "\x80\x3E" "\0" "\0");
    // enbl: 158 characters + NUL + 1 pad = 160 (0xA0)
    out += Raw("MIB8" "lbne" "\0\0\0\0" "\xA0\0\0\0") + ExpectedEnableExpression() + Raw("\0\0");
    // fici: cases 1..7 as {in 1, out 1, flags, 0}; flags 6 without a
    // selection, 14 with one or a floating selection
    out += Raw("MIB8" "icif" "\0\0\0\0" "\x1C\0\0\0");
    out += Raw("\x01\x01\x06\x00"    // flat, no selection
               "\x01\x01\x0E\x00"    // flat, selection
               "\x01\x01\x0E\x00"    // floating selection
               "\x01\x01\x06\x00"    // editable transparency, no selection
               "\x01\x01\x0E\x00"    // editable transparency, selection
               "\x01\x01\x06\x00"    // protected transparency, no selection
               "\x01\x01\x0E\x00");  // protected transparency, selection
    return out;
}

inline std::string ExpectedAete() {
    std::string out;
    out += Raw("\x01\x00");                  // prelude
    out += Raw("\x01\x00");                  // format 1.0
    out += Raw("\x00\x00" "\x00\x00");       // language 0, script 0
    out += Raw("\x01\x00");                  // one suite
    out += Raw("\x08" "Corvessa");
    out += Raw("\x12" "Sorvantic plug-ins");
    out += Raw("2Kds" "\x01\x00" "\x01\x00");  // 'sdK2', level 1, version 1
    out += Raw("\x01\x00");                  // one event
    out += Raw("\x09" "LumericII");
    out += Raw("\x18" "Engraving filter plug-in");
    out += Raw("2Kds" "rtVP");               // class 'sdK2', ID 'PVtr'
    out += Raw("llun" "\x00" "\x00\x00");    // reply 'null', "", flags 0
    out += Raw("RmI#" "\x00" "\x00\xB0");    // direct '#ImR', "", flags 0xB000
    out += Raw("\x00\x00");                  // no parameters
    out += Raw("\x00\x00" "\x00\x00");       // no classes, no comparison operators
    out += Raw("\x01\x00");                  // one enumeration
    out += Raw("Doom" "\x04\x00");           // 'mooD', four enumerators
    out += Raw("\x05" "clear" "0Dom" "\x0C" "clear headed");
    out += Raw("\x04" "cool" "1Dom" "\x0D" "got the blues");
    out += Raw("\x03" "hot" "2Dom" "\x09" "red-faced");
    out += Raw("\x04" "sick" "3Dom" "\x0F" "green with envy");
    out += Raw("\0\0\0\0");                  // zero trailer
    return out;
}
