// Helpers for the image and colour tests: a scratch folder per test,
// synthetic images, real ICC profiles, and raw byte files.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cli/image/Image.h"

// Where the shared sample photographs are (beside the repository).
std::string SamplesDir();

// A fresh folder for one test, removed afterwards.
class ScratchDir : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    const std::string& Dir() const { return dir_; }

private:
    std::string dir_;
};

// Deterministic image: noise over the full sample range, or a smooth
// gradient (what lossy JPEG keeps well).
Image MakeNoiseImage(FileFormat format, ColorModel model, bool alpha, int depth, uint32_t width, uint32_t height,
                     uint32_t seed);
Image MakeGradientImage(FileFormat format, ColorModel model, uint32_t width, uint32_t height);

// A profile Ghostscript installs ("srgb.icc", "default_gray.icc",
// "default_cmyk.icc": 187 KB, more than one JPEG marker holds).
std::vector<uint8_t> IccProfile(const std::string& name);

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// The largest difference between two images' samples (same shape required).
int MaxSampleDifference(const Image& a, const Image& b);

// Reads `path` expecting a failure that names it and mentions `words`, with
// the destination image left as it was.
void ExpectReadRefused(const std::string& path, const std::string& words);
