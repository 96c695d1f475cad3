// The selector protocol against a fake host that records every call.
#include <gtest/gtest.h>

#include <algorithm>

#include "module/PluginMain.h"
#include "tests/support/FakeHost.h"

namespace {

FakeImage Gradient(int width, int height, int planes = 3, int depth = 8) {
    FakeImage image;
    image.width = width;
    image.height = height;
    image.planes = planes;
    image.depth = depth;
    image.mode = depth == 16 ? plugInModeRGB48 : plugInModeRGBColor;
    image.samples.resize(size_t(width) * height * planes);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int p = 0; p < planes; ++p) image.at(x, y, p) = uint16_t((x * 7 + y * 3 + p * 50) % 256);
    return image;
}

std::vector<std::string> Matching(const std::vector<std::string>& calls, const std::string& prefix) {
    std::vector<std::string> out;
    for (const auto& c : calls)
        if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
    return out;
}

TEST(SelectorFlow, SecondRunKeepsTheParameters) {
    FakeHost host(Gradient(16, 8));
    ASSERT_EQ(host.Run(false), noErr);
    ASSERT_NE(host.params(), nullptr);
    host.params()->rotation = 77.0f;
    host.params()->pattern = kSpiral;
    const int handlesBefore = host.liveHandles;
    ASSERT_EQ(host.Run(false), noErr);
    EXPECT_EQ(host.params()->rotation, 77.0f);
    EXPECT_EQ(host.params()->pattern, kSpiral);
    EXPECT_EQ(host.liveHandles, handlesBefore) << "no second parameters handle";
}

TEST(SelectorFlow, FreshRecordHasTheDefaults) {
    FakeHost host(Gradient(4, 4));
    ASSERT_EQ(host.Call(filterSelectorPrepare), noErr);
    const EngraveParams& p = *host.params();
    EXPECT_EQ(p.colorSchema, kBlackAndWhite);
    EXPECT_EQ(p.pattern, kWaves1);
    EXPECT_EQ(p.rotation, 30.0f);
    EXPECT_EQ(p.space, 20.0f);
    EXPECT_EQ(p.width, 100.0f);
    EXPECT_EQ(p.amplitude, 100.0f);
    EXPECT_EQ(p.frequency, 100.0f);
    EXPECT_EQ(p.fillAlpha, 1);
    EXPECT_EQ(p.invertIntensity, 1);
    EXPECT_EQ(p.invert, 0);
    EXPECT_EQ(p.noAntialias, 0);
    EXPECT_EQ(p.autoUpdate, 1);
    EXPECT_EQ(p.checkerboard, 1);
    EXPECT_EQ(p.showDialog, 0);
    EXPECT_EQ(p.isPremiereHost, 0);
}

TEST(SelectorFlow, ParametersSetsShowDialogAndStartClearsIt) {
    FakeHost host(Gradient(8, 8));
    ASSERT_EQ(host.Call(filterSelectorParameters), noErr);
    EXPECT_EQ(host.params()->showDialog, 1);
    ASSERT_EQ(host.Call(filterSelectorPrepare), noErr);
    ASSERT_EQ(host.Call(filterSelectorStart), noErr);
    EXPECT_EQ(host.params()->showDialog, 0);
}

TEST(SelectorFlow, WithoutParametersTheDialogIsNotShown) {
    FakeHostOptions options;
    options.descriptors = false;
    FakeHost host(Gradient(8, 8), options);
    ASSERT_EQ(host.Run(false), noErr);
    EXPECT_EQ(host.params()->showDialog, 0);
}

class BadSelector : public ::testing::TestWithParam<int16_t> {};

TEST_P(BadSelector, GivesFilterBadParametersAndStillUnlocks) {
    FakeHost host(Gradient(4, 4));
    ASSERT_EQ(host.Call(filterSelectorPrepare), noErr);
    const size_t before = Matching(host.calls, "unlockHandle").size();
    EXPECT_EQ(host.Call(GetParam()), filterBadParameters);
    EXPECT_EQ(Matching(host.calls, "unlockHandle").size(), before + 1);
}

INSTANTIATE_TEST_SUITE_P(SixAndMinusOne, BadSelector, ::testing::Values(int16_t(6), int16_t(-1)));

TEST(SelectorFlow, AboutCreatesNoGlobalsAndWritesNoResult) {
    FakeHost host(Gradient(4, 4));
    host.CallAbout();
    EXPECT_EQ(host.data(), 0);
    EXPECT_EQ(Matching(host.calls, "newHandle").size(), 0u);
    ASSERT_EQ(host.alerts.size(), 1u);
    EXPECT_EQ(host.alerts[0].rfind("about|", 0), 0u);
}

