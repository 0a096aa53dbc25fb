#include "pbxstartupreads.h"

#include "boundpbxrecords.h"
#include "downloadcalllog.h"
#include "engineclient.h"
#include "pbxclock.h"
#include "pbxobjecttype.h"
#include "pbxrecord.h"
#include "sqldatabase.h"
#include "startupprogress.h"

#include <QByteArray>

namespace {


template <std::size_t N>
QByteArray Bytes(const std::array<std::uint8_t, N>& bytes, std::size_t size = N)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(std::min(size, N)));
}

// The reads and stores of one PBX, stopping at the first failure.
class StartupReads {
public:
    StartupReads(const CEngineClient& client, CSqlDatabase& database, int pbx, BoundPbxRecords* bound,
                 const std::function<void(unsigned)>& progress, const std::function<bool()>& stopRequested)
        : m_client(client), m_database(database), m_pbx(pbx), m_target(static_cast<std::uint8_t>(pbx)),
          m_bound(bound), m_progress(progress), m_stopRequested(stopRequested)
    {
    }

    int Run()
    {
        int result = ReadInitialization();
        if (result == kNoError)
            result = SetClock();
        if (result == kNoError)
            result = ReadConfiguration();
        if (result == kNoError)
            result = ReadStates();
        if (result == kNoError)
            result = ReadProgramming();
        if (result == kNoError) {
            Announce(kProgressProcessingCallLog);
            result = DownloadCallLog(&m_client, m_database, m_pbx, kCallLogSettleTime, m_stopRequested);
        }
        if (result == kNoError && Stopped())
            result = kStartupReadsStopped;
        if (result == kNoError)
            result = m_client.RequestStateEvents(m_target, 1, kStartupReadSeconds);
        if (result == kNoError)
            result = m_database.UpdateComStat(m_database.PbxComId(m_pbx), kNoError);
        return result;
    }

private:
    bool Stopped() const { return m_stopRequested && m_stopRequested(); }

    void Announce(unsigned stringId) const
    {
        if (m_progress)
            m_progress(stringId);
    }

    int ReadInitialization()
    {
        Announce(kProgressReadingInitialization);
        int result = kNoError;
        for (int attempt = 0; attempt < kInitializationAttempts; ++attempt) {
            if (Stopped())
                return kStartupReadsStopped;
            result = m_client.ReadInitialization(m_target, m_initialization, kStartupReadSeconds);
            if (result == kNoError)
                break;
        }
        if (result != kNoError)
            return result;
        const QByteArray record = Bytes(m_initialization.bytes);
        result = m_database.SaveInitialization(m_pbx, record);
        if (result == kNoError && m_bound)
            m_bound->SetInitialization(record);
        return result;
    }

    int SetClock()
    {
        if (Stopped())
            return kStartupReadsStopped;
        PbxClockBytes clock{};
        const int result = m_client.ReadClock(m_target, clock, kStartupReadSeconds);
        return result != kNoError ? result : SetPbxClockToNow(&m_client, m_target);
    }

    int ReadConfiguration()
    {
        Announce(kProgressReadingConfiguration);
        if (Stopped())
            return kStartupReadsStopped;
        PbxSystemConfiguration configuration;
        int result = m_client.ReadSystemConfiguration(m_target, configuration, kStartupReadSeconds);
        if (result != kNoError)
            return result;
        const QByteArray record = Bytes(configuration.bytes);
        result = m_database.SaveSystemConfiguration(m_pbx, record);
        if (result == kNoError && m_bound)
            m_bound->SetSystemConfiguration(record);
        return result;
    }

    // The 7 status bytes (object type, index, state, link type, link index, follow-me, time-out) are
    // stored as the PBX sent them.
    template <typename Copy>
    int ReadStatus(std::uint8_t objectType, int count, int (CSqlDatabase::*save)(int, const QByteArray&), Copy copy)
    {
        for (int index = 0; index < count; ++index) {
            if (Stopped())
                return kStartupReadsStopped;
            PbxStatusBytes status{};
            int result = m_client.ReadStatus(m_target, objectType, static_cast<std::uint8_t>(index), status,
                                             kStartupReadSeconds);
            if (result != kNoError)
                return result;
            const QByteArray record = Bytes(status, PbxRecord::kStatusAnswerSize);
            result = (m_database.*save)(m_pbx, record);
            if (result != kNoError)
                return result;
            if (m_bound)
                copy(record);
        }
        return kNoError;
    }

