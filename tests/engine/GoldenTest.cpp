// Reviewed renders of every pattern kind, schema and path on a small RGBA
// gradient. The renders must match on every platform: the hash of each
// output is kept in golden/hashes.txt beside the reviewed PNG files.
//
// A mismatch writes the actual image and a difference image (red where the
// bytes differ) to $LUMERIC_TEST_ARTIFACTS (default: the current folder).
// A missing entry fails. LUMERIC_UPDATE_GOLDEN=1 rewrites the PNG files and
// the hash list instead of comparing.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "tests/engine/EngraveTestImage.h"
#include "tests/support/PngReader.h"
#include "tests/support/PngWriter.h"

namespace {

const std::string kGoldenDir = std::string(LUMERIC_SOURCE_DIR) + "/tests/engine/golden";

std::string GoldenName(int kind, int schema, bool direct) {
    char name[64];
    std::snprintf(name, sizeof name, "kind%02d-schema%d-%s", kind, schema, direct ? "direct" : "antialiased");
    return name;
}

EngraveParams GoldenParams(int kind, int schema, bool direct) {
    EngraveParams p = DefaultParams();
    p.pattern = uint8_t(kind);
    p.colorSchema = uint8_t(schema);
    p.noAntialias = direct;
    p.space = 12;  // several strokes across the small picture
    return p;
}

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

TEST(GoldenRenders, EveryKindSchemaAndPathMatchesItsReviewedImage) {
    const Picture source = MakeGradientPicture(48, 32, 4, 8);
    const bool update = UpdateRequested();
    std::map<std::string, std::string> hashes = update ? std::map<std::string, std::string>{} : ReadHashes();
    int failures = 0;
    for (int kind = 0; kind < kPatternKindCount; ++kind)
        for (int schema = 0; schema < kColorSchemaCount; ++schema)
            for (int direct = 0; direct < 2; ++direct) {
                const std::string name = GoldenName(kind, schema, direct != 0);
                Picture out = RenderWhole(GoldenParams(kind, schema, direct != 0), source);
                std::vector<uint8_t> rgba = ToRgba8(out);
                const std::string hash = HexHash(HashPicture(out));
                if (update) {
                    ASSERT_TRUE(WritePng(kGoldenDir + "/" + name + ".png", rgba.data(), out.width, out.height, 4));
                    hashes[name] = hash;
                    continue;
                }
                auto it = hashes.find(name);
                if (it != hashes.end() && it->second == hash) continue;
                ++failures;
                const std::string actual = ArtifactsDir() + "/" + name + "-actual.png";
                const std::string diff = ArtifactsDir() + "/" + name + "-diff.png";
                WritePng(actual, rgba.data(), out.width, out.height, 4);
                std::vector<uint8_t> golden;
                int gw = 0, gh = 0;
                if (ReadTestPng(kGoldenDir + "/" + name + ".png", &golden, &gw, &gh) && gw == out.width &&
                    gh == out.height) {
                    std::vector<uint8_t> d(rgba.size(), 0);
                    for (size_t i = 0; i < rgba.size(); i += 4) {
                        bool same = std::equal(&rgba[i], &rgba[i] + 4, &golden[i]);
                        d[i] = same ? golden[i] / 4 : 255;
                        d[i + 1] = d[i + 2] = same ? golden[i] / 4 : 0;
                        d[i + 3] = 255;
                    }
                    WritePng(diff, d.data(), out.width, out.height, 4);
                }
                ADD_FAILURE() << name << (it == hashes.end() ? ": no golden hash recorded" : ": render differs")
                              << " (hash " << hash << "); actual image " << actual << ", difference " << diff;
            }
    if (update) {
        std::ofstream list(kGoldenDir + "/hashes.txt");
        for (const auto& entry : hashes) list << entry.first << " " << entry.second << "\n";
        ASSERT_TRUE(list.good());
    }
    EXPECT_EQ(failures, 0);
}

}  // namespace
