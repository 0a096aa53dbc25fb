// The operator console's frame in this process, offscreen, with a notification icon of the test's: the
// icon, the menu texts, the window toggles and their layout, the protection, the tool buttons' names, the
// keys of the PC phone and the lines window, the settings command, the exit while an alarm waits, and a
// screenshot.
#include "consolestatefixture.h"
#include "derivedview.h"
#include "engineeventdispatcher.h"
#include "sqldatabase.h"
#include "eventlistdlg.h"
#include "eventpopupdlg.h"
#include "installationsettings.h"
#include "keypaddisplay.h"
#include "language.h"
#include "lineview.h"
#include "mainframe.h"
#include "recorderftpclient.h"
#include "operatorsettingsrecords.h"
#include "pcphoneview.h"
#include "settingspage.h"
#include "systemconfiguration.h"
#include "waitfor.h"
#include "widgettesting.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFontDialog>
#include <QPushButton>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

class FakeIcon : public NotificationIcon {
public:
    bool Add(const NotificationIconData& data) override
    {
        ++added;
        shown = true;
        last = data;
        return true;
    }
    bool Modify(const NotificationIconData& data) override
    {
        last = data;
        return shown;
    }
    bool Remove() override
    {
        ++removed;
        const bool was = shown;
        shown = false;
        return was;
    }
    int added = 0;
    int removed = 0;
    bool shown = false;
    NotificationIconData last;
};

void Pump() { QCoreApplication::processEvents(); }

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLanguage(kLanguageItalian);
        ASSERT_TRUE(m_folder.isValid());
        MakeConsoleState(m_state, 8, 4, 2, 2);
        m_state.ownExtensionStateText = QStringLiteral("204 PRONTO");
        m_installation.Load();  // a first start: the defaults
        m_installation.SetAssociatedExtension(3);
        m_state.ownExtension = 3;
        m_images.BuildImageLists(1);
        m_images.BuildImageLists(2);
        m_images.BuildImageLists(3);
        m_images.BuildImageLists(4);
    }

    void TearDown() override { SetLanguage(kLanguageItalian); }

    CMainFrame& Frame()
    {
        if (!m_frame) {
            CMainFrame::Services services;
            services.state = &m_state;
            services.settings = &m_settings;
            services.installation = &m_installation;
            services.images = &m_images;
            services.settingsFolder = m_folder.path() + u'/';
            services.recorder = &m_recorder;
            auto icon = std::make_unique<FakeIcon>();
            m_icon = icon.get();
            services.icon = std::move(icon);
            services.runDialog = [this](QDialog& dialog) {
                m_dialogs << dialog.objectName();
                if (auto list = qobject_cast<CEventListDlg*>(&dialog))
                    m_lists.push_back({list->ListType(), list->Extension(), list->Option(), list->SecondOption()});
                return m_answer ? m_answer(dialog) : int(QDialog::Rejected);
            };
            services.servicesText = [] { return QStringLiteral("SERVIZI: NON DISTURBARE"); };
            m_frame = std::make_unique<CMainFrame>(std::move(services));
            m_frame->resize(1024, 768);
        }
        return *m_frame;
    }

    void Command(std::uint32_t command, std::int64_t lParam = 0)
    {
        Frame().Target().Post(WM_COMMAND, command, lParam);
        Pump();
    }

    QString ActionText(std::uint32_t command) { return Frame().Action(command)->text(); }

    QTemporaryDir m_folder;
    // A recorder whose host is never found: the frame only hands it on.
    CRecorderFtpClient m_recorder{[](std::string&) { return 1; }, CRecorderFtpClient::kDefaultPort};
    OperatorConsoleState m_state;
    OperatorSettingsRecords m_settings;
    InstallationSettings m_installation{m_folder.path() + QStringLiteral("/Installation.ini")};
    OperatorImageLists m_images{m_state, m_settings.main, [](PbxLabelKind, int, int) { return QString(); },
                                Choosers()};

    // Free extensions, lines and entry phones, relays on.
    static IconPictureChoosers Choosers()
    {
        IconPictureChoosers choosers;
        choosers.extension = [](int, QString& text) {
            text = QStringLiteral("LIBERO");
            return 243;
        };
        choosers.line = [](int, QString& text) {
            text = QStringLiteral("LIBERA");
            return 247;
        };
        choosers.entryPhone = [](int, QString& text) {
            text = QStringLiteral("RIPOSO");
            return 213;
        };
        choosers.relay = [](int) { return 310; };
        return choosers;
    }
    std::unique_ptr<CMainFrame> m_frame;
    FakeIcon* m_icon = nullptr;
    QStringList m_dialogs;
    struct List {
        int type, extension, option, secondOption;
        bool operator==(const List&) const = default;
    };
    std::vector<List> m_lists;
    std::function<int(QDialog&)> m_answer;
};

