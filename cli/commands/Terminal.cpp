#include "cli/commands/Terminal.h"

#include <csignal>
#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace {
std::atomic<bool> gInterrupted{false};

extern "C" void OnInterrupt(int) {
    if (gInterrupted.exchange(true)) {
        std::signal(SIGINT, SIG_DFL);
        std::raise(SIGINT);
    }
    std::signal(SIGINT, OnInterrupt);
}
}  // namespace

bool StderrIsTerminal() { return isatty(fileno(stderr)) != 0; }

void InstallInterruptHandler() { std::signal(SIGINT, OnInterrupt); }

const std::atomic<bool>& InterruptFlag() { return gInterrupted; }
