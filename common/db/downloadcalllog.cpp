#include "downloadcalllog.h"

#include "engineclient.h"
#include "pbxnumbering.h"
#include "sqldatabase.h"

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

constexpr int kMaxRecordsPerExtension = 255;
constexpr int kRecordSeconds = 65;  // the PBX may take long to find a record in a full log
constexpr int kClearSeconds = 6;

template <typename Record>
void CopyBytes(const QByteArray& from, Record& to)
{
    to.bytes.fill(0);
    std::copy_n(from.constBegin(), std::min<std::size_t>(to.bytes.size(), static_cast<std::size_t>(from.size())),
                to.bytes.begin());
}

}  // namespace

int DownloadCallLog(const CEngineClient* client, CSqlDatabase& database, int pbx, std::chrono::milliseconds settleTime,
                    const std::function<bool()>& stopRequested)
{
    const auto stopped = [&stopRequested] { return stopRequested && stopRequested(); };
    if (!client)
        return kQueueSizesRefused;
    QByteArray storedInitialization;
    QByteArray storedConfiguration;
    int result = database.ReadInitialization(pbx, storedInitialization);
    if (result == kNoError)
        result = database.ReadSystemConfiguration(pbx, storedConfiguration);
    if (result != kNoError)
        return result;
    PbxInitialization initialization;
    PbxSystemConfiguration configuration;
    CopyBytes(storedInitialization, initialization);
    CopyBytes(storedConfiguration, configuration);

    const auto target = static_cast<std::uint8_t>(pbx);
    bool everyLogRead = true;
    for (int extension = 0; extension < initialization.ExtensionCount(); ++extension) {
        QByteArray programming;
        result = database.ReadDerivedProgrammation(pbx, extension, programming);
        if (result != kNoError)
            return result;
        const auto programmingBytes = std::span(reinterpret_cast<const std::uint8_t*>(programming.constData()),
                                                static_cast<std::size_t>(programming.size()));
        const int number = DefaultExtensionNumber(static_cast<std::uint8_t>(extension), initialization, configuration,
                                                  ProgrammedExtensionNumber(programmingBytes))
                               .toInt();
        // The extension's answer is read whole, then stored in one transaction: all of its calls or none.
        QList<QByteArray> calls;
        bool endReached = false;
        for (int j = 0; j < kMaxRecordsPerExtension && !endReached; ++j) {
            if (stopped())
                return kCallLogDownloadStopped;  // this extension's calls stay in the PBX, unstored
            CallLogRecord record;
            result = client->ReadCallLogRecord(target, static_cast<std::uint8_t>(extension), j != 0, record,
                                               kRecordSeconds);
            if (result != kNoError)
                return result;
            switch (record.RecordKind()) {
            case CallLogRecord::kNoRecord:
            case CallLogRecord::kEndOfLog:
                endReached = true;
                break;
            case CallLogRecord::kCall:
                calls << QByteArray(reinterpret_cast<const char*>(record.bytes.data()), CallLogRecord::kSize);
                break;
            default:
                break;
            }
        }
        result = database.InsertLoggedCalls(pbx, calls, number);
        if (result != kNoError)
            return result;  // the log stays in the PBX: no call is lost
        // An extension with more records than one download reads keeps its log for the next one.
        everyLogRead = everyLogRead && endReached;
    }

    if (stopped())
        return kCallLogDownloadStopped;
    if (everyLogRead && !initialization.IsNexo28())
        result = client->ClearCallLog(target, kAllExtensions, kClearSeconds);
    std::this_thread::sleep_for(settleTime);
    return result;
}
