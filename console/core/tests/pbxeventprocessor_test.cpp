// PBX events from the real Simulvex program through CPbxLink on COM98, with the real request server, the
// local engine client and a pinged workstation that receives the relays, on both database backends.
#include "pbxeventprocessor.h"

#include "boundpbxupdates.h"
#include "dbtest.h"
#include "eventrig.h"
#include "qstringprinter.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <vector>

namespace {

using Rows = QStringList;

struct Check {
    const char* sql;  // one column named Value; %1 is replaced by the PBX's table suffix "_PBX1"
    Rows expected;
};

struct Scenario {
    const char* name;
    std::vector<const char*> commands;
    std::vector<const char*> relayed;  // hexadecimal datagrams, PBX index first, in order
    std::vector<Check> checks;
};

// The ten-digit caller id of line 3 as parameters: date and time (type 1), the number (type 2), then a
// type the walk skips; relayed as a text frame.
#define CALLER_ID_LINE_3 "event 70 0380160108303330343130303002" "0A30363132333435363738" "07024142"
#define CALLER_ID_LINE_3_RELAYED "raw 001616460C033036313233343536373800"

const char* const kSwLog =
    "SELECT CAST(IndiceDerivato AS text) || ' ' || CAST(IndiceEsterna AS text) || ' ' || CAST(Scatti AS text) || ' ' "
    "|| CAST(Totale AS text) || ' ' || CAST(Uscente AS text) || ' ' || COALESCE(NumeroChiamato, '') AS Value "
    "FROM LogCallsSwNew ORDER BY IndiceDerivato, DataFine";
const char* const kDigits5 = "SELECT COALESCE(Digits, '') AS Value FROM DerivedStatus%1 WHERE IndiceOggetto=5";
const char* const kDigits6 = "SELECT COALESCE(Digits, '') AS Value FROM DerivedStatus%1 WHERE IndiceOggetto=6";
const char* const kLine3CallerId = "SELECT COALESCE(CallerID, '') AS Value FROM LineStatus%1 WHERE IndiceOggetto=3";
// A call record of the PBX: kind 2, line 1, outgoing, extension 5, 10:10:10 to 10:15:15, the number "35".
#define CALL_RECORD "020101" "0500" "101010" "100F0F" "0000" "0000" "333500"

// A call record of 60 bytes: longer than the 36 the record holds.
const std::string& LongCallRecordCommand()
{
    static const std::string command = "event 67 " CALL_RECORD + std::string(2 * (60 - 18), '0');
    return command;
}

const std::vector<Scenario>& Scenarios()
{
    static const std::vector<Scenario> scenarios = {
        {"DigitIsAppendedAndRelayedUnchanged",
         {"event 13 0537"},
         {"13 0537"},
         {{kDigits5, {"7"}}}},
        {"UnansweredRingFromALineIsLoggedWithTheLinesLastCallerId",
         {"event 51 05080203", "event 65 010503", CALLER_ID_LINE_3, "set state line 3 2", "set state extension 5 2"},
         {"51 05080203", "65 010503", CALLER_ID_LINE_3_RELAYED, "65 020302", "65 010502"},
         {{kSwLog, {"5 2 3 65535 3 0612345678"}}, {kDigits5, {""}}, {kLine3CallerId, {""}}}},
        {"OutsideLineRelaysTheZeroDigitAfterTheStateAndIsLoggedAsAnAttempt",
         {"event 65 01060E", "event 13 0632", "event 65 010602"},
         {"65 01060E", "raw 0016160D020630", "13 0632", "65 010602"},
         {{kSwLog, {"6 255 255 65535 4 02"}}, {kDigits6, {""}}}},
        {"AnAttemptFromAnotherStateIsNotLoggedButLosesItsDigits",
         {"event 65 010610", "event 13 0631", "event 65 010602"},
         {"65 010610", "13 0631", "65 010602"},
         {{kSwLog, {}}, {kDigits6, {""}}}},
        {"CallerIdParametersStoreOneNumber",
         {CALLER_ID_LINE_3},
         {CALLER_ID_LINE_3_RELAYED},
         {{kLine3CallerId, {"0612345678"}}}},
        {"CallerIdOfFixedLayoutRunsToTheFramesLastByte",
         {"event 70 0304" "3033303431303030" "30363132333435363738" "FF", "event 70 0204303030"},
         {CALLER_ID_LINE_3_RELAYED},
         {{kLine3CallerId, {"0612345678"}},
          {"SELECT COALESCE(CallerID, '') AS Value FROM LineStatus%1 WHERE IndiceOggetto=2", {""}}}},
        {"EventsThatAreNeverRelayedAndCodesThatAreIgnored",
         {"event 14 05", "event 15 05", "event 42 0501070000", "event 67 " CALL_RECORD, "event 50 0105", "event 61 0105",
          "event 62 0105", "event 66 0105"},
         {},
         {{"SELECT CAST(MicroTelefono AS text) AS Value FROM DerivedStatus%1 WHERE IndiceOggetto=5", {"0"}},
          {"SELECT CAST(IndiceDerivato AS text) || ' ' || CAST(Risposta AS text) AS Value FROM WakeEvents", {"5 1"}},
          {"SELECT CAST(IndiceDerivato AS text) || ' ' || NumeroChiamato AS Value FROM LogCalls", {"206 35"}}}},
        {"AlarmsOfExtensionsAreStoredAndAllAreRelayed",
         {"event 71 010402", "event 71 050003"},
         {"71 010402", "71 050003"},
         {{"SELECT CAST(TipoOggetto AS text) || ' ' || CAST(IndiceOggetto AS text) || ' ' || CAST(TipoAllarme AS text) "
           "AS Value FROM AlarmEvents",
           {"1 4 2"}}}},
        {"MendedFramesChangeNothingTheyCannotRead",
         {"event 51 050802C8", "event 65 0105", LongCallRecordCommand().c_str(), "event 70 03800C02403036"},
         {"51 050802C8"},
         {{"SELECT CAST(IndiceLink AS text) || ' ' || CAST(Stato AS text) AS Value FROM DerivedStatus%1 "
           "WHERE IndiceOggetto=5",
           {"200 2"}},
          {kLine3CallerId, {""}},
          {"SELECT CAST(IndiceDerivato AS text) || ' ' || NumeroChiamato AS Value FROM LogCalls", {"206 35"}}}},
    };
    return scenarios;
}

// "CODE HEX": the event frame as the PBX sent it, relayed for PBX 0; "raw HEX": exactly these bytes.
QString ExpectedDatagram(const char* text)
{
    const QString entry = QString::fromLatin1(text);
    if (entry.startsWith(QLatin1String("raw ")))
        return entry.mid(4).toUpper();
    const QStringList parts = entry.split(u' ');
    const int code = parts[0].toInt();
    const QString payload = parts.value(1);
    return QStringLiteral("001616%1%2%3")
        .arg(code, 2, 16, QLatin1Char('0'))
        .arg(payload.size() / 2, 2, 16, QLatin1Char('0'))
        .arg(payload)
        .toUpper();
}

class PbxEventProcessorTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        StartRig();
    }

    void StartRig()
    {
        m_rig.reset();
        m_rig = std::make_unique<EventRig>(StartEngineDatabaseWithPbx(EventRig::kPbx, QStringLiteral("PBX1")));
        ASSERT_TRUE(m_rig->Start()) << m_rig->Error().toStdString();
    }

    EventRig& Rig() { return *m_rig; }

    void Do(const QString& command) { ASSERT_GE(Rig().Run(command), 0) << command.toStdString(); }

    QStringList RelayedHex()
    {
        QStringList hex;
        for (const Bytes& datagram : Rig().Relayed())
            hex << Hex(datagram);
        return hex;
    }

    Rows Query(const char* sql)
    {
        return Rig().Rows(QString::fromLatin1(sql).replace(QLatin1String("%1"), QLatin1String("_PBX1")));
    }

