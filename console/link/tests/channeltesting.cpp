#include "channeltesting.h"

#include "event.h"
#include "socketaddress.h"

#include "joinbytes.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <QFile>

#include <atomic>
#include <mutex>
#include <thread>

void RecordingTarget::Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam)
{
    std::lock_guard lock(m_mutex);
    m_posted.push_back({message, wParam, lParam});
}

std::size_t RecordingTarget::Count() const
{
    std::lock_guard lock(m_mutex);
    return m_posted.size();
}

RecordingTarget::Posted RecordingTarget::At(std::size_t index) const
{
    std::lock_guard lock(m_mutex);
    return m_posted.at(index);
}

LanPeer::LanPeer(const std::string& address)
{
    m_socket.Create(CBlockingSocket::kDatagram);
    m_socket.Bind(MakeSocketAddress(address, 0));
    m_port = PortOf(m_socket.GetSockAddr());
}

void LanPeer::SendTo(std::uint16_t port, const Bytes& datagram)
{
    m_socket.SendDatagram(datagram.data(), datagram.size(), MakeSocketAddress("127.0.0.1", port), 1);
}

Bytes LanPeer::Receive(int seconds)
{
    Bytes buffer(1024);
    try {
        buffer.resize(m_socket.Receive(buffer.data(), buffer.size(), seconds));
    } catch (const CBlockingSocketException&) {
        buffer.clear();
    }
    return buffer;
}

QStringList LogFolder::Lines() const
{
    QFile file(Path());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        const qsizetype tab = line.indexOf('\t');
        lines << QString::fromUtf8(line.mid(tab + 1)) + u'\n';
    }
    return lines;
}

QStringList LogFolder::LinesWith(const QString& text) const
{
    return Lines().filter(text);
}

Bytes Frame(std::uint8_t code, const Bytes& payload)
{
    return JoinBytes({Bytes{0x16, 0x16, code, static_cast<std::uint8_t>(payload.size())}, payload});
}

std::shared_ptr<PbxRequestRecord> SendRequest(CPbxChannel& channel, const Bytes& frame, int timeoutMs)
{
    std::shared_ptr<PbxRequestRecord> record;
    EXPECT_EQ(channel.Send(frame.data(), frame.size(), std::make_shared<Event>(Event::Reset::Manual), &record, true,
                           timeoutMs),
              kNoError);
    return record;
}

bool RequestFinished(const std::shared_ptr<PbxRequestRecord>& record)
{
    return record && record->answerEvent->Wait(std::chrono::milliseconds(kLongMs));
}

Bytes FrameSlotBytes(const CPbxChannel& channel, int slot)
{
    const std::uint8_t* bytes = channel.GetFrameSlot(slot);
    return Bytes(bytes, bytes + channel.GetFrameLength(slot));
}

void SendWhileReopening(CPbxChannel& channel, const std::function<EngineErrorCode()>& reopen, int rounds)
{
    constexpr int kSenders = 3;
    std::atomic<bool> stop{false};
    std::mutex queuedMutex;
    std::vector<std::shared_ptr<PbxRequestRecord>> queued;
    std::vector<EngineErrorCode> unexpected;
    std::vector<std::thread> senders;
    const Bytes frame = Frame(60);
    for (int i = 0; i < kSenders; ++i) {
        senders.emplace_back([&] {
            while (!stop) {
                std::shared_ptr<PbxRequestRecord> record;
                const EngineErrorCode result = channel.Send(frame.data(), frame.size(), std::make_shared<Event>(Event::Reset::Manual),
                                                            &record, false, 0);
                std::lock_guard lock(queuedMutex);
                if (result == kNoError)
                    queued.push_back(record);
                else if (result != kResourceNotOpen && result != kSendQueueFull)
                    unexpected.push_back(result);
            }
        });
    }
    const auto sent = [&] {
        std::lock_guard lock(queuedMutex);
        return queued.size();
    };
    for (int round = 0; round < rounds; ++round) {
        // A send got through while the channel was open, however busy the machine, before it closes.
        const std::size_t before = sent();
        EXPECT_TRUE(WaitFor([&] { return sent() > before; })) << round;
        EXPECT_EQ(channel.Close(), kNoError) << round;
        EXPECT_EQ(reopen(), kNoError) << round;
    }
    EXPECT_EQ(channel.Close(), kNoError);
    stop = true;
    for (std::thread& sender : senders)
        sender.join();
    EXPECT_TRUE(unexpected.empty()) << unexpected.size() << " unexpected results, the first " << unexpected.front();
    EXPECT_FALSE(queued.empty());
    for (const auto& record : queued)
        ASSERT_TRUE(record->answerEvent->IsSignalled());
}
