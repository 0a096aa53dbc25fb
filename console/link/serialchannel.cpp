#include "serialchannel.h"

#include "registrykey.h"

#include <array>

namespace {

const QString kComPrefix = QStringLiteral("\\\\.\\COM");
// A whole frame and more fits one read; the rest waits for the next event.
constexpr std::size_t kReadChunk = 255;

}  // namespace

CSerialChannel::CSerialChannel(CTrafficLog* log) : CPbxChannelBase(log) {}

CSerialChannel::~CSerialChannel()
{
    if (IsOpen())
        Close();
    EndEventThread();
    StopSending();
}

QString CSerialChannel::DevicePath(const QString& resourceName)
{
    if (!resourceName.startsWith(kComPrefix))
        return {};
    const QString digits = resourceName.mid(kComPrefix.size());
    bool ok = false;
    const int number = digits.toInt(&ok);
    if (!ok || number < 1 || digits.startsWith(u'+'))
        return {};
    return SerialDevicePath(number);
}

EngineErrorCode CSerialChannel::Open(const QString& resourceName, MessageTarget* target, std::uint32_t message,
                                     std::int64_t tag, std::size_t inQueue, std::size_t outQueue)
{
    const std::string openText = " OPEN " + resourceName.toStdString();
    std::unique_lock life(LifeMutex());
    if (IsOpen()) {
        Log(openText, false, kResourceAlreadyOpen);
        return kResourceAlreadyOpen;
    }
    SetNotification(target, message, tag);
    ForgetWriteFailure();
    m_assembler = CPbxFrameAssembler();
    {
        std::lock_guard lock(m_lineMutex);
        m_insideFrame = false;
    }
    const QString device = DevicePath(resourceName);
    EngineErrorCode result =
        device.isEmpty() ? kResourceNotAvailable : CSerialEventThread::Open(device, inQueue, outQueue, false);
    if (result == kNoError) {
        result = BeginEventThread();
        if (result != kNoError)
            CSerialEventThread::Close();
    }
    m_openResult = result;
    if (result != kNoError) {
        ClearNotification();
        Log(openText, false, result);
        return result;
    }
    Log(openText, true, kNoError);
    return kNoError;
}

EngineErrorCode CSerialChannel::Close()
{
    std::unique_lock life(LifeMutex());
    if (!IsOpen())
        return kResourceNotOpen;
    ClearNotification();
    m_openResult = kResourceNotOpen;
    EndEventThread();
    StopSending([this] { CancelWaits(); });
    const EngineErrorCode closed = CSerialEventThread::Close();
    Log(" CLOSE", true, closed);
    return closed;
}

EngineErrorCode CSerialChannel::Setup(int baudRate, int dataBits, int parity, int stopBits)
{
    return CSerialPortBase::Setup(baudRate, dataBits, parity, stopBits);
}

EngineErrorCode CSerialChannel::Send(const std::uint8_t* frame, std::size_t length, std::shared_ptr<Event> answerEvent,
                                     std::shared_ptr<PbxRequestRecord>* record, bool answerExpected, int timeoutMs)
{
    std::shared_lock life(LifeMutex());
    if (const EngineErrorCode opened = m_openResult; opened != kNoError)
        return opened;
    if (!IsOpen())
        return kResourceNotOpen;
    return Queue(frame, length, std::move(answerEvent), record, answerExpected, timeoutMs);
}

void CSerialChannel::OnPortEvent(std::uint32_t events, std::uint32_t errors)
{
    if (!(events & SerialEvent::kReceivedCharacter) || errors != 0)
        return;
    std::array<std::uint8_t, kReadChunk> buffer{};
    std::size_t received = 0;
    ReadPort(buffer.data(), buffer.size(), &received, false, kNoTimeout);
    if (received == 0)
        return;
    // The bytes of one read came together: one arrival time for all of them.
    const auto now = CPbxFrameAssembler::Clock::now();
    for (std::size_t i = 0; i < received; ++i) {
        if (m_assembler.Feed(buffer[i], now))
            TakeFrame(m_assembler.Frame());
    }
    bool inside = false;
    {
        std::lock_guard lock(m_lineMutex);
        m_insideFrame = inside = m_assembler.CurrentState() != CPbxFrameAssembler::kHunting;
        m_lastByte = m_assembler.LastByteTime();
    }
    if (!inside)
        m_lineQuiet.notify_all();
}

void CSerialChannel::TakeFrame(std::span<const std::uint8_t> frame)
{
    Log(" RECEIVE PACKET", true, kNoError, frame);
    RouteFrame(frame);
}

void CSerialChannel::WaitForQuietLine()
{
    // A frame cut short never completes: 50 ms after its last byte the line counts as quiet again.
    std::unique_lock lock(m_lineMutex);
    while (m_insideFrame) {
        const auto deadline = m_lastByte + CPbxFrameAssembler::kInterByteTimeout;
        if (CPbxFrameAssembler::Clock::now() >= deadline)
            break;
        m_lineQuiet.wait_until(lock, deadline);
    }
}

EngineErrorCode CSerialChannel::WriteFrame(std::span<const std::uint8_t> bytes)
{
    std::size_t written = 0;
    const EngineErrorCode result = WritePort(bytes.data(), bytes.size(), &written, false, kNoTimeout);
    if (result != kNoError)
        NoteWriteFailed();
    Log(" SEND PACKET", result == kNoError, result, bytes);
    return result;
}
