// Start and Continue: driving the host through the image, chunk by chunk
// inside Start when it offers advanceState, else window by window through
// Continue.
#include "engine/Engrave.h"
#include "host/ChunkPlan.h"
#include "host/EngraveParams.h"
#include "host/FilterPass.h"
#include "host/HostRects.h"
#include "host/MemoryPlan.h"
#include "host/Progress.h"
#include "host/ScriptParams.h"
#include "host/Selectors.h"

namespace {

bool UserAborted(const FilterRecord* record) { return record->abortProc && record->abortProc(); }

// The bar runs once across the whole image, chunk after chunk; it goes back
// to 0 of 100 when the run is over, not after every chunk.
void EndProgress(const FilterRecord* record) { UpdateProgress(HostProgress(record), 0, 100); }

void EmptyRects(FilterRecord* record) {
    const VRect empty{0, 0, 0, 0};
    SetInRect(record, empty);
    SetOutRect(record, empty);
    SetMaskRect(record, empty);
}

void RequestAllPlanes(FilterRecord* record) {
    record->inLoPlane = record->outLoPlane = 0;
    record->inHiPlane = record->outHiPlane = int16_t(record->planes - 1);
    record->inputRate = record->maskRate = kFixedOne;
}

// Rows beyond a chunk that its strokes may sample; 0 when the image is one chunk.
int32_t ReachRows(const FilterRecord* record, const EngraveParams& params) {
    const VRect filter = GetFilterRect(record);
    if (params.rowSkip >= RectHeight(filter)) return 0;
    return EngraveReach(SettingsOf(params), RectWidth(filter), RectHeight(filter));
}

void RequestChunk(FilterRecord* record, const EngraveParams& params, int32_t chunkTop) {
    const VRect filter = GetFilterRect(record);
    const bool split = params.rowSkip < RectHeight(filter);
    const ChunkRects rects =
        PlanChunk(filter, chunkTop, params.rowSkip, ReachRows(record, params), split && record->haveMask);
    SetInRect(record, rects.in);
    SetOutRect(record, rects.out);
    SetMaskRect(record, rects.mask);
}

void StartWholeImage(FilterGlobals* globals) {
    FilterRecord* record = globals->filterRecord;
    RequestAllPlanes(record);
    const VRect filter = GetFilterRect(record);
    SetInRect(record, filter);
    SetOutRect(record, filter);
    SetMaskRect(record, filter);

    int32_t chunkTop = filter.top;
    while (chunkTop < filter.bottom) {
        if (UserAborted(record)) {
            SetResult(globals, userCanceledErr);
            break;
        }
        // An error of an earlier chunk stands as it is: reporting it as a
        // cancel would hide a failure (out of memory) from the user.
        if (ResultOf(globals) != noErr) break;
        const EngraveParams* params = CurrentParams();
        if (!params) {
            SetResult(globals, memFullErr);
            break;
        }
        RequestChunk(record, *params, chunkTop);
        const OSErr error = record->advanceState();
        if (error != noErr) {
            SetResult(globals, error);
            break;
        }
        FilterPass(globals);
        chunkTop += params->rowSkip;
    }
    EmptyRects(record);
    EndProgress(record);
}

void StartTiled(FilterGlobals* globals) {
    FilterRecord* record = globals->filterRecord;
    RequestAllPlanes(record);
    record->inputPadding = record->outputPadding = record->maskPadding = 255;
    const EngraveParams* params = CurrentParams();
    if (!params) {
        SetResult(globals, memFullErr);
        return;
    }
    RequestChunk(record, *params, GetFilterRect(record).top);
}

}  // namespace

void DoStart(FilterGlobals* globals) {
    FilterRecord* record = globals->filterRecord;
    const bool fresh = EnsureParameters(globals);
    EngraveParams* params = CurrentParams();
    if (ResultOf(globals) != noErr || !params) return;
    // A host that dropped the record after Prepare left no plan: make it
    // again from the budget Prepare wrote back (no second warning).
    if (fresh || params->rowSkip <= 0) params->rowSkip = int16_t(PlanRowSkipFor(record));

    params->canPreview = (record->advanceState && record->displayPixels && !params->isPremiereHost) ? 1 : 0;
    ReadScriptParams(globals);  // writes a real close error into the result word itself

    params = CurrentParams();
    if (params && params->showDialog) {
        if (gModule.runDialog) gModule.runDialog(globals);
        // A cancelled dialog puts a fresh parameters handle in place.
        params = CurrentParams();
        if (params) params->showDialog = 0;
    }
    if (ResultOf(globals) != noErr) return;
    params = CurrentParams();
    if (!params) {
        SetResult(globals, memFullErr);
        return;
    }
    if (params->canPreview)
        StartWholeImage(globals);
    else
        StartTiled(globals);
}

void DoContinue(FilterGlobals* globals) {
    FilterRecord* record = globals->filterRecord;
    if (UserAborted(record) || ResultOf(globals) != noErr) {
        SetResult(globals, userCanceledErr);
        EndProgress(record);
        return;
    }
    const EngraveParams* params = CurrentParams();
    if (!params) {
        SetResult(globals, memFullErr);
        EmptyRects(record);
        return;
    }
    if (params->canPreview) {
        EmptyRects(record);
        return;
    }
    FilterPass(globals);

    // Move the window down by rowSkip: the chunk is the output rectangle.
    params = CurrentParams();
    const VRect filter = GetFilterRect(record);
    const int32_t nextTop = GetOutRect(record).top + (params ? params->rowSkip : RectHeight(filter));
    if (params && ResultOf(globals) == noErr && nextTop < filter.bottom) {
        RequestChunk(record, *params, nextTop);
    } else {
        EmptyRects(record);
        EndProgress(record);
    }
}

void DoFinish(FilterGlobals* globals) { WriteScriptParams(globals); }
