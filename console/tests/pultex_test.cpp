// The console program as a process of its own in a suite tree, offscreen: in simulation it starts
// Simulvex and mirrors the PBX into the database, serves the engine requests of other processes and
// relays to the workstations; a second start hands over; a failing PBX leaves the window shown; the update
// check starts the updater; a client workstation reads the bound PBX's records that the first stored.
#include "catalogcount.h"
#include "columndefinition.h"
#include "consolesuite.h"
#include "engineclient.h"
#include "engineerrorcode.h"
#include "enginesettingsfile.h"
#include "findwindow.h"
#include "installationsettings.h"
#include "mainframe.h"
#include "messagetarget.h"
#include "pbxinitialization.h"
#include "pbxrecord.h"
#include "socketaddress.h"
#include "sqldatabase.h"
#include "suiteipc.h"
#include "udpeventlistener.h"
#include "updaterreplacement.h"
#include "waitfor.h"

#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <csignal>

#include <mutex>
#include <ostream>
#include <vector>

namespace {

constexpr int kSeconds = 6;
constexpr int kWaitMs = 20000;
constexpr std::uint32_t kDatagramMessage = WM_USER + 100;
const QString kModel = QStringLiteral("SIMULVEX TEST 7");
const QString kFirstPbx = QStringLiteral("CENTRALE");
const QString kSecondPbx = QStringLiteral("SECONDA");
const QString kStarted = QStringLiteral("started: ");
const QString kIncompleteStart = QStringLiteral("window shown: the start was not complete");
const QString kUpdateCheckStart = QStringLiteral("window shown: looking for updates");
const QString kOperatorConsoleStarted = QStringLiteral("operator console started");

// The simulated PBX: few objects, so that the start-up reads are quick, and values of its own in each
// kind of record, so that the stored copies show where they came from.
QStringList SimulatorConfiguration(const QString& model)
{
    return {
        QStringLiteral("set extensions 3"),
        QStringLiteral("set lines 2"),
        QStringLiteral("set entryphones 1"),
        QStringLiteral("set relays 1"),
        QStringLiteral("set model ") + model,
        QStringLiteral("set config 5 42"),
        QStringLiteral("set programming extension 1 10 77"),
        QStringLiteral("set state extension 2 7"),
        QStringLiteral("calllog add 0 2024-03-01 10:15:00 65 1 0612345678"),
        QStringLiteral("calllog add 2 2024-03-02 11:00:00 30 0 021234 in"),
    };
}

// Remembers the messages posted to it, from any thread.
class RecordingTarget : public MessageTarget {
public:
    struct Message {
        std::uint32_t message;
        std::uint64_t wParam;
        std::int64_t lParam;
    };

    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override
    {
        std::lock_guard lock(m_mutex);
        m_messages.push_back({message, wParam, lParam});
    }

    std::vector<Message> Messages() const
    {
        std::lock_guard lock(m_mutex);
        return m_messages;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<Message> m_messages;
};

std::vector<std::uint8_t> Frame(std::initializer_list<std::uint8_t> bytes) { return bytes; }

int RowCount(CSqlDatabase& database, const QString& table, const QString& where = QStringLiteral("1=1"),
             const QVariantList& values = {})
{
    return CatalogCount(database, QStringLiteral("SELECT COUNT(*) AS Total FROM %1 WHERE %2").arg(table, where), values);
}

// The datagram a listener on 127.0.0.1 at the port receives after the request; empty when none came.
std::vector<std::uint8_t> DatagramAfter(std::uint16_t port, const std::function<EngineErrorCode()>& request)
{
    RecordingTarget target;
    CUdpEventListener listener(&target, kDatagramMessage, false);
    if (!listener.StartOn(MakeSocketAddress("127.0.0.1", port)) || request() != kNoError)
        return {};
    if (!WaitFor([&target] { return !target.Messages().empty(); }, kWaitMs))
        return {};
    return listener.CopySlot(static_cast<int>(target.Messages().front().wParam));
}

class PultexTest : public ::testing::Test {
protected:
    // A suite in simulation with these PBXs, bound to PBX 0 and the extension.
    void PrepareSimulation(ConsoleSuite& suite, const QStringList& pbxs, const QString& model = kModel,
                           const DatabaseSettings& database = {})
    {
        ASSERT_TRUE(suite.IsValid());
        ASSERT_TRUE(suite.InstallSimulvex(SimulatorConfiguration(model)));
        ASSERT_TRUE(suite.WriteInstallation(InstallationSettings::kModeSimulation, 0, 0, database));
        ASSERT_TRUE(suite.WriteRegistry());
        ASSERT_TRUE(suite.CreateCatalog(pbxs, database));
    }

