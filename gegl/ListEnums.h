// GEnum types for the settings that are lists (the pattern kinds and the
// colour schemas): GIMP shows them as combo boxes with the list names, and
// the gegl command takes their nicks (pattern=spiral-waves-2).
#pragma once

#include <glib-object.h>

#include "gegl/PropertyDescs.h"

// "LumericPattern", "LumericColorSchema": registered once per process.
GType ListEnumType(const PropertyDesc& desc);
