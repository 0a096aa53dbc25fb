#pragma once

#include "columndefinition.h"

#include <QString>
#include <QVariant>

// The static column table of the hotel's tables: each table's columns in order, one run after the other,
// with the generated runs (Room1..Room256 of the groups, service1..service36 of the rooms, Service1..Service32
// of the bookings and the 40 five-column service slots of the stays) spelt out. Creation, column upgrades
// and the insert and update statements take their names and types from here.
namespace lodgix {

enum class HotelTable {
    kHotelConfiguration,
    kHotelPeriod,
    kGuestConfiguration,
    kCompanyConfiguration,
    kOperators,
    kRoomServices,
    kClientServices,
    kGuestConventions,
    kCommonAreas,
    kHotelGroups,
    kRoomConfiguration,  // per hotel
    kRoomBooking,        // per hotel
    kRoomAvailability,   // per hotel
    kRoomCheckIn,        // per hotel
    kRoomMessages,       // per hotel
};

// Declared types: SqlDialect turns them into the backend's own.
inline constexpr char kIdentityType[] = "integer not null identity";
inline constexpr char kIdType[] = "integer";          // ids and keys are 32-bit everywhere
inline constexpr char kSmallType[] = "smallint";      // flags and small counts
inline constexpr char kAmountType[] = "numeric(12,2)";  // money and VAT rates, exact to the hundredth
inline constexpr char kDateType[] = "datetime";

// Room ids a group holds, service ids a room lists, optional services of a booking, service slots of a stay.
inline constexpr int kGroupRoomSlots = 256;
inline constexpr int kRoomServiceSlots = 36;
inline constexpr int kBookingServiceSlots = 32;
inline constexpr int kStayServiceSlots = 40;

ColumnRun HotelColumns(HotelTable table);
// The table's name: a per-hotel table's base name, "_" and the hotel id in decimal.
QString HotelTableName(HotelTable table, int hotelId = 0);
bool IsPerHotelTable(HotelTable table);

// The bound value of a text column: cut to the column's width, never NULL.
QVariant HotelTextValue(HotelTable table, const char* column, const QString& text);

// The position of a column in its table's run, or -1.
int HotelColumnPosition(HotelTable table, const char* column);

}  // namespace lodgix