    void StartAndWait(ConsoleSuite& suite, const QString& expectedEnd)
    {
        ASSERT_TRUE(suite.StartConsole());
        const QString end = suite.WaitForStartEnd();
        ASSERT_TRUE(end.startsWith(expectedEnd)) << "start ended with \"" << end.toStdString() << "\" after:\n"
                                                 << suite.Lines().join(u'\n').toStdString();
    }

    ConsoleSuite m_suite;
};

struct MirrorCase {
    const char* name;
    const char* model;
    bool logCleared;  // the PBX's call log is emptied after the download
};

std::ostream& operator<<(std::ostream& out, const MirrorCase& c) { return out << c.name; }

class PultexMirrorTest : public PultexTest, public ::testing::WithParamInterface<MirrorCase> {};

TEST_P(PultexMirrorTest, StartsSimulvexAndMirrorsThePbxIntoTheDatabase)
{
    const QString model = QString::fromLatin1(GetParam().model);
    PrepareSimulation(m_suite, {kFirstPbx}, model);
    m_suite.Enter();
    ASSERT_FALSE(FindSimulvexWindow());
    StartAndWait(m_suite, kStarted);
    EXPECT_TRUE(FindSimulvexWindow());
    EXPECT_TRUE(m_suite.HasLine(QStringLiteral("PBX 0 CENTRALE: status 0")));

    CSqlDatabase database(m_suite.CatalogParameters());
    ASSERT_EQ(database.Connect(QString()), kNoError);
    // Every snapshot table holds one row per object of the simulated PBX.
    const std::pair<EngineTable, int> rows[] = {
        {EngineTable::kInitialization, 1},        {EngineTable::kSystemConfiguration, 1},
        {EngineTable::kDerivedStatus, 3},         {EngineTable::kLineStatus, 2},
        {EngineTable::kEntryPhoneStatus, 1},      {EngineTable::kRelayStatus, 1},
        {EngineTable::kSystemProgrammations, 1},  {EngineTable::kLineProgrammations, 2},
        {EngineTable::kDerivedProgrammations, 3}, {EngineTable::kEntryPhoneProgrammations, 1},
        {EngineTable::kRelayProgrammations, 1},
    };
    ASSERT_EQ(std::size(rows), PbxSnapshotTables().size());
    for (auto [table, count] : rows)
        EXPECT_EQ(RowCount(database, database.PbxTableName(table, 0)), count) << TableName(table).toStdString();

    QByteArray record;
    ASSERT_EQ(database.ReadInitialization(0, record), kNoError);
    EXPECT_EQ(record[PbxRecord::kExtensionCount], 3);
    EXPECT_EQ(record[PbxRecord::kLineCount], 2);
    EXPECT_EQ(record[PbxRecord::kEntryPhoneCount], 1);
    EXPECT_EQ(record[PbxRecord::kRelayCount], 1);
    EXPECT_EQ(record.mid(PbxRecord::kInitializationVersion, model.size()), model.toLatin1());
    ASSERT_EQ(database.ReadSystemConfiguration(0, record), kNoError);
    EXPECT_EQ(record[5], 42);
    ASSERT_EQ(database.ReadDerivedProgrammation(0, 1, record), kNoError);
    EXPECT_EQ(record[10], 77);
    ASSERT_EQ(database.ReadDerivedStatus(0, 2, record), kNoError);
    EXPECT_EQ(record[2], 7);

    // Each call of the PBX's log is stored once; the log is cleared unless the model keeps it.
    EXPECT_EQ(RowCount(database, QStringLiteral("LogCalls"), QStringLiteral("PbxIdentifier=?"), {0}), 2);
    const QString remaining = GetParam().logCleared ? QStringLiteral("OK 0") : QStringLiteral("OK 1");
    EXPECT_EQ(m_suite.SimulvexCommand(QStringLiteral("calllog count 0")), remaining);
    EXPECT_EQ(m_suite.SimulvexCommand(QStringLiteral("calllog count 2")), remaining);

    quint8 state = 255;
    ASSERT_EQ(database.ReadComStat(0, state), kNoError);
    EXPECT_EQ(state, 0);
    database.Close();
    EXPECT_EQ(m_suite.StopConsole(), 0);
}

INSTANTIATE_TEST_SUITE_P(Models, PultexMirrorTest,
                         ::testing::Values(MirrorCase{"Simulvex", "SIMULVEX TEST 7", true},
                                           MirrorCase{"Nexo28", "NEXO28 V2.1", false}),
                         [](const ::testing::TestParamInfo<MirrorCase>& info) { return info.param.name; });

TEST_F(PultexTest, AnswersAnotherProcessAndRelaysToAListenerThatPinged)
{
    PrepareSimulation(m_suite, {kFirstPbx});
    StartAndWait(m_suite, kStarted);

    const CEngineClient client("127.0.0.1", m_suite.Ports().requestPort);
    PbxInitialization initialization;
    ASSERT_EQ(client.ReadInitialization(0, initialization, kSeconds), kNoError);
    EXPECT_EQ(initialization.Version(), kModel);
    EXPECT_EQ(initialization.ExtensionCount(), 3);

    const auto frame = Frame({0x16, 0x16, 0x0D, 0x02, 1, '5'});
    const std::vector<std::uint8_t> datagram = DatagramAfter(m_suite.Ports().eventPort, [&] {
        const EngineErrorCode ping = client.PingServer();
        return ping != kNoError ? ping : client.SendToClients(0, frame);
    });
    EXPECT_EQ(datagram, Frame({0, 0x16, 0x16, 0x0D, 0x02, 1, '5'}));
    EXPECT_EQ(m_suite.StopConsole(), 0);
}

TEST_F(PultexTest, ARingReachesAPingedListenerAndTheTablesAndTheHangUpIsLoggedOnce)
{
    PrepareSimulation(m_suite, {kFirstPbx});
    StartAndWait(m_suite, kStarted);
    RecordingTarget target;
    CUdpEventListener listener(&target, kDatagramMessage, false);
    ASSERT_TRUE(listener.StartOn(MakeSocketAddress("127.0.0.1", m_suite.Ports().eventPort)));
    const CEngineClient client("127.0.0.1", m_suite.Ports().requestPort);
    ASSERT_EQ(client.PingServer(), kNoError);

    // The line's state, the ring, the extension's state and the caller id.
    ASSERT_EQ(m_suite.SimulvexCommand(QStringLiteral("ring 1 line 0 0612345678")), QStringLiteral("OK 4 events"));
    ASSERT_TRUE(WaitFor([&target] { return target.Messages().size() >= 4; }, kWaitMs));
    std::vector<std::vector<std::uint8_t>> datagrams;
    for (const RecordingTarget::Message& message : target.Messages())
        datagrams.push_back(listener.CopySlot(static_cast<int>(message.wParam)));
    EXPECT_EQ(datagrams[1], Frame({0, 0x16, 0x16, 51, 4, 1, 8, 2, 0}));
    const std::string number = "0612345678";
    std::vector<std::uint8_t> callerId{0, 0x16, 0x16, 70, 12, 0};
    callerId.insert(callerId.end(), number.begin(), number.end());
    callerId.push_back(0);
    EXPECT_EQ(datagrams[3], callerId);

    CSqlDatabase database(m_suite.CatalogParameters());
    ASSERT_EQ(database.Connect(QString()), kNoError);
    const QString lines = database.PbxTableName(EngineTable::kLineStatus, 0);
    EXPECT_TRUE(WaitFor([&] {
        return RowCount(database, lines, QStringLiteral("IndiceOggetto=0 AND CallerID=?"), {QString::fromStdString(number)}) == 1;
    }, kWaitMs));
    EXPECT_EQ(RowCount(database, database.PbxTableName(EngineTable::kDerivedStatus, 0),
                       QStringLiteral("IndiceOggetto=1 AND Stato=3 AND Link=2 AND IndiceLink=0")),
              1);

    ASSERT_TRUE(m_suite.SimulvexCommand(QStringLiteral("hangup 1")).startsWith(QLatin1String("OK")));
    EXPECT_TRUE(WaitFor([&] { return RowCount(database, QStringLiteral("LogCallsSwNew")) == 1; }, kWaitMs));
    EXPECT_EQ(RowCount(database, QStringLiteral("LogCallsSwNew"),
                       QStringLiteral("IndiceDerivato=1 AND IndiceEsterna=2 AND Scatti=0 AND Uscente=3")),
              1);
    database.Close();
    EXPECT_EQ(m_suite.StopConsole(), 0);
}

TEST_F(PultexTest, ASecondStartHandsOverToTheFirstAndLeavesEngineLogAlone)
{
    ASSERT_TRUE(m_suite.IsValid());
    const QString logPath = m_suite.ProgramFolder() + QStringLiteral("Engine.log");
    const QByteArray earlierLog("the first console's traffic\r\n");
    ASSERT_TRUE(m_suite.InstallFile(logPath, earlierLog, false));
    // This test stands in for the console that runs.
    m_suite.Enter();
    RecordingTarget first;
    const auto registration = SuiteIpc::Register(SuiteIpc::Key::WindowClass, kPultexClass, first);
    ASSERT_TRUE(registration);

    ASSERT_TRUE(m_suite.StartConsole());
    EXPECT_EQ(m_suite.WaitForExit(), 0);
    ASSERT_TRUE(WaitFor([&first] { return !first.Messages().empty(); }, kWaitMs));
    const RecordingTarget::Message handOver = first.Messages().front();
    EXPECT_EQ(handOver.message, CMainFrame::kIconMessage);
    EXPECT_EQ(handOver.wParam, 0u);
    EXPECT_EQ(handOver.lParam, CMainFrame::kLeftDoubleClick);

    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), earlierLog);
    EXPECT_FALSE(QFile::exists(m_suite.SharedFolder() + QStringLiteral("Installation.ini")));
    EXPECT_FALSE(QFile::exists(m_suite.ProgramFolder() + QStringLiteral("PxCnf.ers")));
}

