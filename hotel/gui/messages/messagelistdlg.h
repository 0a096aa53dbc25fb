#pragma once

#include "lodgixdialog.h"
#include "messagerecord.h"
#include "roomrecord.h"

#include <vector>

class CSortListCtrl;
class QPushButton;

namespace lodgix {
class CHotelDatabase;
}

// Dialog 147: the unread messages of one stay, newest writes as stored. "Apri" shows one message to change
// it (or, on Cancel, to take it off the list); "Elimina" takes the selected ones off. Messages are hidden,
// never deleted. It works on the database directly and gives nothing back.
class CMessageListDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kList = 1264;
    static constexpr int kOpen = 1265;
    static constexpr int kDelete = 1266;

    CMessageListDlg(lodgix::CHotelDatabase& database, int hotelId, int operatorId,
                    const std::vector<lodgix::RoomRecord>& rooms, int checkInId, int roomId, QWidget* parent = nullptr);

    CSortListCtrl* List() const { return m_list; }
    // The list again from the database; both buttons off.
    void Refresh();

private:
    void OnSelectionChanged();
    void OnOpen();
    void OnDelete();
    const lodgix::MessageRecord* FindMessage(int messageId) const;

    lodgix::CHotelDatabase& m_database;
    int m_hotelId;
    int m_operatorId;
    int m_checkInId;
    std::vector<lodgix::MessageRecord> m_messages;
    CSortListCtrl* m_list;
    QPushButton* m_open;
    QPushButton* m_delete;
};
