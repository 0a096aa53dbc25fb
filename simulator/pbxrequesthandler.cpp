#include "pbxrequesthandler.h"

#include "framebytes.h"
#include "pbxacknowledgement.h"
#include "pbxcode.h"
#include "pbxframe.h"
#include "pbxframebuilders.h"

namespace {

constexpr std::uint8_t kNoAnswerCommand18 = 18;
constexpr int kWakeUpAnswerPayload = 6;
constexpr int kClockBytes = 6;
constexpr int kFirstYear = 2000;

QByteArray Payload(const QByteArray& frame) { return frame.mid(static_cast<qsizetype>(kPbxPayloadOffset)); }

PbxRequestResult Answer(const QByteArray& frame)
{
    PbxRequestResult result;
    result.answered = true;
    result.answer = frame;
    return result;
}

PbxRequestResult Acknowledge(std::uint8_t command, bool taken)
{
    return Answer(BuildAcknowledgement(command, taken ? kAcknowledgeTaken : kAcknowledgeRefused));
}

PbxRequestResult Events(const PbxCallControl::Outcome& outcome)
{
    PbxRequestResult result;
    result.events = outcome.events;
    return result;
}

QByteArray ClockBytes(const QDateTime& now)
{
    const PbxClockBytes clock = {static_cast<std::uint8_t>(now.date().day()), static_cast<std::uint8_t>(now.date().month()),
                                 static_cast<std::uint8_t>(now.date().year() - kFirstYear),
                                 static_cast<std::uint8_t>(now.time().hour()), static_cast<std::uint8_t>(now.time().minute()),
                                 static_cast<std::uint8_t>(now.time().second())};
    return ToByteArray(clock);
}

}  // namespace

QByteArray BuildAcknowledgement(std::uint8_t command, std::uint8_t status)
{
    QByteArray frame(static_cast<qsizetype>(kAcknowledgementFrameSize), '\0');
    BuildAcknowledgementFrame(reinterpret_cast<std::uint8_t*>(frame.data()), kAcknowledgementCode, command, status);
    return frame;
}

bool PbxRequestHandler::IsBook(int book) const
{
    return book == PbxDirectory::kGlobalBook || m_model.HasObject(kObjectExtension, book);
}

// Answers echo the request's selector bytes; the number follows with its zero. A position outside its
// book is refused with an acknowledgement, which no phone-book read accepts.
PbxRequestResult PbxRequestHandler::ReadDirectory(std::uint8_t code, const QByteArray& payload)
{
    using namespace PbxDirectory;
    PbxPhoneBook& book = m_model.PhoneBook();
    const std::uint8_t mark = ByteAt(payload, 1);
    if (mark == kInfoMark)
        return Answer(MakePbxFrame(code, ToByteArray(book.Info())));
    std::optional<QByteArray> number;
    qsizetype echoed = 2;
    if (mark == kEntryMark) {
        if (payload.size() < static_cast<qsizetype>(kEntryNumberOffset))
            return Acknowledge(code, false);
        const int which = ByteAt(payload, 2);
        if (IsBook(which))
            number = book.Entry(which, ByteAt(payload, 3) | ByteAt(payload, 4) << 8);
        echoed = static_cast<qsizetype>(kEntryNumberOffset);
    } else {
        number = book.Common(mark);
    }
    if (!number)
        return Acknowledge(code, false);
    return Answer(MakePbxFrame(code, payload.left(echoed) + *number + QByteArray(1, '\0')));
}

bool PbxRequestHandler::WriteDirectory(const QByteArray& payload)
{
    using namespace PbxDirectory;
    PbxPhoneBook& book = m_model.PhoneBook();
    const auto digitsFrom = [&payload](qsizetype offset) {
        const QByteArray rest = payload.mid(offset);
        const qsizetype end = rest.indexOf('\0');
        return end < 0 ? rest : rest.left(end);
    };
    if (ByteAt(payload, 1) != kEntryMark)
        return book.SetCommon(ByteAt(payload, 1), digitsFrom(2));
    if (payload.size() < static_cast<qsizetype>(kEntryNumberOffset) || !IsBook(ByteAt(payload, 2)))
        return false;
    return book.SetEntry(ByteAt(payload, 2), ByteAt(payload, 3) | ByteAt(payload, 4) << 8,
                         digitsFrom(static_cast<qsizetype>(kEntryNumberOffset)));
}

int PbxRequestHandler::ExtensionOf(std::uint8_t byte) const
{
    return byte == kThisStation ? m_model.OwnExtension() : byte;
}

