#include "admincommands.h"

#include "adminstrings.h"
#include "configlistdlg.h"
#include "engineerrorcode.h"
#include "folders.h"
#include "hotelconfigdlg.h"
#include "hotelsettingsdlg.h"
#include "lodgixmessagebox.h"
#include "lodgixstate.h"
#include "logindlg.h"
#include "messagetarget.h"
#include "operatorlogin.h"
#include "settingsfile.h"
#include "stringtable.h"

#include <QProcess>

#include <algorithm>

namespace lodgix {

namespace {

constexpr unsigned kLoginFailedString = 2052;
const QString kAccessProgram = QStringLiteral("Varcosec/Varcosec");
// The token the access-control program expects on its command line.
const QString kAccessToken = QStringLiteral("TamborKelpVista");

}  // namespace

AdminCommands::AdminCommands(LodgixState& state, QWidget* parent, Hooks hooks)
    : m_state(state), m_parent(parent), m_hooks(std::move(hooks))
{
    if (!m_hooks.startDetached) {
        m_hooks.startDetached = [](const QString& program, const QStringList& arguments) {
            QProcess::startDetached(program, arguments);
        };
    }
}

bool AdminCommands::IsAdministrator() const
{
    return m_state.currentOperator.administrator;
}

bool AdminCommands::CanAddRoom() const
{
    return IsAdministrator() && m_state.roomCount < m_state.extensions.RoomLimit();
}

bool AdminCommands::CanChangeRoom() const
{
    return IsAdministrator() && SelectedRoomIndex() >= 0;
}

int AdminCommands::SelectedRoomIndex() const
{
    const int id = m_hooks.selectedRoomId ? m_hooks.selectedRoomId() : 0;
    if (id == 0)
        return -1;
    const auto found = std::find_if(m_state.rooms.begin(), m_state.rooms.end(),
                                    [id](const RoomRecord& room) { return room.id == id; });
    return found == m_state.rooms.end() ? -1 : static_cast<int>(found - m_state.rooms.begin());
}

bool AdminCommands::RunWizard(int roomCount, int page)
{
    CHotelConfigDlg wizard(*m_state.database, m_parent);
    wizard.SetHotelId(m_state.hotelId);
    wizard.SetRoomCount(roomCount);
    wizard.SetHotel(m_state.hotel);
    wizard.SetRooms(m_state.rooms);
    wizard.SetPage(page);
    if (wizard.exec() != QDialog::Accepted)
        return false;
    m_state.hotel = wizard.Hotel();
    m_state.roomCount = wizard.RoomCount();
    m_state.rooms = wizard.Rooms();
    return true;
}

void AdminCommands::ReloadRooms()
{
    std::vector<RoomRecord> rooms;
    if (m_state.database->LoadRooms(m_state.hotelId, rooms) == kNoError) {
        m_state.rooms = std::move(rooms);
        m_state.roomCount = static_cast<int>(m_state.rooms.size());
    }
    m_state.extensions.LoadExtensionStates(*m_state.database, m_state.rooms, m_state.roomCount);
    if (m_state.reminder)
        m_state.reminder->SetRooms(m_state.rooms);
    if (m_hooks.refreshPlanning)
        m_hooks.refreshPlanning();
}

void AdminCommands::EditHotel()
{
    if (RunWizard(m_state.roomCount, 0) && m_hooks.refreshSummary)
        m_hooks.refreshSummary();
}

void AdminCommands::NewRoom()
{
    if (!CanAddRoom())
        return;
    if (RunWizard(m_state.roomCount + 1, m_state.roomCount + 1))
        ReloadRooms();
}

void AdminCommands::EditRoom()
{
    const int index = SelectedRoomIndex();
    if (index < 0)
        return;
    if (RunWizard(m_state.roomCount, index + 1))
        ReloadRooms();
}

void AdminCommands::DeleteRoom()
{
    const int index = SelectedRoomIndex();
    if (index < 0)
        return;
    const RoomRecord room = m_state.rooms[static_cast<std::size_t>(index)];
    std::vector<CheckInRecord> stays;
    m_state.database->LoadCheckIns(m_state.hotelId, room.id, stays);
    if (std::any_of(stays.begin(), stays.end(), [&](const CheckInRecord& stay) { return stay.roomId == room.id; })) {
        LodgixMessageBox(m_parent, kOpenStayString, QMessageBox::Critical);
        return;
    }
    const QString question = LoadResString(kDeleteRoomQuestionString) + QStringLiteral(" '") + room.label +
                             QStringLiteral("' ?");
    if (LodgixMessageBox(m_parent, question, QMessageBox::Information, QMessageBox::Yes | QMessageBox::No) !=
        QMessageBox::Yes)
        return;
    if (m_state.database->DeleteRoom(m_state.hotelId, room) == kNoError)
        ReloadRooms();
}

void AdminCommands::ShowList(short mode)
{
    CConfigListDlg dialog(mode, *m_state.database, m_parent);
    dialog.exec();
}

void AdminCommands::OperatorList()
{
    ShowList(static_cast<short>(m_state.currentOperator.id));
}

void AdminCommands::RoomFeatureList() { ShowList(CConfigListDlg::kFeatures); }
void AdminCommands::ClientServiceList() { ShowList(CConfigListDlg::kClientServices); }
void AdminCommands::OptionalServiceList() { ShowList(CConfigListDlg::kOptionalServices); }
void AdminCommands::CommonAreaList() { ShowList(CConfigListDlg::kCommonAreas); }

void AdminCommands::ChangeOperator()
{
    for (;;) {
        CLoginDlg login(HotelLoginTexts(), m_parent);
        if (login.exec() != QDialog::Accepted) {
            // The login's exit button ends the program: nobody is at the desk.
            if (MessageTarget* frame = m_hooks.mainWindow ? m_hooks.mainWindow() : nullptr)
                frame->Post(WM_COMMAND, kExitCommand, 0);
            return;
        }
        bool administrator = false;
        int id = 0;
        if (m_state.database->CheckOperatorLogin(login.UserName(), login.Password(), administrator, id)) {
            m_state.currentOperator = {login.UserName(), administrator, id};
            if (m_hooks.operatorChanged)
                m_hooks.operatorChanged();
            return;
        }
        LodgixMessageBox(m_parent, kLoginFailedString, QMessageBox::Critical);
    }
}

void AdminCommands::ChangePassword()
{
    ChangeOperatorPassword(*m_state.database, m_state.currentOperator, m_parent);
}

void AdminCommands::HotelSettings()
{
    CHotelSettingsDlg dialog(m_state.hotelSettings, m_state.seasons, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Both stores or neither: the periods go first (the database can take them back), then the file.
    const SeasonTable oldSeasons = m_state.seasons;
    bool saved = m_state.database->SaveHotelPeriods(m_state.hotelId, dialog.Seasons()) == kNoError;
    if (saved && !SaveSettings(m_state.settingsFile, m_state.printSettings, dialog.Settings())) {
        m_state.database->SaveHotelPeriods(m_state.hotelId, oldSeasons);
        saved = false;
    }
    if (!saved) {
        LodgixMessageBox(m_parent, kSaveFailedString, QMessageBox::Critical);
        return;
    }
    m_state.hotelSettings = dialog.Settings();
    m_state.seasons = dialog.Seasons();
    if (m_state.reminder)
        m_state.reminder->SetDayChangeHour(m_state.hotelSettings.latestCheckOutHour);
    if (m_hooks.refreshPlanning)
        m_hooks.refreshPlanning();
}

void AdminCommands::AccessManager()
{
    // Whether it started is not looked at: the program has its own windows to tell.
    m_hooks.startDetached(GetSuiteFolder() + kAccessProgram, {kAccessToken});
}

}  // namespace lodgix
