#include "pbxchannelbase.h"

#include "messagetarget.h"
#include "pbxcommandclass.h"
#include "pbxframe.h"
#include "trafficlog.h"

std::uint32_t CPbxChannelBase::DefaultMessage()
{
    return RegisterWindowMessage(QStringLiteral("CSerialWnd_DefaultComMsg"));
}

CPbxChannelBase::CPbxChannelBase(CTrafficLog* log) : m_log(log ? *log : EngineTrafficLog()), m_queue(*this) {}

const std::uint8_t* CPbxChannelBase::GetFrameSlot(int slot) const
{
    return m_slots.Slot(slot);
}

std::size_t CPbxChannelBase::GetFrameLength(int slot) const
{
    return m_slots.Length(slot);
}

void CPbxChannelBase::SetNotifyTarget(MessageTarget* target)
{
    m_slots.SetTarget(target);
}

void CPbxChannelBase::SetNotification(MessageTarget* target, std::uint32_t message, std::int64_t tag)
{
    m_slots.SetTarget(target);
    m_slots.SetMessage(message != 0 ? message : DefaultMessage());
    m_slots.SetTag(tag);
}

void CPbxChannelBase::ClearNotification()
{
    m_slots.SetTarget(nullptr);
    m_slots.SetMessage(0);
}

EngineErrorCode CPbxChannelBase::Queue(const std::uint8_t* bytes, std::size_t length,
                                       std::shared_ptr<Event> answerEvent,
                                       std::shared_ptr<PbxRequestRecord>* record, bool answerExpected,
                                       int timeoutMs)
{
    return m_queue.Enqueue(bytes, length, std::move(answerEvent), record, answerExpected, timeoutMs);
}

void CPbxChannelBase::RouteFrame(std::span<const std::uint8_t> frame)
{
    if (IsPbxEventCode(frame[kPbxCodeOffset]) || !m_queue.TakesAnswers())
        m_slots.Store(frame);
    else
        m_queue.DeliverAnswer(frame);
}

void CPbxChannelBase::Log(std::string_view what, bool success, int code, std::span<const std::uint8_t> bytes)
{
    std::string text = "SERIAL" + std::to_string(Tag());
    text += what;
    m_log.Write(TrafficKind::kSerial, text, success, code, bytes);
}
