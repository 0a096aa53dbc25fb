#include "staybilling.h"

#include "callcost.h"
#include "callrating.h"
#include "engineerrorcode.h"
#include "extensionlabel.h"
#include "hoteldatabase.h"
#include "itcrecordbuilder.h"
#include "loggedcallreader.h"
#include "stringtable.h"

#include <cmath>

namespace lodgix {

namespace {

constexpr int kTreatmentOrder[kTreatmentCount] = {
    static_cast<int>(Treatment::kOvernight), static_cast<int>(Treatment::kBedAndBreakfast),
    static_cast<int>(Treatment::kHalfBoard), static_cast<int>(Treatment::kFullBoard)};

bool InRange(const SeasonRange& range, quint16 key)
{
    return range.start != 0 && range.end != 0 && range.start <= key && key <= range.end;
}

// Days of an OleDate cut to midnight.
double Floor(const OleDate& date) { return std::floor(date.Value()); }

}  // namespace

quint16 FindRoomIndex(int roomId, const std::vector<RoomRecord>& rooms)
{
    for (std::size_t i = 0; i < rooms.size() && i < kNoRoom; ++i)
        if (rooms[i].id == roomId)
            return static_cast<quint16>(i);
    return kNoRoom;
}

Season GetSeason(const OleDate& date, const SeasonTable& seasons)
{
    const quint16 key = SeasonTable::Day(date.Month(), date.Day());
    for (const SeasonRange& range : seasons.low)
        if (InRange(range, key))
            return Season::kLow;
    for (const SeasonRange& range : seasons.high)
        if (InRange(range, key))
            return Season::kHigh;
    return Season::kMedium;
}

StayBilling::StayBilling(CHotelDatabase& database, const std::vector<RoomRecord>& rooms, const SeasonTable& seasons,
                         const RatingConfiguration& rating, const HotelSettings& settings)
    : m_database(database), m_rooms(rooms), m_seasons(seasons), m_rating(rating), m_settings(settings),
      m_clock(&OleDate::Now)
{
}

StayBilling::~StayBilling() = default;

void StayBilling::SetClock(std::function<OleDate()> clock) { m_clock = std::move(clock); }

bool StayBilling::DailyPrice(const OleDate& day, int roomId, int treatment, const std::vector<ServiceRecord>& services,
                             const ConventionRecord* convention, Money& price, VatRate& vat) const
{
    const quint16 index = FindRoomIndex(roomId, m_rooms);
    if (index == kNoRoom || treatment < 0 || treatment >= kTreatmentCount)
        return false;
    Money selected;
    for (const ServiceRecord& service : services)
        if (service.selected)
            selected = selected + service.price;
    const RoomRecord& room = m_rooms[index];
    const PriceTable& prices = convention ? convention->prices : room.prices;
    price = prices.Price(GetSeason(day, m_seasons), static_cast<Treatment>(kTreatmentOrder[treatment])) + selected;
    vat = convention ? convention->vat : room.vat;
    return true;
}

bool StayBilling::CalcDailyPrice(int roomId, int treatment, const std::vector<ServiceRecord>& services,
                                 const ConventionRecord* convention, Money& price, VatRate& vat) const
{
    return DailyPrice(m_clock(), roomId, treatment, services, convention, price, vat);
}

bool StayBilling::CalcDailyPriceOnDate(const OleDate& date, int roomId, int treatment,
                                       const std::vector<ServiceRecord>& services, Money& price, VatRate& vat) const
{
    return DailyPrice(date, roomId, treatment, services, nullptr, price, vat);
}

const CompiledRules& StayBilling::Rules()
{
    if (!m_rules)
        m_rules = std::make_unique<CompiledRules>(m_rating.rules, m_rating.prefixGroups);
    return *m_rules;
}

bool StayBilling::ComputePhoneCharges(int pbx, int extension, const OleDate& start, const OleDate& end,
                                      Money& amount, VatRate& vat)
{
    QByteArray initialization, configuration, programming;
    if (m_database.ReadInitialization(pbx, initialization) != kNoError ||
        m_database.ReadSystemConfiguration(pbx, configuration) != kNoError ||
        m_database.ReadDerivedProgrammation(pbx, extension, programming) != kNoError)
        return false;
    bool numeric = false;
    const int number =
        ExtensionDiallingNumber(extension, initialization, configuration, programming).toInt(&numeric);
    std::vector<LoggedCall> calls;
    if (numeric) {
        LoggedCallFilter filter;
        filter.pbx = pbx;
        filter.extensionNumber = number;
        filter.start = &start;
        filter.end = &end;
        filter.inclusive = false;
        int count = 0;
        if (SelectLoggedCalls(m_database, filter, &calls, count) != kNoError)
            return false;
    }
    if (calls.empty()) {
        amount = Money();
        return true;
    }
    double total = 0.0;
    for (const LoggedCall& call : calls) {
        const CallRating rating =
            RateLoggedCall(call, configuration, Rules(), m_rating.tariffs, m_rating.variations);
        if (rating.result != kCostDone)
            return false;  // a call that cannot be priced is no free call
        total += rating.cost;
    }
    amount = Money::FromCents(std::llround(total * 100.0));
    vat = VatRate::FromHundredths(kPhoneVatHundredths);
    return true;
}

void StayBilling::AddKeyCardLines(const CheckInRecord& stay, std::vector<BillLine>& lines)
{
    if (!m_settings.KeyCardChargingOn())
        return;
    std::vector<CommonAreaRecord> areas;
    if (m_database.LoadChargeableAreas(areas) != kNoError)
        return;
    CItcRecordBuilder builder(m_settings.keyCardServer, m_settings.keyCardSystemId);
    for (const CommonAreaRecord& area : areas) {
        // A label too long for the line keeps its first 62 characters.
        const QString label = area.label.size() > kAreaLabelLength ? area.label.left(kAreaLabelLength - 1) : area.label;
        for (const QString& card : stay.cards) {
            if (card.isEmpty())
                continue;
            Money amount;
            builder.BuildCharging(area.code, card, amount);
            if (!amount.IsZero())
                AddBillLine(BillLine::Make(label, 1, amount, stay.vat), lines);
        }
    }
}

bool StayBilling::BuildStayBill(const CheckInRecord& stay, std::vector<BillLine>& lines, bool toCheckOut, bool reset,
                                const Question& ask)
{
    if (reset)
        lines.clear();
    const OleDate now = m_clock();
    const double lastDay = toCheckOut ? Floor(stay.endDate) : Floor(now);
    const double nights = std::floor(lastDay - stay.startDate.Value()) + (toCheckOut ? 1 : 0);
    // A stay of a group checked out with another room has no check-out moment of its own yet.
    const OleDate periodEnd = toCheckOut && stay.checkOutDate.IsValid() ? stay.checkOutDate : now;
    AddBillLine(BillLine::Make(stay.treatment, static_cast<quint16>(std::clamp(nights, 0.0, 65535.0)), stay.dailyPrice,
                               stay.vat),
                lines);

    const quint16 index = FindRoomIndex(stay.roomId, m_rooms);
    if (index == kNoRoom) {
        lines.clear();
        return false;
    }
    const RoomRecord& room = m_rooms[index];
    Money phone;
    VatRate phoneVat = VatRate::FromHundredths(kPhoneVatHundredths);
    if (ComputePhoneCharges(room.pbx, room.extension, stay.checkInDate, periodEnd, phone, phoneVat)) {
        AddBillLine(BillLine::Make(LoadResString(kPhoneLineString), 1, phone, phoneVat), lines);
    } else if (!ask || !ask(kPhoneChargeFailedString)) {
        lines.clear();
        return false;
    }

    const int services = std::clamp(stay.serviceCount, 0, CheckInRecord::kMaxServices);
    for (int i = 0; i < services; ++i) {
        const StayService& service = stay.services[static_cast<std::size_t>(i)];
        AddBillLine(BillLine::Make(service.name, 1, service.price, service.vat), lines);
    }
    AddKeyCardLines(stay, lines);
    return true;
}

bool StayBilling::BuildGroupBill(const std::vector<CheckInRecord>& openStays, std::vector<BillLine>& lines,
                                 const GroupRecord& group, const Question& ask)
{
    lines.clear();
    const int rooms = std::clamp(group.roomCount, 0, GroupRecord::kMaxRooms);
    for (int i = 0; i < rooms; ++i) {
        const int roomId = group.rooms[static_cast<std::size_t>(i)];
        for (const CheckInRecord& stay : openStays) {
            if (stay.roomId != roomId || !stay.IsOpen() || stay.groupId != group.id)
                continue;
            if (!BuildStayBill(stay, lines, true, false, ask))
                return false;
            break;
        }
    }
    return true;
}

}  // namespace lodgix
