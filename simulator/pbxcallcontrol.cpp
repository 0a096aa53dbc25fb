#include "pbxcallcontrol.h"

#include "engineerrorcode.h"
#include "pbxeventbuilder.h"
#include "pbxnumbering.h"

#include <algorithm>

namespace {

constexpr std::uint8_t kNone = PbxObjectStatus::kNone;
const QString kAnyLineCode = QStringLiteral("0");

QString Name(std::uint8_t objectType, int index)
{
    static const char* const kNames[] = {"system", "extension", "line", "entry phone", "relay"};
    const char* name = objectType <= kObjectRelay ? kNames[objectType] : "object";
    return QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(index);
}

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value); }

}  // namespace

bool PbxCallControl::IsIdle(std::uint8_t objectType, int index) const
{
    return m_model.HasObject(objectType, index) && m_model.Status(objectType, index).state == kStateReady;
}

int PbxCallControl::FreeLine() const
{
    for (int line = 0; line < m_model.Count(kObjectLine); ++line) {
        if (IsIdle(kObjectLine, line))
            return line;
    }
    return -1;
}

void PbxCallControl::Release(Outcome& outcome, std::uint8_t objectType, int index)
{
    PbxObjectStatus& status = m_model.Status(objectType, index);
    status.state = kStateReady;
    status.linkType = kNone;
    status.linkIndex = kNone;
    status.handset = 0;
    if (objectType == kObjectExtension) {
        m_model.Digits(index).clear();
        m_model.CallStart(index) = QDateTime();
        m_model.CallOutgoing(index) = false;
    } else if (objectType == kObjectLine) {
        m_model.CallerId(index).clear();
    }
    outcome.events << BuildStateEvent(objectType, Byte(index), kStateReady);
}

void PbxCallControl::Link(Outcome& outcome, int extension, std::uint8_t partnerType, int partnerIndex)
{
    Pair(extension, kStateConnected, partnerType, partnerIndex, kStateConnected);
    m_model.CallStart(extension) = m_model.Now();
    outcome.events << BuildLinkEvent(kObjectExtension, Byte(extension), partnerType, Byte(partnerIndex));
}

void PbxCallControl::Pair(int extension, std::uint8_t ownState, std::uint8_t partnerType, int partnerIndex,
                          std::uint8_t partnerState)
{
    PbxObjectStatus& own = m_model.Status(kObjectExtension, extension);
    PbxObjectStatus& partner = m_model.Status(partnerType, partnerIndex);
    own.state = ownState;
    own.linkType = partnerType;
    own.linkIndex = Byte(partnerIndex);
    partner.state = partnerState;
    partner.linkType = kObjectExtension;
    partner.linkIndex = Byte(extension);
}

void PbxCallControl::SeizeLine(Outcome& outcome, int extension, int line)
{
    Pair(extension, kStateExternalCall, kObjectLine, line, kStateOutgoingCall);
    m_model.Digits(extension).clear();
    m_model.CallOutgoing(extension) = true;
    outcome.events << BuildStateEvent(kObjectExtension, Byte(extension), kStateExternalCall)
                   << BuildStateEvent(kObjectLine, Byte(line), kStateOutgoingCall);
}

bool PbxCallControl::SeizeLineByDigits(Outcome& outcome, int extension, const QString& digits)
{
    int line = -1;
    if (digits == kAnyLineCode) {
        line = FreeLine();
    } else {
        const PbxInitialization initialization = m_model.Initialization();
        for (int k = 1; k <= m_model.Count(kObjectLine) && line < 0; ++k) {
            if (digits == FormatLineAccessCode(Byte(k), initialization, m_model.Configuration()) &&
                IsIdle(kObjectLine, k - 1))
                line = k - 1;
        }
    }
    if (line < 0)
        return false;
    SeizeLine(outcome, extension, line);
    return true;
}

