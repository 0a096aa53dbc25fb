// CLodgixView: the action list and its dispatch, the window slots' rules and the guest message commands.
#include "lodgixview.h"

#include "engineerrorcode.h"
#include "lodgixmessagebox.h"
#include "lodgixstate.h"
#include "messageeditdlg.h"
#include "messagelistdlg.h"
#include "stringtable.h"

#include <QListWidget>

using namespace lodgix;

namespace {

// An action of the list: its code (also its Ctrl letter's control code), text, picture and command.
struct Action {
    int code;
    unsigned text;
    int image;
    int command;
};
constexpr Action kActions[] = {
    {1, 6001, 1, 32771},  {2, 6002, 2, 32808},  {3, 6003, 3, 32798},  {4, 6004, 4, 32800},  {5, 6005, 1, 32779},
    {6, 6006, 1, 32780},  {7, 6007, 1, 32781},  {8, 6008, 2, 32782},  {9, 6009, 2, 32783},  {10, 6010, 2, 32784},
    {11, 6011, 5, 32785}, {12, 6012, 5, 32786}, {13, 6013, 5, 32787}, {14, 6014, 3, 32788}, {15, 6015, 3, 32789},
    {16, 6016, 6, 32790}, {17, 6017, 3, 32791}, {18, 6018, 6, 32792}, {19, 6019, 6, 32793}, {20, 6020, 4, 32794},
    {21, 6021, 7, 32803}, {22, 6022, 7, 32804}, {23, 6023, 8, 32807}, {24, 6024, 9, 32816},
};

const Action* FindAction(int code)
{
    for (const Action& action : kActions)
        if (action.code == code)
            return &action;
    return nullptr;
}

constexpr int kActionCodeRole = Qt::UserRole;

// Commands enabled only while none of the view's modeless windows is open.
constexpr int kNoWindowCommands[] = {32776, 32777, 32814, 32798, 32800, 32801, 32802, 32808, 32812};
// Commands for administrators only.
constexpr int kAdministratorCommands[] = {32771, 32773, 32778, 32796, 32815, 32809, 32813, 32817, 32818};
constexpr int kClientServicesCommand = 32792;
constexpr int kNewMessageCommand = 32803;
constexpr int kMessageListCommand = 32804;

constexpr unsigned kMessageSaveFailedString = 2230;  // "Errore nel salvataggio dei dati del messaggio"

}  // namespace

void CLodgixView::RegisterActionCommands()
{
    for (const int command : kNoWindowCommands)
        OnUpdateCommand(command, [this] { return OnUpdateNoWindowOpen(); });
    for (const int command : kAdministratorCommands)
        OnUpdateCommand(command, [this] { return OnUpdateAdministrator(); });
    OnUpdateCommand(kClientServicesCommand, [this] { return OnUpdateNoWindowOpen() && SelectedOccupied(); });
    OnUpdateCommand(kNewMessageCommand, [this] { return SelectedOccupied(); });
    OnUpdateCommand(kMessageListCommand, [this] {
        CheckInRecord stay;
        return SelectedOccupied(&stay) && CountRoomMessages(stay.checkInId) > 0;
    });
    OnCommand(kNewMessageCommand, [this] { OnNewMessage(); });
    OnCommand(kMessageListCommand, [this] { OnMessageList(); });
}

bool CLodgixView::SelectedOccupied(CheckInRecord* stay) const
{
    if (m_selectedRoom == 0)
        return false;
    const RoomDayStatus status = SelectedStatus();
    if (status.kind != kRoomOccupied)
        return false;
    if (stay)
        *stay = m_month.stays[static_cast<std::size_t>(status.stay)];
    return true;
}

