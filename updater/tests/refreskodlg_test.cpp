// The updater's dialog in this process against a local FTP server, with its boxes answered: commands
// posted the way the console posts them, the check's outcomes, the failures, and a whole update.
#include "boxanswerer.h"
#include "installationsettings.h"
#include "language.h"
#include "producttable.h"
#include "refreskodlg.h"
#include "stringtable.h"
#include "suiteipc.h"
#include "suitelocation.h"
#include "updatertesting.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

namespace {

constexpr int kWaitMs = 30000;

QString Text(unsigned id) { return LoadResString(id); }

bool PostCommand(std::uint32_t command)
{
    return SuiteIpc::Post(SuiteIpc::Key::WindowTitle, QStringLiteral("Refresko"), WM_COMMAND, command, 0);
}

bool SaveScreenshot(QWidget& widget, const QString& name)
{
    const QString folder = QStringLiteral(SUITE_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    return widget.grab().save(folder + u'/' + name + QStringLiteral(".png"));
}

class RefreskoDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLanguage(kLanguageItalian);
        ASSERT_TRUE(m_tree.IsReady()) << m_tree.Problem().toStdString();
        m_tree.Install({1, 5});
    }

    // Opens the dialog as the program does; `Ended` turns true when it ends.
    void Open()
    {
        m_dialog = std::make_unique<CRefreskoDlg>();
        QObject::connect(m_dialog.get(), &QDialog::finished, [this] { m_ended = true; });
        m_dialog->show();
        ASSERT_TRUE(m_dialog->IsRegistered());
    }

    bool WaitUntilEnded() { return WaitFor([this] { return m_ended; }, kWaitMs); }
    QString Status() const { return m_dialog->findChild<QLabel*>(QStringLiteral("1003"))->text(); }
    QPushButton* InstallButton() const { return m_dialog->findChild<QPushButton*>(QStringLiteral("1001")); }
    int Progress() const { return m_dialog->findChild<QProgressBar*>(QStringLiteral("1002"))->value(); }

    UpdaterTestSuite m_tree;
    std::unique_ptr<CRefreskoDlg> m_dialog;
    bool m_ended = false;
};

TEST_F(RefreskoDialog, NothingNewEndsTheDialogWithABoxOnlyWhenAsked)
{
    ASSERT_TRUE(m_tree.AddPatch({1, 5}, "old"));
    ASSERT_TRUE(m_tree.AddPatch({1, 4}, "older"));
    struct Case {
        std::uint32_t command;
        size_t boxes;
    };
    for (const Case c : {Case{1004, 0}, Case{1000, 1}}) {
        m_ended = false;
        Open();
        BoxAnswerer answerer([](const BoxAnswerer::Box&) { return QMessageBox::Ok; });
        ASSERT_TRUE(PostCommand(c.command));
        ASSERT_TRUE(WaitUntilEnded()) << c.command;
        ASSERT_EQ(answerer.Seen().size(), c.boxes) << c.command;
        EXPECT_EQ(Status(), Text(108));
        if (c.boxes) {
            EXPECT_EQ(answerer.Seen()[0].text, QStringLiteral("Nessun aggiornamento trovato. Riprovare in seguito."));
            EXPECT_EQ(answerer.Seen()[0].title, QStringLiteral("Refresko"));
        }
        m_dialog.reset();
    }
}

