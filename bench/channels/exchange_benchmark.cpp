// Request-answer exchanges per second through CSerialChannel (on a pseudo-terminal) and CUdpChannel (UDP
// on loopback) against a peer that answers at once, beside the bare write-and-read of the same bytes on
// the same device. The ratio of the two is the channel's own cost per frame: queueing, the send thread,
// the receive state machine or envelope check, the answer hand-over and the traffic log.

#include "blockingsocket.h"
#include "pbxlanenvelope.h"
#include "pseudoterminal.h"
#include "registrykey.h"
#include "serialchannel.h"
#include "socketaddress.h"
#include "suitelocation.h"
#include "trafficlog.h"
#include "udpchannel.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A status read and its answer (both codes are no event codes, so the answer ends the wait).
const Bytes kRequest = {0x16, 0x16, 0x22, 0x02, 0x01, 0x05};
const Bytes kAnswer = {0x16, 0x16, 0x22, 0x04, 0x01, 0x05, 0x02, 0x00};
constexpr int kTimeoutMs = 5000;
constexpr int kSerialPort = 9;

// Waits until the descriptor is readable or the stop descriptor is; false on stop.
bool WaitReadable(int handle, int stopFd)
{
    pollfd fds[2] = {{handle, POLLIN, 0}, {stopFd, POLLIN, 0}};
    while (::poll(fds, 2, -1) < 0) {
    }
    return !(fds[1].revents & POLLIN);
}

bool ReadWhole(int handle, std::uint8_t* bytes, std::size_t size, int stopFd)
{
    std::size_t done = 0;
    while (done < size) {
        if (!WaitReadable(handle, stopFd))
            return false;
        const ssize_t n = ::read(handle, bytes + done, size - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (n == 0)
            return false;
    }
    return true;
}

void WriteWhole(int handle, const Bytes& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(handle, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
    }
}

// A suite tree in which COM9 is a pseudo-terminal, whose master end answers every frame at once.
class SerialPeer {
public:
    SerialPeer() : m_terminal(PseudoTerminal::Open()), m_stopFd(::eventfd(0, EFD_CLOEXEC))
    {
        if (!m_terminal || !m_dir.isValid())
            throw std::runtime_error("no pseudo-terminal");
        const QString suite = m_dir.path() + QStringLiteral("/suite/");
        QDir().mkpath(suite + QStringLiteral("Pultex"));
        QDir().mkpath(suite + QStringLiteral("Shared"));
        SetProgramFilePath(suite + QStringLiteral("Pultex/Pultex"));
        RegistryKey(QStringLiteral("SerialPorts")).WriteString(QStringLiteral("COM%1").arg(kSerialPort), m_terminal->SlavePath());
        m_thread = std::thread([this] { Answer(); });
    }

    ~SerialPeer()
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_stopFd, &one, sizeof one);
        m_thread.join();
        ::close(m_stopFd);
        SetProgramFilePath(QString());
    }

    QString SlavePath() const { return m_terminal->SlavePath(); }

private:
    void Answer()
    {
        const int master = m_terminal->MasterDescriptor();
        std::array<std::uint8_t, 4 + 255> frame{};
        for (;;) {
            if (!ReadWhole(master, frame.data(), 4, m_stopFd) || !ReadWhole(master, frame.data() + 4, frame[3], m_stopFd))
                return;
            WriteWhole(master, kAnswer);
        }
    }

    QTemporaryDir m_dir;
    std::unique_ptr<PseudoTerminal> m_terminal;
    int m_stopFd;
    std::thread m_thread;
};

// A PBX on 127.0.0.1 that answers every frame datagram with the answer's datagram, to the sender.
class LanPeer {
public:
    LanPeer()
    {
        m_socket.Create(CBlockingSocket::kDatagram);
        m_socket.Bind(MakeSocketAddress("127.0.0.1", 0));
        m_port = PortOf(m_socket.GetSockAddr());
        m_thread = std::thread([this] { Answer(); });
    }

    ~LanPeer()
    {
        m_socket.Interrupt();
        m_thread.join();
    }