TEST_F(MainFrameTest, TheCloseBoxHidesToTheIconAndADoubleClickBringsItBackMaximised)
{
    CMainFrame& frame = Frame();
    frame.show();
    frame.SetIconData({QStringLiteral("Fonivra"), QStringLiteral("Fonivra"), QString(), NotificationIconData::kBalloonWarning});
    EXPECT_FALSE(frame.close());  // the close box does not close it
    Pump();
    EXPECT_TRUE(frame.IsIconShown());
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(m_icon->added, 1);
    EXPECT_EQ(m_icon->last.tip, QStringLiteral("Fonivra"));

    // A single click means nothing; the double click restores.
    frame.Target().Post(CMainFrame::kIconMessage, 0, 513);
    Pump();
    EXPECT_TRUE(frame.IsIconShown());
    frame.Target().Post(CMainFrame::kIconMessage, 0, CMainFrame::kIconDoubleClick);
    Pump();
    EXPECT_FALSE(frame.IsIconShown());
    EXPECT_EQ(m_icon->removed, 1);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(frame.windowState() & Qt::WindowMaximized);

    // The balloon's click restores it as well.
    frame.Target().Post(CMainFrame::kHideToIconMessage, 0, 0);
    Pump();
    ASSERT_TRUE(frame.IsIconShown());
    frame.Target().Post(CMainFrame::kIconMessage, 0, CMainFrame::kBalloonClick);
    Pump();
    EXPECT_FALSE(frame.IsIconShown());
    EXPECT_TRUE(frame.isVisible());
}

TEST_F(MainFrameTest, EveryMenuTextInBothLanguages)
{
    struct Text {
        std::uint32_t command;
        const char* italian;
        const char* english;
    };
    const Text texts[] = {
        {CMainFrame::kSettings, "Impostazioni", "Settings"},
        {CMainFrame::kExitCommand, "Esci", "Exit"},
        {CMainFrame::kWakeUpEvents, "Eventi sveglia", "Wake-up events"},
        {CMainFrame::kAlarms, "Allarmi", "Alarms"},
        {CMainFrame::kToggleExtensions, "Derivati", "Extensions"},
        {CMainFrame::kToggleLines, "Linee Esterne", "External lines"},
        {CMainFrame::kToggleEntryPhones, "Citofoni", "Entry phones"},
        {CMainFrame::kTogglePcPhone, "Telefono Virtuale", "Virtual telephone"},
        {CMainFrame::kToggleRelays, "Relays", "Relays"},
        {CMainFrame::kStatusBarCommand, "Barra di stato", "Status bar"},
        {CMainFrame::kToolBarCommand, "Barra delle applicazioni", "Tool bar"},
        {CMainFrame::kIncomingCalls, "Chiamate entranti", "Incoming calls"},
        {CMainFrame::kOutgoingCalls, "Chiamate uscenti", "Outgoing calls"},
        {CMainFrame::kMissedCalls, "Chiamate perse", "Missed calls"},
        {CMainFrame::kAllCalls, "Tutte", "All"},
        {CMainFrame::kContactManager, "Gestione contatti", "Contact management"},
        {CMainFrame::kCallContact, "Chiama contatto", "Call contact"},
        {CMainFrame::kPbxDirectory, "Rubrica centralino", "PBX phone book"},
        {CMainFrame::kVoiceMailSwitch, "Attiva/disattiva voice mail", "Voice mail on/off"},
    };
    const char* menusItalian[] = {"Gestione", "Visualizza", "Lista chiamate", "Rubrica", "Funzioni"};
    const char* menusEnglish[] = {"Manage", "View", "Call list", "Address book", "Functions"};
    for (const bool english : {false, true}) {
        SetLanguage(english ? kLanguageEnglish : kLanguageItalian);
        Frame().BuildMenusAndToolButtons();
        for (const Text& text : texts)
            EXPECT_EQ(ActionText(text.command), QString::fromUtf8(english ? text.english : text.italian)) << text.command;
        QStringList titles;
        for (QMenu* menu : Frame().menuBar()->findChildren<QMenu*>())
            titles << menu->title();
        for (const char* title : english ? menusEnglish : menusItalian)
            EXPECT_TRUE(titles.contains(QString::fromUtf8(title))) << title;
    }
}

