#pragma once

#include "calllogentry.h"
#include "columndefinition.h"
#include "engineerrorcode.h"
#include "dbconnection.h"
#include "noterecord.h"
#include "operatorconsolequeries.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class RowSink;

// The SQL layer over the database connection: connects to the suite's catalog, keeps the list of
// installed PBXs from EngineConfiguration, creates missing tables from the column table, and reads and
// writes the engine's tables through the fixed byte records of the PBX. Results are EngineErrorCode
// values: 0, 47 not connected, 53 check or read, 54 drop, 55 create or snapshot insert, 56 update,
// 57 row insert or invalid time. Statements bind every value.
class CSqlDatabase : public CDbConnection {
public:
    static constexpr int kMaxPbxCount = 10;       // length of the PBX list
    static constexpr int kSharedTable = 255;      // CreateTable's PBX index for a table without a suffix
    static constexpr int kRetiredPbxIdentifier = -1;  // rows of a deleted PBX belong to no PBX

    CSqlDatabase();  // SQLite in the suite's default catalog file
    explicit CSqlDatabase(const DbParameters& parameters);

    // The clock that dates events ("today", "now"); the PC's clock unless a test sets one.
    void SetClock(std::function<OleDate()> clock);

    // --- Connection and PBX list ---
    int Connect(const QString& serverName);
    int LoadEngineConfiguration();
    int PbxCount() const { return m_pbxCount; }
    int PbxComId(int pbx) const;
    int PbxComNumber(int pbx) const;
    QString PbxIdentifier(int pbx) const;  // the DeviceName, suffix of the PBX's tables
    // A per-PBX table's name ("DerivedStatus_" + identifier); empty when the PBX is not in the list or its
    // identifier cannot name a table.
    QString PbxTableName(EngineTable table, int pbx) const;

    // --- Tables ---
    int CreateTable(int pbx, const QString& name, ColumnRun columns);
    int EnsureTable(const QString& name, ColumnRun columns);
    // Adds the column at that position of the run when the table lacks it. 0, or 56 when it cannot be added.
    int AddColumn(const QString& table, int position, ColumnRun columns);
    int ListTables(QStringList& names);
    int TableExists(const QString& name, bool& exists);

    // --- Schema of the engine ---
    int ConnectAndCreateSchema(const QString& serverName);
    int CreateDatabase();
    int DropPbxTables();
    // Insert and update refuse with 44 an identifier that another PBX already has, compared without regard
    // to case (53 when that cannot be checked). A rename or a delete drops the old identifier's snapshot
    // tables in the same transaction.
    int InsertEngineConfiguration(int comId, const QString& deviceName, int comNumber);
    int UpdateEngineConfiguration(int comId, const QString& deviceName, int comNumber);
    int DeleteEngineConfiguration(int comId);
    int RenumberEngineConfiguration(int comId);
    int UpdateComStat(int comId, int state);
    int ReadComStat(int comId, quint8& state);

    // --- Readers of the per-PBX tables (records of PbxRecord; grown to their size when shorter) ---
    int ReadInitialization(int pbx, QByteArray& record);
    int ReadSystemConfiguration(int pbx, QByteArray& record);
    int ReadDerivedProgrammation(int pbx, int index, QByteArray& record);
    int ReadLineProgrammation(int pbx, int index, QByteArray& record);
    int ReadEntryPhoneProgrammation(int pbx, int index, QByteArray& record);
    int ReadRelayProgrammation(int pbx, int index, QByteArray& record);
    int ReadDerivedStatus(int pbx, int index, QByteArray& record);
    int ReadLineStatus(int pbx, int index, QByteArray& record);
    int ReadEntryPhoneStatus(int pbx, int index, QByteArray& record);
    int ReadRelayStatus(int pbx, int index, QByteArray& record);
    int ReadWakeUp(int pbx, int index, QByteArray& record);

    // --- Snapshot writers (start-up): the row is replaced in one transaction ---
    int SaveInitialization(int pbx, const QByteArray& record);
    int SaveSystemConfiguration(int pbx, const QByteArray& record);
    int SaveSystemProgrammation(int pbx, const QByteArray& record);
    int SaveDerivedProgrammation(int pbx, const QByteArray& record);
    int SaveLineProgrammation(int pbx, const QByteArray& record);
    int SaveEntryPhoneProgrammation(int pbx, const QByteArray& record);
    int SaveRelayProgrammation(int pbx, const QByteArray& record);
    int SaveDerivedStatus(int pbx, const QByteArray& statusAnswer);
    int SaveLineStatus(int pbx, const QByteArray& statusAnswer);
    int SaveEntryPhoneStatus(int pbx, const QByteArray& statusAnswer);
    int SaveRelayStatus(int pbx, const QByteArray& statusAnswer);

