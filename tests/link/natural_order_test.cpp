#include "link/natural_order.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace glt {
namespace {

TEST(NaturalOrder, CountsDigitRunsAsNumbers)
{
    struct Case {
        const char* a;
        const char* b;
        bool less;
    };
    const std::vector<Case> cases{
        {"ttyS2", "ttyS10", true},
        {"ttyS10", "ttyS2", false},
        {"ttyS1", "ttyUSB0", true},
        {"ttyUSB0", "ttyUSB0", false},
        {"pts-9", "pts-10", true},
        {"ttyS", "ttyS0", true},
        {"ttyS02", "ttyS3", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NaturalLess(c.a, c.b), c.less) << c.a << " < " << c.b;
    }
}

} // namespace
} // namespace glt
