// Another maker's filter in our host session: every suite it uses answers,
// it is asked for parameters before its first run, and the resources it
// adds come back in the next session as --state brings them back.
#include <gtest/gtest.h>

#include "cli/session/HostHandleProcs.h"
#include "cli/session/HostSession.h"

void PI_CALL SuiteProbeEntry(int16_t selector, void* block, intptr_t* data, int16_t* result);

namespace {

TEST(HostSuites, AnotherMakersFilterFindsWhatRealHostsOffer) {
    InterfaceImage image;
    image.width = 5, image.height = 3, image.planes = 4;
    for (int i = 0; i < 5 * 3 * 4; ++i) image.pixels.push_back(uint8_t(i * 7));
    const int handlesBefore = LiveBufferHandleCount();
    std::vector<uint8_t> parameters;
    std::vector<HostResource> resources;
    for (int run = 0; run < 3; ++run) {
        SCOPED_TRACE(run);
        InterfaceImage result = image;
        SessionOptions options;
        options.title = "probe.png";
        HostSession session(&SuiteProbeEntry, &result, options);
        if (!parameters.empty()) session.SetParameters(parameters);
        session.SetResources(resources);
        ASSERT_EQ(session.Run().error, noErr);
        EXPECT_EQ(result.pixels[0], run) << "the resources of the runs before";
        for (size_t i = 1; i < image.pixels.size(); ++i) EXPECT_EQ(result.pixels[i], 255 - image.pixels[i]) << i;
        parameters = session.Parameters();
        resources = session.Resources();
        ASSERT_EQ(resources.size(), size_t(run + 1));
        EXPECT_EQ(std::string(resources.back().bytes.begin(), resources.back().bytes.end()), "probe");
    }
    EXPECT_EQ(LiveBufferHandleCount(), handlesBefore);
}

}  // namespace
