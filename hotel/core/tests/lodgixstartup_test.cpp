// The hotel program's start-up in a throw-away suite on each backend, the windows' answers scripted:
// its codes, the first-run path, the login, the hotel it takes, the engine link and the shutdown.
#include "datafolders.h"
#include "dbtest.h"
#include "defaultprefixgroups.h"
#include "defaultrules.h"
#include "defaulttariffs.h"
#include "engineerrorcode.h"
#include "hoteldatabase.h"
#include "hoteltablesetup.h"
#include "installationsettings.h"
#include "language.h"
#include "lodgixstartup.h"
#include "lodgixstate.h"
#include "ratingconfigurationfile.h"
#include "scriptedengineserver.h"
#include "socketaddress.h"
#include "scriptedstartupwindows.h"
#include "tempsuite.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>

#include <deque>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) { *os << text.toStdString(); }

namespace lodgix {
namespace {

using Entry = StartupWindows::OperatorEntry;

const Entry kAdmin{QStringLiteral("admin"), QStringLiteral("Segreta1"), true};
const Entry kClerk{QStringLiteral("mario"), QStringLiteral("Banco22"), false};

class LodgixStartupTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(m_suite.IsValid());
        StartEngineDatabaseWithPbx(0, QStringLiteral("CENTRALE"));
        m_places.installationStore = m_suite.SharedFolder() + QStringLiteral("Installation.ini");
        m_places.databaseParameters = [this](const DatabaseSettings&) { return Parameters(); };
        m_places.ratingFile = m_suite.SharedFolder() + QStringLiteral("PrcCnf.psx");
        m_places.settingsFile = m_suite.SuiteFolder() + QStringLiteral("LodgixSettings.cfg");
        m_places.computerName = [] { return QStringLiteral("localhost"); };
        m_places.enginePort = UnusedTcpPort();
        WriteInstallation(InstallationSettings::kModeServer, kLanguageItalian);
        WriteRating(kRatingFileTag);
    }

    void TearDown() override
    {
        if (m_state)
            m_state->Shutdown();
        SetLanguage(kLanguageItalian);
        DbTest::TearDown();
    }

    static std::uint16_t UnusedTcpPort()
    {
        CBlockingSocket probe;
        probe.Create();
        probe.Bind(MakeSocketAddress("127.0.0.1", 0));
        return PortOf(probe.GetSockAddr());
    }

    void WriteInstallation(std::uint8_t mode, std::uint8_t language, const QString& accessPassword = {})
    {
        InstallationSettings settings(m_places.installationStore);
        settings.SetInstallationMode(mode);
        settings.SetLanguage(language);
        ASSERT_TRUE(settings.SetAccessPassword(accessPassword));
        ASSERT_TRUE(settings.Save());
    }

    void WriteRating(double tag)
    {
        auto configuration = std::make_unique<RatingConfiguration>();
        BuildDefaultPrefixGroups(QStringLiteral("06"), QStringLiteral("Roma"), configuration->prefixGroups);
        BuildDefaultTariffs(configuration->tariffs, configuration->variations);
        BuildDefaultRules(configuration->rules, configuration->prefixGroups);
        ASSERT_EQ(SaveRatingConfiguration(m_places.ratingFile, tag, *configuration), RatingFileResult::Ok);
    }

    // The operators' table with an administrator and a clerk, as an earlier start leaves them.
    void AddOperators()
    {
        CHotelDatabase db(Parameters());
        ASSERT_EQ(db.Connect(kServer), kNoError);
        ASSERT_EQ(db.EnsureGlobalTable(HotelTable::kOperators), kNoError);
        int id = 0;
        ASSERT_EQ(db.InsertOperator(kAdmin.userName, kAdmin.password, true, id), kNoError);
        ASSERT_EQ(db.InsertOperator(kClerk.userName, kClerk.password, false, m_clerkId), kNoError);
    }

    void AddHotels(const QStringList& names)
    {
        CHotelDatabase db(Parameters());
        ASSERT_EQ(db.Connect(kServer), kNoError);
        ASSERT_EQ(db.EnsureGlobalTable(HotelTable::kHotelConfiguration), kNoError);
        for (const QString& name : names) {
            HotelRecord hotel;
            hotel.name = name;
            int id = 0;
            ASSERT_EQ(db.InsertHotel(hotel, 0, id), kNoError);
            ASSERT_EQ(db.RecreateRoomTable(id), kNoError);  // the wizard makes it with the hotel
            m_hotelIds << id;
        }
    }

