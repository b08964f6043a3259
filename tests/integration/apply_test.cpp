// The apply command against the virtual panel: its result code decides.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/integration_rig.hpp"

namespace glt::test {
namespace {

struct ApplyCase {
    const char* name;
    std::vector<std::string> simOptions;
    std::string message;
};

class ApplyResults : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyResults, OnlyResultOneIsAnError)
{
    const ApplyCase& c = GetParam();
    PanelRig rig(c.simOptions);
    EXPECT_EQ(rig.Apply(), c.message);
    if (!c.message.empty()) {
        EXPECT_EQ(rig.feedback.Last(), "5") << "the received count";
    }
    const auto requests = rig.Frames("RX");
    ASSERT_EQ(requests.size(), 3U);
    EXPECT_EQ(requests[2].bytes, (std::vector<std::uint8_t>{0x01, 0x46, 0x00, 0x01, 0x03, 0x4D, 0x19}));
    EXPECT_TRUE(rig.PortFree());
}

INSTANTIATE_TEST_SUITE_P(Panels, ApplyResults,
    ::testing::Values(ApplyCase{"Result0", {}, ""},
        ApplyCase{"Result1", {"--fault-apply-result", "1"}, "Программирование не запускалось"},
        ApplyCase{"Result2", {"--fault-apply-result", "2"}, ""},
        // Without an answer the request's own byte 2 (0) stays in the buffer.
        ApplyCase{"NoAnswer", {"--fault-no-answer", "apply"}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Apply, OldFirmwareSendsNoApply)
{
    PanelRig rig({"--firmware", "1.5"});
    EXPECT_EQ(rig.Apply(), "Конфликт версий ПО - требуется программатор v1.50");
    EXPECT_EQ(rig.CountRequests(kFnConfig, kSubApply), 0U);
    EXPECT_TRUE(rig.PortFree());
}

} // namespace
} // namespace glt::test
