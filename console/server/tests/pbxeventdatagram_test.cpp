#include "pbxeventdatagram.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes FrameOfSize(std::size_t size)
{
    Bytes frame(size, 0x41);
    frame[0] = frame[1] = 0x16;
    frame[2] = 65;
    frame[3] = static_cast<std::uint8_t>(size - 4);
    return frame;
}

TEST(PbxEventDatagram, IsThePbxIndexFollowedByTheFrame)
{
    const Bytes frame = FrameOfSize(6);
    const auto datagram = BuildPbxEventDatagram(3, frame);
    ASSERT_TRUE(datagram);
    Bytes expected{3};
    expected.insert(expected.end(), frame.begin(), frame.end());
    EXPECT_EQ(Bytes(datagram->Bytes().begin(), datagram->Bytes().end()), expected);
    EXPECT_EQ(BuildPbxEventDatagram(PbxEventDatagram::kEnginePbx, frame)->bytes[0], 255);
}

TEST(PbxEventDatagram, HoldsAFrameOf127BytesButNotOf128)
{
    const auto longest = BuildPbxEventDatagram(0, FrameOfSize(127));
    ASSERT_TRUE(longest);
    EXPECT_EQ(longest->length, PbxEventDatagram::kMaxSize);
    EXPECT_FALSE(BuildPbxEventDatagram(0, FrameOfSize(128)));
}

}  // namespace
