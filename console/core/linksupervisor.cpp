#include "linksupervisor.h"

#include "binaryrecord.h"
#include "boundpbxrecords.h"
#include "engineclient.h"
#include "engineerrorcode.h"
#include "messagetarget.h"
#include "pbxclock.h"
#include "pbxinitialization.h"
#include "pbxlink.h"
#include "pbxrecord.h"
#include "sqldatabase.h"

namespace {

// Engine outcomes 1-9 are start failures that a restart may mend.
constexpr std::uint8_t kFirstEngineFailure = 1;
constexpr std::uint8_t kLastEngineFailure = 9;
// TAPI outcomes 1-5: the TAPI link waits for the engine or the bound PBX.
constexpr std::uint8_t kFirstTapiFailure = 1;
constexpr std::uint8_t kLastTapiFailure = 5;
// The codes of a device that could not be opened (missing, held, failed).
constexpr std::uint8_t kFirstResourceFailure = kResourceAlreadyOpen;
constexpr std::uint8_t kLastResourceFailure = kResourceOpenFailed;
// The state events are asked for with this parameter.
constexpr std::uint8_t kStateEventsOn = 1;

QString StoredModel(CSqlDatabase& database, int pbx, bool& read)
{
    QByteArray record;
    read = database.ReadInitialization(pbx, record) == kNoError;
    return ReadAnsiField(record, PbxRecord::kInitializationVersion,
                         PbxRecord::kInitializationSize - PbxRecord::kInitializationVersion);
}

}  // namespace

LinkSupervisor::LinkSupervisor(Services services) : m_services(std::move(services)) {}

void LinkSupervisor::Tick()
{
    if (!m_services.serverMode || !m_services.serverMode()) {
        CheckClientLink();
        return;
    }
    const std::uint8_t outcome = m_services.engineOutcome();
    if (outcome >= kFirstEngineFailure && outcome <= kLastEngineFailure)
        RestartFailedEngine();
    else
        CheckServerLinks();
}

void LinkSupervisor::RestartFailedEngine()
{
    if (!m_services.counters->CountDown(0))
        return;
    m_services.counters->ResetAll();
    m_services.startEngine();
    Refresh();
}

void LinkSupervisor::CheckServerLinks()
{
    const int count = std::min(m_services.database->PbxCount(), kMaxPbxLinks);
    for (int pbx = 0; pbx < count; ++pbx) {
        // A channel that saw its peer gone is looked at now, not after a minute of silence; so is a link
        // closed for that while its device is missing.
        const std::shared_ptr<CPbxLink> link = m_services.link(pbx);
        const bool peerLost = link && link->IsOpen() ? link->TakePeerLost()
                                                     : m_reopenAtNextTick[static_cast<std::size_t>(pbx)];
        if (!peerLost && !m_services.counters->CountDown(pbx))
            continue;
        m_services.counters->Reset(pbx);
        CheckServerLink(pbx);
    }
}

void LinkSupervisor::CheckServerLink(int pbx)
{
    const std::shared_ptr<CPbxLink> link = m_services.link(pbx);
    if (!link || !link->IsOpen()) {
        ReopenLink(pbx);
        return;
    }
    CSqlDatabase& database = *m_services.database;
    const CEngineClient* client = m_services.engineClient();
    PbxInitialization live;
    const EngineErrorCode result = client ? client->ReadInitialization(static_cast<std::uint8_t>(pbx), live, kRequestSeconds)
                                          : kNoEngineClient;
    if (result != kNoError) {
        link->SetRemoteAddress(m_services.broadcastAddress, m_services.pbxPort);
        database.UpdateComStat(database.PbxComId(pbx), result);
        m_services.setLinkStatus(pbx, result);
        if (m_services.iconShown && m_services.iconShown())
            Post(kFaultBalloonMessage);
        Refresh();
        if (link->IsHungUp()) {
            // A serial device whose far end hung up gives nothing more: it is closed now and opened again
            // from the next tick on.
            m_services.closeLink(pbx);
            m_reopenAtNextTick[static_cast<std::size_t>(pbx)] = true;
        }
        return;
    }
    if (m_services.linkStatus(pbx) != kNoError) {
        bool read = false;
        const QString stored = StoredModel(database, pbx, read);
        if (!read || stored != live.Version())
            return;  // another PBX model: the link stays failed until the configuration is renewed
        m_services.setLinkStatus(pbx, kNoError);
        database.UpdateComStat(database.PbxComId(pbx), kNoError);
        if (TapiWaitsForLink())
            m_services.startTapiService();
        Refresh();
        Post(kRestoredBalloonMessage);
        return;
    }
    client->RequestStateEvents(static_cast<std::uint8_t>(pbx), kStateEventsOn, kRequestSeconds);
    SetPbxClockToNow(client, static_cast<std::uint8_t>(pbx));
}

