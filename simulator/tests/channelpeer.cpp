#include "channelpeer.h"

#include "event.h"
#include "framebytes.h"

#include <chrono>

namespace {

constexpr int kSlotMask = 0xFFFF;
// The record is finished by the channel's own time-out; this only guards against a channel that hangs.
constexpr std::chrono::milliseconds kGrace{5000};

}  // namespace

ChannelPeer::ChannelPeer(std::unique_ptr<CPbxChannel> channel) : m_channel(std::move(channel))
{
    m_channel->SetNotifyTarget(this);
}

ChannelPeer::~ChannelPeer()
{
    m_channel->SetNotifyTarget(nullptr);
    m_channel->Close();
}

EnginePeer::Answer ChannelPeer::Exchange(const QByteArray& frame, bool answerExpected, int timeoutMs)
{
    auto finished = std::make_shared<Event>(Event::Reset::Manual);
    std::shared_ptr<PbxRequestRecord> record;
    const EngineErrorCode queued = m_channel->Send(reinterpret_cast<const std::uint8_t*>(frame.constData()),
                                                   static_cast<std::size_t>(frame.size()), finished, &record,
                                                   answerExpected, timeoutMs);
    if (queued != kNoError)
        return {queued, {}};
    if (!finished->Wait(std::chrono::milliseconds(timeoutMs) + kGrace))
        return {kChannelTimeout, {}};
    return {record->status, ToByteArray(record->answer)};
}

bool ChannelPeer::Send(const QByteArray& frame)
{
    return Exchange(frame, false, 0).status == kNoError;
}

void ChannelPeer::Post(std::uint32_t, std::uint64_t wParam, std::int64_t)
{
    const int slot = static_cast<int>(wParam & kSlotMask);
    const std::uint8_t* bytes = m_channel->GetFrameSlot(slot);
    if (!bytes)
        return;
    const QByteArray frame(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(m_channel->GetFrameLength(slot)));
    std::lock_guard lock(m_mutex);
    m_pending << frame;
    m_posted.notify_all();
}

bool ChannelPeer::ReadSome(int timeoutMs)
{
    std::unique_lock lock(m_mutex);
    if (!m_posted.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !m_pending.isEmpty(); }))
        return false;
    m_frames += m_pending;
    m_pending.clear();
    return true;
}
