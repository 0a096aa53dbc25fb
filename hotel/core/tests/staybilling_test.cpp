#include "staybilling.h"

#include "callcost.h"
#include "defaultprefixgroups.h"
#include "defaultrules.h"
#include "defaulttariffs.h"
#include "hotelpbxtest.h"
#include "sqldate.h"
#include "stringtable.h"

#include <cmath>

namespace lodgix {
namespace {

constexpr int kRoomId = 7;
constexpr int kExtension = 2;  // dialled as 203
constexpr int kExtensionNumber = 203;
constexpr quint8 kDurations = 0x08;  // byte 24 bit 3: Scatti holds seconds

RatingConfiguration TestRating()
{
    RatingConfiguration rating;
    BuildDefaultPrefixGroups(QStringLiteral("06"), QStringLiteral("Roma"), rating.prefixGroups);
    BuildDefaultTariffs(rating.tariffs, rating.variations);
    BuildDefaultRules(rating.rules, rating.prefixGroups);
    TariffRecord& pulse = rating.tariffs.tariffs[TariffTable::kPulseTariff];
    pulse.pulseCost = 0.1;
    pulse.answerCharge = 0.05;
    return rating;
}

class StayBillingTest : public HotelPbxTest {
protected:
    void SetUp() override
    {
        HotelPbxTest::SetUp();
        if (IsSkipped())
            return;
        m_hotelId = PrepareHotel();
        ListPbxs(1);
        RoomRecord room;
        room.id = kRoomId;
        room.label = QStringLiteral("101");
        room.extension = kExtension;
        m_rooms = {room};
        m_rating = TestRating();
    }

    void UsePbx(quint8 byte24, quint8 byte22 = 0) { SavePbx(0, 100, SystemConfiguration(byte24, byte22)); }

    void InsertCall(const OleDate& start, double scatti, const QString& number = QStringLiteral("0612345"),
                    int extensionNumber = kExtensionNumber, int outgoing = 1)
    {
        ASSERT_EQ(Hotel().OpenRecordset(
                      QStringLiteral("INSERT INTO LogCalls (PbxIdentifier,IndiceDerivato,DataInizio,DataFine,Durata,"
                                     "IndiceEsterna,Scatti,Totale,Uscente,NumeroChiamato) VALUES (?,?,?,?,?,?,?,?,?,?)"),
                      {0, extensionNumber, SqlDateText(start), SqlDateText(start.AddSeconds(60)),
                       SqlDateText(OleDate(2000, 1, 1, 0, 1, 0)), 1, scatti, 0, outgoing, number}),
                  kNoError)
            << Hotel().LastError().toStdString();
        Hotel().CloseRecordset();
    }

    StayBilling& Billing()
    {
        if (!m_billing) {
            m_billing = std::make_unique<StayBilling>(Hotel(), m_rooms, m_seasons, m_rating, m_settings);
            m_billing->SetClock([this] { return m_now; });
        }
        return *m_billing;
    }

    // A stay of three nights from 2 March 2026, checked in at 14:00 and out on 5 March at 10:00.
    CheckInRecord Stay() const
    {
        CheckInRecord stay;
        stay.roomId = kRoomId;
        stay.startDate = OleDate(2026, 3, 2);
        stay.endDate = OleDate(2026, 3, 4);
        stay.checkInDate = OleDate(2026, 3, 2, 14, 0, 0);
        stay.checkOutDate = OleDate(2026, 3, 5, 10, 0, 0);
        stay.treatment = QStringLiteral("Mezza pensione");
        stay.dailyPrice = Money::FromCents(8000);
        stay.vat = VatRate::FromHundredths(1000);
        return stay;
    }

    // The cost a call gets from the time tariff of the slot, rounded to the cent.
    qint64 TimeCost(int slot, const OleDate& start, int seconds) const
    {
        double cost = 0;
        EXPECT_EQ(ComputeCallCost(m_rating.tariffs.tariffs[slot], m_rating.variations.values[slot], start,
                                  start.AddSeconds(seconds), cost),
                  kCostDone);
        return std::llround(cost * 100);
    }

    bool Charges(Money& amount, const OleDate& from = OleDate(2026, 3, 2, 14, 0, 0),
                 const OleDate& to = OleDate(2026, 3, 5, 10, 0, 0))
    {
        VatRate vat;
        return Billing().ComputePhoneCharges(0, kExtension, from, to, amount, vat);
    }

