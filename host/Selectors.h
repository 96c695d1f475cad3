// The selector operations of PluginMain, one per host selector.
#pragma once

#include "host/ModuleState.h"

void DoAbout(AboutRecord* about);
void DoParameters(FilterGlobals* globals);
void DoPrepare(FilterGlobals* globals);
void DoStart(FilterGlobals* globals);
void DoContinue(FilterGlobals* globals);
void DoFinish(FilterGlobals* globals);

// Makes sure the host's parameters handle holds an EngraveParams record,
// creating it with the defaults on first use. Sets memFullErr on failure.
// Returns true when it made a fresh record.
bool EnsureParameters(FilterGlobals* globals);

// Puts a parameters handle this module made (and filled) into the record.
void AdoptParametersHandle(FilterRecord* record, Handle handle);
