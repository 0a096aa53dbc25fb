#pragma once

#include "cardimagelist.h"
#include "dbparameters.h"
#include "framemessagerelay.h"
#include "installationsettings.h"
#include "pbxtables.h"
#include "ratingconfiguration.h"
#include "ratingpbxfacts.h"
#include "ruletable.h"
#include "suiteipc.h"

#include <QPrinter>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>

class CallLoggerExport;
class CallStatistics;
class CMainFrame;
class CRatingDatabase;
class CSplashDlg;
class CValuxaView;
class TerminationMessage;

// The rating program Tarivo: registers the window class by which the other programs find it, connects
// to the database, loads the data of every installed PBX and the rating configuration (or builds the
// first-run defaults), draws the tariff and rule pictures, opens the main window and carries out the
// request on its command line. At the end it stores the configuration and releases what it took.
class CValuxaApp {
public:
    static inline const QString kProgramName = QStringLiteral("Tarivo");
    static constexpr int kUnavailableRequest = 100;
    static constexpr int kInstallationNotRead = 62;
    static constexpr int kNoDatabaseServer = 47;

    // The program's arguments without its own name. Tests may name the catalog themselves; the program
    // takes it from the installation store.
    explicit CValuxaApp(QStringList arguments, std::optional<DbParameters> catalog = std::nullopt);
    ~CValuxaApp();
    CValuxaApp(const CValuxaApp&) = delete;
    CValuxaApp& operator=(const CValuxaApp&) = delete;

    // The start; false ends the program (a second start, no own path on the command line, or a failure
    // already shown in its box).
    bool InitInstance();
    // The end: stores the configuration and releases the database, the PBX data and the pictures.
    int ExitInstance();
    void OnAppAbout();
    // The orientation of the application's printer: 1 portrait, 2 landscape.
    void SetPrinterOrientation(int orientation);
    QPrinter& Printer() { return m_printer; }

    // Carries out a command-line request; false when it names a PBX or extension that is not available.
    bool ProcessCommandLineRequest(const QString& request);

    // The failure code of the start, 0 when none was shown.
    int FailureCode() const { return m_failureCode; }
    CMainFrame* MainFrame() const { return m_frame.get(); }
    CValuxaView* View() const { return m_view; }
    RatingConfiguration& Configuration() { return m_configuration; }
    const CardImageList& TariffPictures() const { return m_tariffPictures; }
    const CardImageList& RulePictures() const { return m_rulePictures; }
    const RatingPbxFacts& Pbxs() const { return m_pbxFacts; }

private:
    bool Fail(int code);
    // Ends the start on the exit command (a termination signal) that came before the window.
    bool Stop();
    void SetSplashText(unsigned stringId);
    int ConnectDatabase();
    int LoadPbxs();
    void LoadConfiguration();
    void DrawPictures();
    void LoadCallLogger();
    bool CreateWindows();
    void OnViewCommand(int command);
    void StoreConfiguration();

    QStringList m_arguments;
    std::optional<DbParameters> m_catalog;
    FrameMessageRelay m_frameMessages;
    std::unique_ptr<SuiteIpc::Registration> m_windowClass;
    std::unique_ptr<TerminationMessage> m_termination;
    InstallationSettings m_installation;
    std::unique_ptr<CSplashDlg> m_splash;
    std::unique_ptr<CRatingDatabase> m_database;
    PbxTables m_pbxTables;
    RatingPbxFacts m_pbxFacts;
    RatingConfiguration m_configuration;
    CallTypeTable m_callTypes;
    CardImageList m_tariffPictures;
    CardImageList m_rulePictures;
    std::unique_ptr<CallLoggerExport> m_callLogger;
    std::unique_ptr<CallStatistics> m_statistics;
    QPrinter m_printer{QPrinter::HighResolution};
    std::unique_ptr<CMainFrame> m_frame;
    CValuxaView* m_view = nullptr;  // owned by the frame
    int m_failureCode = 0;
};