    // --- Event writers ---
    int UpdateObjectLink(int pbx, int objectType, int index, int linkType, int linkIndex);
    int SetObjectState(int pbx, int objectType, int index, int state);
    int UpdateObjectState(int pbx, const QByteArray& typeIndexState);
    int ClearDialledDigits(int pbx, int extension);
    int AppendDialledDigits(int pbx, int extension, const QString& digits);
    int ClearLineCallerId(int pbx, int line);
    int SetLineCallerId(int pbx, int line, const QString& callerId);
    int UpdateRing(int pbx, int extension, int ringType, int linkType, int linkIndex);
    int UpdateHandset(int pbx, int extension, int state);
    int UpdateWakeUp(int pbx, const QByteArray& wakeUp);

    // --- Call log, wake-up and alarm rows ---
    // A call is stored once: a row with the same PBX, extension and start wins.
    int InsertLoggedCall(int pbx, const QByteArray& callLogRecord, int extensionNumber);
    // The calls of one extension's log answer, as InsertLoggedCall stores each, in one transaction: all of
    // them or, on the first failure (whose code it returns), none.
    int InsertLoggedCalls(int pbx, const QList<QByteArray>& callLogRecords, int extensionNumber);
    // A call-end event, stored as InsertLoggedCall stores the same call downloaded: under the extension's
    // dialling number from the PBX's stored records (57 for an extension the PBX does not have).
    int InsertCallEvent(int pbx, const QByteArray& callEvent);
    int InsertCallSwNew(int pbx, const OleDate& end, int extension, const QByteArray& callState);
    int InsertWakeEvent(int pbx, const QByteArray& wakeEvent);
    int InsertAlarm(int pbx, const QByteArray& alarmEvent);
    int CountCallLog(int pbx, int extension, unsigned kinds, const OleDate* from, const OleDate* to, std::vector<CallLogEntry>* rows, int& count);
    // As CountCallLog; `latest` becomes the start of the last (latest) call found and stays as it was when
    // there is none.
    int CountCallLogWithLatest(int pbx, int extension, unsigned kinds, const OleDate* from, const OleDate* to,
                               std::vector<CallLogEntry>* rows, int& count, OleDate& latest);
    // The extension's missed calls that started after `reference` and before five minutes past `now`.
    int CountMissedCalls(int pbx, int extension, const OleDate& reference, const OleDate& now, int& count);

    // --- Labels (by PBX identifier, the number of the PbxIdentifier columns) ---
    int SaveDerivedLabel(int pbxIdentifier, int index, const QString& text);
    int SaveAlarmLabel(int pbxIdentifier, int index, const QString& text);
    int SaveLineLabel(int pbxIdentifier, int index, const QString& text);
    int SaveEntryPhoneLabel(int pbxIdentifier, int index, const QString& text);
    int SaveRelayLabel(int pbxIdentifier, int index, const QString& text);
    // Empty when there is no connection, no label or a failed read.
    QString GetDerivedLabel(int pbxIdentifier, int index);
    QString GetAlarmLabel(int pbxIdentifier, int index);
    QString GetLineLabel(int pbxIdentifier, int index);
    QString GetEntryPhoneLabel(int pbxIdentifier, int index);
    QString GetRelayLabel(int pbxIdentifier, int index);

    // --- The operator console's tables (created without a suffix when missing) ---
    // Schema steps at start-up, in this order (PrepareOperatorConsoleTables runs them all, stopping at the
    // first failure). Columns are added only when missing; the widening steps do nothing, the widths
    // being kept in code.
    int UpgradeAddressBookTable();
    int EnsureAlarmEventsTable();
    int EnsureInternalMessageTable();
    int WidenInternalMessageText();
    int UpgradeInternalMessageTable();
    int EnsureNewNotesTable();
    int UpgradeNewNotesTable();
    int PrepareOperatorConsoleTables();