TEST_F(PultexTest, APbxWhoseStartFailsLeavesTheWindowShownAndTheOthersRunning)
{
    // Both PBXs are reached through the simulator's one serial resource, which the first holds.
    PrepareSimulation(m_suite, {kFirstPbx, kSecondPbx});
    StartAndWait(m_suite, kIncompleteStart);
    EXPECT_TRUE(m_suite.HasLine(QStringLiteral("PBX 0 CENTRALE: status 0")));
    EXPECT_TRUE(m_suite.HasLine(QStringLiteral("PBX 1 SECONDA: status 3")));
    EXPECT_TRUE(m_suite.HasLine(QStringLiteral("engine outcome 0 detail 0")));

    CSqlDatabase database(m_suite.CatalogParameters());
    ASSERT_EQ(database.Connect(QString()), kNoError);
    quint8 state = 255;
    ASSERT_EQ(database.ReadComStat(1, state), kNoError);
    EXPECT_EQ(state, kResourceAccessDenied);
    ASSERT_EQ(database.ReadComStat(0, state), kNoError);
    EXPECT_EQ(state, 0);
    database.Close();

    const CEngineClient client("127.0.0.1", m_suite.Ports().requestPort);
    PbxInitialization initialization;
    EXPECT_EQ(client.ReadInitialization(0, initialization, kSeconds), kNoError);
    EXPECT_EQ(client.ReadInitialization(1, initialization, kSeconds), kServerUnknownTarget);
    EXPECT_EQ(m_suite.StopConsole(), 0);
}

