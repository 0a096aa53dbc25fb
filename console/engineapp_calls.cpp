// CEngineApp: the call notifications of the bound extension and the link check of the view's timers.
#include "engineapp.h"

#include "callnotificationhandler.h"
#include "consolenotifications.h"
#include "engineclient.h"
#include "eventsender.h"
#include "engineview.h"
#include "linksupervisor.h"
#include "mainframe.h"
#include "pbxeventprocessor.h"
#include "pbxlink.h"
#include "udpeventlistener.h"

#include <QThread>

static_assert(LinkSupervisor::kFaultBalloonMessage == CMainFrame::kFaultBalloonMessage);
static_assert(LinkSupervisor::kRestoredBalloonMessage == CMainFrame::kRestoredBalloonMessage);
static_assert(CallNotificationHandler::kNotification == ConsoleNotifications::kPbxEventParameter);
static_assert(CallNotificationHandler::kNotificationTag == ConsoleNotifications::kPbxEventTag);
static_assert(CallNotificationHandler::kCallerIdBase == ConsoleNotifications::kCallerIdBase);
static_assert(CEngineApp::kTapiMessage == CEngineView::kPbxEventMessage);

void CEngineApp::CreateCallHandlers()
{
    CallNotificationHandler::Services calls;
    calls.engineClient = [this] { return m_engineClient.get(); };
    calls.tapiListener = [this] { return m_tapiListener.get(); };
    calls.tapiSender = [this] { return m_tapiSender.get(); };
    calls.boundRecords = &m_boundRecords;
    calls.boundPbx = [this] { return int(GetAssociatedPbx()); };
    calls.boundExtension = [this] { return int(GetAssociatedExtension()); };
    calls.boundLinkUp = [this] { return LinkStatus(GetAssociatedPbx()) == kNoError; };
    calls.incomingCallHandler = [this] { return m_engineSettings.incomingCallHandler; };
    calls.database = &m_database;
    calls.contacts = [this] { return m_contacts.get(); };
    calls.pause = [](std::chrono::milliseconds ms) { QThread::msleep(static_cast<unsigned long>(ms.count())); };
    calls.ringTimer = [this](bool run) {
        if (m_view)
            m_view->RunRingTimer(run);
    };
    m_callHandler = std::make_unique<CallNotificationHandler>(std::move(calls));

    LinkSupervisor::Services links;
    links.serverMode = [this] { return m_installation.IsLoaded() && IsServerMode(); };
    links.engineOutcome = [this] { return m_engineOutcome; };
    links.setEngineOutcome = [this](std::uint8_t outcome, std::uint8_t detail) {
        m_engineOutcome = outcome;
        m_engineOutcomeDetail = detail;
    };
    links.tapiOutcome = [this] { return m_tapiOutcome; };
    links.setTapiOutcome = [this](std::uint8_t outcome) { m_tapiOutcome = outcome; };
    links.startEngine = [this] { return StartEngine(); };
    links.openPbxLink = [this](int pbx) {
        // The simulator that went away (its line hung up) is started again first.
        if (m_installation.InstallationMode() == InstallationSettings::kModeSimulation)
            StartSimulator();
        const std::uint8_t result = OpenPbxLink(pbx);
        if (result == kNoError && pbx < kPbxLinks)
            m_recordsLoaded[static_cast<std::size_t>(pbx)] = 1;
        return result;
    };
    links.closeLink = [this](int pbx) {
        if (IsServerMode())
            CloseLink(pbx);
        else
            m_engineClient.reset();
    };
    links.startTapiService = [this] { return StartTapiService(); };
    links.link = [this](int pbx) { return Link(pbx); };
    links.clientLinkOpen = [this] { return m_engineClient != nullptr; };
    links.linkStatus = [this](int pbx) { return LinkStatus(pbx); };
    links.setLinkStatus = [this](int pbx, std::uint8_t status) {
        if (pbx >= 0 && pbx < kPbxLinks)
            m_linkStatus[static_cast<std::size_t>(pbx)] = status;
    };
    links.engineClient = [this] { return m_engineClient.get(); };
    links.database = &m_database;
    links.counters = &m_eventProcessor->SilenceCounters();
    links.boundRecords = &m_boundRecords;
    links.boundPbx = [this] { return m_installation.IsLoaded() ? int(GetAssociatedPbx()) : 0; };
    links.iconShown = [this] { return m_frame && m_frame->IsIconShown(); };
    links.mainFrame = &m_frameTarget;
    links.refreshBoard = [this] {
        if (m_view)
            m_view->RefreshStatusBoard(CEngineView::kListsOnly, 0);
    };
    links.broadcastAddress = m_ports.broadcastAddress;
    links.pbxPort = m_ports.lanPbxPort;
    m_linkSupervisor = std::make_unique<LinkSupervisor>(std::move(links));

    m_view->SetCallNotificationHandler(m_callHandler.get());
    m_view->SetLinkSupervisor(m_linkSupervisor.get());
}

void CEngineApp::ReleaseCallHandlers()
{
    if (m_view) {
        m_view->RunRingTimer(false);
        m_view->SetLinkSupervisor(nullptr);
        m_view->SetCallNotificationHandler(nullptr);
    }
    m_linkSupervisor.reset();
    m_callHandler.reset();
}