void PbxCallControl::RingCalledExtension(Outcome& outcome, int caller, const QString& digits)
{
    const PbxInitialization initialization = m_model.Initialization();
    for (int called = 0; called < m_model.Count(kObjectExtension); ++called) {
        const QByteArray programming = m_model.Programming(kObjectExtension, called);
        const std::uint16_t programmed = ProgrammedExtensionNumber(
            {reinterpret_cast<const std::uint8_t*>(programming.constData()), static_cast<std::size_t>(programming.size())});
        if (called == caller ||
            DefaultExtensionNumber(Byte(called), initialization, m_model.Configuration(), programmed) != digits)
            continue;
        if (!IsIdle(kObjectExtension, called))
            return;
        Pair(caller, kStateOutgoingCall, kObjectExtension, called, kStateIncomingCall);
        outcome.events << BuildStateEvent(kObjectExtension, Byte(caller), kStateOutgoingCall)
                       << BuildRingEvent(Byte(called), PbxRingType::kInternal, kObjectExtension, Byte(caller))
                       << BuildStateEvent(kObjectExtension, Byte(called), kStateIncomingCall);
        return;
    }
}

void PbxCallControl::LogLineCall(Outcome& outcome, int extension, int line)
{
    const QDateTime start = m_model.CallStart(extension);
    if (!start.isValid())
        return;
    const QDateTime end = m_model.Now();
    const bool outgoing = m_model.CallOutgoing(extension);
    const int duration = static_cast<int>(std::max<qint64>(0, start.secsTo(end)));

    PbxLoggedCall call;
    call.start = start;
    call.durationSeconds = duration;
    call.line = Byte(line);
    call.pulses = m_model.LoggedPulses(duration, outgoing);
    call.outgoing = outgoing;
    call.number = outgoing ? m_model.Digits(extension) : m_model.CallerId(line);
    m_model.AddLoggedCall(extension, call);

    PbxCallRecord record;
    record.line = call.line;
    record.outgoing = outgoing;
    record.extension = static_cast<std::uint16_t>(extension);
    record.start = start.time();
    record.end = end.time();
    record.pulses = static_cast<std::uint16_t>(call.pulses);
    record.number = call.number;
    outcome.events << BuildCallRecordEvent(record);
}

PbxCallControl::Outcome PbxCallControl::OffHook(int extension)
{
    if (!m_model.HasObject(kObjectExtension, extension))
        return Refused(QStringLiteral("no %1").arg(Name(kObjectExtension, extension)));
    PbxObjectStatus& own = m_model.Status(kObjectExtension, extension);
    Outcome outcome;
    if (own.state == kStateIncomingCall) {
        // Answer: the call's partner and this extension are linked.
        own.handset = 1;
        outcome.events << BuildHandsetEvent(Byte(extension), true);
        const std::uint8_t partnerType = own.linkType;
        const int partnerIndex = own.linkIndex;
        if (partnerType == kObjectExtension && m_model.HasObject(kObjectExtension, partnerIndex)) {
            Link(outcome, partnerIndex, kObjectExtension, extension);
            m_model.CallStart(extension) = m_model.CallStart(partnerIndex);
        } else if (m_model.HasObject(partnerType, partnerIndex)) {
            Link(outcome, extension, partnerType, partnerIndex);
        } else {
            // A wake-up call has no partner to link: lifting the handset ends it.
            Release(outcome, kObjectExtension, extension);
        }
        return outcome;
    }
    if (own.state != kStateReady)
        return Refused(QStringLiteral("%1 is busy").arg(Name(kObjectExtension, extension)));
    own.handset = 1;
    own.state = kStateWaitingSelection;
    outcome.events << BuildHandsetEvent(Byte(extension), true)
                   << BuildStateEvent(kObjectExtension, Byte(extension), kStateWaitingSelection);
    return outcome;
}

