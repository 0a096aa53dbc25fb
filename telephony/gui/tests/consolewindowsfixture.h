#pragma once

// The operator console's windows over a real PBX: a suite tree in which the engine Pultex runs in
// simulation against Simulvex with the model given, the catalog on SQLite or PostgreSQL, the console's
// state loaded from it as the program loads it, an engine client, and the event listener feeding the
// dispatcher. Tests hand the windows the context.
#include "consoleredrawtarget.h"
#include "consolestartupload.h"
#include "consolewindowcontext.h"
#include "databasesettings.h"
#include "dbparameters.h"
#include "engineclient.h"
#include "engineeventdispatcher.h"
#include "engineerrorcode.h"
#include "installationsettings.h"
#include "mainsettings.h"
#include "messagetarget.h"
#include "operatorsettingsrecords.h"
#include "registrykey.h"
#include "service2pluginsettings.h"
#include "socketaddress.h"
#include "sqldatabase.h"
#include "suiteprogramprocess.h"
#include "suitetree.h"
#include "testcatalog.h"
#include "udpeventlistener.h"
#include "waitfor.h"
#include "wparamqueue.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>

namespace consolewindows {

// What Simulvex plays, and the one extension that carries a label.
struct SimulvexModel {
    int extensions = 12;
    int lines = 12;
    int entryPhones = 4;
    int relays = 4;
    int labelledExtension = 2;
    QString label = QStringLiteral("Reception");
    QStringList configuration;  // further Simulvex commands before the engine starts ("set config 1 16")
};

constexpr std::uint8_t kPbx = 0;
constexpr int kOwnExtension = 1;
constexpr std::uint32_t kEventMessage = 0x400 + 100;
constexpr int kWaitMs = 10000;
const QString kPultex = QStringLiteral("Pultex");

// The listener's posts, as the main frame receives them.
using SlotQueue = WParamQueue;

class NoRedraw : public ConsoleRedrawTarget {
public:
    void RedrawObject(PbxObjectType, int) override {}
    void RefreshOwnExtension() override {}
    void RefreshPopup() override {}
};

class ConsoleWindowsTest : public ::testing::TestWithParam<DbBackend> {
protected:
    // Starts the engine on the model; the test is skipped when the backend cannot be tested here.
    void StartOn(const SimulvexModel& model)
    {
        m_model = model;
        m_catalog = std::make_unique<TestCatalog>(GetParam());
        if (!m_catalog->SkipReason().isEmpty())
            GTEST_SKIP() << m_catalog->SkipReason().toStdString();
        m_tree = std::make_unique<SuiteTree>(kPultex);
        m_engine = std::make_unique<SuiteProgramProcess>(kPultex);
        ASSERT_TRUE(m_tree->IsValid());
        ASSERT_TRUE(m_tree->PlaceProgram(kPultex, QStringLiteral(PULTEX_PROGRAM)));
        ASSERT_TRUE(m_tree->InstallSimulvex(QStringLiteral(SIMULVEX_PROGRAM),
                                            QStringList{QStringLiteral("set extensions %1").arg(model.extensions),
                                                        QStringLiteral("set lines %1").arg(model.lines),
                                                        QStringLiteral("set entryphones %1").arg(model.entryPhones),
                                                        QStringLiteral("set relays %1").arg(model.relays)} +
                                                model.configuration));
        const DatabaseSettings database = DatabaseOf(m_catalog->Parameters());
        ASSERT_TRUE(m_tree->WriteInstallation(InstallationSettings::kModeSimulation, kPbx, kOwnExtension, database));
        ASSERT_TRUE(m_tree->WriteNetworkPorts());
        const QString registry = m_tree->SharedFolder() + QStringLiteral("Registry.ini");
        ASSERT_TRUE(RegistryKey(QStringLiteral("Startup"), registry).WriteInt(QStringLiteral("SimulatorWaitMs"), 20000));
        ASSERT_TRUE(RegistryKey(QStringLiteral("Telephony"), registry).WriteString(QStringLiteral("CountryCode"),
                                                                                   QStringLiteral("39")));
        ASSERT_TRUE(m_tree->CreateCatalog({QStringLiteral("CENTRALE")}, database));
        ASSERT_TRUE(m_engine->Start(m_tree->ProgramPath()));
        const QString end = m_engine->WaitForAnyLine({QStringLiteral("started: "), QStringLiteral("window shown: ")});
        ASSERT_TRUE(end.startsWith(QStringLiteral("started: "))) << m_engine->Lines().join(u'\n').toStdString();
        m_tree->Enter();
        m_installation = std::make_unique<InstallationSettings>(m_tree->SharedFolder() + QStringLiteral("Installation.ini"));
        m_installation->Load();
        ASSERT_TRUE(m_installation->IsLoaded());

        m_database = std::make_unique<CSqlDatabase>(m_tree->CatalogParameters(database));
        ASSERT_EQ(m_database->Connect(QString()), kNoError);
        ASSERT_EQ(m_database->PrepareOperatorConsoleTables(), kNoError);
        ASSERT_EQ(m_database->SaveDerivedLabel(kPbx, model.labelledExtension, model.label), kNoError);
        ASSERT_EQ(LoadConsoleState(*m_database, m_state, m_settings, Service2PluginSettings(), kPbx, kOwnExtension,
                                   OleDate::Now()),
                  kNoError)
            << m_database->LastError().toStdString();
        m_client = std::make_unique<CEngineClient>("127.0.0.1", m_tree->Ports().requestPort);
        m_client->SetSleepFunction([](std::chrono::milliseconds) {});
        m_dispatcher = std::make_unique<EngineEventDispatcher>(m_state, *m_database, m_settings, m_redraw);
        m_dispatcher->SetEngineClient(m_client.get());
        ASSERT_TRUE(m_listener.StartOn(MakeSocketAddress("127.0.0.1", m_tree->Ports().eventPort)));
        ASSERT_EQ(m_client->PingServer(), kNoError);

        m_context.state = &m_state;
        m_context.database = m_database.get();
        m_context.labels = DatabaseLabelReader(*m_database);
        m_context.engine = [this] { return m_client.get(); };
        m_context.installation = m_installation.get();
        m_context.settings = &m_records;
    }

