// CDeskCommands: the wake-up call of the selected room and the access cards of its stay.
#include "deskcommands.h"

#include "accesscard.h"
#include "accesscarddlg.h"
#include "engineerrorcode.h"
#include "extensionswitches.h"
#include "lodgixmessagebox.h"
#include "lodgixstate.h"
#include "wakeupdlg.h"

namespace lodgix {
namespace {

constexpr unsigned kNoCardSlotString = 1249;
constexpr unsigned kCardFailedString = 1251;
constexpr unsigned kWakeUpFailedString = 2243;

}  // namespace

bool CDeskCommands::CanWakeUp() const
{
    return m_host.SelectedRoom() != 0 && SwitchableRoom(m_state, m_host.SelectedRoom()) >= 0;
}

bool CDeskCommands::CanCreateCard() const
{
    return m_host.SelectedRoom() != 0 && Selected().kind == kRoomOccupied && m_state.hotelSettings.KeyCardCheckInOn();
}

void CDeskCommands::WakeUp()
{
    const int index = SwitchableRoom(m_state, m_host.SelectedRoom());
    if (index < 0)
        return;
    QByteArray wakeUp = m_state.extensions.RoomAt(index).state;
    CWakeUpDlg dialog(0, wakeUp, m_host.Window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The room's record changes only once the PBX took the call.
    if (SendWakeUp(*m_state.engine, *m_state.database, m_state.extensions, index, wakeUp) != kNoError) {
        Stop(kWakeUpFailedString);
        return;
    }
    m_host.RefreshPlanning();
}

void CDeskCommands::CreateCard()
{
    const DeskDay day = Selected();
    if (!CanCreateCard())
        return;
    CheckInRecord stay = day.stay;
    const quint16 index = FindRoomIndex(stay.roomId, m_state.rooms);
    if (FirstFreeCardSlot(stay) < 0 || index == kNoRoom) {
        Stop(kNoCardSlotString);
        return;
    }
    CAccessCardDlg dialog(stay, *m_state.database, m_host.Window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const HotelSettings& settings = m_state.hotelSettings;
    CItcRecordBuilder builder(settings.keyCardServer, settings.keyCardSystemId);
    if (!ComposeAccessCard(builder, m_state.rooms[index].label, dialog.GuestName(), dialog.ZoneCodes(), stay)) {
        Stop(kCardFailedString);
        return;
    }
    m_state.database->UpdateCheckInWithGroup(m_state.hotelId, stay.groupId, stay);
    m_host.RefreshPlanning();
}

}  // namespace lodgix
