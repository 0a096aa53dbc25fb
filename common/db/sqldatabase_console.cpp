// CSqlDatabase: the operator console's tables (alarm events, operator messages, call notes), their schema
// steps at start-up, and the filtered queries of its event lists.
#include "sqldatabase.h"

#include "calllogselect.h"
#include "engineerrorcode.h"
#include "operatorconsoletables.h"
#include "rowsink.h"
#include "sqldate.h"
#include "sqlname.h"

using namespace OperatorConsoleTables;

namespace {

constexpr int kAll = 255;  // an index argument that sets no condition

// Read kinds of the messages: read ones alone, unread ones alone, else all.
constexpr unsigned kReadMessages = 0x01;
constexpr unsigned kUnreadMessages = 0x02;

constexpr int kNoteSearchLink = 1;
constexpr int kNoteSearchNumber = 2;

// Counts the rows on their way to the caller's sink.
class RowCounter : public RowSink {
public:
    explicit RowCounter(RowSink* rows) : m_rows(rows) {}

    void DeleteAll() override
    {
        m_count = 0;
        m_rows->DeleteAll();
    }
    void Append(const QStringList& texts, qint64 itemData) override
    {
        ++m_count;
        m_rows->Append(texts, itemData);
    }
    int Count() const { return m_count; }

private:
    RowSink* m_rows;
    int m_count = 0;
};

// A statement's text and values, built condition by condition.
struct Conditions {
    QString sql;
    QVariantList values;

    void Add(const QString& condition, const QVariant& value)
    {
        sql += QStringLiteral(" AND ") + condition;
        values << value;
    }
};

}  // namespace

// --- Schema at start-up ---

int CSqlDatabase::UpgradeAddressBookTable()
{
    const ColumnRun columns = Table(EngineTable::kAddressBook).columns;
    int position = 0;
    while (position < static_cast<int>(columns.size()) && qstrcmp(columns[position].name, "WebAddress") != 0)
        ++position;
    return AddColumn(TableName(EngineTable::kAddressBook), position, columns);
}

int CSqlDatabase::EnsureAlarmEventsTable() { return EnsureTable(QStringLiteral("AlarmEventsNew"), AlarmEventsNew()); }

int CSqlDatabase::EnsureInternalMessageTable()
{
    return EnsureTable(QStringLiteral("InternalMessage"), InternalMessage());
}

// The text's width is kept in code (kMessageTextWidth), so there is nothing to widen.
int CSqlDatabase::WidenInternalMessageText() { return IsOpen() ? kNoError : kDbNotConnected; }

int CSqlDatabase::UpgradeInternalMessageTable()
{
    return AddColumn(QStringLiteral("InternalMessage"), 0, InternalMessageUpgrade());
}

int CSqlDatabase::EnsureNewNotesTable() { return EnsureTable(QStringLiteral("NewNotes"), NewNotes()); }

// The note's width is kept in code (kNoteTextWidth), so there is nothing to widen.
int CSqlDatabase::UpgradeNewNotesTable() { return IsOpen() ? kNoError : kDbNotConnected; }

int CSqlDatabase::PrepareOperatorConsoleTables()
{
    for (int (CSqlDatabase::*step)() :
         {&CSqlDatabase::UpgradeAddressBookTable, &CSqlDatabase::EnsureAlarmEventsTable,
          &CSqlDatabase::EnsureInternalMessageTable, &CSqlDatabase::WidenInternalMessageText,
          &CSqlDatabase::UpgradeInternalMessageTable, &CSqlDatabase::EnsureNewNotesTable,
          &CSqlDatabase::UpgradeNewNotesTable}) {
        const int result = (this->*step)();
        if (result != kNoError)
            return result;
    }
    return kNoError;
}

// --- Queries ---

bool CSqlDatabase::IsValidRange(const OleDate* from, const OleDate* to)
{
    if ((from == nullptr) != (to == nullptr))
        return false;
    return !from || (from->IsValid() && to->IsValid());
}

