// Preset files on disk, in a fresh folder per test: saving under typed
// names, loading, the overwrite check, deleting, refusing names that leave
// the folder, and a failed write that must not damage the saved preset.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "dialog/PresetFiles.h"
#include "dialog/PresetNames.h"
#include "dialog/PresetWriter.h"
#include "tests/dialog/PresetTestRecord.h"
#include "tests/support/TestFiles.h"

namespace fs = std::filesystem;

namespace {

void Put(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class PresetFiles : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::path(::testing::TempDir()) / ("lumeric-presets-" + std::to_string(std::random_device{}()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "Lumeric saves");
        folder_ = (root_ / "Lumeric saves").string();
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    std::vector<std::string> FolderEntries() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path root_;
    std::string folder_;
    const EngraveSettings unusual_ = WithFields(DefaultValues(), kAllValues).engraving;
};

// The save flow normalises the typed name once, then checks and writes
// over what is there; what the list shows loads the file it came from, and
// only the carried fields (not the dialog's) change.
TEST_F(PresetFiles, TypedNamesSaveListLoadAndDelete) {
    struct {
        const char *typed, *file, *listed;
    } cases[] = {{"abc", "abc.lmv", "abc"}, {"abc.lmv", "abc.lmv", "abc"}, {"mylmv", "m.lmv", "m.lmv"}};
    ASSERT_TRUE(WritePresetFile(folder_, "abc", DefaultEngraveSettings()));
    for (const auto& c : cases) {
        ASSERT_TRUE(WritePresetFile(folder_, NormalizePresetName(c.typed), unusual_)) << c.typed;
        EXPECT_EQ(ReadText(folder_ + "/" + c.file), kHeader + kAllLines) << c.typed;
        EXPECT_EQ(PresetListName(c.file), c.listed);
        SettingValues record = SentinelRecord();
        EXPECT_TRUE(LoadPreset(folder_, c.listed, &record)) << c.listed;
        EXPECT_EQ(DifferingFields(record, WithFields(SentinelRecord(), kAllValues)), "") << c.listed;
    }
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"abc.lmv", "m.lmv"})) << "no temporary left behind";
    EXPECT_TRUE(PresetExists(folder_, "abc"));
    EXPECT_TRUE(DeletePreset(folder_, "abc.lmv"));
    EXPECT_FALSE(PresetExists(folder_, "abc"));
    EXPECT_FALSE(DeletePreset(folder_, "abc"));
}

TEST_F(PresetFiles, UnrecognisedOrMissingFilesAndFoldersFailAndChangeNothing) {
    Put(fs::path(folder_) / "text.lmv", "Corvessa Lumeric\r\nlgnA 5\n");
    Put(fs::path(folder_) / "empty.lmv", "");
    const std::string missing = (root_ / "no such folder").string();
    for (const auto& c : {std::make_pair(folder_, "text"), std::make_pair(folder_, "empty"),
                          std::make_pair(folder_, "absent"), std::make_pair(folder_, ""),
                          std::make_pair(folder_, "xlmv"), std::make_pair(missing, "a")}) {
        SettingValues record = SentinelRecord();
        EXPECT_FALSE(LoadPreset(c.first, c.second, &record)) << c.second;
        EXPECT_EQ(DifferingFields(record, SentinelRecord()), "") << c.second;
    }
    EXPECT_FALSE(WritePresetFile(missing, "a", unusual_));
    EXPECT_FALSE(PresetExists(missing, "a"));
    EXPECT_FALSE(fs::exists(missing));
}

// Names that would reach the folder's parent, another folder or a device
// are refused for every operation, even where a file is waiting there.
TEST_F(PresetFiles, NamesOutsideTheFolderAreRefused) {
    Put(root_ / "outside.lmv", kHeader + kAllLines);
    for (const std::string& name : {std::string("../outside"), std::string("..\\outside"),
                                    (root_ / "outside").string(), std::string("sub/outside"),
                                    std::string("C:outside"), std::string("CON")}) {
        SettingValues record = SentinelRecord();
        EXPECT_FALSE(LoadPreset(folder_, name, &record)) << name;
        EXPECT_EQ(DifferingFields(record, SentinelRecord()), "") << name;
        EXPECT_FALSE(PresetExists(folder_, name)) << name;
        EXPECT_FALSE(WritePresetFile(folder_, name, DefaultEngraveSettings())) << name;
        EXPECT_FALSE(DeletePreset(folder_, name)) << name;
        EXPECT_EQ(ReadText((root_ / "outside.lmv").string()), kHeader + kAllLines) << name;
    }
    EXPECT_TRUE(FolderEntries().empty());
}

// A write that fails half way (a full disk), or a temporary file that
// cannot be created, leaves the saved preset as it was.
TEST_F(PresetFiles, FailedWritesLeaveTheSavedPresetIntact) {
    ASSERT_TRUE(WritePresetFile(folder_, "keep", unusual_));
    const fs::path target = fs::path(folder_) / "keep.lmv";
    std::string path;
    ASSERT_TRUE(PresetFilePath(folder_, "keep", &path));
    EXPECT_FALSE(ReplaceFileContent(path, [](PresetSink& sink) {
        sink.Write("Corvessa Lumeric\nlgnA 1", 23);
        return false;
    }));
    EXPECT_EQ(ReadText(target.string()), kHeader + kAllLines);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"keep.lmv"});
    fs::create_directory(fs::path(folder_) / "keep.lmv.tmp");  // in the way of the temporary file
    EXPECT_FALSE(WritePresetFile(folder_, "keep", DefaultEngraveSettings()));
    EXPECT_EQ(ReadText(target.string()), kHeader + kAllLines);
}

// A stdio write that the system refuses is reported, not swallowed.
TEST_F(PresetFiles, FileSinkReportsRefusedWrites) {
    const fs::path path = fs::path(folder_) / "readonly.lmv";
    Put(path, "x");
    std::FILE* file = std::fopen(path.string().c_str(), "rb");
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(FilePresetSink(file).Write("abc", 3));
    std::fclose(file);
}

}  // namespace
