#include "serialportbase.h"

#include <QFile>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

struct BaudRate {
    int rate;
    speed_t speed;
};

constexpr BaudRate kBaudRates[] = {
    {110, B110},       {300, B300},       {600, B600},       {1200, B1200},     {2400, B2400},
    {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600},
    {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
};

int OpenDevice(const QString& device)
{
    return ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
}

int ClassifyOpenFailure(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENXIO:
    case ENODEV:
        return CSerialPortBase::kDeviceNotFound;
    case EACCES:
    case EPERM:
    case EBUSY:
    case EWOULDBLOCK:
        return CSerialPortBase::kDeviceAccessDenied;
    default:
        return CSerialPortBase::kDeviceOtherFailure;
    }
}

// The ports of this suite are held with an advisory lock as well as the terminal's exclusive mode, which
// the super-user may pass through.
bool LockExclusively(int handle)
{
    return ::flock(handle, LOCK_EX | LOCK_NB) == 0;
}

// A time-out in ms as a deadline; none for a negative time-out.
std::optional<Clock::time_point> DeadlineAfter(int timeoutMs)
{
    if (timeoutMs < 0)
        return std::nullopt;
    return Clock::now() + std::chrono::milliseconds(timeoutMs);
}

// poll's time-out until the deadline, rounded up so that a wait never ends before it; -1 without one.
int PollTimeout(const std::optional<Clock::time_point>& deadline)
{
    if (!deadline)
        return -1;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

bool HasPassed(const std::optional<Clock::time_point>& deadline)
{
    return deadline && Clock::now() >= *deadline;
}

void CloseDescriptor(int& handle)
{
    if (handle >= 0)
        ::close(handle);
    handle = -1;
}

void Signal(int eventFd)
{
    if (eventFd < 0)
        return;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(eventFd, &one, sizeof one);
}

}  // namespace

int CSerialPortBase::ProbeDevice(const QString& device)
{
    const int handle = OpenDevice(device);
    if (handle < 0)
        return ClassifyOpenFailure(errno);
    const bool free = LockExclusively(handle);
    ::close(handle);
    return free ? kDeviceFree : kDeviceAccessDenied;
}

CSerialPortBase::~CSerialPortBase()
{
    CSerialPortBase::Close();
}

EngineErrorCode CSerialPortBase::Fail(EngineErrorCode code, std::uint32_t lastError)
{
    m_lastError = lastError;
    return code;
}

EngineErrorCode CSerialPortBase::Open(const QString& device, std::size_t, std::size_t, bool overlapped)
{
    if (IsOpen())
        return Fail(kResourceAlreadyOpen, kErrorAlreadyOpen);
    int handle = OpenDevice(device);
    if (handle < 0) {
        const int error = errno;
        switch (ClassifyOpenFailure(error)) {
        case kDeviceNotFound: return Fail(kResourceNotAvailable, static_cast<std::uint32_t>(error));
        case kDeviceAccessDenied: return Fail(kResourceAccessDenied, static_cast<std::uint32_t>(error));
        default: return Fail(kResourceOpenFailed, static_cast<std::uint32_t>(error));
        }
    }
    if (!LockExclusively(handle)) {
        ::close(handle);
        return Fail(kResourceAccessDenied, EBUSY);
    }
    termios settings{};
    if (::tcgetattr(handle, &settings) != 0) {
        const int error = errno;
        ::close(handle);
        return Fail(kResourceOpenFailed, static_cast<std::uint32_t>(error));
    }
    ::ioctl(handle, TIOCEXCL);
    if (overlapped) {
        m_wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        m_cancelFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (m_wakeFd < 0 || m_cancelFd < 0) {
            const int error = errno;
            CloseDescriptor(m_wakeFd);
            CloseDescriptor(m_cancelFd);
            ::ioctl(handle, TIOCNXCL);
            ::close(handle);
            return Fail(kSerialEventNotCreated, static_cast<std::uint32_t>(error));
        }
    }
    m_handle = handle;
    m_overlapped = overlapped;

    // The device's default for a data link: raw bytes, receiver on, modem lines ignored.
    const speed_t speed = cfgetospeed(&settings);
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cc[VMIN] = 1;  // with O_NONBLOCK: EAGAIN on an empty line, 0 only at its end
    settings.c_cc[VTIME] = 0;
    cfsetispeed(&settings, speed);
    cfsetospeed(&settings, speed);
    ::tcsetattr(handle, TCSANOW, &settings);
    m_readMode = SerialSetting::kNonBlockingRead;
    m_flagCharacter = 0;
    m_lastEvents = 0;
    m_eventMask = SerialEvent::kReceivedCharacter;
    m_lastError = 0;
    return kNoError;
}