    // Operators and a hotel; the clerk logs in.
    void PrepareReturningStart()
    {
        AddOperators();
        AddHotels({QStringLiteral("Hotel Aurora")});
        m_windows.logins = {kClerk};
    }

    int Start()
    {
        if (m_state)
            m_state->Shutdown();
        m_state = std::make_unique<LodgixState>();
        return LodgixStartup(*m_state, m_windows, m_places).Run();
    }

    int Count(const QString& sql)
    {
        CHotelDatabase db(Parameters());
        EXPECT_EQ(db.Connect(kServer), kNoError);
        EXPECT_EQ(db.OpenRecordset(sql), kNoError);
        QString text;
        double number = -1;
        if (!db.IsEof())
            db.GetFieldValue(QStringLiteral("n"), text, number);
        return static_cast<int>(number);
    }

    TempSuite m_suite{QStringLiteral("Lodgix")};
    StartupPlaces m_places;
    ScriptedWindows m_windows;
    std::unique_ptr<LodgixState> m_state;
    int m_clerkId = 0;
    QList<int> m_hotelIds;
};

TEST_P(LodgixStartupTest, InstallationAndConfigurationFailures)
{
    struct FailureCase {
        const char* what;
        std::function<void()> prepare;
        int code;
    };
    const FailureCase cases[] = {
        {"mode 0", [this] { WriteInstallation(InstallationSettings::kModeNotConfigured, 1); }, 47},
        {"mode 3", [this] { WriteInstallation(InstallationSettings::kModeReconfigure, 1); }, 47},
        {"no store", [this] { QFile::remove(m_places.installationStore); }, 47},
        {"store unreadable",
         [this] {
             QFile::remove(m_places.installationStore);
             QDir().mkpath(m_places.installationStore);  // a folder where the file should be
         },
         62},
        {"no PrcCnf.psx", [this] { QFile::remove(m_places.ratingFile); }, 101},
        {"other tag", [this] { WriteRating(kExportFileTag); }, 101},
        {"no PBX",
         [this] {
             CSqlDatabase db(Parameters());
             ASSERT_EQ(db.Connect(kServer), kNoError);
             ASSERT_EQ(db.DeleteEngineConfiguration(0), kNoError);
         },
         100},
    };
    PrepareReturningStart();
    for (const FailureCase& c : cases) {
        m_windows = ScriptedWindows();
        m_windows.logins = {kClerk};
        c.prepare();
        EXPECT_EQ(Start(), c.code) << c.what;
        EXPECT_EQ(m_windows.failureCaption, QStringLiteral("Lodgix")) << c.what;
        EXPECT_EQ(m_windows.failureCode, c.code) << c.what;
        EXPECT_TRUE(m_windows.failureText.endsWith(QStringLiteral("\nCodice errore:  %1\nL'applicazione verrà chiusa").arg(c.code)))
            << c.what << ": " << m_windows.failureText.toStdString();
        // Back to a store and a file that work; the PBX goes last.
        QDir(m_places.installationStore).removeRecursively();
        WriteInstallation(InstallationSettings::kModeServer, kLanguageItalian);
        WriteRating(kRatingFileTag);
    }
}

TEST_P(LodgixStartupTest, FailureTexts)
{
    EXPECT_EQ(LodgixStartup::FailureText(101),
              QStringLiteral("Impostazioni di tariffazione non rilevate, effettuare la configurazione dall'applicativo "
                             "Tarivo prima di procedere.\nCodice errore:  101\nL'applicazione verrà chiusa"));
    EXPECT_TRUE(LodgixStartup::FailureText(47).startsWith(QStringLiteral("Errore di connessione al database, "
                                                                         "effettuare la configurazione mediante")));
}

