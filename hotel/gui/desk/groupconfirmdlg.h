#pragma once

#include "grouprecord.h"
#include "lodgixdialog.h"
#include "roomrecord.h"

#include <functional>
#include <vector>

class QTreeWidget;

namespace lodgix {

// Before a group check-in or check-out: the rules of the operation and the other rooms it covers. On OK
// the group's room list becomes the initiating room first, then the ticked rooms in list order.
class CGroupConfirmDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kRooms = 1365;
    static constexpr int kFirstRule = 1366;  // 1366 .. 1370
    static constexpr int kSummary = 1371;
    static constexpr int kOk = 1372;
    static constexpr int kCancel = 1373;
    static constexpr quint8 kCheckIn = 0;
    static constexpr quint8 kCheckOut = 1;

    // What occupies a room on the operation's day: the day-status kind (0 free, 1 booked, 2 occupied,
    // 3 checked out, 4 unavailable) and, for an occupied room, the group of its open stay.
    using RoomDayQuery = std::function<int(int roomId, int& openStayGroup)>;

    CGroupConfirmDlg(quint8 mode, int roomId, const OleDate& date, GroupRecord& group,
                     const std::vector<RoomRecord>& rooms, RoomDayQuery query, QWidget* parent = nullptr);

    // Ends at once with the cancel result when the initiating room is not in the room table.
    int exec() override;

private:
    void OnOk();

    int m_roomId;
    GroupRecord& m_group;
    bool m_roomFound = false;
    QTreeWidget* m_list;
};

}  // namespace lodgix