TEST_F(RefreskoDialog, FailuresShowAStopBoxAndLeaveTheDialogOpen)
{
    struct Case {
        const char* title;
        std::function<void()> arrange;
        unsigned expected;
    };
    const Case cases[] = {
        {"nobody listens", [this] { m_tree.PointAtNoServer(); }, 107},
        {"no patch folder", [this] { m_tree.PointAtServer(); }, 110},
        // The server answers directly, so only a session that really goes through the proxy fails.
        {"through a proxy that is not there",
         [this] {
             UpdateSettings settings;
             settings.connectionType = UpdateSettings::kConnectionThroughProxy;
             settings.proxyServerPort = static_cast<std::uint16_t>(m_tree.Server().Port());
             settings.proxyServer = QStringLiteral("127.0.0.1:%1").arg(FreeLoopbackPort());
             SaveUpdateSettings(settings);
         },
         107},
    };
    for (const Case& c : cases) {
        c.arrange();
        Open();
        BoxAnswerer answerer([](const BoxAnswerer::Box&) { return QMessageBox::Ok; });
        ASSERT_TRUE(PostCommand(1000));
        ASSERT_TRUE(WaitFor([&] { return !answerer.Seen().empty(); }, kWaitMs)) << c.title;
        EXPECT_EQ(answerer.Seen()[0].text, Text(c.expected)) << c.title;
        EXPECT_EQ(answerer.Seen()[0].icon, QMessageBox::Critical) << c.title;
        EXPECT_TRUE(WaitFor([this] { return Progress() == 0; })) << c.title;
        EXPECT_EQ(Status(), Text(c.expected)) << c.title;
        EXPECT_FALSE(m_ended) << c.title;
        EXPECT_FALSE(InstallButton()->isEnabled()) << c.title;
        m_dialog.reset();
    }
}

TEST_F(RefreskoDialog, DecliningKeepsTheChoiceInteractivelyAndEndsAnAutomaticCheck)
{
    ASSERT_TRUE(m_tree.AddPatch({1, 7}, QByteArray(5000, 'p')));
    ASSERT_TRUE(m_tree.AddPatch({2, 1}, "next series"));
    Open();
    m_dialog->findChild<QCheckBox*>(QStringLiteral("1005"))->setChecked(false);  // active mode
    {
        BoxAnswerer answerer([](const BoxAnswerer::Box&) { return QMessageBox::No; });
        ASSERT_TRUE(PostCommand(1000));
        ASSERT_TRUE(WaitFor([&] { return InstallButton()->isEnabled(); }, kWaitMs));
        ASSERT_EQ(answerer.Seen().size(), 1u);
        EXPECT_EQ(answerer.Seen()[0].text, Text(118));
        EXPECT_EQ(Status(), Text(118));
    }
    EXPECT_FALSE(m_ended);
    ASSERT_TRUE(m_dialog->ChosenUpdate());
    EXPECT_EQ(m_dialog->ChosenUpdate()->version.build, 7);
    EXPECT_EQ(m_dialog->ChosenUpdate()->size, 5000);
    EXPECT_EQ(m_dialog->Settings().ftpMode, 1);
    ASSERT_TRUE(SaveScreenshot(*m_dialog, QStringLiteral("refresko-update-found")));

    BoxAnswerer answerer([](const BoxAnswerer::Box&) { return QMessageBox::No; });
    ASSERT_TRUE(PostCommand(1004));
    ASSERT_TRUE(WaitUntilEnded());
    EXPECT_EQ(answerer.Seen().size(), 1u);
}

TEST_F(RefreskoDialog, APatchCutShortAfterTheListingIsNeitherKeptNorRun)
{
    const QByteArray patch = UpdaterTestSuite::MarkerScript(QStringLiteral("ran.txt")) + QByteArray(20000, '#');
    ASSERT_TRUE(m_tree.AddPatch({2, 1}, patch));
    m_tree.Install({1, 23});
    Open();
    BoxAnswerer answerer([this, &patch](const BoxAnswerer::Box& box) {
        if (box.text == Text(111))
            m_tree.AddPatch({2, 1}, patch.first(patch.size() / 2));
        return box.text == Text(111) ? QMessageBox::Yes : QMessageBox::Ok;
    });
    ASSERT_TRUE(PostCommand(1004));
    ASSERT_TRUE(WaitFor([&] { return answerer.Seen().size() == 2; }, kWaitMs));
    EXPECT_EQ(answerer.Seen()[1].text, Text(113));
    EXPECT_TRUE(WaitFor([this] { return Progress() == 0; }));
    EXPECT_FALSE(m_ended);
    EXPECT_FALSE(m_dialog->IsAutomatic());
    const QString shared = m_tree.Suite().SharedFolder();
    EXPECT_FALSE(QFileInfo::exists(shared + QStringLiteral("LastUpdate.exe")));
    EXPECT_EQ(QDir(shared).entryList({QStringLiteral("LastUpdate*")}, QDir::Files | QDir::Hidden), QStringList());
    EXPECT_FALSE(QFileInfo::exists(shared + QStringLiteral("ran.txt")));
    EXPECT_EQ(m_dialog->Settings().series, 1);
}