TEST_P(LodgixStartupTest, FirstOperator)
{
    struct FirstRunCase {
        const char* what;
        bool yes;
        QString password;
        std::optional<Entry> entry;
        int code;
    };
    const FirstRunCase cases[] = {
        {"declined", false, QStringLiteral("Tamp5830"), kAdmin, 103},
        {"wrong password", true, QStringLiteral("tamp5830"), kAdmin, 104},
        {"right, Cancel", true, QStringLiteral("Tamp5830"), std::nullopt, 103},
    };
    for (const FirstRunCase& c : cases) {
        m_windows = ScriptedWindows();
        m_windows.answers = {c.yes};
        m_windows.administratorPassword = c.password;
        m_windows.firstOperator = c.entry;
        EXPECT_EQ(Start(), c.code) << c.what;
        ASSERT_EQ(m_windows.questions.size(), 1) << c.what;
        EXPECT_TRUE(m_windows.questions[0].startsWith(QStringLiteral("Non esiste alcun operatore configurato."))) << c.what;
    }

    // Right, OK: the operator is created and at the desk as administrator, whatever the dialog's choice.
    AddHotels({QStringLiteral("Hotel Aurora")});
    m_windows = ScriptedWindows();
    m_windows.answers = {true};
    m_windows.administratorPassword = QStringLiteral("Tamp5830");
    m_windows.firstOperator = kClerk;
    ASSERT_EQ(Start(), kNoError) << m_windows.failureText.toStdString();
    EXPECT_EQ(m_state->currentOperator.userName, kClerk.userName);
    EXPECT_TRUE(m_state->currentOperator.administrator);
    EXPECT_GT(m_state->currentOperator.id, 0);
    bool administrator = true;
    int id = 0;
    EXPECT_TRUE(m_state->database->CheckOperatorLogin(kClerk.userName, kClerk.password, administrator, id));
    EXPECT_EQ(id, m_state->currentOperator.id);
}

TEST_P(LodgixStartupTest, StoredAccessPasswordOpensTheFirstRun)
{
    AddHotels({QStringLiteral("Hotel Aurora")});
    WriteInstallation(InstallationSettings::kModeServer, 1, QStringLiteral("Chiave9"));
    m_windows.answers = {true};
    m_windows.administratorPassword = QStringLiteral("Tamp5830");  // no longer the one
    m_windows.firstOperator = kAdmin;
    EXPECT_EQ(Start(), LodgixStartup::kWrongPassword);
    m_windows.answers = {true};
    m_windows.administratorPassword = QStringLiteral("Chiave9");
    EXPECT_EQ(Start(), kNoError);
}

TEST_P(LodgixStartupTest, LoginIsAskedUntilRightOrCancelled)
{
    PrepareReturningStart();
    const Entry wrong{kClerk.userName, QStringLiteral("banco22"), false};
    m_windows.logins = {wrong, wrong, kClerk};
    ASSERT_EQ(Start(), kNoError);
    EXPECT_EQ(m_windows.loginDialogs, 3);
    EXPECT_EQ(m_windows.messages, QStringList(2, QStringLiteral("Informazioni di accesso non valide")));
    EXPECT_EQ(m_windows.icons, std::vector<StartupWindows::Icon>(2, StartupWindows::Icon::Error));
    EXPECT_EQ(m_state->currentOperator.id, m_clerkId);
    EXPECT_FALSE(m_state->currentOperator.administrator);

    m_windows = ScriptedWindows();
    m_windows.logins = {wrong, std::nullopt};
    EXPECT_EQ(Start(), LodgixStartup::kLoginCancelled);
    EXPECT_EQ(m_windows.messages.size(), 1);
}

TEST_P(LodgixStartupTest, NoHotelRunsTheWizardAfterTheLogin)
{
    AddOperators();
    m_windows.logins = {kClerk};
    m_windows.answers = {false};
    EXPECT_EQ(Start(), LodgixStartup::kNoHotel);
    EXPECT_EQ(m_windows.loginDialogs, 1);
    ASSERT_EQ(m_windows.questions.size(), 1);
    EXPECT_TRUE(m_windows.questions[0].startsWith(QStringLiteral("Non è stato rilevato alcun Hotel configurato.")));
    EXPECT_EQ(m_windows.wizardRuns, 0);

    m_windows = ScriptedWindows();
    m_windows.logins = {kClerk};
    m_windows.answers = {true};
    EXPECT_EQ(Start(), LodgixStartup::kNoHotel);
    EXPECT_EQ(m_windows.wizardRuns, 1);

    m_windows = ScriptedWindows();
    m_windows.logins = {kClerk};
    m_windows.answers = {true};
    m_windows.wizardCreates = true;
    ASSERT_EQ(Start(), kNoError);
    EXPECT_EQ(m_state->hotel.name, QStringLiteral("Hotel Nuovo"));
    EXPECT_TRUE(m_windows.progress.contains(QStringLiteral("Caricamento dati Hotel Nuovo")));
}

