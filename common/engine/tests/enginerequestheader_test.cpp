#include "enginerequestheader.h"

#include <gtest/gtest.h>

namespace {

TEST(EngineRequestHeader, BudgetAndReplyWait)
{
    struct Case {
        int seconds;
        int budget;
        int wait;
    };
    const Case cases[] = {
        {0, 5, 6}, {3, 5, 6}, {5, 5, 6}, {6, 5, 6}, {7, 6, 7}, {10, 9, 10}, {65, 64, 65}, {256, 255, 256}, {1000, 255, 256},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EngineBudget(c.seconds), c.budget) << c.seconds;
        EXPECT_EQ(EngineReplyWaitSeconds(EngineBudget(c.seconds)), c.wait) << c.seconds;
    }
}

TEST(EngineRequestHeader, BytesInOrder)
{
    const EngineRequestHeader header{0x81, 6, 9};
    EXPECT_EQ(header.Encode(), (std::array<std::uint8_t, 3>{0x81, 6, 9}));
    const std::uint8_t bytes[] = {255, 1, 5};
    const EngineRequestHeader ping = EngineRequestHeader::Decode(bytes);
    EXPECT_EQ(ping.target, EngineRequestHeader::kPingTarget);
    EXPECT_EQ(ping.length, 1);
    EXPECT_EQ(ping.budget, 5);
}

}  // namespace
