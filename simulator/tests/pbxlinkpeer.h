#pragma once

#include "enginepeer.h"
#include "messagetarget.h"
#include "pbxlink.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <condition_variable>
#include <mutex>

// The engine's end through the console's PBX link, which picks its serial or LAN channel by the resource
// name: requests go through the channel's queue and come back in its request record; the frames it posts
// (events, and frames that came while no request could wait) are copied out of their slots as they are
// posted.
class PbxLinkPeer : public EnginePeer, public MessageTarget {
public:
    explicit PbxLinkPeer(PbxLinkSettings settings = {});
    ~PbxLinkPeer() override;

    // Opens the link as the engine does: tag 0, queues of 512, 9600 8N1.
    EngineErrorCode Open(const QString& resourceName);
    Answer Exchange(const QByteArray& frame, bool answerExpected, int timeoutMs) override;
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override;

protected:
    bool Send(const QByteArray& frame) override;
    bool ReadSome(int timeoutMs) override;

private:
    CPbxLink m_link;
    std::mutex m_mutex;
    std::condition_variable m_posted;
    QList<QByteArray> m_pending;  // posted, not yet moved to m_frames (the test thread's)
};
