// Preset files on disk, in a fresh folder per test: saving under typed
// names, loading, the overwrite check, deleting, refusing names that leave
// the folder, and a failed write that must not damage the saved preset.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "dialog/PresetFiles.h"
#include "dialog/PresetNames.h"
#include "dialog/PresetWriter.h"
#include "tests/dialog/PresetTestRecord.h"

namespace fs = std::filesystem;

namespace {

class PresetFiles : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        root_ = fs::path(::testing::TempDir()) / ("lumeric-presets-" + std::to_string(seed()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "Lumeric saves");
        folder_ = (root_ / "Lumeric saves").string();
        defaults_ = DefaultValues();
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    std::string Slurp(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void Put(const fs::path& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }
    std::string Saved(const SettingValues& record) {
        StringPresetSink sink;
        WritePresetContent(record.engraving, sink);
        return sink.bytes;
    }
    std::vector<std::string> FolderEntries() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path root_;
    std::string folder_;
    SettingValues defaults_ = SentinelRecord();
};

// The save flow normalises the typed name once, then checks and writes.
TEST_F(PresetFiles, TypedNamesGiveOneFileEach) {
    struct {
        const char* typed;
        const char* file;
        const char* listed;
    } cases[] = {{"abc", "abc.lmv", "abc"}, {"abc.lmv", "abc.lmv", "abc"}, {"mylmv", "m.lmv", "m.lmv"}};
    for (const auto& c : cases) {
        std::string name = NormalizePresetName(c.typed);
        ASSERT_TRUE(WritePresetFile(folder_, name, defaults_.engraving)) << c.typed;
        EXPECT_TRUE(fs::exists(fs::path(folder_) / c.file)) << c.typed;
        EXPECT_EQ(PresetListName(c.file), c.listed);
        // What the list shows loads the file it came from.
        SettingValues record = SentinelRecord();
        EXPECT_TRUE(LoadPreset(folder_, c.listed, &record)) << c.listed;
    }
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"abc.lmv", "m.lmv"}));
}

TEST_F(PresetFiles, SavedPresetLoadsBackWithoutTouchingDialogFields) {
    SettingValues saved = defaults_;
    saved.engraving.rotation = -33.3f;
    saved.engraving.phaseShift = 5.5555553f * 90;
    saved.engraving.pattern = kSpiralWaves3;
    saved.engraving.colorSchema = kSplitColor;
    saved.engraving.invertIntensity = 0;
    saved.engraving.invert = 1;
    saved.engraving.noise = 12.5f;
    ASSERT_TRUE(WritePresetFile(folder_, "mine", saved.engraving));
    EXPECT_EQ(Slurp(fs::path(folder_) / "mine.lmv"), Saved(saved));

    SettingValues record = SentinelRecord();
    ASSERT_TRUE(LoadPreset(folder_, "mine", &record));
    SettingValues expected = SentinelRecord();
    for (int i = 0; i < kParamCount; ++i)
        if (kParamTable[i].code != 0)
            SetSettingValue(&expected, kParamTable[i], GetSettingValue(saved, kParamTable[i]));
    expected.engraving.rotation = -33.299999f;     // "%f" keeps six decimals
    expected.engraving.phaseShift = 499.999969f;
    EXPECT_TRUE(SameRecord(record, expected)) << DifferingFields(record, expected);
    // autoUpdate and checkerboard keep the sentinel values (SameRecord above).
}

TEST_F(PresetFiles, ExistsWriteOverAndDelete) {
    EXPECT_FALSE(PresetExists(folder_, "p"));
    ASSERT_TRUE(WritePresetFile(folder_, "p", defaults_.engraving));
    EXPECT_TRUE(PresetExists(folder_, "p"));
    SettingValues other = defaults_;
    other.engraving.space = 77;
    ASSERT_TRUE(WritePresetFile(folder_, "p", other.engraving));
    EXPECT_EQ(Slurp(fs::path(folder_) / "p.lmv"), Saved(other));
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"p.lmv"});  // no temporary left behind
    EXPECT_TRUE(DeletePreset(folder_, "p.lmv"));
    EXPECT_FALSE(PresetExists(folder_, "p"));
    EXPECT_FALSE(DeletePreset(folder_, "p"));
}

