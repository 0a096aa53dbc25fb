// Scrolling labels and the size rule of info tips.
#include "labelfitting.h"

#include <gtest/gtest.h>

namespace {

TEST(LabelFitting, ScrollsOneCharacterPerFrame)
{
    std::uint8_t position = 0;
    EXPECT_EQ(ScrollLabelText("A", position), "A   A   ");  // one character: position stays 0
    EXPECT_EQ(position, 0);
    EXPECT_EQ(ScrollLabelText("A", position), "A   A   ");
    EXPECT_EQ(position, 0);

    const char* frames[] = {"BCDE   ABCDE   ", "CDE   ABCDE   ", "DE   ABCDE   ", "E   ABCDE   ",
                            "ABCDE   ABCDE   ", "BCDE   ABCDE   "};
    for (const char* frame : frames)
        EXPECT_EQ(ScrollLabelText("ABCDE", position), QString::fromLatin1(frame)) << int(position);
    EXPECT_EQ(position, 1);

    position = 200;  // a position left from a longer label starts over
    EXPECT_EQ(ScrollLabelText("AB", position), "AB   AB   ");
}

TEST(LabelFitting, TipOnlyWhenItFits)
{
    QString buffer = QStringLiteral("old");
    EXPECT_FALSE(CopyInfoTip(QString(9, QLatin1Char('x')), buffer, 10));  // one character too long
    EXPECT_EQ(buffer, "old");
    EXPECT_TRUE(CopyInfoTip(QString(8, QLatin1Char('x')), buffer, 10));
    EXPECT_EQ(buffer, QString(8, QLatin1Char('x')));
}

}  // namespace
