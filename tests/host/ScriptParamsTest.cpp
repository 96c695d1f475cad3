// Recording and replaying the settings through the host's descriptor.
#include <gtest/gtest.h>

#include <cstring>

#include "host/ModuleState.h"
#include "host/EngraveParams.h"
#include "host/ScriptParams.h"
#include "tests/support/FakeHost.h"

namespace {

FakeImage Small() {
    FakeImage image;
    image.width = 6;
    image.height = 4;
    image.samples.assign(6 * 4 * 3, 128);
    return image;
}

using Item = FakeHost::DescriptorItem;

EngraveParams Unusual() {
    EngraveParams p{};
    InitParameters(&p);
    p.rotation = 12.5f;
    p.offset = 250;
    p.space = 33;
    p.width = 150;
    p.contrast = -50;
    p.randomness = 400;
    p.amplitude = 7;
    p.frequency = 900;
    p.phaseShift = -1000;
    p.threshold = 123;
    p.centerX = -500;
    p.centerY = 999;
    p.invertIntensity = 0;
    p.invert = 1;
    p.noAntialias = 1;
    p.notBreak = 1;
    p.useCircles = 1;
    p.colorSchema = kSplitColor;
    p.pattern = kSpiralWaves3;
    p.fillAlpha = 0;
    p.noise = 42;
    return p;
}

TEST(ScriptParams, FinishWritesTheTwentyOneKeysInOrder) {
    FakeHost host(Small());
    ASSERT_EQ(host.Call(filterSelectorPrepare), noErr);
    const EngraveParams wanted = Unusual();
    std::memcpy(host.params(), &wanted, offsetof(EngraveParams, showDialog));
    ASSERT_EQ(host.Call(filterSelectorFinish), noErr);

    const auto& d = host.recordedDescriptor;
    const char* const order[] = {"Angl", "Ofst", "Spac", "Wdth", "Lvls", "BRel", "Ampl", "Frqn", "Shif", "Usil", "CntX",
                                 "CntY", "InvI", "Invr", "AntA", "NoBr", "UsBg", "ClSt", "Geom", "FllA", "Nois"};
    ASSERT_EQ(d.size(), 21u);
    for (size_t i = 0; i < 21; ++i) EXPECT_EQ(CodeText(d[i].key), order[i]) << i;
    EXPECT_EQ(d[0].type, typeUnitFloat);
    EXPECT_EQ(d[0].value, 12.5);
    EXPECT_EQ(d[8].value, -1000.0);
    EXPECT_EQ(d[12].type, typeBoolean);
    EXPECT_EQ(d[12].value, 0);                                  // InvI
    EXPECT_EQ(d[14].value, 0) << "AntA carries antialiasing"; // noAntialias 1
    EXPECT_EQ(d[17].type, typeInteger);
    EXPECT_EQ(d[17].value, 1);   // ClSt
    EXPECT_EQ(d[18].value, 11);  // Geom
    EXPECT_EQ(d[19].type, typeBoolean);
    EXPECT_EQ(d[20].value, 42.0);
    ASSERT_EQ(host.recordedUnits.size(), 13u);
    for (uint32_t unit : host.recordedUnits) EXPECT_EQ(unit, unitPercent);
    EXPECT_EQ(host.descriptorParameters().recordInfo, plugInDialogOptional);
    EXPECT_NE(host.descriptorParameters().descriptor, nullptr);
}

TEST(ScriptParams, RecordThenReplayRestoresEverySetting) {
    std::vector<Item> recorded;
    {
        FakeHost host(Small());
        ASSERT_EQ(host.Call(filterSelectorPrepare), noErr);
        const EngraveParams wanted = Unusual();
        std::memcpy(host.params(), &wanted, offsetof(EngraveParams, showDialog));
        ASSERT_EQ(host.Call(filterSelectorFinish), noErr);
        recorded = host.recordedDescriptor;
    }
    FakeHost host(Small());
    host.playDescriptor = recorded;
    host.playDescriptorPresent = true;
    ASSERT_EQ(host.Run(false), noErr);
    const SettingValues wanted = ValuesOf(Unusual()), got = ValuesOf(*host.params());
    for (int i = 0; i < kParamCount; ++i) {
        const SettingInfo& setting = kParamTable[i];
        if (setting.code == 0) continue;
        EXPECT_EQ(GetSettingValue(got, setting), GetSettingValue(wanted, setting)) << setting.name;
    }
}

struct ReplayCase {
    const char* what;
    std::vector<Item> items;
    const char* field;
    double expected;
};

class Replay : public ::testing::TestWithParam<ReplayCase> {};

TEST_P(Replay, StoresTheValueAsThePartSays) {
    FakeHost host(Small());
    host.playDescriptor = GetParam().items;
    host.playDescriptorPresent = true;
    ASSERT_EQ(host.Run(false), noErr);
    EXPECT_EQ(GetSettingValue(ValuesOf(*host.params()), *FindParam(GetParam().field)), GetParam().expected)
        << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Replay,
    ::testing::Values(ReplayCase{"AntA false", {{FourCC("AntA"), typeBoolean, 0}}, "noAntialias", 1},
                      ReplayCase{"AntA true", {{FourCC("AntA"), typeBoolean, 1}}, "noAntialias", 0},
                      ReplayCase{"ClSt low byte", {{FourCC("ClSt"), typeInteger, 258}}, "colorSchema", 2},
                      ReplayCase{"Geom low byte", {{FourCC("Geom"), typeInteger, 0x10C}}, "pattern", 12},
                      ReplayCase{"Angl unclamped", {{FourCC("Angl"), typeUnitFloat, 1000.0}}, "rotation", 1000},
                      ReplayCase{"Ofst read though not expected", {{FourCC("Ofst"), typeUnitFloat, 77}}, "offset", 77},
                      ReplayCase{"wrong type ignored", {{FourCC("Spac"), typeInteger, 5}}, "space", 20},
                      ReplayCase{"unknown key skipped", {{FourCC("Zzzz"), typeUnitFloat, 5}}, "space", 20},
                      ReplayCase{"FllA", {{FourCC("FllA"), typeBoolean, 1}}, "fillAlpha", 1}));

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

TEST(ScriptParams, ExpectedKeysAreAnnouncedInOrder) {
    FakeHost host(Small());
    host.playDescriptorPresent = true;
    ASSERT_EQ(host.Run(false), noErr);
    EXPECT_EQ(host.expectedKeys, "ClSt Geom InvI AntA Invr NoBr UsBg Angl Spac Wdth BRel Ampl Shif Usil CntX CntY FllA Nois ");
}

TEST(ScriptParams, MissingParameterOnCloseIsTolerated) {
    FakeHost host(Small());
    host.playDescriptorPresent = true;
    host.closeReadError = errMissingParameter;
    EXPECT_EQ(host.Run(false), noErr);
    EXPECT_EQ(host.advanceStateCalls, 1);
}

TEST(ScriptParams, AnyOtherCloseErrorEndsTheRunWithoutFiltering) {
    FakeHost host(Small());
    host.playDescriptorPresent = true;
    host.closeReadError = -50;
    EXPECT_EQ(host.Run(false), -50);
    EXPECT_EQ(host.advanceStateCalls, 0);
}

TEST(ScriptParams, TheReadDescriptorIsDisposedAndTheWrittenOneReplacesIt) {
    FakeHost host(Small());
    host.playDescriptorPresent = true;
    ASSERT_EQ(host.Run(false), noErr);
    int disposals = 0;
    for (const auto& c : host.calls) disposals += c == "disposeHandle";
    EXPECT_EQ(disposals, 1);
    EXPECT_NE(host.descriptorParameters().descriptor, nullptr);
}

class PlayInfo : public ::testing::TestWithParam<std::pair<int16_t, int>> {};

// The play information alone decides whether the dialog is shown.
TEST_P(PlayInfo, DecidesShowDialog) {
    FakeHostOptions options;
    options.playInfo = GetParam().first;
    FakeHost host(Small(), options);
    ASSERT_EQ(host.Call(filterSelectorParameters), noErr);
    host.descriptorParameters().descriptor = host.record().handleProcs->newProc(4);
    FilterGlobals* globals = reinterpret_cast<FilterGlobals*>(*reinterpret_cast<Handle>(host.data()));
    gModule.filterRecord = &host.record();
    ReadScriptParams(globals);
    EXPECT_EQ(host.params()->showDialog, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlayInfo,
                         ::testing::Values(std::make_pair(int16_t(plugInDialogDisplay), 1),
                                           std::make_pair(int16_t(plugInDialogDontDisplay), 0),
                                           std::make_pair(int16_t(plugInDialogSilent), 0)));

TEST(ScriptParams, WithoutDescriptorsShowDialogKeepsWhatTheFlowSet) {
    FakeHostOptions options;
    options.descriptors = false;
    options.playInfo = plugInDialogDisplay;
    FakeHost host(Small(), options);
    ASSERT_EQ(host.Call(filterSelectorParameters), noErr);
    FilterGlobals* globals = reinterpret_cast<FilterGlobals*>(*reinterpret_cast<Handle>(host.data()));
    gModule.filterRecord = &host.record();
    EXPECT_FALSE(DescriptorsAvailable(&host.record()));
    EXPECT_EQ(ReadScriptParams(globals), noErr);
    EXPECT_EQ(host.params()->showDialog, 1);
}

TEST(ScriptParams, IncompleteReadTableMeansNoDescriptors) {
    FakeHost host(Small());
    ReadDescriptorProcs procs = *host.descriptorParameters().readDescriptorProcs;
    procs.getPinnedFloatProc = nullptr;
    host.descriptorParameters().readDescriptorProcs = &procs;
    EXPECT_FALSE(DescriptorsAvailable(&host.record()));
    procs = *host.descriptorParameters().readDescriptorProcs;
}

}  // namespace
