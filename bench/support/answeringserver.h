#pragma once

#include "blockingsocket.h"

#include <array>
#include <cstdint>
#include <thread>

// The far end of a bare TCP round trip: a loopback request server that reads each request whole (engine
// request header and body) and answers at once with a reply header and an acknowledgement, one request per
// connection as the engine client makes them. Benchmarks measure their client beside BareTcpRoundTrip to
// this server, in the same run.
class AnsweringServer {
public:
    // A clock-set request and the acknowledgement the server answers with.
    static constexpr std::array<std::uint8_t, 10> kFrame = {0x16, 0x16, 38, 6, 31, 12, 26, 23, 59, 58};
    static constexpr std::array<std::uint8_t, 7> kAnswer = {0x16, 0x16, 32, 3, 38, 0, 0};

    AnsweringServer();
    ~AnsweringServer();
    AnsweringServer(const AnsweringServer&) = delete;
    AnsweringServer& operator=(const AnsweringServer&) = delete;

    std::uint16_t Port() const { return m_port; }

private:
    void Run();

    CBlockingSocket m_listener;
    std::uint16_t m_port = 0;
    std::thread m_thread;
};

// One connect-send-receive-close of kFrame to the server with plain socket calls; false when it failed.
bool BareTcpRoundTrip(std::uint16_t port);
