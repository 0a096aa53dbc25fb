#include "serialchannel.h"

#include "channeltesting.h"
#include "pseudoterminal.h"
#include "registrykey.h"
#include "tempsuite.h"
#include "trafficlog.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

constexpr std::int64_t kTag = 2;
const QString kCom7 = QStringLiteral("\\\\.\\COM7");

QByteArray ToBytes(const Bytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

// A serial channel on COM7, a pseudo-terminal whose other end plays the PBX.
class SerialChannelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pbx = PseudoTerminal::Open();
        ASSERT_TRUE(pbx);
        ASSERT_TRUE(RegistryKey(QStringLiteral("SerialPorts")).WriteString(QStringLiteral("COM7"), pbx->SlavePath()));
        ASSERT_TRUE(log.Open(logFolder.Path()));
        channel = std::make_unique<CSerialChannel>(&log);
        ASSERT_EQ(channel->Open(kCom7, &target, 0, kTag, 512, 512), kNoError);
        ASSERT_EQ(channel->Setup(9600, 8, 0, 0), kNoError);
    }

    void Write(const Bytes& bytes) { ASSERT_TRUE(pbx->Write(ToBytes(bytes))); }

    // The next `size` bytes the channel writes to the PBX.
    Bytes ReadFromChannel(std::size_t size)
    {
        QByteArray bytes;
        while (static_cast<std::size_t>(bytes.size()) < size) {
            const QByteArray part = pbx->Read(5000, static_cast<int>(size - static_cast<std::size_t>(bytes.size())));
            if (part.isEmpty())
                break;
            bytes += part;
        }
        return Bytes(bytes.begin(), bytes.end());
    }

    std::shared_ptr<PbxRequestRecord> Request(const Bytes& frame, int timeoutMs = kLongMs)
    {
        return SendRequest(*channel, frame, timeoutMs);
    }
    static bool Finished(const std::shared_ptr<PbxRequestRecord>& record) { return RequestFinished(record); }
    Bytes SlotBytes(int slot) const { return FrameSlotBytes(*channel, slot); }

    TempSuite suite;
    LogFolder logFolder;
    CTrafficLog log;
    std::unique_ptr<PseudoTerminal> pbx;
    RecordingTarget target;
    std::unique_ptr<CSerialChannel> channel;
};

TEST_F(SerialChannelTest, OpensAt9600EightNoneOne)
{
    EXPECT_TRUE(channel->IsOpen());
    EXPECT_EQ(channel->Kind(), CPbxChannel::kSerialKind);
    EXPECT_EQ(channel->Port().QueryBaudRate(), 9600);
    EXPECT_EQ(channel->Port().QueryDataBits(), 8);
    EXPECT_EQ(channel->Port().QueryParity(), 0);
    EXPECT_EQ(channel->Port().QueryStopBits(), 0);
    EXPECT_EQ(channel->Port().QueryFlowControl(), 0);
    EXPECT_EQ(channel->SetRemoteAddress("127.0.0.1", 61), 0u);
    EXPECT_EQ(logFolder.Lines(), QStringList{"SERIAL:\tSERIAL2 OPEN \\\\.\\COM7\tSUCCESS\t0\r\n"});
}

TEST_F(SerialChannelTest, FourByteEventInOneBurstIsOneFrameInASlot)
{
    Write(Frame(60));
    ASSERT_TRUE(WaitFor([&] { return target.Count() == 1; }));
    EXPECT_EQ(target.At(0).message, CPbxChannelBase::DefaultMessage());
    EXPECT_EQ(target.At(0).wParam, 0xFFFF0000u);
    EXPECT_EQ(target.At(0).lParam, kTag);
    EXPECT_EQ(SlotBytes(0), Frame(60));
    EXPECT_EQ(logFolder.LinesWith(QStringLiteral("RECEIVE")),
              QStringList{"SERIAL:\tSERIAL2 RECEIVE PACKET\tSUCCESS\t0\t16\t16\t3c\t00\r\n"});
}

