#include "eventsender.h"

#include "blockingsocket.h"
#include "clientregistry.h"
#include "socketaddress.h"

#include <algorithm>
#include <vector>

namespace {

int Next(int index)
{
    return (index + 1) % CEventSender::kSlotCount;
}

}  // namespace

CEventSender::CEventSender(ClientRegistry* clients, std::uint16_t port) : m_clients(clients), m_port(port) {}

CEventSender::~CEventSender()
{
    Stop();
}

void CEventSender::Start()
{
    std::lock_guard lock(m_mutex);
    if (m_thread.joinable())
        return;
    m_stopping = false;
    m_thread = std::thread(&CEventSender::Run, this);
}

void CEventSender::Stop()
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_thread.joinable())
            return;
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
    std::lock_guard lock(m_mutex);
    m_thread = std::thread();
}

EngineErrorCode CEventSender::QueueToLocalhost(std::span<const std::uint8_t> data)
{
    if (data.size() > kMaxDatagramSize)
        return kDatagramTooLong;
    bool queued = false;
    {
        std::lock_guard lock(m_mutex);
        queued = QueueLocked(data, kLocalAddress);
    }
    m_changed.notify_all();
    return queued ? kNoError : kDatagramNotSent;
}

EngineErrorCode CEventSender::QueueToClients(std::uint8_t pbx, std::span<const std::uint8_t> frame)
{
    const auto datagram = BuildPbxEventDatagram(pbx, frame);
    if (!datagram)
        return kDatagramTooLong;
    if (!m_clients)
        return kNoError;
    // The registry's lock is let go before the queue's is taken: the two are never held together.
    const std::vector<std::uint32_t> addresses = m_clients->CopyClients();
    bool all = true;
    {
        std::lock_guard lock(m_mutex);
        for (const std::uint32_t address : addresses)
            all = QueueLocked(datagram->Bytes(), address) && all;
    }
    m_changed.notify_all();
    return all ? kNoError : kDatagramNotSent;
}

bool CEventSender::QueueLocked(std::span<const std::uint8_t> data, std::uint32_t address)
{
    if (Next(m_write) == m_read)
        return false;  // 255 wait: the newest is the one dropped
    Slot& slot = m_slots[static_cast<std::size_t>(m_write)];
    std::copy(data.begin(), data.end(), slot.bytes.begin());
    slot.length = static_cast<std::uint8_t>(data.size());
    slot.address = address;
    m_write = Next(m_write);
    return true;
}

void CEventSender::Run()
{
    CBlockingSocket socket;
    for (;;) {
        Slot slot;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stopping || m_read != m_write; });
            if (m_stopping)
                return;
            slot = m_slots[static_cast<std::size_t>(m_read)];
            m_read = Next(m_read);
        }
        if (SendOn(socket, {slot.bytes.data(), slot.length}, slot.address) != kNoError)
            socket.CloseSilently();  // a fresh one for the next datagram
    }
}

EngineErrorCode CEventSender::SendDatagram(std::span<const std::uint8_t> data, std::uint32_t address) const
{
    CBlockingSocket socket;
    return SendOn(socket, data, address);
}

EngineErrorCode CEventSender::SendOn(CBlockingSocket& socket, std::span<const std::uint8_t> data,
                                     std::uint32_t address) const
{
    if (data.size() > kMaxDatagramSize)
        return kDatagramTooLong;
    try {
        if (!socket.IsOpen())
            socket.Create(CBlockingSocket::kDatagram);
        const std::size_t sent =
            socket.SendDatagram(data.data(), data.size(), MakeSocketAddress(address, m_port), kSendSeconds);
        return sent == data.size() ? kNoError : kDatagramNotSent;
    } catch (const CBlockingSocketException&) {
        return kDatagramNotSent;
    }
}