// The operator console: a script that notes its arguments in a file.
void InstallOperatorConsole(ConsoleSuite& suite, const QString& marker)
{
    ASSERT_TRUE(suite.InstallScript(QStringLiteral("Fonivra"), QStringLiteral("echo \"$@\" > '%1'").arg(marker)));
}

void WriteEngineSettings(ConsoleSuite& suite, std::uint8_t interval)
{
    EngineSettings settings(OleDate::Now());
    settings.updateIntervalDays = interval;
    settings.startOperatorConsole = 1;
    ASSERT_EQ(SaveEngineSettings(settings, suite.ProgramFolder() + QStringLiteral("PxCnf.ers")), 1);
}

TEST_F(PultexTest, AnUpdateCheckAtEveryStartRunsTheUpdaterInsteadOfTheOperatorConsole)
{
    PrepareSimulation(m_suite, {kFirstPbx});
    const QString marker = m_suite.Folder() + QStringLiteral("operator-console-started");
    InstallOperatorConsole(m_suite, marker);
    WriteEngineSettings(m_suite, EngineSettings::kCheckAtEveryStart);
    // The updater in place would not answer; the one a patch left in the Shared folder does.
    const QString received = m_suite.Folder() + QStringLiteral("updater-received");
    ASSERT_TRUE(m_suite.InstallScript(QStringLiteral("Refresko"), QStringLiteral("exit 0")));
    ASSERT_TRUE(m_suite.InstallFile(
        m_suite.SharedFolder() + kUpdaterPatchFile,
        QStringLiteral("#!/bin/sh\nexec '%1' \"$0\" '%2'\n").arg(QStringLiteral(FAKE_UPDATER_PATH), received).toUtf8(),
        false));

    StartAndWait(m_suite, kUpdateCheckStart);
    ASSERT_TRUE(WaitFor([&] { return QFile::exists(received) && QFileInfo(received).size() > 0; }, kWaitMs));
    QFile output(received);
    ASSERT_TRUE(output.open(QIODevice::ReadOnly));
    EXPECT_EQ(output.readAll().trimmed(), QByteArray("273 1004 0"));  // WM_COMMAND, the automatic check
    EXPECT_FALSE(QFile::exists(m_suite.SharedFolder() + kUpdaterPatchFile));
    EXPECT_FALSE(m_suite.HasLine(kOperatorConsoleStarted));
    EXPECT_EQ(m_suite.StopConsole(), 0);
    EXPECT_FALSE(QFile::exists(marker));
}

