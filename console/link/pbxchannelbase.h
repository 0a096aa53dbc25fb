#pragma once

#include "pbxchannel.h"
#include "pbxframeslots.h"
#include "pbxsendqueue.h"

#include <atomic>
#include <shared_mutex>
#include <span>
#include <string>
#include <string_view>

class CTrafficLog;

// What both kinds of channel share: the received-frame slots and their notify target, the send queue
// with its thread, and the lines they write to the traffic log ("SERIAL" + tag + what happened).
class CPbxChannelBase : public CPbxChannel, protected PbxFrameWriter {
public:
    // The registered message that a channel opened with message 0 posts.
    static std::uint32_t DefaultMessage();

    const std::uint8_t* GetFrameSlot(int slot) const override;
    std::size_t GetFrameLength(int slot) const override;
    void SetNotifyTarget(MessageTarget* target) override;
    bool TakePeerLost() override { return m_writeFailed.exchange(false) || IsHungUp(); }

protected:
    // Null writes to EngineTrafficLog().
    explicit CPbxChannelBase(CTrafficLog* log);

    void SetNotification(MessageTarget* target, std::uint32_t message, std::int64_t tag);
    void ClearNotification();
    std::int64_t Tag() const { return m_slots.Tag(); }

    EngineErrorCode Queue(const std::uint8_t* bytes, std::size_t length, std::shared_ptr<Event> answerEvent,
                          std::shared_ptr<PbxRequestRecord>* record, bool answerExpected, int timeoutMs);
    // The send thread is stopped before the channel lets go of its device; `wake` ends a blocked write.
    void StopSending(const std::function<void()>& wake = {}) { m_queue.Stop(wake); }

    // A whole frame from the PBX: an event, or any frame while no request can be waiting, goes to the
    // next slot; anything else is the answer to the request in progress.
    void RouteFrame(std::span<const std::uint8_t> frame);
    // An answer that is no frame (the PBX's announcement).
    void DeliverAnswer(std::span<const std::uint8_t> answer) { m_queue.DeliverAnswer(answer); }

    // Send holds it shared from its checks until its request is queued; Open and Close hold it alone. So a
    // Send that found the channel open has queued before a Close stops the send thread, and none queues on
    // a channel being closed or reopened (where a new send thread would write to a closed descriptor).
    std::shared_mutex& LifeMutex() const { return m_lifeMutex; }
    // One traffic-log line "SERIAL<tag><what>".
    void Log(std::string_view what, bool success, int code, std::span<const std::uint8_t> bytes = {});
    // A write that failed: the peer is gone, or cannot be reached (send thread, or a caller's write).
    void NoteWriteFailed() { m_writeFailed = true; }
    // A channel opened anew starts with its peer present.
    void ForgetWriteFailure() { m_writeFailed = false; }

private:
    mutable std::shared_mutex m_lifeMutex;
    CTrafficLog& m_log;
    CPbxFrameSlots m_slots;
    CPbxSendQueue m_queue;
    std::atomic<bool> m_writeFailed{false};
};
