#include "plannermonth.h"

#include "engineerrorcode.h"
#include "hoteldatabase.h"

#include <QDate>

#include <unordered_map>

namespace lodgix {

namespace {

struct GlyphOfCode {
    std::uint8_t code;
    char16_t glyph;
};
constexpr GlyphOfCode kGlyphs[] = {
    {kBedCode, u'\u25AC'},      // ▬ a bed
    {kQualityCode, u'\u2605'},  // ★ a quality point
    {kMessageCode, u'\u2709'},  // ✉ messages wait for the guest
    {kWakeUpCode, u'\u263C'},   // ☼ a wake-up call is due
};

// The wake-up state record: extension index, mode, hour, minute, second.
constexpr qsizetype kModeByte = 1;
constexpr qsizetype kHourByte = 2;
constexpr qsizetype kMinuteByte = 3;
constexpr int kDailyWakeUp = 1;

}  // namespace

QChar PlanningGlyph(std::uint8_t code)
{
    for (const GlyphOfCode& entry : kGlyphs)
        if (entry.code == code)
            return QChar(entry.glyph);
    return QChar(QChar::fromLatin1(static_cast<char>(code)));
}

QString PlannerRoomLabel(const RoomRecord& room)
{
    return room.label + u' ' + QString(std::max(room.bedrooms, 0), PlanningGlyph(kBedCode)) + u' ' +
           QString(std::max(room.quality, 0), PlanningGlyph(kQualityCode));
}

WakeUpSetting WakeUpFromState(bool valid, const QByteArray& state)
{
    WakeUpSetting wakeUp;
    if (!valid || state.size() <= kMinuteByte)
        return wakeUp;
    wakeUp.valid = true;
    wakeUp.mode = static_cast<quint8>(state[kModeByte]);
    wakeUp.hour = static_cast<quint8>(state[kHourByte]);
    wakeUp.minute = static_cast<quint8>(state[kMinuteByte]);
    return wakeUp;
}

bool WakeUpMarksDay(const WakeUpSetting& wakeUp, const QDate& day, const QDateTime& now)
{
    if (!wakeUp.valid || wakeUp.mode == 0)
        return false;
    if (wakeUp.mode == kDailyWakeUp)
        return true;
    const QDateTime call(now.date(), QTime(wakeUp.hour % 24, wakeUp.minute % 60));
    return day == (call > now ? now.date() : now.date().addDays(1));
}

int DaysInMonth(int year, int month)
{
    const QDate first(year, month, 1);
    return first.isValid() ? first.daysInMonth() : 0;
}

std::vector<PlannerRow> BuildPlannerRows(const PlannerSources& sources)
{
    std::vector<PlannerRow> rows;
    if (!sources.rooms)
        return rows;
    static const RoomDayRecords kNone;
    const RoomDayRecords& month = sources.monthRecords ? *sources.monthRecords : kNone;
    const RoomDayRecords& referenceDay = sources.referenceDay ? *sources.referenceDay : kNone;
    // Each room's records, so that a cell reads only its room's (a linear search per cell over the whole
    // month was most of the rebuild of a large hotel).
    const std::unordered_map<int, RoomDayIndex> monthByRoom = IndexByRoom(month);
    const std::unordered_map<int, RoomDayIndex> referenceByRoom = IndexByRoom(referenceDay);
    static const RoomDayIndex kNoRecords;
    const auto of = [](const std::unordered_map<int, RoomDayIndex>& rooms, int roomId) -> const RoomDayIndex& {
        const auto found = rooms.find(roomId);
        return found == rooms.end() ? kNoRecords : found->second;
    };
    std::unordered_map<int, int> messagesOfStay;
    if (sources.messages)
        for (const MessageRecord& message : *sources.messages)
            ++messagesOfStay[message.checkInId];

    const QString messageMark(PlanningGlyph(kMessageCode));
    const QString wakeUpMark(PlanningGlyph(kWakeUpCode));
    rows.reserve(sources.rooms->size());
    for (std::size_t index = 0; index < sources.rooms->size(); ++index) {
        const RoomRecord& room = (*sources.rooms)[index];
        const WakeUpSetting wakeUp = index < sources.wakeUps.size() ? sources.wakeUps[index] : WakeUpSetting{};
        PlannerRow row;
        row.label = PlannerRoomLabel(room);
        row.roomId = room.id;
        RoomDayStatus status;
        GetRoomDayStatus(room.id, sources.referenceDate, status, referenceDay, of(referenceByRoom, room.id));
        row.labelColour = RoomDayColour(status.kind);
        row.cells.resize(static_cast<std::size_t>(std::max(sources.days, 0)));
        const RoomDayIndex& roomRecords = of(monthByRoom, room.id);
        for (int day = 1; day <= sources.days; ++day) {
            const OleDate date(sources.year, sources.month, day);
            GetRoomDayStatus(room.id, date, status, month, roomRecords);
            PlannerCell& cell = row.cells[static_cast<std::size_t>(day - 1)];
            cell.colour = RoomDayColour(status.kind);
            if (status.kind != kRoomOccupied)
                continue;
            if (messagesOfStay.count(month.stays[static_cast<std::size_t>(status.stay)].checkInId) != 0)
                cell.text += messageMark;
            if (WakeUpMarksDay(wakeUp, date.Date(), sources.now))
                cell.text += wakeUpMark;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

int LoadRoomDayRecords(CHotelDatabase& database, int hotelId, const OleDate& from, const OleDate& to, int roomId,
                       RoomDayRecords& records)
{
    int first = kNoError;
    const auto load = [&first](int result, auto& vector) {
        if (result != kNoError) {
            vector.clear();
            if (first == kNoError)
                first = result;
        }
    };
    records.bookings.clear();
    records.unavailability.clear();
    records.stays.clear();
    load(database.LoadBookings(hotelId, from, to, roomId, records.bookings), records.bookings);
    load(database.LoadUnavailability(hotelId, from, to, roomId, records.unavailability), records.unavailability);
    load(database.LoadCheckIns(hotelId, from, to, roomId, records.stays), records.stays);
    return first;
}

}  // namespace lodgix