int CSqlDatabase::FillRows(const QString& sql, const QVariantList& values, const QStringList& columns,
                           const QString& itemDataColumn, RowSink& rows, const RowShape& shape, int failure)
{
    rows.DeleteAll();
    if (OpenRecordset(sql, values) != kNoError)
        return failure;
    while (!IsEof()) {
        QStringList texts;
        for (const QString& column : columns) {
            QString text;
            if (FieldText(column, text) != kNoError)
                return failure;
            texts << text;
        }
        qint64 itemData = 0;
        if (!itemDataColumn.isEmpty()) {
            QString text;
            double number = 0;
            if (GetFieldValue(itemDataColumn, text, number) != kNoError)
                return failure;
            itemData = static_cast<qint64>(number);
        }
        if (shape)
            shape(texts);
        rows.Append(texts, itemData);
        if (MoveNext() != kNoError)
            return failure;
    }
    CloseRecordset();
    return kNoError;
}

int CSqlDatabase::QueryWakeEvents(int pbxIdentifier, int extension, const OleDate* from, const OleDate* to,
                                  RowSink& rows)
{
    if (!IsOpen())
        return kDbNotConnected;
    if (!IsValidRange(from, to))
        return kDbTableCheckFailed;
    Conditions where{QStringLiteral("SELECT * FROM WakeEvents WHERE (PbxIdentifier=?"), {pbxIdentifier}};
    if (extension != kAll)
        where.Add(QStringLiteral("IndiceDerivato=?"), extension);
    if (from) {
        where.Add(QStringLiteral("Ora>=?"), SqlDateText(*from));
        where.Add(QStringLiteral("Ora<=?"), SqlDateText(*to));
    }
    return FillRows(where.sql + u')', where.values,
                    {QStringLiteral("IndiceDerivato"), QStringLiteral("Ora"), QStringLiteral("Risposta")}, {}, rows);
}

int CSqlDatabase::QueryAlarmEvents(int pbxIdentifier, int objectIndex, const OleDate* from, const OleDate* to,
                                   RowSink& rows)
{
    if (!IsOpen())
        return kDbNotConnected;
    if (!IsValidRange(from, to))
        return kDbTableCheckFailed;
    Conditions where{QStringLiteral("SELECT * FROM AlarmEventsNew WHERE (PbxIdentifier=?"), {pbxIdentifier}};
    if (objectIndex != kAll)
        where.Add(QStringLiteral("IndiceOggetto=?"), objectIndex);
    if (from) {
        where.Add(QStringLiteral("Ora>=?"), SqlDateText(*from));
        where.Add(QStringLiteral("Ora<=?"), SqlDateText(*to));
    }
    return FillRows(where.sql + u')', where.values,
                    {QStringLiteral("IndiceOggetto"), QStringLiteral("Ora"), QStringLiteral("OraRisposta"),
                     QStringLiteral("Esito"), QStringLiteral("IndiceDerivato"), QStringLiteral("TipoAllarme")},
                    {}, rows);
}

int CSqlDatabase::QueryCallLog(int pbxIdentifier, int extension, unsigned kinds, const OleDate* from,
                               const OleDate* to, RowSink& rows)
{
    if (!IsOpen())
        return kDbNotConnected;
    if (!IsValidRange(from, to))
        return kDbTableCheckFailed;
    const CallLogSelect select =
        BuildCallLogSelect(pbxIdentifier, extension, kinds, from, to, OutgoingCalls::kBothKinds);
    const auto byteOf = [](const QString& text) { return static_cast<int>(text.toLongLong() & 0xFF); };
    // Columns as read: IndiceDerivato, DataInizio, DataFine, Durata, IndiceEsterna, Scatti, Uscente, Totale,
    // NumeroChiamato; shown: the line and pulses as one number, Totale as its two low bytes.
    return FillRows(select.sql, select.values,
                    {QStringLiteral("IndiceDerivato"), QStringLiteral("DataInizio"), QStringLiteral("DataFine"),
                     QStringLiteral("Durata"), QStringLiteral("IndiceEsterna"), QStringLiteral("Scatti"),
                     QStringLiteral("Uscente"), QStringLiteral("Totale"), QStringLiteral("NumeroChiamato")},
                    {}, rows, [&byteOf](QStringList& texts) {
                        const qint64 total = texts[7].toLongLong();
                        texts = {texts[0], texts[1], texts[2], texts[3],
                                 QString::number(byteOf(texts[4]) * 256 + byteOf(texts[5])), texts[6],
                                 QString::number(total & 0xFF), QString::number((total >> 8) & 0xFF), texts[8]};
                    });
}

