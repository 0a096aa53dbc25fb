#include "groupconfirmdlg.h"

#include "deskform.h"
#include "groupmembers.h"
#include "staybilling.h"
#include "stringtable.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace lodgix {
namespace {

constexpr unsigned kRoomString = 2033;              // "Camera"
constexpr unsigned kCancelString = 2047;
constexpr unsigned kCheckOutCaptionString = 2286;   // "Check out di gruppo"
constexpr unsigned kCheckInCaptionString = 2287;    // "Check in di gruppo"
constexpr unsigned kCheckInRulesString = 2288;
constexpr unsigned kCheckOutRulesString = 2289;
constexpr unsigned kCheckInSummaryString = 2296;
constexpr unsigned kCheckOutSummaryString = 2297;
constexpr unsigned kFollowingRoomsString = 2298;    // "e alle seguenti camere"
constexpr unsigned kCheckInRuleStrings[] = {2290, 2292, 2294, 2295};
constexpr unsigned kCheckOutRuleStrings[] = {2291, 2293};
constexpr int kRuleLabels = 4;
constexpr int kFree = 0;
constexpr int kBooked = 1;
constexpr int kOccupied = 2;

}  // namespace

CGroupConfirmDlg::CGroupConfirmDlg(quint8 mode, int roomId, const OleDate& /*date*/, GroupRecord& group,
                                   const std::vector<RoomRecord>& rooms, RoomDayQuery query, QWidget* parent)
    : CLodgixDialog(parent), m_roomId(roomId), m_group(group), m_list(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("CGroupConfirmDlg"));
    const quint16 index = FindRoomIndex(roomId, rooms);
    m_roomFound = index != kNoRoom;
    const bool checkIn = mode == kCheckIn;
    setWindowTitle(LoadResString(checkIn ? kCheckInCaptionString : kCheckOutCaptionString));

    auto layout = new QVBoxLayout(this);
    layout->addWidget(DeskLabel(this, kFirstRule, LoadResString(checkIn ? kCheckInRulesString : kCheckOutRulesString)));
    for (int rule = 0; rule < kRuleLabels; ++rule) {
        QString text;
        if (checkIn)
            text = QStringLiteral("- ") + LoadResString(kCheckInRuleStrings[rule]);
        else if (rule < static_cast<int>(std::size(kCheckOutRuleStrings)))
            text = QStringLiteral("- ") + LoadResString(kCheckOutRuleStrings[rule]);
        QLabel* label = DeskLabel(this, kFirstRule + 1 + rule, text);
        label->setWordWrap(true);
        label->setVisible(!text.isEmpty());
        layout->addWidget(label);
    }
    const QString label = m_roomFound ? rooms[index].label : QString();
    QLabel* summary = DeskLabel(this, kSummary,
                                LoadResString(checkIn ? kCheckInSummaryString : kCheckOutSummaryString) +
                                    QStringLiteral(" '") + label + QStringLiteral("' ") + LoadResString(kFollowingRoomsString));
    summary->setWordWrap(true);
    layout->addWidget(summary);

    m_list->setObjectName(Id(kRooms));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({LoadResString(kRoomString)});
    m_list->header()->setStretchLastSection(true);
    const auto addRoom = [&](const RoomRecord& room, bool ticked) {
        auto item = new QTreeWidgetItem(m_list, {room.label});
        item->setData(0, Qt::UserRole, room.id);
        item->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
    };
    if (m_roomFound) {
        if (checkIn) {
            // Every other room free or only booked on the day; the group's rooms ticked.
            for (const RoomRecord& room : rooms) {
                int stayGroup = 0;
                const int kind = room.id == roomId ? -1 : query(room.id, stayGroup);
                if (kind == kFree || kind == kBooked)
                    addRoom(room, FindRoomInGroup(room.id, group) >= 0);
            }
        } else {
            // The group's other rooms occupied on the day by a stay of this group, ticked.
            for (int n = 0; n < group.roomCount; ++n) {
                const int id = group.rooms[static_cast<std::size_t>(n)];
                const quint16 at = FindRoomIndex(id, rooms);
                int stayGroup = 0;
                if (id != roomId && at != kNoRoom && query(id, stayGroup) == kOccupied && stayGroup == group.id)
                    addRoom(rooms[at], true);
            }
        }
    }
    layout->addWidget(m_list);

    auto ok = DeskButton(this, kOk, LoadResString(kOkButtonString));
    auto cancel = DeskButton(this, kCancel, LoadResString(kCancelString));
    connect(ok, &QPushButton::clicked, this, &CGroupConfirmDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    setMinimumSize(460, 420);
}

int CGroupConfirmDlg::exec()
{
    if (!m_roomFound) {
        setResult(Rejected);
        return Rejected;
    }
    return CLodgixDialog::exec();
}

void CGroupConfirmDlg::OnOk()
{
    m_group.roomCount = 0;
    AddRoomToGroup(m_roomId, m_group);
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = m_list->topLevelItem(row);
        if (item->checkState(0) == Qt::Checked)
            AddRoomToGroup(item->data(0, Qt::UserRole).toInt(), m_group);
    }
    accept();
}

}  // namespace lodgix
