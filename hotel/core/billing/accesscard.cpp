#include "accesscard.h"

namespace lodgix {
namespace {

constexpr int kCardCodeLimit = 15;  // a slot holds 16 characters with the terminator
constexpr int kDepartureHour = 12;

}  // namespace

int FirstFreeCardSlot(const CheckInRecord& stay)
{
    for (int slot = 0; slot < CheckInRecord::kCards; ++slot)
        if (stay.cards[static_cast<std::size_t>(slot)].isEmpty())
            return slot;
    return -1;
}

OleDate CardDeparture(const CheckInRecord& stay)
{
    const OleDate next = stay.endDate.AddDays(1);
    return OleDate(next.Year(), next.Month(), next.Day(), kDepartureHour);
}

bool ComposeAccessCard(CItcRecordBuilder& builder, const QString& roomLabel, const QString& guest,
                       const QString& zoneCodes, CheckInRecord& stay)
{
    const int slot = FirstFreeCardSlot(stay);
    if (slot < 0)
        return false;
    QString code;
    if (!builder.BuildCheckIn(roomLabel, guest, stay.checkInDate, CardDeparture(stay), zoneCodes, code) ||
        code.size() >= kCardCodeLimit)
        return false;
    stay.cards[static_cast<std::size_t>(slot)] = code;
    return true;
}

}  // namespace lodgix
