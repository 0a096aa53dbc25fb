#include "pbxeventbuilder.h"

#include "framebytes.h"

namespace {

constexpr std::uint8_t kCallRecordKind = 2;
constexpr int kCallRecordNumberSize = 20;
constexpr std::uint8_t kDateTimeParameter = 1;
constexpr std::uint8_t kNumberParameter = 2;
constexpr int kCallerIdDigits = 40;

QByteArray Bytes(std::initializer_list<std::uint8_t> bytes)
{
    QByteArray result;
    for (const std::uint8_t byte : bytes)
        result.append(static_cast<char>(byte));
    return result;
}

void AppendTime(QByteArray& payload, const QTime& time)
{
    payload += Bytes({static_cast<std::uint8_t>(time.hour()), static_cast<std::uint8_t>(time.minute()),
                      static_cast<std::uint8_t>(time.second())});
}

void AppendLittleEndian16(QByteArray& payload, std::uint16_t value)
{
    payload += Bytes({static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8)});
}

}  // namespace

QByteArray BuildDigitEvent(std::uint8_t extension, char digit)
{
    return MakePbxFrame(PbxEventCode::kDigit, Bytes({extension, static_cast<std::uint8_t>(digit)}));
}

QByteArray BuildHandsetEvent(std::uint8_t extension, bool offHook)
{
    return MakePbxFrame(offHook ? PbxEventCode::kOffHook : PbxEventCode::kOnHook, Bytes({extension}));
}

QByteArray BuildWakeUpResultEvent(std::uint8_t extension, std::uint8_t answer, const QTime& time)
{
    QByteArray payload = Bytes({extension, answer});
    AppendTime(payload, time);
    return MakePbxFrame(PbxEventCode::kWakeUpResult, payload);
}

QByteArray BuildRingEvent(std::uint8_t extension, std::uint8_t ringType, std::uint8_t linkType,
                          std::uint8_t linkIndex)
{
    return MakePbxFrame(PbxEventCode::kRing, Bytes({extension, ringType, linkType, linkIndex}));
}

QByteArray BuildLinkEvent(std::uint8_t typeA, std::uint8_t indexA, std::uint8_t typeB, std::uint8_t indexB)
{
    return MakePbxFrame(PbxEventCode::kLink, Bytes({typeA, indexA, typeB, indexB}));
}

QByteArray BuildStateEvent(std::uint8_t objectType, std::uint8_t index, std::uint8_t state)
{
    return MakePbxFrame(PbxEventCode::kState, Bytes({objectType, index, state}));
}

QByteArray BuildCallRecordEvent(const PbxCallRecord& record)
{
    QByteArray payload = Bytes({kCallRecordKind, record.line, static_cast<std::uint8_t>(record.outgoing ? 1 : 0)});
    AppendLittleEndian16(payload, record.extension);
    AppendTime(payload, record.start);
    AppendTime(payload, record.end);
    AppendLittleEndian16(payload, record.pulses);
    AppendLittleEndian16(payload, record.charge);
    payload += record.number.left(kCallRecordNumberSize).toLatin1();
    payload += '\0';
    return MakePbxFrame(PbxEventCode::kCallRecord, payload);
}

QByteArray BuildProgrammingChangedEvent(std::uint8_t objectType, std::uint8_t index)
{
    return MakePbxFrame(PbxEventCode::kProgrammingChanged, Bytes({objectType, index}));
}

QByteArray BuildCallerIdEvent(std::uint8_t line, const QString& number, const QDateTime& time, CallerIdFormat format)
{
    const QByteArray dateTime = time.toString(QStringLiteral("MMddhhmm")).toLatin1();
    const QByteArray digits = number.left(kCallerIdDigits).toLatin1();
    QByteArray payload = Bytes({line, static_cast<std::uint8_t>(format)});
    if (format == CallerIdFormat::kParameters) {
        QByteArray message = Bytes({kDateTimeParameter, static_cast<std::uint8_t>(dateTime.size())}) + dateTime;
        message += Bytes({kNumberParameter, static_cast<std::uint8_t>(digits.size())}) + digits;
        payload += static_cast<char>(message.size());
        payload += message;
    } else {
        payload += dateTime + digits;
        // The check byte makes the message bytes sum to 0, as caller-id messages on the line do.
        std::uint8_t sum = 0;
        for (const char c : dateTime + digits)
            sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(c));
        payload += static_cast<char>(static_cast<std::uint8_t>(-sum));
    }
    return MakePbxFrame(PbxEventCode::kCallerId, payload);
}

QByteArray BuildAlarmEvent(std::uint8_t objectType, std::uint8_t index, std::uint8_t alarmType)
{
    return MakePbxFrame(PbxEventCode::kAlarm, Bytes({objectType, index, alarmType}));
}
