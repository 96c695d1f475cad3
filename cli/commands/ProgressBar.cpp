#include "cli/commands/ProgressBar.h"

#include <cstdio>

void ProgressBar::Start(const std::string& label) {
    label_ = label.size() > 40 ? "..." + label.substr(label.size() - 37) : label;
    lastPercent_ = -1;
    Update(0, 1);
}

void ProgressBar::Update(int32_t done, int32_t total) {
    if (!enabled_ || total <= 0) return;
    int percent = int(int64_t(done) * 100 / total);
    percent = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    const auto now = std::chrono::steady_clock::now();
    // Redraw at most ten times a second, and only when the figure changes.
    if (percent == lastPercent_ || (drawn_ && now - lastDraw_ < std::chrono::milliseconds(100))) return;
    lastPercent_ = percent;
    lastDraw_ = now;
    constexpr int kWidth = 30;
    char bar[kWidth + 1];
    for (int i = 0; i < kWidth; ++i) bar[i] = i < percent * kWidth / 100 ? '#' : '.';
    bar[kWidth] = '\0';
    std::fprintf(stderr, "\r%-40s [%s] %3d%%", label_.c_str(), bar, percent);
    std::fflush(stderr);
    drawn_ = true;
}

void ProgressBar::Finish() {
    if (!enabled_ || !drawn_) return;
    std::fprintf(stderr, "\r%79s\r", "");
    std::fflush(stderr);
    drawn_ = false;
}
