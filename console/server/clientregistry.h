#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

// The workstations that receive the engine's event datagrams: each registers by pinging the request
// server and stays for 180 seconds after its last ping. Entry 0 is this computer (127.0.0.1) from the
// start, is never aged and is what a ping from 127.0.0.1 refreshes, so that the operator console beside
// the engine always hears the events, and hears each once. At most 128 entries; further addresses are
// refused. Safe from any thread.
class ClientRegistry {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr std::size_t kMaxEntries = 128;
    static constexpr std::uint32_t kLocalAddress = 0x7F000001;  // host order
    static constexpr std::chrono::seconds kLifetime{180};

    // The clock gives the ping times and ages them (the steady clock unless told otherwise).
    explicit ClientRegistry(Clock clock = {});

    // Notes a ping from the address (host order): refreshes its entry, or appends one. A full table is
    // aged first; when that frees nothing the address is refused: false.
    bool AddOrRefreshClient(std::uint32_t address);
    // Drops the entries whose last ping is more than 180 seconds old (entry 0 stays).
    void AgeClients();
    // Ages the table, then the addresses in it, entry 0 first.
    std::vector<std::uint32_t> CopyClients();
    std::size_t Count() const;

private:
    struct Entry {
        std::uint32_t address;
        std::chrono::steady_clock::time_point lastPing;
    };

    void AgeLocked(std::chrono::steady_clock::time_point now);

    const Clock m_clock;
    mutable std::mutex m_mutex;
    std::vector<Entry> m_entries;
};
