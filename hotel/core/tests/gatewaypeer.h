#pragma once

#include "blockingsocket.h"
#include "gatewaylink.h"

#include <QByteArray>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace lodgix {

// A gateway device on 127.0.0.1 for tests: reads each request datagram and sends back what the script
// says (nothing: silence). Its ports are free ones, given to the gateway by Link().
class GatewayPeer {
public:
    using Script = std::function<std::optional<QByteArray>(const QByteArray& request, int index)>;

    explicit GatewayPeer(Script script);
    ~GatewayPeer();

    GatewayLink Link(int replySeconds = 5) const;
    std::vector<QByteArray> Requests() const;
    // The requests once `count` have come (or after 10 s, with fewer): the gateway may give up before
    // the peer has read its last request.
    std::vector<QByteArray> WaitForRequests(std::size_t count) const;

    // A reply to a request: payload length 18 unless told, the sum of the payload, the status, the
    // request's operation and code field, the result.
    static QByteArray Reply(const QByteArray& request, std::uint8_t result = 0, std::uint8_t status = 0);

private:
    void Run();

    Script m_script;
    CBlockingSocket m_socket;
    std::uint16_t m_port = 0;
    std::uint16_t m_replyPort = 0;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_arrived;
    std::vector<QByteArray> m_requests;
    std::thread m_thread;
};

}  // namespace lodgix
