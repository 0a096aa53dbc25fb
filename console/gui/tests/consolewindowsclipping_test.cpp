#include "aboutdlg.h"
#include "accesspassworddlg.h"
#include "boardhost.h"
#include "callballoondlg.h"
#include "callwindows.h"
#include "clippedtextcheck.h"
#include "computerbrowsedlg.h"
#include "configurationcatalog.h"
#include "configurationwidgets.h"
#include "contactcache.h"
#include "globalconfiguration.h"
#include "installationsettings.h"
#include "labeldlg.h"
#include "language.h"
#include "languagedlg.h"
#include "messageboxdlg.h"
#include "noeraselistctrl.h"
#include "pbxentrydlg.h"
#include "setupwizarddlg.h"
#include "stringtable.h"
#include "tapisettingsdlg.h"
#include "tempsuite.h"
#include "waitfor.h"
#include "widgettesting.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <tuple>

namespace {

// Each console window is opened as the program opens it and looked at, at the size it gives itself, in
// every state a user meets it in: no text may be cut and no control may stand outside its parent.
using Look = std::function<void(const QString& state, QWidget& window)>;

struct WindowCase {
    const char* name;
    void (*walk)(const Look& look);
};

void PrintTo(const WindowCase& window, std::ostream* out) { *out << window.name; }

constexpr int kStepTimeoutMs = 15000;
const QString kCaller = QStringLiteral("0612345678");
// The longest caller line the engine builds: the line's name and the contact's, 60 characters.
// A label of the longest length the label dialog takes.
const QString kLongestLabel = QStringLiteral("Camera 214 - Suite junior, secondo piano lato mare");
const QString kLongCallerLine = QStringLiteral("(Esterna 1)  Ufficio commerciale Rossi Mario, sede di Milano");

bool WaitForStep(CSetupWizardDlg& wizard, int step)
{
    return WaitFor([&] { return wizard.Step() == step && Find<QComboBox>(wizard, "1015")->count() > 0; },
                   kStepTimeoutMs);
}

void TakeRole(CSetupWizardDlg& wizard, const QString& role)
{
    auto combo = Find<QComboBox>(wizard, "1015");
    combo->setCurrentIndex(combo->findText(role));
    Click(wizard, "1016");
}

// The pages a role leads to, up to the extension's, each looked at in turn.
void LookAtPagesAfterTheRole(CSetupWizardDlg& wizard, const Look& look)
{
    ASSERT_EQ(wizard.Step(), CSetupWizardDlg::kStepPbxsOrServer);
    look(QStringLiteral("step1"), wizard);
    Click(wizard, "1020");
    ASSERT_EQ(wizard.Step(), CSetupWizardDlg::kStepPbx);
    look(QStringLiteral("step2"), wizard);
    Click(wizard, "1027");
    ASSERT_EQ(wizard.Step(), CSetupWizardDlg::kStepExtension);
    look(QStringLiteral("step3"), wizard);
}

void WalkServerWizard(const Look& look)
{
    TempSuite suite(QStringLiteral("Pultex"));
    PbxCatalog catalog(DbBackend::kSqlite);
    catalog.Engine({QStringLiteral("Centrale1"), QStringLiteral("Centrale2")});
    CSetupWizardDlg wizard(InstallationSettings::kModeNotConfigured, catalog.Parameters());
    wizard.show();
    ASSERT_TRUE(WaitForStep(wizard, CSetupWizardDlg::kStepRole));
    look(QStringLiteral("step0"), wizard);
    TakeRole(wizard, LoadResString(10022));
    LookAtPagesAfterTheRole(wizard, look);
}

void WalkClientWizard(const Look& look)
{
    TempSuite suite(QStringLiteral("Pultex"));
    PbxCatalog catalog(DbBackend::kSqlite);
    catalog.Engine({QStringLiteral("Centrale1")});
    CSetupWizardDlg wizard(InstallationSettings::kModeNotConfigured, catalog.Parameters());
    wizard.show();
    ASSERT_TRUE(WaitForStep(wizard, CSetupWizardDlg::kStepRole));
    TakeRole(wizard, LoadResString(10023));
    catalog.SaveSnapshots();
    ASSERT_EQ(wizard.Step(), CSetupWizardDlg::kStepPbxsOrServer);
    Find<QLineEdit>(wizard, "1031")->setText(QStringLiteral("pc-server"));
    ASSERT_NO_FATAL_FAILURE(LookAtPagesAfterTheRole(wizard, look));
    {
        ModalAnswerer answer([](QDialog* dialog) { PressButton(dialog, QMessageBox::No); });
        Click(wizard, "1030");
    }
    ASSERT_TRUE(WaitForStep(wizard, CSetupWizardDlg::kStepRole));
    look(QStringLiteral("after-no"), wizard);
}

// The sheet of a server workstation, which has every tab.
void WalkSheet(const Look& look)
{
    TempSuite suite(QStringLiteral("Pultex"));
    PbxCatalog catalog(DbBackend::kSqlite);
    CSqlDatabase& engine = catalog.Engine({QStringLiteral("Centrale1"), QStringLiteral("Centrale2")});
    ASSERT_EQ(engine.SaveDerivedLabel(0, 0, kLongestLabel), kNoError);
    InstallationSettings installation;
    installation.Load();
    installation.SetInstallationMode(InstallationSettings::kModeServer);
    installation.SetLanguage(IsEnglish() ? kLanguageEnglish : kLanguageItalian);
    EngineSettings settings;
    CGlobalConfiguration sheet(LoadResString(CGlobalConfiguration::kCaptionString), installation, settings,
                               catalog.Parameters());
    sheet.show();
    for (int tab = 0; tab < sheet.Tabs()->count(); ++tab) {
        sheet.Tabs()->setCurrentIndex(tab);
        look(QStringLiteral("tab%1").arg(tab), sheet);
    }
}

void WalkTapiSettings(const Look& look)
{
    TempSuite suite(QStringLiteral("Pultex"));
    CContactCache contacts;
    contacts.SetCountryCode(QStringLiteral("39"));
    contacts.AddContact(QStringLiteral("Giuseppe Verdi"), QStringLiteral("+39061"), {}, QStringLiteral("+39021"), {});
    contacts.AddContact(QStringLiteral("Studio Bianchi"), {}, QStringLiteral("+39333"), {}, QStringLiteral("+39029"));
    EngineSettings settings;
    CTapiSettingsDlg dialog(contacts, settings);
    dialog.show();
    look(QStringLiteral("contacts"), dialog);
}

void WalkBalloon(const Look& look)
{
    CallSuite suite;
    QWidget owner;
    CCallBalloonDlg balloon(&owner);
    balloon.show();
    for (const auto& [state, caller] : {std::pair{"short-caller", QStringLiteral("(Esterna 1)")},
                                        std::pair{"long-caller", kLongCallerLine}}) {
        balloon.SetTexts(LoadResString(10069), caller, kCaller);
        look(QString::fromLatin1(state), balloon);
    }
}

void WalkPopup(const Look& look)
{
    CallSuite suite;
    Popup popup;
    CIncomingCallDlg& dialog = *popup.dialog;
    dialog.AllowPopup();
    for (int state : {3, 7, 9}) {
        dialog.SetCallState(state, kCaller, kLongCallerLine);
        dialog.OnShowPopup();
        look(QStringLiteral("state%1").arg(state), dialog);
    }
}

void WalkBoard(const Look& look)
{
    BoardHost host;
    ASSERT_TRUE(host.Prepare(InstallationSettings::kModeServer));
    host.LoadSkin();
    for (int pbx = 2; pbx < 5; ++pbx)
        ASSERT_EQ(host.m_database.InsertEngineConfiguration(pbx, QStringLiteral("Centrale%1").arg(pbx + 1), pbx + 2),
                  kNoError);
    ASSERT_EQ(host.m_database.LoadEngineConfiguration(), kNoError);
    Board board(host);
    board.frame.RemoveCaptionAndBorder();
    board.view->RefreshStatusBoard(CEngineView::kGeneralInformation, 0);
    board.view->ApplySkinRegion();
    board.frame.show();
    board.view->RedrawInformationList();
    ASSERT_EQ(board.view->PbxList()->count(), 5);
    look(QStringLiteral("five-pbxs"), board.frame);
    board.view->PbxList()->setCurrentRow(4);
    board.view->OnNotify(CEngineView::kPbxsList, CEngineView::kClickNotification);
    look(QStringLiteral("fifth-pbx"), board.frame);
}

// A client workstation's board: the server's PBX and the TAPI driver's state.
void WalkClientBoard(const Look& look)
{
    BoardHost host;
    ASSERT_TRUE(host.Prepare(InstallationSettings::kModeClient));
    host.LoadSkin();
    host.m_tapi = 2;
    host.m_records.SetInitialization(BoardHost::Initialization(8, 4, 1, "VX100"));
    Board board(host);
    board.frame.RemoveCaptionAndBorder();
    board.view->RefreshStatusBoard(CEngineView::kGeneralInformation, 0);
    board.view->ApplySkinRegion();
    board.frame.show();
    board.view->RedrawInformationList();
    look(QStringLiteral("general"), board.frame);
    board.view->PbxList()->setCurrentRow(0);
    board.view->OnNotify(CEngineView::kPbxsList, CEngineView::kClickNotification);
    look(QStringLiteral("pbx"), board.frame);
}

void WalkAbout(const Look& look)
{
    TempSuite suite(QStringLiteral("Pultex"));
    EngineSettings settings;
    InstallationSettings installation;
    installation.Load();
    CAboutDlg dialog(settings, installation);
    dialog.show();
    look(QStringLiteral("about"), dialog);
}

void WalkAccessPassword(const Look& look)
{
    CAccessPasswordDlg dialog;
    dialog.show();
    look(QStringLiteral("empty"), dialog);
}

void WalkLabel(const Look& look)
{
    ASSERT_EQ(kLongestLabel.size(), CLabelDlg::kMaxLength);
    CLabelDlg dialog(QStringLiteral("INT. 214"), kLongestLabel);
    dialog.show();
    look(QStringLiteral("longest"), dialog);
}

void WalkLanguage(const Look& look)
{
    TempSuite suite(QStringLiteral("Pultex"));
    CLanguageDlg dialog;
    dialog.show();
    look(QStringLiteral("choice"), dialog);
}

void WalkPbxEntry(const Look& look)
{
    const std::vector<SerialPort> ports = {{QStringLiteral("ttyS0"), QStringLiteral("/dev/ttyS0"), 1},
                                            {QStringLiteral("ttyS1"), QStringLiteral("/dev/ttyS1"), 2}};
    CPbxEntryDlg added(QString(), QString(), nullptr, ports);
    added.show();
    look(QStringLiteral("new"), added);
    const QString identifier = QStringLiteral("Centrale_Reception01");
    ASSERT_EQ(identifier.size(), CPbxEntryDlg::kMaxLength);
    CPbxEntryDlg changed(identifier, QStringLiteral("COM2"), nullptr, ports);
    changed.show();
    look(QStringLiteral("longest"), changed);
}

void WalkComputerBrowser(const Look& look)
{
    CComputerBrowseDlg dialog({QStringLiteral("pc-reception"), QStringLiteral("server-amministrazione.hotel.lan")});
    dialog.show();
    look(QStringLiteral("computers"), dialog);
}

void WalkMessageBoxes(const Look& look)
{
    const std::pair<std::uint8_t, std::uint8_t> boxes[] = {
        {CMessageBoxDlg::kKindError, CMessageBoxDlg::kCodeNotConfigured},
        {CMessageBoxDlg::kKindError, CMessageBoxDlg::kCodeServerStopped},
        {CMessageBoxDlg::kKindError, CMessageBoxDlg::kCodeServerModeFailed},
        {CMessageBoxDlg::kKindWarning, CMessageBoxDlg::kCodeRestartRequested},
    };
    for (auto [kind, code] : boxes) {
        CMessageBoxDlg box(kind, code);
        box.show();
        look(QStringLiteral("code%1").arg(code), box);
    }
}

const WindowCase kWindows[] = {
    {"wizard_server", WalkServerWizard},
    {"wizard_client", WalkClientWizard},
    {"sheet", WalkSheet},
    {"tapi_settings", WalkTapiSettings},
    {"balloon", WalkBalloon},
    {"popup", WalkPopup},
    {"board", WalkBoard},
    {"board_client", WalkClientBoard},
    {"about", WalkAbout},
    {"access_password", WalkAccessPassword},
    {"label", WalkLabel},
    {"language", WalkLanguage},
    {"pbx_entry", WalkPbxEntry},
    {"computer_browser", WalkComputerBrowser},
    {"message_box", WalkMessageBoxes},
};

class ConsoleWindowsClipping : public ::testing::TestWithParam<std::tuple<WindowCase, int>> {
protected:
    void SetUp() override { SetLanguage(std::get<1>(GetParam())); }
    void TearDown() override { SetLanguage(kLanguageItalian); }
};

TEST_P(ConsoleWindowsClipping, ShowsEveryTextWholeAtTheSizeTheProgramGivesIt)
{
    // Named apart, not as a structured binding: the lambdas below capture the window.
    const auto& window = std::get<0>(GetParam());
    const int language = std::get<1>(GetParam());
    const QString suffix = language == kLanguageEnglish ? QStringLiteral("en") : QStringLiteral("it");
    int looked = 0;
    window.walk([&](const QString& state, QWidget& shown) {
        ++looked;
        const std::string where = state.toStdString();
        ASSERT_TRUE(WaitFor([&] { return shown.windowHandle() && shown.windowHandle()->isExposed(); })) << where;
        EXPECT_TRUE(HasNoClippedText(shown)) << where;
        const QString name = QStringLiteral("clip-%1-%2-%3").arg(QLatin1String(window.name), state, suffix);
        EXPECT_TRUE(SaveScreenshot(shown, name)) << where;
    });
    EXPECT_GT(looked, 0);
}

INSTANTIATE_TEST_SUITE_P(WindowsAndLanguages, ConsoleWindowsClipping,
                         ::testing::Combine(::testing::ValuesIn(kWindows),
                                            ::testing::Values(kLanguageItalian, kLanguageEnglish)),
                         [](const ::testing::TestParamInfo<std::tuple<WindowCase, int>>& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) == kLanguageEnglish ? "_en" : "_it");
                         });

}  // namespace
