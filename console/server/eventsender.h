#pragma once

#include "engineerrorcode.h"
#include "pbxeventdatagram.h"

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <thread>

class CBlockingSocket;
class ClientRegistry;

// Sends datagrams by UDP from a queue of 256 slots served by its own thread. The engine has two: one on
// 13444 that spreads PBX events to every workstation of the request server's client registry, each as a
// PbxEventDatagram, and one on 2446 that gives the TAPI driver its text lines on 127.0.0.1. Producers (the
// view, the request server's connections) only queue, so a slow or absent receiver never holds them up.
//
// The queue holds at most 255 waiting datagrams; when it is full the newest is dropped, never one that
// waits. A datagram that cannot be sent is dropped too: the events are best effort.
class CEventSender {
public:
    static constexpr int kSlotCount = 256;
    static constexpr int kMaxWaiting = kSlotCount - 1;
    static constexpr std::size_t kMaxDatagramSize = PbxEventDatagram::kMaxSize;
    static constexpr int kSendSeconds = 1;
    static constexpr std::uint16_t kEventPort = 13444;
    static constexpr std::uint16_t kTapiPort = 2446;
    static constexpr std::uint32_t kLocalAddress = 0x7F000001;  // host order

    // `clients` (may be null: then QueueToClients queues nothing) must outlive the sender. Every datagram
    // goes to `port` of its address.
    CEventSender(ClientRegistry* clients, std::uint16_t port);
    ~CEventSender();  // Stop
    CEventSender(const CEventSender&) = delete;
    CEventSender& operator=(const CEventSender&) = delete;

    // Begins the sending thread; later calls do nothing.
    void Start();
    // Ends and joins the sending thread; what is still queued is not sent.
    void Stop();

    // Queues the bytes for 127.0.0.1: 0, 59 when they exceed 128 bytes, 58 when the queue is full.
    EngineErrorCode QueueToLocalhost(std::span<const std::uint8_t> data);
    // Queues the datagram [pbx] + frame once for every address of the registry (ageing it first): 0, 59
    // when the datagram would exceed 128 bytes (nothing queued), 58 when the queue was full for some.
    EngineErrorCode QueueToClients(std::uint8_t pbx, std::span<const std::uint8_t> frame);
    // Sends the bytes at once from a fresh socket to the address (host order) at the port: 0 when all
    // went, 59 when they exceed 128 bytes, 58 when fewer went or the socket failed.
    EngineErrorCode SendDatagram(std::span<const std::uint8_t> data, std::uint32_t address) const;

    std::uint16_t Port() const { return m_port; }

private:
    struct Slot {
        std::array<std::uint8_t, kMaxDatagramSize> bytes;
        std::uint8_t length;
        std::uint32_t address;
    };

    // Under the lock: one slot, or false when the queue is full.
    bool QueueLocked(std::span<const std::uint8_t> data, std::uint32_t address);
    void Run();
    EngineErrorCode SendOn(CBlockingSocket& socket, std::span<const std::uint8_t> data, std::uint32_t address) const;

    ClientRegistry* const m_clients;
    const std::uint16_t m_port;

    std::mutex m_mutex;  // the queue, the indexes, the stop flag
    std::condition_variable m_changed;
    std::array<Slot, kSlotCount> m_slots{};
    int m_write = 0;
    int m_read = 0;
    bool m_stopping = false;
    std::thread m_thread;
};
