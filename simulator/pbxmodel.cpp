#include "pbxmodel.h"

#include "binaryrecord.h"
#include "framebytes.h"
#include "pbxcode.h"
#include "pbxframe.h"

#include <algorithm>

namespace {

constexpr int kDefaultCounts[5] = {0, 8, 4, 2, 2};
constexpr int kDefaultMaxima[5] = {0, 32, 8, 4, 4};
constexpr int kDefaultBoards = 3;
constexpr const char* kDefaultModelText = "SIMULVEX V1.0";
constexpr std::uint8_t kDefaultWakeUpHour = 7;

constexpr int kCallLogRecordSize = 45;
constexpr int kCallLogKind = 1;
constexpr int kCallLogNumber = 25;
constexpr int kCallLogNumberDigits = 20;
constexpr std::uint8_t kRecordKindCall = 1;
constexpr std::uint8_t kRecordKindNone = 0;
constexpr std::uint8_t kRecordKindEnd = 2;
constexpr std::uint8_t kEncodedZero = 10;
constexpr int kFirstYear = 2000;
constexpr std::uint32_t kSecondsPerPulse = 60;  // the pulse rate the simulated PBX meters
constexpr std::uint8_t kTimesCallsBit = 0x08;   // of ExtensioneBitmap1: seconds in the pulses field

void PutBigEndian32(QByteArray& record, int offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        record[offset + i] = static_cast<char>(value >> (24 - 8 * i));
}

void PutTime(QByteArray& record, int offset, int hour, int minute, int second)
{
    record[offset] = static_cast<char>(hour);
    record[offset + 1] = static_cast<char>(minute);
    record[offset + 2] = static_cast<char>(second);
}

// An extension's programming as a newly installed PBX has it (bytes of the 50-byte record): every kind of
// outside call allowed, no follow-me, and every service off (night service, do not disturb, the
// FunzioniVarie bits and the rest stay 0).
constexpr int kInternationalCallsByte = 3;  // ChiamateInternazionaliAbilita
constexpr int kLongDistanceCallsByte = 4;   // ChiamateInterurbaneAbilita
constexpr int kLocalCallsByte = 5;          // ChiamateUrbaneAbilita
constexpr int kFollowMeByte = 49;           // Seguimi: the extension calls follow, 255 none
constexpr char kAllowed = 1;
constexpr char kNoFollowMe = static_cast<char>(0xFF);

QByteArray NewProgramming(std::uint8_t objectType, int index)
{
    QByteArray record(static_cast<qsizetype>(ProgrammingRecordSize(objectType)), '\0');
    record[0] = static_cast<char>(objectType);
    record[1] = static_cast<char>(index);
    if (objectType == kObjectExtension) {
        record[kInternationalCallsByte] = kAllowed;
        record[kLongDistanceCallsByte] = kAllowed;
        record[kLocalCallsByte] = kAllowed;
        record[kFollowMeByte] = kNoFollowMe;
    }
    return record;
}

}  // namespace

PbxModel::PbxModel() : m_modelText(QString::fromLatin1(kDefaultModelText))
{
    for (std::uint8_t type = kObjectExtension; type <= kObjectRelay; ++type) {
        m_maxima[type] = static_cast<std::uint8_t>(kDefaultMaxima[type]);
        SetCount(type, kDefaultCounts[type]);
    }
    SetBoardCount(kDefaultBoards);
}

std::vector<PbxModel::ObjectEntry>& PbxModel::Table(std::uint8_t objectType) { return m_tables[objectType]; }

const std::vector<PbxModel::ObjectEntry>& PbxModel::Table(std::uint8_t objectType) const
{
    return m_tables[objectType];
}

int PbxModel::MaxOffset(std::uint8_t objectType)
{
    // The handled maximum of each kind precedes its detected count in the initialization record.
    return 2 * objectType - 1;
}

int PbxModel::Count(std::uint8_t objectType) const
{
    if (objectType < kObjectExtension || objectType > kObjectRelay)
        return 0;
    return static_cast<int>(Table(objectType).size());
}

