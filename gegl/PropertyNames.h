// GEGL spells property names and enum nicks in lower case with dashes
// ("color-schema", "spiral-waves-2"): that is how they are typed on the
// gegl command line and in GIMP's keys. The settings table names fields in
// camel case and list entries as the dialog shows them.
#pragma once

#include <string>

// "colorSchema" -> "color-schema", "centerX" -> "center-x".
std::string GeglPropertyName(const char* fieldName);

// "Spiral waves 2" -> "spiral-waves-2", "Black and white" -> "black-and-white".
std::string GeglValueNick(const char* listName);