TEST_P(LodgixStartupTest, FirstHotelByNameWithDefaultSeasons)
{
    AddOperators();
    AddHotels({QStringLiteral("Zeta"), QStringLiteral("Alfa")});
    m_windows.logins = {kClerk};
    // A document issue that ended in a crash two days ago left its temporary file.
    const QString dataFolder = GetLocalDataFolder();
    ASSERT_TRUE(QDir().mkpath(dataFolder));
    const QList<QPair<QString, int>> ageInDays = {{QStringLiteral("issue-Ab12Cd.tmp"), 2},
                                                  {QStringLiteral("issue-Ef34Gh.tmp"), 0}};
    for (const auto& [name, days] : ageInDays) {
        QFile file(dataFolder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(-days), QFileDevice::FileModificationTime));
    }
    ASSERT_EQ(Start(), kNoError) << m_windows.failureText.toStdString();
    EXPECT_FALSE(QFile::exists(dataFolder + QStringLiteral("issue-Ab12Cd.tmp")));
    EXPECT_TRUE(QFile::exists(dataFolder + QStringLiteral("issue-Ef34Gh.tmp")));
    EXPECT_EQ(m_state->hotel.name, QStringLiteral("Alfa"));
    EXPECT_EQ(m_state->hotelId, m_hotelIds[1]);
    EXPECT_EQ(m_state->seasons, SeasonTable::Defaults());
    SeasonTable stored;
    EXPECT_EQ(m_state->database->LoadHotelPeriods(m_hotelIds[1], stored), kNoError);
    EXPECT_EQ(stored, SeasonTable::Defaults());
    EXPECT_EQ(m_windows.progress,
              (QStringList{QStringLiteral("Connessione al database in corso..."),
                           QStringLiteral("Lettura impostazioni di tariffazione..."),
                           QStringLiteral("Caricamento dati Alfa"), QStringLiteral("Lettura impostazioni centralino")}));
    EXPECT_TRUE(QFile::exists(m_places.settingsFile));  // written with the defaults
    EXPECT_EQ(m_state->hotelSettings.latestCheckOutHour, 11);
}

TEST_P(LodgixStartupTest, DefaultRoomServicesComeOnlyWithANewTable)
{
    PrepareReturningStart();
    ASSERT_EQ(Start(), kNoError);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) AS n FROM RoomServices")), 9);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) AS n FROM ClientServices WHERE NomeServizio = 'Internet access' "
                                   "AND Prezzo = 1 AND IVA = 20")),
              1);
    ASSERT_TRUE(Catalog().Execute(QStringLiteral("DELETE FROM RoomServices WHERE IDRoomService IN (1, 2)")));
    m_windows.logins = {kClerk};
    ASSERT_EQ(Start(), kNoError);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) AS n FROM RoomServices")), 7);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) AS n FROM ClientServices")), 1);
}

TEST_P(LodgixStartupTest, EngineLinkOnlyWhenTheEngineAnswers)
{
    PrepareReturningStart();
    ASSERT_EQ(Start(), kNoError);  // nobody listens on the engine port
    EXPECT_EQ(m_state->engine, nullptr);

    ScriptedEngineServer engine([](const ReceivedRequest& r) { return ScriptedReply::Answer(r, {}); });
    m_places.enginePort = engine.Port();
    m_windows.logins = {kClerk};
    ASSERT_EQ(Start(), kNoError);
    ASSERT_NE(m_state->engine, nullptr);
    const std::vector<ReceivedRequest> requests = engine.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, EngineRequestHeader::kPingTarget);  // registered for events
}

TEST_P(LodgixStartupTest, LanguageOfTheInstallation)
{
    struct LanguageCase {
        std::uint8_t language;
        bool english;
    };
    for (const LanguageCase c : {LanguageCase{0, false}, LanguageCase{3, false}, LanguageCase{2, true}}) {
        WriteInstallation(InstallationSettings::kModeServer, c.language);
        m_windows = ScriptedWindows();
        Start();  // no operators: the first question is enough
        EXPECT_EQ(IsEnglish(), c.english) << int(c.language);
        EXPECT_EQ(QLocale().name(), c.english ? QStringLiteral("en_GB") : QStringLiteral("it_IT")) << int(c.language);
        ASSERT_FALSE(m_windows.questions.isEmpty());
        EXPECT_EQ(m_windows.questions[0].startsWith(QStringLiteral("No operator")), c.english) << int(c.language);
    }
}

