// CEngineApp: the engine's start and restart, the PBX links and the link to the TAPI driver.
#include "engineapp.h"

#include "computername.h"
#include "engineclient.h"
#include "engineoutcome.h"
#include "engineserver.h"
#include "engineview.h"
#include "eventsender.h"
#include "pbxlink.h"
#include "pbxstartupreads.h"
#include "startupprogress.h"
#include "startupreport.h"
#include "terminationmessage.h"
#include "udpeventlistener.h"

#include <QThread>

namespace {

const QString kSerialResource = QStringLiteral("\\\\.\\COM%1");
const QString kLanResource = QStringLiteral("ETH0");
const std::string kLocalHost = "127.0.0.1";

}  // namespace

std::uint8_t CEngineApp::LinkStatus(int pbx) const
{
    return pbx >= 0 && pbx < kPbxLinks ? m_linkStatus[static_cast<std::size_t>(pbx)] : kLinkNotStarted;
}

bool CEngineApp::RecordsLoaded(int pbx) const
{
    return pbx >= 0 && pbx < kPbxLinks && m_recordsLoaded[static_cast<std::size_t>(pbx)] != 0;
}

std::shared_ptr<CPbxLink> CEngineApp::Link(int pbx) const
{
    if (pbx < 0 || pbx >= kPbxLinks)
        return nullptr;
    std::lock_guard lock(m_linksMutex);
    return m_links[static_cast<std::size_t>(pbx)];
}

void CEngineApp::CloseLink(int pbx)
{
    std::shared_ptr<CPbxLink> link;
    {
        std::lock_guard lock(m_linksMutex);
        link = std::move(m_links[static_cast<std::size_t>(pbx)]);
    }
    if (link)
        link->Close();
}

MessageTarget* CEngineApp::ViewTarget() const { return m_view ? &m_view->Target() : nullptr; }

void CEngineApp::WaitMs(int ms) const
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void CEngineApp::Fail(std::uint8_t outcome, int detail)
{
    m_engineOutcome = outcome;
    m_engineOutcomeDetail = static_cast<std::uint8_t>(detail);
    m_allStarted = false;
}

// --- Server steps ---

int CEngineApp::ConnectServerDatabase()
{
    const int result = m_database.ConnectAndCreateSchema(ComputerName());
    m_engineOutcomeDetail = static_cast<std::uint8_t>(result);
    if (result != kNoError)
        Fail(kEngineDatabaseNotConnected, result);
    return result;
}

bool CEngineApp::StartRequestServer()
{
    m_server = std::make_unique<CEngineServer>(kRequestServerPbxCount, [this](int pbx) { return Link(pbx); });
    if (!m_server->Start(m_ports.requestPort)) {
        m_server.reset();
        Fail(kEngineTcpServerFailed, 0);
        return false;
    }
    WaitMs(m_waits.engineMs);
    SetProgress(kProgressStartingClient);
    m_eventSender = std::make_unique<CEventSender>(&m_server->Clients(), m_ports.eventPort);
    m_eventSender->Start();
    m_server->SetEventSender(m_eventSender.get());
    return true;
}

void CEngineApp::CreateLocalEngineClient()
{
    m_engineClient = std::make_unique<CEngineClient>(kLocalHost, m_ports.requestPort);
}

std::uint8_t CEngineApp::OpenPbxLink(int pbx) { return OpenPbxLink(pbx, {}); }

std::uint8_t CEngineApp::OpenPbxLink(int pbx, const Progress& progress)
{
    if (pbx < 0 || pbx >= kPbxLinks)
        return kServerUnknownTarget;
    CloseLink(pbx);
    ResetExtensionCallStates(m_callStates, static_cast<unsigned>(pbx), kAllCallStates);
    PbxLinkSettings settings;
    settings.lan.localPort = m_ports.lanEnginePort;
    settings.lan.pbxPort = m_ports.lanPbxPort;
    const auto link = std::make_shared<CPbxLink>(settings);
    {
        std::lock_guard lock(m_linksMutex);
        m_links[static_cast<std::size_t>(pbx)] = link;
    }

    const int comNumber = m_database.PbxComNumber(pbx);
    QString resource = kLanResource;
    if (m_installation.InstallationMode() == InstallationSettings::kModeSimulation)
        resource = kSerialResource.arg(kSimulatorComNumber);
    else if (comNumber > 0)
        resource = kSerialResource.arg(comNumber);
    std::uint8_t result = link->Open(resource, nullptr, 0, pbx, kChannelQueueSize, kChannelQueueSize);
    if (result != kNoError)
        return result;
    link->Setup(kBaudRate, kDataBits, kParityNone, kOneStopBit);

    if (!m_engineClient)
        return kNoEngineClient;
    const bool bound = pbx == GetAssociatedPbx();
    // A termination signal is heard between the answers: the GUI thread's event loop waits meanwhile.
    result = static_cast<std::uint8_t>(ReadPbxAtStartup(*m_engineClient, m_database, pbx,
                                                        bound ? &m_boundRecords : nullptr, progress,
                                                        [] { return TerminationMessage::IsRequested(); }));
    if (result != kNoError)
        return result;
    link->SetNotifyTarget(ViewTarget());
    ResetExtensionCallStates(m_callStates, static_cast<unsigned>(pbx), kAllCallStates);
    return kNoError;
}

