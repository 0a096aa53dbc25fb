#include "hoteldbtest.h"

namespace lodgix {
namespace {

class HotelCommonAreasTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (!IsSkipped()) {
            ASSERT_EQ(Db().EnsureCommonAreasTable(CHotelDatabase::kCreate), kNoError);
        }
    }

    static CommonAreaRecord Area(const QString& label, const QString& code, bool free)
    {
        CommonAreaRecord area;
        area.label = label;
        area.code = code;
        area.free = free;
        return area;
    }

    QStringList Labels(bool chargeableOnly)
    {
        std::vector<CommonAreaRecord> areas;
        EXPECT_EQ(chargeableOnly ? Db().LoadChargeableAreas(areas) : Db().LoadCommonAreas(areas), kNoError);
        QStringList labels;
        for (const CommonAreaRecord& area : areas)
            labels << area.label;
        return labels;
    }
};

TEST_P(HotelCommonAreasTest, ACodeInUseIsRefusedUntilItsAreaIsDeleted)
{
    int pool = 0;
    ASSERT_EQ(Db().InsertCommonArea(Area(QStringLiteral("Piscina"), QStringLiteral("0123456789ABCDEF"), false), &pool),
              kNoError);
    EXPECT_EQ(Db().InsertCommonArea(Area(QStringLiteral("Palestra"), QStringLiteral("0123456789abcdef"), false)),
              kDbRecordSelection);
    EXPECT_EQ(Db().InsertCommonArea(Area(QStringLiteral("PISCINA"), QStringLiteral("X"), false)), kDbRecordSelection);
    int gym = 0;
    ASSERT_EQ(Db().InsertCommonArea(Area(QStringLiteral("Palestra"), QStringLiteral("G1"), true), &gym), kNoError);
    EXPECT_EQ(Db().UpdateCommonArea(gym, Area(QStringLiteral("Palestra"), QStringLiteral("0123456789ABCDEF"), true)),
              kDbRecordSelection);

    ASSERT_EQ(Db().DeleteCommonArea(pool), kNoError);
    EXPECT_EQ(Db().DeleteCommonArea(pool + 100), kDbRecordSelection);
    CommonAreaRecord deleted;
    ASSERT_EQ(Db().LoadCommonArea(pool, deleted), kNoError);
    EXPECT_FALSE(deleted.visible);
    EXPECT_EQ(deleted.code, QStringLiteral("0123456789ABCDEF"));  // all sixteen characters
    EXPECT_EQ(Labels(false), QStringList{"Palestra"});
    ASSERT_EQ(Db().InsertCommonArea(Area(QStringLiteral("Sauna"), QStringLiteral("0123456789ABCDEF"), false)), kNoError);
}

TEST_P(HotelCommonAreasTest, FreeAreasAreNeverCharged)
{
    for (const auto& [label, free] : {std::pair{"Piscina", false}, std::pair{"Giardino", true}, std::pair{"Spa", false}})
        ASSERT_EQ(Db().InsertCommonArea(Area(QLatin1String(label), QLatin1String(label), free)), kNoError);
    EXPECT_EQ(Labels(false), (QStringList{"Piscina", "Giardino", "Spa"}));
    EXPECT_EQ(Labels(true), (QStringList{"Piscina", "Spa"}));
    CommonAreaRecord spa;
    ASSERT_EQ(Db().LoadCommonArea(3, spa), kNoError);
    spa.free = true;
    ASSERT_EQ(Db().UpdateCommonArea(3, spa), kNoError);
    EXPECT_EQ(Labels(true), QStringList{"Piscina"});
}

INSTANTIATE_DB_TEST(HotelCommonAreasTest);

}  // namespace
}  // namespace lodgix
