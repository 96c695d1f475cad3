// Recording and replaying the settings through the host's descriptor.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "host/EngraveParams.h"
#include "host/ModuleState.h"
#include "host/ScriptParams.h"
#include "tests/support/FakeHost.h"

namespace {

using Item = FakeHost::DescriptorItem;

EngraveSettings Unusual() {
    EngraveSettings s = DefaultEngraveSettings();
    s.rotation = 12.5f, s.offset = 250, s.space = 33, s.width = 150, s.contrast = -50, s.randomness = 400;
    s.amplitude = 7, s.frequency = 900, s.phaseShift = -1000, s.threshold = 123, s.centerX = -500, s.centerY = 999;
    s.invertIntensity = 0, s.invert = 1, s.noAntialias = 1, s.notBreak = 1, s.useCircles = 1;
    s.colorSchema = kSplitColor, s.pattern = kSpiralWaves3, s.fillAlpha = 0, s.noise = 42;
    return s;
}

std::vector<Item> Recorded(const EngraveSettings& settings) {
    FakeHost host(TexturedImage(6, 4));
    EXPECT_EQ(host.Call(filterSelectorPrepare), noErr);
    StoreSettings(settings, host.params());
    EXPECT_EQ(host.Call(filterSelectorFinish), noErr);
    EXPECT_EQ(host.descriptorParameters().recordInfo, plugInDialogOptional);
    EXPECT_NE(host.descriptorParameters().descriptor, nullptr);
    for (uint32_t unit : host.recordedUnits) EXPECT_EQ(unit, unitPercent);
    return host.recordedDescriptor;
}

// Key, type (Unit float, Boolean, Integer) and value of every item.
std::string Describe(const std::vector<Item>& items) {
    std::ostringstream out;
    for (const Item& item : items) {
        const char type =
            item.type == typeUnitFloat ? 'U' : item.type == typeBoolean ? 'B' : item.type == typeInteger ? 'I' : '?';
        out << CodeText(item.key) << ' ' << type << ' ' << item.value << ' ';
    }
    return out.str();
}

// Finish writes the twenty-one keys in order; replaying them and recording
// again gives the same descriptor.
TEST(ScriptParams, FinishWritesTheTwentyOneKeysAndAReplayRestoresThem) {
    const std::vector<Item> recorded = Recorded(Unusual());
    // AntA carries antialiasing: false for noAntialias 1.
    EXPECT_EQ(Describe(recorded),
              "Angl U 12.5 Ofst U 250 Spac U 33 Wdth U 150 Lvls U -50 BRel U 400 Ampl U 7 Frqn U 900 Shif U -1000 "
              "Usil U 123 CntX U -500 CntY U 999 InvI B 0 Invr B 1 AntA B 0 NoBr B 1 UsBg B 1 ClSt I 1 Geom I 11 "
              "FllA B 0 Nois U 42 ");
    FakeHost host(TexturedImage(6, 4));  // one fake host at a time
    host.playDescriptor = recorded;
    host.playDescriptorPresent = true;
    ASSERT_EQ(host.Run(false), noErr);
    EXPECT_EQ(Describe(host.recordedDescriptor), Describe(recorded));
}

TEST(ScriptParams, ReplayStoresEachValueAsRecorded) {
    struct Case { const char* what; Item item; const char* field; double expected; };
    const Case cases[] = {{"AntA false", {FourCC("AntA"), typeBoolean, 0}, "noAntialias", 1},
                          {"AntA true", {FourCC("AntA"), typeBoolean, 1}, "noAntialias", 0},
                          {"ClSt low byte", {FourCC("ClSt"), typeInteger, 258}, "colorSchema", 2},
                          {"Geom low byte", {FourCC("Geom"), typeInteger, 0x10C}, "pattern", 12},
                          {"Angl unclamped", {FourCC("Angl"), typeUnitFloat, 1000.0}, "rotation", 1000},
                          {"Ofst read though not expected", {FourCC("Ofst"), typeUnitFloat, 77}, "offset", 77},
                          {"wrong type ignored", {FourCC("Spac"), typeInteger, 5}, "space", 20},
                          {"unknown key skipped", {FourCC("Zzzz"), typeUnitFloat, 5}, "space", 20},
                          {"FllA", {FourCC("FllA"), typeBoolean, 1}, "fillAlpha", 1}};
    for (const Case& c : cases) {
        FakeHost host(TexturedImage(6, 4));
        host.playDescriptor = {c.item};
        host.playDescriptorPresent = true;
        ASSERT_EQ(host.Run(false), noErr) << c.what;
        EXPECT_EQ(GetSettingValue(ValuesOf(*host.params()), *FindParam(c.field)), c.expected) << c.what;
    }
}

// Only Geom is replayed: it changes the pattern and, as FllA is missing,
// fill alpha; the key list announced when reading holds no Ofst and no Frqn.
TEST(ScriptParams, OnlyGeomChangesPatternAndResetsFillAlpha) {
    FakeHost host(TexturedImage(6, 4));
    ASSERT_EQ(host.Call(filterSelectorPrepare), noErr);
    host.params()->rotation = 5;
    host.playDescriptor = {{FourCC("Geom"), typeInteger, 8}};
    host.playDescriptorPresent = true;
    ASSERT_EQ(host.Run(false), noErr);
    EXPECT_EQ(host.params()->pattern, kSpiral);
    EXPECT_EQ(host.params()->fillAlpha, 0);
    EXPECT_EQ(host.params()->rotation, 5);
    EXPECT_EQ(host.params()->space, 20);
    EXPECT_EQ(host.expectedKeys,
              "ClSt Geom InvI AntA Invr NoBr UsBg Angl Spac Wdth BRel Ampl Shif Usil CntX CntY FllA Nois ");
    // The descriptor read at Start is disposed; the one written at Finish takes its place.
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "disposeHandle"), 1);
    EXPECT_NE(host.descriptorParameters().descriptor, nullptr);
}

