#include "enginepeer.h"

#include "framebytes.h"
#include "pbxcommandclass.h"

#include <QDeadlineTimer>

namespace {

bool IsEvent(const QByteArray& frame) { return IsPbxEventCode(ByteAt(frame, kPbxCodeOffset)); }

}  // namespace

EnginePeer::Answer EnginePeer::Exchange(const QByteArray& frame, bool answerExpected, int timeoutMs)
{
    if (!Send(frame))
        return {kWriteFailed, {}};
    if (!answerExpected)
        return {};
    const QByteArray answer = TakeAnswer(timeoutMs);
    return {answer.isEmpty() ? kChannelTimeout : kNoError, answer};
}

QByteArray EnginePeer::TakeAnswer(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        for (qsizetype i = 0; i < m_frames.size(); ++i) {
            if (!IsEvent(m_frames.at(i)))
                return m_frames.takeAt(i);
        }
        if (deadline.hasExpired() || !ReadSome(static_cast<int>(deadline.remainingTime())))
            return {};
    }
}

QList<QByteArray> EnginePeer::TakeEvents(int count, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (m_frames.size() < count && !deadline.hasExpired() && ReadSome(static_cast<int>(deadline.remainingTime()))) {
    }
    QList<QByteArray> events;
    for (qsizetype i = 0; i < m_frames.size();) {
        if (IsEvent(m_frames.at(i)))
            events << m_frames.takeAt(i);
        else
            ++i;
    }
    return events;
}