void LinkSupervisor::ReopenLink(int pbx)
{
    CSqlDatabase& database = *m_services.database;
    const std::uint8_t result = m_services.openPbxLink(pbx);
    bool& again = m_reopenAtNextTick[static_cast<std::size_t>(pbx)];
    if (result != kNoError) {
        m_services.setLinkStatus(pbx, result);
        database.UpdateComStat(database.PbxComId(pbx), result);
        m_services.closeLink(pbx);
        // Trying a device that is missing costs nothing; a PBX that does not answer blocks the GUI thread
        // for its start-up reads, so it waits for its silence counter again.
        again = again && result >= kFirstResourceFailure && result <= kLastResourceFailure;
        return;
    }
    again = false;
    // The link's old failure code would tell every workstation that the PBX is still down.
    m_services.setLinkStatus(pbx, kNoError);
    database.UpdateComStat(database.PbxComId(pbx), kNoError);
    Post(kRestoredBalloonMessage);
    Refresh();
}

void LinkSupervisor::CheckClientLink()
{
    const int pbx = m_services.boundPbx ? m_services.boundPbx() : 0;
    if (!m_services.counters->CountDown(pbx))
        return;
    m_services.counters->Reset(pbx);
    if (!m_services.clientLinkOpen()) {
        m_services.startEngine();
        Refresh();
        if (m_services.clientLinkOpen())
            Post(kRestoredBalloonMessage);
        return;
    }
    CSqlDatabase& database = *m_services.database;
    quint8 state = 0;
    const CEngineClient* client = m_services.engineClient();
    const bool stored = database.ReadComStat(database.PbxComId(pbx), state) == kNoError;
    if (!stored || !client || client->PingServer() != kNoError) {
        m_services.setEngineOutcome(kServerLostOutcome, kServerLostDetail);
        m_services.setTapiOutcome(kTapiNotStarted);
        m_services.closeLink(pbx);
        m_services.setLinkStatus(pbx, kLinkNotStarted);
        if (m_services.iconShown && m_services.iconShown())
            Post(kFaultBalloonMessage);
        Refresh();
        return;
    }
    const std::uint8_t status = m_services.linkStatus(pbx);
    if (state != kNoError) {
        if (status == kNoError && m_services.iconShown && m_services.iconShown())
            Post(kFaultBalloonMessage);
        m_services.setLinkStatus(pbx, state);
        Refresh();
        return;
    }
    if (status == kNoError)
        return;
    bool read = false;
    const QString model = StoredModel(database, pbx, read);
    if (!read || !m_services.boundRecords || model != m_services.boundRecords->ModelText())
        return;
    m_services.setLinkStatus(pbx, kNoError);
    if (TapiWaitsForLink())
        m_services.startTapiService();
    Refresh();
    Post(kRestoredBalloonMessage);
}

bool LinkSupervisor::TapiWaitsForLink() const
{
    const std::uint8_t outcome = m_services.tapiOutcome();
    return outcome >= kFirstTapiFailure && outcome <= kLastTapiFailure;
}

void LinkSupervisor::Post(std::uint32_t message) const
{
    if (m_services.mainFrame)
        m_services.mainFrame->Post(message, 0, 0);
}

void LinkSupervisor::Refresh() const
{
    if (m_services.refreshBoard)
        m_services.refreshBoard();
}
