#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>

// The TAPI driver's side of the console's modem dialogue: a UDP socket on 127.0.0.1 that receives the
// console's texts on its own port and sends commands to the console's listener.
class TapiDriverPeer {
public:
    // Bound to 127.0.0.1 at the port (0: any free one).
    explicit TapiDriverPeer(std::uint16_t port = 0);
    ~TapiDriverPeer();
    TapiDriverPeer(const TapiDriverPeer&) = delete;
    TapiDriverPeer& operator=(const TapiDriverPeer&) = delete;

    bool IsValid() const { return m_socket >= 0; }
    std::uint16_t Port() const { return m_port; }
    bool SendTo(std::uint16_t port, const QByteArray& text) const;
    // The datagrams received up to `marker` (not returned); what came before when it does not come
    // within the wait (`arrived`, when given, tells which).
    QList<QByteArray> ReceiveUntil(const QByteArray& marker, int seconds = 10, bool* arrived = nullptr) const;

private:
    int m_socket = -1;
    std::uint16_t m_port = 0;
};
