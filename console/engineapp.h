#pragma once

#include "boundpbxrecords.h"
#include "deferredmessagetarget.h"
#include "engineports.h"
#include "engineviewhost.h"
#include "enginesettings.h"
#include "extensioncallstate.h"
#include "installationsettings.h"
#include "oledate.h"
#include "ownedprocess.h"
#include "sqldatabase.h"
#include "startupsignaltarget.h"
#include "startupwaits.h"
#include "suiteipc.h"

#include <QImage>
#include <QRegion>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

class CallNotificationHandler;
class CContactCache;
class ClientDatagramHandler;
class CEngineClient;
class CEngineDoc;
class CEngineServer;
class CEngineView;
class CEventSender;
class CMainFrame;
class CPbxLink;
class PbxEventProcessor;
class CSplashDlg;
class CUdpEventListener;
class LinkSupervisor;
class TerminationMessage;

// The console program: decides at start whether this workstation is the engine server (it owns the PBX
// links, the request server and the event sender) or a client of another workstation's engine, brings
// the engine up in that mode with a splash that tells each step, creates the status-board window with
// its notification icon, starts the operator console or the updater, and at the end releases everything
// in a fixed order. The view's timer and the configuration restart the engine or one PBX link through
// StartEngine and OpenPbxLink.
//
// Nothing but the first-run wizard's cancellation (and a second start, or a window class that cannot be
// had) ends the start: a failing step leaves its outcome for the status board and the window shown.
class CEngineApp : public EngineViewHost {
public:
    static constexpr int kPbxLinks = kMaxPbxLinks;
    static constexpr std::uint8_t kLinkNotStarted = 4;  // link status before the engine has run
    static constexpr std::uint32_t kClientDatagramMessage = WM_USER + 100;
    static constexpr std::uint32_t kTapiMessage = WM_USER + 101;
    static constexpr std::size_t kChannelQueueSize = 512;
    static constexpr int kRequestServerPbxCount = kPbxLinks;
    // The serial settings of a PBX link: 9,600 baud, 8 data bits, no parity, one stop bit.
    static constexpr int kBaudRate = 9600;
    static constexpr int kDataBits = 8;
    static constexpr int kParityNone = 0;
    static constexpr int kOneStopBit = 0;
    static constexpr int kSimulatorComNumber = 98;
    static inline const QString kSkinFile = QStringLiteral("PxBkImg.psx");
    static inline const QString kTrafficLogFile = QStringLiteral("Engine.log");

    CEngineApp();
    ~CEngineApp() override;
    CEngineApp(const CEngineApp&) = delete;
    CEngineApp& operator=(const CEngineApp&) = delete;

    // The start-up; false ends the program (with ExitInstance's code).
    bool InitInstance();
    // The shutdown; the program's exit code.
    int ExitInstance();

    // Reads the installation store and what this workstation's engine needs with it: the database it
    // uses, its ports and its waits. The start-up's first step after the single-instance check.
    void LoadSettings();

    // The about box, for the main frame's about command.
    void ShowAboutBox();

    // (Re)starts the engine in the installation mode: 0, or the first failing code.
    std::uint8_t StartEngine();
    // Closes the PBX's link if any, opens a new one and runs the start-up reads: 0 or the failing code.
    // The callers set the link status and the records-loaded flag.
    std::uint8_t OpenPbxLink(int pbx);
    // Starts the link to the TAPI driver when the bound PBX allows it: 0 or the failing code.
    std::uint8_t StartTapiService();

    // --- What the view and the later steps read ---
    InstallationSettings& Installation() override { return m_installation; }
    EngineSettings& Settings() override { return m_engineSettings; }
    CSqlDatabase& Database() override { return m_database; }
    const EnginePorts& Ports() const { return m_ports; }
    std::uint8_t GetAssociatedPbx() const override { return m_installation.GetAssociatedPbx(); }
    std::uint8_t GetAssociatedExtension() const override { return m_installation.AssociatedExtension(); }
    bool IsServerMode() const override { return m_installation.IsServerStation(); }

    std::uint8_t LinkStatus(int pbx) const override;
    bool RecordsLoaded(int pbx) const;
    std::uint8_t EngineOutcome() const override { return m_engineOutcome; }
    std::uint8_t EngineOutcomeDetail() const override { return m_engineOutcomeDetail; }
    std::uint8_t TapiOutcome() const override { return m_tapiOutcome; }
    std::shared_ptr<CPbxLink> Link(int pbx) const;
    const CEngineClient* EngineClient() const { return m_engineClient.get(); }
    CEventSender* EventSender() const { return m_eventSender.get(); }
    CEventSender* TapiSender() const { return m_tapiSender.get(); }
    CUdpEventListener* TapiListener() const { return m_tapiListener.get(); }
    CUdpEventListener* ClientListener() const { return m_clientListener.get(); }
    BoundPbxRecords& BoundRecords() override { return m_boundRecords; }
    QString GetExtensionLabel(int extension) override;
    ExtensionCallStateTable& CallStates() { return m_callStates; }
    CContactCache* Contacts() const override { return m_contacts.get(); }
    PbxEventProcessor* EventProcessor() const { return m_eventProcessor.get(); }
    CMainFrame* MainFrame() const { return m_frame.get(); }
    CEngineView* View() const { return m_view; }
    const QImage& SkinBitmap() const override { return m_skinBitmap; }
    const QRegion& SkinRegion() const override { return m_skinRegion; }

private:
    using Progress = std::function<void(unsigned stringId)>;

