// An event datagram as a client workstation receives it: sent by UDP to a real event listener (event
// mode, relaying to a forward port) and to one in local-only mode, then handled from its slot by the
// console's datagram handler over a bound PBX of 8 extensions, 4 lines and 2 entry phones.
//   - A datagram of 1 to 128 bytes is relayed whole; a longer one (cut to its slot) and an empty one never.
//   - The event listener keeps one in a slot exactly when it is a PBX index and one whole frame that fits;
//     the local-only listener keeps every datagram it relays. A kept slot holds the datagram's bytes.
//   - Handling any datagram, from a slot or straight, keeps every copy of the bound PBX at its size and
//     its texts within their 50 characters.
// After each input a marker datagram follows, so that the target knows when the listeners are done.
#include "boundpbxrecords.h"
#include "boundpbxupdates.h"
#include "blockingsocket.h"
#include "clientdatagramhandler.h"
#include "messagetarget.h"
#include "pbxrecord.h"
#include "socketaddress.h"
#include "udpeventlistener.h"

#include <poll.h>

#include <array>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kLoopback = 0x7F000001;
constexpr std::uint32_t kDatagramMessage = WM_USER + 100;
constexpr int kWaitMs = 5000;
constexpr int kBoundPbx = 1;
constexpr int kBoundExtension = 5;
constexpr std::uint8_t kMarkerPbx = 254;  // not the bound PBX: the handler leaves a marker alone
constexpr int kExtensions = 8;
constexpr int kLines = 4;
constexpr int kEntryPhones = 2;
// Every longer datagram takes the same path as one of 129 bytes: cut to the slot, so dropped.
constexpr std::size_t kLongestInput = 1024;

// What a listener posted: the slot and its bytes at the time.
class Slots : public MessageTarget {
public:
    // The listener whose slots are copied; set before it starts.
    void Watch(const CUdpEventListener& listener) { m_listener = &listener; }

    void Post(std::uint32_t, std::uint64_t slot, std::int64_t) override
    {
        Bytes bytes = m_listener->CopySlot(static_cast<int>(slot));
        std::lock_guard lock(m_mutex);
        m_posts.push_back({static_cast<int>(slot), std::move(bytes)});
        m_changed.notify_all();
    }

    struct Posted {
        int slot;
        Bytes bytes;
    };
    // Every post up to and with the marker; aborts when the marker does not come.
    std::vector<Posted> TakeThrough(const Bytes& marker)
    {
        std::unique_lock lock(m_mutex);
        const auto has = [&] {
            for (const Posted& post : m_posts)
                if (post.bytes == marker)
                    return true;
            return false;
        };
        if (!m_changed.wait_for(lock, std::chrono::milliseconds(kWaitMs), has))
            std::abort();
        std::vector<Posted> taken;
        do {
            taken.push_back(std::move(m_posts.front()));
            m_posts.erase(m_posts.begin());
        } while (taken.back().bytes != marker);
        return taken;
    }

private:
    const CUdpEventListener* m_listener = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Posted> m_posts;
};

class NoWindow : public MessageTarget {
public:
    void Post(std::uint32_t, std::uint64_t, std::int64_t) override {}
};

Bytes ReceiveOrAbort(CBlockingSocket& socket)
{
    pollfd waiting{socket.Handle(), POLLIN, 0};
    if (::poll(&waiting, 1, kWaitMs) != 1)
        std::abort();
    std::array<std::uint8_t, CUdpEventListener::kSlotSize + 1> buffer{};
    const std::size_t length = socket.ReceiveDatagram(buffer.data(), buffer.size());
    return Bytes(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(std::min(length, buffer.size())));
}

void FillCopies(BoundPbxRecords& records)
{
    records.Clear();
    QByteArray initialization(PbxRecord::kInitializationSize, '\0');
    initialization[1] = kExtensions;
    initialization[PbxRecord::kExtensionCount] = kExtensions;
    initialization[PbxRecord::kLineCount] = kLines;
    initialization[PbxRecord::kEntryPhoneCount] = kEntryPhones;
    records.SetInitialization(initialization);
    for (char i = 0; i < kExtensions; ++i)
        records.AddExtensionStatus(QByteArray::fromHex("0100020000").replace(1, 1, QByteArray(1, i)));
    for (char i = 0; i < kLines; ++i)
        records.AddLineStatus(QByteArray::fromHex("02000200").replace(1, 1, QByteArray(1, i)));
    for (char i = 0; i < kEntryPhones; ++i)
        records.AddEntryPhoneStatus(QByteArray::fromHex("03000200").replace(1, 1, QByteArray(1, i)));
}