TEST_F(MainFrameTest, TogglesOpenAndCloseEachWindowAndLayTheOthersOut)
{
    m_settings.main.SetPcPhoneOption(0);  // the PC phone at the right
    CMainFrame& frame = Frame();
    frame.show();
    Pump();
    const std::pair<std::uint32_t, ObjectWindow> toggles[] = {
        {CMainFrame::kToggleExtensions, ObjectWindow::Extensions}, {CMainFrame::kToggleLines, ObjectWindow::Lines},
        {CMainFrame::kToggleEntryPhones, ObjectWindow::EntryPhones}, {CMainFrame::kToggleRelays, ObjectWindow::Relays},
        {CMainFrame::kTogglePcPhone, ObjectWindow::PcPhone}};
    for (const auto& [command, window] : toggles) {
        Command(command);
        EXPECT_TRUE(frame.IsWindowOpen(window)) << command;
        frame.UpdateCommandUi();
        EXPECT_TRUE(frame.Action(command)->isChecked()) << command;
    }
    // Every window where the layout puts it: the PC phone in the top right corner, the lines below the
    // extensions, the entry phones and relays in the right column.
    const QSize client = frame.MdiArea()->viewport()->size();
    const QRect pcPhone = frame.SubWindow(ObjectWindow::PcPhone)->geometry();
    EXPECT_EQ(pcPhone.right(), client.width() - 1);
    EXPECT_EQ(pcPhone.top(), 0);
    const QRect extensions = frame.SubWindow(ObjectWindow::Extensions)->geometry();
    const QRect lines = frame.SubWindow(ObjectWindow::Lines)->geometry();
    EXPECT_EQ(extensions.bottom() + 1, lines.top());
    EXPECT_EQ(lines.bottom(), client.height() - 1);
    EXPECT_EQ(extensions.width(), client.width() - pcPhone.width());
    EXPECT_EQ(frame.SubWindow(ObjectWindow::EntryPhones)->geometry().top(), pcPhone.bottom() + 1);
    EXPECT_EQ(frame.SubWindow(ObjectWindow::Relays)->geometry().bottom(), client.height() - 1);
    EXPECT_TRUE(SaveScreenshot(frame, QStringLiteral("fonivra-frame")));

    // Closing the PC phone and the right column gives the extensions the whole width.
    for (const auto command : {CMainFrame::kTogglePcPhone, CMainFrame::kToggleEntryPhones, CMainFrame::kToggleRelays})
        Command(command);
    EXPECT_FALSE(frame.IsWindowOpen(ObjectWindow::PcPhone));
    EXPECT_EQ(frame.SubWindow(ObjectWindow::Extensions)->geometry().width(), client.width());
    // A window closed by its own close box leaves the layout too.
    frame.SubWindow(ObjectWindow::Lines)->close();
    Pump();
    EXPECT_TRUE(WaitFor([&frame] { return !frame.IsWindowOpen(ObjectWindow::Lines); }, 2000));
    EXPECT_EQ(frame.SubWindow(ObjectWindow::Extensions)->geometry().height(), client.height());

    // The compact PC phone spans the top, the extensions below it.
    m_settings.main.SetPcPhoneOption(1);
    Command(CMainFrame::kTogglePcPhone);
    const QRect compact = frame.SubWindow(ObjectWindow::PcPhone)->geometry();
    EXPECT_EQ(compact, QRect(0, 0, client.width(), compact.height()));
    EXPECT_EQ(frame.SubWindow(ObjectWindow::Extensions)->geometry().top(), compact.bottom() + 1);
}

