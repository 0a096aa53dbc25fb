// The operator console's frame in this process, against the engine Pultex in simulation and its PBX
// Simulvex: the voice-mail switch writes the own extension's programming to the PBX, stores it and relays
// it to the workstations, whose event brings it back into the table; a tool button's call and hang-up
// reach the PBX. The frame's pauses run at once.
#include "computername.h"
#include "consolestartupload.h"
#include "engineclient.h"
#include "engineeventdispatcher.h"
#include "installationsettings.h"
#include "mainframe.h"
#include "operatorsettingsrecords.h"
#include "pbxframebuilders.h"
#include "pbxstateloader.h"
#include "picturechoosers.h"
#include "registrykey.h"
#include "sqldatabase.h"
#include "statustexts.h"
#include "suiteprogramprocess.h"
#include "suitetree.h"
#include "udpeventlistener.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <array>
#include <span>

namespace {

const QString kPultex = QStringLiteral("Pultex");
constexpr int kOwnExtension = 1;
constexpr int kWaitMs = 20000;

class FrameEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tree.IsValid());
        ASSERT_TRUE(m_tree.PlaceProgram(kPultex, QStringLiteral(PULTEX_PROGRAM)));
        ASSERT_TRUE(m_tree.InstallSimulvex(QStringLiteral(SIMULVEX_PROGRAM),
                                           {QStringLiteral("set extensions 4"), QStringLiteral("set lines 2"),
                                            QStringLiteral("set entryphones 1"), QStringLiteral("set relays 1")}));
        ASSERT_TRUE(m_tree.WriteInstallation(InstallationSettings::kModeSimulation, 0, kOwnExtension));
        ASSERT_TRUE(m_tree.WriteNetworkPorts());
        const QString registry = m_tree.SharedFolder() + QStringLiteral("Registry.ini");
        ASSERT_TRUE(RegistryKey(QStringLiteral("Startup"), registry).WriteInt(QStringLiteral("SimulatorWaitMs"), 20000));
        ASSERT_TRUE(RegistryKey(QStringLiteral("Telephony"), registry)
                        .WriteString(QStringLiteral("CountryCode"), QStringLiteral("39")));
        ASSERT_TRUE(m_tree.CreateCatalog({QStringLiteral("CENTRALE")}));
        ASSERT_TRUE(m_engine.Start(m_tree.ProgramPath(kPultex)));
        ASSERT_TRUE(m_engine.WaitForAnyLine({QStringLiteral("started: "), QStringLiteral("window shown: ")})
                        .startsWith(QStringLiteral("started: ")));
        m_tree.Enter();

        m_database = std::make_unique<CSqlDatabase>(m_tree.CatalogParameters());
        ASSERT_EQ(m_database->Connect(ComputerName()), 0);
        ASSERT_EQ(m_database->PrepareOperatorConsoleTables(), 0);
        ASSERT_EQ(LoadConsoleState(*m_database, m_state, m_settings.main, m_settings.second, 0, kOwnExtension,
                                   OleDate::Now()),
                  0);
        m_installation.Load();
        m_settings.third.SetInUse(true);
        m_images.BuildImageLists(1);

        CMainFrame::Services services;
        services.state = &m_state;
        services.settings = &m_settings;
        services.installation = &m_installation;
        services.images = &m_images;
        services.database = m_database.get();
        services.engine = [this] { return &m_client; };
        services.runDialog = [](QDialog&) { return 0; };
        services.showError = [this](std::uint8_t code) { m_errors.push_back(code); };
        services.after = [](std::chrono::milliseconds, std::function<void()> action) { action(); };
        services.engineEvent = [this](std::uint64_t slot, std::int64_t) {
            m_dispatcher->Dispatch(m_listener->CopySlot(static_cast<int>(slot)));
        };
        m_frame = std::make_unique<CMainFrame>(std::move(services));
        m_dispatcher = std::make_unique<EngineEventDispatcher>(m_state, *m_database, m_settings.main, *m_frame);
        m_dispatcher->SetEngineClient(&m_client);
        m_frame->SetDispatcher(m_dispatcher.get());
        m_listener = std::make_unique<CUdpEventListener>(&m_frame->Target(), CMainFrame::kEngineEventMessage, false);
        ASSERT_TRUE(m_listener->Start(m_tree.Ports().eventPort));
    }

    void TearDown() override
    {
        m_listener.reset();
        if (m_frame)
            m_frame->SetDispatcher(nullptr);
        m_dispatcher.reset();
        m_frame.reset();
    }

    QString Simulvex(const QString& command) { return m_engine.SimulvexCommand(command); }

    SuiteTree m_tree{QStringLiteral("Fonivra")};
    SuiteProgramProcess m_engine{kPultex};
    std::unique_ptr<CSqlDatabase> m_database;
    OperatorConsoleState m_state;
    OperatorSettingsRecords m_settings;
    InstallationSettings m_installation{m_tree.SharedFolder() + QStringLiteral("Installation.ini")};
    OperatorImageLists m_images{m_state, m_settings.main, [](PbxLabelKind, int, int) { return QString(); }, {}};
    CEngineClient m_client{"127.0.0.1", m_tree.Ports().requestPort};
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<EngineEventDispatcher> m_dispatcher;
    std::unique_ptr<CUdpEventListener> m_listener;
    std::vector<std::uint8_t> m_errors;
};

