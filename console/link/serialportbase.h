#pragma once

#include "engineerrorcode.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// Communication events of a port, as the event mask and the reported events carry them. This layer
// raises the received-character event; the others may stand in a mask but a terminal device does not
// report them.
namespace SerialEvent {
inline constexpr std::uint32_t kReceivedCharacter = 0x0001;
inline constexpr std::uint32_t kFlagCharacter = 0x0002;
inline constexpr std::uint32_t kTransmitEmpty = 0x0004;
inline constexpr std::uint32_t kCts = 0x0008;
inline constexpr std::uint32_t kDsr = 0x0010;
inline constexpr std::uint32_t kRlsd = 0x0020;
inline constexpr std::uint32_t kBreak = 0x0040;
inline constexpr std::uint32_t kError = 0x0080;
inline constexpr std::uint32_t kRing = 0x0100;
}  // namespace SerialEvent

// Parity, stop bits, flow control and read modes by their numbers.
namespace SerialSetting {
inline constexpr int kNoParity = 0;
inline constexpr int kOddParity = 1;
inline constexpr int kEvenParity = 2;
inline constexpr int kMarkParity = 3;
inline constexpr int kSpaceParity = 4;
inline constexpr int kOneStopBit = 0;
inline constexpr int kOneAndHalfStopBits = 1;  // only with 5 data bits
inline constexpr int kTwoStopBits = 2;
inline constexpr int kNoFlowControl = 0;
inline constexpr int kHardwareFlowControl = 1;  // RTS/CTS
inline constexpr int kSoftwareFlowControl = 2;  // XON/XOFF
inline constexpr int kNonBlockingRead = 0;      // a read returns what has come
inline constexpr int kBlockingRead = 1;         // a read waits for all it asks
}  // namespace SerialSetting

// A serial port on a terminal device: open exclusively, configure, wait for events, read and write.
// Operations give EngineErrorCode values (a port not open gives 5 and last error 6). "Overlapped" ports
// can wait with time-outs and be woken from another thread; ports opened without it only block.
class CSerialPortBase {
public:
    // The last error: errno of the failing call, or one of these.
    static constexpr std::uint32_t kErrorMisuse = 1;
    static constexpr std::uint32_t kErrorNotOpen = 6;
    static constexpr std::uint32_t kErrorAlreadyOpen = 1247;
    static constexpr std::uint32_t kErrorTimeout = 1460;
    // WaitForPortEvent's result on time-out, and SetFlowControl's for a kind it does not know.
    static constexpr int kWaitTimedOut = 1460;
    static constexpr std::int32_t kInvalidArgument = static_cast<std::int32_t>(0x80070057u);
    static constexpr int kNoTimeout = -1;

    // ProbeDevice's results.
    static constexpr int kDeviceFree = 0;
    static constexpr int kDeviceNotFound = 1;
    static constexpr int kDeviceAccessDenied = 2;  // also: held by another program
    static constexpr int kDeviceOtherFailure = -1;

    static int ProbeDevice(const QString& device);

    CSerialPortBase() = default;
    virtual ~CSerialPortBase();
    CSerialPortBase(const CSerialPortBase&) = delete;
    CSerialPortBase& operator=(const CSerialPortBase&) = delete;

    // 1 when already open; 2 no such device, 3 access denied or held by another, 4 other failures (not a
    // terminal); 6 when the wake-up descriptors cannot be made. The queue sizes are the driver's on this
    // system and are taken as they are. The port starts raw, event mask "received character", reads not
    // waiting.
    virtual EngineErrorCode Open(const QString& device, std::size_t inQueue, std::size_t outQueue, bool overlapped);
    virtual EngineErrorCode Close();
    // 8 when the settings cannot be read, 9 when they cannot be set, are no valid settings or the device
    // does not carry them (a pseudo-terminal has 8 data bits and no parity).
    virtual EngineErrorCode Setup(int baudRate, int dataBits, int parity, int stopBits);
    virtual bool IsOpen() const { return m_handle >= 0; }

    EngineErrorCode SetFlagCharacter(char character, bool addToMask);
    // Also wakes a pending WaitForPortEvent, which then reports no events.
    EngineErrorCode ApplyEventMask(std::uint32_t mask);
    // 0 with LastEvents() set; 11 a wait with time-out (or overlapped) on a port opened without it; 12 the
    // wait failed (also when the device has hung up); kWaitTimedOut.
    int WaitForPortEvent(bool overlapped, int timeoutMs);
    std::int32_t SetFlowControl(int kind);
    // 15 when the settings cannot be read, 16 when they cannot be set or the kind is unknown.
    EngineErrorCode SetReadMode(int kind);

    int QueryBaudRate() const;          // -1 on failure
    int QueryDataBits() const;          // -1 on failure
    int QueryParity() const;            // 0 while parity is not checked; -1 on failure
    int QueryStopBits() const;          // -1 on failure
    int QueryFlowControl() const;       // -1 on failure
    std::uint32_t QueryEventMask() const { return m_eventMask; }
    int QueryFlagCharacter() const;     // -1 when not open

    // 11 misuse (as above); 19 the write failed; 14 time-out or cancelled (last error 1460); 15 the wait
    // failed. `written` receives the bytes written, also on failure.
    EngineErrorCode WritePort(const void* data, std::size_t length, std::size_t* written, bool overlapped,
                              int timeoutMs);
    EngineErrorCode WritePortText(std::string_view text, std::size_t* written, bool overlapped, int timeoutMs);
    // 11; 20 the read failed (also end of file); 14; 15. Non-blocking read mode returns what has come.
    EngineErrorCode ReadPort(void* buffer, std::size_t size, std::size_t* read, bool overlapped, int timeoutMs);

    // Ends every wait and blocked read or write of an overlapped port at once, also later ones, until the
    // port is closed: how another thread stops the users of the port before closing it.
    void CancelWaits();

    std::uint32_t LastError() const { return m_lastError; }
    // The events of the last WaitForPortEvent, cleared by the call.
    std::uint32_t TakeLastEvents() { return m_lastEvents.exchange(0); }

private:
    EngineErrorCode Fail(EngineErrorCode code, std::uint32_t lastError);
    bool IsMisuse(bool overlapped, int timeoutMs) const;
    using Clock = std::chrono::steady_clock;
    enum class Readiness { kReady, kTimedOut, kCancelled, kFailed };
    // Waits until the port is ready for `events`, or the deadline when there is one.
    Readiness WaitReady(short events, const std::optional<Clock::time_point>& deadline);

    int m_handle = -1;
    int m_wakeFd = -1;     // ApplyEventMask wakes WaitForPortEvent (consumed by it)
    int m_cancelFd = -1;   // CancelWaits: stays readable until Close
    bool m_overlapped = false;
    std::atomic<int> m_readMode{SerialSetting::kNonBlockingRead};
    std::atomic<std::uint32_t> m_eventMask{0};
    std::atomic<std::uint32_t> m_lastEvents{0};
    std::atomic<std::uint32_t> m_lastError{0};
    std::atomic<int> m_flagCharacter{0};
};