TEST_P(LodgixStartupTest, AnEndWhileAQuestionIsOpenStopsWithoutAFailureBox)
{
    struct EndCase {
        const char* what;
        std::function<void()> prepare;
        int endAt;
        int dialogsAfter;  // questions, dialogs and messages shown in all
    };
    const Entry wrong{kClerk.userName, QStringLiteral("sbagliata"), false};
    const EndCase cases[] = {
        {"first-run question", [this] { m_windows.answers = {true}; }, 1, 1},
        {"administrator password", [this] {
             m_windows.answers = {true};
             m_windows.administratorPassword = QStringLiteral("Tamp5830");
         }, 2, 2},
        {"first operator", [this] {
             m_windows.answers = {true};
             m_windows.administratorPassword = QStringLiteral("Tamp5830");
             m_windows.firstOperator = kAdmin;
         }, 3, 3},
        {"login", [this] { AddOperators(); m_windows.logins = {kClerk}; }, 1, 1},
        {"login refused message", [this, wrong] { m_windows.logins = {wrong, kClerk}; }, 2, 2},
        {"no hotel question", [this] { m_windows.logins = {kClerk}; m_windows.answers = {true}; }, 2, 2},
        {"hotel wizard", [this] {
             m_windows.logins = {kClerk};
             m_windows.answers = {true};
             m_windows.wizardCreates = true;
         }, 3, 3},
    };
    for (const EndCase& c : cases) {
        m_windows = ScriptedWindows();
        c.prepare();
        m_windows.endAtQuestion = c.endAt;
        EXPECT_EQ(Start(), LodgixStartup::kEndRequested) << c.what;
        EXPECT_EQ(m_windows.asked, c.dialogsAfter) << c.what;
        EXPECT_TRUE(m_windows.failureText.isEmpty()) << c.what;
    }
    // The first operator's dialog was answered before the end: no operator was stored.
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) AS n FROM Operatori")), 2);
}

TEST_P(LodgixStartupTest, StateKeepsTheSettingsFileAndTheDataFolder)
{
    PrepareReturningStart();
    ASSERT_EQ(Start(), kNoError);
    EXPECT_EQ(m_state->settingsFile, m_places.settingsFile);
    EXPECT_TRUE(QFile::exists(m_state->settingsFile));
    InstallationSettings installation(m_places.installationStore);
    ASSERT_EQ(installation.Load(), InstallationSettings::LoadResult::Loaded);
    EXPECT_EQ(m_state->dataFolder, GetDataFolder(installation));
    EXPECT_TRUE(m_state->dataFolder.endsWith(u'/'));
}

TEST_P(LodgixStartupTest, ShutdownJoinsAWaitingReminder)
{
    PrepareReturningStart();
    ASSERT_EQ(Start(), kNoError);
    ASSERT_NE(m_state->reminderDatabase, nullptr);
    CReminderThread::Setup setup;
    setup.database = m_state->reminderDatabase->Parameters();
    setup.serverName = m_state->serverName;
    setup.hotelId = m_state->hotelId;
    setup.rooms = m_state->rooms;
    setup.dayChangeHour = m_state->hotelSettings.latestCheckOutHour;
    setup.refreshExtensionStates = [this](CHotelDatabase& db) { return m_state->extensions.RefreshExtensionStates(db) != 0; };
    m_state->reminder = std::make_unique<CReminderThread>(std::move(setup));
    m_state->reminder->Start();  // waits a minute for its first rebuild
    m_state->Shutdown();
    EXPECT_EQ(m_state->reminder, nullptr);
    EXPECT_EQ(m_state->database, nullptr);
    EXPECT_EQ(m_state->reminderDatabase, nullptr);
    EXPECT_EQ(m_state->extensions.RoomCount(), 0);
}

INSTANTIATE_DB_TEST(LodgixStartupTest);

}  // namespace
}  // namespace lodgix
