// Reading preset content: the text body with every oddity a hand-edited or
// foreign file may carry (line ends, control and high bytes, long lines),
// the header check, the legacy binary record, and how a value is read from
// the number characters.
// Each case lists exactly the fields that must change; every other byte of
// the record must stay as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "dialog/PresetReader.h"
#include "tests/dialog/PresetTestRecord.h"

using namespace std::string_literals;

namespace {

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

std::string LegacyFile(size_t keep) {
    std::string bytes = "Max Vantor";
    bytes += "\x01\x0C\x00\x00\x01\x01\xC8\x01"s;  // colorSchema .. useCircles
    const float reals[12] = {45.5f, 25, 500, 80, -20, 10, 200, 300, 555.5f, -2, 100, -100};
    for (float f : reals) {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        for (int b = 0; b < 4; ++b) bytes += char((bits >> (8 * b)) & 0xFF);
    }
    return bytes.substr(0, keep);
}

const std::vector<FieldValue> kLegacyValues = {
    {"colorSchema", 1}, {"pattern", 12},   {"autoUpdate", 0},   {"invertIntensity", 0}, {"noAntialias", 1},
    {"invert", 1},      {"notBreak", 200}, {"useCircles", 1},   {"rotation", 45.5},     {"space", 25},
    {"offset", 500},    {"width", 80},     {"contrast", -20},   {"randomness", 10},     {"amplitude", 200},
    {"frequency", 300}, {"phaseShift", 555.5}, {"threshold", -2}, {"centerX", 100},     {"centerY", -100},
};

std::vector<FieldValue> FirstOf(const std::vector<FieldValue>& all, size_t count) {
    return std::vector<FieldValue>(all.begin(), all.begin() + count);
}

struct BodyCase {
    const char* name;
    std::string content;  // whole file
    bool recognised;
    std::vector<FieldValue> changes;
};

TEST(ReadPresetContent, ChangesExactlyTheListedFields) {
    const BodyCase cases[] = {
        {"all twenty-one lines", kHeader + kAllLines, true, kAllValues},
        {"any order, indented, CR LF, foreign lines", Scrambled(), true, kAllValues},
        {"header only", kHeader, true, {}},
        {"header ending in CR LF is refused", "Corvessa Lumeric\r\nlgnA 5\n", false, {}},
        {"lower-case header is refused", "corvessa lumeric\nlgnA 5\n", false, {}},
        {"missing rotation leaves it", kHeader + "capS 9\n", true, {{"space", 9}}},
        {"integers keep their low eight bits, atoi-like",
         kHeader + "IvnI 257\nrvnI -1\ntSlC 300\nmoeG -257\nrBoN 2e3\ngBsU -256\nAllF 1e999\nAtnA -1e999\n", true,
         {{"invertIntensity", 1}, {"invert", 255}, {"colorSchema", 44}, {"pattern", 255}, {"notBreak", 2},
          {"useCircles", 0}, {"fillAlpha", 1}, {"noAntialias", 255}}},
        {"huge integer keeps its low byte", kHeader + "moeG 99999999999999999999999\n", true,
         {{"pattern", 255}}},  // 10^23 - 1 = 255 mod 256
        {"key in code order is ignored", kHeader + "Angl 45.0\nlgna 45\nLGNA 45\n", true, {}},
        {"last line without line feed is ignored", kHeader + "capS 9\nlgnA 45.0", true, {{"space", 9}}},
        {"high byte splits a line", kHeader + "sioN 5\x80lgnA 7\nlpmA 1\xE9" "2\n", true,
         {{"noise", 5}, {"rotation", 7}, {"amplitude", 1}}},
        {"NUL splits a line", kHeader + "sioN 5\0lgnA 7\n"s, true, {{"noise", 5}, {"rotation", 7}}},
        {"later duplicate wins", kHeader + "lgnA 10\ncapS 1\nlgnA 20\n", true, {{"rotation", 20}, {"space", 1}}},
        {"comma stops a real, dot an integer", kHeader + "lgnA 1,5\nIvnI 1.9\n", true,
         {{"rotation", 1}, {"invertIntensity", 1}}},
        {"value right after the key or after tabs", kHeader + "lgnA12.5\ncapS\t\t7\n", true,
         {{"rotation", 12.5}, {"space", 7}}},
        {"no number reads zero", kHeader + "lgnA \ncapS abc\nhtdW +5\nmoeG x\n", true,
         {{"rotation", 0}, {"space", 0}, {"width", 0}, {"pattern", 0}}},
        {"exponents", kHeader + "lgnA 1e2\ncapS -2.5E-1\nhtdW 1e999\nslvL -1e999\nleRB 1e-999\n", true,
         {{"rotation", 100}, {"space", -0.25}, {"width", HUGE_VAL}, {"contrast", -HUGE_VAL}, {"randomness", 0}}},
        {"number run stops at 64 characters", kHeader + "lgnA " + std::string(60, '0') + "1234567\n", true,
         {{"rotation", 1234}}},
        {"short and comment lines are skipped", kHeader + "lgn\n;lgnA 5\n  ;capS 5\n\n\n", true, {}},
        {"line cut at the buffer starts a fresh line", kHeader + std::string(1020, ' ') + "XXXXlgnA 5\n", true,
         {{"rotation", 5}}},
        {"legacy, full, bytes beyond the record ignored", LegacyFile(66) + "\x01\x02 garbage", true, kLegacyValues},
        {"legacy, short: sets the bytes it reaches", LegacyFile(15), true, FirstOf(kLegacyValues, 5)},
        {"legacy field cut short keeps its value", LegacyFile(18 + 4 + 3), true, FirstOf(kLegacyValues, 9)},
        {"legacy magic cut short", "Max Vanto", false, {}},
        {"legacy is not read as text", "Max Vantor\nlgnA 5\n", true,
         {{"colorSchema", '\n'}, {"pattern", 'l'}, {"autoUpdate", 'g'}, {"invertIntensity", 'n'},
          {"noAntialias", 'A'}, {"invert", ' '}, {"notBreak", '5'}, {"useCircles", '\n'}}},
    };
    for (const BodyCase& c : cases) {
        SettingValues record = SentinelRecord();
        MemoryPresetSource source(c.content.data(), c.content.size());
        EXPECT_EQ(ReadPresetContent(&record, source), c.recognised) << c.name;
        EXPECT_EQ(DifferingFields(record, WithFields(SentinelRecord(), c.changes)), "") << c.name;
    }
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
    const std::string legacy = LegacyFile(66);
    ForwardOnlySource source(legacy.data(), legacy.size());
    EXPECT_FALSE(ReadPresetContent(&record, source));
    EXPECT_EQ(DifferingFields(record, SentinelRecord()), "");
}

}  // namespace