TEST_F(MainFrameTest, ProtectionDisablesItsCommandsAndEmptyToolButtonsAreNotSet)
{
    m_settings.toolbar.SetLabel(1, QStringLiteral("Portineria"));
    m_installation.SetProtection(InstallationSettings::kProtectionUser);
    CMainFrame& frame = Frame();
    frame.UpdateCommandUi();
    for (const auto command : {32795u, 32796u, 32797u, 32798u, 32803u, 32804u, 32809u, 32818u, 32823u})
        EXPECT_FALSE(frame.Action(command)->isEnabled()) << command;
    for (const auto command : {32799u, 32800u, 32785u, 32828u})
        EXPECT_TRUE(frame.Action(command)->isEnabled()) << command;
    Command(CMainFrame::kSettings);
    EXPECT_TRUE(m_dialogs.isEmpty());

    EXPECT_EQ(ActionText(32812), QStringLiteral("Funzione non impostata"));
    EXPECT_FALSE(frame.Action(32812)->isEnabled());
    EXPECT_EQ(ActionText(32813), QStringLiteral("Portineria"));
    EXPECT_TRUE(frame.Action(32813)->isEnabled());
    // The voice-mail switch waits for the third plug-in.
    EXPECT_FALSE(frame.Action(CMainFrame::kVoiceMailSwitch)->isEnabled());
    m_settings.third.SetInUse(true);
    frame.UpdateCommandUi();
    EXPECT_TRUE(frame.Action(CMainFrame::kVoiceMailSwitch)->isEnabled());

    m_installation.SetProtection(InstallationSettings::kProtectionAdministrator);
    Command(CMainFrame::kSettings);
    EXPECT_EQ(m_dialogs, QStringList{QStringLiteral("CSystemConfiguration")});
}

TEST_F(MainFrameTest, ListsAndDialogsOpenWithTheirOptions)
{
    for (const auto command : {32795u, 32796u, 32803u, 32797u, 32798u, 32809u, 32823u, 32828u, 32799u, 32800u,
                               32804u, 57664u})
        Command(command);
    const std::vector<List> expected{{1, 255, 0, 0}, {1, 255, 1, 0}, {1, 255, 2, 0}, {1, 255, 3, 0},
                                     {0, 255, 0, 0}, {2, 255, 0, 0}, {4, 255, 0, 0}, {3, 255, 0, 2}};
    EXPECT_EQ(m_lists, expected);
    EXPECT_EQ(m_dialogs.mid(8), (QStringList{QStringLiteral("190"), QStringLiteral("193"),
                                            QStringLiteral("194"), QStringLiteral("501")}));
}

TEST_F(MainFrameTest, TheWindowsGetTheProgramsRecorderClient)
{
    EXPECT_EQ(Frame().WindowContext().recorder, &m_recorder);
}

