// The benchmarks' picture: a 4000 x 3000 RGB 8-bit image with a
// photograph's smooth shading, edges and grain, made once per process.
#pragma once

#include <cstdint>
#include <vector>

constexpr int kWidth = 4000, kHeight = 3000;

const std::vector<uint8_t>& Photo();
