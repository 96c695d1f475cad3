// Writing presets: the exact bytes of a default preset, integers as their
// low byte, write failures reported, and write -> read round trips.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "dialog/PresetReader.h"
#include "dialog/PresetWriter.h"
#include "tests/dialog/PresetTestRecord.h"

namespace {

// Written out by hand from the file format: header, then per line key,
// blank, value, blank, four tabs, ';' label, blank, line feed.
const char kDefaultPreset[] =
    "Corvessa Lumeric\n"
    "lgnA 30.000000 \t\t\t\t;Rotation \n"
    "tsfO 0.000000 \t\t\t\t;Offset \n"
    "capS 20.000000 \t\t\t\t;Space \n"
    "htdW 100.000000 \t\t\t\t;Width \n"
    "slvL 0.000000 \t\t\t\t;Contrast \n"
    "leRB 0.000000 \t\t\t\t;Randomness \n"
    "lpmA 100.000000 \t\t\t\t;Amplitude \n"
    "nqrF 100.000000 \t\t\t\t;Frequency \n"
    "fihS 0.000000 \t\t\t\t;Shift of phase \n"
    "lisU 0.000000 \t\t\t\t;Threshould \n"
    "XtnC 0.000000 \t\t\t\t;Center X \n"
    "YtnC 0.000000 \t\t\t\t;Center Y \n"
    "sioN 0.000000 \t\t\t\t;Noise \n"
    "IvnI 1 \t\t\t\t;Invert intensivity \n"
    "rvnI 0 \t\t\t\t;Invert \n"
    "rBoN 0 \t\t\t\t;Not break \n"
    "gBsU 0 \t\t\t\t;Use circles \n"
    "tSlC 2 \t\t\t\t;Color schema \n"
    "moeG 1 \t\t\t\t;Pattern \n"
    "AllF 1 \t\t\t\t;Fill alpha \n"
    "AtnA 0 \t\t\t\t;Draw with antialiasing \n";

std::string Written(const SettingValues& record) {
    StringPresetSink sink;
    EXPECT_TRUE(WritePresetContent(record.engraving, sink));
    return sink.bytes;
}

TEST(WritePreset, DefaultRecordGivesTheExactBytes) {
    SettingValues record = DefaultValues();
    EXPECT_EQ(Written(record), kDefaultPreset);
}

TEST(WritePreset, IntegersAreTheirLowByteAndRealsKeepTheirSign) {
    SettingValues record = DefaultValues();
    record.engraving.invertIntensity = 257;
    record.engraving.invert = -1;
    record.engraving.rotation = -12.25f;
    record.engraving.noise = 1e10f;
    std::string text = Written(record);
    EXPECT_NE(text.find("\nIvnI 1 \t"), std::string::npos) << text;
    EXPECT_NE(text.find("\nrvnI 255 \t"), std::string::npos) << text;
    EXPECT_NE(text.find("\nlgnA -12.250000 \t"), std::string::npos) << text;
    EXPECT_NE(text.find("\nsioN 10000000000.000000 \t"), std::string::npos) << text;
}

// Accepts `budget` bytes, then refuses.
class FailingSink : public PresetSink {
public:
    explicit FailingSink(size_t budget) : budget_(budget) {}
    bool Write(const void*, size_t size) override {
        ++calls;
        if (size > budget_) return false;
        budget_ -= size;
        return true;
    }
    int calls = 0;

private:
    size_t budget_;
};

TEST(WritePreset, ReportsAFailedWriteAndStops) {
    SettingValues record = DefaultValues();
    for (size_t budget : {size_t(0), size_t(16), size_t(17), size_t(100), sizeof kDefaultPreset - 2}) {
        FailingSink sink(budget);
        EXPECT_FALSE(WritePresetContent(record.engraving, sink)) << budget;
        EXPECT_LE(sink.calls, 22) << budget;
    }
    FailingSink enough(sizeof kDefaultPreset - 1);
    EXPECT_TRUE(WritePresetContent(record.engraving, enough));
}

// What reading a saved preset gives: each field as its own "%f" or "%d"
// text allows, the rest of the record untouched.
SettingValues ExpectedAfterRoundTrip(const SettingValues& saved, SettingValues target) {
    for (int i = 0; i < kParamCount; ++i) {
        const SettingInfo& setting = kParamTable[i];
        if (setting.code == 0) continue;
        double value = GetSettingValue(saved, setting);
        if (setting.type == SettingType::Real) {
            char text[400];
            std::snprintf(text, sizeof text, "%f", value);
            SetSettingValue(&target, setting, std::strtod(text, nullptr));
        } else {
            SetSettingValue(&target, setting, double(int64_t(value) & 0xFF));
        }
    }
    return target;
}

float RandomFloat(std::mt19937& random, int kind) {
    switch (kind % 4) {
        case 0: return std::uniform_real_distribution<float>(-1000.0f, 1000.0f)(random);
        case 1: return float(int(random() % 2001) - 1000);
        case 2: return std::uniform_real_distribution<float>(-1e-5f, 1e-5f)(random);
        default: {
            uint32_t bits = random();
            float value;
            std::memcpy(&value, &bits, 4);
            return std::isfinite(value) ? value : 0.5f;
        }
    }
}

TEST(WritePreset, RoundTripsRandomRecords) {
    std::mt19937 random(2024);
    for (int n = 0; n < 2000; ++n) {
        SettingValues saved = SentinelRecord();
        for (int i = 0; i < kParamCount; ++i) {
            const SettingInfo& setting = kParamTable[i];
            if (setting.type == SettingType::Real)
                SetSettingValue(&saved, setting, RandomFloat(random, n + i));
            else
                SetSettingValue(&saved, setting, double(int32_t(random())) * (n % 2 ? 1 : 1.0 / (1 << 24)));
        }
        std::string text = Written(saved);
        SettingValues loaded = SentinelRecord();
        MemoryPresetSource source(text.data(), text.size());
        ASSERT_TRUE(ReadPresetContent(&loaded, source));
        SettingValues expected = ExpectedAfterRoundTrip(saved, SentinelRecord());
        ASSERT_TRUE(SameRecord(loaded, expected)) << n << ": " << DifferingFields(loaded, expected);
        // A second save of what was loaded is the same file.
        EXPECT_EQ(Written(loaded), text) << n;
    }
}

}  // namespace