TEST_F(MainFrameTest, KeysReachThePcPhone)
{
    CMainFrame& frame = Frame();
    frame.show();
    Command(CMainFrame::kTogglePcPhone);
    Command(CMainFrame::kToggleLines);
    CPCPhoneView* phone = frame.PcPhoneView();
    ASSERT_NE(phone, nullptr);
    auto press = [&frame](int key, const QString& text = {}) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(frame.MdiArea()->viewport(), &event);
        Pump();
    };
    // Ready, the digit keys collect the dial string; without an engine the other keys send nothing.
    m_state.tables.extensionStatus[3].bytes[2] = 2;
    const QString keys = QStringLiteral("123456789*0#RrPp");
    for (const QChar key : keys)
        press(0, QString(key));
    press(Qt::Key_Return);
    EXPECT_EQ(phone->DialString(), QStringLiteral("123456789*0#"));
    EXPECT_EQ(phone->Display()->SecondLine(), QStringLiteral("123456789*0#"));
    press(Qt::Key_Backspace);
    EXPECT_EQ(phone->DialString(), QStringLiteral("123456789*0"));
    press(Qt::Key_Delete);
    EXPECT_EQ(phone->DialString(), QString());
    // Not ready, Backspace and Delete leave the dial string alone.
    press(0, QStringLiteral("5"));
    m_state.tables.extensionStatus[3].bytes[2] = 7;
    press(Qt::Key_Backspace);
    press(Qt::Key_Delete);
    EXPECT_EQ(phone->DialString(), QStringLiteral("5"));
    // The keys F1-F16 choose the line that the lines window seizes.
    press(Qt::Key_F3);
    EXPECT_EQ(frame.LinesView()->ChosenLine(), 2);
    press(Qt::Key_F16);
    EXPECT_EQ(frame.LinesView()->ChosenLine(), 15);
}

TEST_F(MainFrameTest, SettingsAnsweredOkWriteTheFiveFilesAndRebuildTheLists)
{
    m_settings.main.SetOpenAtStart(MainSettings::kExtensions, 1);
    CMainFrame& frame = Frame();
    frame.show();
    frame.OpenStartupWindows();
    const QSize before = m_images.List(ObjectKind::Lines).cellSize;
    m_answer = [](QDialog& dialog) {
        auto sheet = qobject_cast<CSystemConfiguration*>(&dialog);
        if (!sheet)
            return int(QDialog::Rejected);
        sheet->Records()->main.SetLabelsShown(MainSettings::kLines, 1);
        sheet->Records()->main.SetLabelMinimumCharacters(MainSettings::kLines, 20);
        sheet->Records()->main.SetOpenAtStart(MainSettings::kLines, 1);
        sheet->Records()->toolbar.SetLabel(0, QStringLiteral("Centralino"));
        return int(QDialog::Accepted);
    };
    Command(CMainFrame::kSettings);
    for (const char* name : {"FvCnf.fps", "FvOfPgin.frs", "FvSrv2Pgin.frs", "FvToolNew.frs", "FvSrv3Pgin.frs"})
        EXPECT_TRUE(QFileInfo::exists(m_folder.path() + u'/' + QLatin1StringView(name))) << name;
    EXPECT_EQ(m_settings.toolbar.Label(0), QStringLiteral("Centralino"));
    EXPECT_NE(m_images.List(ObjectKind::Lines).cellSize, before);
    EXPECT_TRUE(frame.IsWindowOpen(ObjectWindow::Lines));
    EXPECT_TRUE(frame.IsWindowOpen(ObjectWindow::Extensions));

    // Cancelled, nothing is taken over.
    m_answer = {};
    Command(CMainFrame::kSettings);
    EXPECT_EQ(m_settings.toolbar.Label(0), QStringLiteral("Centralino"));
}

