#pragma once

#include "pbxchannel.h"
#include "udpchannel.h"

#include <QString>

#include <memory>
#include <string>

class CTrafficLog;

// What a link gives the channel it creates: the LAN channel's ports and the traffic log (null: the
// engine's).
struct PbxLinkSettings {
    LanChannelSettings lan;
    CTrafficLog* log = nullptr;
};

// The link to one installed PBX. Its resource name decides the channel: "\\.\COM" + n a serial channel,
// "ETH..." (the engine uses "ETH0") the LAN channel. Every operation goes to the channel; without one,
// Close, Setup and Send give 5 and the others nothing.
class CPbxLink {
public:
    static constexpr int kMaxResourceNameLength = 64;

    explicit CPbxLink(PbxLinkSettings settings = {});
    ~CPbxLink();  // closes and destroys the channel
    CPbxLink(const CPbxLink&) = delete;
    CPbxLink& operator=(const CPbxLink&) = delete;

    // Creates the channel the name calls for (replacing one made before) and opens it; 2 for a name that
    // calls for none or is longer than 64 characters.
    EngineErrorCode Open(const QString& resourceName, MessageTarget* target, std::uint32_t message,
                         std::int64_t tag, std::size_t inQueue, std::size_t outQueue);
    EngineErrorCode Close();
    EngineErrorCode Setup(int baudRate, int dataBits, int parity, int stopBits);
    bool IsOpen() const;
    const std::uint8_t* GetFrameSlot(int slot) const;
    std::size_t GetFrameLength(int slot) const;
    EngineErrorCode Send(const std::uint8_t* frame, std::size_t length, std::shared_ptr<Event> answerEvent,
                         std::shared_ptr<PbxRequestRecord>* record, bool answerExpected, int timeoutMs);
    void SetNotifyTarget(MessageTarget* target);
    std::uint32_t SetRemoteAddress(const std::string& host, std::uint16_t port);

    bool IsLanChannel() const;
    // The channel's far end hung up (see CPbxChannel::IsHungUp).
    bool IsHungUp() const { return m_channel && m_channel->IsHungUp(); }
    // The channel saw its peer gone since the last call (see CPbxChannel::TakePeerLost).
    bool TakePeerLost() { return m_channel && m_channel->TakePeerLost(); }
    QString ResourceName() const { return m_resourceName; }
    // The address text the LAN PBX announced; empty before that and for other channels.
    std::string LanAddressText() const;
    CPbxChannel* Channel() const { return m_channel.get(); }

private:
    const PbxLinkSettings m_settings;
    QString m_resourceName;
    std::unique_ptr<CPbxChannel> m_channel;
};
