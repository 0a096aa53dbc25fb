// CRatingDatabase: the outgoing calls of the call log and their billing mark.
#include "ratingdatabase.h"

#include "dbtransaction.h"
#include "engineerrorcode.h"
#include "sqldate.h"

namespace {

constexpr int kOutgoing = 1;  // Uscente of an outgoing call

}  // namespace

int CRatingDatabase::SelectCalls(CallFilter filter, int pbx, int value, const OleDate* start, const OleDate* end,
                                 std::vector<LoggedCall>* rows, int& count)
{
    if (!IsOpen())
        return kDbNotConnected;
    if ((start == nullptr) != (end == nullptr) || (start && (!start->IsValid() || !end->IsValid())))
        return kDbTableCheckFailed;
    QString sql = QStringLiteral("SELECT * FROM LogCalls WHERE (PbxIdentifier=?");
    QVariantList values{pbx};
    if (filter == CallFilter::kExtension && value != kAllExtensionNumbers) {
        sql += QStringLiteral(" AND IndiceDerivato=?");
        values << value;
    } else if (filter == CallFilter::kLine && value != kAllLines) {
        sql += QStringLiteral(" AND IndiceEsterna=?");
        values << value;
    }
    sql += QStringLiteral(" AND Uscente=?");
    values << kOutgoing;
    if (start) {
        // Inclusive: consecutive periods that meet at a second share no call and lose none.
        sql += QStringLiteral(" AND DataInizio>=? AND DataInizio<=?");
        values << SqlDateText(*start) << SqlDateText(*end);
    }
    sql += QStringLiteral(") ORDER BY DataInizio");
    if (const int result = OpenRecordset(sql, values); result != kNoError)
        return result;
    // One pass: the rows read are the rows counted, whatever the engine stores meanwhile.
    std::vector<LoggedCall> read;
    int total = 0;
    for (; !IsEof(); ++total) {
        if (rows) {
            LoggedCall call;
            QString text;
            double number = 0;
            int result = GetFieldDate(QStringLiteral("DataInizio"), call.start);
            if (result == kNoError)
                result = GetFieldDate(QStringLiteral("Durata"), call.duration);
            if (result == kNoError && (result = GetFieldValue(QStringLiteral("Scatti"), text, number)) == kNoError)
                call.pulses = number;
            if (result == kNoError &&
                (result = GetFieldValue(QStringLiteral("IndiceEsterna"), text, number)) == kNoError)
                call.externalLine = static_cast<std::uint8_t>(number);
            if (result == kNoError && filter != CallFilter::kPbx &&
                (result = GetFieldValue(QStringLiteral("Fatturato"), text, number)) == kNoError)
                call.billed = static_cast<std::int32_t>(number);
            if (result == kNoError)
                result = GetFieldValue(QStringLiteral("NumeroChiamato"), call.dialledNumber, number);
            if (result == kNoError && filter != CallFilter::kExtension &&
                (result = GetFieldValue(QStringLiteral("IndiceDerivato"), text, number)) == kNoError)
                call.extension = static_cast<std::uint16_t>(number);
            if (result != kNoError) {
                CloseRecordset();
                return result;
            }
            read.push_back(std::move(call));
        }
        if (const int result = MoveNext(); result != kNoError) {
            CloseRecordset();
            return result;
        }
    }
    CloseRecordset();
    if (rows)
        *rows = std::move(read);
    count = total;
    return kNoError;
}

int CRatingDatabase::SelectExtensionCalls(int pbx, int extensionNumber, const OleDate* start, const OleDate* end,
                                          std::vector<LoggedCall>* rows, int& count)
{
    return SelectCalls(CallFilter::kExtension, pbx, extensionNumber, start, end, rows, count);
}

int CRatingDatabase::SelectPbxCalls(int pbx, const OleDate* start, const OleDate* end, std::vector<LoggedCall>* rows,
                                    int& count)
{
    return SelectCalls(CallFilter::kPbx, pbx, 0, start, end, rows, count);
}

int CRatingDatabase::SelectLineCalls(int pbx, int line, const OleDate* start, const OleDate* end,
                                     std::vector<LoggedCall>* rows, int& count)
{
    return SelectCalls(CallFilter::kLine, pbx, line, start, end, rows, count);
}

int CRatingDatabase::MarkCallsBilled(int pbx, int extensionNumber, const std::vector<OleDate>& starts)
{
    if (!IsOpen())
        return kDbNotConnected;
    for (const OleDate& start : starts)
        if (!start.IsValid())
            return kDbTableCheckFailed;
    DbTransaction transaction(*this);
    if (transaction.BeginResult() != kNoError)
        return kDbStatementFailed;
    for (const OleDate& start : starts) {
        const int result = OpenRecordset(QStringLiteral("UPDATE LogCalls SET Fatturato=1 WHERE (PbxIdentifier=? AND "
                                                        "IndiceDerivato=? AND DataInizio=? AND Uscente=?)"),
                                         {pbx, extensionNumber, SqlDateText(start), kOutgoing});
        CloseRecordset();
        if (result != kNoError)
            return result;  // the transaction rolls back: nothing is marked
    }
    return transaction.Commit();
}
