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
void EnsureParameters(FilterGlobals* globals);
