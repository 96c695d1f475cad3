// Placeholder until the engine lands: the pass leaves the output as the host gave it.
#include "host/FilterPass.h"

#include "host/EngraveParams.h"

void FilterPass(FilterGlobals* globals) {
    gModule.currentGlobals = globals;
    UpdateProgress(0, 100);
}

void RenderPreview(FilterGlobals* globals) {
    const EngraveParams* params = CurrentParams();
    if (params && params->canPreview == 1) FilterPass(globals);
}