    int m_hotelId = 0;
    std::vector<RoomRecord> m_rooms;
    SeasonTable m_seasons = SeasonTable::Defaults();
    RatingConfiguration m_rating;
    HotelSettings m_settings;
    OleDate m_now = OleDate(2026, 3, 5, 10, 30, 0);
    std::unique_ptr<StayBilling> m_billing;
};

TEST_P(StayBillingTest, CallsAtThePeriodsEndsAreNotCharged)
{
    UsePbx(0);
    const OleDate from(2026, 3, 2, 14, 0, 0), to(2026, 3, 5, 10, 0, 0);
    InsertCall(from, 5);
    InsertCall(to, 5);
    InsertCall(from.AddSeconds(1), 3);
    InsertCall(from.AddSeconds(2), 4, QStringLiteral("0612"), kExtensionNumber + 1);  // another extension
    InsertCall(from.AddSeconds(3), 4, QStringLiteral("0612"), kExtensionNumber, 2);   // not a plain outgoing call
    Money amount;
    ASSERT_TRUE(Charges(amount));
    EXPECT_EQ(amount, Money::FromCents(35));  // 3 pulses of 0.10 and the answer charge of 0.05
}

TEST_P(StayBillingTest, ThePbxsSystemConfigurationDecidesPulsesOrSeconds)
{
    const OleDate start(2026, 3, 3, 10, 0, 0);  // a Tuesday morning
    InsertCall(start, 125, QStringLiteral("0039123"));
    InsertCall(start.AddSeconds(3600), 40, QStringLiteral("3471234567"));

    // Seconds, and no rule at all: each call is timed by the generic tariff.
    m_rating.rules = RuleTable();
    TariffRecord& generic = m_rating.tariffs.tariffs[TariffTable::kGenericTariff];
    for (TariffDay& day : generic.days)
        day.bands = {TariffBand{0.0, kSecondsPerDay, 0.002, kGreenBand}};
    generic.answerCharge = 0.1;
    UsePbx(kDurations);
    Money timed;
    ASSERT_TRUE(Charges(timed));
    EXPECT_EQ(timed.Cents(), TimeCost(TariffTable::kGenericTariff, start, 125) +
                                 TimeCost(TariffTable::kGenericTariff, start.AddSeconds(3600), 40));
    EXPECT_GT(timed.Cents(), 0);

    // Pulses: every number by the pulse tariff, 125 and 40 pulses.
    m_billing.reset();
    UsePbx(0);
    Money pulses;
    ASSERT_TRUE(Charges(pulses));
    EXPECT_EQ(pulses, Money::FromCents(1650 + 10));

    // Byte 22 is no unit switch: the prices stay.
    for (const quint8 byte24 : {quint8(0), kDurations}) {
        UsePbx(byte24, 0x08);
        m_billing.reset();
        Money again;
        ASSERT_TRUE(Charges(again));
        EXPECT_EQ(again, byte24 ? timed : pulses);
    }
}

TEST_P(StayBillingTest, ACallNoBandCoversFailsAndTheBillAsks)
{
    UsePbx(kDurations);
    m_rating.rules = RuleTable();
    for (TariffDay& day : m_rating.tariffs.tariffs[TariffTable::kGenericTariff].days)
        day.bands = {TariffBand{8 * 3600.0, 20 * 3600.0, 0.001, kGreenBand}};
    InsertCall(OleDate(2026, 3, 3, 10, 0, 0), 60);
    InsertCall(OleDate(2026, 3, 3, 22, 0, 0), 60);
    Money amount = Money::FromCents(1);
    EXPECT_FALSE(Charges(amount));

    std::vector<unsigned> asked;
    bool answer = false;
    const auto ask = [&](unsigned id) {
        asked.push_back(id);
        return answer;
    };
    std::vector<BillLine> lines;
    EXPECT_FALSE(Billing().BuildStayBill(Stay(), lines, true, true, ask));
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(asked, std::vector<unsigned>{StayBilling::kPhoneChargeFailedString});
    answer = true;
    ASSERT_TRUE(Billing().BuildStayBill(Stay(), lines, true, true, ask));
    ASSERT_EQ(lines.size(), 1u);  // the nights alone
    EXPECT_FALSE(LoadResString(StayBilling::kPhoneChargeFailedString).isEmpty());
}

TEST_P(StayBillingTest, TheStayBillHasNightsCallsAndServices)
{
    UsePbx(0);
    CheckInRecord stay = Stay();
    stay.serviceCount = 3;
    stay.services[0] = {QStringLiteral("Frigobar"), Money::FromCents(450), VatRate::FromHundredths(2200)};
    stay.services[1] = stay.services[0];
    stay.services[2] = {QStringLiteral("Giornale"), Money(), VatRate::FromHundredths(400)};
    std::vector<BillLine> lines{BillLine::Make(QStringLiteral("old"), 1, Money::FromCents(1), VatRate())};
    const auto never = [](unsigned) -> bool { ADD_FAILURE(); return false; };

    // No calls: no phone line; two equal services are one line; a free service none.
    ASSERT_TRUE(Billing().BuildStayBill(stay, lines, true, true, never));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].description, QStringLiteral("Mezza pensione"));
    EXPECT_EQ(lines[0].quantity, 3);  // the nights of 2, 3 and 4 March
    EXPECT_EQ(lines[0].grossAmount, Money::FromCents(24000));
    EXPECT_EQ(lines[1].description, QStringLiteral("Frigobar"));
    EXPECT_EQ(lines[1].quantity, 2);