PbxCallControl::Outcome PbxCallControl::OnHook(int extension)
{
    if (!m_model.HasObject(kObjectExtension, extension))
        return Refused(QStringLiteral("no %1").arg(Name(kObjectExtension, extension)));
    const PbxObjectStatus own = m_model.Status(kObjectExtension, extension);
    if (own.state == kStateReady)
        return Refused(QStringLiteral("%1 is idle").arg(Name(kObjectExtension, extension)));

    Outcome outcome;
    const bool partnerExists = m_model.HasObject(own.linkType, own.linkIndex);
    const bool partnerLinked = partnerExists && m_model.Status(own.linkType, own.linkIndex).linkType == kObjectExtension &&
                               m_model.Status(own.linkType, own.linkIndex).linkIndex == extension;
    if (own.state == kStateConnected && own.linkType == kObjectLine && partnerLinked)
        LogLineCall(outcome, extension, own.linkIndex);
    // The call record follows the state events, as the PBX reports the end of a call.
    QList<QByteArray> record = outcome.events;
    outcome.events.clear();

    if (own.handset)
        outcome.events << BuildHandsetEvent(Byte(extension), false);
    Release(outcome, kObjectExtension, extension);
    if (partnerLinked) {
        if (own.linkType == kObjectExtension && m_model.Status(kObjectExtension, own.linkIndex).handset)
            outcome.events << BuildHandsetEvent(own.linkIndex, false);
        Release(outcome, own.linkType, own.linkIndex);
    }
    outcome.events += record;
    return outcome;
}

PbxCallControl::Outcome PbxCallControl::Dial(int extension, const QString& digits, bool fromKeypad)
{
    if (!m_model.HasObject(kObjectExtension, extension))
        return Refused(QStringLiteral("no %1").arg(Name(kObjectExtension, extension)));
    Outcome outcome;
    if (m_model.Status(kObjectExtension, extension).state == kStateReady)
        outcome = OffHook(extension);

    PbxObjectStatus& own = m_model.Status(kObjectExtension, extension);
    for (const QChar digit : digits) {
        const QString candidate = m_model.Digits(extension) + digit;
        const bool keyed = fromKeypad;
        switch (own.state) {
        case kStateWaitingSelection:
        case kStateDialling:
            if (SeizeLineByDigits(outcome, extension, candidate))
                break;
            if (own.state == kStateWaitingSelection) {
                own.state = kStateDialling;
                outcome.events << BuildStateEvent(kObjectExtension, Byte(extension), kStateDialling);
            }
            m_model.Digits(extension) = candidate;
            if (keyed)
                outcome.events << BuildDigitEvent(Byte(extension), digit.toLatin1());
            RingCalledExtension(outcome, extension, candidate);
            break;
        case kStateExternalCall:
            m_model.Digits(extension) = candidate;
            if (keyed)
                outcome.events << BuildDigitEvent(Byte(extension), digit.toLatin1());
            break;
        case kStateConnected:
            // Tones during a call: reported, not part of the called number.
            if (keyed)
                outcome.events << BuildDigitEvent(Byte(extension), digit.toLatin1());
            break;
        default:
            break;
        }
    }
    return outcome;
}

PbxCallControl::Outcome PbxCallControl::Connect(int extension)
{
    if (!m_model.HasObject(kObjectExtension, extension))
        return Refused(QStringLiteral("no %1").arg(Name(kObjectExtension, extension)));
    const PbxObjectStatus own = m_model.Status(kObjectExtension, extension);
    if (own.state == kStateExternalCall && m_model.HasObject(kObjectLine, own.linkIndex)) {
        Outcome outcome;
        Link(outcome, extension, kObjectLine, own.linkIndex);
        return outcome;
    }
    if (own.state == kStateOutgoingCall && m_model.HasObject(kObjectExtension, own.linkIndex))
        return OffHook(own.linkIndex);
    return Refused(QStringLiteral("%1 has no call to connect").arg(Name(kObjectExtension, extension)));
}