TEST_F(RefreskoDialog, EndingWhileTheQuestionIsOpenClosesItAndInstallsNothing)
{
    ASSERT_TRUE(m_tree.AddPatch({1, 6}, "patch"));
    Open();
    BoxAnswerer answerer([this](const BoxAnswerer::Box&) {
        m_dialog->OnTerminationRequested();
        return QMessageBox::NoButton;
    });
    ASSERT_TRUE(PostCommand(1000));
    ASSERT_TRUE(WaitUntilEnded());
    // Whatever was still posted finds an ending dialog.
    QCoreApplication::processEvents();
    EXPECT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(m_dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(QFileInfo::exists(m_tree.Suite().SharedFolder() + QStringLiteral("LastUpdate.exe")));
}

// A stand-in for a running program of the suite, registered under a window class.
class TestWindow {
public:
    TestWindow(const QString& windowClass, const QString& folder) : m_output(folder + windowClass + QStringLiteral(".txt"))
    {
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(QStringLiteral(TEST_WINDOW_PATH), {ProgramFilePath(), windowClass, m_output});
    }
    ~TestWindow()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(kWaitMs);
        }
    }
    bool WaitUntilRegistered() { return WaitFor([this] { return QFileInfo::exists(m_output + QStringLiteral(".ready")); }, kWaitMs); }
    // "message wParam lParam" of what it received, and when.
    bool Received(QString& message, qint64& atMs)
    {
        if (!m_process.waitForFinished(kWaitMs))
            return false;
        const QStringList parts = QString::fromLatin1(ReadWholeFile(m_output)).trimmed().split(u' ');
        if (parts.size() != 4)
            return false;
        message = parts.first(3).join(u' ');
        atMs = parts[3].toLongLong();
        return true;
    }

private:
    QString m_output;
    QProcess m_process;
};