TEST_F(FrameEngineTest, TheVoiceMailSwitchReachesThePbxTheDatabaseAndEveryWorkstation)
{
    const std::uint8_t before = m_state.tables.extensionProgramming[kOwnExtension][46];
    ASSERT_EQ(Simulvex(QStringLiteral("frames clear")).left(2), QStringLiteral("OK"));
    m_frame->Target().Post(WM_COMMAND, CMainFrame::kVoiceMailSwitch, 0);
    // The frame never changes the table itself: the relayed programming (event 35) does.
    ASSERT_TRUE(WaitFor([&] { return m_state.tables.extensionProgramming[kOwnExtension][46] != before; }, kWaitMs));
    EXPECT_TRUE(m_errors.empty());
    EXPECT_EQ(m_state.tables.extensionProgramming[kOwnExtension][46], before ^ 0x80);
    // The PBX got the programming frame: 0x16 0x16, code 0x23, 50 bytes of an extension record.
    EXPECT_TRUE(Simulvex(QStringLiteral("frames")).contains(QStringLiteral("16162332"), Qt::CaseInsensitive));
    QByteArray stored;
    ASSERT_EQ(m_database->ReadDerivedProgrammation(PbxListPosition(*m_database, 0), kOwnExtension, stored), 0);
    ASSERT_GT(stored.size(), 46);
    EXPECT_EQ(static_cast<std::uint8_t>(stored.at(46)), before ^ 0x80);
}

// A PBX as newly installed: no extension follows another, outside calls are allowed, no service is on.
TEST_F(FrameEngineTest, AFreshSimulvexExtensionShowsNoService)
{
    EXPECT_EQ(FormatOwnServicesText(m_state, *m_database), QStringLiteral("NESSUN SERVIZIO ABILITATO"));
    for (int extension = 0; extension < m_state.FirstCounts().extensions; ++extension) {
        SCOPED_TRACE(extension);
        EXPECT_EQ(FormatExtensionServicesText(m_state, *m_database, extension), QString());
        for (const bool voiceMailGlyph : {false, true}) {
            const ExtensionGlyphs glyphs = ExtensionServiceGlyphs(m_state, voiceMailGlyph, extension);
            EXPECT_EQ(glyphs.a, 0);
            EXPECT_EQ(glyphs.b, 0);
            EXPECT_EQ(glyphs.c, 0);
            EXPECT_EQ(glyphs.d, 0);
        }
    }
}

TEST_F(FrameEngineTest, AToolButtonHangsUpAtThePbxBetweenItsNumbers)
{
    m_settings.toolbar.SetLabel(0, QStringLiteral("Chiudi"));
    m_settings.toolbar.SetNumber(0, 1, QStringLiteral("22"));
    m_state.tables.extensionStatus[kOwnExtension].bytes[2] = 2;  // ready
    ASSERT_EQ(Simulvex(QStringLiteral("frames clear")).left(2), QStringLiteral("OK"));
    m_frame->Target().Post(WM_COMMAND, CMainFrame::kFirstToolButton, 0);
    // The on-hook request for extension 1: 0x16 0x16, code 0, one byte.
    EXPECT_TRUE(WaitFor([&] { return Simulvex(QStringLiteral("frames")).contains(QStringLiteral("1616000101")); },
                        kWaitMs))
        << Simulvex(QStringLiteral("frames")).toStdString();
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(FrameEngineTest, AToolButtonDialsItsFirstNumberFromTheOwnExtension)
{
    m_settings.toolbar.SetLabel(0, QStringLiteral("Ufficio"));
    m_settings.toolbar.SetNumber(0, 0, QStringLiteral("0612"));
    m_state.tables.extensionStatus[kOwnExtension].bytes[2] = 2;  // ready
    ASSERT_EQ(Simulvex(QStringLiteral("frames clear")).left(2), QStringLiteral("OK"));
    m_frame->Target().Post(WM_COMMAND, CMainFrame::kFirstToolButton, 0);

    // Off-hook first, then the number one digit at a time.
    std::array<std::uint8_t, 64> frame{};
    const auto hex = [&](std::size_t size) {
        return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(frame.data()), qsizetype(size)).toHex());
    };
    QStringList expected{hex(BuildOffHookFrame(frame.data(), kOwnExtension))};
    for (char digit : std::string("0612"))
        expected << hex(BuildDigitsFrame(frame.data(), kOwnExtension, std::string(1, digit)));
    EXPECT_TRUE(WaitFor(
        [&] {
            const QString frames = Simulvex(QStringLiteral("frames"));
            qsizetype at = 0;
            for (const QString& part : expected) {
                at = frames.indexOf(part, at, Qt::CaseInsensitive);
                if (at < 0)
                    return false;
            }
            return true;
        },
        kWaitMs))
        << Simulvex(QStringLiteral("frames")).toStdString();
    EXPECT_TRUE(m_errors.empty());
    Simulvex(QStringLiteral("hangup %1").arg(kOwnExtension));
}

}  // namespace
