// CHotelDatabase: messages left for the guests of a stay.
#include "hoteldatabase.h"

#include "engineerrorcode.h"
#include "fieldreader.h"
#include "sqldate.h"
#include "statementtext.h"

namespace lodgix {

namespace {

QString MessageTable(int hotelId) { return HotelTableName(HotelTable::kRoomMessages, hotelId); }

int ReadMessage(FieldReader& row, MessageRecord& message)
{
    message.messageId = row.Int(QStringLiteral("MessageID"));
    message.checkInId = row.Int(QStringLiteral("CheckInID"));
    message.userId = row.Int(QStringLiteral("UserID"));
    message.date = row.Date(QStringLiteral("MessageDate"));
    message.from = row.Text(QStringLiteral("MessageFrom"));
    message.text = row.Text(QStringLiteral("MessageText"));
    return row.Result();
}

// What insert and update write: the message dated now, visible.
RowValues MessageValues(const MessageRecord& message, const OleDate& now)
{
    RowValues row;
    row.Add(QStringLiteral("CheckInID"), message.checkInId);
    row.Add(QStringLiteral("UserID"), message.userId);
    row.Add(QStringLiteral("MessageDate"), SqlDateText(now));
    row.Add(QStringLiteral("MessageFrom"), HotelTextValue(HotelTable::kRoomMessages, "MessageFrom", message.from));
    row.Add(QStringLiteral("MessageText"), HotelTextValue(HotelTable::kRoomMessages, "MessageText", message.text));
    row.Add(QStringLiteral("IsVisible"), 1);
    return row;
}

}  // namespace

int CHotelDatabase::LoadMessages(int hotelId, std::vector<MessageRecord>& messages)
{
    std::vector<MessageRecord> loaded;
    const int result =
        ReadRows(QStringLiteral("SELECT * FROM %1 WHERE IsVisible = 1 ORDER BY MessageID").arg(MessageTable(hotelId)),
                 {}, [&](FieldReader& row) { return ReadMessage(row, loaded.emplace_back()); });
    if (result == kNoError)
        messages = std::move(loaded);
    return result;
}

int CHotelDatabase::InsertMessage(int hotelId, MessageRecord& message)
{
    const RowValues row = MessageValues(message, Now());
    return InsertReturning(row.InsertText(MessageTable(hotelId)), row.values, "MessageID", message.messageId);
}

int CHotelDatabase::UpdateMessage(int hotelId, const MessageRecord& message)
{
    RowValues row = MessageValues(message, Now());
    row.values << message.messageId;
    return Execute(row.UpdateText(MessageTable(hotelId)) + QStringLiteral(" WHERE MessageID=?"), row.values);
}

int CHotelDatabase::DeleteMessage(int hotelId, int messageId)
{
    return Execute(QStringLiteral("UPDATE %1 SET IsVisible = 0 WHERE MessageID = ?").arg(MessageTable(hotelId)),
                   {messageId});
}

int CHotelDatabase::DeleteStayMessages(int hotelId, int checkInId)
{
    return Execute(QStringLiteral("UPDATE %1 SET IsVisible = 0 WHERE CheckInID = ?").arg(MessageTable(hotelId)),
                   {checkInId});
}

}  // namespace lodgix