    // Filtered queries into a row sink (emptied first; rows already put there stay when a read fails).
    // A range is both ends or none: one end alone or an invalid date gives 53 and runs nothing.
    // Wake-up events: IndiceDerivato, Ora, Risposta (ends included).
    int QueryWakeEvents(int pbxIdentifier, int extension, const OleDate* from, const OleDate* to, RowSink& rows);
    // Alarms: IndiceOggetto, Ora, OraRisposta, Esito, IndiceDerivato, TipoAllarme (ends included).
    int QueryAlarmEvents(int pbxIdentifier, int objectIndex, const OleDate* from, const OleDate* to, RowSink& rows);
    // Switchboard calls by start (ends excluded). Kinds: bits 0-2 the direction (one bit alone selects
    // incoming, outgoing of both kinds, or missed), bits 3-4 the line kind (one alone selects).
    // IndiceDerivato, DataInizio, DataFine, Durata, line x 256 + pulses, Uscente, Totale's low byte and
    // second byte, NumeroChiamato.
    int QueryCallLog(int pbxIdentifier, int extension, unsigned kinds, const OleDate* from, const OleDate* to,
                     RowSink& rows);
    // Messages by date (ends excluded): "Source + PbxIdentifier" (item data IDMessage), "Dest +
    // DestPbxIdentifier", MessageDate, MessageText, IsRead. Rows and count are each optional.
    int QueryMessages(const MessageFilter& filter, const OleDate* from, const OleDate* to, RowSink* rows, int* count);
    // Notes by date (ends excluded): IndiceDerivato (item data IDNote), DataNota, Link, Numero, Nota. Search
    // kind 1: the Link equals the text (53 when it is no number); 2: Numero contains the text, whose "%"
    // and "_" match themselves.
    int QueryNotes(int pbxIdentifier, int extension, const OleDate* from, const OleDate* to, int searchKind,
                   const QString& searchText, RowSink& rows);

    // Writers. Texts are cut to their columns' widths; the time of writing comes from the clock.
    // An alarm is kept only for an extension (another object writes nothing and gives 0).
    int InsertAlarmEvent(int pbxIdentifier, const AlarmObject& alarm, const OleDate& alarmTime, int extension,
                         int outcome);
    int InsertMessage(int pbxIdentifier, int destinationPbxIdentifier, int source, int destination,
                      const QString& text);
    int MarkMessagesRead(int destination, int destinationPbxIdentifier);
    // A message that does not exist deletes nothing and gives 0.
    int DeleteMessage(int messageId, DeletedMessage& deleted);
    int InsertNote(int pbxIdentifier, int extension, const NoteRecord& note);

    // Start-up counts. The unread messages that this station sent to an extension of its PBX or of the
    // second PBX (another index counts none); whether any message waits for this station.
    int CountUnreadMessagesFor(const StationMessages& station, int index, int& count);
    int HasUnreadMessages(int pbxIdentifier, int associatedExtension, bool& waiting);

    // --- The shared address book ---
    // A contact is given as its 16 texts, Name to OfficeFaxNumber. Results: 0, 44 a failed statement,
    // 54 an existing contact not to be overwritten or a shared contact closed to deletion, 56 another
    // contact holds one of the numbers, 57 another workstation's contact closed to changes.
    static inline const QString kLocalContactMarker = QStringLiteral("@@@LOCAL@@@");
    static inline const QString kSharedContactMarker = QStringLiteral("@@@GLOBAL@@@");
    // This workstation's name in the ownership markers; the computer's name (at most 100 characters)
    // unless set.
    void SetComputerName(const QString& name);
    QString ThisComputer() const;
    // Contacts whose field begins with the text (taken literally), by name. Field 0-7: Name, Address,
    // City, Provincie, CAP, Country, MailAddress, WebAddress; any other: one of the eight numbers. Book
    // 0 this workstation's, 1 the shared one, else both. Rows: the 16 texts, the owner, "X" for a shared
    // contact, "X" for a shared one open to changes ("XXX" twice for a contact of no book).
    int SearchContacts(int field, const QString& text, int book, RowSink& rows);
    // The same search for the PBX directory: Name and the eight numbers.
    int SearchContactNumbers(int field, const QString& text, int book, RowSink& rows);
    // The name of the first contact of either book that holds the number; 53 when none does.
    int FindContactByNumber(const QString& number, QString& name);
    // Saves a contact under its previous name (empty: a new contact, under its own name). `found` gets
    // the name that holds a number (56) or the owner of a closed contact (57). A shared contact given
    // with its owner (a list row's) is that workstation's one of the name, never another's of the same
    // name; without an owner the first of the book.
    int SaveContact(const QStringList& contact, bool shared, bool updatable, bool overwrite,
                    const QString& previousName, QString& found, const QString& previousOwner = {});
    int InsertContactFromList(const QStringList& contact, bool shared, bool updatable);
    // Deleting a contact that does not exist deletes nothing and gives 0.
    int DeleteLocalContact(const QString& name);
    // This workstation's shared contact of that name, else another workstation's one when it is open to
    // changes; 54 and its owner when it is closed. Given the owner of the contact meant (a list row's),
    // only that workstation's contact of the name is considered.
    int DeleteSharedContact(const QString& name, QString& owner, const QString& rowOwner = {});

protected:
    // The clock's moment ("now" of the rows written).
    OleDate Now() const;

private:
    using RowShape = std::function<void(QStringList&)>;

