#pragma once

#include "hotelrecord.h"
#include "roomrecord.h"
#include "seasontable.h"

#include <vector>

// The steps of the hotel program's start-up that make its tables and first data, in their order: the
// operators' table, the master tables, the hotel table, the current hotel, the per-hotel tables and the
// seasons. Each returns the failing step's code (0 when done); the start-up decides what a code means.
namespace lodgix {

class CHotelDatabase;

// The client service every stay can be charged for internet access; the gateway's sale relies on it.
inline constexpr char kInternetAccessService[] = "Internet access";

// GuestConfiguration and its ConventionName column, ITCCommonAreas, CompanyConfiguration, RoomServices
// (filled with the default room features only when it was missing), ClientServices with the internet
// access service, GuestConventions.
int CreateMasterTables(CHotelDatabase& database);

// The hotel in use: the first by name.
struct CurrentHotel {
    int id = 0;
    HotelRecord hotel;
    int roomCount = 0;
    std::vector<RoomRecord> rooms;
};
// 0 and the first hotel with its rooms; 46 when there is no hotel.
int LoadFirstHotel(CHotelDatabase& database, CurrentHotel& current);

// RoomBooking_, RoomAvailability_, RoomCheckIn_, RoomMessages_ of the hotel with the columns older tables
// lack, then HotelPeriod and HotelGroups with its BookingGroup column.
int CreateHotelTables(CHotelDatabase& database, int hotelId);

// The hotel's seasons; a hotel without any gets the default calendar, stored.
int LoadOrStoreSeasons(CHotelDatabase& database, int hotelId, SeasonTable& seasons);

}  // namespace lodgix
