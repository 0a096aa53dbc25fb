#include "serialportbase.h"

#include "pseudoterminal.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using namespace SerialSetting;

class SerialPortBaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        terminal = PseudoTerminal::Open();
        ASSERT_TRUE(terminal);
        device = terminal->SlavePath();
    }

    std::unique_ptr<PseudoTerminal> terminal;
    QString device;
};

TEST_F(SerialPortBaseTest, ProbeTellsFreeMissingAndHeldDevices)
{
    QTemporaryDir dir;
    EXPECT_EQ(CSerialPortBase::ProbeDevice(device), CSerialPortBase::kDeviceFree);
    EXPECT_EQ(CSerialPortBase::ProbeDevice(dir.filePath(QStringLiteral("ttyNone"))), CSerialPortBase::kDeviceNotFound);
    CSerialPortBase port;
    ASSERT_EQ(port.Open(device, 512, 512, true), kNoError);
    EXPECT_EQ(CSerialPortBase::ProbeDevice(device), CSerialPortBase::kDeviceAccessDenied);
}

TEST_F(SerialPortBaseTest, OpenIsExclusiveAndCloseLetsGo)
{
    QTemporaryDir dir;
    CSerialPortBase port;
    CSerialPortBase other;
    EXPECT_EQ(other.Open(dir.filePath(QStringLiteral("ttyNone")), 0, 0, false), kResourceNotAvailable);
    ASSERT_EQ(port.Open(device, 512, 512, false), kNoError);
    EXPECT_EQ(port.Open(device, 512, 512, false), kResourceAlreadyOpen);
    EXPECT_EQ(port.LastError(), CSerialPortBase::kErrorAlreadyOpen);
    EXPECT_EQ(other.Open(device, 512, 512, false), kResourceAccessDenied);
    EXPECT_EQ(port.Close(), kNoError);
    EXPECT_EQ(other.Open(device, 512, 512, false), kNoError);

    EXPECT_EQ(port.Close(), kResourceNotOpen);
    EXPECT_EQ(port.LastError(), CSerialPortBase::kErrorNotOpen);
    EXPECT_EQ(port.Setup(9600, 8, 0, 0), kResourceNotOpen);
    EXPECT_EQ(port.QueryBaudRate(), -1);
    std::size_t written = 1;
    EXPECT_EQ(port.WritePort("x", 1, &written, false, CSerialPortBase::kNoTimeout), kResourceNotOpen);
    EXPECT_EQ(written, 0u);
}

TEST_F(SerialPortBaseTest, SetupIsReadBack)
{
    CSerialPortBase port;
    ASSERT_EQ(port.Open(device, 512, 512, false), kNoError);
    const struct {
        int baud, dataBits, parity, stopBits;
    } settings[] = {
        {9600, 8, kNoParity, kOneStopBit},
        {19200, 8, kNoParity, kTwoStopBits},
        {115200, 8, kNoParity, kOneStopBit},
    };
    for (const auto& s : settings) {
        ASSERT_EQ(port.Setup(s.baud, s.dataBits, s.parity, s.stopBits), kNoError) << s.baud;
        EXPECT_EQ(port.QueryBaudRate(), s.baud);
        EXPECT_EQ(port.QueryDataBits(), s.dataBits);
        EXPECT_EQ(port.QueryParity(), s.parity);
        EXPECT_EQ(port.QueryStopBits(), s.stopBits);
    }
    EXPECT_EQ(port.Setup(12345, 8, 0, 0), kPortStateNotSettable);
    EXPECT_EQ(port.Setup(9600, 9, 0, 0), kPortStateNotSettable);
    EXPECT_EQ(port.Setup(9600, 8, 5, 0), kPortStateNotSettable);
    EXPECT_EQ(port.Setup(9600, 8, 0, kOneAndHalfStopBits), kPortStateNotSettable);
    // A pseudo-terminal carries neither parity nor other character sizes: refused, not pretended.
    EXPECT_EQ(port.Setup(9600, 7, kEvenParity, kOneStopBit), kPortStateNotSettable);
    EXPECT_EQ(port.QueryDataBits(), 8);
    EXPECT_EQ(port.QueryParity(), kNoParity);
}

TEST_F(SerialPortBaseTest, FlowControlReadModeAndFlagCharacter)
{
    CSerialPortBase port;
    ASSERT_EQ(port.Open(device, 512, 512, false), kNoError);
    EXPECT_EQ(port.QueryFlowControl(), kNoFlowControl);
    for (const int kind : {kHardwareFlowControl, kSoftwareFlowControl, kNoFlowControl}) {
        EXPECT_EQ(port.SetFlowControl(kind), kNoError);
        EXPECT_EQ(port.QueryFlowControl(), kind);
    }
    EXPECT_EQ(port.SetFlowControl(3), CSerialPortBase::kInvalidArgument);
    EXPECT_EQ(port.SetReadMode(kBlockingRead), kNoError);
    EXPECT_EQ(port.SetReadMode(2), kReadTimeoutsNotSettable);

    EXPECT_EQ(port.QueryEventMask(), SerialEvent::kReceivedCharacter);
    EXPECT_EQ(port.SetFlagCharacter('~', true), kNoError);
    EXPECT_EQ(port.QueryFlagCharacter(), '~');
    EXPECT_EQ(port.QueryEventMask(), SerialEvent::kReceivedCharacter | SerialEvent::kFlagCharacter);
    EXPECT_EQ(port.ApplyEventMask(SerialEvent::kTransmitEmpty), kNoError);
    EXPECT_EQ(port.QueryEventMask(), SerialEvent::kTransmitEmpty);
}

