// The final pass: renders the delivered region, converts CMYK back and
// applies the selection, reporting progress to the host.
#include "host/FilterPass.h"

#include "host/EngraveParams.h"
#include "host/PassLayout.h"
#include "host/PassPixels.h"
#include "host/RegionRender.h"

void FilterPass(FilterGlobals* globals) {
    gModule.currentGlobals = globals;
    const FilterRecord* record = globals->filterRecord;
    const ProgressSink progress = HostProgress(record);
    const EngraveParams* params = CurrentParams();
    if (!params) {
        SetResult(globals, memFullErr);
        return;
    }
    PassLayout layout;
    switch (PlanPassLayout(record, &layout)) {
        case LayoutError::UnsupportedMode: SetResult(globals, userCanceledErr); return;
        case LayoutError::NothingToDo: return;
        case LayoutError::None: break;
    }
    const OSErr error = RenderRegion(SettingsOf(*params), layout, progress, true);
    if (error != noErr) {
        SetResult(globals, error);
        return;
    }
    if (layout.cmyk && !ConvertRegionToCmyk(layout)) {
        // Nothing lost: the output goes back to what it was.
        RestoreOutputFromInput(layout);
        SetResult(globals, errPlugInHostInsufficient);
        return;
    }
    BlendWithSelection(layout);
}