    InsertCall(OleDate(2026, 3, 3, 9, 0, 0), 12);
    ASSERT_TRUE(Billing().BuildStayBill(stay, lines, false, true, never));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].quantity, 3);  // nights so far: now is 5 March
    EXPECT_EQ(lines[1].description, LoadResString(StayBilling::kPhoneLineString));
    EXPECT_EQ(lines[1].unitPrice, Money::FromCents(125));
    EXPECT_EQ(lines[1].vat, VatRate::FromHundredths(2000));

    stay.roomId = 99;
    EXPECT_FALSE(Billing().BuildStayBill(stay, lines, true, true, never));
    EXPECT_TRUE(lines.empty());
}

TEST_P(StayBillingTest, AnExtensionWithoutANumericNumberHasNoCalls)
{
    // Extension 40 has a programming row but lies beyond the 8 extensions found: it has no dialling number,
    // and the calls of IndiceDerivato 0 are not its calls.
    UsePbx(0);
    QByteArray programming(50, '\0');
    programming[0] = 1;
    programming[1] = 40;
    ASSERT_EQ(Hotel().SaveDerivedProgrammation(0, programming), kNoError);
    InsertCall(OleDate(2026, 3, 3, 9, 0, 0), 12, QStringLiteral("0612"), 0);
    Money amount = Money::FromCents(99);
    VatRate vat;
    ASSERT_TRUE(Billing().ComputePhoneCharges(0, 40, OleDate(2026, 3, 1), OleDate(2026, 3, 9), amount, vat));
    EXPECT_TRUE(amount.IsZero());
    // An extension without a programming row cannot be priced at all.
    EXPECT_FALSE(Billing().ComputePhoneCharges(0, 41, OleDate(2026, 3, 1), OleDate(2026, 3, 9), amount, vat));
}

TEST_P(StayBillingTest, KeyCardChargingAddsALinePerPayingAreaAndCard)
{
    UsePbx(0);
    CommonAreaRecord area;
    for (const auto& [label, code, free] : {std::tuple{"Piscina", "P1", false}, std::tuple{"Palestra", "G1", false},
                                            std::tuple{"Giardino", "J1", true}}) {
        area.label = QLatin1String(label);
        area.code = QLatin1String(code);
        area.free = free;
        ASSERT_EQ(Hotel().InsertCommonArea(area), kNoError);
    }
    CheckInRecord stay = Stay();
    stay.cards = {QStringLiteral("0001"), QString(), QStringLiteral("0002"), QStringLiteral("0003"), QString()};
    std::vector<BillLine> lines;
    ASSERT_TRUE(Billing().BuildStayBill(stay, lines, true, true, {}));
    EXPECT_EQ(lines.size(), 1u);  // charging off

    m_settings.keyCardEnabled = 1;
    m_settings.keyCardCharging = 1;
    ASSERT_TRUE(Billing().BuildStayBill(stay, lines, true, true, {}));
    ASSERT_EQ(lines.size(), 3u);
    for (const BillLine& line : {lines[1], lines[2]}) {
        EXPECT_EQ(line.quantity, 3);
        EXPECT_EQ(line.unitPrice, Money::FromCents(250));
        EXPECT_EQ(line.vat, stay.vat);
    }
    EXPECT_EQ(lines[1].description, QStringLiteral("Piscina"));
    EXPECT_EQ(lines[2].description, QStringLiteral("Palestra"));
}