TEST_F(SerialPortBaseTest, BytesCrossAndAWaitReportsThem)
{
    CSerialPortBase port;
    ASSERT_EQ(port.Open(device, 512, 512, true), kNoError);
    std::size_t count = 0;
    ASSERT_EQ(port.WritePortText("ATZ\r", &count, true, 1000), kNoError);
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(terminal->Read(2000), QByteArray("ATZ\r"));

    EXPECT_EQ(port.WaitForPortEvent(true, 0), CSerialPortBase::kWaitTimedOut);
    ASSERT_TRUE(terminal->Write(QByteArray::fromHex("16163c00")));
    ASSERT_EQ(port.WaitForPortEvent(true, 5000), kNoError);
    EXPECT_EQ(port.TakeLastEvents(), SerialEvent::kReceivedCharacter);
    std::uint8_t buffer[16] = {};
    ASSERT_EQ(port.ReadPort(buffer, sizeof buffer, &count, false, CSerialPortBase::kNoTimeout), kNoError);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(count)),
              QByteArray::fromHex("16163c00"));
    // Nothing more has come: a non-blocking read gives nothing.
    EXPECT_EQ(port.ReadPort(buffer, sizeof buffer, &count, false, CSerialPortBase::kNoTimeout), kNoError);
    EXPECT_EQ(count, 0u);
}

TEST_F(SerialPortBaseTest, BlockingReadTimesOutWithWhatCame)
{
    CSerialPortBase port;
    ASSERT_EQ(port.Open(device, 512, 512, true), kNoError);
    ASSERT_EQ(port.SetReadMode(kBlockingRead), kNoError);
    ASSERT_TRUE(terminal->Write("ab"));
    constexpr int kTimeoutMs = 100;
    const auto start = std::chrono::steady_clock::now();
    char buffer[4] = {};
    std::size_t count = 0;
    EXPECT_EQ(port.ReadPort(buffer, sizeof buffer, &count, true, kTimeoutMs), kSerialTimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(kTimeoutMs));
    EXPECT_EQ(std::string(buffer, count), "ab");
    EXPECT_EQ(port.LastError(), CSerialPortBase::kErrorTimeout);
}

TEST_F(SerialPortBaseTest, WaitsWithTimeOutNeedAnOverlappedPort)
{
    CSerialPortBase port;
    ASSERT_EQ(port.Open(device, 512, 512, false), kNoError);
    char buffer[4];
    std::size_t count = 0;
    EXPECT_EQ(port.WaitForPortEvent(true, CSerialPortBase::kNoTimeout), kOverlappedMisuse);
    EXPECT_EQ(port.LastError(), CSerialPortBase::kErrorMisuse);
    EXPECT_EQ(port.WaitForPortEvent(false, 10), kOverlappedMisuse);
    EXPECT_EQ(port.ReadPort(buffer, sizeof buffer, &count, false, 10), kOverlappedMisuse);
    EXPECT_EQ(port.WritePort(buffer, 1, &count, true, CSerialPortBase::kNoTimeout), kOverlappedMisuse);
}

TEST_F(SerialPortBaseTest, AnotherThreadWakesAWaitAndCancelsABlockedRead)
{
    CSerialPortBase port;
    ASSERT_EQ(port.Open(device, 512, 512, true), kNoError);
    int waited = -1;
    std::thread waiter([&] { waited = port.WaitForPortEvent(true, CSerialPortBase::kNoTimeout); });
    port.ApplyEventMask(SerialEvent::kReceivedCharacter);
    waiter.join();
    EXPECT_EQ(waited, kNoError);
    EXPECT_EQ(port.TakeLastEvents(), 0u);

    ASSERT_EQ(port.SetReadMode(kBlockingRead), kNoError);
    EngineErrorCode read = kNoError;
    std::thread reader([&] {
        char buffer[4];
        std::size_t count = 0;
        read = port.ReadPort(buffer, sizeof buffer, &count, false, CSerialPortBase::kNoTimeout);
    });
    port.CancelWaits();
    reader.join();
    EXPECT_EQ(read, kSerialTimedOut);
}

TEST_F(SerialPortBaseTest, HungUpLineFailsTheWait)
{
    CSerialPortBase port;
    ASSERT_EQ(port.Open(device, 512, 512, true), kNoError);
    terminal.reset();
    EXPECT_EQ(port.WaitForPortEvent(true, 5000), kEventWaitFailed);
    std::size_t count = 0;
    EXPECT_EQ(port.WritePort("x", 1, &count, false, CSerialPortBase::kNoTimeout), kWriteFailed);
}

}  // namespace
