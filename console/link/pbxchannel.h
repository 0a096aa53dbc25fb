#pragma once

#include "engineerrorcode.h"
#include "pbxrequestrecord.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class Event;
class MessageTarget;

// The link to one PBX: a serial channel (CSerialChannel) or the LAN channel (CUdpChannel). A channel sends
// requests one at a time from its queue and waits for the answer when one is expected; every frame that
// is no answer goes to the next of its received-frame slots and the slot is posted to the notify target
// (message, wParam 0xFFFF0000 | slot, lParam tag).
class CPbxChannel {
public:
    static constexpr int kSerialKind = 0;
    static constexpr int kLanKind = 1;

    virtual ~CPbxChannel() = default;

    // Opens the resource and starts receiving. Message 0 is the message registered as
    // "CSerialWnd_DefaultComMsg"; the tag is the lParam of the posted messages and names the channel in
    // the traffic log. The queue sizes are the port's buffers where the device has any.
    virtual EngineErrorCode Open(const QString& resourceName, MessageTarget* target, std::uint32_t message,
                                 std::int64_t tag, std::size_t inQueue, std::size_t outQueue) = 0;
    // Stops receiving and sending (queued requests finish with 5) and closes the resource.
    virtual EngineErrorCode Close() = 0;
    virtual EngineErrorCode Setup(int baudRate, int dataBits, int parity, int stopBits) = 0;
    virtual bool IsOpen() const = 0;
    // The frame in a received-frame slot (0-99), valid until the ring comes round to it again; null and 0
    // outside the ring.
    virtual const std::uint8_t* GetFrameSlot(int slot) const = 0;
    virtual std::size_t GetFrameLength(int slot) const = 0;
    // Queues a frame. The answer event (may be null) is signalled when the request is finished; the record
    // is handed out through `record` when that is not null.
    virtual EngineErrorCode Send(const std::uint8_t* frame, std::size_t length, std::shared_ptr<Event> answerEvent,
                                 std::shared_ptr<PbxRequestRecord>* record, bool answerExpected, int timeoutMs) = 0;
    // The target must outlive the channel or be replaced first; null stops the posting.
    virtual void SetNotifyTarget(MessageTarget* target) = 0;
    // Where the LAN channel sends: the address as inet_addr reads the host text (network order). The
    // serial channel does nothing and gives 0.
    virtual std::uint32_t SetRemoteAddress(const std::string& host, std::uint16_t port) = 0;

    virtual int Kind() const = 0;
    // Whether the far end of the line hung up, so that the channel receives nothing more until it is
    // opened again (only a serial line can).
    virtual bool IsHungUp() const { return false; }
    // Whether the channel saw its peer gone since the last call: the line hung up, or a request could not
    // be written (a LAN PBX that cannot be reached). The link check probes such a PBX at once rather than
    // after its silence.
    virtual bool TakePeerLost() { return IsHungUp(); }
};
