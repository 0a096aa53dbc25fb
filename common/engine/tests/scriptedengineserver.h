#pragma once

#include "blockingsocket.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A request as the scripted server read it.
struct ReceivedRequest {
    std::uint8_t target = 0;
    std::uint8_t length = 0;
    std::uint8_t budget = 0;
    std::vector<std::uint8_t> body;
};

// What the scripted server does with one connection.
struct ScriptedReply {
    enum class Kind { Send, Silent };
    Kind kind = Kind::Send;
    // Sent one after another with a short gap, so that they travel as separate TCP segments; then the
    // connection is closed. No pieces: closed at once.
    std::vector<std::vector<std::uint8_t>> pieces;

    // The reply header [data length, the request's budget, status] and the data in one piece.
    static ScriptedReply Answer(const ReceivedRequest& request, std::vector<std::uint8_t> data,
                                std::uint8_t status = 0);
    static ScriptedReply Raw(std::vector<std::vector<std::uint8_t>> pieces) { return {Kind::Send, std::move(pieces)}; }
    static ScriptedReply Close() { return {Kind::Send, {}}; }
    // Keeps the connection open without a word until the client gives up.
    static ScriptedReply Silence() { return {Kind::Silent, {}}; }
};

// An engine request server for tests on an ephemeral loopback port: reads each request and answers it as
// the script says, one connection at a time.
class ScriptedEngineServer {
public:
    using Script = std::function<ScriptedReply(const ReceivedRequest&)>;

    explicit ScriptedEngineServer(Script script);
    ~ScriptedEngineServer();

    std::uint16_t Port() const { return m_port; }
    std::vector<ReceivedRequest> Requests() const;

private:
    void Run();
    void Serve(CBlockingSocket& connection);

    Script m_script;
    CBlockingSocket m_listener;
    std::uint16_t m_port = 0;
    mutable std::mutex m_mutex;
    std::vector<ReceivedRequest> m_requests;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};
