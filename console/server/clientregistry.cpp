#include "clientregistry.h"

#include <algorithm>

ClientRegistry::ClientRegistry(Clock clock)
    : m_clock(clock ? std::move(clock) : Clock(&std::chrono::steady_clock::now))
{
    m_entries.reserve(kMaxEntries);
    m_entries.push_back({kLocalAddress, m_clock()});
}

bool ClientRegistry::AddOrRefreshClient(std::uint32_t address)
{
    const auto now = m_clock();
    std::lock_guard lock(m_mutex);
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [address](const Entry& entry) { return entry.address == address; });
    if (found != m_entries.end()) {
        found->lastPing = now;
        return true;
    }
    if (m_entries.size() == kMaxEntries)
        AgeLocked(now);
    if (m_entries.size() == kMaxEntries)
        return false;
    m_entries.push_back({address, now});
    return true;
}

void ClientRegistry::AgeClients()
{
    const auto now = m_clock();
    std::lock_guard lock(m_mutex);
    AgeLocked(now);
}

std::vector<std::uint32_t> ClientRegistry::CopyClients()
{
    const auto now = m_clock();
    std::lock_guard lock(m_mutex);
    AgeLocked(now);
    std::vector<std::uint32_t> addresses;
    addresses.reserve(m_entries.size());
    for (const Entry& entry : m_entries)
        addresses.push_back(entry.address);
    return addresses;
}

std::size_t ClientRegistry::Count() const
{
    std::lock_guard lock(m_mutex);
    return m_entries.size();
}

void ClientRegistry::AgeLocked(std::chrono::steady_clock::time_point now)
{
    m_entries.erase(std::remove_if(m_entries.begin() + 1, m_entries.end(),
                                   [now](const Entry& entry) { return now - entry.lastPing > kLifetime; }),
                    m_entries.end());
}
