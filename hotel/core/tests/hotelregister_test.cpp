#include "hoteldbtest.h"

namespace lodgix {
namespace {

using HotelRegisterTest = HotelDbTest;

GuestRecord Guest(const QString& name, QDate born, const QString& place)
{
    GuestRecord guest;
    guest.name = name;
    guest.dateOfBirth = born;
    guest.birthPlace = place;
    guest.address = QStringLiteral("Via dell'Orso 3");
    guest.taxCode = QStringLiteral("RSSMRA31B28H501X");
    guest.conventionName = QStringLiteral("Tour operator");
    return guest;
}

TEST_P(HotelRegisterTest, GuestsAreToldApartByNameBirthDayAndPlace)
{
    ASSERT_EQ(CreateMasterTables(Db()), kNoError);
    const QDate born(1931, 2, 28);
    int first = 0;
    ASSERT_EQ(Db().InsertGuest(Guest(QStringLiteral("Mario D'Angelo"), born, QStringLiteral("Roma")), first), kNoError);

    struct Case {
        const char* name;
        QDate born;
        const char* place;
        int expected;
    };
    const Case cases[] = {
        {"Mario D'Angelo", born, "Napoli", kNoError},             // another place
        {"Mario D'Angelo", QDate(1931, 3, 1), "Roma", kNoError},  // another day
        {"MARIO d'angelo", born, "roma", kDbStatementFailed},     // the same guest, as texts compare
        {"Mario D'Angelo", QDate(), "Roma", kDbStatementFailed},  // no date of birth
        {"Anna", QDate(1931, 2, 30), "Roma", kDbStatementFailed}, // no such day
    };
    for (const Case& c : cases) {
        int id = 0;
        EXPECT_EQ(Db().InsertGuest(Guest(QLatin1String(c.name), c.born, QLatin1String(c.place)), id), c.expected)
            << c.name << " " << c.place;
    }
    // Once the first is deleted, the same guest can be registered again.
    ASSERT_EQ(Db().DeleteGuest(first), kNoError);
    int again = 0;
    EXPECT_EQ(Db().InsertGuest(Guest(QStringLiteral("Mario D'Angelo"), born, QStringLiteral("Roma")), again), kNoError);
    EXPECT_GT(again, first);
}

TEST_P(HotelRegisterTest, AGuestComesBackWithItsDateOfBirthAsADate)
{
    ASSERT_EQ(CreateMasterTables(Db()), kNoError);
    const GuestRecord guest = Guest(QStringLiteral("Anna"), QDate(1969, 12, 31), QStringLiteral("Bolzano"));
    int id = 0;
    ASSERT_EQ(Db().InsertGuest(guest, id), kNoError);
    GuestRecord loaded;
    ASSERT_TRUE(Db().LoadGuest(id, loaded));
    EXPECT_EQ(loaded, guest);
    QString convention;
    ASSERT_TRUE(Db().GetGuestConvention(id, convention));
    EXPECT_EQ(convention, QStringLiteral("Tour operator"));
    EXPECT_FALSE(Db().LoadGuest(id + 1, loaded));
    EXPECT_FALSE(Db().GetGuestConvention(id + 1, convention));

    GuestRecord changed = guest;
    changed.dateOfBirth = QDate(1970, 1, 1);
    changed.city = QString(70, u'x');  // beyond the column's 64 characters
    ASSERT_EQ(Db().UpdateGuest(id, changed), kNoError);
    ASSERT_TRUE(Db().LoadGuest(id, loaded));
    EXPECT_EQ(loaded.dateOfBirth, QDate(1970, 1, 1));
    EXPECT_EQ(loaded.city, QString(64, u'x'));
    changed.dateOfBirth = QDate();
    EXPECT_EQ(Db().UpdateGuest(id, changed), kDbStatementFailed);
}

TEST_P(HotelRegisterTest, RowsWithIdsBeyondSixteenBitsAreReadAndWritten)
{
    ASSERT_EQ(CreateMasterTables(Db()), kNoError);
    ASSERT_TRUE(Catalog().Execute(QStringLiteral(
        "INSERT INTO GuestConfiguration (IDGuest,Nome,DataDiNascita,IsVisible) VALUES (32768,'Big','1980-01-01 00:00:00',1)")));
    ASSERT_TRUE(Catalog().Execute(QStringLiteral(
        "INSERT INTO CompanyConfiguration (IDCompany,RagioneSociale,CodiceFiscale,IsVisible) VALUES (70000,'Big','X',1)")));
    GuestRecord guest;
    ASSERT_TRUE(Db().LoadGuest(32768, guest));
    EXPECT_EQ(guest.dateOfBirth, QDate(1980, 1, 1));
    guest.name = QStringLiteral("Bigger");
    EXPECT_EQ(Db().UpdateGuest(32768, guest), kNoError);
    ASSERT_TRUE(Db().LoadGuest(32768, guest));
    EXPECT_EQ(guest.name, QStringLiteral("Bigger"));
    CompanyRecord company;
    ASSERT_TRUE(Db().LoadCompany(70000, company));
    EXPECT_EQ(company.companyName, QStringLiteral("Big"));
}

TEST_P(HotelRegisterTest, ACompanyWithATaxCodeInUseIsRefusedNamingTheOther)
{
    ASSERT_EQ(CreateMasterTables(Db()), kNoError);
    CompanyRecord alpha;
    alpha.companyName = QStringLiteral("Alpha S.p.A.");
    alpha.taxCode = QStringLiteral("01234567890");
    alpha.city = QStringLiteral("L'Aquila");
    int alphaId = 0;
    ASSERT_EQ(Db().InsertCompany(alpha, alphaId), kNoError);
    CompanyRecord beta = alpha;
    beta.companyName = QStringLiteral("Beta");
    int betaId = 0;
    EXPECT_EQ(Db().InsertCompany(beta, betaId), kDbRecordSelection);
    EXPECT_EQ(beta.companyName, QStringLiteral("Alpha S.p.A."));

    beta.companyName = QStringLiteral("Beta");
    beta.taxCode = QStringLiteral("999");
    ASSERT_EQ(Db().InsertCompany(beta, betaId), kNoError);
    beta.taxCode = alpha.taxCode;
    EXPECT_EQ(Db().UpdateCompany(betaId, beta), kDbRecordSelection);
    EXPECT_EQ(beta.companyName, QStringLiteral("Alpha S.p.A."));
    EXPECT_EQ(Db().UpdateCompany(alphaId, alpha), kNoError);  // its own tax code

    CompanyRecord loaded;
    ASSERT_TRUE(Db().LoadCompany(alphaId, loaded));
    EXPECT_EQ(loaded, alpha);
    ASSERT_EQ(Db().DeleteCompany(alphaId), kNoError);
    beta.companyName = QStringLiteral("Beta");
    EXPECT_EQ(Db().UpdateCompany(betaId, beta), kNoError);  // the tax code is free again
    EXPECT_FALSE(Db().LoadCompany(12345, loaded));
}

INSTANTIATE_DB_TEST(HotelRegisterTest);

}  // namespace
}  // namespace lodgix
