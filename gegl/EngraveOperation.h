// The GEGL operation lumeric:engrave: a filter whose output region is
// exactly that region of the whole-image engraving.
#pragma once

#include <gegl-plugin.h>

#include "settings/EngraveSettings.h"

// One value per property (EngravePropertyDescs), in shown units.
constexpr int kMaxEngraveProperties = 32;

struct LumericEngrave {
    GeglOperationFilter parent_instance;
    double values[kMaxEngraveProperties];
};

struct LumericEngraveClass {
    GeglOperationFilterClass parent_class;
};

// Registers the operation's type with the module GEGL loaded us through.
void RegisterEngraveOperation(GTypeModule* module);

// The properties (OperationProperties.cpp).
void InstallEngraveProperties(GObjectClass* klass);
EngraveSettings EngraveSettingsOf(GeglOperation* operation);
