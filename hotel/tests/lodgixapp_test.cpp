// The hotel program's start in this process with its real windows, on each backend: the login, the first
// operator, the failures and their boxes, the frame it ends with, and its end.
#include "clippedtextcheck.h"
#include "dbtest.h"
#include "installationsettings.h"
#include "lodgixapp.h"
#include "lodgixtestsuite.h"
#include "mainframe.h"
#include "ratingconfigurationfile.h"
#include "registrykey.h"
#include "suiteipc.h"
#include "suitetree.h"
#include "waitfor.h"
#include "widgettesting.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

inline void PrintTo(const QString& text, std::ostream* os) { *os << text.toStdString(); }

namespace lodgix {
namespace {

const QString kProgram = QStringLiteral("Lodgix");
const QString kUser = QStringLiteral("mario");
const QString kPassword = QStringLiteral("Banco22");
constexpr int kStopTimeoutMs = 20000;

// Answers the start-up's windows: each login dialog with the next of the given entries ("" for a field
// left empty; none presses "Esci"), the administrator password, the first operator, and every message
// box (its text kept, then closed with its first button). Two answerers share the work, so that a box
// that opens while a dialog's button is being pressed is answered too.
class StartupAnswers {
public:
    struct Login {
        QString user, password;
        bool exit = false;
    };

    StartupAnswers()
        : m_first([this](QDialog* dialog) { Answer(dialog); }), m_second([this](QDialog* dialog) { Answer(dialog); })
    {
    }

    std::vector<Login> logins;
    QString administratorPassword;
    QStringList boxes;
    QStringList boxTitles;
    int loginDialogs = 0;
    bool loginFieldsEmpty = true;
    bool firstOperatorForcedAdministrator = false;
    std::function<void(QDialog*)> inspectLogin;

private:
    void Answer(QDialog* dialog)
    {
        if (auto box = qobject_cast<QMessageBox*>(dialog)) {
            boxes << box->text();
            boxTitles << box->windowTitle();
            box->buttons().first()->click();
            return;
        }
        const QString name = dialog->objectName();
        if (name == QStringLiteral("CLoginDlg")) {
            const auto user = dialog->findChild<QLineEdit*>(QStringLiteral("1100"));
            const auto password = dialog->findChild<QLineEdit*>(QStringLiteral("1102"));
            loginFieldsEmpty = loginFieldsEmpty && user->text().isEmpty() && password->text().isEmpty();
            if (inspectLogin)
                inspectLogin(dialog);
            const std::size_t index = static_cast<std::size_t>(loginDialogs++);
            if (index >= logins.size() || logins[index].exit) {
                dialog->findChild<QPushButton*>(QStringLiteral("1104"))->click();
                return;
            }
            user->setText(logins[index].user);
            password->setText(logins[index].password);
            dialog->findChild<QPushButton*>(QStringLiteral("1103"))->click();
            // A field left empty keeps the dialog open after its box: the next entry is typed into it.
            while (dialog->isVisible() && static_cast<std::size_t>(loginDialogs) < logins.size() &&
                   !logins[static_cast<std::size_t>(loginDialogs)].exit) {
                const Login& next = logins[static_cast<std::size_t>(loginDialogs++)];
                user->setText(next.user);
                password->setText(next.password);
                dialog->findChild<QPushButton*>(QStringLiteral("1103"))->click();
            }
        } else if (name == QStringLiteral("CPasswordDlg")) {
            dialog->findChild<QLineEdit*>(QStringLiteral("1088"))->setText(administratorPassword);
            dialog->findChild<QPushButton*>(QStringLiteral("1"))->click();
        } else if (name == QStringLiteral("COperatorDlg")) {
            const auto administrator = dialog->findChild<QCheckBox*>(QStringLiteral("1098"));
            firstOperatorForcedAdministrator = administrator->isChecked() && !administrator->isEnabled();
            dialog->findChild<QLineEdit*>(QStringLiteral("1091"))->setText(QStringLiteral("admin"));
            dialog->findChild<QLineEdit*>(QStringLiteral("1092"))->setText(QStringLiteral("Segreta1"));
            dialog->findChild<QLineEdit*>(QStringLiteral("1094"))->setText(QStringLiteral("Segreta1"));
            dialog->findChild<QPushButton*>(QStringLiteral("1096"))->click();
        }
    }