int CSqlDatabase::QueryMessages(const MessageFilter& filter, const OleDate* from, const OleDate* to, RowSink* rows,
                                int* count)
{
    if (!IsOpen())
        return kDbNotConnected;
    if (!IsValidRange(from, to))
        return kDbTableCheckFailed;
    QStringList conditions;
    QVariantList values;
    const auto add = [&](const char* condition, int value) {
        if (value != kAll) {
            conditions << QString::fromLatin1(condition);
            values << value;
        }
    };
    add("PbxIdentifier=?", filter.pbxIdentifier);
    add("DestPbxIdentifier=?", filter.destinationPbxIdentifier);
    add("Source=?", filter.source);
    add("Dest=?", filter.destination);
    switch (filter.readKinds & (kReadMessages | kUnreadMessages)) {
    case kReadMessages: conditions << QStringLiteral("IsRead=1"); break;
    case kUnreadMessages: conditions << QStringLiteral("IsRead=0"); break;
    default: break;
    }
    if (from) {
        conditions << QStringLiteral("MessageDate>?") << QStringLiteral("MessageDate<?");
        values << SqlDateText(*from) << SqlDateText(*to);
    }
    QString sql = QStringLiteral("SELECT * FROM InternalMessage");
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE (") + conditions.join(QStringLiteral(" AND ")) + u')';
    sql += QStringLiteral(" ORDER BY MessageDate");

    if (!rows) {
        // Only the count is wanted: the rows are counted, not read.
        if (OpenRecordset(sql, values) != kNoError)
            return kDbTableCheckFailed;
        int counted = 0;
        for (; !IsEof(); ++counted)
            if (MoveNext() != kNoError)
                return kDbTableCheckFailed;
        CloseRecordset();
        if (count)
            *count = counted;
        return kNoError;
    }
    RowCounter counter(rows);
    const int result =
        FillRows(sql, values,
                 {QStringLiteral("Source"), QStringLiteral("PbxIdentifier"), QStringLiteral("Dest"),
                  QStringLiteral("DestPbxIdentifier"), QStringLiteral("MessageDate"), QStringLiteral("MessageText"),
                  QStringLiteral("IsRead")},
                 QStringLiteral("IDMessage"), counter, [](QStringList& texts) {
                     texts = {texts[0] + QStringLiteral(" + ") + texts[1], texts[2] + QStringLiteral(" + ") + texts[3],
                              texts[4], texts[5], texts[6]};
                 });
    if (result == kNoError && count)
        *count = counter.Count();
    return result;
}

int CSqlDatabase::QueryNotes(int pbxIdentifier, int extension, const OleDate* from, const OleDate* to,
                             int searchKind, const QString& searchText, RowSink& rows)
{
    if (!IsOpen())
        return kDbNotConnected;
    if (!IsValidRange(from, to))
        return kDbTableCheckFailed;
    Conditions where{QStringLiteral("SELECT * FROM NewNotes WHERE (PbxIdentifier=?"), {pbxIdentifier}};
    if (extension != kAll)
        where.Add(QStringLiteral("IndiceDerivato=?"), extension);
    if (from) {
        where.Add(QStringLiteral("DataNota>?"), SqlDateText(*from));
        where.Add(QStringLiteral("DataNota<?"), SqlDateText(*to));
    }
    if (searchKind == kNoteSearchLink) {
        bool number = false;
        const int link = searchText.trimmed().toInt(&number);
        if (!number)
            return kDbTableCheckFailed;
        where.Add(QStringLiteral("Link=?"), link);
    } else if (searchKind == kNoteSearchNumber) {
        where.Add(QStringLiteral("Numero LIKE ? ESCAPE '\\'"), u'%' + EscapeLike(searchText) + u'%');
    }
    return FillRows(where.sql + QStringLiteral(") ORDER BY DataNota"), where.values,
                    {QStringLiteral("IndiceDerivato"), QStringLiteral("DataNota"), QStringLiteral("Link"),
                     QStringLiteral("Numero"), QStringLiteral("Nota")},
                    QStringLiteral("IDNote"), rows);
}

// --- Writers ---

int CSqlDatabase::InsertAlarmEvent(int pbxIdentifier, const AlarmObject& alarm, const OleDate& alarmTime,
                                   int extension, int outcome)
{
    if (!IsOpen())
        return kDbNotConnected;
    if (alarm.objectType != kAlarmOfExtension)
        return kNoError;  // only alarms of extensions are kept
    if (!alarmTime.IsValid())
        return kDbRowInsertFailed;
    return Run(QStringLiteral("INSERT INTO AlarmEventsNew (PbxIdentifier,TipoOggetto,IndiceOggetto,TipoAllarme,Ora,"
                              "OraRisposta,IndiceDerivato,Esito) VALUES (?,?,?,?,?,?,?,?)"),
               {pbxIdentifier, alarm.objectType, alarm.objectIndex, alarm.alarmType, SqlDateText(alarmTime),
                SqlDateText(Now()), extension, outcome},
               kDbRowInsertFailed);
}

int CSqlDatabase::InsertMessage(int pbxIdentifier, int destinationPbxIdentifier, int source, int destination,
                                const QString& text)
{
    if (!IsOpen())
        return kDbNotConnected;
    return Run(QStringLiteral("INSERT INTO InternalMessage (PbxIdentifier,DestPbxIdentifier,Source,Dest,MessageDate,"
                              "MessageText,IsRead) VALUES (?,?,?,?,?,?,0)"),
               {pbxIdentifier, destinationPbxIdentifier, source, destination, SqlDateText(Now()),
                text.left(kMessageTextWidth)},
               kDbRowInsertFailed);
}

int CSqlDatabase::MarkMessagesRead(int destination, int destinationPbxIdentifier)
{
    if (!IsOpen())
        return kDbNotConnected;
    return Run(QStringLiteral("UPDATE InternalMessage SET IsRead=1 WHERE (Dest=? AND DestPbxIdentifier=?)"),
               {destination, destinationPbxIdentifier}, kDbTableUpdateFailed);
}

int CSqlDatabase::DeleteMessage(int messageId, DeletedMessage& deleted)
{
    deleted = {};
    if (!IsOpen())
        return kDbNotConnected;
    if (OpenRecordset(QStringLiteral("SELECT * FROM InternalMessage WHERE IDMessage=?"), {messageId}) != kNoError)
        return kDbTableCheckFailed;
    if (IsEof()) {
        CloseRecordset();
        return kNoError;  // nothing to delete
    }
    const auto number = [this](const char* column, int& value) {
        QString text;
        double read = 0;
        if (GetFieldValue(QString::fromLatin1(column), text, read) != kNoError)
            return false;
        value = static_cast<int>(read);
        return true;
    };
    if (!number("Source", deleted.source) || !number("Dest", deleted.destination) ||
        !number("PbxIdentifier", deleted.pbxIdentifier) ||
        !number("DestPbxIdentifier", deleted.destinationPbxIdentifier))
        return kDbTableCheckFailed;
    CloseRecordset();
    deleted.found = true;
    return Run(QStringLiteral("DELETE FROM InternalMessage WHERE IDMessage=?"), {messageId}, kDbTableUpdateFailed);
}

int CSqlDatabase::InsertNote(int pbxIdentifier, int extension, const NoteRecord& note)
{
    if (!IsOpen())
        return kDbNotConnected;
    if (!note.date.IsValid())
        return kDbRowInsertFailed;
    return Run(QStringLiteral("INSERT INTO NewNotes (PbxIdentifier,IndiceDerivato,DataNota,Link,Numero,Nota) "
                              "VALUES (?,?,?,?,?,?)"),
               {pbxIdentifier, extension, SqlDateText(note.date), static_cast<int>(note.link),
                note.number.left(kNoteNumberWidth), note.note.left(kNoteTextWidth)},
               kDbRowInsertFailed);
}

// --- Start-up counts ---

int CSqlDatabase::CountUnreadMessagesFor(const StationMessages& station, int index, int& count)
{
    count = 0;
    MessageFilter filter{station.pbxIdentifier, station.pbxIdentifier, station.associatedExtension, index,
                         kUnreadMessages};
    if (index >= station.extensionCount) {
        const bool inSecondPbx = station.secondPbxIdentifier != kAll &&
                                 index < station.extensionCount + station.secondExtensionCount;
        if (!inSecondPbx)
            return IsOpen() ? kNoError : kDbNotConnected;
        filter.destination = index - station.extensionCount;
        filter.destinationPbxIdentifier = station.secondPbxIdentifier;
    }
    return QueryMessages(filter, nullptr, nullptr, nullptr, &count);
}

int CSqlDatabase::HasUnreadMessages(int pbxIdentifier, int associatedExtension, bool& waiting)
{
    waiting = false;
    int count = 0;
    const int result =
        QueryMessages({kAll, pbxIdentifier, kAll, associatedExtension, kUnreadMessages}, nullptr, nullptr, nullptr, &count);
    waiting = result == kNoError && count > 0;
    return result;
}