    void TearDown() override
    {
        m_listener.Stop();
        m_dispatcher.reset();
        m_client.reset();
        m_database.reset();
        m_installation.reset();
        m_engine.reset();
        m_tree.reset();
        m_catalog.reset();
    }

    // Dispatches the datagrams the listener received until `count` have come; false when they did not.
    bool DispatchReceived(std::size_t count)
    {
        std::size_t dispatched = 0;
        return WaitFor([&] {
            for (int slot : m_slots.Take()) {
                m_dispatcher->Dispatch(m_listener.CopySlot(slot));
                ++dispatched;
            }
            return dispatched >= count;
        }, kWaitMs);
    }
    // Waits for a received datagram that the predicate accepts (the others are dropped).
    bool WaitForDatagram(const std::function<bool(const std::vector<std::uint8_t>&)>& accept)
    {
        return WaitFor([&] {
            for (int slot : m_slots.Take())
                if (accept(m_listener.CopySlot(slot)))
                    return true;
            return false;
        }, kWaitMs);
    }
    QString Simulvex(const QString& command) { return m_engine->SimulvexCommand(command); }

    SimulvexModel m_model;
    OperatorConsoleState m_state;
    MainSettings m_settings;
    OperatorSettingsRecords m_records;  // the windows' copies of the settings files
    std::unique_ptr<InstallationSettings> m_installation;
    ConsoleWindowContext m_context;
    std::unique_ptr<CSqlDatabase> m_database;
    std::unique_ptr<CEngineClient> m_client;
    std::unique_ptr<EngineEventDispatcher> m_dispatcher;

private:
    // The installation store's form of a test catalog: its own PostgreSQL catalog, so tests run in parallel.
    static DatabaseSettings DatabaseOf(const DbParameters& parameters)
    {
        DatabaseSettings database;
        if (parameters.backend == DbBackend::kPostgres) {
            database.backend = DatabaseSettings::Backend::PostgreSql;
            database.host = parameters.host;
            database.port = parameters.port;
            database.user = parameters.user;
            database.password = parameters.password;
            database.catalog = parameters.database;
        } else {
            database.file = parameters.file;
        }
        return database;
    }

    std::unique_ptr<TestCatalog> m_catalog;  // the SQLite file's folder
    std::unique_ptr<SuiteTree> m_tree;
    std::unique_ptr<SuiteProgramProcess> m_engine;
    NoRedraw m_redraw;
    SlotQueue m_slots;
    CUdpEventListener m_listener{&m_slots, kEventMessage, false};
};

#define INSTANTIATE_CONSOLE_WINDOWS_TEST(suite)                                                                     \
    INSTANTIATE_TEST_SUITE_P(Backends, suite, ::testing::Values(DbBackend::kSqlite, DbBackend::kPostgres),         \
                             [](const ::testing::TestParamInfo<DbBackend>& info) {                                  \
                                 return BackendName(info.param).toStdString();                                      \
                             })

}  // namespace consolewindows
