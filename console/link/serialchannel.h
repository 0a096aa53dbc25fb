#pragma once

#include "pbxchannelbase.h"
#include "pbxframeassembler.h"
#include "serialeventthread.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

// The serial channel: PBX frames on a COM port ("\\.\COM" + n, the device SerialDevicePath(n) names).
// The port's event thread assembles the frames; the send thread writes a request only while no frame is
// coming in, so that the two never interleave on the line.
class CSerialChannel final : public CPbxChannelBase, private CSerialEventThread {
public:
    explicit CSerialChannel(CTrafficLog* log = nullptr);
    ~CSerialChannel() override;

    // The device of a "\\.\COM" + n resource; empty for any other name.
    static QString DevicePath(const QString& resourceName);

    // Opens the port exclusively and begins its event thread: 1 already open, 2 no such port, 3 held by
    // another program, 4 other failures.
    EngineErrorCode Open(const QString& resourceName, MessageTarget* target, std::uint32_t message,
                         std::int64_t tag, std::size_t inQueue, std::size_t outQueue) override;
    EngineErrorCode Close() override;
    EngineErrorCode Setup(int baudRate, int dataBits, int parity, int stopBits) override;
    bool IsOpen() const override { return CSerialPortBase::IsOpen(); }
    // The result of the last Open (5 after Close) comes first when it is not 0.
    EngineErrorCode Send(const std::uint8_t* frame, std::size_t length, std::shared_ptr<Event> answerEvent,
                         std::shared_ptr<PbxRequestRecord>* record, bool answerExpected, int timeoutMs) override;
    std::uint32_t SetRemoteAddress(const std::string&, std::uint16_t) override { return 0; }
    int Kind() const override { return kSerialKind; }
    bool IsHungUp() const override { return IsOpen() && HasEventThreadFailed(); }

    // The port beneath, for its settings.
    const CSerialPortBase& Port() const { return *this; }

private:
    // The port's own Open, beside the channel's (named so that neither hides the other).
    using CSerialEventThread::Open;

    void OnPortEvent(std::uint32_t events, std::uint32_t errors) override;
    EngineErrorCode WriteFrame(std::span<const std::uint8_t> bytes) override;
    void WaitForQuietLine() override;
    void TakeFrame(std::span<const std::uint8_t> frame);

    std::atomic<EngineErrorCode> m_openResult{kResourceNotOpen};  // written under LifeMutex alone
    CPbxFrameAssembler m_assembler;  // the event thread's

    // What the send thread needs to know of the receiving.
    std::mutex m_lineMutex;
    std::condition_variable m_lineQuiet;
    bool m_insideFrame = false;
    CPbxFrameAssembler::Clock::time_point m_lastByte{};
};
