// Writing presets: the exact bytes, reals as "%f" writes them, write
// failures reported, and write -> read round trips of random records
// (their values checked against the C library's "%f" in the C locale).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "dialog/PresetNumbers.h"
#include "dialog/PresetReader.h"
#include "dialog/PresetWriter.h"
#include "tests/dialog/PresetTestRecord.h"

namespace {

std::string Written(const SettingValues& record) {
    StringPresetSink sink;
    EXPECT_TRUE(WritePresetContent(record.engraving, sink));
    return sink.bytes;
}

TEST(WritePreset, GivesTheExactBytes) {
    EXPECT_EQ(Written(WithFields(DefaultValues(), kAllValues)), kHeader + kAllLines);
}

std::string Format(float value) {
    char text[kPresetRealTextSize];
    const size_t length = FormatPresetReal(value, text);
    EXPECT_EQ(length, std::strlen(text));
    return text;
}

TEST(FormatPresetReal, SixDecimalsPointAndSign) {
    EXPECT_EQ(Format(30.0f), "30.000000");
    EXPECT_EQ(Format(-0.0f), "-0.000000");
    EXPECT_EQ(Format(5.5555553f), "5.555555");
    EXPECT_EQ(Format(0.0000004f), "0.000000");
    EXPECT_EQ(Format(0.0000006f), "0.000001");
    EXPECT_EQ(Format(3.4028234663852886e38f), "340282346638528859811704183484516925440.000000");
}

// Accepts `budget` bytes, then refuses; counts the writes asked of it.
struct FailingSink : PresetSink {
    explicit FailingSink(size_t bytes) : budget(bytes) {}
    bool Write(const void*, size_t size) override {
        ++calls;
        return size <= budget && (budget -= size, true);
    }
    size_t budget;
    int calls = 0;
};

TEST(WritePreset, ReportsAFailedWriteAndStops) {
    const SettingValues record = WithFields(DefaultValues(), kAllValues);
    const size_t size = kHeader.size() + kAllLines.size();
    for (size_t budget : {size_t(0), size_t(16), size_t(17), size_t(100), size - 1}) {
        FailingSink sink(budget);
        EXPECT_FALSE(WritePresetContent(record.engraving, sink)) << budget;
        EXPECT_LE(sink.calls, 22) << budget << ": no write after the failed one";
    }
    FailingSink enough(size);
    EXPECT_TRUE(WritePresetContent(record.engraving, enough));
}

float RandomFloat(std::mt19937& random, int kind) {
    switch (kind % 4) {
        case 0: return std::uniform_real_distribution<float>(-1000.0f, 1000.0f)(random);
        case 1: return float(int(random() % 2001) - 1000);
        case 2: return std::uniform_real_distribution<float>(-1e-5f, 1e-5f)(random);
        default: {
            const uint32_t bits = random();
            float value;
            std::memcpy(&value, &bits, 4);
            return std::isfinite(value) ? value : 0.5f;
        }
    }
}

// Reading a saved preset gives each field as its own "%f" or "%d" of a
// byte allows, the rest of the record untouched; saving that again gives
// the same file.
TEST(WritePreset, RoundTripsRandomRecords) {
    std::mt19937 random(2024);
    for (int n = 0; n < 2000; ++n) {
        SettingValues saved = SentinelRecord(), expected = SentinelRecord();
        for (int i = 0; i < kParamCount; ++i) {
            const SettingInfo& setting = kParamTable[i];
            const bool real = setting.type == SettingType::Real;
            const double value =
                real ? RandomFloat(random, n + i) : double(int32_t(random())) * (n % 2 ? 1 : 1.0 / (1 << 24));
            SetSettingValue(&saved, setting, value);
            if (setting.code == 0) continue;
            const double stored = GetSettingValue(saved, setting);
            char text[400];
            std::snprintf(text, sizeof text, "%f", stored);
            SetSettingValue(&expected, setting, real ? std::strtod(text, nullptr) : double(int64_t(stored) & 0xFF));
        }
        const std::string text = Written(saved);
        SettingValues loaded = SentinelRecord();
        MemoryPresetSource source(text.data(), text.size());
        ASSERT_TRUE(ReadPresetContent(&loaded, source));
        ASSERT_EQ(DifferingFields(loaded, expected), "") << n;
        EXPECT_EQ(Written(loaded), text) << n;
    }
}

}  // namespace
