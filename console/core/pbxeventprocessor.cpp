#include "pbxeventprocessor.h"

#include "binaryrecord.h"
#include "boundpbxrecords.h"
#include "boundpbxupdates.h"
#include "eventsender.h"
#include "pbxframe.h"
#include "pbxlink.h"
#include "pbxobjecttype.h"
#include "pbxrecord.h"
#include "sqldatabase.h"

#include <algorithm>
#include <vector>

namespace {

constexpr unsigned kSlotShift = 16;
constexpr std::uint64_t kSlotMask = 0xFFFF;
// The PBX's call record of event 67 that is kept: a call (P[0] 2) that ended (P[2] 1).
constexpr std::uint8_t kCallRecordOfLine = 2;
constexpr std::uint8_t kCallRecordEnded = 1;
// Event 71 of the answering board (object 5) whose memory is full (alarm 3).
constexpr std::uint8_t kAnsweringBoard = 5;
constexpr std::uint8_t kMemoryFullAlarm = 3;

std::size_t PayloadLength(std::span<const std::uint8_t> frame)
{
    if (frame.size() < kPbxFrameHeaderSize)
        return 0;
    return std::min<std::size_t>(frame[kPbxPayloadLengthOffset], frame.size() - kPbxFrameHeaderSize);
}

QByteArray Payload(std::span<const std::uint8_t> frame)
{
    return QByteArray(reinterpret_cast<const char*>(frame.data() + kPbxPayloadOffset),
                      static_cast<qsizetype>(PayloadLength(frame)));
}

}  // namespace

PbxEventProcessor::PbxEventProcessor(Services services) : m_services(std::move(services)) {}

const PbxEventProcessor::Handler* PbxEventProcessor::FindHandler(std::uint8_t code)
{
    // The events this handler acts on, with the payload bytes each reads; every other code is dropped.
    static const Handler kHandlers[] = {
        {13, 2, &PbxEventProcessor::OnDigits},
        {14, 1, &PbxEventProcessor::OnHandsetOff},
        {15, 1, &PbxEventProcessor::OnHandsetOn},
        {42, PbxRecord::kWakeEventSize, &PbxEventProcessor::OnWakeUpResult},
        {51, 4, &PbxEventProcessor::OnRing},
        {60, 4, &PbxEventProcessor::OnLink},
        {65, 3, &PbxEventProcessor::OnStateChange},
        {67, 3, &PbxEventProcessor::OnCallRecord},
        {68, 2, &PbxEventProcessor::OnProgrammingChanged},
        {70, 2, &PbxEventProcessor::OnCallerId},
        {71, PbxRecord::kAlarmEventSize, &PbxEventProcessor::OnAlarm},
    };
    for (const Handler& handler : kHandlers)
        if (handler.code == code)
            return &handler;
    return nullptr;
}

std::int64_t PbxEventProcessor::StorePbxEvent(std::uint64_t wParam, std::int64_t lParam)
{
    const int pbx = static_cast<int>(lParam);
    const std::shared_ptr<CPbxLink> link = m_services.link ? m_services.link(pbx) : nullptr;
    if (!link)
        return 0;
    // The slot is copied first: the channel's ring goes on filling while the frame is worked on.
    const int slot = static_cast<int>(wParam & kSlotMask);
    const std::uint8_t* bytes = link->GetFrameSlot(slot);
    const std::size_t length = link->GetFrameLength(slot);
    if (!bytes || length == 0)
        return 0;
    const std::vector<std::uint8_t> frame(bytes, bytes + length);
    if (((wParam >> kSlotShift) & kSlotMask) != kSlotTag)
        return 0;
    if (!link->IsLanChannel())
        m_silence.Reset(pbx);
    ProcessFrame(pbx, frame);
    return 0;
}

void PbxEventProcessor::ProcessFrame(int pbx, std::span<const std::uint8_t> frame)
{
    if (frame.size() <= kPbxCodeOffset)
        return;
    m_now = m_services.clock ? m_services.clock() : OleDate::Now();
    const Handler* handler = FindHandler(frame[kPbxCodeOffset]);
    if (!handler || PayloadLength(frame) < handler->minimumPayload)
        return;
    (this->*handler->handle)(pbx, frame);
}

void PbxEventProcessor::Relay(int pbx, Frame frame)
{
    CEventSender* sender = m_services.eventSender ? m_services.eventSender() : nullptr;
    if (sender)
        sender->QueueToClients(static_cast<std::uint8_t>(pbx), frame);
}

bool PbxEventProcessor::IsBoundPbx(int pbx) const
{
    return m_services.boundRecords && m_services.boundPbx && pbx == m_services.boundPbx();
}

bool PbxEventProcessor::IsBoundExtension(int pbx, int extension) const
{
    return IsBoundPbx(pbx) && m_services.boundExtension && extension == m_services.boundExtension();
}

ExtensionCallState* PbxEventProcessor::Entry(int pbx, int extension)
{
    if (!m_services.callStates || pbx < 0 || pbx >= kMaxPbxLinks || extension < 0 || extension >= kExtensionsPerPbx)
        return nullptr;
    return &(*m_services.callStates)[static_cast<std::size_t>(pbx)][static_cast<std::size_t>(extension)];
}

void PbxEventProcessor::OnDigits(int pbx, Frame frame)
{
    const QByteArray payload = Payload(frame);
    const int extension = static_cast<quint8>(payload[0]);
    m_services.database->AppendDialledDigits(pbx, extension, DecodeAnsi(payload.mid(1, 1)));
    Relay(pbx, frame);
    if (IsBoundPbx(pbx))
        BoundPbxUpdates::AppendDigits(*m_services.boundRecords, extension, payload.mid(1));
}

void PbxEventProcessor::OnHandsetOff(int pbx, Frame frame)
{
    const int extension = frame[kPbxPayloadOffset];
    m_services.database->UpdateHandset(pbx, extension, 1);
    if (IsBoundPbx(pbx))
        BoundPbxUpdates::SetHandset(*m_services.boundRecords, extension, true);
}

void PbxEventProcessor::OnHandsetOn(int pbx, Frame frame)
{
    const int extension = frame[kPbxPayloadOffset];
    m_services.database->UpdateHandset(pbx, extension, 0);
    if (IsBoundPbx(pbx))
        BoundPbxUpdates::SetHandset(*m_services.boundRecords, extension, false);
}

void PbxEventProcessor::OnWakeUpResult(int pbx, Frame frame)
{
    m_services.database->InsertWakeEvent(pbx, Payload(frame).left(PbxRecord::kWakeEventSize));
}

void PbxEventProcessor::OnCallRecord(int pbx, Frame frame)
{
    const QByteArray payload = Payload(frame);
    if (static_cast<quint8>(payload[0]) != kCallRecordOfLine || static_cast<quint8>(payload[2]) != kCallRecordEnded)
        return;
    // A longer payload than the record is cut to it.
    m_services.database->InsertCallEvent(pbx, payload.left(PbxRecord::kCallEventSize)
                                                  .leftJustified(PbxRecord::kCallEventSize, '\0'));
}

void PbxEventProcessor::OnAlarm(int pbx, Frame frame)
{
    const QByteArray payload = Payload(frame).left(PbxRecord::kAlarmEventSize);
    m_services.database->InsertAlarm(pbx, payload);
    if (static_cast<quint8>(payload[0]) == kAnsweringBoard && static_cast<quint8>(payload[2]) == kMemoryFullAlarm)
        m_services.notifications.MemoryFull();
    Relay(pbx, frame);
}