    struct PbxEntry {
        int comId = 0;
        int comNumber = 0;
        QString identifier;
    };

    // Runs one statement and forgets its rows: 0 or the given failure code.
    int Run(const QString& sql, const QVariantList& values, int failure);
    // The first row's column as a byte ("floored, low byte kept") or as text.
    int FieldByte(const QString& field, quint8& value);
    int FieldText(const QString& field, QString& value);

    int ReadRecordColumns(const QString& table, int index, ColumnRun columns, QByteArray& record,
                          qsizetype firstColumn, qsizetype firstByte, qsizetype endByte);
    int ReadObjectRecord(EngineTable table, int pbx, int index, QByteArray& record, qsizetype size,
                         qsizetype headerBytes, quint8 objectType, qsizetype endByte, qsizetype textOffset);
    int ReplaceObjectRow(EngineTable table, int pbx, ColumnRun columns, const QVariantList& values, bool wholeTable);
    int ReplaceProgrammation(EngineTable table, int pbx, const QByteArray& record, qsizetype size);
    int SaveStatus(EngineTable table, int pbx, const QByteArray& statusAnswer, qsizetype values);
    int UpdateObjectColumns(int pbx, int objectType, int index, const QString& assignments,
                            const QVariantList& values);
    int InsertCallRow(EngineTable table, const QVariantList& values);
    // The dialling number of an extension given by its index, from the PBX's stored records.
    int ReadExtensionNumber(int pbx, int extension, int& number);
    int StoreCallOnce(int pbx, int extension, const OleDate& start, const OleDate& end, const OleDate& duration,
                      int line, qint64 pulses, qint64 charge, int outgoing, const QString& number);
    int SaveLabel(EngineTable table, int pbxIdentifier, int index, const QString& text);
    QString GetLabel(EngineTable table, int pbxIdentifier, int index);
    int MoveKeyedRows(int from, int to);
    QString LocalMarker() const;
    QString BookCondition(int book, QVariantList& values) const;
    // The statement of a contact search; its values are appended.
    QString ContactSearch(int field, const QString& text, int book, QVariantList& values) const;
    QVariantList ContactValues(const QStringList& contact) const;
    static bool IsValidRange(const OleDate* from, const OleDate* to);
    // Reads every row of the statement into the sink: the columns' texts, reshaped when asked, and the
    // item data column's number. A failed statement or read gives `failure`.
    int FillRows(const QString& sql, const QVariantList& values, const QStringList& columns,
                 const QString& itemDataColumn, RowSink& rows, const RowShape& shape = {},
                 int failure = kDbTableCheckFailed);
    // Drops exactly this identifier's per-PBX tables that exist; nothing for an identifier that names none.
    int DropTablesOf(const QString& identifier);
    // 0 when no PBX but comId has the identifier (without regard to case), 44 when one has, 53 on failure.
    int CheckIdentifierFree(int comId, const QString& deviceName);
    // The identifier of the PBX with that ComID in the loaded list; empty when there is none.
    QString StoredIdentifier(int comId) const;

    PbxEntry m_pbxList[kMaxPbxCount];
    int m_pbxCount = 0;
    std::function<OleDate()> m_clock;
    QString m_computerName;  // null: the computer's own
};

// The text of a varchar column cut to its width; empty, never NULL, when there is none.
QString FitColumn(const QString& text, const ColumnDefinition& column);
// The first "columns" names of a run, separated by ",".
QString ColumnList(ColumnRun columns);
