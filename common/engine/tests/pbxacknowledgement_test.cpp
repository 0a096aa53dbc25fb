#include "pbxacknowledgement.h"

#include "engineerrorcodeprinter.h"

#include "joinbytes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::uint8_t> Answer(std::uint8_t low, std::uint8_t high, std::size_t size = 7)
{
    const std::vector<std::uint8_t> acknowledgement = {0x16, 0x16, 32, 3, low, high, 0};
    if (size <= acknowledgement.size())
        return {acknowledgement.begin(), acknowledgement.begin() + static_cast<std::ptrdiff_t>(size)};
    return JoinBytes({acknowledgement, std::vector<std::uint8_t>(size - acknowledgement.size(), 0)});
}

TEST(PbxAcknowledgement, WordGivesTheResult)
{
    struct Case {
        std::uint8_t command, low, high;
        EngineErrorCode expected;
    };
    const Case cases[] = {
        {38, 0x26, 0x00, kNoError},
        {38, 0x26, 0x01, kAcknowledgeStatus1},
        {38, 0x26, 0x02, kAcknowledgeStatus2},  // word 0x0226
        {38, 0x26, 0x03, kAcknowledgeStatus3},
        {38, 0x26, 0x04, kAcknowledgeStatusOther},  // word 0x0426
        {38, 0x26, 0xFF, kAcknowledgeStatusOther},
        {38, 0x25, 0x00, kAnswerNotAcceptable},  // word 0x0025: another command echoed
        {47, 0x2F, 0x00, kNoError},
        {60, 0x3C, 0x02, kAcknowledgeStatus2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckAcknowledgement(Answer(c.low, c.high), c.command), c.expected)
            << int(c.command) << " " << int(c.low) << " " << int(c.high);
}

TEST(PbxAcknowledgement, OnlyLengthAndWordCount)
{
    EXPECT_EQ(CheckAcknowledgement(Answer(38, 0, 6), 38), kAnswerNotAcceptable);
    EXPECT_EQ(CheckAcknowledgement(Answer(38, 0, 8), 38), kAnswerNotAcceptable);
    EXPECT_EQ(CheckAcknowledgement({}, 38), kAnswerNotAcceptable);
    // Neither the sync bytes nor the code byte are looked at.
    std::vector<std::uint8_t> odd = {0, 0, 99, 9, 38, 0, 7};
    EXPECT_EQ(CheckAcknowledgement(odd, 38), kNoError);
}

TEST(PbxAcknowledgement, BuiltFramePassesTheCheck)
{
    std::uint8_t frame[kAcknowledgementFrameSize] = {};
    EXPECT_EQ(BuildAcknowledgementFrame(nullptr, 32, 47, 0), kAcknowledgementFrameSize);
    ASSERT_EQ(BuildAcknowledgementFrame(frame, 32, 47, 2), kAcknowledgementFrameSize);
    const std::vector<std::uint8_t> expected = {0x16, 0x16, 32, 3, 47, 2, 0};
    EXPECT_EQ(std::vector<std::uint8_t>(std::begin(frame), std::end(frame)), expected);
    EXPECT_EQ(CheckAcknowledgement(frame, 47), kAcknowledgeStatus2);
}

}  // namespace
