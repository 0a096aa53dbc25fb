#include "roomserviceoptions.h"

#include "hoteldatabase.h"
#include "stringtable.h"

#include <algorithm>

namespace lodgix {
namespace {

constexpr unsigned kFirstTreatmentString = 2112;  // "Solo pernottamento" .. 2116 "Altro"

}  // namespace

QString TreatmentText(int index)
{
    return LoadResString(kFirstTreatmentString + static_cast<unsigned>(std::clamp(index, 0, kOtherTreatment)));
}

int TreatmentIndex(const QString& text)
{
    for (int index = 0; index < kOtherTreatment; ++index)
        if (text == TreatmentText(index))
            return index;
    return kOtherTreatment;
}

bool LoadRoomOptionalServices(CHotelDatabase& database, const RoomRecord& room, std::vector<ServiceRecord>& services)
{
    std::vector<ServiceRecord> all;
    services.clear();
    if (!database.LoadRoomServices(all))
        return false;
    std::copy_if(all.begin(), all.end(), std::back_inserter(services), [&](const ServiceRecord& service) {
        return std::find(room.services.begin(), room.services.end(), service.id) != room.services.end();
    });
    return !services.empty();
}

void SelectBookingServices(const BookingRecord& booking, std::vector<ServiceRecord>& services)
{
    const int count = std::clamp(booking.serviceCount, 0, BookingRecord::kMaxServices);
    for (ServiceRecord& service : services)
        if (std::find(booking.services.begin(), booking.services.begin() + count, service.id) !=
            booking.services.begin() + count)
            service.selected = true;
}

}  // namespace lodgix