EngineErrorCode CSerialPortBase::Close()
{
    if (!IsOpen())
        return Fail(kResourceNotOpen, kErrorNotOpen);
    ::ioctl(m_handle, TIOCNXCL);
    CloseDescriptor(m_handle);
    CloseDescriptor(m_wakeFd);
    CloseDescriptor(m_cancelFd);
    m_overlapped = false;
    m_eventMask = 0;
    return kNoError;
}

EngineErrorCode CSerialPortBase::Setup(int baudRate, int dataBits, int parity, int stopBits)
{
    using namespace SerialSetting;
    if (!IsOpen())
        return Fail(kResourceNotOpen, kErrorNotOpen);
    termios settings{};
    if (::tcgetattr(m_handle, &settings) != 0)
        return Fail(kPortStateNotReadable, static_cast<std::uint32_t>(errno));

    const BaudRate* rate = nullptr;
    for (const BaudRate& known : kBaudRates)
        if (known.rate == baudRate)
            rate = &known;
    const bool validStopBits = stopBits == kOneStopBit || stopBits == kTwoStopBits ||
                               (stopBits == kOneAndHalfStopBits && dataBits == 5);
    if (!rate || dataBits < 5 || dataBits > 8 || parity < kNoParity || parity > kSpaceParity || !validStopBits)
        return Fail(kPortStateNotSettable, EINVAL);

    cfsetispeed(&settings, rate->speed);
    cfsetospeed(&settings, rate->speed);
    constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    settings.c_cflag = (settings.c_cflag & ~CSIZE) | kSizes[dataBits - 5];
    settings.c_cflag &= ~(PARENB | PARODD | CMSPAR | CSTOPB);
    if (parity != kNoParity)
        settings.c_cflag |= PARENB;
    if (parity == kOddParity || parity == kMarkParity)
        settings.c_cflag |= PARODD;
    if (parity == kMarkParity || parity == kSpaceParity)
        settings.c_cflag |= CMSPAR;
    if (stopBits != kOneStopBit)
        settings.c_cflag |= CSTOPB;
    // Parity is checked exactly when there is one.
    if (parity != kNoParity)
        settings.c_iflag |= INPCK;
    else
        settings.c_iflag &= ~INPCK;
    if (::tcsetattr(m_handle, TCSANOW, &settings) != 0)
        return Fail(kPortStateNotSettable, static_cast<std::uint32_t>(errno));
    // A driver takes what it can of the settings; one that cannot carry them all has refused them.
    termios applied{};
    constexpr tcflag_t kFrameBits = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB;
    if (::tcgetattr(m_handle, &applied) != 0 || cfgetospeed(&applied) != rate->speed ||
        (applied.c_cflag & kFrameBits) != (settings.c_cflag & kFrameBits))
        return Fail(kPortStateNotSettable, EINVAL);
    return kNoError;
}

EngineErrorCode CSerialPortBase::SetFlagCharacter(char character, bool addToMask)
{
    if (!IsOpen())
        return Fail(kResourceNotOpen, kErrorNotOpen);
    termios settings{};
    if (::tcgetattr(m_handle, &settings) != 0)
        return Fail(kPortStateNotReadable, static_cast<std::uint32_t>(errno));
    m_flagCharacter = static_cast<unsigned char>(character);
    if (addToMask)
        return ApplyEventMask(m_eventMask | SerialEvent::kFlagCharacter);
    return kNoError;
}

EngineErrorCode CSerialPortBase::ApplyEventMask(std::uint32_t mask)
{
    if (!IsOpen())
        return Fail(kResourceNotOpen, kErrorNotOpen);
    m_eventMask = mask;
    Signal(m_wakeFd);
    return kNoError;
}

bool CSerialPortBase::IsMisuse(bool overlapped, int timeoutMs) const
{
    return !m_overlapped && (overlapped || timeoutMs != kNoTimeout);
}

