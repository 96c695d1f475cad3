// Recording and replaying the settings through the host's descriptor.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/EngraveParams.h"
#include "host/ModuleState.h"
#include "host/ScriptParams.h"
#include "tests/support/FakeHost.h"

namespace {

using Item = FakeHost::DescriptorItem;

FakeImage Small() { return TexturedImage(6, 4); }

EngraveSettings Unusual() {
    EngraveSettings s = DefaultEngraveSettings();
    s.rotation = 12.5f, s.offset = 250, s.space = 33, s.width = 150, s.contrast = -50, s.randomness = 400;
    s.amplitude = 7, s.frequency = 900, s.phaseShift = -1000, s.threshold = 123, s.centerX = -500, s.centerY = 999;
    s.invertIntensity = 0, s.invert = 1, s.noAntialias = 1, s.notBreak = 1, s.useCircles = 1;
    s.colorSchema = kSplitColor, s.pattern = kSpiralWaves3, s.fillAlpha = 0, s.noise = 42;
    return s;
}

std::vector<Item> Recorded(const EngraveSettings& settings) {
    FakeHost host(Small());
    EXPECT_EQ(host.Call(filterSelectorPrepare), noErr);
    StoreSettings(settings, host.params());
    EXPECT_EQ(host.Call(filterSelectorFinish), noErr);
    EXPECT_EQ(host.descriptorParameters().recordInfo, plugInDialogOptional);
    EXPECT_NE(host.descriptorParameters().descriptor, nullptr);
    for (uint32_t unit : host.recordedUnits) EXPECT_EQ(unit, unitPercent);
    return host.recordedDescriptor;
}

TEST(ScriptParams, FinishWritesTheTwentyOneKeysInOrder) {
    std::string keys, types;
    std::vector<double> values;
    for (const Item& item : Recorded(Unusual())) {
        keys += CodeText(item.key) + " ";
        types += item.type == typeUnitFloat ? 'U' : item.type == typeBoolean ? 'B' : item.type == typeInteger ? 'I' : '?';
        values.push_back(item.value);
    }
    EXPECT_EQ(keys, "Angl Ofst Spac Wdth Lvls BRel Ampl Frqn Shif Usil CntX CntY InvI Invr AntA NoBr UsBg ClSt Geom "
                    "FllA Nois ");
    EXPECT_EQ(types, "UUUUUUUUUUUUBBBBBIIBU");
    // AntA carries antialiasing: 0 for noAntialias 1.
    EXPECT_EQ(values, (std::vector<double>{12.5, 250, 33, 150, -50, 400, 7, 900, -1000, 123, -500, 999, 0, 1, 0, 1,
                                           1, 1, 11, 0, 42}));
}

TEST(ScriptParams, RecordThenReplayRestoresEverySetting) {
    const std::vector<Item> recorded = Recorded(Unusual());
    FakeHost host(Small());  // one fake host at a time
    host.playDescriptor = recorded;
    host.playDescriptorPresent = true;
    ASSERT_EQ(host.Run(false), noErr);
    const EngraveSettings got = SettingsOf(*host.params());
    for (int i = 0; i < kParamCount; ++i) {
        const SettingInfo& setting = kParamTable[i];
        if (setting.code) {
            EXPECT_EQ(GetSettingValue(got, setting), GetSettingValue(Unusual(), setting)) << setting.name;
        }
    }
}

TEST(ScriptParams, ReplayStoresEachValueAsRecorded) {
    struct Case {
        const char* what;
        Item item;
        const char* field;
        double expected;
    };
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
        FakeHost host(Small());
        host.playDescriptor = {c.item};
        host.playDescriptorPresent = true;
        ASSERT_EQ(host.Run(false), noErr) << c.what;
        EXPECT_EQ(GetSettingValue(ValuesOf(*host.params()), *FindParam(c.field)), c.expected) << c.what;
    }
}

TEST(ScriptParams, OnlyGeomChangesPatternAndResetsFillAlpha) {
    FakeHost host(Small());
    ASSERT_EQ(host.Call(filterSelectorPrepare), noErr);
    host.params()->rotation = 5;
    host.playDescriptor = {{FourCC("Geom"), typeInteger, 8}};
    host.playDescriptorPresent = true;
    ASSERT_EQ(host.Run(false), noErr);
    EXPECT_EQ(host.params()->pattern, kSpiral);
    EXPECT_EQ(host.params()->fillAlpha, 0);
    EXPECT_EQ(host.params()->rotation, 5);
    EXPECT_EQ(host.params()->space, 20);
}

TEST(ScriptParams, ExpectedKeysAreAnnouncedAndTheReadDescriptorReplaced) {
    FakeHost host(Small());
    host.playDescriptorPresent = true;
    ASSERT_EQ(host.Run(false), noErr);
    EXPECT_EQ(host.expectedKeys,
              "ClSt Geom InvI AntA Invr NoBr UsBg Angl Spac Wdth BRel Ampl Shif Usil CntX CntY FllA Nois ");
    // The descriptor read at Start is disposed; the one written at Finish takes its place.
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "disposeHandle"), 1);
    EXPECT_NE(host.descriptorParameters().descriptor, nullptr);
}

TEST(ScriptParams, OnlyAMissingParameterIsToleratedOnClose) {
    for (OSErr error : {errMissingParameter, OSErr(-50)}) {
        FakeHost host(Small());
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
                FakeHost host(Small(), options);
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
    FakeHost host(Small());
    ReadDescriptorProcs procs = *host.descriptorParameters().readDescriptorProcs;
    procs.getPinnedFloatProc = nullptr;
    host.descriptorParameters().readDescriptorProcs = &procs;
    EXPECT_FALSE(DescriptorsAvailable(&host.record()));
}

}  // namespace
