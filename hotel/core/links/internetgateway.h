#pragma once

#include "gatewaylink.h"
#include "gatewaypacket.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <cstdint>
#include <mutex>

class CBlockingSocket;

namespace lodgix {

// The hotel's link to the internet-access gateway: creates a guest user with a fresh access code and
// deletes it again. Each try is one request datagram and one reply on a socket of its own; nothing is
// kept from one call to the next. A call may block for up to five tries of the send and reply times, so
// a window runs it on a worker and may Cancel it from its own thread.
class CInternetGateway {
public:
    static constexpr int kTries = 5;

    explicit CInternetGateway(GatewayLink link = GatewayLink::FromRegistry());

    // Up to five tries, each with a new code in `code`: true at the first the gateway accepts; otherwise
    // false, `code` holding the last code made.
    bool CreateUser(QString& code, const QString& name, const QString& birth, const QString& document, int minutes);
    // Up to five tries with the same code: 1 when the gateway removed the user, else 0.
    std::uint8_t DeleteUser(const QString& code);

    // One request and the check of its reply. Nothing is sent for a code that is not 12 characters or a
    // text of 64 bytes or more.
    bool SendAddUser(const QString& code, const QString& name, const QString& birth, const QString& document,
                     int minutes);
    bool SendDeleteUser(const QString& code);
    // Sends the request and receives one whole reply (at most 512 bytes) into `reply`; false for any
    // socket failure, silence or a reply that is not whole.
    bool Transact(const QByteArray& request, QByteArray& reply);

    // Twelve upper-case hexadecimal digits of six bytes from the system's random source, scrambled.
    static void MakeAccessCode(QString& code);

    // Thread-safe: ends the try under way at once and every later one of this object.
    void Cancel();
    bool IsCancelled() const { return m_cancelled; }

private:
    GatewayLink m_link;
    std::atomic<bool> m_cancelled{false};
    std::mutex m_socketMutex;               // guards m_socket against Cancel from another thread
    CBlockingSocket* m_socket = nullptr;    // the socket of the try under way
};

}  // namespace lodgix
