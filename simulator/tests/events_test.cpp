// Scripted calls and what the engine receives of them, in order, over both kinds of line.
#include "simulatorlinktesting.h"

namespace {

constexpr int kSeconds = 6;
constexpr int kPbx = 0;

class SimulatorEventTest : public SimulatorLinkTest {
protected:
    void SetUp() override
    {
        SimulatorLinkTest::SetUp();
        if (HasFatalFailure())
            return;
        // The engine switches state reporting on at the end of its start-up.
        ASSERT_EQ(client->RequestStateEvents(kPbx, 1, kSeconds), kNoError);
    }
};

TEST_P(SimulatorEventTest, IncomingCallRingsIsAnsweredAndEnds)
{
    Do("ring 1 line 0 0612345");
    EXPECT_EQ(Events(4), (QStringList{"65:020003", "51:01080200", "65:010103",
                                      "70:0080130108" + QByteArray("01151020").toHex() + "0207" + QByteArray("0612345").toHex()}));

    // The engine answers for the extension.
    ASSERT_EQ(client->OffHook(kPbx, 1, true, kSeconds), kNoError);
    EXPECT_EQ(Events(2), (QStringList{"14:01", "60:01010200"}));

    Do("hangup 1");
    const QStringList ended = Events(4);
    ASSERT_EQ(ended.size(), 4);
    EXPECT_EQ(ended.mid(0, 3), (QStringList{"15:01", "65:010102", "65:020002"}));
    // The PBX's record of the call: kind 2, line 0, incoming, extension 1, ..., the caller's number.
    EXPECT_TRUE(ended.at(3).startsWith(QLatin1String("67:0200000100"))) << ended.at(3).toStdString();
    EXPECT_TRUE(ended.at(3).endsWith(QByteArray("0612345").toHex() + "00")) << ended.at(3).toStdString();
    EXPECT_EQ(Command("calllog count 1"), QStringLiteral("OK 1"));
}

TEST_P(SimulatorEventTest, CallerIdOfFixedLayout)
{
    Do("ring 1 line 2 4711 fixed");
    const QStringList events = Events(4);
    ASSERT_EQ(events.size(), 4);
    // Line, kind 4, date and time "01151020", the number and the check byte.
    EXPECT_EQ(events.at(3), "70:0204" + QByteArray("01151020").toHex() + QByteArray("4711").toHex() + "a9");
}

TEST_P(SimulatorEventTest, OutgoingCallDialledByTheEngine)
{
    ASSERT_EQ(client->OffHook(kPbx, 2, true, kSeconds), kNoError);
    ASSERT_EQ(client->SendDigits(kPbx, 2, "0", kSeconds), kNoError);
    ASSERT_EQ(client->SendDigits(kPbx, 2, "123", kSeconds), kNoError);
    EXPECT_EQ(Events(4), (QStringList{"14:02", "65:010210", "65:01020e", "65:020008"}));
    // A request with an answer comes after the digits on the line: they have been taken when it is answered.
    PbxStatusBytes status{};
    ASSERT_EQ(client->ReadStatus(kPbx, kObjectExtension, 2, status, kSeconds), kNoError);
    EXPECT_EQ(status, (PbxStatusBytes{kObjectExtension, 2, kStateExternalCall, kObjectLine, 0, 255, 0}));
    Do("connect 2");
    EXPECT_EQ(Events(1), QStringList{"60:01020200"});

    ASSERT_EQ(client->OnHook(kPbx, 2, true, kSeconds), kNoError);
    const QStringList ended = Events(4);
    ASSERT_EQ(ended.size(), 4);
    EXPECT_EQ(ended.mid(0, 3), (QStringList{"15:02", "65:010202", "65:020002"}));
    EXPECT_TRUE(ended.at(3).startsWith(QLatin1String("67:0200010200"))) << ended.at(3).toStdString();
    EXPECT_TRUE(ended.at(3).endsWith(QByteArray("123").toHex() + "00")) << ended.at(3).toStdString();
}

TEST_P(SimulatorEventTest, ScriptedOutgoingCallReportsEachKeypadDigit)
{
    Do("call 3 1 45");
    EXPECT_EQ(Events(7), (QStringList{"14:03", "65:010310", "65:01030e", "65:020108", "13:0334", "13:0335",
                                      "60:01030201"}));
}

TEST_P(SimulatorEventTest, ExtensionDiallingAnotherRingsIt)
{
    // Without renumbering the extensions of a PBX with up to 100 of them are 201, 202...
    Do("digits 4 206");
    EXPECT_EQ(Events(9), (QStringList{"14:04", "65:010410", "65:01040d", "13:0432", "13:0430", "13:0436", "65:010408",
                                      "51:05100104", "65:010503"}));
    Do("offhook 5");
    EXPECT_EQ(Events(2), (QStringList{"14:05", "60:01040105"}));
    Do("hangup 5");
    EXPECT_EQ(Events(4), (QStringList{"15:05", "65:010502", "15:04", "65:010402"}));
}

TEST_P(SimulatorEventTest, WakeUpCallEndsWithItsResult)
{
    Do("set wakeup 6 1 07:15");
    Do("wakeup-call 6 1");
    EXPECT_EQ(Events(4), (QStringList{"51:06100000", "65:010603", "65:010602", "42:0601070f00"}));
}

TEST_P(SimulatorEventTest, AlarmsProgrammingAndRawEvents)
{
    Do("alarm extension 1 4");
    Do("set programming relay 1 2 1");
    Do("set state entryphone 1 13");
    Do("event 50 0102");
    EXPECT_EQ(Events(4), (QStringList{"71:010104", "68:0401", "65:03010d", "50:0102"}));
}

TEST_P(SimulatorEventTest, EventFramesLongerThanOneHundredBytesArriveWhole)
{
    const QString payload = QString(QStringLiteral("ab")).repeated(110);
    Do("event 66 " + payload);
    EXPECT_EQ(Events(1), QStringList{"66:" + payload});
}

TEST_P(SimulatorEventTest, NothingIsReportedWhileReportingIsOff)
{
    ASSERT_EQ(client->RequestStateEvents(kPbx, 0, kSeconds), kNoError);
    EXPECT_EQ(Command("ring 1 line 0"), QStringLiteral("OK 3 events not sent (reporting off)"));
    Do("reporting on");
    Do("hangup 1");
    EXPECT_EQ(Events(2), (QStringList{"65:010102", "65:020002"}));
}

INSTANTIATE_TEST_SUITE_P(Links, SimulatorEventTest, ::testing::ValuesIn(TestedLinks()),
                         ::testing::PrintToStringParamName());

}  // namespace