TEST_F(MainFrameTest, SettingsOkWritesTheRecordsByteForByteAndKeepsAMarkMovedMeanwhile)
{
    const OleDate moved(2026, 12, 11, 8, 30, 0);
    CMainFrame& frame = Frame();
    frame.show();
    m_answer = [&](QDialog& dialog) {
        auto sheet = qobject_cast<CSystemConfiguration*>(&dialog);
        if (!sheet)
            return int(QDialog::Rejected);
        sheet->Page(6)->findChild<QCheckBox*>(QStringLiteral("1114"))->setChecked(true);  // hotel mode
        sheet->Page(7)->findChild<QCheckBox*>(QStringLiteral("1132"))->setChecked(true);  // call filter
        // Meanwhile the popup moves the missed-call mark of the live record and saves it.
        m_settings.main.SetMissedCallReference(moved);
        sheet->findChild<QPushButton*>(QStringLiteral("1"))->click();
        return sheet->result();
    };
    Command(CMainFrame::kSettings);
    EXPECT_EQ(m_settings.main.MissedCallReference(), moved);
    EXPECT_EQ(m_settings.main.CheckInManagement(), 1);
    EXPECT_EQ(m_settings.office.Flags(), 0x1B);
    // The five files hold the live records as a save of them writes them.
    QTemporaryDir expected;
    ASSERT_TRUE(SaveSettingsFiles(expected.path() + u'/', m_settings));
    for (const char* name : {"FvCnf.fps", "FvOfPgin.frs", "FvSrv2Pgin.frs", "FvToolNew.frs", "FvSrv3Pgin.frs"}) {
        QFile written(m_folder.path() + u'/' + QLatin1StringView(name));
        QFile wanted(expected.path() + u'/' + QLatin1StringView(name));
        ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << name;
        ASSERT_TRUE(wanted.open(QIODevice::ReadOnly)) << name;
        EXPECT_EQ(written.readAll(), wanted.readAll()) << name;
    }
}

TEST_F(MainFrameTest, SettingsCancelledAfterAFontLeaveTheLiveRecordsAndTheFiles)
{
    const QByteArray before = m_settings.main.Bytes();
    CMainFrame& frame = Frame();
    frame.show();
    bool fontChosen = false;
    m_answer = [&](QDialog& dialog) {
        auto sheet = qobject_cast<CSystemConfiguration*>(&dialog);
        if (!sheet)
            return int(QDialog::Rejected);
        ModalAnswerer answer([](QDialog* modal) {
            if (auto fonts = qobject_cast<QFontDialog*>(modal)) {
                fonts->setCurrentFont(QFont(QStringLiteral("DejaVu Serif"), 12));
                fonts->accept();
            }
        });
        sheet->Page(0)->findChild<QPushButton*>(QStringLiteral("1122"))->click();
        fontChosen = sheet->Records()->main.Font(MainSettings::kExtensions, 0).FaceName() == "DejaVu Serif";
        sheet->findChild<QPushButton*>(QStringLiteral("2"))->click();
        return sheet->result();
    };
    Command(CMainFrame::kSettings);
    EXPECT_TRUE(fontChosen);
    EXPECT_EQ(m_settings.main.Bytes(), before);
    EXPECT_FALSE(QFileInfo::exists(m_folder.path() + QStringLiteral("/FvCnf.fps")));
}

TEST_F(MainFrameTest, ExitWaitsWhileAnAlarmIsPending)
{
    CMainFrame& frame = Frame();
    frame.show();
    QSignalSpy closing(&frame, &CMainFrame::Closing);
    m_state.tables.extensionAlarm[2].SetPending(true);
    Command(CMainFrame::kCloseCommand);
    Pump();
    EXPECT_EQ(closing.count(), 0);
    EXPECT_TRUE(frame.isVisible());

    // Showing the alarm clears it; the popup is told.
    CEventPopupDlg popup(frame.WindowContext(), frame.Target(), 3);
    frame.SetPopup(&popup);
    CSqlDatabase database;
    EngineEventDispatcher dispatcher(m_state, database, m_settings.main, frame);
    frame.SetDispatcher(&dispatcher);
    frame.Target().Post(CMainFrame::kAlarmMessage, 2, 2);
    Pump();
    Pump();
    EXPECT_EQ(m_lists.back(), (List{2, 2, 0, 0}));
    EXPECT_FALSE(frame.IsAlarmPending());
    EXPECT_EQ(popup.Refreshes(), 1);
    frame.SetPopup(nullptr);
    frame.SetDispatcher(nullptr);

    Command(CMainFrame::kCloseCommand);
    Pump();
    EXPECT_EQ(closing.count(), 1);
}

}  // namespace
