// Reviewed renders of every pattern kind, schema and path on a small RGBA
// gradient. The renders must match on every platform: the hash of each
// output is kept in golden/hashes.txt beside the reviewed PNG files.
// tests/README.md says how to run one case, regenerate and review.
//
// A mismatch writes the actual image and a difference image to
// $LUMERIC_TEST_ARTIFACTS (default: the current folder) and says how many
// pixels differ and by how much. LUMERIC_UPDATE_GOLDEN=1 rewrites the PNG
// file and the hash of each case run instead of comparing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <ostream>

#include "tests/engine/EngraveTestImage.h"
#include "tests/support/PngReader.h"
#include "tests/support/PngWriter.h"

namespace {

const std::string kGoldenDir = std::string(LUMERIC_SOURCE_DIR) + "/tests/engine/golden";

struct GoldenCase {
    int kind, schema;
    bool direct;
    std::string Name() const {
        char name[64];
        std::snprintf(name, sizeof name, "kind%02d-schema%d-%s", kind, schema, direct ? "direct" : "antialiased");
        return name;
    }
};

void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.Name(); }

std::map<std::string, std::string> ReadHashes() {
    std::map<std::string, std::string> hashes;
    std::ifstream in(kGoldenDir + "/hashes.txt");
    std::string name, hash;
    while (in >> name >> hash) hashes[name] = hash;
    return hashes;
}

std::string HexHash(uint64_t h) {
    char text[32];
    std::snprintf(text, sizeof text, "%016" PRIx64, h);
    return text;
}

std::string ArtifactsDir() {
    const char* dir = std::getenv("LUMERIC_TEST_ARTIFACTS");
    return dir && *dir ? dir : ".";
}

bool UpdateRequested() {
    const char* v = std::getenv("LUMERIC_UPDATE_GOLDEN");
    return v && std::string(v) == "1";
}

// Red where the pixels differ, the golden image darkened elsewhere; counts
// the differing pixels and the largest difference of one sample.
std::vector<uint8_t> Difference(const std::vector<uint8_t>& actual, const std::vector<uint8_t>& golden,
                                int* pixels, int* largest) {
    std::vector<uint8_t> d(actual.size(), 0);
    *pixels = *largest = 0;
    for (size_t i = 0; i < actual.size(); i += 4) {
        int most = 0;
        for (int c = 0; c < 4; ++c) most = std::max(most, std::abs(int(actual[i + c]) - int(golden[i + c])));
        *pixels += most != 0;
        *largest = std::max(*largest, most);
        d[i] = most ? 255 : golden[i] / 4;
        d[i + 1] = d[i + 2] = most ? 0 : golden[i] / 4;
        d[i + 3] = 255;
    }
    return d;
}

class Golden : public testing::TestWithParam<GoldenCase> {};

TEST_P(Golden, MatchesItsReviewedImage) {
    const GoldenCase& c = GetParam();
    const std::string name = c.Name();
    EngraveSettings settings = DefaultEngraveSettings();
    settings.pattern = uint8_t(c.kind);
    settings.colorSchema = uint8_t(c.schema);
    settings.noAntialias = c.direct;
    settings.space = 12;  // several strokes across the small picture
    const Picture out = RenderWhole(settings, MakeGradientPicture(48, 32, 4, 8));
    const std::vector<uint8_t> rgba = ToRgba8(out);
    const std::string hash = HexHash(HashPicture(out));
    std::map<std::string, std::string> hashes = ReadHashes();

    if (UpdateRequested()) {
        ASSERT_TRUE(WritePng(kGoldenDir + "/" + name + ".png", rgba.data(), out.width, out.height, 4));
        hashes[name] = hash;
        std::ofstream list(kGoldenDir + "/hashes.txt");
        for (const auto& entry : hashes) list << entry.first << " " << entry.second << "\n";
        ASSERT_TRUE(list.good());
        return;
    }
    const auto it = hashes.find(name);
    if (it != hashes.end() && it->second == hash) return;

    const std::string actual = ArtifactsDir() + "/" + name + "-actual.png";
    const std::string diff = ArtifactsDir() + "/" + name + "-diff.png";
    WritePng(actual, rgba.data(), out.width, out.height, 4);
    std::vector<uint8_t> golden;
    int gw = 0, gh = 0, pixels = -1, largest = -1;
    if (ReadTestPng(kGoldenDir + "/" + name + ".png", &golden, &gw, &gh) && gw == out.width && gh == out.height) {
        const std::vector<uint8_t> d = Difference(rgba, golden, &pixels, &largest);
        WritePng(diff, d.data(), out.width, out.height, 4);
    }
    ADD_FAILURE() << name << (it == hashes.end() ? ": no golden hash recorded" : ": render differs") << " (hash "
                  << hash << "); " << pixels << " pixels differ, by at most " << largest << " in a sample"
                  << " (-1: no readable golden image); actual " << actual << ", difference " << diff;
}

std::vector<GoldenCase> AllCases() {
    std::vector<GoldenCase> cases;
    for (int kind = 0; kind < kPatternKindCount; ++kind)
        for (int schema = 0; schema < kColorSchemaCount; ++schema)
            for (int direct = 0; direct < 2; ++direct) cases.push_back({kind, schema, direct != 0});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Renders, Golden, testing::ValuesIn(AllCases()),
                         [](const testing::TestParamInfo<GoldenCase>& info) {
                             std::string name = info.param.Name();
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
