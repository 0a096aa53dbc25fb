#include "dbtest.h"
#include "installationsettings.h"
#include "language.h"
#include "mainframe.h"
#include "ratingconfigurationfile.h"
#include "ratingdatabase.h"
#include "ratingtestdata.h"
#include "registrykey.h"
#include "tempsuite.h"
#include "valuxaapp.h"
#include "valuxaview.h"
#include "waitfor.h"
#include "widgettesting.h"

#include "testcallrecords.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QTimer>
#include <QFile>
#include <QMessageBox>

#include <bit>

namespace {

constexpr quint8 kLinkDown = 33;
const QString kAccountRequest = QStringLiteral(
    " -SOURCE:BILL -INIT:01/12/2026 00:00:00 -END:31/12/2026 23:59:59 -PBX:0 -DER:3 -APPLY:1 -CLOSE:1");

// Tarivo started in a suite of its own on a catalog that the engine's storage functions filled: PBX "A"
// (8 extensions, 4 lines) and, when asked, PBX "B"; Italian, installation mode 1, no splash wait.
class ValuxaAppTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        suite = std::make_unique<TempSuite>(CValuxaApp::kProgramName);
        InstallationSettings installation;
        installation.Load();
        installation.SetInstallationMode(InstallationSettings::kModeServer);
        installation.SetLanguage(kLanguageItalian);
        ASSERT_TRUE(installation.Save());
        ASSERT_TRUE(RegistryKey(QStringLiteral("Startup")).WriteInt(QStringLiteral("SplashWaitMs"), 0));
        catalog = StartEngineDatabaseWithPbx(0, QStringLiteral("A"));
        AddPbx(0, 8, 0);
    }

    void TearDown() override
    {
        app.reset();
        QLocale::setDefault(QLocale::c());
    }

    void AddPbx(int pbx, int extensions, quint8 comStat)
    {
        if (pbx > 0) {
            ASSERT_EQ(catalog->InsertEngineConfiguration(pbx, QStringLiteral("B"), 0), kNoError);
            ASSERT_EQ(catalog->ConnectAndCreateSchema(kServer), kNoError);
        }
        ASSERT_EQ(catalog->SaveInitialization(pbx, TestInitialization(extensions, 4)), kNoError);
        ASSERT_EQ(catalog->SaveSystemConfiguration(pbx, TestSystemConfiguration(false)), kNoError);
        for (int extension = 0; extension < extensions; ++extension) {
            QByteArray programming(50, '\0');
            programming[1] = static_cast<char>(extension);
            ASSERT_EQ(catalog->SaveDerivedProgrammation(pbx, programming), kNoError);
        }
        ASSERT_EQ(catalog->UpdateComStat(pbx, comStat), kNoError);
    }

    QString OwnPath() const { return suite->SuiteFolder() + QStringLiteral("Tarivo/Tarivo"); }

    // Starts the program; boxes and dialogs of the start are answered (accepted) and their texts kept.
    bool Start(const QStringList& arguments)
    {
        app = std::make_unique<CValuxaApp>(arguments, Parameters());
        ModalAnswerer answerer([this](QDialog* shown) {
            if (auto box = qobject_cast<QMessageBox*>(shown))
                boxes.append(box->text());
            else
                dialogs.append(shown->objectName().isEmpty() ? QString::fromLatin1(shown->metaObject()->className())
                                                             : shown->objectName());
            shown->accept();
        });
        return app->InitInstance();
    }

    // Runs what the start posted, answering (and keeping) the boxes it opens.
    void RunPosted()
    {
        ModalAnswerer answerer([this](QDialog* shown) {
            if (auto box = qobject_cast<QMessageBox*>(shown))
                boxes.append(box->text());
            shown->accept();
        });
        for (int round = 0; round < 10; ++round)
            QCoreApplication::processEvents();
        WaitFor([] { return QApplication::activeModalWidget() == nullptr; });
        for (int round = 0; round < 10; ++round)
            QCoreApplication::processEvents();
    }

    // Runs what the start posted, with the view's commands recorded.
    void RecordCommands()
    {
        app->View()->SetCommandHandler([this](int command) { commands.push_back(command); });
        for (int round = 0; round < 10; ++round)
            QCoreApplication::processEvents();
    }

    std::unique_ptr<TempSuite> suite;
    std::unique_ptr<CSqlDatabase> catalog;
    std::unique_ptr<CValuxaApp> app;
    QStringList boxes;
    QStringList dialogs;
    std::vector<int> commands;
};

