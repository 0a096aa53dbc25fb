#include "faultsettings.h"

#include "framebytes.h"
#include "pbxacknowledgement.h"
#include "pbxcode.h"
#include "pbxframe.h"
#include "pbxrequesthandler.h"

#include <QStringList>

namespace {

// Answers read with "at least" a length, which a longer frame still satisfies.
bool TakesLongerAnswer(std::uint8_t requestCode)
{
    return requestCode == PbxCode::kInitializationRead || requestCode == PbxCode::kConfigurationRead ||
           requestCode == PbxCode::kProgrammingRead || requestCode == PbxCode::kCallLogRead;
}

}  // namespace

bool FaultSettings::Any() const
{
    return silence || delayMs > 0 || wrongCode || garbage || splitGapMs > 0 || interleave || oversize;
}

QString FaultSettings::Describe() const
{
    QStringList parts;
    if (silence)
        parts << QStringLiteral("silence");
    if (delayMs > 0)
        parts << QStringLiteral("delay=%1").arg(delayMs);
    if (wrongCode)
        parts << QStringLiteral("wrong-code");
    if (garbage)
        parts << QStringLiteral("garbage");
    if (splitGapMs > 0)
        parts << QStringLiteral("split=%1").arg(splitGapMs);
    if (interleave)
        parts << QStringLiteral("interleave");
    if (oversize)
        parts << QStringLiteral("oversize");
    return parts.isEmpty() ? QStringLiteral("none") : parts.join(u' ');
}

QByteArray GarbageBytes()
{
    const char noise[] = {0x00, 0x55, 0x16, 0x41, 0x16, 0x16, 0x11, static_cast<char>(0xFF)};
    return QByteArray(noise, sizeof noise);
}

QList<PortPiece> ShapeAnswer(const QByteArray& answer, std::uint8_t requestCode, const FaultSettings& faults,
                             bool stream, const QByteArray& event)
{
    if (faults.silence || answer.size() < static_cast<qsizetype>(kPbxFrameHeaderSize))
        return {};
    QByteArray frame = answer;
    if (faults.wrongCode) {
        if (ByteAt(frame, kPbxCodeOffset) == kAcknowledgementCode && frame.size() > static_cast<qsizetype>(kAcknowledgedCommandOffset))
            frame[kAcknowledgedCommandOffset] = static_cast<char>(ByteAt(frame, kAcknowledgedCommandOffset) + 1);
        else
            frame[kPbxCodeOffset] = static_cast<char>(kAcknowledgementCode);
    }
    if (faults.oversize && TakesLongerAnswer(requestCode) && frame.size() < FaultSettings::kOversizeFrameSize) {
        frame.resize(FaultSettings::kOversizeFrameSize, '\0');
        frame[kPbxPayloadLengthOffset] = static_cast<char>(frame.size() - static_cast<qsizetype>(kPbxFrameHeaderSize));
    }

    QList<PortPiece> pieces;
    int delay = faults.delayMs;
    if (faults.interleave && !event.isEmpty()) {
        pieces << PortPiece{event, delay, false};
        delay = 0;
    }
    if (faults.garbage) {
        pieces << PortPiece{GarbageBytes(), delay, true};
        delay = 0;
    }
    if (stream && faults.splitGapMs > 0) {
        // Cut after the code byte and in the middle of the rest.
        const qsizetype first = static_cast<qsizetype>(kPbxPayloadLengthOffset);
        const qsizetype second = first + (frame.size() - first + 1) / 2;
        pieces << PortPiece{frame.left(first), delay, false};
        pieces << PortPiece{frame.mid(first, second - first), faults.splitGapMs, false};
        if (second < frame.size())
            pieces << PortPiece{frame.mid(second), faults.splitGapMs, false};
        return pieces;
    }
    pieces << PortPiece{frame, delay, false};
    return pieces;
}