TEST_F(PresetFiles, UnrecognisedOrMissingFilesFailAndChangeNothing) {
    Put(fs::path(folder_) / "text.lmv", "Corvessa Lumeric\r\nlgnA 5\n");
    Put(fs::path(folder_) / "empty.lmv", "");
    for (const char* name : {"text", "empty", "absent", "", "xlmv"}) {
        SettingValues record = SentinelRecord();
        EXPECT_FALSE(LoadPreset(folder_, name, &record)) << name;
        EXPECT_TRUE(SameRecord(record, SentinelRecord())) << name;
    }
}

TEST_F(PresetFiles, MissingFolderFailsEverything) {
    std::string missing = (root_ / "no such folder").string();
    SettingValues record = SentinelRecord();
    EXPECT_FALSE(WritePresetFile(missing, "a", defaults_.engraving));
    EXPECT_FALSE(LoadPreset(missing, "a", &record));
    EXPECT_FALSE(PresetExists(missing, "a"));
    EXPECT_FALSE(fs::exists(missing));
}

// Names that would reach the folder's parent, another folder or a device
// are refused for every operation, even where a file is waiting there.
TEST_F(PresetFiles, NamesOutsideTheFolderAreRefused) {
    const std::string victim = Saved(defaults_);
    Put(root_ / "outside.lmv", victim);
    SettingValues changed = defaults_;
    changed.engraving.rotation = 1;
    const std::vector<std::string> names = {"../outside", "..\\outside", (root_ / "outside").string(),
                                            "sub/outside", "C:outside", "CON"};
    for (const std::string& name : names) {
        SettingValues record = SentinelRecord();
        EXPECT_FALSE(LoadPreset(folder_, name, &record)) << name;
        EXPECT_TRUE(SameRecord(record, SentinelRecord())) << name;
        EXPECT_FALSE(PresetExists(folder_, name)) << name;
        EXPECT_FALSE(WritePresetFile(folder_, name, changed.engraving)) << name;
        EXPECT_FALSE(DeletePreset(folder_, name)) << name;
        EXPECT_EQ(Slurp(root_ / "outside.lmv"), victim) << name;
    }
    EXPECT_TRUE(FolderEntries().empty());
}

TEST_F(PresetFiles, FailedWriteLeavesTheSavedPresetIntact) {
    ASSERT_TRUE(WritePresetFile(folder_, "keep", defaults_.engraving));
    const fs::path target = fs::path(folder_) / "keep.lmv";
    const std::string good = Slurp(target);
    std::string path;
    ASSERT_TRUE(PresetFilePath(folder_, "keep", &path));
    // The content writer fails half way, as on a full disk.
    EXPECT_FALSE(ReplaceFileContent(path, [](PresetSink& sink) {
        sink.Write("Corvessa Lumeric\nlgnA 1", 23);
        return false;
    }));
    EXPECT_EQ(Slurp(target), good);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"keep.lmv"});
}

TEST_F(PresetFiles, FailedCreateLeavesTheSavedPresetIntact) {
    ASSERT_TRUE(WritePresetFile(folder_, "keep", defaults_.engraving));
    const fs::path target = fs::path(folder_) / "keep.lmv";
    const std::string good = Slurp(target);
    // Something in the way of the temporary file: it cannot be created.
    fs::create_directory(fs::path(folder_) / "keep.lmv.tmp");
    SettingValues other = defaults_;
    other.engraving.width = 1;
    EXPECT_FALSE(WritePresetFile(folder_, "keep", other.engraving));
    EXPECT_EQ(Slurp(target), good);
}

// A stdio write that the system refuses is reported, not swallowed.
TEST_F(PresetFiles, FileSinkReportsRefusedWrites) {
    const fs::path path = fs::path(folder_) / "readonly.lmv";
    Put(path, "x");
    std::FILE* file = std::fopen(path.string().c_str(), "rb");
    ASSERT_NE(file, nullptr);
    FilePresetSink sink(file);
    EXPECT_FALSE(sink.Write("abc", 3));
    std::fclose(file);
}

}  // namespace