private:
    std::unique_ptr<EventRig> m_rig;
};

TEST_P(PbxEventProcessorTest, ScriptedScenarios)
{
    bool first = true;
    for (const Scenario& scenario : Scenarios()) {
        SCOPED_TRACE(scenario.name);
        if (!first) {
            StartRig();
            // The shared tables outlive the PBX's: each scenario starts without rows.
            for (const char* table : {"LogCallsSwNew", "LogCalls", "WakeEvents", "AlarmEvents"})
                ASSERT_TRUE(Catalog().Execute(QStringLiteral("DELETE FROM %1").arg(QLatin1String(table))));
        }
        first = false;
        for (const char* command : scenario.commands)
            Do(QString::fromLatin1(command));
        QStringList expected;
        for (const char* hex : scenario.relayed)
            expected << ExpectedDatagram(hex);
        EXPECT_EQ(RelayedHex(), expected);
        for (const Check& check : scenario.checks)
            EXPECT_EQ(Query(check.sql), check.expected) << check.sql;
    }
}

const char* const kSwDurations =
    "SELECT CAST(IndiceDerivato AS text) || ' ' || CAST(Durata AS text) AS Value FROM LogCallsSwNew "
    "ORDER BY IndiceDerivato";

TEST_P(PbxEventProcessorTest, ConnectedLineCallIsLoggedOnceWithNumberKindAndDuration)
{
    Do(QStringLiteral("call 5 1 0612345"));
    Rig().now = Rig().now.AddSeconds(65);
    Do(QStringLiteral("hangup 5"));
    // The seizure of the outside line counts as the digit 0 before the dialled number.
    EXPECT_EQ(Query(kSwLog), Rows({QStringLiteral("5 2 1 65535 2 00612345")}));
    EXPECT_EQ(Query(kSwDurations), Rows({QStringLiteral("5 1899-12-30 00:01:05")}));
    // LogCalls keeps the extension's dialling number (index 5 of eight dials 206), LogCallsSwNew its index.
    EXPECT_EQ(Query("SELECT CAST(IndiceDerivato AS text) AS Value FROM LogCalls"), Rows({QStringLiteral("206")}));
    EXPECT_EQ(Query(kDigits5), Rows({QString()}));
    const std::vector<std::uint64_t>& notes = Rig().Notifications();
    EXPECT_NE(std::find(notes.begin(), notes.end(), 0x11110007u), notes.end());
    EXPECT_EQ(notes.back(), 0x11110002u);
}

