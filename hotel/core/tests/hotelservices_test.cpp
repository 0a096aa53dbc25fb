#include "hoteldbtest.h"

namespace lodgix {
namespace {

class HotelServicesTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (!IsSkipped()) {
            ASSERT_EQ(CreateMasterTables(Db()), kNoError);
        }
    }

    std::vector<QString> OptionalServiceNames()
    {
        std::vector<ServiceRecord> services;
        EXPECT_TRUE(Db().LoadRoomServices(services));
        std::vector<QString> names;
        for (const ServiceRecord& service : services)
            names.push_back(service.name);
        return names;
    }
};

TEST_P(HotelServicesTest, AFeatureGivenAPriceBecomesAnOptionalService)
{
    EXPECT_TRUE(OptionalServiceNames().empty());  // the nine default features cost nothing
    int id = 0;
    ASSERT_EQ(Db().InsertRoomService(QStringLiteral("Culla"), Money(), VatRate(), id), kNoError);
    EXPECT_TRUE(OptionalServiceNames().empty());
    ASSERT_EQ(Db().UpdateRoomService(id, QStringLiteral("Culla"), Money::FromCents(1550), VatRate::FromHundredths(1000)),
              kNoError);
    std::vector<ServiceRecord> services;
    ASSERT_TRUE(Db().LoadRoomServices(services));
    ASSERT_EQ(services.size(), 1u);
    EXPECT_EQ(services[0], (ServiceRecord{id, Money::FromCents(1550), QStringLiteral("Culla"), false}));
    EXPECT_EQ(Db().GetRoomServicePrice(id), Money::FromCents(1550));
    EXPECT_EQ(Db().GetRoomServicePrice(id + 1000), Money());

    int other = 0;
    EXPECT_EQ(Db().InsertRoomService(QStringLiteral("culla"), Money(), VatRate(), other), kDbStatementFailed);
    EXPECT_EQ(Db().UpdateRoomService(1, QStringLiteral("CULLA"), Money(), VatRate()), kDbStatementFailed);
    // A deleted service keeps its name for the rooms that still list it.
    ASSERT_EQ(Db().OpenRecordset(QStringLiteral("UPDATE RoomServices SET IsVisible = 0 WHERE IDRoomService = ?"), {id}),
              kNoError);
    EXPECT_EQ(Db().GetRoomServiceName(id), QStringLiteral("Culla"));
    EXPECT_EQ(Db().GetRoomServiceName(id + 1000), QString());
    EXPECT_TRUE(OptionalServiceNames().empty());
}

TEST_P(HotelServicesTest, ClientServicesAreComparedWithThemselvesOnly)
{
    int id = 0;
    ASSERT_EQ(Db().InsertClientService(QStringLiteral("Televisore"), Money::FromCents(500), VatRate::FromHundredths(2200),
                                       id),
              kNoError);
    EXPECT_EQ(Db().GetClientServicePrice(id), Money::FromCents(500));
    EXPECT_EQ(Db().GetClientServiceVat(id), VatRate::FromHundredths(2200));
    int other = 0;
    EXPECT_EQ(Db().InsertClientService(QStringLiteral("TELEVISORE"), Money(), VatRate(), other), kDbStatementFailed);
    EXPECT_EQ(Db().InsertClientService(QString::fromLatin1(kInternetAccessService), Money(), VatRate(), other),
              kDbStatementFailed);

    EXPECT_EQ(Db().DeleteClientService(QStringLiteral("Lavanderia")), kDbStatementFailed);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) AS n FROM ClientServices WHERE IsVisible = 1")), 2);
    ASSERT_EQ(Db().DeleteClientService(QStringLiteral("televisore")), kNoError);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) AS n FROM ClientServices WHERE IsVisible = 1")), 1);
    EXPECT_EQ(Db().DeleteClientService(QStringLiteral("Televisore")), kDbStatementFailed);
    ASSERT_EQ(Db().InsertClientService(QStringLiteral("Televisore"), Money(), VatRate(), other), kNoError);
    EXPECT_EQ(Db().GetClientServiceVat(other + 1000), VatRate());
}

INSTANTIATE_DB_TEST(HotelServicesTest);

}  // namespace
}  // namespace lodgix
