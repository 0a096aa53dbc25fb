#pragma once

#include "messagerecord.h"
#include "roomdaystatus.h"
#include "roomrecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <vector>

namespace lodgix {

class CHotelDatabase;

// The planning font's symbols, by the codes the planner writes: the installed font has no bed nor alarm
// clock, so each code stands for a symbol DejaVu Sans draws.
inline constexpr std::uint8_t kBedCode = 0xAC;
inline constexpr std::uint8_t kQualityCode = 0xDE;
inline constexpr std::uint8_t kMessageCode = 0xF0;
inline constexpr std::uint8_t kWakeUpCode = 0xFE;
QChar PlanningGlyph(std::uint8_t code);

// A room's label in the planner: its label, a space, a bed per bed, a space, a star per quality point.
QString PlannerRoomLabel(const RoomRecord& room);

// A room's wake-up call as its extension's state record holds it (mode 0: none, 1: daily, other: once).
struct WakeUpSetting {
    bool valid = false;  // the extension's records were read
    int mode = 0;
    int hour = 0;
    int minute = 0;
};
WakeUpSetting WakeUpFromState(bool valid, const QByteArray& state);
// Whether an occupied day carries the wake-up mark: every day for a daily call; for a single one today
// when its time today is still to come, else tomorrow.
bool WakeUpMarksDay(const WakeUpSetting& wakeUp, const QDate& day, const QDateTime& now);

// One row of the planner: the room and the colour and text of each day (index 0 = day 1).
struct PlannerCell {
    std::uint32_t colour = 0xFFFFFFFF;  // no colour: drawn white
    QString text;
    friend bool operator==(const PlannerCell&, const PlannerCell&) = default;
};
struct PlannerRow {
    QString label;
    int roomId = 0;
    std::uint32_t labelColour = 0;
    std::vector<PlannerCell> cells;
};

// What a month's rows are built from.
struct PlannerSources {
    int year = 0;
    int month = 0;
    int days = 0;                                  // valid days of the month
    const std::vector<RoomRecord>* rooms = nullptr;  // the rooms in use, in order
    const RoomDayRecords* monthRecords = nullptr;   // the month's records
    const RoomDayRecords* referenceDay = nullptr;  // the records of the reference date alone
    OleDate referenceDate;
    const std::vector<MessageRecord>* messages = nullptr;
    std::vector<WakeUpSetting> wakeUps;  // by room index; missing = none
    QDateTime now;
};
std::vector<PlannerRow> BuildPlannerRows(const PlannerSources& sources);

// The number of valid days of a month (28 to 31), 0 for no month.
int DaysInMonth(int year, int month);

// The bookings, unavailable periods and stays of the hotel touching [from, to], of one room or of all
// (CHotelDatabase::kAllRooms), into the set; 0 or the code of the first load that failed. A load that
// failed leaves its vector empty.
int LoadRoomDayRecords(CHotelDatabase& database, int hotelId, const OleDate& from, const OleDate& to, int roomId,
                       RoomDayRecords& records);

}  // namespace lodgix
