#pragma once

#include "enginepeer.h"
#include "messagetarget.h"
#include "pbxchannel.h"

#include <QByteArray>
#include <QList>

#include <condition_variable>
#include <memory>
#include <mutex>

// The engine's end through one of the console's PBX channels: requests go through the channel's queue
// and come back in its request record; the frames it posts (events, and answers that came too late for
// their request) are copied out of their slots as they are posted.
class ChannelPeer : public EnginePeer, public MessageTarget {
public:
    explicit ChannelPeer(std::unique_ptr<CPbxChannel> channel);
    ~ChannelPeer() override;

    CPbxChannel& Channel() { return *m_channel; }
    Answer Exchange(const QByteArray& frame, bool answerExpected, int timeoutMs) override;
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override;

protected:
    bool Send(const QByteArray& frame) override;
    bool ReadSome(int timeoutMs) override;

private:
    std::unique_ptr<CPbxChannel> m_channel;
    std::mutex m_mutex;
    std::condition_variable m_posted;
    QList<QByteArray> m_pending;  // posted, not yet moved to m_frames (the test thread's)
};