bool CopiesKeepTheirShape(BoundPbxRecords& records)
{
    const auto sized = [](const std::vector<QByteArray>& copies, std::size_t count, qsizetype size) {
        if (copies.size() != count)
            return false;
        for (const QByteArray& copy : copies)
            if (copy.size() != size)
                return false;
        return true;
    };
    if (!sized(records.ExtensionStatus(), kExtensions, PbxRecord::kExtensionStatusSize) ||
        !sized(records.LineStatus(), kLines, PbxRecord::kLineStatusSize) ||
        !sized(records.EntryPhoneStatus(), kEntryPhones, PbxRecord::kEntryPhoneStatusSize))
        return false;
    for (int extension = 0; extension < kExtensions; ++extension)
        if (BoundPbxUpdates::Digits(records, extension).size() > BoundPbxUpdates::kTextMaxLength)
            return false;
    for (int line = 0; line < kLines; ++line)
        if (BoundPbxUpdates::LineCallerId(records, line).size() > BoundPbxUpdates::kTextMaxLength)
            return false;
    return true;
}

struct Client {
    Client()
    {
        relayed.Create(CBlockingSocket::kDatagram);
        relayed.Bind(MakeSocketAddress(kLoopback, 0));
        sender.Create(CBlockingSocket::kDatagram);
        events = std::make_unique<CUdpEventListener>(&eventSlots, kDatagramMessage, false, PortOf(relayed.GetSockAddr()));
        eventSlots.Watch(*events);
        tapiSlots.Watch(tapi);
        if (!events->StartOn(MakeSocketAddress(kLoopback, 0)) || !tapi.StartOn(MakeSocketAddress(kLoopback, 0)))
            std::abort();

        ClientDatagramHandler::Services services;
        services.listener = [this] { return events.get(); };
        services.boundRecords = &records;
        services.boundPbx = [] { return kBoundPbx; };
        services.boundExtension = [] { return kBoundExtension; };
        services.showServerStopped = [] {};
        services.notifications.onPbxEvent = [](std::uint64_t, std::int64_t) {};
        services.notifications.mainFrame = &window;
        services.notifications.iconShown = [] { return true; };
        handler = std::make_unique<ClientDatagramHandler>(std::move(services));
    }

    void Send(const Bytes& datagram, const CUdpEventListener& listener)
    {
        sender.SendDatagram(datagram.data(), datagram.size(), MakeSocketAddress(kLoopback, listener.LocalPort()), 1);
    }

    CBlockingSocket relayed;  // the forward port of the event listener
    CBlockingSocket sender;
    Slots eventSlots;
    Slots tapiSlots;
    std::unique_ptr<CUdpEventListener> events;  // relays to `relayed`, so made once that is bound
    CUdpEventListener tapi{&tapiSlots, kDatagramMessage, true};
    BoundPbxRecords records;
    NoWindow window;
    std::unique_ptr<ClientDatagramHandler> handler;
    std::uint32_t sequence = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > kLongestInput)
        return 0;
    static Client client;
    const Bytes input(data, data + size);
    const std::uint32_t n = ++client.sequence;
    const Bytes marker{kMarkerPbx, 0x16, 0x16, 0, 4, std::uint8_t(n >> 24), std::uint8_t(n >> 16), std::uint8_t(n >> 8),
                       std::uint8_t(n)};

    const bool fits = !input.empty() && input.size() <= CUdpEventListener::kSlotSize;
    const bool isEvent = fits && CUdpEventListener::IsEventDatagram(input);
    for (const CUdpEventListener* listener : {client.events.get(), &client.tapi}) {
        client.Send(input, *listener);
        client.Send(marker, *listener);
    }

    // The relay: the input when it fits, then the marker.
    if (fits && ReceiveOrAbort(client.relayed) != input)
        std::abort();
    if (ReceiveOrAbort(client.relayed) != marker)
        std::abort();

    FillCopies(client.records);
    const auto eventPosts = client.eventSlots.TakeThrough(marker);
    if (eventPosts.size() != (isEvent ? 2u : 1u) || (isEvent && eventPosts.front().bytes != input))
        std::abort();
    for (const auto& post : eventPosts)
        client.handler->OnClientDatagram(static_cast<std::uint64_t>(post.slot), 0);
    const auto tapiPosts = client.tapiSlots.TakeThrough(marker);
    if (tapiPosts.size() != (fits ? 2u : 1u) || (fits && tapiPosts.front().bytes != input))
        std::abort();

    // Whatever the listener would let through or not, the handler copes with the bytes.
    client.handler->HandleDatagram(input);
    if (!CopiesKeepTheirShape(client.records))
        std::abort();
    return 0;
}
