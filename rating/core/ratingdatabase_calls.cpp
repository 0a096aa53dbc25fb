// CRatingDatabase: the outgoing calls of the call log and their billing mark.
#include "ratingdatabase.h"

#include "dbtransaction.h"
#include "engineerrorcode.h"
#include "loggedcallreader.h"
#include "sqldate.h"

namespace {

constexpr int kOutgoing = 1;  // Uscente of an outgoing call

}  // namespace

int CRatingDatabase::SelectCalls(CallFilter filter, int pbx, int value, const OleDate* start, const OleDate* end,
                                 std::vector<LoggedCall>* rows, int& count)
{
    LoggedCallFilter calls;
    calls.pbx = pbx;
    if (filter == CallFilter::kExtension && value != kAllExtensionNumbers)
        calls.extensionNumber = value;
    else if (filter == CallFilter::kLine && value != kAllLines)
        calls.line = value;
    calls.start = start;
    calls.end = end;
    // Inclusive: consecutive periods that meet at a second share no call and lose none.
    calls.inclusive = true;
    return SelectLoggedCalls(*this, calls, rows, count);
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