bool PbxModel::SetCount(std::uint8_t objectType, int count)
{
    if (objectType < kObjectExtension || objectType > kObjectRelay || count < 0 || count > kMaxObjects)
        return false;
    std::vector<ObjectEntry>& table = Table(objectType);
    const int old = static_cast<int>(table.size());
    table.resize(static_cast<std::size_t>(count));
    for (int i = old; i < count; ++i)
        table[static_cast<std::size_t>(i)].programming = NewProgramming(objectType, i);
    m_maxima[objectType] = static_cast<std::uint8_t>(std::max<int>(m_maxima[objectType], count));

    if (objectType == kObjectExtension) {
        m_extensions.resize(static_cast<std::size_t>(count));
        for (int i = old; i < count; ++i)
            SetWakeUp(i, 0, kDefaultWakeUpHour, 0, 0);
    } else if (objectType == kObjectLine) {
        m_lineCallerIds.resize(static_cast<std::size_t>(count));
    }
    return true;
}

bool PbxModel::HasObject(std::uint8_t objectType, int index) const
{
    return index >= 0 && index < Count(objectType);
}

bool PbxModel::SetBoardCount(int count)
{
    if (count < 0 || count > kMaxBoards)
        return false;
    m_boards.resize(count);
    for (int i = 0; i < count; ++i)
        m_boards[i] = static_cast<char>(i + 1);
    return true;
}

bool PbxModel::SetModelText(const QString& text)
{
    if (text.size() > kMaxModelText || text.contains(QChar(0)))
        return false;
    m_modelText = text;
    return true;
}

QByteArray PbxModel::InitializationPayload() const
{
    QByteArray payload(static_cast<qsizetype>(PbxInitialization::kCountsSize), '\0');
    payload[PbxInitialization::kOwnExtensionOffset] = static_cast<char>(m_ownExtension);
    for (std::uint8_t type = kObjectExtension; type <= kObjectRelay; ++type) {
        payload[MaxOffset(type)] = static_cast<char>(m_maxima[type]);
        payload[MaxOffset(type) + 1] = static_cast<char>(Count(type));
    }
    payload[9] = static_cast<char>(kTimeBands);
    payload[PbxInitialization::kBoardCountOffset] = static_cast<char>(m_boards.size());
    payload += m_boards;
    payload += EncodeAnsi(m_modelText);
    payload += '\0';
    return payload;
}

PbxInitialization PbxModel::Initialization() const
{
    // Read back the way the engine reads the answer; too many boards leave the counts only.
    const QByteArray answer = MakePbxFrame(PbxCode::kInitializationRead, InitializationPayload());
    PbxInitialization initialization;
    if (!initialization.Decode(FrameBytes(answer)))
        std::copy_n(answer.constData() + kPbxPayloadOffset, PbxInitialization::kCountsSize,
                    reinterpret_cast<char*>(initialization.bytes.data()));
    return initialization;
}

QByteArray PbxModel::Programming(std::uint8_t objectType, int index) const
{
    if (objectType == kObjectSystem) {
        QByteArray record = NewProgramming(kObjectSystem, index);
        record[2] = static_cast<char>(m_systemVolume);
        return record;
    }
    if (!HasObject(objectType, index))
        return {};
    return Table(objectType)[static_cast<std::size_t>(index)].programming;
}

bool PbxModel::SetProgramming(std::uint8_t objectType, int index, const QByteArray& record)
{
    if (record.size() != static_cast<qsizetype>(ProgrammingRecordSize(objectType)) || record.size() < 2 ||
        ByteAt(record, 0) != objectType || ByteAt(record, 1) != index)
        return false;
    if (objectType == kObjectSystem) {
        m_systemVolume = ByteAt(record, 2);
        return true;
    }
    if (!HasObject(objectType, index))
        return false;
    Table(objectType)[static_cast<std::size_t>(index)].programming = record;
    return true;
}

PbxObjectStatus& PbxModel::Status(std::uint8_t objectType, int index)
{
    return Table(objectType)[static_cast<std::size_t>(index)].status;
}

const PbxObjectStatus& PbxModel::Status(std::uint8_t objectType, int index) const
{
    return Table(objectType)[static_cast<std::size_t>(index)].status;
}