void CLodgixView::FillActionList()
{
    m_actions->clear();
    std::vector<int> codes;
    const bool administrator = m_state.currentOperator.administrator;
    if (m_selectedRoom == 0) {
        if (administrator)
            codes = {1, 5};
        codes.insert(codes.end(), {2, 3, 4});
    } else if (const int index = RoomIndex(m_selectedRoom); index >= 0) {
        const RoomDayStatus status = SelectedStatus();
        const OleDate today = Today();
        const OleDate selected = SelectedDate();
        const bool todayOrYesterday = selected == today || selected == today.AddDays(-1);
        if (administrator && status.kind != kRoomOccupied)
            codes.insert(codes.end(), {5, 6, 7});
        if (m_state.extensions.RoomAt(index).valid && m_state.engine)
            codes.push_back(23);
        switch (status.kind) {
        case kRoomFree:
            if (!(today > selected)) {
                codes.push_back(8);
                if (administrator)
                    codes.push_back(11);
            }
            if (todayOrYesterday)
                codes.push_back(14);
            break;
        case kRoomBooked:
            if (!(m_month.bookings[static_cast<std::size_t>(status.booking)].endDate < today))
                codes.push_back(9);
            codes.push_back(10);
            if (todayOrYesterday)
                codes.push_back(14);
            break;
        case kRoomOccupied: {
            codes.insert(codes.end(), {15, 17, 18, 19, 16, 21});
            if (CountRoomMessages(m_month.stays[static_cast<std::size_t>(status.stay)].checkInId) > 0)
                codes.push_back(22);
            if (m_state.hotelSettings.KeyCardCheckInOn())
                codes.push_back(24);
            if (administrator)
                codes.push_back(6);
            break;
        }
        case kRoomCheckedOut:
            if (selected == today)
                codes.push_back(14);
            codes.push_back(20);
            break;
        case kRoomUnavailable:
            if (administrator) {
                if (!(today > m_month.unavailability[static_cast<std::size_t>(status.unavailability)].endDate))
                    codes.push_back(12);
                codes.push_back(13);
            }
            break;
        }
    }
    for (const int code : codes) {
        const Action* action = FindAction(code);
        auto item = new QListWidgetItem(LoadResString(action->text) + QStringLiteral(" (Ctrl+") +
                                            QChar(u'A' + code - 1) + u')',
                                        m_actions);
        item->setData(kActionCodeRole, code);
        item->setToolTip(item->text());
        if (static_cast<std::size_t>(action->image) < m_actionImages.size())
            item->setIcon(m_actionImages[static_cast<std::size_t>(action->image)]);
    }
}

void CLodgixView::RunAction(QListWidgetItem* item)
{
    if (const Action* action = FindAction(item->data(kActionCodeRole).toInt()))
        PostCommand(action->command);
}

void CLodgixView::OnActionKey(int code)
{
    for (int row = 0; row < m_actions->count(); ++row) {
        QListWidgetItem* item = m_actions->item(row);
        if (item->data(kActionCodeRole).toInt() == code) {
            m_actions->setCurrentItem(item);
            RunAction(item);
            return;
        }
    }
}

void CLodgixView::OnNewMessage()
{
    CheckInRecord stay;
    if (!SelectedOccupied(&stay) || !m_state.database)
        return;
    CMessageEditDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    MessageRecord message;
    message.checkInId = stay.checkInId;
    message.userId = m_state.currentOperator.id;
    message.from = dialog.From();
    message.text = dialog.Text();
    if (m_state.database->InsertMessage(m_state.hotelId, message) != kNoError) {
        LodgixMessageBox(this, kMessageSaveFailedString, QMessageBox::Critical);
        return;
    }
    RefreshPlanning();
}

void CLodgixView::OnMessageList()
{
    CheckInRecord stay;
    if (!SelectedOccupied(&stay) || !m_state.database)
        return;
    CMessageListDlg dialog(*m_state.database, m_state.hotelId, m_state.currentOperator.id, Rooms(), stay.checkInId,
                           m_selectedRoom, this);
    dialog.exec();
    RefreshPlanning();
}
