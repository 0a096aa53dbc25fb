#include "groupbookingcommand.h"

#include "engineerrorcode.h"
#include "lodgixmessagebox.h"
#include "roomarray.h"
#include "staybilling.h"

namespace lodgix {

namespace {

constexpr unsigned kNoRoomText = 2267;
constexpr unsigned kTooManyRoomsText = 2990;

bool IsFree(CHotelDatabase& database, int hotelId, int roomId, const GroupSearchRecord& search)
{
    std::vector<BookingRecord> bookings;
    std::vector<AvailabilityRecord> periods;
    std::vector<CheckInRecord> stays;
    // A room whose records cannot be read is not offered.
    if (database.LoadBookings(hotelId, search.firstNight, search.lastNight, roomId, bookings) != kNoError ||
        database.LoadUnavailability(hotelId, search.firstNight, search.lastNight, roomId, periods) != kNoError ||
        database.LoadCheckIns(hotelId, search.firstNight, search.lastNight, roomId, stays) != kNoError)
        return false;
    return bookings.empty() && periods.empty() && stays.empty();
}

}  // namespace

bool MeetsCondition(int value, quint8 comparison, int wanted)
{
    switch (comparison) {
    case GroupSearchRecord::kAtLeast: return value >= wanted;
    case GroupSearchRecord::kAtMost: return value <= wanted;
    case GroupSearchRecord::kEqual: return value == wanted;
    default: return true;
    }
}

std::vector<RoomRecord> GroupBookingRooms(CHotelDatabase& database, int hotelId, const std::vector<RoomRecord>& rooms,
                                          const GroupSearchRecord& search)
{
    std::vector<RoomRecord> found;
    for (const RoomRecord& room : rooms) {
        if (!MeetsCondition(room.quality, search.qualityComparison, search.quality) ||
            !MeetsCondition(room.bedrooms, search.bedsComparison, search.beds))
            continue;
        bool hasAll = true;
        for (int service : search.wantedIds)
            hasAll = hasAll && RoomHasService(service, room);
        if (hasAll && IsFree(database, hotelId, room.id, search))
            found.push_back(room);
    }
    return found;
}

std::vector<ServiceRecord> GroupBookingServices(CHotelDatabase& database, const GroupSearchRecord& search)
{
    std::vector<ServiceRecord> services;
    for (int id : search.wantedIds) {
        const Money price = database.GetRoomServicePrice(id);
        if (!price.IsZero())
            services.push_back(ServiceRecord{id, price, database.GetRoomServiceName(id), true});
    }
    return services;
}

int BookGroup(CHotelDatabase& database, int hotelId, int operatorId, const GroupSearchRecord& search,
              const std::vector<RoomRecord>& rooms, const std::vector<ServiceRecord>& services,
              const QString& client, const QString& contact, const QString& notes, const QString& treatment)
{
    BookingRecord booking;
    booking.clientName = client;
    booking.clientPhone = contact;
    booking.clientAnnotation = notes;
    booking.treatment = treatment;
    booking.startDate = search.firstNight;
    booking.endDate = search.lastNight;
    booking.userId = operatorId;
    for (const ServiceRecord& service : services) {
        if (booking.serviceCount == BookingRecord::kMaxServices)
            break;
        booking.services[static_cast<std::size_t>(booking.serviceCount++)] = service.id;
    }
    GroupRecord group;
    group.name = client.left(GroupRecord::kNameLength);
    group.hotelId = hotelId;
    group.creationDate = OleDate::Now();
    std::vector<int> roomIds;
    for (const RoomRecord& room : rooms)
        roomIds.push_back(room.id);
    return database.InsertGroupBooking(hotelId, group, roomIds, booking);
}

bool RunGroupBooking(QWidget* parent, LodgixState& state)
{
    if (!state.database)
        return false;
    GroupSearchRecord search;
    CGroupBookingDlg searchDialog(search, state.database.get(), parent);
    if (searchDialog.exec() != QDialog::Accepted)
        return false;
    std::vector<RoomRecord> rooms = GroupBookingRooms(*state.database, state.hotelId, state.rooms, search);
    if (rooms.empty()) {
        LodgixMessageBox(parent, kNoRoomText, QMessageBox::Critical);
        return false;
    }
    const std::vector<ServiceRecord> services = GroupBookingServices(*state.database, search);
    StayBilling billing(*state.database, state.rooms, state.seasons, state.rating, state.hotelSettings);
    CRoomSelectDlg choice(
        rooms,
        [&](int roomId, int treatment, Money& price) {
            VatRate vat;
            return billing.CalcDailyPriceOnDate(search.firstNight, roomId, treatment, services, price, vat);
        },
        parent);
    if (choice.exec() != QDialog::Accepted)
        return false;
    const int result = BookGroup(*state.database, state.hotelId, state.currentOperator.id, search, rooms, services,
                                 choice.Name(), choice.Contact(), choice.Notes(), choice.Treatment());
    if (result == kDbRecordSelection && rooms.size() > static_cast<std::size_t>(GroupRecord::kMaxRooms))
        LodgixMessageBox(parent, kTooManyRoomsText, QMessageBox::Critical);
    // Any other failure is silent, as a failed group insert always was: the planner shows what was written.
    return result == kNoError;
}

}  // namespace lodgix
