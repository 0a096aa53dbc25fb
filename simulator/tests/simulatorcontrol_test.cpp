#include "simulatorcontrol.h"

#include "pbxsimulator.h"

#include <gtest/gtest.h>

namespace {

class SimulatorControlTest : public ::testing::Test {
protected:
    PbxSimulator simulator;
    SimulatorControl control{simulator};
};

TEST_F(SimulatorControlTest, BadCommandsAreRefusedAndChangeNothing)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "ERROR empty command"},
        {"dance", "ERROR unknown command: dance"},
        {"set extensions 256", "ERROR count must be a number from 0 to 255: 256"},
        {"set extensions", "ERROR set needs more arguments"},
        {"set boards 101", "ERROR board count must be a number from 0 to 100: 101"},
        {"set config 26 1", "ERROR configuration byte must be a number from 0 to 25: 26"},
        {"set programming line 4 2 1", "ERROR no line 4"},
        {"set programming extension 1 1 9", "ERROR record byte must be a number from 2 to 49: 1"},
        {"set clock 2024-02-30 10:00:00", "ERROR expected YYYY-MM-DD HH:MM:SS from 2000 to 2255: 2024-02-30 10:00:00"},
        {"set wakeup 1 1 25:00", "ERROR expected HH:MM or HH:MM:SS: 25:00"},
        {"ring 1 line 4", "ERROR line 4 cannot call"},
        {"ring 1 relay 0", "ERROR a ring comes from a line, an entry phone or an extension"},
        {"ring 1 extension 1", "ERROR extension 1 cannot call"},
        {"hangup 1", "ERROR extension 1 is idle"},
        {"hangup 8", "ERROR no extension 8"},
        {"connect 1", "ERROR extension 1 has no call to connect"},
        {"digits 1 12a", "ERROR not a number to dial: 12a"},
        {"call 1 0 12#", "ERROR not a number to dial: 12#"},
        {"calllog add 1 2024-01-01 10:00:00 60 0", "ERROR calllog needs more arguments"},
        {"event 65 0A1", "ERROR bytes must be pairs of hex digits: 0A1"},
        {"fault delay -1", "ERROR delay must be a number from 0 to 600000: -1"},
        {"fault noise on", "ERROR unknown fault: noise"},
        {"fault silence maybe", "ERROR expected on or off: maybe"},
        {"reporting yes", "ERROR expected on or off: yes"},
        {"frames all", "ERROR frames or frames clear"},
    };
    const QString before = control.Execute(QStringLiteral("status"));
    for (const auto& [command, reply] : cases)
        EXPECT_EQ(control.Execute(QString::fromLatin1(command)), QString::fromLatin1(reply)) << command;
    EXPECT_EQ(control.Execute(QStringLiteral("status")).section(u' ', 0, 7), before.section(u' ', 0, 7));
    EXPECT_FALSE(control.QuitRequested());
}

TEST_F(SimulatorControlTest, SettingsShowInTheStatus)
{
    EXPECT_EQ(control.Execute(QStringLiteral("  set   lines 6 ")), QStringLiteral("OK"));
    EXPECT_EQ(control.Execute(QStringLiteral("set model NEXO28  V 1")), QStringLiteral("OK"));
    EXPECT_EQ(control.Execute(QStringLiteral("fault split 20")), QStringLiteral("OK split=20"));
    EXPECT_EQ(control.Execute(QStringLiteral("reporting on")), QStringLiteral("OK"));
    const QString status = control.Execute(QStringLiteral("status"));
    EXPECT_TRUE(status.startsWith(QLatin1String("OK extensions=8 lines=6 entryphones=2 relays=2 boards=3 own-extension=0 "
                                                "reporting=on faults=split=20 ports=none clock=")))
        << status.toStdString();
    EXPECT_TRUE(status.endsWith(QLatin1String(" model=NEXO28  V 1"))) << status.toStdString();
}

TEST_F(SimulatorControlTest, EventsWithoutReportingOrEngineAreNotSent)
{
    EXPECT_EQ(control.Execute(QStringLiteral("alarm extension 1 4")), QStringLiteral("OK 1 events not sent (reporting off)"));
    EXPECT_EQ(control.Execute(QStringLiteral("reporting on")), QStringLiteral("OK"));
    EXPECT_EQ(control.Execute(QStringLiteral("alarm extension 1 4")), QStringLiteral("OK 1 events not sent (no engine)"));
}

TEST_F(SimulatorControlTest, CallLogEntriesAreCountedAndCleared)
{
    EXPECT_EQ(control.Execute(QStringLiteral("calllog add 1 2024-01-01 10:00:00 60 0 123")), QStringLiteral("OK 1"));
    EXPECT_EQ(control.Execute(QStringLiteral("calllog add 1 2024-01-01 11:00:00 60 0 456 in")), QStringLiteral("OK 2"));
    EXPECT_EQ(control.Execute(QStringLiteral("calllog count 1")), QStringLiteral("OK 2"));
    EXPECT_EQ(control.Execute(QStringLiteral("calllog clear all")), QStringLiteral("OK"));
    EXPECT_EQ(control.Execute(QStringLiteral("calllog count 1")), QStringLiteral("OK 0"));
}

TEST_F(SimulatorControlTest, QuitIsAnsweredThenRequested)
{
    EXPECT_EQ(control.Execute(QStringLiteral("quit")), QStringLiteral("OK bye"));
    EXPECT_TRUE(control.QuitRequested());
}

}  // namespace
