#include "checkoutcommand.h"

#include "checkoutdocument.h"
#include "documentchoicedlg.h"
#include "engineerrorcode.h"
#include "groupconfirmdlg.h"
#include "itcrecordbuilder.h"
#include "lodgixmessagebox.h"
#include "lodgixstate.h"
#include "staybilling.h"
#include "stringtable.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cmath>

namespace lodgix {
namespace {

constexpr unsigned kSaveFailedString = 2146;
constexpr unsigned kConfirmCheckOutString = 2139;
constexpr unsigned kStayOfGroupString = 2299;     // "Il check in appartiene al gruppo"
constexpr unsigned kGroupCheckOutString = 2300;   // "Effettuare il check out di gruppo"
constexpr unsigned kSingleAccountString = 2313;   // "Rendicontazione unica"
constexpr unsigned kSeparateAccountsString = 2314;

}  // namespace

CCheckOutCommand::CCheckOutCommand(LodgixState& state, DeskServices& desk, StayBilling& billing, DeskCommandHost& host,
                                   CheckOutHooks hooks)
    : m_state(state), m_desk(desk), m_billing(billing), m_host(host), m_hooks(std::move(hooks))
{
}

bool CCheckOutCommand::CanRun() const
{
    const int roomId = m_host.SelectedRoom();
    return roomId != 0 && m_host.RoomDay(roomId, m_host.SelectedDate(), nullptr).kind == kRoomOccupied;
}

void CCheckOutCommand::Run()
{
    const int roomId = m_host.SelectedRoom();
    const OleDate day = m_host.SelectedDate();
    const DeskDay selected = m_host.RoomDay(roomId, day, nullptr);
    if (roomId == 0 || selected.kind != kRoomOccupied || !m_hooks.documentData || !m_hooks.roomBill)
        return;
    const OleDate now = m_desk.now ? m_desk.now() : OleDate::Now();
    const OleDate today = m_desk.Today();
    CheckInRecord stay = selected.stay;

    GroupRecord group;
    const GroupAnswer answer = ConfirmGroup(stay, group);
    if (answer == GroupAnswer::kCancelled)
        return;
    const bool groupCheckOut = answer == GroupAnswer::kGroup;
    const int documents = ChooseAccounts();

    CheckOutDocumentData data;
    data.documents = documents;
    data.guestIds = stay.guestIds;
    data.stayStart = stay.startDate;
    data.lastNight = stay.startDate < today ? today.AddDays(-1) : today;
    data.nextReceipt = NextReceiptNumber(m_state.dataFolder, today.Year());
    data.nextInvoice = NextInvoiceNumber(m_state.dataFolder, today.Year());
    std::vector<CheckOutDocumentData> chosen;
    for (int k = 1; k <= documents; ++k) {
        data.document = k;
        if (!m_hooks.documentData(data, m_host.Window()))
            return;
        chosen.push_back(data);
    }

    const OleDate lastNight(chosen.front().lastNight.Year(), chosen.front().lastNight.Month(),
                            chosen.front().lastNight.Day());
    std::vector<CheckInRecord> stays = groupCheckOut ? GroupStays(group, day) : std::vector<CheckInRecord>{stay};
    for (CheckInRecord& closing : stays) {
        closing.endDate = lastNight;
        closing.checkOutUserId = m_state.currentOperator.id;
        closing.companyId = 0;
        for (std::size_t k = 0; k < chosen.size(); ++k)
            closing.documents[k] = StayDocument{chosen[k].payerId, chosen[k].file, chosen[k].paymentType, Money()};
    }
    const auto own =
        std::find_if(stays.begin(), stays.end(), [&](const CheckInRecord& other) { return other.roomId == roomId; });
    if (own == stays.end())
        return;  // the selected room's stay left the group meanwhile

    std::vector<BillLine> lines;
    if (!BuildBill(stays, groupCheckOut ? &group : nullptr, lines))
        return;
    DocumentLineCounts counts;
    counts.lines[0] = static_cast<quint16>(std::min<std::size_t>(lines.size(), 0xFFFF));
    if (!m_hooks.roomBill(lines, counts, *own, m_host.Window()))
        return;
    if (!Ask(LoadResString(kConfirmCheckOutString), QMessageBox::Information))
        return;

    for (CheckInRecord& closing : stays)
        closing.checkOutDate = now;
    QStringList issued;
    if (!IssueDocuments(*own, chosen, lines, counts, issued)) {
        Stop(kSaveFailedString);
        return;
    }
    // The group's other stays name the same documents (the payer reset, the number claimed) without amounts.
    for (CheckInRecord& closing : stays) {
        for (std::size_t k = 0; k < chosen.size(); ++k) {
            closing.documents[k].billId = own->documents[k].billId;
            closing.documents[k].file = own->documents[k].file;
        }
    }

    if (m_state.database->CheckOutStays(m_state.hotelId, stays) != kNoError) {
        RemoveIssued(issued);
        Stop(kSaveFailedString);
        m_host.RefreshPlanning();
        return;
    }

    std::vector<int> rooms{roomId};
    if (groupCheckOut)
        rooms.assign(group.rooms.begin(), group.rooms.begin() + std::clamp(group.roomCount, 0, GroupRecord::kMaxRooms));
    LeaveRooms(rooms, chosen.back().disableCalls);

    if (groupCheckOut) {
        if (m_hooks.printDocument)
            m_hooks.printDocument(issued.constFirst());
    } else if (m_hooks.printDocuments) {
        m_hooks.printDocuments(issued);
    }
    m_host.RefreshPlanning();
}

CCheckOutCommand::GroupAnswer CCheckOutCommand::ConfirmGroup(const CheckInRecord& stay, GroupRecord& group)
{
    if (stay.groupId == 0 || m_state.database->LoadGroup(stay.groupId, group) != kNoError)
        return GroupAnswer::kSingle;
    const QString question = LoadResString(kStayOfGroupString) + QStringLiteral(" '") + group.name +
                             QStringLiteral("'\n") + LoadResString(kGroupCheckOutString) + u'?';
    if (!Ask(question, QMessageBox::Question))
        return GroupAnswer::kSingle;
    const OleDate day = m_host.SelectedDate();
    const auto roomDay = [this, day](int id, int& openStayGroup) {
        const DeskDay other = m_host.RoomDay(id, day, nullptr);
        openStayGroup = other.kind == kRoomOccupied ? other.stay.groupId : 0;
        return other.kind;
    };
    CGroupConfirmDlg confirm(CGroupConfirmDlg::kCheckOut, stay.roomId, day, group, m_state.rooms, roomDay,
                             m_host.Window());
    return confirm.exec() == QDialog::Accepted ? GroupAnswer::kGroup : GroupAnswer::kCancelled;
}

int CCheckOutCommand::ChooseAccounts()
{
    QStringList entries{LoadResString(kSingleAccountString)};
    for (int n = 2; n <= CheckInRecord::kDocuments; ++n)
        entries << QStringLiteral("%1 %2").arg(n).arg(LoadResString(kSeparateAccountsString));
    CDocumentChoiceDlg dialog(entries, m_host.Window());
    dialog.exec();
    return std::clamp(dialog.Selected() + 1, 1, CheckInRecord::kDocuments);
}

std::vector<CheckInRecord> CCheckOutCommand::GroupStays(const GroupRecord& group, const OleDate& day) const
{
    std::vector<CheckInRecord> stays;
    const int rooms = std::clamp(group.roomCount, 0, GroupRecord::kMaxRooms);
    for (int i = 0; i < rooms; ++i) {
        const DeskDay other = m_host.RoomDay(group.rooms[static_cast<std::size_t>(i)], day, nullptr);
        if (other.kind == kRoomOccupied && other.stay.groupId == group.id)
            stays.push_back(other.stay);
    }
    return stays;
}

bool CCheckOutCommand::BuildBill(std::vector<CheckInRecord>& stays, const GroupRecord* group,
                                 std::vector<BillLine>& lines)
{
    const auto ask = [this](unsigned stringId) { return Ask(LoadResString(stringId), QMessageBox::Question); };
    if (group)
        return m_billing.BuildGroupBill(stays, lines, *group, ask);
    return m_billing.BuildStayBill(stays.front(), lines, true, true, ask);
}

bool CCheckOutCommand::IssueDocuments(CheckInRecord& stay, const std::vector<CheckOutDocumentData>& data,
                                      const std::vector<BillLine>& lines, const DocumentLineCounts& counts,
                                      QStringList& issued)
{
    // The dialog gives the lines back in document order; counts that do not add up issue nothing.
    if (counts.Total() != static_cast<int>(lines.size()))
        return false;
    for (std::size_t k = 0; k < data.size(); ++k) {
        const auto first = lines.begin() + counts.First(static_cast<int>(k));
        const std::vector<BillLine> run(first, first + counts.lines[k]);
        const std::optional<DocumentFileNumber> number = ParseDocumentFileName(data[k].file);
        if (!number || run.size() > std::size_t(DocumentRecord::kMaxLines)) {
            RemoveIssued(issued);
            return false;
        }
        StayDocument& slot = stay.documents[k];
        DocumentRecord record =
            CheckOutDocument(*m_state.database, number->kind, slot.billId, stay, run, slot.paymentType);
        const QString name = IssueDocumentFile(m_state.dataFolder, number->kind, number->year, number->number, record);
        if (name.isEmpty()) {
            RemoveIssued(issued);
            return false;
        }
        issued << name;
        slot.file = name;
        slot.total = DocumentTotal(run);
    }
    return true;
}

void CCheckOutCommand::RemoveIssued(const QStringList& issued) const
{
    for (const QString& name : issued)
        QFile::remove(QDir(m_state.dataFolder).filePath(name));
}

void CCheckOutCommand::LeaveRooms(const std::vector<int>& rooms, bool disableCalls)
{
    if (disableCalls) {
        for (const int room : rooms)
            StopRoomExtension(m_state, room, [] { return true; });
    }
    const HotelSettings& settings = m_state.hotelSettings;
    if (!settings.KeyCardCheckInOn())
        return;
    for (const int room : rooms) {
        const quint16 index = FindRoomIndex(room, m_state.rooms);
        if (index == kNoRoom)
            continue;
        CItcRecordBuilder builder(settings.keyCardServer, settings.keyCardSystemId);
        builder.BuildCheckOut(m_state.rooms[index].label);
    }
}

void CCheckOutCommand::Stop(unsigned stringId)
{
    LodgixMessageBox(m_host.Window(), stringId, QMessageBox::Critical);
}

bool CCheckOutCommand::Ask(const QString& text, int icon)
{
    return LodgixMessageBox(m_host.Window(), text, static_cast<QMessageBox::Icon>(icon),
                            QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace lodgix