TEST_P(StayBillingTest, AGroupBillJoinsTheOpenStaysOfTheGroup)
{
    UsePbx(0);
    RoomRecord second = m_rooms[0];
    second.id = 8;
    second.extension = 3;
    m_rooms.push_back(second);
    CheckInRecord a = Stay(), b = Stay(), other = Stay();
    a.groupId = b.groupId = 5;
    a.checkOutDate = b.checkOutDate = OleDate::Invalid();
    b.roomId = 8;
    b.dailyPrice = Money::FromCents(5000);
    other.groupId = 6;
    other.checkOutDate = OleDate::Invalid();
    GroupRecord group;
    group.id = 5;
    group.roomCount = 2;
    group.rooms[0] = 8;
    group.rooms[1] = kRoomId;
    std::vector<BillLine> lines;
    ASSERT_TRUE(Billing().BuildGroupBill({other, a, b}, lines, group, {}));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].unitPrice, Money::FromCents(5000));  // the group's order
    EXPECT_EQ(lines[1].unitPrice, Money::FromCents(8000));
}

TEST(StayPrices, SeasonsAndTreatmentsPickThePrice)
{
    const SeasonTable seasons = SeasonTable::Defaults();
    EXPECT_EQ(GetSeason(OleDate(2026, 2, 1), seasons), Season::kLow);
    EXPECT_EQ(GetSeason(OleDate(2026, 6, 16), seasons), Season::kMedium);
    EXPECT_EQ(GetSeason(OleDate(2026, 8, 1), seasons), Season::kHigh);
    SeasonTable acrossTheYear;
    acrossTheYear.low[0] = {SeasonTable::Day(12, 1), SeasonTable::Day(1, 31)};
    EXPECT_EQ(GetSeason(OleDate(2026, 1, 10), acrossTheYear), Season::kMedium);

    RoomRecord room;
    room.id = 3;
    room.vat = VatRate::FromHundredths(1000);
    const Treatment order[] = {Treatment::kOvernight, Treatment::kBedAndBreakfast, Treatment::kHalfBoard,
                               Treatment::kFullBoard};
    for (int i = 0; i < 4; ++i)
        room.prices.Price(Season::kLow, order[i]) = Money::FromCents(1000 * (i + 1));
    const std::vector<RoomRecord> rooms{room};
    CHotelDatabase unused;
    const RatingConfiguration rating;
    const HotelSettings settings;
    StayBilling billing(unused, rooms, seasons, rating, settings);
    billing.SetClock([] { return OleDate(2026, 2, 1, 12, 0, 0); });
    std::vector<ServiceRecord> services(2);
    services[0].price = Money::FromCents(300);
    services[0].selected = true;
    services[1].price = Money::FromCents(700);
    Money price;
    VatRate vat;
    for (int treatment = 0; treatment < 4; ++treatment) {
        SCOPED_TRACE(treatment);
        ASSERT_TRUE(billing.CalcDailyPrice(3, treatment, {}, nullptr, price, vat));
        EXPECT_EQ(price, Money::FromCents(1000 * (treatment + 1)));
        EXPECT_EQ(vat, room.vat);
    }
    EXPECT_FALSE(billing.CalcDailyPrice(3, 4, {}, nullptr, price, vat));
    EXPECT_FALSE(billing.CalcDailyPrice(4, 0, {}, nullptr, price, vat));
    ASSERT_TRUE(billing.CalcDailyPrice(3, 0, services, nullptr, price, vat));
    EXPECT_EQ(price, Money::FromCents(1300));  // the selected service only

    ConventionRecord convention;
    convention.prices.Price(Season::kLow, Treatment::kHalfBoard) = Money::FromCents(4200);
    convention.vat = VatRate::FromHundredths(400);
    ASSERT_TRUE(billing.CalcDailyPrice(3, 2, {}, &convention, price, vat));
    EXPECT_EQ(price, Money::FromCents(4200));
    EXPECT_EQ(vat, VatRate::FromHundredths(400));
    ASSERT_TRUE(billing.CalcDailyPriceOnDate(OleDate(2026, 6, 16), 3, 0, {}, price, vat));
    EXPECT_EQ(price, Money());  // the middle season has no price here
}

INSTANTIATE_DB_TEST(StayBillingTest);

}  // namespace
}  // namespace lodgix
