// Reading preset content: line splitting, the text body with every oddity a
// hand-edited or foreign file may carry, the header check and the legacy
// binary record. Each case lists exactly the fields that must change; every
// other byte of the record must stay as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "dialog/PresetReader.h"
#include "tests/dialog/PresetTestRecord.h"

using namespace std::string_literals;

namespace {

const std::string kHeader = "Corvessa Lumeric\n";

std::vector<std::string> SplitLines(const std::string& content) {
    MemoryPresetSource source(content.data(), content.size());
    std::vector<std::string> lines;
    PresetLine line;
    while (ReadPresetLine(source, &line)) lines.emplace_back(line.bytes, line.length);
    return lines;
}

struct LineCase {
    const char* name;
    std::string content;
    std::vector<std::string> lines;
};
void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }


class ReadLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ReadLine, SplitsAfterControlAndHighBytes) {
    EXPECT_EQ(SplitLines(GetParam().content), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Preset, ReadLine,
    ::testing::Values(
        LineCase{"TabsBecomeBlanks", "a\tb\t\n", {"a b \n"}},
        LineCase{"CrLfGivesAOneByteLine", "ab\r\ncd\r\n", {"ab\r", "\n", "cd\r", "\n"}},
        LineCase{"UnterminatedLastLineIsDropped", "ab\ncd", {"ab\n"}},
        LineCase{"EmptyInput", "", {}},
        LineCase{"NulEndsALine", "ab\0cd\n"s, {"ab\0"s, "cd\n"}},
        LineCase{"ByteThirteenEnds", "a\x0d" "b\x0e\n", {"a\r", "b\x0e\n"}},
        LineCase{"HighByteEnds", "a\x80" "b\xff" "c\n", {"a\x80", "b\xff", "c\n"}},
        LineCase{"LongLineCutAtTheBuffer", std::string(1500, 'x') + "\n",
                 {std::string(1024, 'x'), std::string(476, 'x') + "\n"}}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

struct BodyCase {
    const char* name;
    std::string content;  // whole file
    bool recognised;
    std::vector<FieldValue> changes;
};
void PrintTo(const BodyCase& c, std::ostream* os) { *os << c.name; }


class ReadContent : public ::testing::TestWithParam<BodyCase> {};

TEST_P(ReadContent, ChangesExactlyTheListedFields) {
    const BodyCase& c = GetParam();
    SettingValues record = SentinelRecord();
    MemoryPresetSource source(c.content.data(), c.content.size());
    EXPECT_EQ(ReadPresetContent(&record, source), c.recognised);
    SettingValues expected = WithFields(SentinelRecord(), c.changes);
    EXPECT_TRUE(SameRecord(record, expected)) << DifferingFields(record, expected);
}

const std::string kAllLines =
    "lgnA 12.500000 \t\t\t\t;Rotation \n"
    "tsfO 250.000000 \t\t\t\t;Offset \n"
    "capS 33.000000 \t\t\t\t;Space \n"
    "htdW 150.000000 \t\t\t\t;Width \n"
    "slvL -40.000000 \t\t\t\t;Contrast \n"
    "leRB 500.000000 \t\t\t\t;Randomness \n"
    "lpmA 321.000000 \t\t\t\t;Amplitude \n"
    "nqrF 654.000000 \t\t\t\t;Frequency \n"
    "fihS -1000.000000 \t\t\t\t;Shift of phase \n"
    "lisU 7.250000 \t\t\t\t;Threshould \n"
    "XtnC -500.000000 \t\t\t\t;Center X \n"
    "YtnC 499.500000 \t\t\t\t;Center Y \n"
    "sioN 3.000000 \t\t\t\t;Noise \n"
    "IvnI 0 \t\t\t\t;Invert intensivity \n"
    "rvnI 1 \t\t\t\t;Invert \n"
    "rBoN 1 \t\t\t\t;Not break \n"
    "gBsU 1 \t\t\t\t;Use circles \n"
    "tSlC 1 \t\t\t\t;Color schema \n"
    "moeG 12 \t\t\t\t;Pattern \n"
    "AllF 0 \t\t\t\t;Fill alpha \n"
    "AtnA 1 \t\t\t\t;Draw with antialiasing \n";

const std::vector<FieldValue> kAllValues = {
    {"rotation", 12.5},   {"offset", 250},      {"space", 33},         {"width", 150},
    {"contrast", -40},    {"randomness", 500},  {"amplitude", 321},    {"frequency", 654},
    {"phaseShift", -1000}, {"threshold", 7.25}, {"centerX", -500},     {"centerY", 499.5},
    {"noise", 3},         {"invertIntensity", 0}, {"invert", 1},       {"notBreak", 1},
    {"useCircles", 1},    {"colorSchema", 1},   {"pattern", 12},       {"fillAlpha", 0},
    {"noAntialias", 1},
};

// The same lines reversed, indented, with CR LF ends and foreign lines.
std::string Scrambled() {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = kAllLines.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(kAllLines.substr(start, end - start));
    std::string out = kHeader + "; a comment line\r\n";
    int i = 0;
    for (auto it = lines.rbegin(); it != lines.rend(); ++it, ++i) {
        out += (i % 3 == 0 ? "   " : i % 3 == 1 ? "\t\t" : " \t ") + *it + "\r\n";
        out += "junk line that means nothing\r\n   ;lgnA 99\r\nXXXX 5\r\n";
    }
    return out;
}

std::string LegacyFile(size_t keep, const std::string& tail = "") {
    std::string bytes = "Max Vantor";
    bytes += "\x01\x0C\x00\x00\x01\x01\xC8\x01"s;  // colorSchema .. useCircles
    const float reals[12] = {45.5f, 25, 500, 80, -20, 10, 200, 300, 555.5f, -2, 100, -100};
    for (float f : reals) {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        for (int b = 0; b < 4; ++b) bytes += char((bits >> (8 * b)) & 0xFF);
    }
    return bytes.substr(0, keep) + tail;
}

const std::vector<FieldValue> kLegacyValues = {
    {"colorSchema", 1}, {"pattern", 12}, {"autoUpdate", 0}, {"invertIntensity", 0}, {"noAntialias", 1},
    {"invert", 1},      {"notBreak", 200}, {"useCircles", 1}, {"rotation", 45.5},   {"space", 25},
    {"offset", 500},    {"width", 80},   {"contrast", -20},   {"randomness", 10},   {"amplitude", 200},
    {"frequency", 300}, {"phaseShift", 555.5}, {"threshold", -2}, {"centerX", 100}, {"centerY", -100},
};

std::vector<FieldValue> FirstOf(const std::vector<FieldValue>& all, size_t count) {
    return std::vector<FieldValue>(all.begin(), all.begin() + count);
}

INSTANTIATE_TEST_SUITE_P(
    Preset, ReadContent,
    ::testing::Values(
        BodyCase{"AllTwentyOneLines", kHeader + kAllLines, true, kAllValues},
        BodyCase{"AnyOrderIndentedCrLfWithForeignLines", Scrambled(), true, kAllValues},
        BodyCase{"HeaderOnly", kHeader, true, {}},
        BodyCase{"HeaderEndingInCrLfIsRefused", "Corvessa Lumeric\r\nlgnA 5\n", false, {}},
        BodyCase{"ShortHeaderIsRefused", "Corvessa Lumeri", false, {}},
        BodyCase{"EmptyFileIsRefused", "", false, {}},
        BodyCase{"LowerCaseHeaderIsRefused", "corvessa lumeric\nlgnA 5\n", false, {}},
        BodyCase{"MissingRotationLeavesIt", kHeader + "capS 9\n", true, {{"space", 9}}},
        BodyCase{"IntegerLowEightBits", kHeader + "IvnI 257\nrvnI -1\ntSlC 300\nmoeG -257\n", true,
                 {{"invertIntensity", 1}, {"invert", 255}, {"colorSchema", 44}, {"pattern", 255}}},
        BodyCase{"HugeIntegerKeepsLowByte", kHeader + "moeG 99999999999999999999999\n", true,
                 {{"pattern", 255}}},  // 10^23 - 1 = 255 mod 256
        BodyCase{"KeyInCodeOrderIsIgnored", kHeader + "Angl 45.0\nlgna 45\nLGNA 45\n", true, {}},
        BodyCase{"LastLineWithoutLineFeedIsIgnored", kHeader + "capS 9\nlgnA 45.0", true, {{"space", 9}}},
        BodyCase{"HighByteSplitsALine", kHeader + "sioN 5\x80lgnA 7\nlpmA 1\xE9" "2\n", true,
                 {{"noise", 5}, {"rotation", 7}, {"amplitude", 1}}},
        BodyCase{"NulSplitsALine", kHeader + "sioN 5\0lgnA 7\n"s, true, {{"noise", 5}, {"rotation", 7}}},
        BodyCase{"LaterDuplicateWins", kHeader + "lgnA 10\ncapS 1\nlgnA 20\n", true,
                 {{"rotation", 20}, {"space", 1}}},
        BodyCase{"CommaStopsARealDotStopsAnInteger", kHeader + "lgnA 1,5\nIvnI 1.9\n", true,
                 {{"rotation", 1}, {"invertIntensity", 1}}},
        BodyCase{"ValueRightAfterKeyOrAfterTabs", kHeader + "lgnA12.5\ncapS\t\t7\n", true,
                 {{"rotation", 12.5}, {"space", 7}}},
        BodyCase{"NoNumberReadsZero", kHeader + "lgnA \ncapS abc\nhtdW +5\nmoeG x\n", true,
                 {{"rotation", 0}, {"space", 0}, {"width", 0}, {"pattern", 0}}},
        BodyCase{"AtofPrefixes", kHeader + "lgnA --5\ncapS 5-3\nhtdW .5\nslvL 5.\nleRB e5\nlpmA 1e\nnqrF 1e+5\n",
                 true,
                 {{"rotation", 0}, {"space", 5}, {"width", 0.5}, {"contrast", 5}, {"randomness", 0},
                  {"amplitude", 1}, {"frequency", 1}}},
        BodyCase{"Exponents", kHeader + "lgnA 1e2\ncapS -2.5E-1\nhtdW 1e999\nslvL -1e999\nleRB 1e-999\n", true,
                 {{"rotation", 100}, {"space", -0.25}, {"width", HUGE_VAL}, {"contrast", -HUGE_VAL},
                  {"randomness", 0}}},
        BodyCase{"NumberRunStopsAtSixtyFourCharacters",
                 kHeader + "lgnA " + std::string(60, '0') + "1234567\n", true, {{"rotation", 1234}}},
        BodyCase{"ShortAndCommentLinesAreSkipped", kHeader + "lgn\n;lgnA 5\n  ;capS 5\n\n\n", true, {}},
        BodyCase{"LineCutAtTheBufferStartsAFreshLine",
                 kHeader + std::string(1020, ' ') + "XXXXlgnA 5\n", true, {{"rotation", 5}}},
        BodyCase{"LegacyFull", LegacyFile(66), true, kLegacyValues},
        BodyCase{"LegacyBytesBeyondTheRecordAreIgnored", LegacyFile(66, "\x01\x02\x03\x04garbage"), true,
                 kLegacyValues},
        BodyCase{"LegacyShortSetsTheBytesItReaches", LegacyFile(15), true, FirstOf(kLegacyValues, 5)},
        BodyCase{"LegacyFieldCutShortKeepsItsValue", LegacyFile(18 + 4 + 3), true, FirstOf(kLegacyValues, 9)},
        BodyCase{"LegacyMagicOnly", LegacyFile(10), true, {}},
        BodyCase{"LegacyMagicCutShort", "Max Vanto", false, {}},
        BodyCase{"LegacyIsNotReadAsText", "Max Vantor\nlgnA 5\n", true,
                 {{"colorSchema", '\n'}, {"pattern", 'l'}, {"autoUpdate", 'g'}, {"invertIntensity", 'n'},
                  {"noAntialias", 'A'}, {"invert", ' '}, {"notBreak", '5'}, {"useCircles", '\n'}}}),
    [](const ::testing::TestParamInfo<BodyCase>& info) { return std::string(info.param.name); });

TEST(ReadPresetBody, ReadsFromTheCurrentPositionWithoutAHeader) {
    SettingValues record = SentinelRecord();
    std::string body = "lgnA 5\nAtnA 1\n";
    MemoryPresetSource source(body.data(), body.size());
    ReadPresetBody(&record, source);
    SettingValues expected = WithFields(SentinelRecord(), {{"rotation", 5}, {"noAntialias", 1}});
    EXPECT_TRUE(SameRecord(record, expected)) << DifferingFields(record, expected);
}

// A source that cannot go back: a file that is not text must then fail
// without reading any further.
class ForwardOnlySource : public MemoryPresetSource {
public:
    using MemoryPresetSource::MemoryPresetSource;
    bool Rewind() override { return false; }
};

TEST(ReadPresetContent, FailsWhenTheSourceCannotRewind) {
    SettingValues record = SentinelRecord();
    std::string legacy = LegacyFile(66);
    ForwardOnlySource source(legacy.data(), legacy.size());
    EXPECT_FALSE(ReadPresetContent(&record, source));
    EXPECT_TRUE(SameRecord(record, SentinelRecord()));
}

}  // namespace
