#pragma once

#include "oledate.h"

#include <QString>

namespace lodgix {

// A message left at the front desk for the guests of a stay (RoomMessages_<hotel>).
struct MessageRecord {
    int messageId = 0;
    int checkInId = 0;  // the stay it is for
    int userId = 0;     // the operator who wrote or last changed it
    QString from;       // MessageFrom
    QString text;       // MessageText
    OleDate date = OleDate::Invalid();  // the moment of the last write

    friend bool operator==(const MessageRecord&, const MessageRecord&) = default;
};

}  // namespace lodgix
