// The view's link check on ticks, with the real Simulvex program on COM98 behind the request server, on
// both database backends.
#include "linksupervisor.h"

#include "dbtest.h"
#include "eventrig.h"
#include "pbxinitialization.h"
#include "qstringprinter.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

// The frame codes the checks send: initialization read, state reporting, clock set.
const QString kProbe = QStringLiteral("1E");
const QString kStateEvents = QStringLiteral("3C");
const QString kClock = QStringLiteral("26");

class LinkSupervisorTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        m_rig = std::make_unique<EventRig>(StartEngineDatabaseWithPbx(EventRig::kPbx, QStringLiteral("PBX1")), UsesLan());
        ASSERT_TRUE(m_rig->Start()) << m_rig->Error().toStdString();

        LinkSupervisor::Services services;
        services.serverMode = [this] { return serverMode; };
        services.engineOutcome = [this] { return engineOutcome; };
        services.setEngineOutcome = [this](std::uint8_t outcome, std::uint8_t detail) {
            engineOutcome = outcome;
            engineDetail = detail;
        };
        services.tapiOutcome = [this] { return tapiOutcome; };
        services.setTapiOutcome = [this](std::uint8_t outcome) { tapiOutcome = outcome; };
        services.startEngine = [this] {
            calls << QStringLiteral("start engine");
            return std::uint8_t(0);
        };
        services.openPbxLink = [this](int pbx) {
            calls << QStringLiteral("open %1").arg(pbx);
            if (!Rig().RestartSimulvex())
                return std::uint8_t(kResourceNotAvailable);
            return static_cast<std::uint8_t>(Rig().ReopenLink());
        };
        services.closeLink = [this](int pbx) {
            calls << QStringLiteral("close %1").arg(pbx);
            if (serverMode)
                Rig().Link()->Close();
            else
                clientOpen = false;
        };
        services.startTapiService = [this] {
            calls << QStringLiteral("start tapi");
            return std::uint8_t(0);
        };
        services.link = [this](int pbx) { return pbx == EventRig::kPbx ? Rig().Link() : nullptr; };
        services.clientLinkOpen = [this] { return clientOpen; };
        services.linkStatus = [this](int) { return linkStatus; };
        services.setLinkStatus = [this](int, std::uint8_t status) { linkStatus = status; };
        services.engineClient = [this] { return client ? client : &Rig().Client(); };
        services.database = &Rig().Database();
        services.counters = &Rig().Processor().SilenceCounters();
        services.boundRecords = &Rig().Bound();
        services.boundPbx = [] { return EventRig::kPbx; };
        services.iconShown = [this] { return iconShown; };
        services.mainFrame = &m_frame;
        services.refreshBoard = [this] { calls << QStringLiteral("refresh"); };
        services.broadcastAddress = "127.0.0.1";
        m_supervisor = std::make_unique<LinkSupervisor>(std::move(services));
        Frames();
    }

    virtual bool UsesLan() const { return false; }
    EventRig& Rig() { return *m_rig; }

    // Ticks; the codes of the frames that reached the PBX meanwhile, in order.
    QStringList Tick(int ticks = 1)
    {
        for (int tick = 0; tick < ticks; ++tick)
            m_supervisor->Tick();
        return Frames();
    }

    QStringList Frames()
    {
        const QString reply = Rig().Simulvex().Command(QStringLiteral("frames"));
        Rig().Simulvex().Command(QStringLiteral("frames clear"));
        QStringList codes;
        for (const QString& entry : reply.mid(3).split(QStringLiteral(" | "), Qt::SkipEmptyParts)) {
            const QByteArray bytes = QByteArray::fromHex(entry.section(u' ', -1).toLatin1());
            if (bytes.size() > 2)
                codes << QString::fromLatin1(bytes.mid(2, 1).toHex()).toUpper();
        }
        return codes;
    }

    // The balloons posted to the main window since the last call.
    std::vector<std::uint32_t> Balloons()
    {
        std::vector<std::uint32_t> messages;
        for (const PostedMessages::Message& message : m_frame.Take(m_frame.Waiting(), 0))
            messages.push_back(message.message);
        return messages;
    }

    int ComStat()
    {
        quint8 state = 255;
        EXPECT_EQ(Rig().Database().ReadComStat(Rig().Database().PbxComId(EventRig::kPbx), state), kNoError);
        return state;
    }

    bool serverMode = true;
    bool clientOpen = true;
    bool iconShown = true;
    std::uint8_t engineOutcome = 0;
    std::uint8_t engineDetail = 0;
    std::uint8_t tapiOutcome = 0;
    std::uint8_t linkStatus = 0;
    const CEngineClient* client = nullptr;
    QStringList calls;

private:
    std::unique_ptr<EventRig> m_rig;
    PostedMessages m_frame;
    std::unique_ptr<LinkSupervisor> m_supervisor;
};

TEST_P(LinkSupervisorTest, ASerialPbxIsProbedAfterSixSilentTicks)
{
    EXPECT_EQ(Tick(3), QStringList());
    ASSERT_GE(Rig().Run(QStringLiteral("event 50 00")), 0);  // a frame: the minute starts again
    EXPECT_EQ(Tick(5), QStringList());
    EXPECT_EQ(Tick(), (QStringList{kProbe, kStateEvents, kClock}));
    EXPECT_EQ(Tick(5), QStringList());
    EXPECT_EQ(Tick(), (QStringList{kProbe, kStateEvents, kClock}));
    EXPECT_EQ(Balloons(), std::vector<std::uint32_t>());
    EXPECT_EQ(calls, QStringList());
}

