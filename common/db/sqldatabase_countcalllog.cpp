// CSqlDatabase: counting and reading the switchboard's call log by extension, direction and line kind.
#include "sqldatabase.h"

#include "calllogselect.h"
#include "engineerrorcode.h"

// The switchboard calls of a PBX in start order: one extension (255 all), the direction and line kind that
// one bit of each group of `kinds` selects, and starts strictly inside the period (both ends or none). Counts
// them, and reads them into `rows` when given. 0, 47, 53 for a period with one end or a failed read.
int CSqlDatabase::CountCallLog(int pbx, int extension, unsigned kinds, const OleDate* from, const OleDate* to,
                               std::vector<CallLogEntry>* rows, int& count)
{
    if (!IsOpen())
        return kDbNotConnected;
    // A period is both ends, valid, or none.
    if ((from == nullptr) != (to == nullptr) || (from && (!from->IsValid() || !to->IsValid())))
        return kDbTableCheckFailed;
    const CallLogSelect select = BuildCallLogSelect(pbx, extension, kinds, from, to, OutgoingCalls::kPlainOnly);
    if (OpenRecordset(select.sql, select.values) != kNoError)
        return kDbTableCheckFailed;
    // One pass: the rows read are the rows counted, whatever the engine stores meanwhile.
    std::vector<CallLogEntry> read;
    int total = 0;
    while (!IsEof()) {
        if (rows) {
            CallLogEntry entry;
            QString text;
            double number = 0;
            if (GetFieldValue(QStringLiteral("IndiceEsterna"), text, number) != kNoError)
                return kDbTableCheckFailed;
            entry.line = static_cast<int>(number);
            if (GetFieldValue(QStringLiteral("Scatti"), text, number) != kNoError)
                return kDbTableCheckFailed;
            entry.pulses = static_cast<int>(number);
            if (GetFieldValue(QStringLiteral("Uscente"), text, number) != kNoError)
                return kDbTableCheckFailed;
            entry.direction = static_cast<int>(number);
            if (GetFieldValue(QStringLiteral("IndiceDerivato"), text, number) != kNoError)
                return kDbTableCheckFailed;
            entry.extension = static_cast<int>(number);
            if (GetFieldDate(QStringLiteral("DataInizio"), entry.start) != kNoError ||
                GetFieldDate(QStringLiteral("Durata"), entry.duration) != kNoError ||
                GetFieldValue(QStringLiteral("NumeroChiamato"), entry.number, number) != kNoError)
                return kDbTableCheckFailed;
            read.push_back(std::move(entry));
        }
        ++total;
        if (MoveNext() != kNoError)
            return kDbTableCheckFailed;
    }
    CloseRecordset();
    if (rows)
        *rows = std::move(read);
    count = total;
    return kNoError;
}
