// The fault switches of the simulator and what an engine sees of each, over both kinds of line.
#include "simulatorlinktesting.h"

#include "calllogrecord.h"
#include "faultsettings.h"
#include "framebytes.h"
#include "pbxframe.h"
#include "pbxframebuilders.h"
#include "pbxinitialization.h"
#include "pbxsystemconfiguration.h"

namespace {

constexpr int kSeconds = 6;
constexpr int kPbx = 0;

class SimulatorFaultTest : public SimulatorLinkTest {
protected:
    EngineErrorCode ReadClock()
    {
        PbxClockBytes clock{};
        return client->ReadClock(kPbx, clock, kSeconds);
    }
};

TEST_P(SimulatorFaultTest, SilenceLeavesTheRequesterToItsTimeOut)
{
    Do("fault silence on");
    EXPECT_EQ(ReadClock(), kChannelTimeout);
    Do("fault silence off");
    EXPECT_EQ(ReadClock(), kNoError);
}

TEST_P(SimulatorFaultTest, LateAnswerWithinTheTimeIsTakenBeyondItIsNot)
{
    Do("fault delay 300");
    EXPECT_EQ(ReadClock(), kNoError);
    Do(QStringLiteral("fault delay %1").arg(EngineBridge::kDefaultTimeoutMs + 500));
    EXPECT_EQ(ReadClock(), kChannelTimeout);
    // The answer still comes, too late for its request. (A channel keeps it in its answer buffer, which
    // the next request clears, so only the tests' own peers show it.)
    if (GetParam() == LinkKind::kSerial || GetParam() == LinkKind::kLan) {
        EXPECT_EQ(peer->TakeAnswer(3000).size(), 10);
    }
}

TEST_P(SimulatorFaultTest, WrongCodesAreRefusedAsUnacceptable)
{
    Do("fault wrong-code on");
    EXPECT_EQ(ReadClock(), kAnswerNotAcceptable);
    PbxStatusBytes status{};
    EXPECT_EQ(client->ReadStatus(kPbx, kObjectExtension, 0, status, kSeconds), kAnswerNotAcceptable);
    PbxInitialization initialization;
    EXPECT_EQ(client->ReadInitialization(kPbx, initialization, kSeconds), kAnswerNotAcceptable);
    CallLogRecord record;
    EXPECT_EQ(client->ReadCallLogRecord(kPbx, 0, false, record, kSeconds), kAnswerNotAcceptable);
    // Acknowledgements echo another command.
    EXPECT_EQ(client->SetClock(kPbx, {1, 2, 24, 3, 4, 5}, kSeconds), kAnswerNotAcceptable);
    EXPECT_EQ(client->RequestStateEvents(kPbx, 1, kSeconds), kAnswerNotAcceptable);
}

TEST_P(SimulatorFaultTest, GarbageAheadOfAnAnswerIsSkipped)
{
    Do("fault garbage on");
    EXPECT_EQ(ReadClock(), kNoError);
    // A serial receiver skips the noise byte by byte, a LAN receiver drops its datagram.
    if (GetParam() == LinkKind::kSerial) {
        EXPECT_GE(peer->SkippedNoise(), GarbageBytes().size());
    } else if (GetParam() == LinkKind::kLan) {
        EXPECT_EQ(peer->SkippedNoise(), 1);
    }
}

TEST_P(SimulatorFaultTest, AnEventBeforeTheAnswerDoesNotEndTheWait)
{
    Do("fault interleave on");
    EXPECT_EQ(ReadClock(), kNoError);
    EXPECT_EQ(Events(1), QStringList{"65:010002"});
}

TEST_P(SimulatorFaultTest, FramesOverOneHundredBytesAreTakenWhole)
{
    Do("fault oversize on");
    std::uint8_t request[kPbxFrameHeaderSize];
    const EnginePeer::Answer answer =
        peer->Exchange(ToByteArray({request, BuildInitializationRequestFrame(request)}), true, 3000);
    ASSERT_EQ(answer.status, kNoError);
    EXPECT_EQ(answer.frame.size(), FaultSettings::kOversizeFrameSize);
    EXPECT_TRUE(IsWellFormedPbxFrame(FrameBytes(answer.frame)));

    PbxInitialization initialization;
    ASSERT_EQ(client->ReadInitialization(kPbx, initialization, kSeconds), kNoError);
    EXPECT_EQ(initialization.Version(), QStringLiteral("SIMULVEX V1.0"));
    PbxSystemConfiguration configuration;
    EXPECT_EQ(client->ReadSystemConfiguration(kPbx, configuration, kSeconds), kNoError);
    ProgrammingRecord programming{};
    EXPECT_EQ(client->ReadProgrammation(kPbx, kObjectExtension, 1, programming, kSeconds), kNoError);
    Do("calllog add 1 2024-03-04 10:11:12 75 1 0612345");
    CallLogRecord record;
    ASSERT_EQ(client->ReadCallLogRecord(kPbx, 1, false, record, kSeconds), kNoError);
    EXPECT_EQ(record.DialledNumber(), QStringLiteral("0612345"));
    // An exact-length answer stays as it is.
    EXPECT_EQ(ReadClock(), kNoError);
}

TEST_P(SimulatorFaultTest, AnswerInPiecesIsStillOneFrame)
{
    Do("fault split 10");
    EXPECT_EQ(ReadClock(), kNoError);
    EXPECT_EQ(client->SetClock(kPbx, {1, 2, 24, 3, 4, 5}, kSeconds), kNoError);
}

TEST_P(SimulatorFaultTest, FaultsAreSwitchedOffTogether)
{
    Do("fault silence on");
    Do("fault garbage on");
    EXPECT_EQ(Command("faults"), QStringLiteral("OK silence garbage"));
    Do("fault off");
    EXPECT_EQ(Command("faults"), QStringLiteral("OK none"));
    EXPECT_EQ(ReadClock(), kNoError);
}

INSTANTIATE_TEST_SUITE_P(Links, SimulatorFaultTest, ::testing::ValuesIn(TestedLinks()),
                         ::testing::PrintToStringParamName());

// A pause of 50 ms or more inside a frame makes a serial receiver drop the part it has.
class SimulatorSerialFaultTest : public SimulatorLinkTest {};

TEST_P(SimulatorSerialFaultTest, LongPauseInsideAnAnswerLosesIt)
{
    Do("fault split 120");
    PbxClockBytes clock{};
    EXPECT_EQ(client->ReadClock(kPbx, clock, kSeconds), kChannelTimeout);
    Do("fault off");
    EXPECT_EQ(client->ReadClock(kPbx, clock, kSeconds), kNoError);
}

INSTANTIATE_TEST_SUITE_P(Serial, SimulatorSerialFaultTest, ::testing::ValuesIn(TestedSerialLinks()),
                         ::testing::PrintToStringParamName());

}  // namespace