PbxCallControl::Outcome PbxCallControl::PlaceCall(int extension, int line, const QString& number)
{
    if (!IsIdle(kObjectExtension, extension))
        return Refused(QStringLiteral("%1 is not idle").arg(Name(kObjectExtension, extension)));
    if (!IsIdle(kObjectLine, line))
        return Refused(QStringLiteral("%1 is not idle").arg(Name(kObjectLine, line)));
    Outcome outcome = OffHook(extension);
    SeizeLine(outcome, extension, line);
    outcome.events += Dial(extension, number, true).events;
    Link(outcome, extension, kObjectLine, line);
    return outcome;
}

PbxCallControl::Outcome PbxCallControl::Ring(int extension, std::uint8_t fromType, int fromIndex, const QString& callerId,
                                             CallerIdFormat format)
{
    if (!IsIdle(kObjectExtension, extension))
        return Refused(QStringLiteral("%1 is not idle").arg(Name(kObjectExtension, extension)));
    if (fromType < kObjectExtension || fromType > kObjectEntryPhone || !IsIdle(fromType, fromIndex) ||
        (fromType == kObjectExtension && fromIndex == extension))
        return Refused(QStringLiteral("%1 cannot call").arg(Name(fromType, fromIndex)));

    Outcome outcome;
    PbxObjectStatus& caller = m_model.Status(fromType, fromIndex);
    caller.linkType = kObjectExtension;
    caller.linkIndex = Byte(extension);
    std::uint8_t ringType = PbxRingType::kFromLine;
    if (fromType == kObjectLine) {
        caller.state = kStateIncomingCall;
        m_model.CallerId(fromIndex) = callerId;
    } else if (fromType == kObjectEntryPhone) {
        caller.state = kStateDialling;
        ringType = PbxRingType::kFromEntryPhone;
    } else {
        caller.state = kStateOutgoingCall;
        caller.handset = 1;
        ringType = PbxRingType::kInternal;
        outcome.events << BuildHandsetEvent(Byte(fromIndex), true);
    }
    outcome.events << BuildStateEvent(fromType, Byte(fromIndex), caller.state);

    PbxObjectStatus& own = m_model.Status(kObjectExtension, extension);
    own.state = kStateIncomingCall;
    own.linkType = fromType;
    own.linkIndex = Byte(fromIndex);
    outcome.events << BuildRingEvent(Byte(extension), ringType, fromType, Byte(fromIndex))
                   << BuildStateEvent(kObjectExtension, Byte(extension), kStateIncomingCall);
    // The caller id comes after the first ring, as on an analogue line.
    if (fromType == kObjectLine && !callerId.isEmpty())
        outcome.events << BuildCallerIdEvent(Byte(fromIndex), callerId, m_model.Now(), format);
    return outcome;
}

PbxCallControl::Outcome PbxCallControl::WakeUpCall(int extension, std::uint8_t answer)
{
    if (!IsIdle(kObjectExtension, extension))
        return Refused(QStringLiteral("%1 is not idle").arg(Name(kObjectExtension, extension)));
    const auto wakeUp = m_model.WakeUp(extension);
    QTime time(wakeUp[2], wakeUp[3], wakeUp[4]);
    if (!time.isValid())
        time = m_model.Now().time();
    Outcome outcome;
    outcome.events << BuildRingEvent(Byte(extension), PbxRingType::kInternal, kObjectSystem, 0)
                   << BuildStateEvent(kObjectExtension, Byte(extension), kStateIncomingCall)
                   << BuildStateEvent(kObjectExtension, Byte(extension), kStateReady)
                   << BuildWakeUpResultEvent(Byte(extension), answer, time);
    return outcome;
}

PbxCallControl::Outcome PbxCallControl::SetState(std::uint8_t objectType, int index, std::uint8_t state)
{
    if (!m_model.HasObject(objectType, index))
        return Refused(QStringLiteral("no %1").arg(Name(objectType, index)));
    m_model.Status(objectType, index).state = state;
    Outcome outcome;
    outcome.events << BuildStateEvent(objectType, Byte(index), state);
    return outcome;
}