TEST(SelectorFlow, AboutLeavesTheResultWordAlone) {
    AboutRecord about{};
    intptr_t data = 0;
    int16_t result = 4321;
    AlertCapture capture;
    PluginMain(filterSelectorAbout, &about, &data, &result);
    EXPECT_EQ(result, 4321);
    EXPECT_EQ(data, 0);
    EXPECT_EQ(capture.lines.size(), 1u);
}

TEST(SelectorFlow, BudgetCoveringTheImageGivesOneChunk) {
    FakeHost host(Gradient(20, 13));
    ASSERT_EQ(host.Run(false), noErr);
    EXPECT_EQ(host.params()->rowSkip, 13);
    EXPECT_TRUE(host.alerts.empty());
    ASSERT_EQ(host.advanceStateCalls, 1);
    EXPECT_EQ(Matching(host.calls, "advanceState")[0], "advanceState in=0,0,13,20 out=0,0,13,20 mask=0,0,13,20");
    EXPECT_EQ(host.continueCalls, 0);
}

TEST(SelectorFlow, SmallBudgetSplitsIntoChunksWithOneWarning) {
    FakeHostOptions options;
    // 7 bytes per pixel and row of 20 pixels: 140 bytes per row; 3 rows = 420.
    options.maxSpace = 400;
    FakeHost host(Gradient(20, 13), options);
    ASSERT_EQ(host.Run(false), noErr);
    EXPECT_EQ(host.params()->rowSkip, 3);
    EXPECT_EQ(host.record().maxSpace, 420);
    ASSERT_EQ(host.alerts.size(), 1u);
    EXPECT_EQ(host.alerts[0], "alert|Warning!|this image is very large");
    EXPECT_EQ(host.advanceStateCalls, 5);  // ceil(13 / 3)
    const auto chunks = Matching(host.calls, "advanceState");
    ASSERT_EQ(chunks.size(), 5u);
    // Each output rectangle is one chunk; the last one is not clipped.
    for (int i = 0; i < 5; ++i) {
        const std::string out = "out=" + std::to_string(3 * i) + ",0," + std::to_string(3 * i + 3) + ",20";
        EXPECT_NE(chunks[i].find(out), std::string::npos) << chunks[i];
    }
    EXPECT_EQ(host.record().outRect.bottom, 0) << "rectangles emptied at the end";
}

TEST(SelectorFlow, TiledProtocolMovesTheWindowAndEndsEmpty) {
    FakeHostOptions options;
    options.advanceState = false;
    options.maxSpace = 400;
    FakeHost host(Gradient(20, 13), options);
    ASSERT_EQ(host.Run(false), noErr);
    EXPECT_EQ(host.params()->canPreview, 0);
    const auto windows = Matching(host.calls, "deliver");
    ASSERT_EQ(windows.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        const std::string out = "out=" + std::to_string(3 * i) + ",0," + std::to_string(3 * i + 3) + ",20";
        EXPECT_NE(windows[i].find(out), std::string::npos) << windows[i];
    }
    EXPECT_EQ(host.record().inputPadding, 255);
    EXPECT_EQ(host.record().outRect.top, 0);
    EXPECT_EQ(host.record().outRect.bottom, 0);
    EXPECT_EQ(host.record().inRect.bottom, 0);
    EXPECT_EQ(host.record().maskRect.bottom, 0);
}

TEST(SelectorFlow, NoDisplayPixelsMeansTiled) {
    FakeHostOptions options;
    options.displayPixels = false;
    FakeHost host(Gradient(10, 4), options);
    ASSERT_EQ(host.Run(false), noErr);
    EXPECT_EQ(host.advanceStateCalls, 0);
    EXPECT_EQ(host.continueCalls, 1);
}

TEST(SelectorFlow, AbortInTheChunkLoopCancelsAndEmptiesRectangles) {
    FakeHostOptions options;
    options.maxSpace = 400;
    options.abortAfterChecks = 2;
    FakeHost host(Gradient(20, 13), options);
    EXPECT_EQ(host.Run(false), userCanceledErr);
    EXPECT_EQ(host.advanceStateCalls, 2);
    EXPECT_EQ(host.record().inRect.bottom, 0);
    EXPECT_EQ(host.record().outRect.bottom, 0);
    EXPECT_EQ(host.record().maskRect.bottom, 0);
}