TEST_F(SerialChannelTest, LateSyncByteAfter60MsStillCompletesTheFrame)
{
    Write({0x16});
    std::this_thread::sleep_for(60ms);  // the silence on the line
    Write({0x16, 0x3C, 0x00});
    ASSERT_TRUE(WaitFor([&] { return target.Count() == 1; }));
    EXPECT_EQ(SlotBytes(0), Frame(60));
}

TEST_F(SerialChannelTest, UnknownCodeResetsTheMachineAndGarbageIsSkipped)
{
    Write({0x16, 0x16, 0x11, 0x3C, 0x00, 0xAA, 0x16, 0x77, 0x16, 0x16, 0x16, 0x3C, 0x01, 0x05, 0xFF});
    Write(Frame(61, {7}));
    ASSERT_TRUE(WaitFor([&] { return target.Count() == 2; }));
    EXPECT_EQ(SlotBytes(0), Frame(60, {5}));
    EXPECT_EQ(SlotBytes(1), Frame(61, {7}));
}

TEST_F(SerialChannelTest, BytesTenMsApartAreOneFrame)
{
    for (const std::uint8_t byte : Frame(60, {1, 2, 3})) {
        Write({byte});
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_TRUE(WaitFor([&] { return target.Count() == 1; }));
    EXPECT_EQ(SlotBytes(0), Frame(60, {1, 2, 3}));
}

TEST_F(SerialChannelTest, PauseInsideAFrameDropsIt)
{
    Write({0x16, 0x16, 0x3C, 0x02, 0x01});
    // Any pause past the 50 ms rule drops the frame; a long one keeps a busy machine's late reader from
    // taking the two writes as one.
    std::this_thread::sleep_for(300ms);
    Write({0x05});
    Write(Frame(61));
    ASSERT_TRUE(WaitFor([&] { return target.Count() == 1; }));
    EXPECT_EQ(SlotBytes(0), Frame(61));
}

TEST_F(SerialChannelTest, AnswerFinishesTheRequestAndAnEventMeanwhileIsPosted)
{
    const Bytes request = Frame(0x22, {1, 4});
    const auto record = Request(request);
    EXPECT_EQ(ReadFromChannel(request.size()), request);

    Write(Frame(60, {1, 4, 7}));
    ASSERT_TRUE(WaitFor([&] { return target.Count() == 1; }));
    EXPECT_FALSE(record->answerEvent->IsSignalled());

    const Bytes answer = Frame(0x22, {1, 4, 2, 0});
    Write(answer);
    ASSERT_TRUE(Finished(record));
    EXPECT_EQ(record->status, kNoError);
    EXPECT_EQ(record->answer, answer);
    EXPECT_EQ(target.Count(), 1u);
    EXPECT_EQ(SlotBytes(0), Frame(60, {1, 4, 7}));
    EXPECT_EQ(logFolder.LinesWith(QStringLiteral("SEND")),
              QStringList{"SERIAL:\tSERIAL2 SEND PACKET\tSUCCESS\t0\t16\t16\t22\t02\t01\t04\r\n"});
}

TEST_F(SerialChannelTest, AnswerThatNeverComesGives30AfterTheTimeOut)
{
    constexpr int kTimeoutMs = 200;
    const auto start = std::chrono::steady_clock::now();
    const auto record = Request(Frame(0x22, {1, 0}), kTimeoutMs);
    ASSERT_TRUE(Finished(record));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(kTimeoutMs));
    EXPECT_EQ(record->status, kChannelTimeout);
}

TEST_F(SerialChannelTest, RequestWaitsForAFrameComingInButNotForOneCutShort)
{
    // An event followed by the start of another that never ends, in one write.
    const auto start = std::chrono::steady_clock::now();
    Bytes bytes = Frame(60);
    const Bytes cut = {0x16, 0x16, 0x3C, 0x02, 0x01};
    bytes.insert(bytes.end(), cut.begin(), cut.end());
    Write(bytes);
    ASSERT_TRUE(WaitFor([&] { return target.Count() == 1; }));

    const Bytes request = Frame(0x22, {1, 0});
    ASSERT_EQ(channel->Send(request.data(), request.size(), nullptr, nullptr, false, 0), kNoError);
    EXPECT_EQ(ReadFromChannel(request.size()), request);
    EXPECT_GE(std::chrono::steady_clock::now() - start, CPbxFrameAssembler::kInterByteTimeout);
}