TEST_P(PbxEventProcessorTest, CallPassedBetweenTwoExtensionsIsLoggedOnceForEach)
{
    const OleDate start = Rig().now;
    for (const char* command : {"event 51 05080202", "event 65 010503",
                                "event 70 0280160108303330343130303002" "0A30363132333435363738", "event 60 02020105"})
        Do(QString::fromLatin1(command));
    Rig().now = start.AddSeconds(30);
    Do(QStringLiteral("event 51 07080105"));  // extension 5 calls extension 7
    Do(QStringLiteral("event 65 010703"));
    Rig().now = start.AddSeconds(60);
    Do(QStringLiteral("event 65 010502"));  // and hangs up: the call passes to 7
    Do(QStringLiteral("event 60 01070202"));
    Rig().now = start.AddSeconds(180);
    Do(QStringLiteral("event 65 010702"));
    Do(QStringLiteral("event 65 020202"));
    // Totale is the extension the call came from plus 256 times the one it went to (255: none).
    EXPECT_EQ(Query(kSwLog), Rows({QStringLiteral("5 2 2 2047 1 0612345678"), QStringLiteral("7 2 2 65285 1 0612345678")}));
    EXPECT_EQ(Query(kSwDurations),
              Rows({QStringLiteral("5 1899-12-30 00:01:00"), QStringLiteral("7 1899-12-30 00:02:30")}));
}

TEST_P(PbxEventProcessorTest, CallStatesWhereTheCodeLeftItOpenOrTouchedTheWrongEntry)
{
    const auto& states = Rig().CallStates()[EventRig::kPbx];
    // A ring from an extension consults no line: the call is incoming without a number.
    Do(QStringLiteral("event 51 05080106"));
    EXPECT_EQ(states[5].Kind, ExtensionCallState::kIncoming);
    // Linked to another extension while its own call goes on: the other one's call is incoming.
    Do(QStringLiteral("event 60 01050107"));
    EXPECT_EQ(states[5].Kind, ExtensionCallState::kIncoming);
    EXPECT_EQ(states[5].LinkIndex, 6);
    EXPECT_EQ(states[7].Kind, ExtensionCallState::kIncoming);
    EXPECT_EQ(states[7].LinkType, 1);
    EXPECT_EQ(states[7].LinkIndex, 5);

    // A call over line 3 that ends from state 8: line 3's index names no extension, so extension 3's
    // entry stays as it was.
    Do(QStringLiteral("event 51 03080201"));
    Do(QStringLiteral("event 51 04080203"));
    Do(QStringLiteral("set state extension 4 8"));
    Do(QStringLiteral("set state extension 4 2"));
    EXPECT_EQ(states[3].Kind, ExtensionCallState::kIncoming);
    EXPECT_EQ(states[3].HandedFrom, ExtensionCallState::kNone);
    EXPECT_EQ(states[4], ExtensionCallState());
    EXPECT_EQ(Query(kSwLog), Rows({QStringLiteral("4 2 3 1023 1 ")}));
}

