// A small host executable whose version resource names it (or not) Adobe
// Premiere: the module must judge it from that resource.
#include <cstdio>

#include "tests/support/FakeHost.h"

int main() {
    FakeImage image;
    image.width = image.height = 2;
    image.samples.assign(12, 0);
    FakeHost host(image);
    if (host.Call(filterSelectorPrepare) != noErr || !host.params()) {
        std::printf("Prepare failed\n");
        return 2;
    }
    const int judged = host.params()->isPremiereHost;
    std::printf("isPremiereHost = %d (expected %d)\n", judged, LUMERIC_EXPECT_PREMIERE);
    return judged == LUMERIC_EXPECT_PREMIERE ? 0 : 1;
}
