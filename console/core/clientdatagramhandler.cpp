#include "clientdatagramhandler.h"

#include "boundpbxrecords.h"
#include "boundpbxupdates.h"
#include "pbxeventdatagram.h"
#include "pbxframe.h"
#include "pbxobjecttype.h"
#include "udpeventlistener.h"

#include <QByteArray>

#include <algorithm>

namespace {

// Datagram byte 0 is the PBX index, the frame follows.
constexpr std::size_t kFrameOffset = 1;
constexpr std::uint8_t kStateRinging = 3;
constexpr std::uint8_t kStateConnected = 7;
constexpr std::uint8_t kAnsweringBoard = 5;
constexpr std::uint8_t kMemoryFullAlarm = 3;

// The NUL-terminated text of the payload from `offset`.
QByteArray TextFrom(std::span<const std::uint8_t> payload, std::size_t offset)
{
    if (offset >= payload.size())
        return {};
    const auto begin = payload.begin() + static_cast<std::ptrdiff_t>(offset);
    const auto end = std::find(begin, payload.end(), std::uint8_t{0});
    return QByteArray(reinterpret_cast<const char*>(&*begin), static_cast<qsizetype>(end - begin));
}

}  // namespace

ClientDatagramHandler::ClientDatagramHandler(Services services) : m_services(std::move(services)) {}

std::int64_t ClientDatagramHandler::OnClientDatagram(std::uint64_t wParam, std::int64_t)
{
    CUdpEventListener* listener = m_services.listener ? m_services.listener() : nullptr;
    if (!listener)
        return 0;
    HandleDatagram(listener->CopySlot(static_cast<int>(wParam)));
    return 0;
}

void ClientDatagramHandler::HandleDatagram(std::span<const std::uint8_t> datagram)
{
    if (datagram.size() < kFrameOffset + kPbxFrameHeaderSize)
        return;
    const std::uint8_t pbx = datagram[0];
    const std::span<const std::uint8_t> frame = datagram.subspan(kFrameOffset);
    const std::size_t payloadLength =
        std::min<std::size_t>(frame[kPbxPayloadLengthOffset], frame.size() - kPbxFrameHeaderSize);
    const std::span<const std::uint8_t> payload = frame.subspan(kPbxPayloadOffset, payloadLength);
    if (pbx == PbxEventDatagram::kEnginePbx) {
        if (!payload.empty() && payload[0] == kServerStopped) {
            if (m_services.showServerStopped)
                m_services.showServerStopped();
            if (m_services.notifications.mainFrame)
                m_services.notifications.mainFrame->Post(WM_COMMAND, kCloseCommand, 0);
        }
        return;
    }
    if (m_services.boundRecords && m_services.boundPbx && pbx == m_services.boundPbx())
        OnBoundPbxEvent(frame[kPbxCodeOffset], payload);
}

bool ClientDatagramHandler::IsBoundExtension(int extension) const
{
    return m_services.boundExtension && extension == m_services.boundExtension();
}

void ClientDatagramHandler::OnBoundPbxEvent(std::uint8_t code, std::span<const std::uint8_t> payload)
{
    BoundPbxRecords& records = *m_services.boundRecords;
    const ConsoleNotifications& notify = m_services.notifications;
    switch (code) {
    case 13:
        if (payload.size() >= 2)
            BoundPbxUpdates::AppendDigits(records, payload[0], TextFrom(payload, 1));
        break;
    case 51:
        if (payload.size() >= 4 && BoundPbxUpdates::Ring(records, payload[0], payload[1], payload[2], payload[3]) &&
            IsBoundExtension(payload[0]))
            notify.BoundExtension(kStateRinging);
        break;
    case 60:
        if (payload.size() < 4)
            break;
        if (BoundPbxUpdates::Link(records, payload[0], payload[1], payload[2], payload[3]) &&
            IsBoundExtension(payload[1]))
            notify.BoundExtension(kStateConnected);
        if (BoundPbxUpdates::Link(records, payload[2], payload[3], payload[0], payload[1]) &&
            IsBoundExtension(payload[3]))
            notify.BoundExtension(kStateConnected);
        break;
    case 65:
        if (payload.size() >= 3 && BoundPbxUpdates::ChangeState(records, payload[0], payload[1], payload[2]) &&
            IsBoundExtension(payload[1]))
            notify.BoundExtension(payload[2]);
        break;
    case 70: {
        if (payload.size() < 2)
            break;
        const QByteArray text = TextFrom(payload, 1);
        if (text.size() < BoundPbxUpdates::kTextMaxLength &&
            BoundPbxUpdates::SetLineCallerId(records, payload[0], text))
            notify.LineCallerId(payload[0]);
        break;
    }
    case 71:
        if (payload.size() >= 3 && payload[0] == kAnsweringBoard && payload[2] == kMemoryFullAlarm)
            notify.MemoryFull();
        break;
    default:
        break;
    }
}