TEST_P(PbxEventProcessorTest, ProgrammingChangesAreReadBackForOneObjectOrEvery)
{
    const QString stale = QStringLiteral("UPDATE RelayProgrammations_PBX1 SET Attuatore=99");
    const char* const relays =
        "SELECT CAST(IndiceOggetto AS text) || ' ' || CAST(Attuatore AS text) AS Value FROM RelayProgrammations%1 "
        "ORDER BY IndiceOggetto";
    const Rows fromPbx = Query(relays);
    ASSERT_EQ(fromPbx.size(), 2);
    ASSERT_FALSE(fromPbx.contains(QStringLiteral("0 99")));

    ASSERT_TRUE(Catalog().Execute(stale));
    Do(QStringLiteral("event 68 04FF"));
    EXPECT_EQ(Query(relays), fromPbx);

    ASSERT_TRUE(Catalog().Execute(stale));
    Do(QStringLiteral("event 68 0401"));
    EXPECT_EQ(Query(relays), Rows({QStringLiteral("0 99"), fromPbx[1]}));

    // An extension's change reaches the bound PBX's copy too.
    Do(QStringLiteral("set programming extension 5 2 1"));
    ASSERT_GT(Rig().Bound().ExtensionProgramming().size(), 5u);
    EXPECT_EQ(Rig().Bound().ExtensionProgramming()[5][2], 1);
    EXPECT_EQ(RelayedHex(), QStringList({ExpectedDatagram("68 04FF"), ExpectedDatagram("68 0401"),
                                         ExpectedDatagram("68 0105")}));
}

TEST_P(PbxEventProcessorTest, BoundPbxCopiesAndNotifications)
{
    BoundPbxRecords& bound = Rig().Bound();
    ASSERT_GT(bound.ExtensionStatus().size(), 5u);
    ASSERT_GT(bound.EntryPhoneStatus().size(), 1u);
    ASSERT_GT(bound.LineStatus().size(), 3u);

    Do(QStringLiteral("event 51 05280301"));  // the entry phone 1 rings extension 5
    const QByteArray& extension = bound.ExtensionStatus()[5];
    const QByteArray& entryPhone = bound.EntryPhoneStatus()[1];
    EXPECT_EQ(extension.mid(1, 4), QByteArray::fromHex("05030301"));
    EXPECT_EQ(extension[8], 0x28);
    EXPECT_EQ(entryPhone.mid(1, 4), QByteArray::fromHex("010D0105"));
    Do(QStringLiteral("event 13 0531"));
    EXPECT_EQ(BoundPbxUpdates::Digits(bound, 5), QByteArray("1"));
    Do(QStringLiteral("event 65 010502"));  // back to idle: the entry phone is free, the digits are gone
    EXPECT_EQ(entryPhone[2], 2);
    EXPECT_EQ(extension[2], 2);
    EXPECT_TRUE(BoundPbxUpdates::Digits(bound, 5).isEmpty());

    Do(QString::fromLatin1(CALLER_ID_LINE_3));
    EXPECT_EQ(BoundPbxUpdates::LineCallerId(bound, 3), QByteArray("0612345678"));
    Do(QStringLiteral("event 60 01050203"));
    EXPECT_EQ(extension.mid(2, 3), QByteArray::fromHex("070203"));
    EXPECT_EQ(bound.LineStatus()[3].mid(1, 3), QByteArray::fromHex("070105"));
    EXPECT_EQ(Rig().Notifications(), (std::vector<std::uint64_t>{0x11110003, 0x11110002, 0x11110083, 0x11110007}));

    // Indexes beyond the copies change nothing and tell nothing.
    const std::vector<QByteArray> before = bound.ExtensionStatus();
    Do(QStringLiteral("event 51 20080203"));
    Do(QStringLiteral("event 65 012002"));
    EXPECT_EQ(bound.ExtensionStatus(), before);
    EXPECT_EQ(Rig().Notifications().size(), 4u);
}

TEST_P(PbxEventProcessorTest, FullAnsweringBoardMemoryRaisesTheBalloonOnlyWithTheIconShown)
{
    Do(QStringLiteral("event 71 050003"));
    const auto shown = Rig().FrameMessages().Take(1, 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message, ConsoleNotifications::kMemoryFullBalloonMessage);
    Rig().iconShown = false;
    Do(QStringLiteral("event 71 050003"));
    Do(QStringLiteral("event 71 050002"));
    EXPECT_EQ(Rig().FrameMessages().Waiting(), 0u);
}

TEST_P(PbxEventProcessorTest, FramesFromTheSerialLinkResetItsSilenceCounter)
{
    LinkSilenceCounters& counters = Rig().Processor().SilenceCounters();
    for (int tick = 0; tick < 5; ++tick)
        EXPECT_FALSE(counters.CountDown(EventRig::kPbx));
    EXPECT_EQ(counters.Value(EventRig::kPbx), 1);
    Do(QStringLiteral("event 50 00"));  // any frame, even one without a handler
    EXPECT_EQ(counters.Value(EventRig::kPbx), LinkSilenceCounters::kFull);
}

INSTANTIATE_DB_TEST(PbxEventProcessorTest);

}  // namespace
