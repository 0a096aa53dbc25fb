#include "loggedcallreader.h"

#include "dbconnection.h"
#include "engineerrorcode.h"
#include "sqldate.h"

namespace {

constexpr int kOutgoing = 1;  // Uscente of an outgoing call

int ReadCall(CDbConnection& database, LoggedCall& call)
{
    QString text;
    double number = 0;
    int result = database.GetFieldDate(QStringLiteral("DataInizio"), call.start);
    if (result == kNoError)
        result = database.GetFieldDate(QStringLiteral("Durata"), call.duration);
    if (result == kNoError && (result = database.GetFieldValue(QStringLiteral("Scatti"), text, number)) == kNoError)
        call.pulses = number;
    if (result == kNoError &&
        (result = database.GetFieldValue(QStringLiteral("IndiceEsterna"), text, number)) == kNoError)
        call.externalLine = static_cast<std::uint8_t>(number);
    if (result == kNoError && (result = database.GetFieldValue(QStringLiteral("Fatturato"), text, number)) == kNoError)
        call.billed = static_cast<std::int32_t>(number);
    if (result == kNoError)
        result = database.GetFieldValue(QStringLiteral("NumeroChiamato"), call.dialledNumber, number);
    if (result == kNoError &&
        (result = database.GetFieldValue(QStringLiteral("IndiceDerivato"), text, number)) == kNoError)
        call.extension = static_cast<std::uint16_t>(number);
    return result;
}

}  // namespace

int SelectLoggedCalls(CDbConnection& database, const LoggedCallFilter& filter, std::vector<LoggedCall>* rows,
                      int& count)
{
    if (!database.IsOpen())
        return kDbNotConnected;
    const OleDate* start = filter.start;
    const OleDate* end = filter.end;
    if ((start == nullptr) != (end == nullptr) || (start && (!start->IsValid() || !end->IsValid())))
        return kDbTableCheckFailed;
    QString sql = QStringLiteral("SELECT * FROM LogCalls WHERE (PbxIdentifier=?");
    QVariantList values{filter.pbx};
    if (filter.extensionNumber) {
        sql += QStringLiteral(" AND IndiceDerivato=?");
        values << *filter.extensionNumber;
    }
    if (filter.line) {
        sql += QStringLiteral(" AND IndiceEsterna=?");
        values << *filter.line;
    }
    sql += QStringLiteral(" AND Uscente=?");
    values << kOutgoing;
    if (start) {
        sql += filter.inclusive ? QStringLiteral(" AND DataInizio>=? AND DataInizio<=?")
                                : QStringLiteral(" AND DataInizio>? AND DataInizio<?");
        values << SqlDateText(*start) << SqlDateText(*end);
    }
    sql += QStringLiteral(") ORDER BY DataInizio");
    if (const int result = database.OpenRecordset(sql, values); result != kNoError)
        return result;
    std::vector<LoggedCall> read;
    int total = 0;
    for (; !database.IsEof(); ++total) {
        if (rows) {
            LoggedCall call;
            if (const int result = ReadCall(database, call); result != kNoError) {
                database.CloseRecordset();
                return result;
            }
            read.push_back(std::move(call));
        }
        if (const int result = database.MoveNext(); result != kNoError) {
            database.CloseRecordset();
            return result;
        }
    }
    database.CloseRecordset();
    if (rows)
        *rows = std::move(read);
    count = total;
    return kNoError;
}
