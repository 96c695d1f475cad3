// The selector protocol against a fake host that records every call.
#include <gtest/gtest.h>

#include "tests/support/FakeHost.h"

namespace {

std::vector<std::string> Matching(const std::vector<std::string>& calls, const std::string& prefix) {
    std::vector<std::string> out;
    for (const auto& c : calls)
        if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
    return out;
}

// Parameters asks for the dialog, Start clears the request; a second run
// reuses the record of the first.
TEST(SelectorFlow, ShowDialogAndTheRecordAcrossRuns) {
    FakeHost host(TexturedImage(16, 8));
    ASSERT_EQ(host.Call(filterSelectorParameters), noErr);
    EXPECT_EQ(host.params()->showDialog, 1);
    ASSERT_EQ(host.Call(filterSelectorPrepare), noErr);
    ASSERT_EQ(host.Call(filterSelectorStart), noErr);
    EXPECT_EQ(host.params()->showDialog, 0);
    ASSERT_EQ(host.Call(filterSelectorFinish), noErr);
    EXPECT_EQ(host.calls.back(), "unlockHandle") << "Finish is the last call";
    EXPECT_NE(host.data(), 0) << "the globals stay with the host";
    host.params()->rotation = 77.0f;
    host.params()->pattern = kSpiral;
    const int handlesBefore = host.liveHandles;
    ASSERT_EQ(host.Run(false), noErr);
    EXPECT_EQ(host.params()->rotation, 77.0f);
    EXPECT_EQ(host.params()->pattern, kSpiral);
    EXPECT_EQ(host.liveHandles, handlesBefore) << "no second parameters handle";
}

TEST(SelectorFlow, AnUnknownSelectorGivesFilterBadParametersAndStillUnlocks) {
    FakeHost host(TexturedImage(4, 4));
    ASSERT_EQ(host.Call(filterSelectorPrepare), noErr);
    const size_t before = Matching(host.calls, "unlockHandle").size();
    EXPECT_EQ(host.Call(6), filterBadParameters);
    EXPECT_EQ(Matching(host.calls, "unlockHandle").size(), before + 1);
}

// Runs over a 20 x 13 RGB image (140 bytes a row of the memory plan), one
// chunk or split, through advanceState or the tiled Continue windows.
TEST(SelectorFlow, ChunksWindowsAborts) {
    struct Case {
        const char* name;
        int32_t maxSpace;
        bool advanceState, displayPixels, bigDocument;
        int abortAfterChecks, advanceStateErrorAt;
        int16_t result;
        int advanceStateCalls, continueCalls;
        int rowSkip;     // 0: the run stops early, chunks not checked
        bool endsEmpty;  // the rectangles are emptied at the end
    };
    const Case cases[] = {
        {"one chunk", 1 << 30, true, true, false, -1, -1, noErr, 1, 0, 13, true},
        {"budget of 3 rows", 400, true, true, false, -1, -1, noErr, 5, 0, 3, true},
        {"tiled", 400, false, true, false, -1, -1, noErr, 0, 5, 3, true},
        {"no displayPixels", 1 << 30, true, false, false, -1, -1, noErr, 0, 1, 13, true},
        {"big document", 400, true, true, true, -1, -1, noErr, 5, 0, 3, true},
        {"abort in Start", 400, true, true, false, 2, -1, userCanceledErr, 2, 0, 0, true},
        {"abort in Continue", 400, false, true, false, 1, -1, userCanceledErr, 0, 2, 0, false},
        {"advanceState fails", 400, true, true, false, -1, 1, -50, 2, 0, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHostOptions options;
        options.maxSpace = c.maxSpace, options.advanceState = c.advanceState, options.displayPixels = c.displayPixels;
        options.bigDocument = c.bigDocument, options.abortAfterChecks = c.abortAfterChecks;
        options.advanceStateError = -50, options.advanceStateErrorAt = c.advanceStateErrorAt;
        FakeHost host(TexturedImage(20, 13), options);
        EXPECT_EQ(host.Run(false), c.result);
        EXPECT_EQ(host.advanceStateCalls, c.advanceStateCalls);
        EXPECT_EQ(host.continueCalls, c.continueCalls);
        const std::vector<std::string> warned = {"alert|Warning!|this image is very large"};
        EXPECT_EQ(host.alerts, c.maxSpace < 13 * 140 ? warned : std::vector<std::string>{});
        const FilterRecord& r = host.record();
        if (c.endsEmpty) {
            EXPECT_EQ(r.inRect.bottom + r.outRect.bottom + r.maskRect.bottom + host.bigDocument().outRect32.bottom, 0);
        }
        if (!c.rowSkip) continue;
        EXPECT_EQ(host.params()->rowSkip, c.rowSkip);
        EXPECT_EQ(r.maxSpace, c.rowSkip * 140);
        EXPECT_EQ(host.params()->showDialog, 0);
        EXPECT_EQ(host.params()->canPreview, c.advanceStateCalls ? 1 : 0);
        EXPECT_EQ(r.inputPadding, c.advanceStateCalls ? plugInWantsErrorOnBoundsException : 255);
        EXPECT_EQ(host.bigDocument().PluginUsing32BitCoordinates, c.bigDocument ? 1 : 0);
        // Each output rectangle is one chunk of rowSkip rows, the last one not clipped.
        const auto chunks = Matching(host.calls, c.advanceStateCalls ? "advanceState" : "deliver");
        ASSERT_EQ(chunks.size(), size_t(13 + c.rowSkip - 1) / c.rowSkip);
        for (size_t i = 0; i < chunks.size(); ++i) {
            const std::string out = "out=" + std::to_string(c.rowSkip * i) + ",0," +
                                    std::to_string(c.rowSkip * (i + 1)) + ",20";
            EXPECT_NE(chunks[i].find(out), std::string::npos) << chunks[i];
        }
        if (c.rowSkip == 13 && c.advanceStateCalls) {
            EXPECT_EQ(chunks[0], "advanceState in=0,0,13,20 out=0,0,13,20 mask=0,0,13,20");
        }
    }
}

// Habits of real hosts. None may cost the plan or a pixel: the 20 x 13 image
// comes out as from a host that keeps to the rules, the bar runs once across
// it and goes back to 0 of 100 at the end only. A budget given in kilobytes
// reads as a smaller one in bytes: more chunks, never more memory.
TEST(SelectorFlow, ImperfectHostsKeepThePlanAndThePixels) {
    const FakeImage image = TexturedImage(20, 13);
    FakeHost reference(image);
    ASSERT_EQ(reference.Run(false), noErr);
    const std::string recordSize = "newHandle " + std::to_string(sizeof(EngraveParams));
    struct Case {
        const char* name;
        bool sizeZero, dropAfterPrepare, tiled;
        int32_t maxSpace;
        int16_t resultPreset;
        int chunks, records;  // advanceState calls or Continue windows; parameters handles made over two runs
    };
    const Case cases[] = {
        {"size query answers 0", true, false, false, 1 << 30, 0, 1, 1},
        {"size 0, budget of 3 rows", true, false, false, 400, 0, 5, 1},
        {"size 0, budget of 3 rows, tiled", true, false, true, 400, 0, 5, 1},
        {"record dropped before Start, between runs", false, true, false, 1 << 30, 0, 1, 3},
        {"dropped, size 0, budget of 3 rows", true, true, false, 400, 0, 5, 3},
        {"maxSpace in kilobytes", false, false, false, 13 * 140 / 1024 + 1, 0, 13, 1},
        {"result preset to 1", false, false, false, 1 << 30, 1, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHostOptions options;
        options.sizeQueryAnswersZero = c.sizeZero, options.dropParametersAfterPrepare = c.dropAfterPrepare;
        options.maxSpace = c.maxSpace, options.resultPreset = c.resultPreset, options.advanceState = !c.tiled;
        FakeHost host(image, options);
        EXPECT_EQ(host.Call(filterSelectorAbout), noErr);
        for (int run = 0; run < 2; ++run) {
            host.advanceStateCalls = host.continueCalls = host.progressSetbacks = 0;
            ASSERT_EQ(host.Run(false), noErr);
            EXPECT_EQ(c.tiled ? host.continueCalls : host.advanceStateCalls, c.chunks);
            EXPECT_EQ(host.progressSetbacks, 1);
            EXPECT_EQ(host.lastProgress, std::make_pair(0, 100));
        }
        EXPECT_EQ(host.image().samples, reference.image().samples);
        EXPECT_EQ(Matching(host.calls, recordSize).size(), size_t(c.records));
    }
}

TEST(SelectorFlow, HandlesThatCannotBeHadGiveMemFull) {
    struct Case { const char* name; int failNewHandleAfter; bool failLock, globalsKept; };
    for (const Case& c : {Case{"globals", 0, false, false}, Case{"parameters", 1, false, true},
                          Case{"lock", -1, true, false}}) {
        FakeHostOptions options;
        options.failNewHandleAfter = c.failNewHandleAfter;
        options.failLock = c.failLock;
        FakeHost host(TexturedImage(4, 4), options);
        EXPECT_EQ(host.Call(filterSelectorPrepare), memFullErr) << c.name;
        EXPECT_EQ(host.data() != 0, c.globalsKept) << c.name;
        EXPECT_TRUE(host.record().parameters == nullptr) << c.name;  // packed record: compare by value
        EXPECT_EQ(host.liveHandles, c.globalsKept ? 1 : 0) << c.name << ": nothing leaks";
    }
}

TEST(SelectorFlow, TooSmallParametersHandleIsReplaced) {
    FakeHost host(TexturedImage(4, 4));
    HandleProcs* procs = host.record().handleProcs;
    host.record().parameters = procs->newProc(8);
    ASSERT_EQ(host.Call(filterSelectorPrepare), noErr);
    ASSERT_NE(host.params(), nullptr);
    EXPECT_EQ(procs->getSizeProc(host.record().parameters), int32_t(sizeof(EngraveParams)));
    EXPECT_EQ(host.params()->rotation, 30.0f);
}

// HandleProcs missing (-1) or declaring too few procedures: the module keeps
// its globals and record in process memory instead.
TEST(SelectorFlow, RunsWithoutUsableHandleProcs) {
    for (int count : {-1, 7, 0}) {
        FakeHostOptions options;
        options.handleProcs = count >= 0;
        options.handleProcsCount = int16_t(count);
        FakeHost host(TexturedImage(6, 5), options);
        ASSERT_EQ(host.Run(false), noErr) << count;
        EXPECT_TRUE(Matching(host.calls, "newHandle").empty()) << count;
        ASSERT_NE(host.params(), nullptr) << count;
        EXPECT_EQ(host.params()->space, 20.0f) << count;
        ASSERT_EQ(host.Run(false), noErr) << count << ": the globals come back from `data`";
    }
}

}  // namespace
