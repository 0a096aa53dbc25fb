#pragma once

#include "engineports.h"
#include "installationsettings.h"
#include "oledate.h"
#include "operatorconsolestate.h"
#include "operatorsettingsrecords.h"
#include "sqldatabase.h"
#include "startupmessagetarget.h"
#include "suiteipc.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

class CEngineClient;
class CEventPopupDlg;
class CMainFrame;
class CRecorderFtpClient;
class CSplashDlg;
class CUdpEventListener;
class EngineEventDispatcher;
class OperatorImageLists;
class TerminationMessage;

// The operator console program: hands over to a running console, reads its installation and settings,
// connects to the database and to the engine, reads its PBX's configuration and state from the engine's
// tables, builds the icons, creates the frame and the listener of the engine's events, opens the windows
// chosen in the settings and the call and event popup; at the end it releases all of it in order. Each
// step and failure is told on standard output ("Fonivra: ...") before any box.
class CFonivraApp {
public:
    static constexpr std::uint32_t kEngineEventMessage = WM_USER + 100;
    static inline const QString kWindowName = QStringLiteral("Fonivra");
    // The pause that shows the splash's first text: Registry.ini [Startup] SplashWaitMs may shorten it.
    static constexpr int kSplashWaitMs = 1000;
    static inline const QString kSplashWaitName = QStringLiteral("SplashWaitMs");

    explicit CFonivraApp(QStringList arguments);
    ~CFonivraApp();
    CFonivraApp(const CFonivraApp&) = delete;
    CFonivraApp& operator=(const CFonivraApp&) = delete;

    // The start-up; false ends the program with ExitInstance's code.
    bool InitInstance();
    int ExitInstance();

    OperatorConsoleState& State() { return m_state; }
    OperatorSettingsRecords& Settings() { return m_settings; }
    CMainFrame* MainFrame() const { return m_frame.get(); }

private:
    bool HandOverToRunningConsole();
    bool Fail(std::uint8_t code);
    bool EndStartBySignal();
    bool Terminating() const { return m_messages.TerminationRequested(); }
    void Progress(unsigned stringId);
    void WaitMs(int ms) const;
    void LoadSettingsFiles();
    int ConnectDatabase();
    int CreateEngineClient();
    int LoadState();
    void BuildImageLists();
    bool CreateFrame();
    void StartListener();
    bool HasProgramArgument() const;
    void ReadTelephonyLocation();
    void PrepareIcon();
    void CreatePopup();

    QStringList m_arguments;
    OleDate m_startTime;
    OperatorSettingsRecords m_settings;
    InstallationSettings m_installation;
    EnginePorts m_ports;
    CSqlDatabase m_database;
    OperatorConsoleState m_state;
    QString m_serverName;
    QString m_countryCode;
    QString m_cityCode;
    int m_exitCode = 0;

    StartupMessageTarget m_messages;
    std::unique_ptr<SuiteIpc::Registration> m_windowClass;
    std::unique_ptr<SuiteIpc::Registration> m_windowTitle;
    std::unique_ptr<TerminationMessage> m_signals;
    std::unique_ptr<CSplashDlg> m_splash;
    std::unique_ptr<CEngineClient> m_engineClient;
    std::unique_ptr<CRecorderFtpClient> m_recorder;
    std::unique_ptr<OperatorImageLists> m_images;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<EngineEventDispatcher> m_dispatcher;
    std::unique_ptr<CUdpEventListener> m_listener;
    std::unique_ptr<CEventPopupDlg> m_popup;
};
