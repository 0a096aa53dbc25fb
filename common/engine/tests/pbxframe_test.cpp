#include "pbxframe.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PbxFrame, WellFormedFrames)
{
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        bool wellFormed;
    };
    const Case cases[] = {
        {"request without payload", {0x16, 0x16, 30, 0}, true},
        {"event with payload", {0x16, 0x16, 13, 2, 3, '1'}, true},
        {"event code that is also a request", {0x16, 0x16, 60, 1, 1}, true},
        {"acknowledgement code", {0x16, 0x16, 32, 3, 38, 0, 0}, true},
        {"empty", {}, false},
        {"three bytes", {0x16, 0x16, 30}, false},
        {"first sync wrong", {0x15, 0x16, 30, 0}, false},
        {"second sync wrong", {0x16, 0x17, 30, 0}, false},
        {"keys command is no frame code", {0x16, 0x16, 17, 1, 3}, false},
        {"on-hook command is no frame code", {0x16, 0x16, 0, 0}, false},
        {"payload shorter than announced", {0x16, 0x16, 13, 3, 3, '1'}, false},
        {"payload longer than announced", {0x16, 0x16, 13, 1, 3, '1'}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsWellFormedPbxFrame(c.bytes), c.wellFormed) << c.what;
}

TEST(PbxFrame, LongestFrameIsWellFormed)
{
    std::vector<std::uint8_t> frame(kMaxPbxFrameSize, 0);
    frame[0] = frame[1] = kPbxSync;
    frame[kPbxCodeOffset] = 45;
    frame[kPbxPayloadLengthOffset] = 255;
    EXPECT_TRUE(IsWellFormedPbxFrame(frame));
    EXPECT_EQ(frame.size(), 259u);
}

}  // namespace
