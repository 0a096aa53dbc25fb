#pragma once

#include "blockingsocket.h"

#include <netinet/in.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <vector>

class MessageTarget;

// Receives the engine's event datagrams on one UDP port in a worker thread, keeps the last 30 accepted ones
// in a ring and posts (message, slot, 0) to a window for each. A datagram is accepted when it holds a PBX
// index and one complete frame (see IsEventDatagram); in local-only mode (the TAPI driver's datagrams)
// every datagram is. With a forward port every datagram received, accepted or not, is also sent on to
// 127.0.0.1 at that port: a client workstation hears the server on 13444 and relays to its operator console
// on 13445.
//
// The window reads a slot with CopySlot, which copies it under the ring's lock, so a slot being refilled is
// never read half-written. Empty datagrams are ignored: they neither end the listener nor reach the window.
// A datagram longer than a slot (128 bytes) is dropped whole, in every mode: no part of it is kept or relayed.
class CUdpEventListener {
public:
    static constexpr int kSlotCount = 30;
    static constexpr std::size_t kSlotSize = 128;
    static constexpr int kForwardSeconds = 1;
    static constexpr std::uint16_t kEventPort = 13444;  // where the engine sends
    static constexpr std::uint16_t kRelayPort = 13445;  // where a client workstation relays to

    // A forward port of 0 relays nothing. The target may be null (nothing is posted) and is set later.
    CUdpEventListener(MessageTarget* target, std::uint32_t message, bool localOnly, std::uint16_t forwardPort = 0);
    ~CUdpEventListener();  // Stop
    CUdpEventListener(const CUdpEventListener&) = delete;
    CUdpEventListener& operator=(const CUdpEventListener&) = delete;

    // Binds the port on 127.0.0.1 when local-only, else on every local address (0: any free port, see
    // LocalPort) and starts the worker; false when already running or the port cannot be bound.
    bool Start(std::uint16_t port);
    // The same on exactly this address (several workstations standing in on one computer's loopback).
    bool StartOn(const sockaddr_in& address);
    // Wakes and joins the worker, then closes the socket; nothing when not running.
    void Stop();
    bool IsRunning() const { return m_running; }
    std::uint16_t LocalPort() const { return m_localPort; }

    // After it returns, nothing more is posted to the previous target.
    void SetTarget(MessageTarget* target);
    // The bytes of a slot as they stand; empty outside the ring or before the slot was filled.
    std::vector<std::uint8_t> CopySlot(int slot) const;

    // A PbxEventDatagram with one complete frame: at least 6 bytes, bytes 1 and 2 are 0x16 and the length
    // is byte 4 (the payload length of the frame) + 5.
    static bool IsEventDatagram(std::span<const std::uint8_t> datagram);

private:
    void Run();
    void Forward(std::span<const std::uint8_t> datagram);
    // Fills the current slot and posts it, then moves on; without a target the slot is kept for the next.
    void Deliver(std::span<const std::uint8_t> datagram);

    const std::uint32_t m_message;
    const bool m_localOnly;
    const std::optional<sockaddr_in> m_forwardAddress;

    CBlockingSocket m_socket;         // the worker's; Stop only interrupts it before the join
    CBlockingSocket m_forwardSocket;  // the worker's
    std::thread m_worker;
    std::atomic<bool> m_running{false};
    std::atomic<std::uint16_t> m_localPort{0};

    std::mutex m_targetMutex;  // held while posting, so that SetTarget waits for a post in progress
    MessageTarget* m_target;

    mutable std::mutex m_ringMutex;  // the slots and their lengths
    std::array<std::array<std::uint8_t, kSlotSize>, kSlotCount> m_slots{};
    std::array<std::uint8_t, kSlotCount> m_lengths{};
    int m_current = 0;  // the worker's
};
