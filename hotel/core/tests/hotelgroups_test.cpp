#include "hoteldbtest.h"

namespace lodgix {
namespace {

class HotelGroupsTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (!IsSkipped())
            m_hotel = PrepareHotel();
    }

    GroupRecord Group(const QString& name, std::initializer_list<int> rooms) const
    {
        GroupRecord group;
        group.name = name;
        group.hotelId = m_hotel;
        group.creationDate = OleDate(2026, 12, 10, 17, 30, 5);
        for (const int room : rooms)
            group.rooms[static_cast<std::size_t>(group.roomCount++)] = room;
        return group;
    }

    std::vector<GroupListEntry> Groups(int bookingGroup)
    {
        std::vector<GroupListEntry> groups;
        EXPECT_EQ(Db().LoadGroups(m_hotel, bookingGroup, groups), kNoError);
        return groups;
    }

    static ConventionRecord Convention(const QString& label)
    {
        ConventionRecord convention;
        convention.label = label;
        for (int i = 0; i < PriceTable::kCount; ++i)
            convention.prices.prices[static_cast<std::size_t>(i)] = Money::FromCents(7001 + i);
        convention.vat = VatRate::FromHundredths(1000);
        return convention;
    }

    int m_hotel = 0;
};

TEST_P(HotelGroupsTest, TwoGroupsOfOneNameInOneSecondAreTwo)
{
    GroupRecord first = Group(QStringLiteral("Gita scolastica"), {1, 2});
    GroupRecord second = first;
    ASSERT_EQ(Db().InsertGroup(1, first), kNoError);
    ASSERT_EQ(Db().InsertGroup(1, second), kNoError);
    EXPECT_NE(first.id, second.id);
    EXPECT_EQ(Groups(1), (std::vector<GroupListEntry>{{first.name, first.id}, {second.name, second.id}}));
    GroupRecord loaded;
    ASSERT_EQ(Db().LoadGroup(second.id, loaded), kNoError);
    EXPECT_EQ(loaded.id, second.id);
    EXPECT_EQ(loaded.creationDate, first.creationDate);
    EXPECT_EQ(Db().LoadGroup(second.id + 10, loaded), kDbRecordSelection);
}

TEST_P(HotelGroupsTest, AGroupMadeSmallerKeepsItsOldSlots)
{
    GroupRecord group = Group(QStringLiteral("Famiglia"), {40000, 40001, 40002});
    ASSERT_EQ(Db().InsertGroup(0, group), kNoError);
    group.roomCount = 2;
    group.rooms[0] = 7;
    ASSERT_EQ(Db().UpdateGroup(group), kNoError);
    GroupRecord loaded;
    ASSERT_EQ(Db().LoadGroup(group.id, loaded), kNoError);
    EXPECT_EQ(loaded.roomCount, 2);
    EXPECT_EQ(loaded.rooms[0], 7);
    EXPECT_EQ(loaded.rooms[1], 40001);
    EXPECT_EQ(loaded.rooms[2], 40002);
    EXPECT_EQ(loaded.rooms[3], 0);
    ASSERT_EQ(Db().DeleteGroup(group.id), kNoError);
    EXPECT_TRUE(Groups(0).empty());
}

TEST_P(HotelGroupsTest, GroupsWrittenBeforeTheBookingValueBelongToEveryValue)
{
    GroupRecord booked = Group(QStringLiteral("Prenotazione"), {1});
    GroupRecord stay = Group(QStringLiteral("Soggiorno"), {2});
    ASSERT_EQ(Db().InsertGroup(1, booked), kNoError);
    ASSERT_EQ(Db().InsertGroup(0, stay), kNoError);
    ASSERT_TRUE(Catalog().Execute(QStringLiteral("INSERT INTO HotelGroups (HotelID,GroupName,CreationDate,IsVisible,"
                                                 "NumElement) VALUES (%1,'Vecchio','2020-01-01 00:00:00',1,0)")
                                      .arg(m_hotel)));
    const auto names = [](const std::vector<GroupListEntry>& groups) {
        QStringList list;
        for (const GroupListEntry& group : groups)
            list << group.name;
        return list;
    };
    EXPECT_EQ(names(Groups(1)), (QStringList{"Vecchio", "Prenotazione"}));  // by creation date
    EXPECT_EQ(names(Groups(0)), (QStringList{"Vecchio", "Soggiorno"}));
    std::vector<GroupListEntry> other;
    ASSERT_EQ(Db().LoadGroups(m_hotel + 1, 1, other), kNoError);
    EXPECT_TRUE(other.empty());
}