    ModalAnswerer m_first;
    ModalAnswerer m_second;
};

class LodgixAppTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(m_suite.IsValid());
        ASSERT_TRUE(m_suite.WriteInstallation(InstallationSettings::kModeServer, 0, 0));
        ASSERT_TRUE(m_suite.WriteNetworkPorts());
        ASSERT_TRUE(RegistryKey(QStringLiteral("Startup"), m_suite.SharedFolder() + QStringLiteral("Registry.ini"))
                        .WriteInt(QStringLiteral("SplashWaitMs"), 0));
        m_suite.Enter();
        ASSERT_TRUE(WriteDefaultRating(RatingConfigurationPath()));
        StartEngineDatabaseWithPbx(0, QStringLiteral("CENTRALE"));
        m_places.databaseParameters = [this](const DatabaseSettings&) { return Parameters(); };
    }

    void PrepareReturningStart()
    {
        ASSERT_TRUE(AddOperator(Parameters(), kUser, kPassword));
        ASSERT_TRUE(AddHotel(Parameters(), QStringLiteral("Hotel Aurora")));
    }

    SuiteTree m_suite{kProgram};
    StartupPlaces m_places;
};

TEST_P(LodgixAppTest, WrongLoginsAreRefusedUntilTheRightOneThenTheFrameShowsAndEndsOnItsExit)
{
    PrepareReturningStart();
    StartupAnswers answers;
    answers.logins = {{kUser, QStringLiteral("banco22")}, {QStringLiteral("luigi"), kPassword}, {kUser, kPassword}};
    CLodgixApp app(m_places);
    ASSERT_TRUE(app.InitInstance()) << answers.boxes.join(u'\n').toStdString();
    EXPECT_EQ(answers.loginDialogs, 3);
    EXPECT_TRUE(answers.loginFieldsEmpty) << "each login dialog starts empty";
    EXPECT_EQ(answers.boxes, QStringList(2, QStringLiteral("Informazioni di accesso non valide")));
    EXPECT_EQ(answers.boxTitles, QStringList(2, QStringLiteral("Lodgix")));
    EXPECT_EQ(app.State().currentOperator.userName, kUser);
    EXPECT_TRUE(app.HoldsWindowClass());

    CMainFrame* frame = app.MainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->size(), CMainFrame::kInitialSize);
    EXPECT_TRUE(HasNoClippedText(*frame));
    SaveScreenshot(*frame, QStringLiteral("lodgix_started_") + BackendName(GetParam()).toLower());

    // Other programs find it by its window class; the exit command ends it in order.
    EXPECT_TRUE(SuiteIpc::Find(SuiteIpc::Key::WindowClass, kProgram));
    QSignalSpy closing(frame, &CMainFrame::Closing);
    ASSERT_TRUE(SuiteIpc::Post(SuiteIpc::Key::WindowClass, kProgram, WM_COMMAND, CMainFrame::kExitCommand, 0));
    EXPECT_TRUE(WaitFor([&] { return closing.count() == 1; }));
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_EQ(app.State().database, nullptr);
    EXPECT_FALSE(SuiteIpc::Find(SuiteIpc::Key::WindowClass, kProgram));
}