TEST_F(RefreskoDialog, AWholeUpdateClosesTheSuiteRunsThePatchAndStartsTheConsole)
{
    const QString shared = m_tree.Suite().SharedFolder();
    const QString suite = m_tree.Suite().SuiteFolder();
    ASSERT_TRUE(m_tree.AddPatch({1, 9}, UpdaterTestSuite::MarkerScript(QStringLiteral("ran.txt"))));
    ASSERT_TRUE(WriteExecutable(suite + QStringLiteral("Pultex/Pultex"), UpdaterTestSuite::MarkerScript(QStringLiteral("console.txt"))));
    QTemporaryDir windowsOutput;
    TestWindow console(QStringLiteral("Pultex"), windowsOutput.path() + u'/');
    TestWindow operatorConsole(QStringLiteral("Fonivra"), windowsOutput.path() + u'/');
    ASSERT_TRUE(console.WaitUntilRegistered());
    ASSERT_TRUE(operatorConsole.WaitUntilRegistered());

    Open();
    BoxAnswerer answerer([](const BoxAnswerer::Box& box) {
        return box.text == Text(111) ? QMessageBox::Yes : QMessageBox::Ok;
    });
    ASSERT_TRUE(PostCommand(1004));
    ASSERT_TRUE(WaitUntilEnded());

    ASSERT_EQ(answerer.Seen().size(), 2u);
    EXPECT_EQ(answerer.Seen()[0].text, Text(111));
    EXPECT_EQ(answerer.Seen()[1].text, QStringLiteral("I seguenti applicativi/servizi verranno interrotti:\n"
                                                      "- Pultex Engine\n- Fonivra\n- Pultex TAPI Driver\n"
                                                      "- Fonivra Contacts Plug-In\n- Fonivra Voice Box Plug-In\n"
                                                      "- Fonivra Recorder Plug-In\n"));
    EXPECT_EQ(answerer.Seen()[1].icon, QMessageBox::Warning);

    QString consoleMessage;
    QString operatorMessage;
    qint64 consoleAt = 0;
    qint64 operatorAt = 0;
    ASSERT_TRUE(console.Received(consoleMessage, consoleAt));
    ASSERT_TRUE(operatorConsole.Received(operatorMessage, operatorAt));
    EXPECT_EQ(consoleMessage, QStringLiteral("273 57602 0"));
    EXPECT_EQ(operatorMessage, QStringLiteral("273 57602 0"));
    EXPECT_GE(operatorAt - consoleAt, 1900);  // each closed program is given two seconds

    const QString patch = shared + QStringLiteral("LastUpdate.exe");
    EXPECT_EQ(QFileInfo(patch).permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(ReadWholeFile(shared + QStringLiteral("ran.txt")).trimmed(), QDir(shared).canonicalPath().toUtf8());
    UpdateSettings stored;
    ASSERT_TRUE(LoadUpdateSettings(stored));
    EXPECT_EQ(stored.series, 1);
    EXPECT_EQ(stored.build, 9);
    const QString consoleFolder = suite + QStringLiteral("Pultex/");
    // The started console writes its folder there: wait for the text, not only for the file.
    ASSERT_TRUE(WaitFor([&] { return !ReadWholeFile(consoleFolder + QStringLiteral("console.txt")).trimmed().isEmpty(); },
                        kWaitMs));
    EXPECT_EQ(ReadWholeFile(consoleFolder + QStringLiteral("console.txt")).trimmed(), QDir(consoleFolder).canonicalPath().toUtf8());
}

TEST_F(RefreskoDialog, ShowsItsTextsAndItsAboutBox)
{
    Open();
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("Refresko"));
    EXPECT_EQ(m_dialog->findChild<QLabel*>(QStringLiteral("1076"))->text(), QStringLiteral("Refresko 1.0.1.19"));
    EXPECT_EQ(m_dialog->findChild<QCheckBox*>(QStringLiteral("1005"))->text(), QStringLiteral("Connessione FTP passiva"));
    EXPECT_TRUE(m_dialog->findChild<QCheckBox*>(QStringLiteral("1005"))->isChecked());
    EXPECT_FALSE(InstallButton()->isEnabled());
    EXPECT_FALSE(m_dialog->findChild<QPushButton*>(QStringLiteral("1004"))->isVisible());
    ASSERT_TRUE(SaveScreenshot(*m_dialog, QStringLiteral("refresko")));

    QString aboutShown;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!about || !about->isVisible())
            return;
        aboutShown = about->objectName();
        SaveScreenshot(*about, QStringLiteral("refresko-about"));
        about->accept();
    });
    watcher.start(10);
    ASSERT_TRUE(SuiteIpc::Post(SuiteIpc::Key::WindowTitle, QStringLiteral("Refresko"), 0x0112, 16, 0));
    ASSERT_TRUE(WaitFor([&] { return !aboutShown.isEmpty(); }, kWaitMs));
    EXPECT_EQ(aboutShown, QStringLiteral("100"));
}

TEST_F(RefreskoDialog, SpeaksTheLanguageOfTheInstallation)
{
    InstallationSettings installation;
    installation.Load();
    installation.SetLanguage(kLanguageEnglish);
    ASSERT_TRUE(installation.Save());
    Open();
    EXPECT_EQ(m_dialog->findChild<QCheckBox*>(QStringLiteral("1005"))->text(), QStringLiteral("Passive FTP connection"));
    EXPECT_EQ(m_dialog->findChild<QPushButton*>(QStringLiteral("1000"))->text(), QStringLiteral("Check for updates"));
    EXPECT_EQ(m_dialog->findChild<QLabel*>(QStringLiteral("1080"))->text(), QStringLiteral("Italy"));
    ASSERT_TRUE(SaveScreenshot(*m_dialog, QStringLiteral("refresko-english")));
}

}  // namespace
