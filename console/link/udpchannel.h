#pragma once

#include "blockingsocket.h"
#include "pbxchannelbase.h"
#include "pbxlanenvelope.h"

#include <netinet/in.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// Where the LAN channel listens and whom it reaches before a PBX has announced itself.
struct LanChannelSettings {
    std::uint16_t localPort = kEngineLanPort;   // 0: any free port (LocalPort() tells which)
    std::uint16_t pbxPort = kPbxLanPort;
    std::string broadcastAddress{kLanBroadcastAddress};
};

// The LAN channel: PBX frames in 0xB0 envelopes over UDP. It listens on its local port for datagrams; the
// PBX's announcement (0xA0) gives the PBX's address, to which every later request goes, and from then on
// only datagrams from that address are taken. Before an initialization request the channel queues its
// own announcement (its port and address), which the PBX answers with its announcement. Each request is
// sent from a fresh socket, as the PBX answers to the announced port.
class CUdpChannel final : public CPbxChannelBase {
public:
    static constexpr int kAnnouncementTimeoutMs = 1000;
    static constexpr int kSendTimeoutSeconds = 1;

    explicit CUdpChannel(LanChannelSettings settings = {}, CTrafficLog* log = nullptr);
    ~CUdpChannel() override;

    // Binds the local port and begins the receive thread: 1 when already open or the thread cannot begin,
    // 2 when the port cannot be bound. The remote address becomes the broadcast address and PBX port.
    EngineErrorCode Open(const QString& resourceName, MessageTarget* target, std::uint32_t message,
                         std::int64_t tag, std::size_t inQueue, std::size_t outQueue) override;
    EngineErrorCode Close() override;
    EngineErrorCode Setup(int baudRate, int dataBits, int parity, int stopBits) override;  // nothing: 0
    bool IsOpen() const override { return m_bound; }
    EngineErrorCode Send(const std::uint8_t* frame, std::size_t length, std::shared_ptr<Event> answerEvent,
                         std::shared_ptr<PbxRequestRecord>* record, bool answerExpected, int timeoutMs) override;
    // Text that is no dotted address (inet_addr's 255.255.255.255) means the broadcast address of the
    // settings. The PBX is sought anew: datagrams from any address are taken until it announces itself.
    std::uint32_t SetRemoteAddress(const std::string& host, std::uint16_t port) override;
    int Kind() const override { return kLanKind; }

    // The address text of the last announcement; empty before one.
    std::string PbxAddressText() const;
    std::uint16_t LocalPort() const { return m_localPort; }

private:
    EngineErrorCode WriteFrame(std::span<const std::uint8_t> bytes) override;
    // A datagram leaves at once (or fails within a second): a caller may write its own request.
    bool WritesFromAnyThread() const override { return true; }
    EngineErrorCode QueueAnnouncement();
    // The address by which the remote reaches this computer.
    std::optional<std::string> LocalAddressText() const;
    void Receive();
    void OnDatagram(std::span<const std::uint8_t> datagram, const sockaddr_in& from);
    bool AcceptsSender(const sockaddr_in& from) const;
    // The address of the host text; text that is no address (or the broadcast text) is the broadcast
    // address of the settings.
    sockaddr_in RemoteAddress(const std::string& host, std::uint16_t port) const;
    void AdoptPbx(const std::string& address, const sockaddr_in& from);
    EngineErrorCode FailOpen(const QString& resourceName, EngineErrorCode code);
    void Shut();

    const LanChannelSettings m_settings;
    CBlockingSocket m_socket;  // the receive thread's; other threads only Interrupt it
    CBlockingSocket m_sendSocket;  // the send thread's: made once at Open rather than for every frame
    std::atomic<bool> m_bound{false};
    std::atomic<std::uint16_t> m_localPort{0};
    std::thread m_receiveThread;

    mutable std::mutex m_addressMutex;  // the three below
    std::optional<sockaddr_in> m_remote;
    std::optional<std::uint32_t> m_pbxSource;  // host order; set by the PBX's announcement
    std::string m_pbxAddressText;
};