TEST_P(LodgixAppTest, SigtermWithTheFrameUpEndsTheEventLoopInOrder)
{
    PrepareReturningStart();
    StartupAnswers answers;
    answers.logins = {{kUser, kPassword}};
    CLodgixApp app(m_places);
    ASSERT_TRUE(app.InitInstance());
    QSignalSpy closing(app.MainFrame(), &CMainFrame::Closing);
    QTimer::singleShot(0, [] { ::raise(SIGTERM); });
    // Should the signal not end the loop, this does, with another code.
    QTimer stop;
    stop.setSingleShot(true);
    QObject::connect(&stop, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    stop.start(kStopTimeoutMs);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(closing.count(), 1);
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_FALSE(SuiteIpc::Find(SuiteIpc::Key::WindowClass, kProgram));
}

TEST_P(LodgixAppTest, LoginExitAndAnEmptyField)
{
    PrepareReturningStart();
    {
        StartupAnswers answers;
        answers.logins = {{{}, {}, true}};
        CLodgixApp app(m_places);
        EXPECT_FALSE(app.InitInstance());
        EXPECT_EQ(app.ExitInstance(), 105);
        ASSERT_EQ(answers.boxes.size(), 1);
        EXPECT_TRUE(answers.boxes[0].startsWith(QStringLiteral("Login di accesso non corretto\nCodice errore:")))
            << answers.boxes[0].toStdString();
        EXPECT_EQ(answers.boxTitles[0], QStringLiteral("Lodgix"));
    }
    StartupAnswers answers;
    answers.logins = {{kUser, QString()}, {kUser, kPassword}};
    CLodgixApp app(m_places);
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(answers.boxes, QStringList({QStringLiteral("Dati immessi non corretti")}));
}

TEST_P(LodgixAppTest, FirstOperatorOnlyWithTheDefaultAdministratorPassword)
{
    ASSERT_TRUE(AddHotel(Parameters(), QStringLiteral("Hotel Aurora")));
    {
        StartupAnswers answers;
        answers.administratorPassword = QString();
        CLodgixApp app(m_places);
        EXPECT_FALSE(app.InitInstance());
        EXPECT_EQ(app.ExitInstance(), 104);
        ASSERT_EQ(answers.boxes.size(), 2);
        EXPECT_TRUE(answers.boxes[0].startsWith(QStringLiteral("Non esiste alcun operatore configurato.")));
        EXPECT_TRUE(answers.boxes[1].startsWith(QStringLiteral("Password immessa non corretta")));
    }
    StartupAnswers answers;
    answers.administratorPassword = QStringLiteral("Tamp5830");
    CLodgixApp app(m_places);
    ASSERT_TRUE(app.InitInstance()) << answers.boxes.join(u'\n').toStdString();
    EXPECT_TRUE(answers.firstOperatorForcedAdministrator);
    EXPECT_EQ(app.State().currentOperator.userName, QStringLiteral("admin"));
    EXPECT_TRUE(app.State().currentOperator.administrator);
}

TEST_P(LodgixAppTest, NoPbxAndNoRatingFileEndTheStartWithTheirBoxes)
{
    PrepareReturningStart();
    {
        ASSERT_TRUE(QFile::remove(RatingConfigurationPath()));
        StartupAnswers answers;
        answers.logins = {{kUser, kPassword}};
        CLodgixApp app(m_places);
        EXPECT_FALSE(app.InitInstance());
        EXPECT_EQ(app.ExitInstance(), 101);
        ASSERT_EQ(answers.boxes.size(), 1);
        EXPECT_TRUE(answers.boxes[0].startsWith(QStringLiteral("Impostazioni di tariffazione non rilevate")));
        EXPECT_TRUE(answers.boxes[0].contains(QStringLiteral("Codice errore:  101")));
    }
    auto engine = std::make_unique<CSqlDatabase>(Parameters());
    ASSERT_EQ(engine->Connect(kServer), kNoError);
    ASSERT_EQ(engine->DeleteEngineConfiguration(engine->PbxComId(0)), kNoError);
    StartupAnswers answers;
    CLodgixApp app(m_places);
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(app.ExitInstance(), 100);
    ASSERT_EQ(answers.boxes.size(), 1);
    EXPECT_TRUE(answers.boxes[0].startsWith(QStringLiteral("Nessun centralino rilevato")));
    EXPECT_EQ(answers.loginDialogs, 0);
}

INSTANTIATE_DB_TEST(LodgixAppTest);

}  // namespace
}  // namespace lodgix