TEST(ScriptParams, OnlyAMissingParameterIsToleratedOnClose) {
    for (OSErr error : {errMissingParameter, OSErr(-50)}) {
        FakeHost host(TexturedImage(6, 4));
        host.playDescriptorPresent = true;
        host.closeReadError = error;
        EXPECT_EQ(host.Run(false), error == errMissingParameter ? noErr : error);
        EXPECT_EQ(host.advanceStateCalls, error == errMissingParameter ? 1 : 0) << "filtered";
    }
}

// With usable descriptors the play information alone decides whether the
// dialog is shown; without them showDialog keeps what the flow set.
TEST(ScriptParams, PlayInfoDecidesShowDialog) {
    for (bool descriptors : {true, false})
        for (int16_t play : {plugInDialogDisplay, plugInDialogDontDisplay, plugInDialogSilent})
            for (bool parameters : {true, false}) {
                FakeHostOptions options;
                options.descriptors = descriptors;
                options.playInfo = play;
                FakeHost host(TexturedImage(6, 4), options);
                ASSERT_EQ(host.Call(parameters ? filterSelectorParameters : filterSelectorPrepare), noErr);
                host.descriptorParameters().descriptor = host.record().handleProcs->newProc(4);
                gModule.filterRecord = &host.record();
                EXPECT_EQ(DescriptorsAvailable(&host.record()), descriptors);
                EXPECT_EQ(ReadScriptParams(reinterpret_cast<FilterGlobals*>(*reinterpret_cast<Handle>(host.data()))),
                          noErr);
                EXPECT_EQ(host.params()->showDialog, descriptors ? play == plugInDialogDisplay : parameters)
                    << "descriptors " << descriptors << " play " << play << " parameters " << parameters;
            }
}

TEST(ScriptParams, IncompleteReadTableMeansNoDescriptors) {
    FakeHost host(TexturedImage(6, 4));
    EXPECT_TRUE(DescriptorsAvailable(&host.record()));
    host.descriptorParameters().readDescriptorProcs->getPinnedFloatProc = nullptr;
    EXPECT_FALSE(DescriptorsAvailable(&host.record()));
}

}  // namespace
