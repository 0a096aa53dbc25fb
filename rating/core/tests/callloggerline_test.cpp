#include "callloggerline.h"

#include <gtest/gtest.h>

namespace {

LoggedCall Call()
{
    LoggedCall call;
    call.extension = 203;
    call.externalLine = 0;
    call.start = OleDate(2026, 12, 10, 9, 58, 30);
    call.pulses = 12;
    call.dialledNumber = QStringLiteral("0612345678");
    return call;
}

CallRating Rating(double cost, qint64 seconds)
{
    CallRating rating;
    rating.cost = cost;
    rating.durationSeconds = seconds;
    return rating;
}

TEST(CallLoggerLineTest, FieldsAtTheirColumns)
{
    QString line;
    ASSERT_TRUE(FormatCallLoggerLine(Call(), Rating(1.25, 125), false, line));
    ASSERT_EQ(line.size(), kCallLoggerLineWidth + 2);
    EXPECT_TRUE(line.endsWith(QStringLiteral("\r\n")));
    EXPECT_EQ(line.left(kCallLoggerLineWidth),
              QStringLiteral("Interno   203  10/12/2026 09:58:30 10/12/2026 10:00:35 00:02:05  Urbana  01 "
                             "0612345678          Scatti  00012 Prezzo  1.25  "));
    ASSERT_TRUE(FormatCallLoggerLine(Call(), Rating(0, 125), true, line));
    EXPECT_EQ(line.mid(96, 8), QStringLiteral("Secondi "));
}

TEST(CallLoggerLineTest, ValuesThatDoNotFitKeepTheLineOut)
{
    QString line = QStringLiteral("kept");
    LoggedCall longNumber = Call();
    longNumber.dialledNumber = QString(21, u'1');
    EXPECT_FALSE(FormatCallLoggerLine(longNumber, Rating(1, 1), false, line));
    EXPECT_FALSE(FormatCallLoggerLine(Call(), Rating(1000.0, 1), false, line));
    EXPECT_TRUE(FormatCallLoggerLine(Call(), Rating(999.99, 1), false, line));

    LoggedCall manyPulses = Call();
    manyPulses.pulses = 70000;  // past 16 bits: shown as it is, not wrapped
    ASSERT_TRUE(FormatCallLoggerLine(manyPulses, Rating(1, 1), false, line));
    EXPECT_EQ(line.mid(104, 6), QStringLiteral("70000 "));
    manyPulses.pulses = 1000000;
    EXPECT_FALSE(FormatCallLoggerLine(manyPulses, Rating(1, 1), false, line));

    LoggedCall noStart = Call();
    noStart.start = OleDate::Invalid();
    EXPECT_FALSE(FormatCallLoggerLine(noStart, Rating(1, 1), false, line));

    // A call of more than a day counts its hours on.
    ASSERT_TRUE(FormatCallLoggerLine(Call(), Rating(1, 90000), false, line));
    EXPECT_EQ(line.mid(55, 10), QStringLiteral("25:00:00  "));
}

TEST(CallLoggerLineTest, Formatters)
{
    QString text = QStringLiteral("same");
    EXPECT_FALSE(PadToFixedWidth(3, text));
    EXPECT_EQ(text, QStringLiteral("same"));
    EXPECT_TRUE(PadToFixedWidth(6, text));
    EXPECT_EQ(text, QStringLiteral("same  "));
    EXPECT_TRUE(FormatFixedNumber(12, "%0.5lld", 6, text));
    EXPECT_EQ(text, QStringLiteral("00012 "));
    EXPECT_TRUE(FormatFixedNumber(1, "%0.2lld", 3, text));
    EXPECT_EQ(text, QStringLiteral("01 "));
    EXPECT_TRUE(FormatFixedReal(3.14159, "%0.2f", 6, text));
    EXPECT_EQ(text, QStringLiteral("3.14  "));
    EXPECT_TRUE(FormatFixedDate(OleDate(2026, 1, 2, 3, 4, 5), QStringLiteral("%d/%m/%Y %H:%M:%S"), 19, text));
    EXPECT_EQ(text, QStringLiteral("02/01/2026 03:04:05"));
    EXPECT_FALSE(FormatFixedDate(OleDate::Invalid(), QStringLiteral("%H"), 5, text));
    EXPECT_FALSE(FormatFixedText(QStringLiteral("toolong"), 3, text));
}

}  // namespace