void CEngineApp::StartPbxLinks(bool firstStart)
{
    const bool simulation = m_installation.InstallationMode() == InstallationSettings::kModeSimulation;
    const int count = std::min(m_database.PbxCount(), kPbxLinks);
    for (int pbx = 0; pbx < count; ++pbx) {
        Progress progress;
        if (firstStart) {
            if (simulation)
                StartSimulator();
            const QString name = m_database.PbxIdentifier(pbx);
            progress = [this, name](unsigned stringId) { SetProgress(PbxProgressText(stringId, name)); };
        }
        const std::uint8_t result = OpenPbxLink(pbx, progress);
        if (result != kNoError && TerminationMessage::IsRequested()) {
            // Ended, not failed: the PBX keeps the state it had, and the others are not opened.
            CloseLink(pbx);
            ReportStartup(QStringLiteral("PBX %1 %2: start-up reads ended by a termination signal")
                              .arg(pbx)
                              .arg(m_database.PbxIdentifier(pbx)));
            return;
        }
        const auto index = static_cast<std::size_t>(pbx);
        m_linkStatus[index] = result;
        if (result == kNoError) {
            m_recordsLoaded[index] = 1;
        } else {
            m_database.UpdateComStat(m_database.PbxComId(pbx), result);
            CloseLink(pbx);
            m_allStarted = false;
        }
        ReportStartup(QStringLiteral("PBX %1 %2: status %3").arg(pbx).arg(m_database.PbxIdentifier(pbx)).arg(result));
    }
}

// --- Client steps ---

int CEngineApp::ConnectClientEngine()
{
    const std::optional<std::string> address = ResolveIpv4Address(m_installation.ServerName());
    if (!address) {
        Fail(kEngineTcpClientFailed, 0);
        return kNoEngineClient;
    }
    m_engineClient = std::make_unique<CEngineClient>(*address, m_ports.requestPort);
    const int result = m_engineClient->PingServer();
    m_engineOutcomeDetail = static_cast<std::uint8_t>(result);
    if (result != kNoError)
        Fail(kEngineTcpClientFailed, result);
    return result;
}

int CEngineApp::ReadBoundPbxLinkState()
{
    const int bound = GetAssociatedPbx();
    quint8 state = kLinkNotStarted;
    const int result = m_database.ReadComStat(m_database.PbxComId(bound), state);
    if (result != kNoError) {
        Fail(kEngineDatabaseNotConnected, result);
        return result;
    }
    if (bound < kPbxLinks)
        m_linkStatus[bound] = state;
    return kNoError;
}

int CEngineApp::LoadClientRecords(const Progress& progress)
{
    const int bound = GetAssociatedPbx();
    const int result = m_boundRecords.LoadFromDatabase(m_database, bound, progress);
    if (result != kNoError) {
        Fail(kEngineDatabaseNotConnected, result);
        return result;
    }
    if (bound < kPbxLinks)
        m_recordsLoaded[bound] = 1;
    ReportStartup(QStringLiteral("PBX %1 %2 records: extensions %3, lines %4, entry phones %5, model %6")
                      .arg(bound)
                      .arg(m_database.PbxIdentifier(bound))
                      .arg(m_boundRecords.ExtensionCount())
                      .arg(m_boundRecords.LineCount())
                      .arg(m_boundRecords.EntryPhoneCount())
                      .arg(m_boundRecords.ModelText()));
    return kNoError;
}

bool CEngineApp::StartClientListener()
{
    m_clientListener = std::make_unique<CUdpEventListener>(ViewTarget(), kClientDatagramMessage, false,
                                                           m_ports.relayPort);
    if (!m_clientListener->Start(m_ports.eventPort)) {
        m_clientListener.reset();
        Fail(kEngineUdpServerFailed, 0);
        return false;
    }
    return true;
}

// --- TAPI driver ---

bool CEngineApp::TapiServiceAllowed() const
{
    const int bound = GetAssociatedPbx();
    if (bound >= kPbxLinks || m_linkStatus[bound] != kNoError || !m_boundRecords.HasInitialization())
        return false;
    // The associated extension must be one the PBX has: an index equal to a count is past the end.
    return m_boundRecords.HasExtension(GetAssociatedExtension());
}

