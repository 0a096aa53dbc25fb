#include "pbxlinkpeer.h"

#include "event.h"
#include "framebytes.h"

#include <chrono>

namespace {

constexpr int kSlotMask = 0xFFFF;
constexpr std::int64_t kTag = 0;
constexpr std::size_t kQueueSize = 512;
constexpr int kBaudRate = 9600;
constexpr int kDataBits = 8;
// The record is finished by the channel's own time-out; this only guards against a channel that hangs.
constexpr std::chrono::milliseconds kGrace{5000};

}  // namespace

PbxLinkPeer::PbxLinkPeer(PbxLinkSettings settings) : m_link(settings) {}

PbxLinkPeer::~PbxLinkPeer()
{
    m_link.SetNotifyTarget(nullptr);
    m_link.Close();
}

EngineErrorCode PbxLinkPeer::Open(const QString& resourceName)
{
    const EngineErrorCode opened = m_link.Open(resourceName, this, 0, kTag, kQueueSize, kQueueSize);
    if (opened != kNoError)
        return opened;
    return m_link.Setup(kBaudRate, kDataBits, 0, 0);
}

EnginePeer::Answer PbxLinkPeer::Exchange(const QByteArray& frame, bool answerExpected, int timeoutMs)
{
    auto finished = std::make_shared<Event>(Event::Reset::Manual);
    std::shared_ptr<PbxRequestRecord> record;
    const EngineErrorCode queued = m_link.Send(reinterpret_cast<const std::uint8_t*>(frame.constData()),
                                               static_cast<std::size_t>(frame.size()), finished, &record,
                                               answerExpected, timeoutMs);
    if (queued != kNoError)
        return {queued, {}};
    if (!finished->Wait(std::chrono::milliseconds(timeoutMs) + kGrace))
        return {kChannelTimeout, {}};
    return {record->status, ToByteArray(record->answer)};
}

bool PbxLinkPeer::Send(const QByteArray& frame)
{
    return Exchange(frame, false, 0).status == kNoError;
}

void PbxLinkPeer::Post(std::uint32_t, std::uint64_t wParam, std::int64_t)
{
    const int slot = static_cast<int>(wParam & kSlotMask);
    const std::uint8_t* bytes = m_link.GetFrameSlot(slot);
    if (!bytes)
        return;
    const QByteArray frame(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(m_link.GetFrameLength(slot)));
    std::lock_guard lock(m_mutex);
    m_pending << frame;
    m_posted.notify_all();
}

bool PbxLinkPeer::ReadSome(int timeoutMs)
{
    std::unique_lock lock(m_mutex);
    if (!m_posted.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !m_pending.isEmpty(); }))
        return false;
    m_frames += m_pending;
    m_pending.clear();
    return true;
}