TEST_P(LinkSupervisorTest, AFailedProbeIsShownUntilThePbxOfTheSameModelAnswers)
{
    tapiOutcome = 5;
    Rig().Simulvex().Command(QStringLiteral("fault silence on"));
    Tick(6);
    EXPECT_NE(linkStatus, 0);
    EXPECT_EQ(ComStat(), linkStatus);
    EXPECT_EQ(Balloons(), std::vector<std::uint32_t>{LinkSupervisor::kFaultBalloonMessage});
    EXPECT_EQ(calls, QStringList{"refresh"});
    const std::uint8_t failure = linkStatus;

    // Another model answers: the link stays failed, silently.
    Rig().Simulvex().Command(QStringLiteral("fault silence off"));
    Rig().Simulvex().Command(QStringLiteral("set model OTHER V2.0"));
    calls.clear();
    EXPECT_EQ(Tick(6), QStringList{kProbe});
    EXPECT_EQ(linkStatus, failure);
    EXPECT_EQ(ComStat(), failure);
    EXPECT_EQ(Balloons(), std::vector<std::uint32_t>());

    // The same model again: status and ComStat cleared, the TAPI link started, the balloon.
    Rig().Simulvex().Command(QStringLiteral("set model SIMULVEX V1.0"));
    EXPECT_EQ(Tick(6), QStringList{kProbe});
    EXPECT_EQ(linkStatus, 0);
    EXPECT_EQ(ComStat(), 0);
    EXPECT_EQ(calls, (QStringList{"start tapi", "refresh"}));
    EXPECT_EQ(Balloons(), std::vector<std::uint32_t>{LinkSupervisor::kRestoredBalloonMessage});
}

TEST_P(LinkSupervisorTest, AFailedEngineStartIsRetriedAfterSixTicks)
{
    engineOutcome = 3;
    EXPECT_EQ(Tick(5), QStringList());
    EXPECT_EQ(calls, QStringList());
    Tick();
    EXPECT_EQ(calls, (QStringList{"start engine", "refresh"}));
    EXPECT_EQ(Rig().Processor().SilenceCounters().Value(EventRig::kPbx), LinkSilenceCounters::kFull);
}

TEST_P(LinkSupervisorTest, AClientWhoseServerStoppedShowsTheServerLost)
{
    serverMode = false;
    CEngineClient stopped("127.0.0.1", FreeUdpPort());  // nothing listens there
    client = &stopped;
    tapiOutcome = 0;
    Tick(6);
    EXPECT_EQ(engineOutcome, LinkSupervisor::kServerLostOutcome);
    EXPECT_EQ(engineDetail, LinkSupervisor::kServerLostDetail);
    EXPECT_EQ(tapiOutcome, LinkSupervisor::kTapiNotStarted);
    EXPECT_EQ(linkStatus, LinkSupervisor::kLinkNotStarted);
    EXPECT_EQ(calls, (QStringList{"close 0", "refresh"}));
    EXPECT_EQ(Balloons(), std::vector<std::uint32_t>{LinkSupervisor::kFaultBalloonMessage});

    // The link closed: the engine is started again.
    calls.clear();
    Tick(6);
    EXPECT_EQ(calls, (QStringList{"start engine", "refresh"}));
}

// The hang-up is looked at the next tick, not after a minute: the failure is shown at once and the link
// closed; the tick after opens it again.
TEST_P(LinkSupervisorTest, ASerialLineWhoseFarEndHungUpIsShownAtTheNextTickAndOpenedAgain)
{
    Rig().Simulvex().Kill();
    // Requests fail while the dead device is held open.
    PbxInitialization initialization;
    EXPECT_NE(Rig().Client().ReadInitialization(EventRig::kPbx, initialization, 6), kNoError);
    // The serial event thread sees the hang-up on its own time, possibly after the request failed.
    EXPECT_TRUE(WaitFor([&] { return Rig().Link()->IsHungUp(); }));
    Tick();
    EXPECT_NE(linkStatus, 0);
    EXPECT_EQ(ComStat(), linkStatus);
    EXPECT_EQ(calls, (QStringList{"refresh", "close 0"}));
    EXPECT_EQ(Balloons(), std::vector<std::uint32_t>{LinkSupervisor::kFaultBalloonMessage});

    calls.clear();
    Tick();
    EXPECT_EQ(calls, (QStringList{"open 0", "refresh"}));
    EXPECT_EQ(linkStatus, 0);
    EXPECT_EQ(ComStat(), 0);
    EXPECT_EQ(Balloons(), std::vector<std::uint32_t>{LinkSupervisor::kRestoredBalloonMessage});
    EXPECT_EQ(Rig().Client().ReadInitialization(EventRig::kPbx, initialization, 6), kNoError);
    EXPECT_FALSE(Rig().Link()->IsHungUp());
    // Back to the minute of silence (the request above aside).
    Frames();
    calls.clear();
    EXPECT_EQ(Tick(5), QStringList());
    EXPECT_EQ(calls, QStringList());
}

INSTANTIATE_DB_TEST(LinkSupervisorTest);

class LanLinkSupervisorTest : public LinkSupervisorTest {
protected:
    bool UsesLan() const override { return true; }
};

TEST_P(LanLinkSupervisorTest, ALanPbxIsProbedEverySixthTickWhateverItSends)
{
    EXPECT_EQ(Tick(3), QStringList());
    ASSERT_GE(Rig().Run(QStringLiteral("event 50 00")), 0);  // its frames do not put the probe off
    EXPECT_EQ(Tick(2), QStringList());
    EXPECT_EQ(Tick(), (QStringList{kProbe, kStateEvents, kClock}));
    EXPECT_EQ(Tick(5), QStringList());
    EXPECT_EQ(Tick(), (QStringList{kProbe, kStateEvents, kClock}));
    EXPECT_EQ(calls, QStringList());
}

INSTANTIATE_DB_TEST(LanLinkSupervisorTest);

}  // namespace
