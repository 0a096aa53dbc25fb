#pragma once

#include "blockingsocketexception.h"

#include <netinet/in.h>
#include <sys/socket.h>

#include <cstddef>
#include <mutex>

// One IPv4 socket for blocking TCP and UDP use with time-outs in whole seconds. Every failure throws a
// CBlockingSocketException naming the operation. No operation loops on its own except SendFull and
// ReceiveFull, which read or write a whole length within one time budget.
//
// One object belongs to one thread, with one exception: Interrupt() may be called from any thread and
// ends every wait of the socket (accept, receive, send) at once, also later ones, until the socket is
// closed. A thread blocked in Accept then gets false, one blocked elsewhere an exception with EINTR
// (IsInterrupted()). Stopping a server thread is: Interrupt(), join the thread, Close().
class CBlockingSocket {
public:
    static constexpr int kStream = SOCK_STREAM;      // 1
    static constexpr int kDatagram = SOCK_DGRAM;     // 2
    // Connections waiting for Accept: the system's most (the kernel caps the figure at net.core.somaxconn),
    // so that a burst of clients is queued rather than dropped and retried a second later.
    static constexpr int kListenBacklog = SOMAXCONN;
    static constexpr int kNoTimeout = -1;            // seconds: wait as long as it takes

    CBlockingSocket() = default;
    virtual ~CBlockingSocket();
    CBlockingSocket(const CBlockingSocket&) = delete;
    CBlockingSocket& operator=(const CBlockingSocket&) = delete;

    void Create(int type = kStream);                   // "Create"
    // Stream sockets may bind a port whose last connections still linger, as a restarted server must.
    void Bind(const sockaddr_in& address);             // "Bind"
    void Listen();                                     // "Listen"
    // Waits for a connection and hands it to `connected` (closed first when open). False, without an
    // exception, when the wait was interrupted.
    bool Accept(CBlockingSocket& connected, sockaddr_in* peer = nullptr);  // "Accept"
    void Close();                                      // "Close"; nothing when no socket is open
    void CloseSilently() noexcept;                     // never throws (for catch blocks)
    void Connect(const sockaddr_in& address);          // "Connect"

    // Waits until writable, then one send: the bytes sent ("Send timeout" / "Send").
    std::size_t Send(const void* data, std::size_t length, int seconds);
    // Sends all the bytes within `seconds` in all ("Send timeout" / "Send").
    void SendFull(const void* data, std::size_t length, int seconds);
    // Waits until readable, then one recv: the bytes received, 0 when the peer has closed
    // ("Receive timeout" / "Receive").
    std::size_t Receive(void* buffer, std::size_t size, int seconds);
    // Receives until `size` bytes have come, the peer closes or `seconds` have passed in all; the bytes
    // received. Silence (nothing at all within the time) throws "Receive timeout" as Receive does; a
    // reply cut short returns the shorter count.
    std::size_t ReceiveFull(void* buffer, std::size_t size, int seconds);
    // One datagram, waiting as long as it takes ("ReceiveDatagram"). A datagram longer than the buffer
    // fills it and sets *truncated (when given); the rest of it is lost.
    std::size_t ReceiveDatagram(void* buffer, std::size_t size, sockaddr_in* from = nullptr, bool* truncated = nullptr);
    // The same within `seconds` (kNoTimeout: as long as it takes); silence throws "Receive timeout" as
    // Receive does, so a peer that never answers costs the budget and no more.
    std::size_t ReceiveDatagram(void* buffer, std::size_t size, int seconds, sockaddr_in* from = nullptr,
                                bool* truncated = nullptr);
    // Waits until writable, then one sendto ("Send timeout" / "SendDatagram").
    std::size_t SendDatagram(const void* data, std::size_t length, const sockaddr_in& to, int seconds);

    void EnableBroadcast();                            // "SetSockOpt"
    sockaddr_in GetSockAddr() const;                   // the local address ("GetSockName")
    sockaddr_in GetPeerAddr() const;                   // "GetPeerName"
    bool IsOpen() const { return m_handle >= 0; }
    int Handle() const { return m_handle; }

    // Thread-safe; see the class comment.
    void Interrupt();

private:
    void Open(int handle, const char* operation);
    // Waits for `events` on the socket for at most timeoutMs (negative: no limit); false on time-out.
    // Throws `operation` with EINTR when interrupted, or with errno when poll fails.
    bool WaitFor(short events, int timeoutMs, const char* operation) const;
    std::size_t SendOnce(const void* data, std::size_t length, const char* operation) const;

    int m_handle = -1;
    mutable std::mutex m_wakeMutex;  // guards m_wakeFd against Close and Interrupt from another thread
    int m_wakeFd = -1;               // eventfd that Interrupt makes readable
};
