#include "pbxcommandclass.h"

#include <gtest/gtest.h>

namespace {

TEST(PbxCommandClass, ListsSortTheCodes)
{
    struct Case {
        std::uint8_t code;
        bool request, event, noAnswer;
    };
    const Case cases[] = {
        {30, true, false, false},  {45, true, false, false}, {240, true, false, false},
        {60, true, true, false},   {70, true, true, false},  {13, false, true, true},
        {14, false, true, true},   {42, false, true, false}, {71, false, true, false},
        {0, false, false, true},   {16, false, false, true}, {18, false, false, true},
        {43, false, false, true},  {17, false, false, false}, {255, false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsPbxRequestCode(c.code), c.request) << int(c.code);
        EXPECT_EQ(IsPbxEventCode(c.code), c.event) << int(c.code);
        EXPECT_EQ(IsPbxFrameCode(c.code), c.request || c.event) << int(c.code);
        EXPECT_EQ(IsNoAnswerCommand(c.code), c.noAnswer) << int(c.code);
    }
}

TEST(PbxCommandClass, CommandsThatNoPbxSendsAreNoFrameCodes)
{
    for (std::uint8_t code : {17, 18, 43, 0})
        EXPECT_FALSE(IsPbxFrameCode(code)) << int(code);
}

TEST(PbxCommandClass, FrameCodesAreExactlyTheUnionOfTheLists)
{
    int count = 0;
    for (int code = 0; code < 256; ++code)
        count += IsPbxFrameCode(static_cast<std::uint8_t>(code)) ? 1 : 0;
    EXPECT_EQ(count, 26 + 17 - 2);  // 60 and 70 are in both lists
}

}  // namespace