QByteArray PbxModel::StatusBytes(std::uint8_t objectType, int index) const
{
    const PbxObjectStatus& status = Status(objectType, index);
    const char bytes[] = {static_cast<char>(objectType),      static_cast<char>(index),
                          static_cast<char>(status.state),    static_cast<char>(status.linkType),
                          static_cast<char>(status.linkIndex), static_cast<char>(status.followMe),
                          static_cast<char>(status.timeout)};
    return QByteArray(bytes, sizeof bytes);
}

void PbxModel::SetWakeUp(int extension, std::uint8_t mode, std::uint8_t hour, std::uint8_t minute,
                         std::uint8_t second)
{
    m_extensions[static_cast<std::size_t>(extension)].wakeUp = {static_cast<std::uint8_t>(extension), mode, hour,
                                                                minute, second};
}

std::uint32_t PbxModel::LoggedPulses(int durationSeconds, bool outgoing) const
{
    if (!outgoing || durationSeconds <= 0)
        return 0;
    const auto seconds = static_cast<std::uint32_t>(durationSeconds);
    if (m_configuration.ExtensionBitmap1() & kTimesCallsBit)
        return seconds;
    return (seconds + kSecondsPerPulse - 1) / kSecondsPerPulse;
}

bool PbxModel::AddLoggedCall(int extension, const PbxLoggedCall& call)
{
    QList<QByteArray>& log = m_extensions[static_cast<std::size_t>(extension)].callLog;
    if (log.size() >= kMaxLoggedCalls || !call.start.isValid())
        return false;
    QByteArray record(kCallLogRecordSize, '\0');
    const QDate date = call.start.date();
    const QTime start = call.start.time();
    const QTime end = start.addSecs(call.durationSeconds);
    const int duration = call.durationSeconds;
    record[0] = static_cast<char>(extension);
    record[kCallLogKind] = static_cast<char>(kRecordKindCall);
    record[3] = static_cast<char>(date.day());
    record[4] = static_cast<char>(date.month());
    record[5] = static_cast<char>(date.year() - kFirstYear);
    PutTime(record, 6, start.hour(), start.minute(), start.second());
    PutTime(record, 9, end.hour(), end.minute(), end.second());
    PutTime(record, 12, duration / 3600, duration / 60 % 60, duration % 60);
    record[15] = static_cast<char>(call.line);
    PutBigEndian32(record, 16, call.pulses);
    PutBigEndian32(record, 20, call.charge);
    record[24] = call.outgoing ? 1 : 0;
    // Digits travel as values: 10 for '0', 1-9 for '1'-'9'.
    const QString digits = call.number.left(kCallLogNumberDigits);
    for (int i = 0; i < digits.size(); ++i) {
        const int value = digits.at(i).digitValue();
        record[kCallLogNumber + i] = static_cast<char>(value == 0 ? kEncodedZero : value);
    }
    log.append(record);
    return true;
}

int PbxModel::LoggedCallCount(int extension) const
{
    return static_cast<int>(m_extensions[static_cast<std::size_t>(extension)].callLog.size());
}

void PbxModel::ClearCallLog(int extension)
{
    ExtensionData& data = m_extensions[static_cast<std::size_t>(extension)];
    data.callLog.clear();
    data.callLogCursor = 0;
}

QByteArray PbxModel::ReadCallLog(int extension, bool next)
{
    QByteArray empty(kCallLogRecordSize, '\0');
    empty[0] = static_cast<char>(extension);
    if (!HasObject(kObjectExtension, extension)) {
        empty[kCallLogKind] = static_cast<char>(kRecordKindNone);
        return empty;
    }
    ExtensionData& data = m_extensions[static_cast<std::size_t>(extension)];
    data.callLogCursor = next ? data.callLogCursor + 1 : 0;
    if (data.callLog.isEmpty()) {
        empty[kCallLogKind] = static_cast<char>(kRecordKindNone);
        return empty;
    }
    if (data.callLogCursor >= data.callLog.size()) {
        data.callLogCursor = static_cast<int>(data.callLog.size());
        empty[kCallLogKind] = static_cast<char>(kRecordKindEnd);
        return empty;
    }
    return data.callLog.at(data.callLogCursor);
}

QDateTime PbxModel::Now() const
{
    return QDateTime::currentDateTime().addMSecs(m_clockOffsetMs);
}

void PbxModel::SetClock(const QDateTime& time)
{
    m_clockOffsetMs = QDateTime::currentDateTime().msecsTo(time);
}