TEST_P(ValuxaAppTest, FirstRunAsksTheLocalAreaCodeAndOpensTheAccountOfExtensionZero)
{
    ASSERT_TRUE(Start({OwnPath()}));
    EXPECT_EQ(dialogs, QStringList{QStringLiteral("CLocalAreaCodeDlg")});
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_TRUE(QFile::exists(suite->SharedFolder() + QStringLiteral("PrcCnf.psx")));
    CValuxaView* view = app->View();
    EXPECT_EQ(view->mode(), kAccountMode);
    EXPECT_EQ(view->m_accountExtension, 0);
    EXPECT_EQ(view->m_accountPbx, 0);
    EXPECT_EQ(view->m_lineHistoryStart, OleDate(OleDate::Now().Year(), 1, 1));
    EXPECT_EQ(app->TariffPictures().Count(), 256);
    EXPECT_EQ(app->RulePictures().Count(), 64);
    EXPECT_EQ(app->Pbxs().ExtensionCount(0), 8);
    for (int round = 0; round < 10; ++round)
        QCoreApplication::processEvents();
    SaveScreenshot(*app->MainFrame(), QStringLiteral("rating_program_started"));

    // A second start finds the class held and ends silently.
    CValuxaApp second({OwnPath()}, Parameters());
    EXPECT_FALSE(second.InitInstance());
    EXPECT_EQ(second.FailureCode(), 0);
}

TEST_P(ValuxaAppTest, AnAccountRunOpensComputesAndSetsBothFlags)
{
    ASSERT_TRUE(Start({OwnPath() + kAccountRequest}));
    CValuxaView* view = app->View();
    EXPECT_EQ(view->mode(), kAccountMode);
    EXPECT_EQ(view->m_accountExtension, 3);
    EXPECT_EQ(view->m_accountStart, OleDate(2026, 12, 1));
    EXPECT_EQ(view->m_accountEnd, OleDate(2026, 12, 31, 23, 59, 59));
    EXPECT_EQ(view->m_applyFlag, 1);
    EXPECT_EQ(view->m_closeFlag, 1);
    EXPECT_EQ(view->findChild<QComboBox*>(QStringLiteral("1005"))->currentIndex(), 3);
    // Nothing to charge: the run says so and the program ends.
    RunPosted();
    EXPECT_EQ(boxes, QStringList{QStringLiteral("Non risultano spese telefoniche nel periodo selezionato")});
    EXPECT_EQ(view->m_applyFlag, 0);
    EXPECT_FALSE(app->MainFrame()->isVisible());
}