    int ReadStates()
    {
        Announce(kProgressReadingStates);
        int result = ReadStatus(kObjectExtension, m_initialization.ExtensionCount(), &CSqlDatabase::SaveDerivedStatus,
                                [this](const QByteArray& r) { m_bound->AddExtensionStatus(r); });
        if (result == kNoError)
            result = ReadStatus(kObjectLine, m_initialization.LineCount(), &CSqlDatabase::SaveLineStatus,
                                [this](const QByteArray& r) { m_bound->AddLineStatus(r); });
        if (result == kNoError)
            result = ReadStatus(kObjectEntryPhone, m_initialization.EntryPhoneCount(), &CSqlDatabase::SaveEntryPhoneStatus,
                                [this](const QByteArray& r) { m_bound->AddEntryPhoneStatus(r); });
        // Relays are not asked: they are stored idle.
        for (int index = 0; result == kNoError && index < m_initialization.RelayCount(); ++index) {
            QByteArray relay(PbxRecord::kRelayStatusAnswerSize, '\0');
            relay[0] = static_cast<char>(kObjectRelay);
            relay[1] = static_cast<char>(index);
            result = m_database.SaveRelayStatus(m_pbx, relay);
        }
        return result;
    }

    int ReadProgrammation(std::uint8_t objectType, int index, QByteArray& record)
    {
        if (Stopped())
            return kStartupReadsStopped;
        ProgrammingRecord programming{};
        const int result = m_client.ReadProgrammation(m_target, objectType, static_cast<std::uint8_t>(index),
                                                      programming, kStartupReadSeconds);
        record = Bytes(programming, ProgrammingRecordSize(objectType));
        return result;
    }

    int ReadObjectsProgramming(std::uint8_t objectType, int count, int (CSqlDatabase::*save)(int, const QByteArray&),
                               bool storeFailureCounts)
    {
        for (int index = 0; index < count; ++index) {
            QByteArray record;
            int result = ReadProgrammation(objectType, index, record);
            if (result != kNoError)
                return result;
            result = (m_database.*save)(m_pbx, record);
            if (result != kNoError && storeFailureCounts)
                return result;
        }
        return kNoError;
    }

    int ReadProgramming()
    {
        Announce(kProgressReadingProgramming);
        for (int extension = 0; extension < m_initialization.ExtensionCount(); ++extension) {
            QByteArray record;
            int result = ReadProgrammation(kObjectExtension, extension, record);
            if (result == kNoError)
                result = m_database.SaveDerivedProgrammation(m_pbx, record);
            if (result != kNoError)
                return result;
            if (m_bound)
                m_bound->AddExtensionProgramming(record);
            WakeUpBytes wakeUp{};
            result = m_client.ReadWakeUp(m_target, static_cast<std::uint8_t>(extension), wakeUp, kStartupReadSeconds);
            if (result == kNoError)
                result = m_database.UpdateWakeUp(m_pbx, Bytes(wakeUp));
            if (result != kNoError)
                return result;
        }
        int result = ReadObjectsProgramming(kObjectLine, m_initialization.LineCount(),
                                            &CSqlDatabase::SaveLineProgrammation, true);
        if (result == kNoError)
            result = ReadObjectsProgramming(kObjectEntryPhone, m_initialization.EntryPhoneCount(),
                                            &CSqlDatabase::SaveEntryPhoneProgrammation, true);
        // A relay's programming that cannot be stored does not stop the start.
        if (result == kNoError)
            result = ReadObjectsProgramming(kObjectRelay, m_initialization.RelayCount(),
                                            &CSqlDatabase::SaveRelayProgrammation, false);
        if (result != kNoError)
            return result;
        // The system's programming is asked with the PBX index as its object index.
        QByteArray system;
        result = ReadProgrammation(kObjectSystem, m_pbx, system);
        return result != kNoError ? result : m_database.SaveSystemProgrammation(m_pbx, system);
    }

    const CEngineClient& m_client;
    CSqlDatabase& m_database;
    const int m_pbx;
    const std::uint8_t m_target;
    BoundPbxRecords* m_bound;
    const std::function<void(unsigned)>& m_progress;
    const std::function<bool()>& m_stopRequested;
    PbxInitialization m_initialization;
};

}  // namespace

int ReadPbxAtStartup(const CEngineClient& client, CSqlDatabase& database, int pbx, BoundPbxRecords* bound,
                     const std::function<void(unsigned)>& progress, const std::function<bool()>& stopRequested)
{
    if (bound)
        bound->Clear();
    return StartupReads(client, database, pbx, bound, progress, stopRequested).Run();
}
