#include "pbxinitialization.h"

#include "joinbytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Answer(Bytes boards, const std::string& text)
{
    Bytes frame = JoinBytes({Bytes{0x16, 0x16, 30, 0, 7, 64, 24, 16, 8, 4, 2, 8, 4, 3, 0, 0, 0, 0, 0,
                                   static_cast<std::uint8_t>(boards.size())},
                             boards, Bytes(text.begin(), text.end()), Bytes{0}});
    frame[3] = static_cast<std::uint8_t>(frame.size() - 4);
    return frame;
}

TEST(PbxInitialization, DecodesCountsBoardsAndVersion)
{
    PbxInitialization initialization;
    initialization.bytes.fill(0xEE);
    ASSERT_TRUE(initialization.Decode(Answer({0xA1, 0xA2}, "NEXO28 2.10")));
    EXPECT_EQ(initialization.OwnExtension(), 7);
    EXPECT_EQ(initialization.ExtensionCount(), 24);
    EXPECT_EQ(initialization.LineCount(), 8);
    EXPECT_EQ(initialization.EntryPhoneCount(), 2);
    EXPECT_EQ(initialization.RelayCount(), 4);
    EXPECT_EQ(initialization.BoardCount(), 2);
    EXPECT_EQ(initialization.bytes[16], 0xA1);
    EXPECT_EQ(initialization.bytes[17], 0xA2);
    EXPECT_EQ(initialization.bytes[18], 0);  // unused board bytes are cleared
    EXPECT_EQ(initialization.bytes[25], 0);
    EXPECT_EQ(initialization.Version(), QStringLiteral("NEXO28 2.10"));
    EXPECT_TRUE(initialization.IsNexo28());
    EXPECT_EQ(initialization.bytes[26 + 11], 0);
    EXPECT_EQ(initialization.bytes[PbxInitialization::kSize - 1], 0);
}

TEST(PbxInitialization, LongVersionIsCutToTheRecord)
{
    PbxInitialization initialization;
    ASSERT_TRUE(initialization.Decode(Answer({}, std::string(200, 'v'))));
    EXPECT_EQ(initialization.Version(), QString(50, QLatin1Char('v')));
    EXPECT_EQ(initialization.bytes[PbxInitialization::kSize - 1], 0);
    EXPECT_FALSE(initialization.IsNexo28());
}

TEST(PbxInitialization, RefusedAnswerChangesNothing)
{
    PbxInitialization initialization;
    initialization.bytes.fill(0xEE);
    EXPECT_FALSE(initialization.Decode(Answer(Bytes(11, 1), "X")));
    Bytes wrongCode = Answer({}, "X");
    wrongCode[2] = 31;
    EXPECT_FALSE(initialization.Decode(wrongCode));
    EXPECT_EQ(initialization.bytes[0], 0xEE);
}

}  // namespace
