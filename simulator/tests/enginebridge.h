#pragma once

#include "blockingsocket.h"
#include "enginepeer.h"

#include <atomic>
#include <cstdint>
#include <thread>

// A small engine request server for the tests: takes each request of a CEngineClient on a loopback
// port, forwards a PBX target's frame through the peer (waiting for an answer unless the code is a
// no-answer command, within its own time-out rather than the request's budget, so that silence costs
// little) and replies with the answer or the peer's status. Other targets get an empty reply.
class EngineBridge {
public:
    static constexpr int kDefaultTimeoutMs = 1500;

    explicit EngineBridge(EnginePeer& peer, int timeoutMs = kDefaultTimeoutMs);
    ~EngineBridge();

    std::uint16_t Port() const { return m_port; }
    int Requests() const { return m_requests; }

private:
    void Run();
    void Serve(CBlockingSocket& connection);

    EnginePeer& m_peer;
    const int m_timeoutMs;
    CBlockingSocket m_listener;
    std::uint16_t m_port = 0;
    std::atomic<int> m_requests{0};
    std::thread m_thread;
};
