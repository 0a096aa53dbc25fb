#include "itcrecordbuilder.h"

#include <gtest/gtest.h>

namespace lodgix {
namespace {

TEST(ItcRecordBuilder, RecordsCarryTheirFieldsAsBytes)
{
    qint64 ticks = 0x12345;
    CItcRecordBuilder builder(0x7F000001, 3, [&ticks] { return ticks; });
    QString card;
    ASSERT_TRUE(builder.BuildCheckIn(QStringLiteral("ABCDEFG"), QStringLiteral("Rossi|Mario\x03"),
                                     OleDate(2026, 3, 7, 9, 5, 0), OleDate(2026, 3, 9, 11, 0, 0),
                                     QStringLiteral("Città"), card));
    EXPECT_EQ(card, QStringLiteral("0837"));  // the low 12 bits of 0x12345
    EXPECT_EQ(builder.Record(), QByteArray("CHECKIN|3|ABCDE|0|Rossi Mario |202603070905|202603091100|Citt\xe0|\x03"));

    ticks = 7;
    builder.BuildCheckIn(QStringLiteral("1"), QString(QChar(u'x')).repeated(50), OleDate(), OleDate(), {}, card);
    EXPECT_EQ(card, QStringLiteral("0007"));
    EXPECT_TRUE(builder.Record().contains("|" + QByteArray(40, 'x') + "|"));
    EXPECT_FALSE(builder.Record().contains(QByteArray(41, 'x')));

    ASSERT_TRUE(builder.BuildCheckOut(QStringLiteral("101")));
    EXPECT_EQ(builder.Record(), QByteArray("CHECKOUT|3|101|0|\x03"));

    Money amount;
    ASSERT_TRUE(builder.BuildCharging(QStringLiteral("P1"), QStringLiteral("0837"), amount));
    EXPECT_EQ(builder.Record(), QByteArray("CHARGING|3|0837|P1|\x03"));
    EXPECT_EQ(amount, Money::FromCents(250));
}

TEST(ItcRecordBuilder, CardCodesAreAlwaysFourDigits)
{
    CItcRecordBuilder builder(0, 1);
    QString card;
    for (int i = 0; i < 50; ++i) {
        builder.BuildCheckIn(QStringLiteral("1"), {}, OleDate(), OleDate(), {}, card);
        ASSERT_EQ(card.size(), 4);
        ASSERT_LE(card.toInt(), 4095);
    }
}

}  // namespace
}  // namespace lodgix