PbxRequestResult PbxRequestHandler::Handle(const QByteArray& frame)
{
    if (frame.size() < static_cast<qsizetype>(kPbxFrameHeaderSize))
        return {};
    const std::uint8_t code = ByteAt(frame, kPbxCodeOffset);
    const QByteArray payload = Payload(frame);
    const auto at = [&payload](qsizetype i) { return ByteAt(payload, i); };

    switch (code) {
    case PbxCode::kInitializationRead:
        return Answer(MakePbxFrame(code, m_model.InitializationPayload()));
    case PbxCode::kConfigurationRead:
        return Answer(MakePbxFrame(code, ToByteArray(m_model.Configuration().bytes)));
    case PbxCode::kProgrammingRead: {
        if (payload.size() < 2)
            return {};
        const QByteArray record = m_model.Programming(at(0), at(1));
        // An object the PBX does not have: an answer too short for any record.
        return Answer(MakePbxFrame(code, record.isEmpty() ? payload.left(2) : record));
    }
    case PbxCode::kStatusRead: {
        if (payload.size() < 2)
            return {};
        const std::uint8_t type = at(0);
        const bool known = type >= kObjectExtension && type <= kObjectEntryPhone && m_model.HasObject(type, at(1));
        return Answer(MakePbxFrame(code, known ? m_model.StatusBytes(type, at(1)) : payload.left(2)));
    }
    case PbxCode::kProgrammingWrite:
        if (payload.size() < 2)
            return {};
        return Acknowledge(code, m_model.SetProgramming(at(0), at(1), payload));
    case PbxCode::kClockRead:
        return Answer(MakePbxFrame(code, ClockBytes(m_model.Now())));
    case PbxCode::kClockSet: {
        if (payload.size() < kClockBytes)
            return Acknowledge(code, false);
        const QDateTime time(QDate(kFirstYear + at(2), at(1), at(0)), QTime(at(3), at(4), at(5)));
        if (!time.isValid())
            return Acknowledge(code, false);
        m_model.SetClock(time);
        return Acknowledge(code, true);
    }
    case PbxCode::kWakeUpWrite: {
        const bool valid = payload.size() >= PbxModel::kWakeUpSize && m_model.HasObject(kObjectExtension, at(0)) &&
                           QTime::isValid(at(2), at(3), at(4));
        if (valid)
            m_model.SetWakeUp(at(0), at(1), at(2), at(3), at(4));
        return Acknowledge(code, valid);
    }
    case PbxCode::kWakeUpRead: {
        if (payload.isEmpty())
            return {};
        if (!m_model.HasObject(kObjectExtension, at(0)))
            return Answer(MakePbxFrame(code, payload.left(1)));
        QByteArray wakeUp = ToByteArray(m_model.WakeUp(at(0)));
        wakeUp.resize(kWakeUpAnswerPayload, '\0');
        return Answer(MakePbxFrame(code, wakeUp));
    }
    case PbxCode::kCallLogRead:
        if (payload.size() >= 2 && at(0) == PbxDirectory::kSelector)
            return ReadDirectory(code, payload);
        if (payload.size() < 3)
            return {};
        // Only the call log (selector 5) and the phone book are kept; any other book answers too short.
        if (at(0) != kCallLogSelector)
            return Answer(MakePbxFrame(code, payload.left(1)));
        return Answer(MakePbxFrame(code, m_model.ReadCallLog(at(1), at(2) != 0)));
    case PbxCode::kCallLogClear: {
        if (payload.size() < 2)
            return {};
        const std::uint8_t extension = at(1);
        if (at(0) != kCallLogSelector || (extension != kAllExtensions && !m_model.HasObject(kObjectExtension, extension)))
            return Acknowledge(code, false);
        for (int e = 0; e < m_model.Count(kObjectExtension); ++e) {
            if (extension == kAllExtensions || extension == e)
                m_model.ClearCallLog(e);
        }
        return Acknowledge(code, true);
    }
    case PbxCode::kDirectoryWrite:
        if (payload.size() < 3 || at(0) != PbxDirectory::kSelector)
            return Acknowledge(code, false);
        return Acknowledge(code, WriteDirectory(payload));
    case PbxCode::kStateReporting:
        if (payload.isEmpty())
            return {};
        m_model.SetStateReporting(at(0) != 0);
        return Acknowledge(code, true);
    case PbxCode::kKeys:
        // Key presses are acknowledged; the hooks travel as their own commands.
        return Acknowledge(code, true);
    case PbxCode::kOffHook:
        return Events(m_calls.OffHook(ExtensionOf(payload.isEmpty() ? kThisStation : at(0))));
    case PbxCode::kOnHook:
        return Events(m_calls.OnHook(ExtensionOf(payload.isEmpty() ? kThisStation : at(0))));
    case PbxCode::kDialOnStation:
        return Events(m_calls.Dial(m_model.OwnExtension(), QString::fromLatin1(payload), false));
    case PbxCode::kDialOnExtension:
        if (payload.isEmpty())
            return {};
        return Events(m_calls.Dial(at(0), QString::fromLatin1(payload.mid(1)), false));
    case kNoAnswerCommand18:
    case PbxCode::kRecord:
        return {};
    default:
        return Acknowledge(code, false);
    }
}