int CSerialPortBase::WaitForPortEvent(bool overlapped, int timeoutMs)
{
    if (!IsOpen())
        return Fail(kResourceNotOpen, kErrorNotOpen);
    if (IsMisuse(overlapped, timeoutMs))
        return Fail(kOverlappedMisuse, kErrorMisuse);
    const short watched = (m_eventMask & (SerialEvent::kReceivedCharacter | SerialEvent::kFlagCharacter)) ? POLLIN : 0;
    pollfd fds[3] = {{m_handle, watched, 0}, {m_wakeFd, POLLIN, 0}, {m_cancelFd, POLLIN, 0}};
    const nfds_t count = m_overlapped ? 3 : 1;
    const auto deadline = DeadlineAfter(timeoutMs);
    for (;;) {
        const int ready = ::poll(fds, count, PollTimeout(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return Fail(kEventWaitFailed, static_cast<std::uint32_t>(errno));
        if (ready > 0)
            break;
        if (HasPassed(deadline)) {
            m_lastError = kErrorTimeout;
            return kWaitTimedOut;
        }
    }
    if (m_overlapped && (fds[1].revents & POLLIN)) {
        std::uint64_t count64 = 0;
        [[maybe_unused]] const ssize_t n = ::read(m_wakeFd, &count64, sizeof count64);
        m_lastEvents = 0;
        return kNoError;
    }
    if (m_overlapped && (fds[2].revents & POLLIN)) {
        m_lastEvents = 0;
        return kNoError;
    }
    int pending = 0;
    const bool hungUp = fds[0].revents & (POLLHUP | POLLERR | POLLNVAL);
    if ((fds[0].revents & POLLIN) && (!hungUp || (::ioctl(m_handle, FIONREAD, &pending) == 0 && pending > 0))) {
        m_lastEvents = SerialEvent::kReceivedCharacter;
        return kNoError;
    }
    // Hung up or failed without data: nothing more will come on this descriptor.
    return Fail(kEventWaitFailed, EIO);
}

std::int32_t CSerialPortBase::SetFlowControl(int kind)
{
    using namespace SerialSetting;
    if (kind != kNoFlowControl && kind != kHardwareFlowControl && kind != kSoftwareFlowControl)
        return kInvalidArgument;
    if (!IsOpen())
        return Fail(kResourceNotOpen, kErrorNotOpen);
    termios settings{};
    if (::tcgetattr(m_handle, &settings) != 0)
        return Fail(kPortStateNotReadable, static_cast<std::uint32_t>(errno));
    settings.c_cflag &= ~CRTSCTS;
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    if (kind == kHardwareFlowControl)
        settings.c_cflag |= CRTSCTS;
    if (kind == kSoftwareFlowControl)
        settings.c_iflag |= IXON | IXOFF;
    if (::tcsetattr(m_handle, TCSANOW, &settings) != 0)
        return Fail(kPortStateNotSettable, static_cast<std::uint32_t>(errno));
    return kNoError;
}

EngineErrorCode CSerialPortBase::SetReadMode(int kind)
{
    using namespace SerialSetting;
    if (!IsOpen())
        return Fail(kResourceNotOpen, kErrorNotOpen);
    termios settings{};
    if (::tcgetattr(m_handle, &settings) != 0)
        return Fail(kSerialWaitFailed, static_cast<std::uint32_t>(errno));
    if (kind != kNonBlockingRead && kind != kBlockingRead)
        return Fail(kReadTimeoutsNotSettable, EINVAL);
    // The descriptor never blocks (VMIN 1 tells an empty line from a hung-up one); ReadPort waits itself.
    m_readMode = kind;
    return kNoError;
}

int CSerialPortBase::QueryBaudRate() const
{
    termios settings{};
    if (!IsOpen() || ::tcgetattr(m_handle, &settings) != 0)
        return -1;
    const speed_t speed = cfgetospeed(&settings);
    for (const BaudRate& known : kBaudRates)
        if (known.speed == speed)
            return known.rate;
    return -1;
}

int CSerialPortBase::QueryDataBits() const
{
    termios settings{};
    if (!IsOpen() || ::tcgetattr(m_handle, &settings) != 0)
        return -1;
    switch (settings.c_cflag & CSIZE) {
    case CS5: return 5;
    case CS6: return 6;
    case CS7: return 7;
    default: return 8;
    }
}

int CSerialPortBase::QueryParity() const
{
    using namespace SerialSetting;
    termios settings{};
    if (!IsOpen() || ::tcgetattr(m_handle, &settings) != 0)
        return -1;
    if (!(settings.c_iflag & INPCK) || !(settings.c_cflag & PARENB))
        return kNoParity;
    const bool odd = settings.c_cflag & PARODD;
    if (settings.c_cflag & CMSPAR)
        return odd ? kMarkParity : kSpaceParity;
    return odd ? kOddParity : kEvenParity;
}

int CSerialPortBase::QueryStopBits() const
{
    using namespace SerialSetting;
    termios settings{};
    if (!IsOpen() || ::tcgetattr(m_handle, &settings) != 0)
        return -1;
    if (!(settings.c_cflag & CSTOPB))
        return kOneStopBit;
    return (settings.c_cflag & CSIZE) == CS5 ? kOneAndHalfStopBits : kTwoStopBits;
}

int CSerialPortBase::QueryFlowControl() const
{
    using namespace SerialSetting;
    termios settings{};
    if (!IsOpen() || ::tcgetattr(m_handle, &settings) != 0)
        return -1;
    if (settings.c_cflag & CRTSCTS)
        return kHardwareFlowControl;
    if (settings.c_iflag & (IXON | IXOFF))
        return kSoftwareFlowControl;
    return kNoFlowControl;
}

int CSerialPortBase::QueryFlagCharacter() const
{
    return IsOpen() ? m_flagCharacter.load() : -1;
}

CSerialPortBase::Readiness CSerialPortBase::WaitReady(short events, const std::optional<Clock::time_point>& deadline)
{
    pollfd fds[2] = {{m_handle, events, 0}, {m_cancelFd, POLLIN, 0}};
    const nfds_t count = m_cancelFd >= 0 ? 2 : 1;
    for (;;) {
        const int ready = ::poll(fds, count, PollTimeout(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0) {
            m_lastError = static_cast<std::uint32_t>(errno);
            return Readiness::kFailed;
        }
        if (ready == 0) {
            if (HasPassed(deadline))
                return Readiness::kTimedOut;
            continue;
        }
        if (count == 2 && (fds[1].revents & POLLIN))
            return Readiness::kCancelled;
        return Readiness::kReady;  // ready, or an error the next call reports
    }
}

EngineErrorCode CSerialPortBase::WritePort(const void* data, std::size_t length, std::size_t* written,
                                           bool overlapped, int timeoutMs)
{
    std::size_t done = 0;
    if (written)
        *written = 0;
    if (!IsOpen())
        return Fail(kResourceNotOpen, kErrorNotOpen);
    if (IsMisuse(overlapped, timeoutMs))
        return Fail(kOverlappedMisuse, kErrorMisuse);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    const auto deadline = DeadlineAfter(timeoutMs);
    EngineErrorCode result = kNoError;
    while (done < length) {
        const ssize_t n = ::write(m_handle, bytes + done, length - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            result = Fail(kWriteFailed, static_cast<std::uint32_t>(errno));
            break;
        }
        const Readiness readiness = WaitReady(POLLOUT, deadline);
        if (readiness == Readiness::kFailed) {
            result = kSerialWaitFailed;
            break;
        }
        if (readiness != Readiness::kReady) {
            result = Fail(kSerialTimedOut, kErrorTimeout);
            break;
        }
    }
    if (written)
        *written = done;
    return result;
}

EngineErrorCode CSerialPortBase::WritePortText(std::string_view text, std::size_t* written, bool overlapped,
                                               int timeoutMs)
{
    return WritePort(text.data(), text.size(), written, overlapped, timeoutMs);
}

EngineErrorCode CSerialPortBase::ReadPort(void* buffer, std::size_t size, std::size_t* read, bool overlapped,
                                          int timeoutMs)
{
    std::size_t done = 0;
    if (read)
        *read = 0;
    if (!IsOpen())
        return Fail(kResourceNotOpen, kErrorNotOpen);
    if (IsMisuse(overlapped, timeoutMs))
        return Fail(kOverlappedMisuse, kErrorMisuse);
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    const bool waits = m_readMode == SerialSetting::kBlockingRead;
    const auto deadline = DeadlineAfter(timeoutMs);
    EngineErrorCode result = kNoError;
    while (done < size) {
        const ssize_t n = ::read(m_handle, bytes + done, size - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            if (!waits)
                break;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || errno != EAGAIN) {
            result = Fail(kReadFailed, n == 0 ? EIO : static_cast<std::uint32_t>(errno));
            break;
        }
        if (!waits)
            break;
        const Readiness readiness = WaitReady(POLLIN, deadline);
        if (readiness == Readiness::kFailed) {
            result = kSerialWaitFailed;
            break;
        }
        if (readiness != Readiness::kReady) {
            result = Fail(kSerialTimedOut, kErrorTimeout);
            break;
        }
    }
    if (read)
        *read = done;
    return result;
}

void CSerialPortBase::CancelWaits()
{
    Signal(m_cancelFd);
}
