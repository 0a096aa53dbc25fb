// CDeskCommands: check-in of a room, singly or by group, its change and its deletion.
#include "deskcommands.h"

#include "checkindlg.h"
#include "engineerrorcode.h"
#include "extensionswitches.h"
#include "groupconfirmdlg.h"
#include "itcrecordbuilder.h"
#include "lodgixmessagebox.h"
#include "lodgixstate.h"
#include "roomserviceoptions.h"
#include "stringtable.h"

namespace lodgix {
namespace {

constexpr unsigned kCheckInTakenString = 2192;
constexpr unsigned kSaveFailedString = 2146;
constexpr unsigned kConfirmDeleteString = 2119;
constexpr unsigned kBookingOfGroupString = 2283;   // "La prenotazione appartiene al gruppo"
constexpr unsigned kGroupCheckInString = 2285;     // "Effettuare il check in di gruppo"
constexpr unsigned kDeleteCardsString = 1253;
constexpr unsigned kCardCheckOutFailedString = 1254;
constexpr unsigned kDisableCallsString = 2244;

QString Quoted(const QString& text) { return QStringLiteral(" '") + text + QStringLiteral("'"); }

}  // namespace

bool CDeskCommands::CanCheckInNew() const
{
    if (m_host.SelectedRoom() == 0)
        return false;
    const int kind = Selected().kind;
    const OleDate day = m_host.SelectedDate();
    return (kind == kRoomFree || kind == kRoomBooked || kind == kRoomCheckedOut) &&
           (day == Today() || day == Today().AddDays(-1));
}

bool CDeskCommands::CanEditCheckIn() const { return m_host.SelectedRoom() != 0 && Selected().kind == kRoomOccupied; }

int SwitchableRoom(const LodgixState& state, int roomId)
{
    const quint16 index = FindRoomIndex(roomId, state.rooms);
    if (index == kNoRoom || !state.engine || !state.extensions.RoomAt(index).valid)
        return -1;
    return index;
}

void StopRoomExtension(LodgixState& state, int roomId, const std::function<bool()>& outsideCallsOff)
{
    const int index = SwitchableRoom(state, roomId);
    if (index < 0)
        return;
    if (outsideCallsOff())
        SwitchOutsideCalls(*state.engine, *state.database, state.extensions, index, false);
    QByteArray wakeUp = state.extensions.RoomAt(index).state;
    if (wakeUp.size() > kWakeUpModeByte) {
        wakeUp[kWakeUpModeByte] = 0;
        SendWakeUp(*state.engine, *state.database, state.extensions, index, wakeUp);
    }
}

bool CDeskCommands::SaveCheckIn(CheckInRecord& stay, const OleDate& from, bool enableCalls)
{
    // The stay's own booking counts as free: it is hidden when the stay is stored, in the same
    // transaction, so that a refused check-in leaves it as it was.
    const auto except = stay.bookingId != 0 ? DeskCommandHost::Except::kBooking : DeskCommandHost::Except::kNone;
    if (ClearBookings(stay.roomId, from, stay.endDate, except, stay.bookingId, true).kind != kRoomFree) {
        Stop(kCheckInTakenString);
        return false;
    }
    const int result = m_state.database->InsertCheckInChecked(
        m_state.hotelId, stay, from, PeriodFree(stay.roomId, from, stay.endDate, except, stay.bookingId, true));
    if (result != kNoError) {
        Stop(result == CHotelDatabase::kDayTaken ? kCheckInTakenString : kSaveFailedString);
        return false;
    }
    if (enableCalls) {
        if (const int index = SwitchableRoom(m_state, stay.roomId); index >= 0)
            SwitchOutsideCalls(*m_state.engine, *m_state.database, m_state.extensions, index, true);
    }
    return true;
}

void CDeskCommands::CheckInNew()
{
    if (!CanCheckInNew())
        return;
    const int roomId = m_host.SelectedRoom();
    const OleDate day = m_host.SelectedDate();
    const DeskDay status = Selected();
    CheckInRecord stay;
    stay.roomId = roomId;
    stay.startDate = day;
    stay.endDate = day;
    if (status.kind == kRoomBooked) {
        stay.bookingId = status.booking.bookingId;
        stay.endDate = status.booking.endDate;
    }

    CHotelDatabase& database = *m_state.database;
    GroupRecord group;
    bool groupCheckIn = false;
    const int bookingGroup = status.kind == kRoomBooked ? status.booking.groupId : 0;
    if (bookingGroup != 0 && database.LoadGroup(bookingGroup, group) == kNoError) {
        const QString question = LoadResString(kBookingOfGroupString) + Quoted(group.name) + u'\n' +
                                 LoadResString(kGroupCheckInString) + u'?';
        if (Ask(question, QMessageBox::Question)) {
            const auto roomDay = [this, day](int id, int& openStayGroup) {
                const DeskDay other = m_host.RoomDay(id, day, nullptr);
                openStayGroup = other.kind == kRoomOccupied ? other.stay.groupId : 0;
                return other.kind;
            };
            CGroupConfirmDlg confirm(CGroupConfirmDlg::kCheckIn, roomId, day, group, m_state.rooms, roomDay, m_host.Window());
            if (confirm.exec() != QDialog::Accepted)
                return;
            groupCheckIn = true;
            stay.groupId = bookingGroup;
        }
    }

    stay.checkInDate = m_desk.now ? m_desk.now() : OleDate::Now();
    CCheckInDlg dialog(&stay, m_desk, m_host.Window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    stay.userId = m_state.currentOperator.id;

    if (!groupCheckIn) {
        stay.groupId = dialog.GroupId();
        SaveCheckIn(stay, stay.startDate, dialog.CityCalls());
        m_host.RefreshPlanning();
        return;
    }

    // A group check-in makes a check-in group of its own from the booking group's rooms.
    GroupRecord checkInGroup = group;
    checkInGroup.creationDate = stay.checkInDate;
    checkInGroup.id = 0;
    if (database.InsertGroup(0, checkInGroup) != kNoError || checkInGroup.id == 0)
        return;
    stay.groupId = checkInGroup.id;
    const int treatment = TreatmentIndex(stay.treatment);
    const OleDate from = stay.startDate;
    SaveCheckIn(stay, from, dialog.CityCalls());
    for (int n = 0; n < checkInGroup.roomCount; ++n) {
        const int other = checkInGroup.rooms[static_cast<std::size_t>(n)];
        if (other == roomId)
            continue;
        CheckInRecord next = stay;
        next.roomId = other;
        next.checkInId = 0;
        const DeskDay otherDay = m_host.RoomDay(other, day, nullptr);
        const bool booked = otherDay.kind == kRoomBooked && otherDay.booking.groupId == bookingGroup;
        next.bookingId = booked ? otherDay.booking.bookingId : 0;
        if (!dialog.PriceDiffers() && treatment != kOtherTreatment) {
            std::vector<ServiceRecord> services;
            const quint16 index = FindRoomIndex(other, m_state.rooms);
            if (booked && index != kNoRoom && LoadRoomOptionalServices(database, m_state.rooms[index], services))
                SelectBookingServices(otherDay.booking, services);
            if (!booked)
                services.clear();
            if (!m_desk.billing.CalcDailyPrice(other, treatment, services, nullptr, next.dailyPrice, next.vat)) {
                next.dailyPrice = Money();
                next.vat = VatRate();
            }
        }
        SaveCheckIn(next, from, dialog.CityCalls());
    }
    m_host.RefreshPlanning();
}

void CDeskCommands::CheckInEdit()
{
    const DeskDay day = Selected();
    if (m_host.SelectedRoom() == 0 || day.kind != kRoomOccupied)
        return;
    CheckInRecord stay = day.stay;
    CCheckInDlg dialog(&stay, m_desk, m_host.Window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const auto except = DeskCommandHost::Except::kStay;
    if (ClearBookings(stay.roomId, stay.startDate, stay.endDate, except, stay.checkInId, false).kind != kRoomFree) {
        Stop(kCheckInTakenString);
        return;
    }
    stay.userId = m_state.currentOperator.id;
    const int result = m_state.database->UpdateCheckInChecked(
        m_state.hotelId, day.stay.groupId, stay, stay.startDate,
        PeriodFree(stay.roomId, stay.startDate, stay.endDate, except, stay.checkInId, false));
    if (result == CHotelDatabase::kDayTaken)
        Stop(kCheckInTakenString);
    else if (result != kNoError)
        Stop(kSaveFailedString);  // e.g. checked out on another workstation meanwhile
    m_host.RefreshPlanning();
}

void CDeskCommands::CheckInDelete()
{
    const DeskDay day = Selected();
    if (m_host.SelectedRoom() == 0 || day.kind != kRoomOccupied)
        return;
    if (!Ask(LoadResString(kConfirmDeleteString) + u'?', QMessageBox::Question))
        return;
    const HotelSettings& settings = m_state.hotelSettings;
    if (settings.KeyCardCheckInOn() && Ask(LoadResString(kDeleteCardsString) + u'?', QMessageBox::Question)) {
        const bool hasCard = std::any_of(day.stay.cards.begin(), day.stay.cards.end(), [](const QString& card) { return !card.isEmpty(); });
        const quint16 index = FindRoomIndex(day.stay.roomId, m_state.rooms);
        if (hasCard && index != kNoRoom) {
            CItcRecordBuilder builder(settings.keyCardServer, settings.keyCardSystemId);
            if (!builder.BuildCheckOut(m_state.rooms[index].label) &&
                LodgixMessageBox(m_host.Window(), LoadResString(kCardCheckOutFailedString) + u'?', QMessageBox::Critical,
                                 QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
                return;
        }
    }
    m_state.database->DeleteCheckInWithGroup(m_state.hotelId, day.stay);
    StopRoomExtension(m_state, day.stay.roomId,
                      [this] { return Ask(LoadResString(kDisableCallsString), QMessageBox::Question); });
    m_host.RefreshPlanning();
}

}  // namespace lodgix
