// Every typed request of the engine client, answered by the simulator over a real pseudo-terminal and
// over loopback UDP, and judged by the client's own checks.
#include "simulatorlinktesting.h"

#include "calllogrecord.h"
#include "pbxinitialization.h"
#include "pbxsystemconfiguration.h"

#include <functional>

namespace {

struct TypedRequest {
    const char* name;
    std::function<EngineErrorCode(const CEngineClient&)> call;
};

constexpr int kSeconds = 6;
constexpr int kPbx = 0;

const std::vector<TypedRequest>& TypedRequests()
{
    static const std::vector<TypedRequest> requests = {
        {"ReadInitialization", [](const CEngineClient& c) { PbxInitialization r; return c.ReadInitialization(kPbx, r, kSeconds); }},
        {"ReadSystemConfiguration", [](const CEngineClient& c) { PbxSystemConfiguration r; return c.ReadSystemConfiguration(kPbx, r, kSeconds); }},
        {"RequestStateEvents", [](const CEngineClient& c) { return c.RequestStateEvents(kPbx, 1, kSeconds); }},
        {"ReadProgrammation system", [](const CEngineClient& c) { ProgrammingRecord r; return c.ReadProgrammation(kPbx, kObjectSystem, 0, r, kSeconds); }},
        {"ReadProgrammation extension", [](const CEngineClient& c) { ProgrammingRecord r; return c.ReadProgrammation(kPbx, kObjectExtension, 7, r, kSeconds); }},
        {"ReadProgrammation line", [](const CEngineClient& c) { ProgrammingRecord r; return c.ReadProgrammation(kPbx, kObjectLine, 3, r, kSeconds); }},
        {"ReadProgrammation entry phone", [](const CEngineClient& c) { ProgrammingRecord r; return c.ReadProgrammation(kPbx, kObjectEntryPhone, 1, r, kSeconds); }},
        {"ReadProgrammation relay", [](const CEngineClient& c) { ProgrammingRecord r; return c.ReadProgrammation(kPbx, kObjectRelay, 1, r, kSeconds); }},
        {"ReadStatus extension", [](const CEngineClient& c) { PbxStatusBytes r; return c.ReadStatus(kPbx, kObjectExtension, 0, r, kSeconds); }},
        {"ReadStatus line", [](const CEngineClient& c) { PbxStatusBytes r; return c.ReadStatus(kPbx, kObjectLine, 3, r, kSeconds); }},
        {"ReadStatus entry phone", [](const CEngineClient& c) { PbxStatusBytes r; return c.ReadStatus(kPbx, kObjectEntryPhone, 1, r, kSeconds); }},
        {"ReadClock", [](const CEngineClient& c) { PbxClockBytes r; return c.ReadClock(kPbx, r, kSeconds); }},
        {"SetClock", [](const CEngineClient& c) { return c.SetClock(kPbx, {1, 2, 24, 3, 4, 5}, kSeconds); }},
        {"ReadCallLogRecord first", [](const CEngineClient& c) { CallLogRecord r; return c.ReadCallLogRecord(kPbx, 0, false, r, kSeconds); }},
        {"ReadCallLogRecord next", [](const CEngineClient& c) { CallLogRecord r; return c.ReadCallLogRecord(kPbx, 0, true, r, kSeconds); }},
        {"ClearCallLog one", [](const CEngineClient& c) { return c.ClearCallLog(kPbx, 2, kSeconds); }},
        {"ClearCallLog all", [](const CEngineClient& c) { return c.ClearCallLog(kPbx, kAllExtensions, kSeconds); }},
        {"ReadWakeUp", [](const CEngineClient& c) { WakeUpBytes r; return c.ReadWakeUp(kPbx, 5, r, kSeconds); }},
        {"OffHook with key", [](const CEngineClient& c) { return c.OffHook(kPbx, 1, false, kSeconds); }},
        {"OnHook with key", [](const CEngineClient& c) { return c.OnHook(kPbx, 1, false, kSeconds); }},
        {"OffHook this station", [](const CEngineClient& c) { return c.OffHook(kPbx, kThisStation, true, kSeconds); }},
        {"SendDigits this station", [](const CEngineClient& c) { return c.SendDigits(kPbx, kThisStation, "12", kSeconds); }},
        {"OnHook this station", [](const CEngineClient& c) { return c.OnHook(kPbx, kThisStation, true, kSeconds); }},
        {"SendDigits extension", [](const CEngineClient& c) { return c.SendDigits(kPbx, 3, "4", kSeconds); }},
        {"PressKey64", [](const CEngineClient& c) { return c.PressKey64(kPbx, 3, kSeconds); }},
        {"SendKeys", [](const CEngineClient& c) { const std::uint8_t keys[] = {64, 0}; return c.SendKeys(kPbx, 3, keys, kSeconds); }},
    };
    return requests;
}

class SimulatorRequestTest : public SimulatorLinkTest {
protected:
    // What the simulator received, as hex without the port names.
    QStringList ReceivedFrames()
    {
        const QString reply = Command("frames");
        QStringList frames;
        for (const QString& entry : reply.section(QStringLiteral(": "), 1).split(QStringLiteral(" | "), Qt::SkipEmptyParts))
            frames << entry.section(u' ', 1);
        return frames;
    }
};

TEST_P(SimulatorRequestTest, EveryTypedRequestGetsAnAcceptableAnswer)
{
    for (const TypedRequest& request : TypedRequests())
        EXPECT_EQ(request.call(*client), kNoError) << request.name;
    EXPECT_EQ(bridge->Requests(), static_cast<int>(TypedRequests().size()) + 2);  // two key presses follow hooks
}

TEST_P(SimulatorRequestTest, InitializationCarriesTheModel)
{
    Do("set extensions 12");
    Do("set boards 10");
    Do("set own-extension 3");
    Do("set model NEXO28 V2.01");
    PbxInitialization initialization;
    ASSERT_EQ(client->ReadInitialization(kPbx, initialization, kSeconds), kNoError);
    EXPECT_EQ(initialization.ExtensionCount(), 12);
    EXPECT_EQ(initialization.LineCount(), 4);
    EXPECT_EQ(initialization.EntryPhoneCount(), 2);
    EXPECT_EQ(initialization.RelayCount(), 2);
    EXPECT_EQ(initialization.BoardCount(), 10);
    EXPECT_EQ(initialization.OwnExtension(), 3);
    EXPECT_EQ(initialization.Version(), QStringLiteral("NEXO28 V2.01"));
    EXPECT_TRUE(initialization.IsNexo28());
}

TEST_P(SimulatorRequestTest, MoreThanTenBoardsAreRefusedByTheEngine)
{
    Do("set boards 11");
    PbxInitialization initialization;
    EXPECT_EQ(client->ReadInitialization(kPbx, initialization, kSeconds), kAnswerNotAcceptable);
}

TEST_P(SimulatorRequestTest, ConfigurationProgrammingAndStatusComeFromTheModel)
{
    Do("set config 10 1");
    Do("set programming extension 2 35 44");
    Do("set programming line 3 7 1");
    PbxSystemConfiguration configuration;
    ASSERT_EQ(client->ReadSystemConfiguration(kPbx, configuration, kSeconds), kNoError);
    EXPECT_EQ(configuration.ThreeDigitNumbering(), 1);

    ProgrammingRecord record{};
    ASSERT_EQ(client->ReadProgrammation(kPbx, kObjectExtension, 2, record, kSeconds), kNoError);
    EXPECT_EQ(record[0], kObjectExtension);
    EXPECT_EQ(record[1], 2);
    EXPECT_EQ(record[35], 44);
    ASSERT_EQ(client->ReadProgrammation(kPbx, kObjectLine, 3, record, kSeconds), kNoError);
    EXPECT_EQ(record[7], 1);
    // An object the PBX does not have is answered too short for its record.
    EXPECT_EQ(client->ReadProgrammation(kPbx, kObjectLine, 4, record, kSeconds), kAnswerNotAcceptable);

    PbxStatusBytes status{};
    ASSERT_EQ(client->ReadStatus(kPbx, kObjectExtension, 6, status, kSeconds), kNoError);
    EXPECT_EQ(status, (PbxStatusBytes{kObjectExtension, 6, kStateReady, 255, 255, 255, 0}));
    Do("ring 6 line 1");
    ASSERT_EQ(client->ReadStatus(kPbx, kObjectExtension, 6, status, kSeconds), kNoError);
    EXPECT_EQ(status, (PbxStatusBytes{kObjectExtension, 6, kStateIncomingCall, kObjectLine, 1, 255, 0}));
    EXPECT_EQ(client->ReadStatus(kPbx, kObjectExtension, 8, status, kSeconds), kAnswerNotAcceptable);
}

TEST_P(SimulatorRequestTest, ClockIsSetAndReadBack)
{
    PbxClockBytes clock{};
    ASSERT_EQ(client->ReadClock(kPbx, clock, kSeconds), kNoError);
    EXPECT_EQ((std::vector<int>{clock[0], clock[1], clock[2], clock[3], clock[4]}), (std::vector<int>{15, 1, 24, 10, 20}));

    ASSERT_EQ(client->SetClock(kPbx, {29, 2, 28, 23, 59, 0}, kSeconds), kNoError);
    ASSERT_EQ(client->ReadClock(kPbx, clock, kSeconds), kNoError);
    EXPECT_EQ((std::vector<int>{clock[0], clock[1], clock[2], clock[3], clock[4]}), (std::vector<int>{29, 2, 28, 23, 59}));
    // 30 February does not exist: refused with status 1.
    EXPECT_EQ(client->SetClock(kPbx, {30, 2, 28, 10, 0, 0}, kSeconds), kAcknowledgeStatus1);
}

TEST_P(SimulatorRequestTest, CallLogIsWalkedAndCleared)
{
    Do("calllog add 2 2024-03-04 10:11:12 75 1 0612345");
    Do("calllog add 2 2024-03-04 11:00:00 30 0 4711 in");
    CallLogRecord record;
    ASSERT_EQ(client->ReadCallLogRecord(kPbx, 2, false, record, kSeconds), kNoError);
    EXPECT_EQ(record.RecordKind(), CallLogRecord::kCall);
    EXPECT_EQ(record.Date(), QDate(2024, 3, 4));
    EXPECT_EQ((std::vector<int>{record.Start().hour, record.Start().minute, record.Start().second}), (std::vector<int>{10, 11, 12}));
    EXPECT_EQ((std::vector<int>{record.End().hour, record.End().minute, record.End().second}), (std::vector<int>{10, 12, 27}));
    EXPECT_EQ((std::vector<int>{record.Duration().hour, record.Duration().minute, record.Duration().second}), (std::vector<int>{0, 1, 15}));
    EXPECT_EQ(record.Line(), 1);
    EXPECT_EQ(record.Pulses(), 2u);
    EXPECT_TRUE(record.IsOutgoing());
    EXPECT_EQ(record.DialledNumber(), QStringLiteral("0612345"));

    ASSERT_EQ(client->ReadCallLogRecord(kPbx, 2, true, record, kSeconds), kNoError);
    EXPECT_EQ(record.DialledNumber(), QStringLiteral("4711"));
    EXPECT_FALSE(record.IsOutgoing());
    ASSERT_EQ(client->ReadCallLogRecord(kPbx, 2, true, record, kSeconds), kNoError);
    EXPECT_EQ(record.RecordKind(), CallLogRecord::kEndOfLog);

    ASSERT_EQ(client->ClearCallLog(kPbx, 2, kSeconds), kNoError);
    ASSERT_EQ(client->ReadCallLogRecord(kPbx, 2, false, record, kSeconds), kNoError);
    EXPECT_EQ(record.RecordKind(), CallLogRecord::kNoRecord);
    EXPECT_EQ(client->ClearCallLog(kPbx, 8, kSeconds), kAcknowledgeStatus1);
}

TEST_P(SimulatorRequestTest, APbxThatTimesCallsLogsSecondsInThePulsesField)
{
    Do("set config 24 8");
    Do("calllog add 2 2024-03-04 10:11:12 75 1 0612345");
    CallLogRecord record;
    ASSERT_EQ(client->ReadCallLogRecord(kPbx, 2, false, record, kSeconds), kNoError);
    EXPECT_EQ(record.Pulses(), 75u);
}

TEST_P(SimulatorRequestTest, WakeUpSettingIsRead)
{
    Do("set wakeup 3 1 06:30");
    WakeUpBytes wakeUp{};
    ASSERT_EQ(client->ReadWakeUp(kPbx, 3, wakeUp, kSeconds), kNoError);
    EXPECT_EQ(wakeUp, (WakeUpBytes{3, 1, 6, 30, 0}));
    EXPECT_EQ(client->ReadWakeUp(kPbx, 8, wakeUp, kSeconds), kAnswerNotAcceptable);
}

TEST_P(SimulatorRequestTest, CommandsWithoutAnswerAreNeverAnswered)
{
    Do("frames clear");
    ASSERT_EQ(client->OffHook(kPbx, 1, true, kSeconds), kNoError);
    ASSERT_EQ(client->SendDigits(kPbx, 1, "5", kSeconds), kNoError);
    ASSERT_EQ(client->OnHook(kPbx, 1, true, kSeconds), kNoError);
    // Had any of them been answered, that answer would have come first and been refused here.
    PbxClockBytes clock{};
    ASSERT_EQ(client->ReadClock(kPbx, clock, kSeconds), kNoError);
    EXPECT_EQ(ReceivedFrames(), (QStringList{"16160E0101", "161610020135", "1616000101", "16162500"}));
    EXPECT_TRUE(peer->TakeAnswer(0).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Links, SimulatorRequestTest, ::testing::ValuesIn(TestedLinks()),
                         ::testing::PrintToStringParamName());

}  // namespace
