// A progress bar on standard error for long runs.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

class ProgressBar {
public:
    explicit ProgressBar(bool enabled) : enabled_(enabled) {}
    void Start(const std::string& label);
    void Update(int32_t done, int32_t total);
    void Finish();  // clears the line

private:
    bool enabled_;
    bool drawn_ = false;
    int lastPercent_ = -1;
    std::string label_;
    std::chrono::steady_clock::time_point lastDraw_{};
};
