#pragma once

#include "engineerrorcode.h"

#include <QByteArray>
#include <QList>

// The engine's end of a link to the simulator, as a test drives it: sends one frame and, when an answer
// is expected, waits for the first frame that is no event (events met meanwhile are kept), as a
// channel's request does.
class EnginePeer {
public:
    struct Answer {
        EngineErrorCode status = kNoError;  // 30 when nothing came within the time
        QByteArray frame;
    };

    virtual ~EnginePeer() = default;
    virtual Answer Exchange(const QByteArray& frame, bool answerExpected, int timeoutMs);
    // The next frame that is no event, within the time (a late answer); empty on silence.
    QByteArray TakeAnswer(int timeoutMs);
    // The events received so far and up to `count` within the time (all that came, when fewer).
    QList<QByteArray> TakeEvents(int count, int timeoutMs);
    // Bytes or datagrams dropped as noise so far; -1 when the peer cannot tell.
    virtual int SkippedNoise() const { return -1; }

protected:
    virtual bool Send(const QByteArray& frame) = 0;
    // Waits at most timeoutMs for something and adds the frames it completes to m_frames; false on
    // silence.
    virtual bool ReadSome(int timeoutMs) = 0;

    QList<QByteArray> m_frames;  // received, not yet taken
};