std::uint8_t CEngineApp::StartTapiService()
{
    if (!TapiServiceAllowed()) {
        m_tapiOutcome = kTapiPbxFault;
        return kExtensionNotAvailable;
    }
    if (m_tapiListener || m_tapiSender) {
        m_tapiListener.reset();
        if (m_tapiSender)
            m_tapiSender->Stop();
        m_tapiSender.reset();
        WaitMs(m_waits.engineMs);
    }
    m_tapiListener = std::make_unique<CUdpEventListener>(ViewTarget(), kTapiMessage, true);
    if (!m_tapiListener->Start(m_ports.tapiCommandPort)) {
        m_tapiListener.reset();
        m_tapiOutcome = kTapiServerFailed;
        return kResourceNotAvailable;
    }
    m_tapiSender = std::make_unique<CEventSender>(nullptr, m_ports.tapiReplyPort);
    m_tapiSender->Start();
    m_tapiOutcome = kTapiStarted;
    return kNoError;
}

// --- Restart ---

std::uint8_t CEngineApp::StartEngine()
{
    m_recordsLoaded.fill(0);
    m_linkStatus.fill(kLinkNotStarted);
    m_engineOutcome = kEngineStarted;
    m_engineOutcomeDetail = 0;
    m_tapiOutcome = kTapiEngineNotStarted;

    if (IsServerMode()) {
        m_database.Close();
        const int result = ConnectServerDatabase();
        if (result != kNoError)
            return static_cast<std::uint8_t>(result);
        m_server.reset();
        if (m_eventSender)
            m_eventSender->Stop();
        m_eventSender.reset();
        WaitMs(m_waits.engineMs);
        if (!StartRequestServer())
            return kResourceNotAvailable;
        m_engineClient.reset();
        WaitMs(m_waits.engineMs);
        CreateLocalEngineClient();
        StartPbxLinks(false);
        return StartTapiService();
    }

    m_database.Close();
    int result = m_database.Connect(m_installation.ServerName());
    if (result != kNoError) {
        Fail(kEngineDatabaseNotConnected, result);
        return static_cast<std::uint8_t>(result);
    }
    m_engineClient.reset();
    WaitMs(m_waits.engineMs);
    result = ConnectClientEngine();
    if (result == kNoError)
        result = ReadBoundPbxLinkState();
    if (result != kNoError)
        return static_cast<std::uint8_t>(result);
    if (LinkStatus(GetAssociatedPbx()) != kNoError)
        return StartTapiService();
    result = LoadClientRecords({});
    if (result != kNoError)
        return static_cast<std::uint8_t>(result);
    m_clientListener.reset();
    WaitMs(m_waits.engineMs);
    if (!StartClientListener())
        return kResourceNotAvailable;
    return StartTapiService();
}

// --- First start ---

void CEngineApp::StartServerAtFirstStart()
{
    ShowSplash(kProgressConnectingDatabase);
    if (ConnectServerDatabase() != kNoError)
        return;
    SetProgress(kProgressStartingServer);
    if (!StartRequestServer())
        return;
    CreateLocalEngineClient();
    StartPbxLinks(true);
    if (!TerminationMessage::IsRequested())
        StartTapiAtFirstStart();
}

void CEngineApp::StartClientAtFirstStart()
{
    // A client shows its splash only when the user already saw a first-run dialog in this start.
    if (m_firstRunDialogShown)
        ShowSplash(kProgressConnectingDatabase);
    const int result = m_database.Connect(m_installation.ServerName());
    if (result != kNoError) {
        Fail(kEngineDatabaseNotConnected, result);
        return;
    }
    SetProgress(kProgressStartingClient);
    if (ConnectClientEngine() != kNoError || ReadBoundPbxLinkState() != kNoError)
        return;
    const int bound = GetAssociatedPbx();
    if (LinkStatus(bound) != kNoError) {
        m_allStarted = false;
        m_tapiOutcome = kTapiPbxFault;
        return;
    }
    const QString name = m_database.PbxIdentifier(bound);
    if (LoadClientRecords([this, name](unsigned stringId) { SetProgress(PbxProgressText(stringId, name)); }) !=
        kNoError)
        return;
    SetProgress(kProgressStartingUdpServer);
    if (StartClientListener())
        StartTapiAtFirstStart();
}

void CEngineApp::StartTapiAtFirstStart()
{
    if (TapiServiceAllowed())
        SetProgress(kProgressStartingTapi);
    if (StartTapiService() != kNoError)
        m_allStarted = false;
}

void CEngineApp::ReportOutcomes() const
{
    ReportStartup(QStringLiteral("engine outcome %1 detail %2 (%3); TAPI outcome %4 (%5)")
                      .arg(m_engineOutcome)
                      .arg(m_engineOutcomeDetail)
                      .arg(EngineOutcomeText(m_engineOutcome))
                      .arg(m_tapiOutcome)
                      .arg(TapiServiceOutcomeText(m_tapiOutcome)));
}
