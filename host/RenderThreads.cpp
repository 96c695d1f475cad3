#include "host/RenderThreads.h"

#include <cstdlib>

int ParseThreadCount(const std::string& text) {
    if (text.empty() || text.size() > 2) return 0;
    int n = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9') return 0;
        n = n * 10 + (ch - '0');
    }
    return n >= 1 && n <= 64 ? n : 0;
}

int RenderThreadsFromEnvironment() {
    const char* value = std::getenv("LUMERIC_THREADS");
    const int threads = value ? ParseThreadCount(value) : 0;
    return threads > 0 ? threads : 1;
}
