// CSqlDatabase: the console's views of the switchboard's call log built on CountCallLog.
#include "sqldatabase.h"

#include "engineerrorcode.h"

namespace {

// The direction bit of the kinds byte that selects missed calls.
constexpr unsigned kMissedCalls = 0x04;
// Calls are counted up to this far past now, so that a call the PBX's clock starts a little ahead of this
// computer's is not left out.
constexpr qint64 kMissedCallsAheadSeconds = 5 * 60;

}  // namespace

int CSqlDatabase::CountCallLogWithLatest(int pbx, int extension, unsigned kinds, const OleDate* from,
                                         const OleDate* to, std::vector<CallLogEntry>* rows, int& count,
                                         OleDate& latest)
{
    // The start of each row is needed, so the rows are read even when the caller does not want them.
    std::vector<CallLogEntry> own;
    std::vector<CallLogEntry>& read = rows ? *rows : own;
    const int result = CountCallLog(pbx, extension, kinds, from, to, &read, count);
    // Rows come in start order: the last is the latest.
    if (result == kNoError && !read.empty())
        latest = read.back().start;
    return result;
}

int CSqlDatabase::CountMissedCalls(int pbx, int extension, const OleDate& reference, const OleDate& now, int& count)
{
    const OleDate until = now.AddSeconds(kMissedCallsAheadSeconds);
    return CountCallLog(pbx, extension, kMissedCalls, &reference, &until, nullptr, count);
}
