#include "accesscard.h"

#include <gtest/gtest.h>

namespace lodgix {
namespace {

CheckInRecord StayTo(const OleDate& lastNight)
{
    CheckInRecord stay;
    stay.startDate = OleDate(2027, 3, 7);
    stay.endDate = lastNight;
    stay.checkInDate = OleDate(2027, 3, 7, 16, 20);
    return stay;
}

TEST(AccessCard, TheCardLeavesAtNoonAfterTheLastNightInTheFirstFreeSlot)
{
    CheckInRecord stay = StayTo(OleDate(2027, 3, 10));
    EXPECT_EQ(CardDeparture(stay), OleDate(2027, 3, 11, 12, 0));
    stay.cards[0] = QStringLiteral("0001");
    stay.cards[2] = QStringLiteral("0003");
    EXPECT_EQ(FirstFreeCardSlot(stay), 1);

    CItcRecordBuilder builder(0x0A000001, 7, [] { return qint64{4095 + 4096}; });
    ASSERT_TRUE(ComposeAccessCard(builder, QStringLiteral("101"), QStringLiteral("Mario Rossi"), QStringLiteral("0102"), stay));
    EXPECT_EQ(stay.cards[1], QStringLiteral("4095"));
    // The record carries the check-in moment and the departure.
    const QByteArray record = builder.Record();
    EXPECT_TRUE(record.contains(CItcRecordBuilder::DateField(stay.checkInDate).toLatin1()));
    EXPECT_TRUE(record.contains("202703111200"));

    // A month's end moves the departure into the next month.
    EXPECT_EQ(CardDeparture(StayTo(OleDate(2027, 3, 31))), OleDate(2027, 4, 1, 12, 0));
}

TEST(AccessCard, ASixthCardIsNeverComposed)
{
    CheckInRecord stay = StayTo(OleDate(2027, 3, 10));
    for (QString& card : stay.cards)
        card = QStringLiteral("1234");
    EXPECT_EQ(FirstFreeCardSlot(stay), -1);
    const CheckInRecord before = stay;
    CItcRecordBuilder builder(0x0A000001, 7);
    EXPECT_FALSE(ComposeAccessCard(builder, QStringLiteral("101"), QStringLiteral("Mario"), QString(), stay));
    EXPECT_EQ(stay, before);
    EXPECT_TRUE(builder.Record().isEmpty());
}

}  // namespace
}  // namespace lodgix