TEST_F(PultexTest, WithoutAnUpdateCheckTheOperatorConsoleStartsWithTheConsole)
{
    PrepareSimulation(m_suite, {kFirstPbx});
    const QString marker = m_suite.Folder() + QStringLiteral("operator-console-started");
    InstallOperatorConsole(m_suite, marker);
    WriteEngineSettings(m_suite, EngineSettings::kCheckEveryWeek);

    StartAndWait(m_suite, kStarted);
    EXPECT_TRUE(m_suite.HasLine(kOperatorConsoleStarted));
    ASSERT_TRUE(WaitFor([&] { return QFileInfo(marker).size() > 0; }, kWaitMs));
    QFile arguments(marker);
    ASSERT_TRUE(arguments.open(QIODevice::ReadOnly));
    EXPECT_EQ(arguments.readAll().trimmed(), (m_suite.Folder() + QStringLiteral("Fonivra/Fonivra")).toUtf8());
    EXPECT_EQ(m_suite.StopConsole(), 0);
}

TEST_F(PultexTest, TheStartImportsTheMailContactsIntoTheContactsCache)
{
    PrepareSimulation(m_suite, {kFirstPbx});
    ASSERT_TRUE(m_suite.InstallFile(m_suite.SharedFolder() + QStringLiteral("Contacts.csv"),
                                    "First Name,Last Name,Home Phone\r\nMario,Rossi,06 1234\r\n", false));
    StartAndWait(m_suite, kStarted);
    QFile cache(m_suite.SharedFolder() + QStringLiteral("TapCnt.tpc"));
    ASSERT_TRUE(cache.open(QIODevice::ReadOnly));
    EXPECT_EQ(cache.readAll(), QByteArray("Mario Rossi\t+39061234\t\t\t\r\n"));
    EXPECT_EQ(m_suite.StopConsole(), 0);
}

// A client workstation of the first console, both on PostgreSQL: the client reads what the server stored
// of the bound PBX, and relays the server's events to its operator console.
TEST_F(PultexTest, AClientStartReadsTheBoundPbxsRecordsThatTheServerStored)
{
    const QString host = qEnvironmentVariable("SUITE_TEST_PGHOST");
    if (host.isEmpty())
        GTEST_SKIP() << "PostgreSQL not tested: SUITE_TEST_PGHOST is not set";
    DatabaseSettings postgres;
    postgres.backend = DatabaseSettings::Backend::PostgreSql;
    postgres.host = host;
    bool portOk = false;
    const int port = qEnvironmentVariable("SUITE_TEST_PGPORT").toInt(&portOk);
    postgres.port = portOk ? port : DatabaseSettings::kDefaultPostgresPort;
    postgres.user = qEnvironmentVariable("SUITE_TEST_PGUSER");

    PrepareSimulation(m_suite, {kFirstPbx}, kModel, postgres);
    StartAndWait(m_suite, kStarted);

    ConsoleSuite client;
    ASSERT_TRUE(client.IsValid());
    client.Ports().requestPort = m_suite.Ports().requestPort;
    client.Ports().eventPort = m_suite.Ports().eventPort;
    ASSERT_TRUE(client.WriteInstallation(InstallationSettings::kModeClient, 0, 1, postgres, QStringLiteral("localhost")));
    ASSERT_TRUE(client.WriteRegistry());
    StartAndWait(client, kStarted);
    EXPECT_TRUE(client.HasLine(QStringLiteral("PBX 0 CENTRALE records: extensions 3, lines 2, entry phones 1, model ") + kModel));
    EXPECT_TRUE(client.HasLine(QStringLiteral("engine outcome 0 detail 0 (Nessun errore); TAPI outcome 0")));

    const CEngineClient server("127.0.0.1", m_suite.Ports().requestPort);
    const auto frame = Frame({0x16, 0x16, 0x0D, 0x02, 1, '7'});
    const std::vector<std::uint8_t> relayed =
        DatagramAfter(client.Ports().relayPort, [&] { return server.SendToClients(0, frame); });
    EXPECT_EQ(relayed, Frame({0, 0x16, 0x16, 0x0D, 0x02, 1, '7'}));

    EXPECT_EQ(client.StopConsole(), 0);
    EXPECT_EQ(m_suite.StopConsole(), 0);
}