TEST_P(HotelGroupsTest, GroupsWithoutADateOrWithTooManyRoomsAreRefused)
{
    GroupRecord group = Group(QStringLiteral("Senza data"), {1});
    group.creationDate = OleDate::Invalid();
    EXPECT_EQ(Db().InsertGroup(0, group), kDbRowInsertFailed);
    group = Group(QStringLiteral("Troppi"), {});
    group.roomCount = GroupRecord::kMaxRooms + 1;
    EXPECT_EQ(Db().InsertGroup(0, group), kDbRecordSelection);
    group.roomCount = GroupRecord::kMaxRooms;
    ASSERT_EQ(Db().InsertGroup(0, group), kNoError);
    ASSERT_TRUE(Catalog().Execute(QStringLiteral("UPDATE HotelGroups SET NumElement = 300")));
    GroupRecord loaded;
    EXPECT_EQ(Db().LoadGroup(group.id, loaded), kDbRecordSelection);
}

TEST_P(HotelGroupsTest, DeletedAgreementsKeepTheirLabelForNewOnesButNotForRenames)
{
    int id = 0;
    ASSERT_EQ(Db().InsertConvention(Convention(QStringLiteral("Agenzia L'Isola")), &id), kNoError);
    ConventionRecord loaded;
    ASSERT_EQ(Db().LoadConvention(id, loaded), kNoError);
    EXPECT_EQ(loaded, Convention(QStringLiteral("Agenzia L'Isola")));
    EXPECT_EQ(Db().InsertConvention(Convention(QStringLiteral("agenzia l'isola"))), kDbRecordSelection);

    ASSERT_EQ(Db().DeleteConvention(id), kNoError);
    EXPECT_EQ(Db().InsertConvention(Convention(QStringLiteral("Agenzia L'Isola"))), kDbRecordSelection);
    int other = 0;
    ASSERT_EQ(Db().InsertConvention(Convention(QStringLiteral("Fiera")), &other), kNoError);
    ASSERT_EQ(Db().UpdateConvention(other, Convention(QStringLiteral("Agenzia L'Isola"))), kNoError);
    int third = 0;
    ASSERT_EQ(Db().InsertConvention(Convention(QStringLiteral("Terza")), &third), kNoError);
    EXPECT_EQ(Db().UpdateConvention(third, Convention(QStringLiteral("AGENZIA L'ISOLA"))), kDbRecordSelection);
    EXPECT_EQ(Db().LoadConvention(third + 10, loaded), kDbRecordSelection);
}

TEST_P(HotelGroupsTest, AnAgreementIsFoundByLabelAfterItWasDeleted)
{
    ConventionRecord convention = Convention(QStringLiteral("Congresso"));
    convention.prices.Price(Season::kHigh, Treatment::kHalfBoard) = Money::FromCents(999999);
    int id = 0;
    ASSERT_EQ(Db().InsertConvention(convention, &id), kNoError);
    ASSERT_EQ(Db().DeleteConvention(id), kNoError);
    ConventionRecord loaded;
    ASSERT_TRUE(Db().LoadConventionByLabel(QStringLiteral("congresso"), loaded));
    EXPECT_EQ(loaded.prices, convention.prices);
    EXPECT_EQ(loaded.label, QStringLiteral("Congresso"));
    EXPECT_FALSE(Db().LoadConventionByLabel(QStringLiteral("Nessuna"), loaded));
}

INSTANTIATE_DB_TEST(HotelGroupsTest);

}  // namespace
}  // namespace lodgix