TEST_F(SerialChannelTest, SlotsHoldTheLongestFrame)
{
    Bytes payload(255);
    for (std::size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<std::uint8_t>(255 - i);
    Write(Frame(60, payload));
    ASSERT_TRUE(WaitFor([&] { return target.Count() == 1; }));
    EXPECT_EQ(channel->GetFrameLength(0), 259u);
    EXPECT_EQ(SlotBytes(0), Frame(60, payload));
}

TEST_F(SerialChannelTest, HeldPortGives3AndMissingPortGives2)
{
    CSerialChannel second(&log);
    EXPECT_EQ(second.Open(kCom7, &target, 0, 4, 512, 512), kResourceAccessDenied);
    EXPECT_EQ(second.Send(Frame(60).data(), 4, nullptr, nullptr, false, 0), kResourceAccessDenied);

    ASSERT_TRUE(RegistryKey(QStringLiteral("SerialPorts")).WriteString(QStringLiteral("COM8"), suite.SuiteFolder() + "ttyNone"));
    CSerialChannel missing(&log);
    EXPECT_EQ(missing.Open(QStringLiteral("\\\\.\\COM8"), &target, 0, 3, 512, 512), kResourceNotAvailable);
    EXPECT_EQ(missing.Open(QStringLiteral("\\\\.\\COMx"), &target, 0, 3, 512, 512), kResourceNotAvailable);
    EXPECT_EQ(logFolder.LinesWith(QStringLiteral("FAIL")),
              (QStringList{"SERIAL:\tSERIAL4 OPEN \\\\.\\COM7\tFAIL\t3\r\n", "SERIAL:\tSERIAL3 OPEN \\\\.\\COM8\tFAIL\t2\r\n",
                           "SERIAL:\tSERIAL3 OPEN \\\\.\\COMx\tFAIL\t2\r\n"}));
    EXPECT_EQ(channel->Open(kCom7, &target, 0, kTag, 512, 512), kResourceAlreadyOpen);
    EXPECT_TRUE(channel->IsOpen());
}

TEST_F(SerialChannelTest, FailedSendLogsFailAndItsCode)
{
    pbx.reset();  // the line hangs up
    const Bytes request = Frame(0x22, {1, 0});
    const auto record = Request(request);
    ASSERT_TRUE(Finished(record));
    EXPECT_EQ(record->status, kWriteFailed);
    EXPECT_EQ(logFolder.LinesWith(QStringLiteral("SEND")),
              QStringList{"SERIAL:\tSERIAL2 SEND PACKET\tFAIL\t19\t16\t16\t22\t02\t01\t00\r\n"});
}

TEST_F(SerialChannelTest, CloseStopsItsThreadsAndTheChannelOpensAgain)
{
    const Bytes request = Frame(0x22, {1, 0});
    const auto waiting = Request(request);
    EXPECT_EQ(ReadFromChannel(request.size()), request);
    EXPECT_EQ(channel->Close(), kNoError);
    EXPECT_FALSE(channel->IsOpen());
    EXPECT_TRUE(waiting->answerEvent->IsSignalled());
    EXPECT_EQ(waiting->status, kResourceNotOpen);
    EXPECT_EQ(channel->Send(Frame(60).data(), 4, nullptr, nullptr, false, 0), kResourceNotOpen);
    EXPECT_EQ(channel->Close(), kResourceNotOpen);
    EXPECT_EQ(logFolder.Lines().last(), "SERIAL:\tSERIAL2 CLOSE\tSUCCESS\t0\r\n");

    ASSERT_EQ(channel->Open(kCom7, &target, 0, kTag, 512, 512), kNoError);
    Write(Frame(60));
    ASSERT_TRUE(WaitFor([&] { return target.Count() == 1; }));
}

TEST_F(SerialChannelTest, SendsFromOtherThreadsAreSafeAgainstCloseAndOpen)
{
    SendWhileReopening(*channel, [&] { return channel->Open(kCom7, &target, 0, kTag, 512, 512); }, 20);
}

}  // namespace
