#include "hoteldbtest.h"
#include "rowlist.h"

#include <QLocale>

namespace lodgix {
namespace {

class HotelListsTest : public HotelDbTest {
protected:
    void SetUp() override
    {
        HotelDbTest::SetUp();
        if (!IsSkipped()) {
            ASSERT_EQ(Db().EnsureGlobalTable(HotelTable::kOperators), kNoError);
            ASSERT_EQ(CreateMasterTables(Db()), kNoError);
        }
    }

    static QStringList Column(const RowList& rows, qsizetype column)
    {
        QStringList texts;
        for (qsizetype row = 0; row < rows.Count(); ++row)
            texts << rows.Text(row, column);
        return texts;
    }
};

TEST_P(HotelListsTest, GuestsAreListedByNameWithTheirBirthDayAsADate)
{
    GuestRecord guest;
    guest.name = QStringLiteral("Zeno");
    guest.address = QStringLiteral("Via Verdi 1");
    guest.issuedBy = QStringLiteral("Comune");
    guest.dateOfBirth = QDate(1975, 4, 25);
    guest.birthPlace = QStringLiteral("Trento");
    guest.taxCode = QStringLiteral("ZNE");
    guest.conventionName = QStringLiteral("Fiera");
    int zeno = 0;
    ASSERT_EQ(Db().InsertGuest(guest, zeno), kNoError);
    guest.name = QStringLiteral("anna");
    int anna = 0;
    ASSERT_EQ(Db().InsertGuest(guest, anna), kNoError);
    guest.name = QStringLiteral("Deleted");
    int deleted = 0;
    ASSERT_EQ(Db().InsertGuest(guest, deleted), kNoError);
    ASSERT_EQ(Db().DeleteGuest(deleted), kNoError);

    RowList rows;
    rows.Append({QStringLiteral("stale")}, 99);
    ASSERT_EQ(Db().FillGuestList(rows), CHotelDatabase::kFilled);
    ASSERT_EQ(rows.Count(), 2);
    EXPECT_EQ(rows.Rows()[0].itemData, anna);
    EXPECT_EQ(rows.Rows()[1].itemData, zeno);
    const QStringList zenoRow = rows.Rows()[1].texts;
    ASSERT_EQ(zenoRow.size(), 18);
    EXPECT_EQ(zenoRow[0], QStringLiteral("Zeno"));
    EXPECT_EQ(zenoRow[1], QStringLiteral("Via Verdi 1"));
    EXPECT_EQ(zenoRow[12], QStringLiteral("Comune"));
    EXPECT_EQ(zenoRow[13], QLocale().toString(QDate(1975, 4, 25), QLocale::ShortFormat));
    EXPECT_EQ(zenoRow[14], QStringLiteral("Trento"));
    EXPECT_EQ(zenoRow[16], QStringLiteral("ZNE"));
    EXPECT_EQ(zenoRow[17], QStringLiteral("Fiera"));

    ASSERT_EQ(Db().FillGuestCombo(rows), CHotelDatabase::kFilled);
    EXPECT_EQ(Column(rows, 0), (QStringList{"anna - Trento, " + zenoRow[13], "Zeno - Trento, " + zenoRow[13]}));
}

TEST_P(HotelListsTest, CompaniesShowTheirCityAndVatNumber)
{
    CompanyRecord company;
    company.companyName = QStringLiteral("Alpha");
    company.city = QStringLiteral("Milano");
    company.province = QStringLiteral("MI");
    company.vatNumber = QStringLiteral("0123");
    company.taxCode = QStringLiteral("A1");
    int id = 0;
    ASSERT_EQ(Db().InsertCompany(company, id), kNoError);
    RowList rows;
    ASSERT_EQ(Db().FillCompanyList(rows), CHotelDatabase::kFilled);
    ASSERT_EQ(rows.Count(), 1);
    EXPECT_EQ(rows.Rows()[0].texts.size(), 14);
    EXPECT_EQ(rows.Text(0, 2), QStringLiteral("Milano"));
    EXPECT_EQ(rows.Rows()[0].itemData, id);
    ASSERT_EQ(Db().FillCompanyCombo(rows), CHotelDatabase::kFilled);
    EXPECT_EQ(Column(rows, 0), QStringList{"Alpha, Milano(MI), P. IVA 0123"});
}

TEST_P(HotelListsTest, OperatorsAreListedWithTheirAdministratorMark)
{
    int id = 0;
    ASSERT_EQ(Db().InsertOperator(QStringLiteral("mario"), QStringLiteral("1"), false, id), kNoError);
    ASSERT_EQ(Db().InsertOperator(QStringLiteral("Admin"), QStringLiteral("2"), true, id), kNoError);
    int gone = 0;
    ASSERT_EQ(Db().InsertOperator(QStringLiteral("Carla"), QStringLiteral("3"), false, gone), kNoError);
    ASSERT_EQ(Db().DeleteOperator(gone), kNoError);
    RowList rows;
    ASSERT_EQ(Db().FillOperatorList(rows), CHotelDatabase::kFilled);
    EXPECT_EQ(Column(rows, 0), (QStringList{"Admin", "mario"}));
    EXPECT_EQ(Column(rows, 1), (QStringList{"X", ""}));
    EXPECT_EQ(rows.Rows()[0].itemData, id);
}

TEST_P(HotelListsTest, APricedFeatureMovesToTheOptionalServices)
{
    RowList features;
    RowList optional;
    ASSERT_EQ(Db().FillRoomFeatureList(features), CHotelDatabase::kFilled);
    EXPECT_EQ(features.Count(), 9);
    EXPECT_EQ(features.Text(0, 0), QStringLiteral("Cassetta di sicurezza"));  // by name
    EXPECT_EQ(features.Text(0, 1), QStringLiteral("0.00"));
    const qint64 safe = features.Rows()[0].itemData;
    ASSERT_EQ(Db().UpdateRoomService(static_cast<int>(safe), QStringLiteral("Cassetta di sicurezza"),
                                     Money::FromCents(250), VatRate::FromHundredths(2200)),
              kNoError);
    ASSERT_EQ(Db().FillRoomFeatureList(features), CHotelDatabase::kFilled);
    ASSERT_EQ(Db().FillOptionalServiceList(optional), CHotelDatabase::kFilled);
    EXPECT_EQ(features.Count(), 8);
    ASSERT_EQ(optional.Count(), 1);
    EXPECT_EQ(optional.Rows()[0].texts, (QStringList{"Cassetta di sicurezza", "2.50"}));
    EXPECT_EQ(optional.Rows()[0].itemData, safe);
}

TEST_P(HotelListsTest, TheClientServiceComboKeepsTheCallersFirstRow)
{
    int id = 0;
    ASSERT_EQ(Db().InsertClientService(QStringLiteral("Bar"), Money::FromCents(350), VatRate::FromHundredths(1000), id),
              kNoError);
    RowList rows;
    ASSERT_EQ(Db().FillClientServiceList(rows), CHotelDatabase::kFilled);
    EXPECT_EQ(rows.Rows()[0].texts, (QStringList{"Bar", "3.50", "10.00"}));
    EXPECT_EQ(rows.Rows()[1].texts, (QStringList{"Internet access", "1.00", "20.00"}));

    RowList combo;
    combo.Append({QStringLiteral("Servizio generico")}, 0);
    ASSERT_TRUE(Db().FillClientServiceCombo(combo));
    EXPECT_EQ(Column(combo, 0), (QStringList{"Servizio generico", "Bar", "Internet access"}));
    EXPECT_EQ(combo.Rows()[1].itemData, id);
}

TEST_P(HotelListsTest, AgreementsListTheirPricesInColumnOrderAndTheComboStartsWithNone)
{
    ConventionRecord convention;
    convention.label = QStringLiteral("Fiera");
    convention.prices.Price(Season::kLow, Treatment::kOvernight) = Money::FromCents(100);
    convention.prices.Price(Season::kLow, Treatment::kHalfBoard) = Money::FromCents(400);
    convention.prices.Price(Season::kLow, Treatment::kBedAndBreakfast) = Money::FromCents(200);
    convention.prices.Price(Season::kLow, Treatment::kFullBoard) = Money::FromCents(300);
    convention.vat = VatRate::FromHundredths(1000);
    int id = 0;
    ASSERT_EQ(Db().InsertConvention(convention, &id), kNoError);
    RowList rows;
    ASSERT_EQ(Db().FillConventionList(rows), CHotelDatabase::kFilled);
    ASSERT_EQ(rows.Rows()[0].texts.size(), 14);
    EXPECT_EQ(rows.Rows()[0].texts.mid(0, 5), (QStringList{"Fiera", "1.00", "2.00", "3.00", "4.00"}));
    EXPECT_EQ(rows.Text(0, 13), QStringLiteral("10.00"));

    rows.Append({QStringLiteral("stale")}, 5);
    ASSERT_EQ(Db().FillConventionCombo(rows, QStringLiteral("Nessuna")), CHotelDatabase::kFilled);
    EXPECT_EQ(Column(rows, 0), (QStringList{"Nessuna", "Fiera"}));
    EXPECT_EQ(rows.Rows()[0].itemData, 0);
    EXPECT_EQ(rows.Rows()[1].itemData, id);
}

TEST_P(HotelListsTest, AListWhoseQueryFailsSaysSo)
{
    ASSERT_TRUE(Catalog().Execute(QStringLiteral("DROP TABLE GuestConventions")));
    RowList rows;
    rows.Append({QStringLiteral("stale")}, 5);
    EXPECT_EQ(Db().FillConventionList(rows), CHotelDatabase::kFillFailed);
    EXPECT_EQ(rows.Count(), 0);
}

INSTANTIATE_DB_TEST(HotelListsTest);

}  // namespace
}  // namespace lodgix