TEST(SelectorFlow, AbortInContinueCancels) {
    FakeHostOptions options;
    options.advanceState = false;
    options.maxSpace = 400;
    options.abortAfterChecks = 1;
    FakeHost host(Gradient(20, 13), options);
    EXPECT_EQ(host.Run(false), userCanceledErr);
    EXPECT_EQ(host.continueCalls, 2);
}

TEST(SelectorFlow, AdvanceStateErrorStopsTheLoopWithThatCode) {
    FakeHostOptions options;
    options.maxSpace = 400;
    options.advanceStateError = -50;
    options.advanceStateErrorAt = 1;
    FakeHost host(Gradient(20, 13), options);
    EXPECT_EQ(host.Run(false), -50);
    EXPECT_EQ(host.advanceStateCalls, 2);
    EXPECT_EQ(host.record().outRect.bottom, 0);
}

TEST(SelectorFlow, GlobalsThatCannotBeCreatedGiveMemFull) {
    FakeHostOptions options;
    options.failNewHandleAfter = 0;
    FakeHost host(Gradient(4, 4), options);
    EXPECT_EQ(host.Call(filterSelectorPrepare), memFullErr);
    EXPECT_EQ(host.data(), 0);
}

TEST(SelectorFlow, ParametersThatCannotBeCreatedGiveMemFull) {
    FakeHostOptions options;
    options.failNewHandleAfter = 1;  // globals succeed, the record fails
    FakeHost host(Gradient(4, 4), options);
    EXPECT_EQ(host.Call(filterSelectorPrepare), memFullErr);
    EXPECT_NE(host.data(), 0);
    EXPECT_TRUE(host.record().parameters == nullptr);  // packed record: compare by value
}

TEST(SelectorFlow, LockFailureGivesMemFullAndLeaksNothing) {
    FakeHostOptions options;
    options.failLock = true;
    FakeHost host(Gradient(4, 4), options);
    EXPECT_EQ(host.Call(filterSelectorPrepare), memFullErr);
    EXPECT_EQ(host.liveHandles, 0);
}

TEST(SelectorFlow, TooSmallParametersHandleIsReplaced) {
    FakeHost host(Gradient(4, 4));
    HandleProcs* procs = host.record().handleProcs;
    host.record().parameters = procs->newProc(8);
    ASSERT_EQ(host.Call(filterSelectorPrepare), noErr);
    ASSERT_NE(host.params(), nullptr);
    EXPECT_EQ(procs->getSizeProc(host.record().parameters), int32_t(sizeof(EngraveParams)));
    EXPECT_EQ(host.params()->rotation, 30.0f);
}

class HandleFallback : public ::testing::TestWithParam<int> {};

// HandleProcs missing (-1) or declaring too few procedures: the module keeps
// its globals and record in process memory instead.
TEST_P(HandleFallback, RunsWithoutUsableHandleProcs) {
    FakeHostOptions options;
    options.handleProcs = GetParam() >= 0;
    options.handleProcsCount = int16_t(GetParam());
    FakeHost host(Gradient(6, 5), options);
    ASSERT_EQ(host.Run(false), noErr);
    EXPECT_EQ(Matching(host.calls, "newHandle").size(), 0u);
    ASSERT_NE(host.params(), nullptr);
    EXPECT_EQ(host.params()->space, 20.0f);
    ASSERT_EQ(host.Run(false), noErr);  // the globals come back from `data`
}

INSTANTIATE_TEST_SUITE_P(MissingOrShort, HandleFallback, ::testing::Values(-1, 7, 0));

TEST(SelectorFlow, BigDocumentRectanglesAreUsedWhenOffered) {
    FakeHostOptions options;
    options.bigDocument = true;
    options.maxSpace = 400;
    FakeHost host(Gradient(20, 13), options);
    ASSERT_EQ(host.Run(false), noErr);
    EXPECT_EQ(host.bigDocument().PluginUsing32BitCoordinates, 1);
    EXPECT_EQ(host.advanceStateCalls, 5);
    EXPECT_EQ(host.bigDocument().outRect32.bottom, 0);
}

TEST(SelectorFlow, FinishIsTheLastCallAndDataIsKept) {
    FakeHost host(Gradient(4, 4));
    ASSERT_EQ(host.Run(true), noErr);
    EXPECT_EQ(host.calls.back(), "unlockHandle");
    EXPECT_NE(host.data(), 0);
}

}  // namespace