// A start that waits in a box ends in order on SIGTERM: the box closes, nothing more starts, the window
// class's name is given up and the exit code is 0.
struct SignalCase {
    const char* name;
    std::function<void(ConsoleSuite&)> prepare;
};

std::ostream& operator<<(std::ostream& out, const SignalCase& c) { return out << c.name; }

void SetInstallationValue(ConsoleSuite& suite, const QString& key, const QVariant& value)
{
    QSettings(suite.SharedFolder() + QStringLiteral("Installation.ini"), QSettings::IniFormat).setValue(key, value);
}

class PultexSignalTest : public PultexTest, public ::testing::WithParamInterface<SignalCase> {};

TEST_P(PultexSignalTest, TerminationWhileAStartWaitsInABoxEndsItInOrder)
{
    ASSERT_TRUE(m_suite.IsValid());
    GetParam().prepare(m_suite);
    ASSERT_TRUE(m_suite.StartConsole());
    const QString box = m_suite.WaitForLine(QStringLiteral("start-up waits in a box"));
    ASSERT_FALSE(box.isEmpty()) << m_suite.Lines().join(u'\n').toStdString();
    ASSERT_TRUE(m_suite.SignalConsole(SIGTERM));
    EXPECT_EQ(m_suite.WaitForExit(), 0) << m_suite.Lines().join(u'\n').toStdString();
    EXPECT_TRUE(m_suite.HasLine(QStringLiteral("ended by a termination signal during start-up")));
    m_suite.Enter();
    EXPECT_FALSE(FindPultexWindow());
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, PultexSignalTest,
    ::testing::Values(
        SignalCase{"NotConfigured",
                   [](ConsoleSuite& suite) {
                       ASSERT_TRUE(suite.WriteInstallation(InstallationSettings::kModeNotConfigured, 0, 0));
                       ASSERT_TRUE(suite.WriteRegistry());
                   }},
        SignalCase{"Reconfigure",
                   [](ConsoleSuite& suite) {
                       ASSERT_TRUE(suite.WriteInstallation(InstallationSettings::kModeReconfigure, 0, 0));
                       ASSERT_TRUE(suite.WriteRegistry());
                   }},
        SignalCase{"NoLanguage",
                   [](ConsoleSuite& suite) {
                       ASSERT_TRUE(suite.WriteInstallation(InstallationSettings::kModeSimulation, 0, 0));
                       SetInstallationValue(suite, QStringLiteral("Installation/Language"), 0);
                       ASSERT_TRUE(suite.WriteRegistry());
                   }},
        SignalCase{"DamagedInstallationStore",
                   [](ConsoleSuite& suite) {
                       ASSERT_TRUE(suite.InstallFile(suite.SharedFolder() + QStringLiteral("Installation.ini"),
                                                     "[Installation]\nMode=abc\n", false));
                       ASSERT_TRUE(suite.WriteRegistry());
                   }},
        SignalCase{"NoCountryCode",
                   [](ConsoleSuite& suite) {
                       ASSERT_TRUE(suite.InstallSimulvex(SimulatorConfiguration(kModel)));
                       ASSERT_TRUE(suite.WriteInstallation(InstallationSettings::kModeSimulation, 0, 0));
                       ASSERT_TRUE(suite.WriteRegistry());
                       ASSERT_TRUE(suite.CreateCatalog({kFirstPbx}));
                       QSettings registry(suite.SharedFolder() + QStringLiteral("Registry.ini"), QSettings::IniFormat);
                       for (const QString& key : registry.allKeys())
                           if (key.endsWith(QStringLiteral("CountryCode")))
                               registry.remove(key);
                   }}),
    [](const ::testing::TestParamInfo<SignalCase>& info) { return std::string(info.param.name); });

}  // namespace