TEST_P(ValuxaAppTest, WithoutItsOwnPathTheProgramEndsSilently)
{
    for (const QStringList& arguments : {QStringList{}, QStringList{QStringLiteral("-x")},
                                         QStringList{QStringLiteral("/elsewhere/Tarivo/Tarivo -SOURCE:BILL")}}) {
        EXPECT_FALSE(Start(arguments)) << arguments.join(u' ').toStdString();
        EXPECT_EQ(app->FailureCode(), 0);
        app->ExitInstance();
    }
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_P(ValuxaAppTest, RequestsNamingNoExtensionEndWithCode100)
{
    struct Case {
        const char* request;
        int failure;
    } const cases[] = {
        {" -SOURCE:STAT -PBX:0 -DER:0", 0},
        {" -SOURCE:STAT -PBX:0", 100},
        {" -SOURCE:BILL -PBX:0 -DER:300", 100},
        {" -SOURCE:BILL -PBX:0 -DER:8", 100},
        {" -SOURCE:BILL -PBX:1 -DER:0", 100},
    };
    for (const Case& c : cases) {
        boxes.clear();
        const bool started = Start({OwnPath() + QString::fromUtf8(c.request)});
        EXPECT_EQ(started, c.failure == 0) << c.request;
        EXPECT_EQ(app->FailureCode(), c.failure) << c.request;
        if (c.failure) {
            ASSERT_EQ(boxes.size(), 1);
            EXPECT_TRUE(boxes[0].startsWith(QStringLiteral("Il centralino o il derivato richiesto non è disponibile")));
        } else {
            EXPECT_EQ(app->View()->mode(), kAccountMode);  // no change
        }
        app->ExitInstance();
        app.reset();
    }
}

TEST_P(ValuxaAppTest, HistoryWithAnUnreadableStartKeepsTheRestoredStart)
{
    ASSERT_TRUE(Start({OwnPath()}));
    app->View()->m_historyStart = OleDate(2025, 3, 1);
    app->ExitInstance();
    app.reset();

    ASSERT_TRUE(Start({OwnPath() + QStringLiteral(" -SOURCE:STORICO -DER:1 -PBX:0 -INIT:garbage")}));
    EXPECT_EQ(app->View()->mode(), kHistoryMode);
    EXPECT_EQ(app->View()->m_historyExtension, 1);
    EXPECT_EQ(app->View()->m_historyStart, OleDate(2025, 3, 1));
    RecordCommands();
    EXPECT_TRUE(commands.empty());  // no APPLY: nothing computed
}

TEST_P(ValuxaAppTest, APbxThatIsDownIsSkippedAndAloneEndsWithItsCode)
{
    AddPbx(1, 5, 0);
    ASSERT_EQ(catalog->UpdateComStat(0, kLinkDown), kNoError);
    ASSERT_TRUE(Start({OwnPath()}));
    EXPECT_FALSE(app->Pbxs().IsPresent(0));
    EXPECT_TRUE(app->Pbxs().IsPresent(1));
    EXPECT_EQ(app->View()->m_accountPbx, 1);  // the highest present PBX
    app->ExitInstance();
    app.reset();

    ASSERT_EQ(catalog->UpdateComStat(1, kLinkDown), kNoError);
    EXPECT_FALSE(Start({OwnPath()}));
    EXPECT_EQ(app->FailureCode(), kLinkDown);
    ASSERT_FALSE(boxes.isEmpty());
    EXPECT_TRUE(boxes.back().contains(QStringLiteral("33")));
}

TEST_P(ValuxaAppTest, RestoringDefaultsWritesThemAtExitKeepingTheLocalAreaCode)
{
    ASSERT_TRUE(Start({OwnPath()}));
    RatingConfiguration& configuration = app->Configuration();
    const QString localCode = configuration.prefixGroups.groups[0].entries.front().number;
    configuration.tariffs.tariffs[1].name = QStringLiteral("Cambiata");
    configuration.restoreDefaults = true;
    app->ExitInstance();
    app.reset();

    RatingConfiguration stored;
    ASSERT_EQ(LoadRatingConfiguration(RatingConfigurationPath(), kRatingFileOlderTag, kRatingFileTag, stored),
              RatingFileResult::Ok);
    EXPECT_NE(stored.tariffs.tariffs[1].name, QStringLiteral("Cambiata"));
    EXPECT_EQ(stored.prefixGroups.groups[0].entries.front().number, localCode);
}

TEST_P(ValuxaAppTest, MessagesFromAnotherProgramReachTheFrame)
{
    ASSERT_TRUE(Start({OwnPath()}));
    const OleDate start(2026, 11, 1);
    const auto bits = std::bit_cast<std::uint64_t>(start.Value());
    ASSERT_TRUE(SuiteIpc::Post(SuiteIpc::Key::WindowClass, QStringLiteral("Tarivo"), CMainFrame::kAccountStart,
                               bits & 0xFFFFFFFFu, static_cast<std::int64_t>(bits >> 32)));
    ASSERT_TRUE(SuiteIpc::Post(SuiteIpc::Key::WindowClass, QStringLiteral("Tarivo"), CMainFrame::kAccountStart, 0, 0));
    EXPECT_TRUE(WaitFor([&] { return app->View()->m_accountStart == start; }));
}

TEST_P(ValuxaAppTest, TheCallLoggerCommandOpensItsDialogAndTheTimerFeedsTheExport)
{
    ASSERT_TRUE(Start({OwnPath()}));
    auto timer = app->View()->findChild<QTimer*>(QStringLiteral("timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), CValuxaView::kTimerIntervalMs);
    EXPECT_TRUE(timer->isActive());

    QStringList shown;
    ModalAnswerer answerer([&shown](QDialog* dialog) { shown.append(QString::fromLatin1(dialog->metaObject()->className())); });
    app->View()->Target().Post(WM_COMMAND, CValuxaView::kCallLoggerCommand, 0);
    EXPECT_TRUE(WaitFor([&shown] { return !shown.isEmpty(); }));
    EXPECT_EQ(shown, QStringList{QStringLiteral("CCallLoggerDlg")});
}

// The unattended account run of the hotel program: computed, closed (the .sbf written, the calls
// billed), previewed, and printed from the preview; the real print ends the program.
TEST_P(ValuxaAppTest, AnAccountRunIsClosedPrintedAndEndsTheProgram)
{
    constexpr int kExtensionNumber = 204;  // extension 3
    for (const auto& [minute, number] : {std::pair{10, "0612345678"}, std::pair{40, "0719876543"}})
        ASSERT_EQ(catalog->InsertLoggedCall(0, PbxLogRecord(OleDate(2026, 12, 5, 9, minute, 0), 65, 1, 3, 1,
                                                            QString::fromLatin1(number)),
                                            kExtensionNumber),
                  kNoError);
    ASSERT_TRUE(Start({OwnPath() + kAccountRequest}));
    const QString pdf = suite->SuiteFolder() + QStringLiteral("account.pdf");
    app->Printer().setOutputFormat(QPrinter::PdfFormat);
    app->Printer().setOutputFileName(pdf);

    // The boxes are answered No (no copy of the account), the preview prints, the print dialog accepts.
    QStringList seen;
    QTimer answerer;
    answerer.setInterval(10);
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal->property("answered").toBool())
            return;
        modal->setProperty("answered", true);
        if (auto box = qobject_cast<QMessageBox*>(modal)) {
            seen << box->text();
            QTimer::singleShot(0, box->button(QMessageBox::No), &QAbstractButton::click);
        } else if (auto preview = qobject_cast<QPrintPreviewDialog*>(modal)) {
            seen << QStringLiteral("preview");
            SaveScreenshot(*preview, QStringLiteral("rating_account_preview"));
            // The preview speaks the suite's language: its button is found by Qt's own translated text.
            const QString printText = QCoreApplication::translate("QPrintPreviewDialog", "Print");
            for (QAction* action : preview->findChildren<QAction*>()) {
                if (action->text() == printText)
                    QTimer::singleShot(0, action, &QAction::trigger);
            }
        } else if (auto print = qobject_cast<QPrintDialog*>(modal)) {
            seen << QStringLiteral("print");
            QTimer::singleShot(0, print, &QDialog::accept);
        }
    });
    answerer.start();
    EXPECT_TRUE(WaitFor([&] { return !app->MainFrame()->isVisible(); }, 60000));
    answerer.stop();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Chiusura conto completata con successo\nSi desidera salvarne una copia."),
                                 QStringLiteral("preview"), QStringLiteral("print")}));

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished());
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains(QStringLiteral("0612345***"))) << printed.toStdString();
    EXPECT_TRUE(printed.contains(QStringLiteral("0719876***")));
    EXPECT_TRUE(printed.contains(QStringLiteral("TOTALE")));
    EXPECT_TRUE(printed.contains(QStringLiteral("Pagina 1/1")));

    const QStringList accounts = QDir(suite->SharedFolder()).entryList({QStringLiteral("0003*.sbf")});
    ASSERT_EQ(accounts.size(), 1);
    QFile account(suite->SharedFolder() + accounts[0]);
    ASSERT_TRUE(account.open(QIODevice::ReadOnly));
    const QString list = QString::fromUtf8(account.readAll());
    EXPECT_TRUE(list.startsWith(QStringLiteral("ADDEBITI ")));
    EXPECT_TRUE(list.contains(QStringLiteral("0719876***")));

    CRatingDatabase database(Parameters());
    ASSERT_EQ(database.Connect(kServer), kNoError);
    std::vector<LoggedCall> calls;
    int count = 0;
    ASSERT_EQ(database.SelectExtensionCalls(0, kExtensionNumber, nullptr, nullptr, &calls, count), kNoError);
    ASSERT_EQ(calls.size(), 2u);
    for (const LoggedCall& call : calls)
        EXPECT_EQ(call.billed, 1);
}

INSTANTIATE_DB_TEST(ValuxaAppTest);

}  // namespace