    std::uint16_t Port() const { return m_port; }
    // Where the channel listens; 0 sends answers back to each datagram's sender.
    void AnswerTo(std::uint16_t port) { m_answerPort = port; }

private:
    void Answer()
    {
        const Bytes answer = BuildLanFrameDatagram(kAnswer);
        std::array<std::uint8_t, kMaxLanDatagramSize> buffer{};
        for (;;) {
            sockaddr_in from{};
            try {
                m_socket.ReceiveDatagram(buffer.data(), buffer.size(), &from);
                const std::uint16_t port = m_answerPort ? m_answerPort.load() : PortOf(from);
                m_socket.SendDatagram(answer.data(), answer.size(), MakeSocketAddress("127.0.0.1", port), 1);
            } catch (const CBlockingSocketException&) {
                return;
            }
        }
    }

    CBlockingSocket m_socket;
    std::uint16_t m_port = 0;
    std::atomic<std::uint16_t> m_answerPort{0};
    std::thread m_thread;
};

// The traffic log the channels write, as the engine keeps it.
CTrafficLog& BenchLog()
{
    static QTemporaryDir dir;
    static CTrafficLog log;
    if (!log.IsOpen())
        log.Open(dir.filePath(QStringLiteral("Engine.log")));
    return log;
}

void Exchange(benchmark::State& state, CPbxChannel& channel)
{
    for (auto _ : state) {
        auto answered = std::make_shared<Event>(Event::Reset::Manual);
        std::shared_ptr<PbxRequestRecord> record;
        if (channel.Send(kRequest.data(), kRequest.size(), answered, &record, true, kTimeoutMs) != kNoError ||
            !answered->Wait(std::chrono::milliseconds(kTimeoutMs)) || record->status != kNoError) {
            state.SkipWithError("exchange failed");
            break;
        }
        benchmark::DoNotOptimize(record->answer.data());
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_SerialChannelExchange(benchmark::State& state)
{
    SerialPeer peer;
    CSerialChannel channel(&BenchLog());
    if (channel.Open(QStringLiteral("\\\\.\\COM%1").arg(kSerialPort), nullptr, 0, 0, 512, 512) != kNoError ||
        channel.Setup(9600, 8, 0, 0) != kNoError) {
        state.SkipWithError("port not opened");
        return;
    }
    Exchange(state, channel);
}

void BM_SerialBareExchange(benchmark::State& state)
{
    SerialPeer peer;
    const int port = ::open(peer.SlavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    const int neverStops = ::eventfd(0, EFD_CLOEXEC);
    std::array<std::uint8_t, 16> answer{};
    for (auto _ : state) {
        WriteWhole(port, kRequest);
        if (!ReadWhole(port, answer.data(), kAnswer.size(), neverStops)) {
            state.SkipWithError("no answer");
            break;
        }
        benchmark::DoNotOptimize(answer.data());
    }
    state.SetItemsProcessed(state.iterations());
    ::close(neverStops);
    ::close(port);
}

void BM_UdpChannelExchange(benchmark::State& state)
{
    LanPeer peer;
    CUdpChannel channel(LanChannelSettings{0, peer.Port(), "127.0.0.1"}, &BenchLog());
    if (channel.Open(QStringLiteral("ETH0"), nullptr, 0, 0, 512, 512) != kNoError) {
        state.SkipWithError("channel not opened");
        return;
    }
    // Requests leave from the channel's send socket; the PBX answers to the channel's port.
    peer.AnswerTo(channel.LocalPort());
    Exchange(state, channel);
}

void BM_UdpBareExchange(benchmark::State& state)
{
    LanPeer peer;
    CBlockingSocket socket;
    socket.Create(CBlockingSocket::kDatagram);
    socket.Bind(MakeSocketAddress("127.0.0.1", 0));
    const Bytes datagram = BuildLanFrameDatagram(kRequest);
    const sockaddr_in to = MakeSocketAddress("127.0.0.1", peer.Port());
    std::array<std::uint8_t, kMaxLanDatagramSize> answer{};
    for (auto _ : state) {
        socket.SendDatagram(datagram.data(), datagram.size(), to, 1);
        benchmark::DoNotOptimize(socket.Receive(answer.data(), answer.size(), 1));
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_SerialChannelExchange)->UseRealTime();
BENCHMARK(BM_SerialBareExchange)->UseRealTime();
BENCHMARK(BM_UdpChannelExchange)->UseRealTime();
BENCHMARK(BM_UdpBareExchange)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
