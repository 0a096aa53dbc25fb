#pragma once

#include "bookingrecord.h"
#include "checkinrecord.h"
#include "messagerecord.h"
#include "roomrecord.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace lodgix {

// The front desk's five lists of what needs attention, in the order they are shown. Entries are whole
// texts, a line break between the lines of one entry.
struct AlertLists {
    enum Kind { kEmergencies, kMessages, kDeparting, kArriving, kOccupied, kKinds };
    std::array<QStringList, kKinds> entries;

    bool operator==(const AlertLists&) const = default;
};

// The day-change hour of a hotel that keeps no other: a guest whose last night was yesterday may stay in
// the room until then.
constexpr int kDefaultDayChangeHour = 11;

// What a rebuild reads: the open stays, the visible bookings, the visible messages, the hotel's rooms and
// the names of the stays' first guests by id.
struct AlertSources {
    std::vector<CheckInRecord> openStays;
    std::vector<BookingRecord> bookings;
    std::vector<MessageRecord> messages;
    std::vector<RoomRecord> rooms;
    std::unordered_map<int, QString> guestNames;
};

// The five lists at `now`: stays by their last night against the departure day (today from the
// day-change hour on, else yesterday), the stays' messages, the bookings by their dates against today.
// Stays and bookings of rooms that are not the hotel's are passed over.
AlertLists BuildAlertLists(const AlertSources& sources, const QDateTime& now, int dayChangeHour);

// One line of the alert list box and its colour (COLORREF, 0x00BBGGRR).
struct AlertLine {
    QString text;
    std::uint32_t colour = 0;

    bool operator==(const AlertLine&) const = default;
};

constexpr std::uint32_t kAlertWhite = 0x00FFFFFF;

// The lines of the alert list box: for each list that has entries its heading in the list's colour, each
// entry's first line after "  - " and its further lines after four blanks, then one empty white line.
std::vector<AlertLine> AlertListLines(const AlertLists& lists);

}  // namespace lodgix