    // Start-up steps.
    bool HandOverToRunningConsole();
    void ChooseLanguage();
    // True once a termination signal came during the start-up.
    bool Terminating() const;
    // Ends a start-up that a termination signal interrupted: reported, exit code 0.
    bool EndStartBySignal();
    void OpenTrafficLog();
    bool RunSetupWizard();
    void StartServerAtFirstStart();
    void StartClientAtFirstStart();
    void StartTapiAtFirstStart();
    void StartSimulator();
    void LoadSkin();
    bool CreateWindows();
    void CreateEventHandlers();
    void CreateCallHandlers();
    // The view stops its timers and forgets the handlers; the popup's window goes with them.
    void ReleaseCallHandlers();
    void GiveViewTheMessages();
    void FinishWindow();
    void DecideUpdateCheck();
    void StartOperatorConsole();

    // Engine steps shared by the first start and the restart.
    int ConnectServerDatabase();
    bool StartRequestServer();
    void CreateLocalEngineClient();
    std::uint8_t OpenPbxLink(int pbx, const Progress& progress);
    void StartPbxLinks(bool firstStart);
    int ConnectClientEngine();
    int ReadBoundPbxLinkState();
    int LoadClientRecords(const Progress& progress);
    bool StartClientListener();
    bool TapiServiceAllowed() const;
    void CloseLink(int pbx);

    // Stops and frees the engine's servers, listeners, senders and links, in that order; again does nothing.
    void ReleaseEngine();
    void ShowSplash(unsigned stringId);
    void SetProgress(const QString& text);
    void SetProgress(unsigned stringId);
    void CloseSplash();
    void Fail(std::uint8_t outcome, int detail);
    MessageTarget* ViewTarget() const;
    void WaitMs(int ms) const;
    void ReportOutcomes() const;

    OleDate m_startTime;
    InstallationSettings m_installation;
    EngineSettings m_engineSettings;
    CSqlDatabase m_database;
    EnginePorts m_ports;
    StartupWaits m_waits;

    // Messages for the main frame arrive from the suite's programs before the frame exists.
    DeferredMessageTarget m_frameTarget;
    // Where the termination signals go: the start-up until the window exists, then m_frameTarget.
    StartupSignalTarget m_signalTarget{m_frameTarget};
    std::unique_ptr<SuiteIpc::Registration> m_windowClass;
    std::unique_ptr<TerminationMessage> m_signals;
    int m_exitCode = 0;

    mutable std::mutex m_linksMutex;  // the request server's threads look the links up
    std::array<std::shared_ptr<CPbxLink>, kPbxLinks> m_links;
    std::array<std::uint8_t, kPbxLinks> m_linkStatus;
    std::array<std::uint8_t, kPbxLinks> m_recordsLoaded{};
    std::uint8_t m_engineOutcome = 0;
    std::uint8_t m_engineOutcomeDetail = 0;
    std::uint8_t m_tapiOutcome;
    bool m_allStarted = true;
    bool m_firstRunDialogShown = false;

    std::unique_ptr<CEngineServer> m_server;
    std::unique_ptr<CEventSender> m_eventSender;
    std::unique_ptr<CEngineClient> m_engineClient;
    std::unique_ptr<CUdpEventListener> m_tapiListener;
    std::unique_ptr<CEventSender> m_tapiSender;
    std::unique_ptr<CUdpEventListener> m_clientListener;

    BoundPbxRecords m_boundRecords;
    ExtensionCallStateTable m_callStates;
    std::unique_ptr<CContactCache> m_contacts;
    std::unique_ptr<PbxEventProcessor> m_eventProcessor;
    std::unique_ptr<ClientDatagramHandler> m_clientHandler;
    std::unique_ptr<CallNotificationHandler> m_callHandler;
    std::unique_ptr<LinkSupervisor> m_linkSupervisor;
    QImage m_skinBitmap;
    QRegion m_skinRegion;

    OwnedProcess m_simulator;  // the simulator this console started, if any
    std::unique_ptr<CSplashDlg> m_splash;
    std::unique_ptr<CEngineDoc> m_document;
    std::unique_ptr<CMainFrame> m_frame;
    CEngineView* m_view = nullptr;  // owned by the frame
};
