// Runs of the subpixel raster held back before they are set. Consecutive
// stamps along a stroke overlap almost entirely: each row of a brush
// mostly repeats or extends the run the previous stamp set in that row.
// Merging those into one pending run per row, and setting it once when the
// stroke leaves the row, sets exactly the same bits (a union of runs) with
// a fraction of the raster traffic.
#pragma once

#include <cstdint>

constexpr int kPendingRunSlots = 1024;  // rows held at once; a power of two

struct PendingRun {
    int row = -1;  // -1: empty
    int first = 0, last = 0;
};

struct PendingRuns {
    PendingRun slots[kPendingRunSlots];
    uint8_t* subpixels = nullptr;
    int rowBytes = 0;
};

// Sets subpixels first..last of row (already clipped to the raster).
void SetClippedRun(uint8_t* subpixels, int rowBytes, int row, int first, int last);

// Adds the run first..last of row (clipped): merged with the row's pending
// run when they touch, else the pending one is set and this one waits.
inline void AddPendingRun(PendingRuns* runs, int row, int first, int last) {
    PendingRun& slot = runs->slots[row & (kPendingRunSlots - 1)];
    if (slot.row == row && first <= slot.last + 1 && last >= slot.first - 1) {
        if (first < slot.first) slot.first = first;
        if (last > slot.last) slot.last = last;
        return;
    }
    if (slot.row >= 0) SetClippedRun(runs->subpixels, runs->rowBytes, slot.row, slot.first, slot.last);
    slot.row = row, slot.first = first, slot.last = last;
}

// Sets every pending run; the raster is complete afterwards.
void FlushPendingRuns(PendingRuns* runs);
